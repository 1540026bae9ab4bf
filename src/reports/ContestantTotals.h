#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class Log;
class ScoreDb;
struct ResultFileGameData;
struct ResultFileRow;

/// One pair (one player in an individual game) with its matchpoint total.
struct ContestantTotal {
    qint16 sectionId = 0;
    qint16 number = 0;
    /// "NS" or "EW" in a section whose pairs keep their direction, else empty.
    QString side;
    /// 0 to 1.
    double ratio = 0;
    qint16 countedBoards = 0;
    /// ratio x 100.
    double percentage = 0;
    double matchpointSum = 0;
    double topSum = 0;
    double baseSum = 0;
};

/// The [CONTESTANTS] block of the event result file: every pair or player with the
/// matchpoint total and percentage, one line per player with direction and name. Totals
/// are matchpoint totals also in an event scored in cross-IMPs.
class ContestantTotals {
public:
    ContestantTotals(ScoreDb& db, Log& log);

    /// Every pair or player of the movement (of the stored results when the movement is
    /// empty), by section, number and side ("EW" after the other). A number 0 makes no
    /// entry; South and West count only in an individual game. Nothing when the database
    /// cannot be read (logged).
    std::optional<std::vector<ContestantTotal>> buildContestantList(const ResultFileGameData& game,
                                                                    bool individual);

    /// Adds up the matchpoints of every scored row in which each contestant sits, on the
    /// boards whose top is above their base.
    static void addTotals(std::vector<ContestantTotal>& contestants, const std::vector<ResultFileRow>& rows);

    /// One line per registered player of each contestant, or two lines without names for a
    /// contestant nobody registered for (direction letters from its own section's first
    /// rounds). Nothing when the database cannot be read (logged).
    std::optional<QStringList> contestantLines(const std::vector<ContestantTotal>& contestants,
                                               const ResultFileGameData& game);

private:
    /// The first round in which number sat in column of its section, 0 when never.
    std::optional<qint16> firstRound(const QString& table, const QString& column, qint16 number,
                                     qint16 section);
    void logDatabaseError();

    ScoreDb& db_;
    Log& log_;
};

} // namespace qzc

#pragma once

#include "scoring/ScoredBoard.h"

#include <QString>
#include <optional>

namespace qzc {

class GameSettings;
class Log;
class ScoreDb;
struct ResultFileGameData;

/// What became of one writing of the event result file.
struct ResultFileOutcome {
    /// The full path of the file written; empty when none was written.
    QString path;
    /// Why no file was written, for the director; empty when it was written.
    QString reason;

    bool written() const { return !path.isEmpty(); }
};

/// The event result file "results.txt", through which the companion programs receive the
/// whole event: a [GAME] line per section, a [CONTESTANTS] line per player with the pair's
/// matchpoint total and percentage, and a [RESULTS] line per stored board result with its
/// matchpoints or cross-IMPs. Windows-1252 text with CRLF line ends and a final empty line.
class ResultFile {
public:
    static inline const QString fileName = QStringLiteral("results.txt");

    ResultFile(ScoreDb& db, const GameSettings& settings, Log& log, ScoredBoardSource& boards);

    /// The whole text of the file, every line ended by CRLF and one more CRLF at the end;
    /// nothing, with reason set, when there is no stored result or the score database
    /// cannot be read.
    std::optional<QString> makeResultText(const ResultFileGameData& game, QString& reason);

    /// Builds the file and writes it whole over any earlier one in eventDataPath (which ends
    /// with "/"): a file that cannot be built or written leaves the earlier one as it was.
    ResultFileOutcome makeresultFile_v1(const QString& eventDataPath, const ResultFileGameData& game);

private:
    /// "YYYY-MM-DD" of the section's first stored result, erased ones included; empty when
    /// it has none.
    QString sectionDate(qint16 section);

    ScoreDb& db_;
    const GameSettings& settings_;
    Log& log_;
    ScoredBoardSource& boards_;
};

} // namespace qzc

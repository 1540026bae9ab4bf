#pragma once

#include "reports/BoardResultGrid.h"
#include "reports/TravellerFile.h"
#include "scoring/ScoreFrequency.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

class Config;
class GameData;
class GameSettings;
class Log;
class ScoreDb;
class ShellOpener;
struct EventInfo;

/// The board traveller dialog without its window: the range of boards it steps through,
/// the board shown, the sort order the director picks by a heading (kept for the rest of
/// the program's run, and used by the traveller file too), the board's result grid and
/// deal, and the traveller file of the board.
class BoardTraveller {
public:
    static constexpr qint16 helpTopic = 22;
    static constexpr qint16 firstBoard = 1;

    struct Services {
        const GameData& gameData;
        ScoreDb& db;
        Log& log;
        const GameSettings& settings;
        Config& config;
        const EventInfo& event;
        ShellOpener& shell;
    };

    explicit BoardTraveller(const Services& services);

    /// Reads the highest board with a stored result (1 when there is none) as the last
    /// board of the range.
    qint16 initBoardRange();
    qint16 lastBoard() const { return lastBoard_; }

    /// The board a typed text asks for, held to the range (a text that is no number asks
    /// for the first board).
    qint16 boardOf(const QString& text) const;

    /// A click on the heading of column, which reads heading: sorts by that column,
    /// ascending unless it is sorted ascending already.
    void headingClicked(int column, const QString& heading);
    qint16 sorting() const;

    /// The board's result grid (nothing without a movement in memory).
    std::optional<BoardResultTable> resultTable(qint16 board);
    /// The board's block of the all-deal file; empty when there is none.
    QString dealText(qint16 board) const;
    /// True when the all-deal file exists.
    bool hasDealFile() const;
    /// The traveller file of the board for the section, in one column, written and opened;
    /// its path, or empty.
    QString printBoard(qint16 sectionId, qint16 board);

private:
    ScoreDb& db_;
    Log& log_;
    Config& config_;
    ScoreFrequency frequencies_;
    BoardResultGrid grid_;
    TravellerFile file_;
    qint16 lastBoard_ = firstBoard;
};

} // namespace qzc

#pragma once

#include "scoring/TravellerRows.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

namespace qzc {

class GameData;
class Log;
class ScoreDb;
class ScoreFrequency;

/// What the result grid of the board traveller shows: a heading row and a row per table.
struct BoardResultTable {
    static constexpr int columnCount = 8;
    /// Column 0 is empty; then "NS", "EW", "Table", "Result", "Mpts", "South", "West", the
    /// sort column's heading marked "+" (ascending) or "-" (descending).
    std::array<QString, columnCount> headings;
    /// The column the rows are sorted by (its heading is coloured); 0 when the sort
    /// setting names no column of the grid.
    int sortColumn = 0;
    /// The cell texts of each row; all empty for a place that no table fills.
    std::vector<std::array<QString, columnCount>> rows;
};

/// The data of the board result grid: every table that plays a board, across all
/// sections, with its stored result and matchpoint scale, sorted as the director chose.
class BoardResultGrid {
public:
    BoardResultGrid(const GameData& gameData, ScoreDb& db, Log& log, ScoreFrequency& frequencies);

    /// The board's rows after its scale points are brought up to date. sorting is the
    /// sort setting: its size the column (1 NS, 2 EW, 3 table, 4 result, 5 matchpoints),
    /// its sign the direction (above 0 ascending). Without a movement in memory, nothing.
    /// A board that the movement in memory does not list shows its stored results as they
    /// are. A database failure is logged ("Database - ShowBoardResult") and gives the rows
    /// read so far.
    std::optional<BoardResultTable> ShowBoardResult(qint16 board, qint16 sorting);

    /// The rows of the board before sorting: one per row of the movement that holds the board,
    /// named by the table and the pairs that played it there (GameData::roundSeating), with
    /// their stored result; a row that holds it without playing it only with a result. Then a
    /// row of its own for a result stored in another round of a table that holds the board,
    /// and empty places up to the tables of the event.
    std::vector<BoardResultRow> boardRows(qint16 board);

private:
    /// A row of the movement that holds the board, as the traveller names it.
    struct Place {
        BoardResultRow row;
        /// Its pairs played the board there.
        bool plays = false;
    };

    /// Every stored result of the board; a database failure is logged and gives those read.
    std::vector<BoardResultRow> storedResults(qint16 board);
    /// Puts each stored result on the place of its table and pairs, and gives the rows shown.
    static std::vector<BoardResultRow> placeResults(std::vector<Place> places,
                                                    const std::vector<BoardResultRow>& results);

    const GameData& gameData_;
    ScoreDb& db_;
    Log& log_;
    ScoreFrequency& frequencies_;
};

} // namespace qzc

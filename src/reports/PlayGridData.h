#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace qzc {

class GameData;
class Log;
class ScoreDb;
struct EventInfo;

/// What a cell of the play grid shows: the boards still missing ("Boards") or who sits
/// there ("Pairs").
enum class GridView { Boards = 0, Pairs = 1 };

/// The status colours of the play grid.
enum class GridColour { White, Green, Red, Yellow, Cyan };

QColor toColor(GridColour colour);

/// One cell of the play grid: a table in a round.
struct PlayCell {
    /// The boards the movement gives the table in the round, or those with a result when
    /// the movement gives none; comma-separated.
    QString boardList;
    /// What the cell shows before any cut to the column's width.
    QString displayText;
    bool complete = false;
    GridColour colour = GridColour::White;

    /// The text as the grid holds it: the bracketed board list, 20 blanks, the shown text,
    /// 20 blanks and the bracketed list again. A centred column only as wide as the shown
    /// text hides the lists; the result pop-up reads the list up to the first ")".
    static QString cellText(const QString& boardList, const QString& shownText);
};

/// A grid cell by row (position in the section's table list, from 1) and column (round).
struct GridCellRef {
    int row = 0;
    int col = 0;
    friend bool operator==(const GridCellRef&, const GridCellRef&) = default;
};

/// The colour of a table's number in the grid's table column.
struct TableCellColour {
    int row = 0;
    GridColour colour = GridColour::Red;
};

/// The contents and colours of the play grid, computed from the game data in memory and
/// the stored results. Table ids here carry the table number with at least three digits,
/// as "A003".
class PlayGridData {
public:
    static constexpr int minColumnTwips = 600;

    PlayGridData(GameData& gameData, ScoreDb& db, Log& log, const EventInfo& event);

    /// The list less the numbers: each number removes the first equal entry still present;
    /// the entries left that are above 0 are joined with "," in their order. An empty
    /// list gives an empty text, an empty numbers list the list unchanged.
    static QString takeout_Number(const QString& list, const QString& numbers);

    /// "A" and 3 give "A003".
    static QString gridTableId(const QString& letters, qint16 table);

    /// Text, completeness and colour of the table's cell in the round; maxRound is the
    /// section's highest round with a stored result.
    PlayCell cell(const QString& tableId, qint16 round, GridView view, qint16 maxRound) const;

    /// The number of round columns of the section: its stanza edge round, or, without one,
    /// total boards / boards per round when that divides; 0 otherwise.
    qint16 roundColumns(qint16 sectionId) const;

    /// The colours of the section's table numbers from the terminal links: red without a
    /// terminal, cyan with a terminal whose table must still load its set-up, green with a
    /// terminal that is set up. A database failure is logged ("check_grid_table") and ends
    /// the list with the tables read so far.
    std::vector<TableCellColour> tableColours(qint16 sectionId) const;

    /// The cells where pair sits in the section's movement: as EW, and unless ewOnly also
    /// as NS.
    std::vector<GridCellRef> pairCells(qint16 sectionId, qint16 pair, bool ewOnly) const;

private:
    GameData& gameData_;
    ScoreDb& db_;
    Log& log_;
    const EventInfo& event_;
};

} // namespace qzc

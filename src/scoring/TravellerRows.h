#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace qzc {

/// One table's row of a board's traveller: who played the board there and what they
/// scored.
struct BoardResultRow {
    /// The section letter(s) of the table; empty for a row that no table fills.
    QString letters;
    /// Letter(s) and table number, as "A12".
    QString tableId;
    qint16 nsPair = 0;
    qint16 ewPair = 0;
    /// The South and West players of an individual game.
    qint16 south = 0;
    qint16 west = 0;
    /// The North-South score.
    qint16 score = 0;
    /// The matchpoint scale; -1 for a result that is not scaled.
    double scalePoint = 0;
    qint16 scalePointMax = 0;
    QString remarks;
    /// A stored result was found for the row.
    bool hasResult = false;
};

/// The keys a traveller can be sorted by: the columns of its grid.
enum TravellerSortKey : qint16 {
    SortByNs = 1,
    SortByEw = 2,
    SortByTable = 3,
    SortByScore = 4,
    SortByScale = 5
};

/// Sorts the rows by key, ascending; rows equal by the key keep their order. Keys 1 to 3
/// order the section letter(s) first (by character code, so case counts), then the NS
/// pair, the EW pair or the table number; 4 the score, 5 the scale points; any other key
/// the score. Descending is the exact reverse of ascending, so equal rows come out in
/// reverse order.
void sortTravellerRows(std::vector<BoardResultRow>& rows, qint16 key, bool ascending);

} // namespace qzc

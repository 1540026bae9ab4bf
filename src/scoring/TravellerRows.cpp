#include "scoring/TravellerRows.h"

#include "core/SectionLetters.h"

#include <algorithm>

namespace qzc {

namespace {

// -1, 0 or 1 as a compares to b.
template <typename T> int compare(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// How a compares to b by the key.
int compareBy(const BoardResultRow& a, const BoardResultRow& b, qint16 key) {
    if (key == SortByNs || key == SortByEw || key == SortByTable) {
        const int letters = QString::compare(a.letters, b.letters, Qt::CaseSensitive);
        if (letters != 0)
            return letters < 0 ? -1 : 1;
        if (key == SortByNs)
            return compare(a.nsPair, b.nsPair);
        if (key == SortByEw)
            return compare(a.ewPair, b.ewPair);
        return compare(tableIdNumber(a.tableId), tableIdNumber(b.tableId));
    }
    if (key == SortByScale)
        return compare(a.scalePoint, b.scalePoint);
    return compare(a.score, b.score);
}

} // namespace

void sortTravellerRows(std::vector<BoardResultRow>& rows, qint16 key, bool ascending) {
    std::stable_sort(rows.begin(), rows.end(), [key](const BoardResultRow& a, const BoardResultRow& b) {
        return compareBy(a, b, key) < 0;
    });
    if (!ascending)
        std::reverse(rows.begin(), rows.end());
}

} // namespace qzc

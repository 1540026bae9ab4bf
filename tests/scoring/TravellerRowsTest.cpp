#include "scoring/TravellerRows.h"

#include "core/ResultEntry.h"
#include "scoring/ResultDescription.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace qzc {
namespace {

BoardResultRow row(const char* letters, const char* tableId, qint16 ns, qint16 ew, qint16 score,
                   double scale) {
    BoardResultRow r;
    r.letters = QLatin1String(letters);
    r.tableId = QLatin1String(tableId);
    r.nsPair = ns;
    r.ewPair = ew;
    r.score = score;
    r.scalePoint = scale;
    return r;
}

QString order(const std::vector<BoardResultRow>& rows) {
    QStringList ids;
    for (const BoardResultRow& r : rows)
        ids << (r.tableId.isEmpty() ? QStringLiteral("-") : r.tableId);
    return ids.join(QLatin1Char(' '));
}

// Every key both ways over one traveller: two sections, tables 2, 10 and 11 (by number,
// not by text), a tie on the score and on the scale, and a place that no table fills.
TEST(TravellerRowsTest, SortsByEachKeyBothWays) {
    const std::vector<BoardResultRow> rows = {row("B", "B2", 3, 12, -100, 2), row("A", "A10", 1, 14, 420, 4),
                                              row("A", "A2", 2, 11, 420, 0), row("A", "A11", 5, 9, -50, 6),
                                              row("", "", 0, 0, 0, 0)};
    const struct {
        qint16 key;
        const char* ascending;
        const char* descending;
    } cases[] = {
        {SortByNs, "- A10 A2 A11 B2", "B2 A11 A2 A10 -"},
        {SortByEw, "- A11 A2 A10 B2", "B2 A10 A2 A11 -"},
        {SortByTable, "- A2 A10 A11 B2", "B2 A11 A10 A2 -"},
        {SortByScore, "B2 A11 - A10 A2", "A2 A10 - A11 B2"},
        {SortByScale, "A2 - B2 A10 A11", "A11 A10 B2 - A2"},
        {7, "B2 A11 - A10 A2", "A2 A10 - A11 B2"},
    };
    for (const auto& c : cases) {
        std::vector<BoardResultRow> sorted = rows;
        sortTravellerRows(sorted, c.key, true);
        EXPECT_EQ(order(sorted), QLatin1String(c.ascending)) << c.key;
        sorted = rows;
        sortTravellerRows(sorted, c.key, false);
        EXPECT_EQ(order(sorted), QLatin1String(c.descending)) << c.key;
    }
    // Section letters compare by character code.
    std::vector<BoardResultRow> cased = {row("a", "a1", 1, 2, 0, 0), row("B", "B1", 1, 2, 0, 0)};
    sortTravellerRows(cased, SortByNs, true);
    EXPECT_EQ(order(cased), QStringLiteral("B1 a1"));
}

TEST(TravellerRowsTest, DescriptionOfAContractAndOfARemark) {
    ResultEntry played;
    played.contract = QStringLiteral("4H");
    played.declarer = QStringLiteral("S");
    played.tricks = 11;
    played.score = 650;
    played.valid = -1;
    ResultEntry down = played;
    down.declarer = QStringLiteral("W");
    down.score = -420;
    ResultEntry ruling;
    ruling.remarks = QStringLiteral("60%-40%");
    const struct {
        ResultSeat seat;
        ResultEntry stored;
        const char* text;
    } cases[] = {
        {{QStringLiteral("A3"), 2, 7, 5, 12, 0, 0},
         played,
         "Board 7\r\nTable A3; Round 2\r\nNS #5; EW #12\r\nSouth 4H; 11 tricks; +650"},
        {{QStringLiteral("A1"), 1, 3, 3, 4, 9, 14},
         down,
         "Board 3\r\nTable A1; Round 1\r\nNS #3/#9; EW #4/#14\r\nWest 4H; 11 tricks; -420"},
        {{QStringLiteral("B2"), 0, 5, 2, 8, 0, 0},
         ruling,
         "Board 5\r\nTable B2; Round 0\r\nNS #2; EW #8\r\n60%-40%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describeResultText(c.seat, c.stored), QLatin1String(c.text));
}

} // namespace
} // namespace qzc

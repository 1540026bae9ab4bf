#include "reports/PlayGridData.h"

#include "support/CaseNames.h"
#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::GameDataHarness;
using test::ResultRow;
using test::RoundRow;

TEST(PlayGridDataTest, TakeoutNumberRemovesEachNumberOnce) {
    struct Case {
        const char* list;
        const char* numbers;
        const char* left;
    };
    const Case cases[] = {
        {"1,2,3", "1,3", "2"},         {"1,2,3", "", "1,2,3"},  {"", "1", ""},
        {"1,2,3", "1,2,3", ""},        {"4,5,6", "6,9", "4,5"}, {"3,1,3", "3", "1,3"},
        {"10,11,12", "1", "10,11,12"}, {"1,x,2", "", "1,x,2"},  {"1,x,2", "2", "1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlayGridData::takeout_Number(QString::fromLatin1(c.list), QString::fromLatin1(c.numbers)),
                  QString::fromLatin1(c.left))
            << c.list << " less " << c.numbers;
    }
}

TEST(PlayGridDataTest, GridTableIdHasAtLeastThreeDigits) {
    EXPECT_EQ(PlayGridData::gridTableId(QStringLiteral("A"), 3), QStringLiteral("A003"));
    EXPECT_EQ(PlayGridData::gridTableId(QStringLiteral("BB"), 1234), QStringLiteral("BB1234"));
}

// The Mitchell fixture (7 tables, 7 rounds of 3 boards; table t plays NS t against EW
// 8 + (t - r) mod 7 on boards of set (t + r - 2) mod 7) with more results: table 3 has all
// of round 1, table 1 one board of round 2; tables 2 and 3 have results of round 8, which
// the movement does not hold; table 8 sits NS 15 against nobody in round 1. Two tables hold
// a board under two pairs: table 6 board 16 of round 1 (all three played), table 5 board 13
// of round 9, which the movement does not hold (board 15 missing).
EventBuilder gridEvent() {
    EventBuilder b = test::fixtures::mitchell();
    for (int board = 7; board <= 9; ++board)
        b.addResult(ResultRow::played(1, 3, 1, board, 3, 10, QStringLiteral("1NT"), QStringLiteral("N"), 7));
    b.addResult(ResultRow::played(1, 1, 2, 4, 1, 14, QStringLiteral("2S"), QStringLiteral("N"), 8));
    b.addResult(ResultRow::played(1, 2, 8, 4, 2, 9, QStringLiteral("2S"), QStringLiteral("N"), 8));
    b.addResult(ResultRow::played(1, 2, 8, 5, 2, 9, QStringLiteral("2S"), QStringLiteral("N"), 8));
    for (int board = 7; board <= 9; ++board)
        b.addResult(ResultRow::played(1, 3, 8, board, 3, 10, QStringLiteral("1NT"), QStringLiteral("N"), 7));
    b.addRound(RoundRow{1, 8, 1, 15, 0, 0, 0, 1, 3});
    for (const auto& [table, round, board, ew] : {std::array{6, 1, 16, 13},
                                                  {6, 1, 16, 12},
                                                  {6, 1, 17, 13},
                                                  {6, 1, 18, 13},
                                                  {5, 9, 13, 12},
                                                  {5, 9, 13, 11},
                                                  {5, 9, 14, 12}})
        b.addResult(ResultRow::played(1, table, round, board, table, ew, QStringLiteral("1NT"),
                                      QStringLiteral("N"), 7));
    return b;
}

struct CellCase {
    const char* name;
    const char* tableId;
    qint16 round;
    GridView view;
    qint16 maxRound;
    const char* list;
    const char* shown;
    bool complete;
    GridColour colour;
};

class PlayGridCellTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(PlayGridCellTest, TextAndColourOfACell) {
    const CellCase& c = GetParam();
    GameDataHarness data;
    EventBuilder b = gridEvent();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    data.harness.event.boardsPerRound = 3;
    PlayGridData grid(data.gameData, data.harness.db, data.harness.log, data.harness.event);

    const PlayCell cell = grid.cell(QString::fromLatin1(c.tableId), c.round, c.view, c.maxRound);
    EXPECT_EQ(cell.boardList, QString::fromLatin1(c.list));
    EXPECT_EQ(cell.displayText, QString::fromLatin1(c.shown));
    EXPECT_EQ(cell.complete, c.complete);
    EXPECT_EQ(cell.colour, c.colour);
}

const CellCase kCellCases[] = {
    {"missing board of the current round", "A001", 1, GridView::Boards, 1, "1,2,3", "3", false,
     GridColour::Yellow},
    {"missing boards of an overdue round", "A002", 1, GridView::Boards, 2, "4,5,6", "5,6", false,
     GridColour::Red},
    {"nothing played in the current round", "A004", 1, GridView::Boards, 1, "10,11,12", "10,11,12", false,
     GridColour::Yellow},
    {"complete in an overdue round", "A003", 1, GridView::Boards, 2, "7,8,9", "7,8,9", true,
     GridColour::Green},
    {"later round", "A001", 3, GridView::Boards, 2, "7,8,9", "7,8,9", false, GridColour::White},
    {"before any result", "A005", 1, GridView::Boards, 0, "13,14,15", "13,14,15", false, GridColour::White},
    {"half table is complete", "A008", 1, GridView::Boards, 1, "1,2,3", "1,2,3", true, GridColour::Green},
    {"no planned and no played boards", "A001", 9, GridView::Boards, 9, "", "???", false, GridColour::White},
    {"played without a movement row, too few", "A002", 8, GridView::Boards, 8, "4,5", "4,5", false,
     GridColour::Yellow},
    {"played without a movement row, enough", "A003", 8, GridView::Boards, 8, "7,8,9", "7,8,9", true,
     GridColour::Green},
    {"a board under two pairs", "A006", 1, GridView::Boards, 1, "16,17,18", "16,17,18", true,
     GridColour::Green},
    {"a board under two pairs without a movement row", "A005", 9, GridView::Boards, 9, "13,14", "13,14",
     false, GridColour::Yellow},
    {"pairs from the movement", "A001", 1, GridView::Pairs, 1, "1,2,3", "1/8", false, GridColour::Yellow},
    {"pairs of an overdue round", "A002", 1, GridView::Pairs, 2, "4,5,6", "2/9", false, GridColour::Red},
    {"pairs of a half table", "A008", 1, GridView::Pairs, 1, "1,2,3", "15/---", true, GridColour::Green},
    {"pairs from the stored results", "A002", 8, GridView::Pairs, 8, "4,5", "2/9", false, GridColour::Yellow},
    {"pairs unknown", "A001", 9, GridView::Pairs, 9, "", "?", false, GridColour::White},
};

// Printed by its name, not as a dump of its bytes.
void PrintTo(const CellCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PlayGridCellTest, ::testing::ValuesIn(kCellCases), test::CaseName());

TEST(PlayGridDataTest, PairsViewOfOtherMovements) {
    struct Case {
        std::function<EventBuilder()> make;
        bool individual;
        const char* tableId;
        qint16 round;
        const char* shown;
    };
    const Case cases[] = {
        {test::fixtures::howell, false, "A001", 1, "10/1"},
        {test::fixtures::howell, false, "A001", 2, "2/10"},
        {test::fixtures::individual, true, "A001", 1, "1/6/11/16"},
        {test::fixtures::twoSections, false, "B003", 1, "3/9"},
    };
    for (const Case& c : cases) {
        GameDataHarness data;
        EventBuilder b = c.make();
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        data.setIndividual(c.individual);
        PlayGridData grid(data.gameData, data.harness.db, data.harness.log, data.harness.event);
        EXPECT_EQ(grid.cell(QString::fromLatin1(c.tableId), c.round, GridView::Pairs, 0).displayText,
                  QString::fromLatin1(c.shown))
            << c.tableId << " round " << c.round;
    }
}

TEST(PlayGridDataTest, RoundColumnsFromTheStanzaOrTheBoardCounts) {
    struct Case {
        int edge;
        qint16 boardsPerRound;
        qint16 totalBoards;
        qint16 columns;
    };
    const Case cases[] = {
        {5, 0, 0, 5}, {5, 3, 27, 5}, {0, 3, 21, 7}, {0, 4, 26, 0}, {0, 0, 21, 0}, {0, 3, 0, 0},
    };
    for (const Case& c : cases) {
        GameDataHarness data;
        EventBuilder b = test::fixtures::mitchell();
        if (c.edge > 0)
            b.setStanza(1, 1, c.edge);
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        if (c.edge == 0) {
            ASSERT_TRUE(data.exec(QStringLiteral("UPDATE Section SET custom_qz_StanazEdgeGameRound=0")));
        }
        data.reload();
        data.harness.event.boardsPerRound = c.boardsPerRound;
        data.harness.event.totalBoards = c.totalBoards;
        PlayGridData grid(data.gameData, data.harness.db, data.harness.log, data.harness.event);
        EXPECT_EQ(grid.roundColumns(1), c.columns)
            << "edge " << c.edge << ", " << c.totalBoards << "/" << c.boardsPerRound;
    }
}

// Terminals: table 2 id 102, table 3 id 103 awaiting its set-up, table 4 id 1, table 6 id
// 106 with the set-up flag 0; tables 1, 5 and 7 have none.
EventBuilder linkedEvent() {
    EventBuilder b = test::fixtures::mitchell();
    b.addTerminal(102, 1, 2);
    b.addTerminal(103, 1, 3);
    b.addTerminal(1, 1, 4);
    b.addTerminal(106, 1, 6);
    return b;
}

TEST(PlayGridDataTest, TableColoursFromTheTerminalLinks) {
    GameDataHarness data;
    EventBuilder b = linkedEvent();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=0")));
    ASSERT_TRUE(
        data.exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=1 WHERE [Table]=3 OR [Table]=5")));
    PlayGridData grid(data.gameData, data.harness.db, data.harness.log, data.harness.event);

    const GridColour expected[] = {GridColour::Red, GridColour::Green, GridColour::Cyan, GridColour::Red,
                                   GridColour::Red, GridColour::Green, GridColour::Red};
    const std::vector<TableCellColour> colours = grid.tableColours(1);
    ASSERT_EQ(colours.size(), std::size(expected));
    for (std::size_t i = 0; i < colours.size(); ++i) {
        EXPECT_EQ(colours[i].row, static_cast<int>(i) + 1);
        EXPECT_EQ(colours[i].colour, expected[i]) << "table " << i + 1;
    }
    EXPECT_TRUE(grid.tableColours(9).empty());
}

TEST(PlayGridDataTest, TableColoursLogAFailedQuery) {
    GameDataHarness data;
    EventBuilder b = linkedEvent();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    ASSERT_TRUE(data.exec(QStringLiteral("DROP TABLE custom_qz_TQZ")));
    PlayGridData grid(data.gameData, data.harness.db, data.harness.log, data.harness.event);

    EXPECT_TRUE(grid.tableColours(1).empty());
    const QStringList lines = data.logMessages();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("run-err"))) << lines.last().toStdString();
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral("(check_grid_table)"))) << lines.last().toStdString();
}

TEST(PlayGridDataTest, PairCellsAsEWOrBothDirections) {
    struct Case {
        std::function<EventBuilder()> make;
        qint16 pair;
        bool ewOnly;
        std::vector<GridCellRef> cells;
    };
    const Case cases[] = {
        // Mitchell: EW 8 meets table r in round r; NS 3 stays at table 3.
        {test::fixtures::mitchell, 8, true, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}},
        {test::fixtures::mitchell, 8, false, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}},
        {test::fixtures::mitchell, 3, true, {}},
        {test::fixtures::mitchell, 3, false, {{3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 6}, {3, 7}}},
        {test::fixtures::mitchell, 99, false, {}},
        // Howell: pair 10 sits at table 1 every round, NS in odd and EW in even rounds.
        {test::fixtures::howell, 10, true, {{1, 2}, {1, 4}, {1, 6}, {1, 8}}},
        {test::fixtures::howell,
         10,
         false,
         {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}, {1, 8}, {1, 9}}},
    };
    for (const Case& c : cases) {
        GameDataHarness data;
        EventBuilder b = c.make();
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        PlayGridData grid(data.gameData, data.harness.db, data.harness.log, data.harness.event);
        EXPECT_EQ(grid.pairCells(1, c.pair, c.ewOnly), c.cells)
            << "pair " << c.pair << " ewOnly " << c.ewOnly;
    }
}

} // namespace
} // namespace qzc

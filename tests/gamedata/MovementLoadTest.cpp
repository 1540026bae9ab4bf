#include "support/DispatchRig.h"
#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/TestCoreApp.h"

#include <functional>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::GameDataHarness;
using test::RoundRow;

// "A1r1:1,2" per row in memory.
std::string rows(const GameData& g) {
    QStringList list;
    for (const MovementRow& row : g.movementRows()) {
        QStringList boards;
        for (qint16 b : row.boards)
            boards << QString::number(b);
        list << QStringLiteral("%1%2r%3:%4")
                    .arg(row.Letter)
                    .arg(row.Table)
                    .arg(row.Round)
                    .arg(boards.join(QLatin1Char(',')));
    }
    return list.join(QLatin1Char(' ')).toStdString();
}

// Section A: table 1 plays boards 1-2 and 3-4, table 2 boards 3-4 and 1-2.
EventBuilder twoTables() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addRound(RoundRow{a, 1, 1, 1, 2, 0, 0, 1, 2});
    b.addRound(RoundRow{a, 1, 2, 1, 4, 0, 0, 3, 4});
    b.addRound(RoundRow{a, 2, 1, 3, 4, 0, 0, 3, 4});
    b.addRound(RoundRow{a, 2, 2, 3, 2, 0, 0, 1, 2});
    return b;
}

struct RowCase {
    const char* name;
    const char* change;
    std::string expected;
    const char* logLine;
};

void PrintTo(const RowCase& c, std::ostream* os) {
    *os << c.name;
}

class MovementRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(MovementRowTest, RowsInMemory) {
    const RowCase& c = GetParam();
    GameDataHarness data;
    EventBuilder b = twoTables();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    ASSERT_TRUE(data.exec(QString::fromLatin1(c.change)));
    data.reload();
    EXPECT_EQ(rows(data.gameData), c.expected);
    if (c.logLine[0] != '\0') {
        EXPECT_TRUE(data.logMessages().contains(QString::fromLatin1(c.logLine))) << c.logLine;
    }
}

// Each case changes the row of table 1, round 2.
INSTANTIATE_TEST_SUITE_P(
    Rows, MovementRowTest,
    ::testing::Values(
        RowCase{"ranged", "UPDATE RoundData SET LowBoard=4, HighBoard=6 WHERE [Table]=1 AND Round=2",
                "A1r1:1,2 A1r2:4,5,6 A2r1:3,4 A2r2:1,2", "4 movement data loaded (loadrounddata)"},
        // Without a range of its own a row plays as many boards as the section's first ranged
        // row, at the top of the board numbers.
        RowCase{"withoutRange", "UPDATE RoundData SET LowBoard=0, HighBoard=0 WHERE [Table]=1 AND Round=2",
                "A1r1:1,2 A1r2:62,63 A2r1:3,4 A2r2:1,2", ""},
        // A row is never left out for its boards: a Null or odd bound leaves it without a range.
        RowCase{"nullRange", "UPDATE RoundData SET LowBoard=NULL, HighBoard=NULL WHERE [Table]=1 AND Round=2",
                "A1r1:1,2 A1r2:62,63 A2r1:3,4 A2r2:1,2", "4 movement data loaded (loadrounddata)"},
        RowCase{
            "boardAbove63", "UPDATE RoundData SET HighBoard=70 WHERE [Table]=1 AND Round=2",
            "A1r1:1,2 A1r2:62,63 A2r1:3,4 A2r2:1,2",
            "Movement row without a board range, table A1 round 2: board outside 1 to 63 (loadrounddata)"},
        RowCase{
            "negativeBoard", "UPDATE RoundData SET LowBoard=-1 WHERE [Table]=1 AND Round=2",
            "A1r1:1,2 A1r2:62,63 A2r1:3,4 A2r2:1,2",
            "Movement row without a board range, table A1 round 2: board outside 1 to 63 (loadrounddata)"},
        RowCase{"nullRound", "UPDATE RoundData SET Round=NULL WHERE [Table]=1 AND Round=2",
                "A1r1:1,2 A2r1:3,4 A2r2:1,2",
                "Movement row skipped, table A1 round 0: no section, table or round (loadrounddata)"},
        RowCase{"reversedRange", "UPDATE RoundData SET LowBoard=4, HighBoard=3 WHERE [Table]=1 AND Round=2",
                "A1r1:1,2 A1r2: A2r1:3,4 A2r2:1,2", ""},
        RowCase{"unknownSectionIsTakenUnchecked",
                "INSERT INTO RoundData (Section, [Table], Round, NSPair, EWPair, LowBoard, HighBoard) VALUES "
                "(7, 9, "
                "1, 1, 2, 5, 5)",
                "A1r1:1,2 A1r2:3,4 A2r1:3,4 A2r2:1,2 9r1:5", "5 movement data loaded (loadrounddata)"}),
    [](const ::testing::TestParamInfo<RowCase>& p) { return std::string(p.param.name); });

TEST(MovementLoadTest, StanzaEdgeLimitsRowsAndCounters) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::multiStanza();
    // A result of the earlier stanza counts for the terminal of table 1.
    b.addResult(test::ResultRow::played(1, 1, 5, 13, 1, 11, QStringLiteral("2S"), QStringLiteral("N"), 8));
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    const GameData& g = data.gameData;
    EXPECT_EQ(g.movementRows().size(), 21u);
    for (const MovementRow& row : g.movementRows())
        EXPECT_LE(row.Round, 3);
    EXPECT_EQ(data.value(QStringLiteral("SELECT COUNT(*) FROM custom_qz_TQZ WHERE ResultExpected=9")).toInt(),
              7);
    EXPECT_EQ(data.value(QStringLiteral("SELECT SUM(ResultGot) FROM custom_qz_TQZ")).toInt(), 1);
    EXPECT_EQ(data.value(QStringLiteral("SELECT ResultGot FROM custom_qz_TQZ WHERE TQZ_ID=101")).toInt(), 1);
    EXPECT_TRUE(data.logMessages().contains(QStringLiteral("21 movement data loaded (loadrounddata)")));

    // With stanza edge 0 every round is taken.
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE Section SET custom_qz_StanazEdgeGameRound=0")));
    data.reload();
    EXPECT_EQ(g.movementRows().size(), 42u);
    EXPECT_EQ(
        data.value(QStringLiteral("SELECT COUNT(*) FROM custom_qz_TQZ WHERE ResultExpected=18")).toInt(), 7);
}

TEST(MovementLoadTest, BoardIndexListsEveryTableThatPlaysTheBoard) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::twoSections();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    const GameData& g = data.gameData;
    EXPECT_EQ(g.boardIndexSize(), 18);
    EXPECT_EQ(g.boardIndex(0), nullptr);
    EXPECT_EQ(g.boardIndex(19), nullptr);
    const BoardIndexEntry* board1 = g.boardIndex(1);
    ASSERT_NE(board1, nullptr);
    QStringList tables;
    for (const BoardSlot& slot : board1->tables)
        tables << QStringLiteral("%1:%2-%3").arg(slot.tableId).arg(slot.nsPair).arg(slot.ewPair);
    // Section by section, table by table: boards 1-3 go down a table each round.
    EXPECT_EQ(tables.join(QLatin1Char(' ')),
              QStringLiteral("A1:1-7 A3:3-10 A4:4-12 A5:5-9 A6:6-11 B1:1-7 B3:3-10 B4:4-12 B5:5-9 B6:6-11"));
}

TEST(MovementLoadTest, BoardIndexHoldsOneSlotPerTableOfTheEvent) {
    GameDataHarness data;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int r = 1; r <= 3; ++r) {
        b.addRound(RoundRow{a, 1, r, 1, 2, 0, 0, 1, 1});
        b.addRound(RoundRow{a, 2, r, 3, 4, 0, 0, 1, 1});
    }
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    ASSERT_NE(data.gameData.boardIndex(1), nullptr);
    EXPECT_EQ(data.gameData.boardIndex(1)->tables.size(), 2u);
}

// Five sections of 36 Mitchell tables, 35 rounds of one board: 6,300 rows, all of them read.
// The last table of the last section gets its block (two header bytes, six a round) and its
// round-2 result (board 1, NS 36 - EW 71) is stored under round 2.
TEST(MovementLoadTest, EveryRowIsRead) {
    test::TestCoreApp app;
    test::DispatchRig rig;
    EventBuilder b;
    for (const char* letter : {"A", "B", "C", "D", "E"}) {
        const int section = b.addSection(QString::fromLatin1(letter));
        b.addMitchellMovement(section, 36, 35, 1);
        b.setStanza(section, 1, 35);
    }
    b.addTerminal(0x0524, 5, 36);
    ASSERT_TRUE(rig.start(b)) << rig.failure().toStdString();
    EXPECT_EQ(rig.data.gameData.movementRows().size(), 6300u);
    EXPECT_TRUE(rig.data.logMessages().contains(QStringLiteral("6300 movement data loaded (loadrounddata)")));
    EXPECT_EQ(rig.data.gameData.getMovementFromMemory(QStringLiteral("E36"), 3, 20).size(), 212);

    rig.request(0x0524, QByteArray::fromHex("34011c28362447"));
    EXPECT_EQ(rig.data.value(QStringLiteral("SELECT Round FROM ReceivedData WHERE Section=5 AND [Table]=36"))
                  .toInt(),
              2);
}

TEST(MovementLoadTest, EmptyMovement) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::multiStanza();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    ASSERT_TRUE(data.exec(QStringLiteral("DELETE FROM RoundData")));
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE custom_qz_TQZ SET ResultExpected=5")));
    data.reload();
    EXPECT_TRUE(data.gameData.movementRows().empty());
    EXPECT_EQ(data.gameData.boardIndexSize(), 0);
    EXPECT_TRUE(data.logMessages().contains(QStringLiteral("0 movement data loaded (loadrounddata)")));
    // No table of the movement: the expected counts stay as they were.
    EXPECT_EQ(data.value(QStringLiteral("SELECT MIN(ResultExpected) FROM custom_qz_TQZ")).toInt(), 5);
}

} // namespace
} // namespace qzc

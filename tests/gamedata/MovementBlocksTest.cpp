#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"

#include <gtest/gtest.h>
#include <vector>

namespace qzc {
namespace {

using test::EventBuilder;
using test::GameDataHarness;
using test::RoundRow;

std::vector<int> bytes(const QByteArray& block) {
    std::vector<int> values;
    for (char c : block)
        values.push_back(static_cast<quint8>(c));
    return values;
}

// Two tables of section A, stanza rounds 1 to 2: table 1 plays NS 1, EW 2, boards 1-2 and
// then NS 1, EW 4, boards 3-4; table 2 plays NS 3, EW 4, boards 3-4 and then NS 3, EW 2,
// boards 1-2.
EventBuilder twoTables() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.setStanza(a, 1, 2);
    b.addRound(RoundRow{a, 1, 1, 1, 2, 0, 0, 1, 2});
    b.addRound(RoundRow{a, 1, 2, 1, 4, 0, 0, 3, 4});
    b.addRound(RoundRow{a, 2, 1, 3, 4, 0, 0, 3, 4});
    b.addRound(RoundRow{a, 2, 2, 3, 2, 0, 0, 1, 2});
    return b;
}

class MovementBlocksTest : public ::testing::Test {
protected:
    // Without hand records no table enters deals, so byte 1 (the round mask) stays 0.
    void start(EventBuilder builder) {
        builder.withoutTable(QStringLiteral("HandRecord"));
        ASSERT_TRUE(data.start(builder)) << data.failure().toStdString();
    }
    std::vector<int> block(const QString& tableId, qint16 major = 3, qint16 minor = 20) {
        return bytes(data.gameData.getMovementFromMemory(tableId, major, minor));
    }

    GameDataHarness data;
};

TEST_F(MovementBlocksTest, WorkedExampleOfTwoTables) {
    start(twoTables());
    data.setSetting(QStringLiteral("custom_qz_showboardmatrix"), QStringLiteral("0"));
    data.gameData.preloadMovementMessage();

    // Pair 2 sits EW at table 2 in round 2; there is no round 3, so no next tables.
    EXPECT_EQ(block(QStringLiteral("A1")), (std::vector<int>{2, 0, 1, 2, 1, 128, 1, 2, 1, 4, 3, 0, 0, 0}));
    EXPECT_EQ(block(QStringLiteral("A2")), (std::vector<int>{2, 0, 3, 4, 3, 128, 2, 1, 3, 2, 1, 0, 0, 0}));

    // With the board matrix shown, an unshared board set has the share code 62.
    data.setSetting(QStringLiteral("custom_qz_showboardmatrix"), QStringLiteral("1"));
    data.gameData.preloadMovementMessage();
    EXPECT_EQ(block(QStringLiteral("A1")), (std::vector<int>{2, 0, 1, 2, 1, 190, 1, 2, 1, 4, 3, 62, 0, 0}));
    EXPECT_TRUE(data.logMessages().contains(QStringLiteral("Preload movement message data from memory")));
}

struct ShareCase {
    const char* name;
    std::vector<RoundRow> rows;
    const char* tableId;
    std::vector<int> expected;
};

void PrintTo(const ShareCase& c, std::ostream* os) {
    *os << c.name;
}

class MovementBlockShareTest : public ::testing::TestWithParam<ShareCase> {};

TEST_P(MovementBlockShareTest, ByteThreeNamesTheTablesThatShareTheFirstBoard) {
    const ShareCase& c = GetParam();
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.setStanza(a, 1, 1);
    for (const RoundRow& row : c.rows)
        b.addRound(row);
    b.withoutTable(QStringLiteral("HandRecord"));
    GameDataHarness data;
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    data.setSetting(QStringLiteral("custom_qz_showboardmatrix"), QStringLiteral("0"));
    data.gameData.preloadMovementMessage();
    EXPECT_EQ(bytes(data.gameData.getMovementFromMemory(QString::fromLatin1(c.tableId), 3, 20)), c.expected);
}

// One round: table, NS, EW and boards; the other tables' rows follow.
INSTANTIATE_TEST_SUITE_P(
    Tables, MovementBlockShareTest,
    ::testing::Values(
        ShareCase{"none",
                  {{1, 1, 1, 1, 2, 0, 0, 1, 2}, {1, 3, 1, 3, 4, 0, 0, 3, 4}},
                  "A1",
                  {2, 0, 1, 2, 1, 0, 0, 0}},
        ShareCase{"oneOther",
                  {{1, 1, 1, 1, 2, 0, 0, 1, 2}, {1, 3, 1, 3, 4, 0, 0, 3, 4}, {1, 5, 1, 5, 6, 0, 0, 1, 2}},
                  "A1",
                  {2, 0, 1, 2, 1, 5, 0, 0}},
        ShareCase{"oneOtherLower",
                  {{1, 1, 1, 1, 2, 0, 0, 1, 2}, {1, 3, 1, 3, 4, 0, 0, 3, 4}, {1, 5, 1, 5, 6, 0, 0, 1, 2}},
                  "A5",
                  {2, 0, 5, 6, 1, 1, 0, 0}},
        ShareCase{"several",
                  {{1, 1, 1, 1, 2, 0, 0, 1, 2}, {1, 2, 1, 3, 4, 0, 0, 1, 2}, {1, 3, 1, 5, 6, 0, 0, 1, 2}},
                  "A1",
                  {2, 0, 1, 2, 1, 62, 0, 0}},
        ShareCase{"highTable",
                  {{1, 1, 1, 1, 2, 0, 0, 1, 2}, {1, 70, 1, 3, 4, 0, 0, 1, 2}},
                  "A1",
                  {2, 0, 1, 2, 1, 63, 0, 0}}),
    [](const ::testing::TestParamInfo<ShareCase>& p) { return std::string(p.param.name); });

// Section A, NS pairs 1-4 on three tables (one NS pair sits out each round), EW pairs 5-7.
// In round 3 table 2 has no NS pair; pairs 1 and 2 sit out and play again in round 4.
EventBuilder sitoutMovement(const std::vector<RoundRow>& round4) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.setStanza(a, 1, 4);
    for (const RoundRow& row : {RoundRow{a, 1, 1, 1, 5, 0, 0, 1, 2}, RoundRow{a, 2, 1, 2, 6, 0, 0, 3, 4},
                                RoundRow{a, 3, 1, 3, 7, 0, 0, 5, 6}, RoundRow{a, 1, 2, 4, 6, 0, 0, 3, 4},
                                RoundRow{a, 2, 2, 1, 7, 0, 0, 5, 6}, RoundRow{a, 3, 2, 2, 5, 0, 0, 1, 2},
                                RoundRow{a, 1, 3, 3, 7, 0, 0, 5, 6}, RoundRow{a, 2, 3, 0, 5, 0, 0, 1, 2},
                                RoundRow{a, 3, 3, 4, 6, 0, 0, 3, 4}})
        b.addRound(row);
    for (const RoundRow& row : round4)
        b.addRound(row);
    return b;
}

TEST_F(MovementBlocksTest, SitoutsAndNextTables) {
    start(sitoutMovement(
        {{1, 1, 4, 2, 5, 0, 0, 1, 2}, {1, 2, 4, 1, 6, 0, 0, 3, 4}, {1, 3, 4, 3, 7, 0, 0, 5, 6}}));
    // Round 2: pair 1 has no table in round 3, so the empty NS seat of round 3 (table 2) is
    // its next table. Round 3: the empty NS seat follows pair 2, the first pair that sits out.
    EXPECT_EQ(block(QStringLiteral("A2")), (std::vector<int>{2, 0, 2, 6, 3,   128, 3, 1, 1, 7, 5, 128, 2,
                                                             1, 0, 5, 1, 128, 1,   1, 1, 6, 3, 0, 0,   0}));
}

TEST_F(MovementBlocksTest, EmptySeatWithoutSitoutGoesToTheNextEmptySeat) {
    start(sitoutMovement(
        {{1, 1, 4, 3, 5, 0, 0, 1, 2}, {1, 2, 4, 0, 6, 0, 0, 3, 4}, {1, 3, 4, 4, 7, 0, 0, 5, 6}}));
    const std::vector<int> a2 = block(QStringLiteral("A2"));
    ASSERT_EQ(a2.size(), 26u);
    EXPECT_EQ(std::vector<int>(a2.begin() + 14, a2.begin() + 20), (std::vector<int>{0, 5, 1, 128, 2, 1}));
}

TEST_F(MovementBlocksTest, PairsThatChangeDirectionSetTheDirectionBits) {
    EventBuilder b = test::fixtures::howell();
    b.setStanza(1, 1, 9);
    start(b);
    // Round 1 at table 1: every table plays boards 1-2 (share code 62); pair 10 sits EW at
    // table 1 next, pair 1 EW at table 2.
    const std::vector<int> a1 = block(QStringLiteral("A1"));
    ASSERT_EQ(a1.size(), 2u + 9 * 6);
    EXPECT_EQ(std::vector<int>(a1.begin(), a1.begin() + 8), (std::vector<int>{2, 0, 10, 1, 1, 254, 1, 2}));
}

TEST_F(MovementBlocksTest, IndividualGameRecordsFourPlayersAndTheirNextSeats) {
    EventBuilder b = test::fixtures::individual();
    b.setStanza(1, 1, 4);
    start(b);
    data.setIndividual(true);
    data.reload();
    // North stays North at table 1; East goes East to table 5, South South to table 4, West
    // West to table 3: seat codes 0, 1, 2, 3 in two bits each.
    const std::vector<int> a1 = block(QStringLiteral("A1"));
    ASSERT_EQ(a1.size(), 2u + 4 * 10);
    EXPECT_EQ(std::vector<int>(a1.begin(), a1.begin() + 12),
              (std::vector<int>{2, 0, 1, 6, 11, 16, 1, 228, 1, 5, 4, 3}));
}

TEST_F(MovementBlocksTest, BandedPairNumbersAreConverted) {
    EventBuilder b = test::fixtures::bandedPairs();
    b.setStanza(1, 1, 3);
    b.setStanza(2, 1, 3);
    start(b);
    ASSERT_TRUE(data.harness.event.bandedPairNumbering);
    // Round 1: A1 seats pairs 1 and 101, B1 pairs 201 and 301.
    const std::vector<int> a1 = block(QStringLiteral("A1"));
    const std::vector<int> b1 = block(QStringLiteral("B1"));
    ASSERT_EQ(a1.size(), 2u + 3 * 6);
    ASSERT_EQ(b1.size(), 2u + 3 * 6);
    EXPECT_EQ(std::vector<int>(a1.begin() + 2, a1.begin() + 4), (std::vector<int>{1, 2}));
    EXPECT_EQ(std::vector<int>(b1.begin() + 2, b1.begin() + 4), (std::vector<int>{2, 1}));
}

struct FirmwareCase {
    qint16 major;
    qint16 minor;
    int byte1;
};

void PrintTo(const FirmwareCase& c, std::ostream* os) {
    *os << c.major << '.' << c.minor;
}

class MovementBlockFirmwareTest : public ::testing::TestWithParam<FirmwareCase> {};

TEST_P(MovementBlockFirmwareTest, OlderFirmwareGetsTheDealEntryBoard) {
    const FirmwareCase& c = GetParam();
    GameDataHarness data;
    EventBuilder b = twoTables();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    // Hand records are missing: table 2 enters the deal of boards 3-4, first played in round 1
    // (round mask 1); the deal-entry board is 3.
    const QByteArray fetched = data.gameData.getMovementFromMemory(QStringLiteral("A2"), c.major, c.minor);
    ASSERT_EQ(fetched.size(), 14);
    EXPECT_EQ(static_cast<quint8>(fetched.at(1)), c.byte1);
    EXPECT_EQ(static_cast<quint8>(data.gameData.getMovementFromMemory(QStringLiteral("A2"), 3, 20).at(1)), 1);
}

INSTANTIATE_TEST_SUITE_P(Versions, MovementBlockFirmwareTest,
                         ::testing::Values(FirmwareCase{2, 99, 3}, FirmwareCase{3, 0, 3},
                                           FirmwareCase{3, 19, 3}, FirmwareCase{3, 20, 1},
                                           FirmwareCase{3, 25, 1}, FirmwareCase{4, 0, 1},
                                           FirmwareCase{4, 10, 1}));

// A Mitchell of three tables, one board a round, EW pair 6 missing: table 3 sits out in
// round 1 with board 3, which table 2 is the first to play, in round 2. Boards 1 and 2 have
// their hand records. The parameter sets the boards of the rows that sit out.
class SitoutDealEntryTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SitoutDealEntryTest, TheFirstTableThatPlaysTheBoardsEntersTheirDeal) {
    EventBuilder b;
    b.setStanza(b.addSection(QStringLiteral("A")), 1, 3);
    b.addMitchellMovement(1, 3, 3, 1);
    b.addHandRecord(1, 1, {});
    b.addHandRecord(1, 2, {});
    GameDataHarness data;
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    ASSERT_TRUE(data.exec(
        QStringLiteral("UPDATE RoundData SET EWPair=0%1 WHERE EWPair=6").arg(QLatin1String(GetParam()))));
    data.reload();

    const auto byte1 = [&data](const char* tableId, qint16 minor) {
        return static_cast<quint8>(
            data.gameData.getMovementFromMemory(QLatin1String(tableId), 3, minor).at(1));
    };
    EXPECT_EQ(byte1("A2", 20), 0x03);
    EXPECT_EQ(byte1("A2", 19), 3);
    EXPECT_EQ(byte1("A3", 20), 0x00);
    EXPECT_EQ(byte1("A3", 19), 0);
}

// Their own boards; none; all board 3, which table 1 holds beside table 2 in round 2.
INSTANTIATE_TEST_SUITE_P(SitoutRows, SitoutDealEntryTest,
                         ::testing::Values("", ", LowBoard=0, HighBoard=0", ", LowBoard=3, HighBoard=3"));

TEST_F(MovementBlocksTest, NumberTooLargeForAByteGivesThatTableTheEmptyBlock) {
    start(twoTables());
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE RoundData SET EWPair=300 WHERE [Table]=1 AND Round=1")));
    data.reload();
    EXPECT_EQ(block(QStringLiteral("A1")), (std::vector<int>{0}));
    EXPECT_EQ(block(QStringLiteral("A2")).size(), 14u);
    EXPECT_TRUE(data.logMessages().contains(QStringLiteral(
        "Movement of table A1 not built, pair number 300 does not fit a byte (preloadMovementMessage)")));
}

TEST_F(MovementBlocksTest, TablesWithoutRoundsInTheStanzaGetTheEmptyBlock) {
    start(twoTables());
    // Before the first rebuild every fetch gives the empty block.
    GameData fresh(data.harness.db, data.harness.log, data.harness.settings, data.harness.event,
                   data.harness.clock);
    EXPECT_EQ(bytes(fresh.getMovementFromMemory(QStringLiteral("A1"), 3, 20)), (std::vector<int>{0}));
    EXPECT_EQ(block(QStringLiteral("A9")), (std::vector<int>{0}));

    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE Section SET custom_qz_StanazEdgeGameRound=0")));
    data.reload();
    EXPECT_EQ(block(QStringLiteral("A1")), (std::vector<int>{0}));

    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE Section SET custom_qz_StanazBeginGameRound=3, "
                                         "custom_qz_StanazEdgeGameRound=4")));
    data.reload();
    EXPECT_EQ(block(QStringLiteral("A2")), (std::vector<int>{0}));
}

} // namespace
} // namespace qzc

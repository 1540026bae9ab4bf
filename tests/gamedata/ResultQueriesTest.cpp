#include "core/ResultEntry.h"
#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::GameDataHarness;
using test::ResultRow;
using test::RoundRow;

ResultEntry played(qint16 board, const char* contract, const char* declarer, qint16 tricks) {
    ResultEntry entry;
    entry.board = board;
    entry.contract = QString::fromLatin1(contract);
    entry.declarer = QString::fromLatin1(declarer);
    entry.tricks = tricks;
    entry.valid = -1;
    return entry;
}

const QString A1 = QStringLiteral("A1");

TEST(ResultQueriesTest, CompletenessOfOneTable) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::mitchell();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    GameData& g = data.gameData;
    // Round 1 at table 1: boards 1-3, two of them stored.
    EXPECT_FALSE(g.DB_check_BoardResult(0, 1, A1, 1));
    EXPECT_TRUE(data.logMessages().contains(
        QStringLiteral("Check board for A1, round 1 to 1: 2/3 (DB_check_BoardResult)")));
    ASSERT_TRUE(g.markResult(A1, played(3, "PASS", "", 0), 1, 1, 8, 0, 0).succeeded());
    EXPECT_TRUE(g.DB_check_BoardResult(0, 1, A1, 0));
    EXPECT_FALSE(g.DB_check_BoardResult(0, 2, A1, 1));

    // Nothing to check before round 1: no query, no log line.
    const qsizetype lines = data.logMessages().size();
    EXPECT_TRUE(g.DB_check_BoardResult(0, 0, A1, 1));
    EXPECT_EQ(data.logMessages().size(), lines);
}

TEST(ResultQueriesTest, CompletenessOfASectionCountsTablesWithATerminal) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::multiStanza();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    GameData& g = data.gameData;
    EXPECT_FALSE(g.checkResultProgress(QString()));
    EXPECT_FALSE(g.checkResultProgress(A1));
    EXPECT_TRUE(data.logMessages().contains(
        QStringLiteral("Check board for A on table with TQZ, round 1 to 3: 0/63 (DB_check_BoardResult)")));

    // Only table 1 keeps its terminal; it plays NS 1 against EW 8, 14 and 13.
    for (int t = 2; t <= 7; ++t)
        ASSERT_TRUE(g.clearTableLogin(QStringLiteral("A%1").arg(t), false));
    const int ew[] = {8, 14, 13};
    for (qint16 round = 1; round <= 3; ++round) {
        for (qint16 k = 0; k < 3; ++k) {
            const auto board = static_cast<qint16>(3 * (round - 1) + k + 1);
            ASSERT_TRUE(g.markResult(A1, played(board, "1NT", "N", 7), round, 1,
                                     static_cast<qint16>(ew[round - 1]), 0, 0)
                            .succeeded());
        }
    }
    EXPECT_TRUE(g.checkResultProgress(QStringLiteral("A4")));
    EXPECT_TRUE(data.logMessages().contains(
        QStringLiteral("Check board for A on table with TQZ, round 1 to 3: 9/9 (DB_check_BoardResult)")));
}

TEST(ResultQueriesTest, NothingOwed) {
    GameDataHarness data;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    // Round 2: table 2 has no NS pair.
    b.addRound(RoundRow{a, 1, 1, 1, 3, 0, 0, 1, 2});
    b.addRound(RoundRow{a, 2, 1, 2, 4, 0, 0, 3, 4});
    b.addRound(RoundRow{a, 1, 2, 2, 3, 0, 0, 3, 4});
    b.addRound(RoundRow{a, 2, 2, 0, 4, 0, 0, 1, 2});
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    // A table that owes nothing is not complete; a section without terminals is.
    EXPECT_FALSE(data.gameData.DB_check_BoardResult(0, 2, QStringLiteral("A2"), 2));
    EXPECT_TRUE(data.gameData.DB_check_BoardResult(1, 2, QString(), 1));
}

TEST(ResultQueriesTest, WithoutMovementTheTotalBoardsAreOwed) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::mitchell();
    for (int t = 1; t <= 7; ++t)
        b.addTerminal(200 + t, 1, t);
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    data.harness.event.totalBoards = 24;
    GameData bare(data.harness.db, data.harness.log, data.harness.settings, data.harness.event,
                  data.harness.clock);
    bare.loadsectiondata();
    EXPECT_FALSE(bare.DB_check_BoardResult(1, 3, QString(), 1));
    EXPECT_TRUE(data.logMessages().contains(
        QStringLiteral("Check board for A on table with TQZ, round 1 to 3: 3/168 (DB_check_BoardResult)")));
}

TEST(ResultQueriesTest, PlayersBoardsAndRounds) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::twoSections();
    b.addResult(ResultRow::played(1, 1, 1, 2, 1, 7, QStringLiteral("3NT"), QStringLiteral("N"), 9));
    b.addResult(ResultRow::played(1, 1, 1, 1, 1, 7, QStringLiteral("3NT"), QStringLiteral("N"), 9));
    ResultRow erased = ResultRow::played(1, 1, 2, 4, 1, 12, QStringLiteral("3NT"), QStringLiteral("N"), 9);
    erased.erased = true;
    b.addResult(erased);
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    const GameData& g = data.gameData;
    // Who played the round as the stored results show it.
    const auto storedPlayers = [&g](qint16 round) {
        const std::optional<RoundSeating> seating = g.roundSeating(A1, round);
        return seating && seating->stored ? g.seatingText(seating->seats) : QString();
    };
    const struct {
        const char* question;
        QString answer;
        const char* expected;
    } cases[] = {
        {"players of round 1", storedPlayers(1), "1/7"},
        {"players of an unplayed round", storedPlayers(3), ""},
        {"boards of round 1", g.getPlayedBoardList(A1, 1, false), "1,2"},
        {"boards up to round 2", g.getPlayedBoardList(A1, 2, true), "1,2"},
        {"boards of round 2 (erased)", g.getPlayedBoardList(A1, 2, false), ""},
        {"max round counts erased results", QString::number(g.getMaxRound(A1)), "2"},
        {"max round of an unplayed table", QString::number(g.getMaxRound(QStringLiteral("A5"))), "0"},
        {"max round of section B", QString::number(g.getSectionMaxRound(2)), "1"},
        {"max round of every section", QString::number(g.getSectionMaxRound(-1)), "2"},
        {"max round of section 0", QString::number(g.getSectionMaxRound(0)), "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.answer.toStdString(), c.expected) << c.question;
}

TEST(ResultQueriesTest, BoardResultLinesInEachSortOrder) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::mitchell();
    // Board 1 (nobody vulnerable): table 1 +450, table 7 -400, table 6 -100.
    b.addResult(ResultRow::played(1, 7, 2, 1, 7, 14, QStringLiteral("3NT"), QStringLiteral("E"), 9));
    b.addResult(ResultRow::played(1, 6, 3, 1, 6, 13, QStringLiteral("2HX"), QStringLiteral("S"), 7));
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    const QString t1 = QStringLiteral(" 1- 8  +450  \r\n");
    const QString t6 = QStringLiteral(" 6-13  -100  \r\n");
    const QString t7 = QStringLiteral(" 7-14  -400  \r\n");
    const struct {
        qint16 sortKey;
        QString expected;
    } cases[] = {
        {0, t1 + t6 + t7}, {4, t7 + t6 + t1},  {1, t1 + t6 + t7}, {-1, t7 + t6 + t1},
        {2, t1 + t6 + t7}, {-3, t7 + t6 + t1}, {3, t1 + t6 + t7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(data.gameData.getBoardResultText(1, 1, c.sortKey).toStdString(), c.expected.toStdString())
            << c.sortKey;
    EXPECT_EQ(data.gameData.getBoardResultText(1, 2, 0), QString());
}

TEST(ResultQueriesTest, IndividualGameShowsFourPlayers) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::individual();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    data.setIndividual(true);
    const std::optional<RoundSeating> seating = data.gameData.roundSeating(A1, 1);
    ASSERT_TRUE(seating && seating->stored);
    EXPECT_EQ(data.gameData.seatingText(seating->seats), QStringLiteral("1/6/11/16"));
    // 1NT by South, 8 tricks, board 1.
    EXPECT_EQ(data.gameData.getBoardResultText(1, 1, 0).toStdString(), " 1,11- 6,16  +120  \r\n");
    data.setIndividual(false);
    EXPECT_EQ(data.gameData.getBoardResultText(1, 1, 0).toStdString(), " 1- 6  +120  \r\n");
}

} // namespace
} // namespace qzc

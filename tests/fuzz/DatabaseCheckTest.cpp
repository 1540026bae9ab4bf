#include "harness/DatabaseCheck.h"

#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/TestCoreApp.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

// The club evening: in round 1 table A1 plays NS 1 - EW 7 on boards 1-3.
class DatabaseCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EventBuilder event = test::fixtures::clubEvening();
        event.addResult(
            test::ResultRow::played(1, 1, 1, 1, 1, 7, QStringLiteral("4S"), QStringLiteral("N"), 10));
        event.addResult(
            test::ResultRow::played(1, 1, 1, 2, 1, 7, QStringLiteral("3NTX"), QStringLiteral("E"), 13));
        event.addTerminal(0x0101, 1, 1);
        ASSERT_TRUE(data.start(event)) << data.failure().toStdString();
        ASSERT_EQ(data.value(QStringLiteral("SELECT EWPair FROM RoundData WHERE Section=1 AND [Table]=1 AND "
                                            "Round=1 AND LowBoard=1"))
                      .toInt(),
                  7);
    }

    test::TestCoreApp app;
    test::GameDataHarness data;
};

TEST_F(DatabaseCheckTest, RowsOfValidRequestsPass) {
    ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO custom_qz_PlayerPIN (Section, Pair, Direction, PIN) "
                                         "VALUES (1, 7, 'EW', '0042')")));
    ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO BiddingData (Section, [Table], Round, Board, Counter, "
                                         "Direction, Bid) VALUES (1, 1, 1, 3, 1, 'N', '1C')")));
    EXPECT_EQ(fuzz::rowsNoRequestCouldWrite(data.harness.db), QStringList());
}

TEST_F(DatabaseCheckTest, EachKindOfRowNoRequestCouldWrite) {
    const QString bid = QStringLiteral("INSERT INTO BiddingData (Section, [Table], Round, Board, Counter, "
                                       "Direction, Bid) VALUES ");
    const QString card = QStringLiteral("INSERT INTO PlayData (Section, [Table], Round, Board, Counter, "
                                        "Direction, Card) VALUES ");
    const QString result = QStringLiteral("INSERT INTO ReceivedData (Section, [Table], Round, Board, PairNS, "
                                          "PairEW, [NS/EW], Contract, Result) VALUES ");
    struct Case {
        const char* row;
        QString insert;
        const char* reported;
    };
    const Case cases[] = {
        {"board 0", result + QStringLiteral("(1, 1, 1, 0, 1, 7, 'N', '4 S', '=')"), "result of board 0"},
        {"pairs of another table", result + QStringLiteral("(1, 1, 1, 3, 2, 8, 'N', '4 S', '=')"),
         "result outside the table's movement"},
        {"a round the table does not play", result + QStringLiteral("(1, 1, 9, 3, 1, 7, 'N', '4 S', '=')"),
         "result outside the table's movement"},
        {"a board of another round", result + QStringLiteral("(1, 1, 1, 4, 1, 7, 'N', '4 S', '=')"),
         "result outside the table's movement"},
        {"14 tricks", result + QStringLiteral("(1, 1, 1, 3, 1, 7, 'N', '7 NT', '+1')"),
         "result that no contract byte"},
        {"level 8", result + QStringLiteral("(1, 1, 1, 3, 1, 7, 'N', '8 S', '-1')"),
         "result that no contract byte"},
        {"no declarer", result + QStringLiteral("(1, 1, 1, 3, 1, 7, '', '4 S', '=')"),
         "result that no contract byte"},
        {"terminal at table A9",
         QStringLiteral("INSERT INTO custom_qz_TQZ (TQZ_ID, Section, [Table]) VALUES (258, 1, 9)"),
         "terminal bound to a table that does not exist"},
        {"PIN of pair 99",
         QStringLiteral(
             "INSERT INTO custom_qz_PlayerPIN (Section, Pair, Direction, PIN) VALUES (1, 99, 'NS', "
             "'1234')"),
         "PIN of a pair outside the movement"},
        {"player ID at table 9",
         QStringLiteral("INSERT INTO PlayerNumbers (Section, [Table], Direction, Number) VALUES (1, 9, 'N', "
                        "'20101')"),
         "player ID at a seat of a table that does not exist"},
        {"bid of a board of the next round", bid + QStringLiteral("(1, 1, 1, 4, 1, 'N', '1C')"),
         "bid outside the table's movement"},
        {"bid of round 0", bid + QStringLiteral("(1, 1, 0, 1, 1, 'N', 'PASS')"),
         "bid outside the table's movement"},
        {"played card of board 0", card + QStringLiteral("(2, 1, 1, 0, 1, 'W', 'SA')"),
         "played card outside the table's movement"},
        {"bid of no call byte", bid + QStringLiteral("(1, 1, 1, 3, 1, 'N', '8C')"), "bid that no call byte"},
        {"bid from no seat", bid + QStringLiteral("(1, 1, 1, 3, 1, 'Q', 'X')"), "bid that no call byte"},
        {"card of no rank", card + QStringLiteral("(1, 1, 1, 3, 1, 'N', 'S1')"),
         "played card that no card byte"},
        {"card numbered 0", card + QStringLiteral("(1, 1, 1, 3, 0, 'N', 'SA')"),
         "played card that no card byte"},
        {"dealt cards of board 0", QStringLiteral("INSERT INTO HandRecord (Section, Board) VALUES (1, 0)"),
         "dealt cards of board 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        ASSERT_TRUE(data.exec(QStringLiteral("SAVEPOINT bad_row")));
        ASSERT_TRUE(data.exec(c.insert));
        const QStringList problems = fuzz::rowsNoRequestCouldWrite(data.harness.db);
        ASSERT_EQ(problems.size(), 1) << problems.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(problems[0].startsWith(QLatin1String(c.reported))) << problems[0].toStdString();
        ASSERT_TRUE(data.exec(QStringLiteral("ROLLBACK TO bad_row")));
        ASSERT_TRUE(data.exec(QStringLiteral("RELEASE bad_row")));
    }
}

// Between inputs a check looks only at the bids and played cards added since the one
// before; a check without marks still sees every row.
TEST_F(DatabaseCheckTest, MarkedChecksLookAtTheBidsAndCardsAddedSince) {
    const auto addBid = [this](const char* values) {
        return data.exec(QStringLiteral("INSERT INTO BiddingData (Section, [Table], Round, Board, Counter, "
                                        "Direction, Bid) VALUES ") +
                         QLatin1String(values));
    };
    fuzz::CheckedRows checked;
    ASSERT_TRUE(addBid("(1, 1, 1, 0, 1, 'N', '1C')"));
    EXPECT_EQ(fuzz::rowsNoRequestCouldWrite(data.harness.db, &checked).size(), 1);
    EXPECT_EQ(fuzz::rowsNoRequestCouldWrite(data.harness.db, &checked), QStringList());
    ASSERT_TRUE(addBid("(1, 1, 1, 3, 2, 'E', '9Z')"));
    const QStringList added = fuzz::rowsNoRequestCouldWrite(data.harness.db, &checked);
    ASSERT_EQ(added.size(), 1);
    EXPECT_TRUE(added[0].startsWith(QLatin1String("bid that no call byte gives"))) << added[0].toStdString();
    EXPECT_EQ(fuzz::rowsNoRequestCouldWrite(data.harness.db).size(), 2);
}

} // namespace
} // namespace qzc

#include "scoring/DealRecords.h"

#include "scoring/TableAddress.h"
#include "support/QueryRows.h"
#include "support/ScoringEvent.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;

class DealRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        EventBuilder b;
        const int a = b.addSection(QStringLiteral("A"));
        b.addMitchellMovement(a, 2, 2, 2);
        ASSERT_TRUE(r.open(b));
        for (SharedTable t : {SharedTable::HandRecord, SharedTable::BiddingData, SharedTable::PlayData})
            r.event.tablePresent.set(t, true);
    }
    QString rows(const QString& sql) { return test::queryRows(r.db, sql); }
    QString hand(const char* direction) {
        const QString d = QString::fromLatin1(direction);
        return rows(QStringLiteral("SELECT Board, %1Spades, %1Hearts, %1Diamonds, %1Clubs FROM HandRecord "
                                   "WHERE Section=1 ORDER BY Board")
                        .arg(d));
    }

    test::ScoringEvent r;
    DealRecords records{r.db, r.log, r.clock, r.event.tablePresent};
    const TableAddress a1 = TableAddress::of(QStringLiteral("A1"), 1);
    const TableAddress a2 = TableAddress::of(QStringLiteral("A2"), 1);
};

TEST_F(DealRecordsTest, HandsOfAHandRecord) {
    EXPECT_TRUE(records.inputCard(1, 3, QStringLiteral("E"), QStringLiteral("SASKH2C9")));
    EXPECT_EQ(hand("East"), QStringLiteral("3|AK|2||9"));
    // A card without a suit letter keeps the suit before it; another hand keeps the first.
    EXPECT_TRUE(records.inputCard(1, 3, QStringLiteral("N"), QStringLiteral("HQ-JDT")));
    EXPECT_EQ(hand("North"), QStringLiteral("3||QJ|T|"));
    EXPECT_EQ(hand("East"), QStringLiteral("3|AK|2||9"));
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM HandRecord")), QStringLiteral("1"));
    // Other programs read the holdings as text: a void is stored as '', never as Null.
    EXPECT_TRUE(records.inputCard(1, 3, QStringLiteral("S"), QStringLiteral("S2")));
    EXPECT_TRUE(records.inputCard(1, 3, QStringLiteral("W"), QStringLiteral("DA")));
    QStringList holdings;
    for (const char* d : {"North", "East", "South", "West"})
        holdings << QStringLiteral("quote(%1Spades), quote(%1Hearts), quote(%1Diamonds), quote(%1Clubs)")
                        .arg(QLatin1String(d));
    EXPECT_EQ(rows(QStringLiteral("SELECT ") + holdings.join(QLatin1Char(',')) +
                   QStringLiteral(" FROM HandRecord")),
              QStringLiteral("''|'QJ'|'T'|''|'AK'|'2'|''|'9'|'2'|''|''|''|''|''|'A'|''"));

    EXPECT_FALSE(records.inputCard(1, 4, QStringLiteral("N"), QStringLiteral("A2SK")));
    EXPECT_FALSE(records.inputCard(1, 4, QStringLiteral("X"), QStringLiteral("SA")));
    r.event.tablePresent.set(SharedTable::HandRecord, false);
    EXPECT_FALSE(records.inputCard(1, 4, QStringLiteral("N"), QStringLiteral("SA")));
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM HandRecord")), QStringLiteral("1"));
}

TEST_F(DealRecordsTest, CallsCountPerTableRoundAndBoardWhoeverMakesThem) {
    r.clock.setNow(QDateTime(QDate(2012, 3, 3), QTime(21, 5, 9)));
    using S = DealRecords::Stored;
    EXPECT_EQ(records.inputBidding(a1, 1, 2, {{3, QStringLiteral("1C")}, {4, QStringLiteral("X")}}),
              S::Stored);
    EXPECT_EQ(records.inputBidding(a2, 1, 2, {{0, QStringLiteral("PASS")}}), S::Stored);
    EXPECT_EQ(records.inputBidding(a1, 1, 2, {{1, QStringLiteral("XX'")}}), S::Stored);
    // The same request again (its answer lost on the way): nothing is stored twice.
    EXPECT_EQ(records.inputBidding(a1, 1, 2, {{1, QStringLiteral("XX'")}}), S::AlreadyStored);
    EXPECT_EQ(records.inputBidding(a1, 1, 2, {{0, QStringLiteral("X")}, {1, QStringLiteral("XX'")}}),
              S::AlreadyStored);
    // A call that only looks like the last one, by another seat, is new.
    EXPECT_EQ(records.inputBidding(a1, 1, 2, {{2, QStringLiteral("XX'")}}), S::Stored);
    EXPECT_EQ(rows(QStringLiteral("SELECT Section, [Table], Round, Board, Counter, Direction, Bid, DateLog, "
                                  "TimeLog FROM BiddingData ORDER BY [Table], Counter")),
              QStringLiteral("1|1|1|2|1|W|1C|2012-03-03|21:05:09 1|1|1|2|2|N|X|2012-03-03|21:05:09 "
                             "1|1|1|2|3|E|XX'|2012-03-03|21:05:09 1|1|1|2|4|S|XX'|2012-03-03|21:05:09 "
                             "1|2|1|2|1|N|PASS|2012-03-03|21:05:09"));
}

} // namespace
} // namespace qzc

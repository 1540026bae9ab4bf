#include "reports/DealFile.h"

#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/GoldenFile.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;

const QStringList kMixedDeal = {QStringLiteral("AKQJ.5432.76.JT9"), QStringLiteral("T98.AKQ.5432.765"),
                                QStringLiteral("765.JT9.AKQJ.432"), QStringLiteral("432.876.T98.AKQ8")};

/// Section A: board 1 a mixed deal, board 3 one suit a hand, board 5 east one card short,
/// board 7 the spade ace twice, board 12 the deal of board 1 with blanks and dashes among
/// the cards; records of boards 0 and 100, and of section B, that do not count. Section C
/// holds hand records of boards 0 and 100 only.
EventBuilder handRecords() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int other = b.addSection(QStringLiteral("B"));
    b.addMitchellMovement(a, 2, 2, 2);
    b.addMitchellMovement(other, 2, 2, 2);
    b.addHandRecord(a, 1, kMixedDeal);
    b.addHandRecord(a, 3,
                    {QStringLiteral("-.-.-.AKQJT98765432"), QStringLiteral("AKQJT98765432.-.-.-"),
                     QStringLiteral("-.AKQJT98765432.-.-"), QStringLiteral("-.-.AKQJT98765432.-")});
    b.addHandRecord(a, 5, {kMixedDeal[0], QStringLiteral("T98.AKQ.5432.76"), kMixedDeal[2], kMixedDeal[3]});
    b.addHandRecord(a, 7, {kMixedDeal[0], QStringLiteral("AT98.AKQ.5432.765"), kMixedDeal[2], kMixedDeal[3]});
    b.addHandRecord(a, 12,
                    {QStringLiteral("A K Q J.5432.76.J-T9"), kMixedDeal[1], kMixedDeal[2], kMixedDeal[3]});
    b.addHandRecord(a, 0, kMixedDeal);
    b.addHandRecord(a, 100, kMixedDeal);
    b.addHandRecord(other, 2, kMixedDeal);
    const int third = b.addSection(QStringLiteral("C"));
    b.addMitchellMovement(third, 2, 2, 2);
    b.addHandRecord(third, 0, kMixedDeal);
    b.addHandRecord(third, 100, kMixedDeal);
    return b;
}

class DealFileTest : public ::testing::Test {
protected:
    bool start(EventBuilder builder) {
        if (!h.buildAndStart(builder))
            return false;
        h.event.eventName = QStringLiteral("Spring Pairs");
        return true;
    }
    test::EventHarness h;
    const QString path = h.filePath(QStringLiteral("club#1.brk"));
};

// The whole file, byte for byte. QZC_UPDATE_GOLDEN=1 rewrites the golden file for review.
TEST_F(DealFileTest, WritesEveryBoardWithItsCheckNumber) {
    ASSERT_TRUE(start(handRecords()));
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier file");
    earlier.close();

    const DealFileOutcome outcome = DealFile(h.db, h.log, h.event).Brannocke_CreateDealFile(1, path);
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(outcome.message,
              QStringLiteral("The hand record of board 5 is not a complete deal: East holds 12 cards.\r\n"
                             "The hand record of board 7 is not a complete deal: SA is held twice.\r\n"
                             "These boards were exported without their deal."));
    const QStringList log = h.logMessages();
    EXPECT_TRUE(log.contains(QStringLiteral("The hand record of board 5 is not a complete deal: East holds "
                                            "12 cards. (Brannocke_CreateDealFile)")));
    EXPECT_EQ(log.last(), QStringLiteral("Export deal completed, ") + path + QLatin1Char('.'));

    QZC_EXPECT_GOLDEN(test::readFileBytes(path), test::goldenPath(__FILE__, "deal_file.brk"));
}

TEST_F(DealFileTest, NothingIsWrittenWithoutAHandRecordOfTheSection) {
    ASSERT_TRUE(start(handRecords()));
    // Section C holds hand records of boards 0 and 100 only.
    DealFileOutcome outcome = DealFile(h.db, h.log, h.event).Brannocke_CreateDealFile(3, path);
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.message, QStringLiteral("No deal record found."));
    EXPECT_EQ(h.logMessages().last(), QStringLiteral("No deal record found"));
    h.event.tablePresent.set(SharedTable::HandRecord, false);
    outcome = DealFile(h.db, h.log, h.event).Brannocke_CreateDealFile(1, path);
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.message, QString());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(DealFileTest, TheBoardRangeAndItsCheck) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(a, 2, 2, 2);
    for (const int board : {32, 1, 17})
        b.addHandRecord(a, board, kMixedDeal);
    ASSERT_TRUE(start(b));
    ASSERT_TRUE(DealFile(h.db, h.log, h.event).Brannocke_CreateDealFile(1, path).written);
    EXPECT_TRUE(test::readFileBytes(path).contains("\r\nFrom board=1\r\nTo board=32\r\n"));
    EXPECT_TRUE(test::readFileBytes(path).contains("\r\nChecksum=33\r\nDuplicates 01=0\r\n"));
}

} // namespace
} // namespace qzc

#include "core/Log.h"
#include "scoring/AllDealFile.h"
#include "scoring/CardNumbers.h"
#include "support/DealFixtures.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::board5Holders;
using test::board5NumberAndMakeable;

TEST(DealDataTest, CardIndex) {
    const std::pair<const char*, int> cases[] = {{"SA", 1},  {"s2", 13}, {"HK", 15}, {"DT", 31}, {"C9", 45},
                                                 {"C2", 52}, {"ca", 40}, {"X5", 0},  {"S", 0},   {"S10", 0},
                                                 {"S1", 0},  {"SAK", 0}, {"", 0}};
    for (const auto& [text, index] : cases)
        EXPECT_EQ(cardIndex(QString::fromLatin1(text)), index) << text;
}

TEST(DealDataTest, SuitHoldingsSetOneHalfOfALetterEach) {
    LetteredDeal deal;
    parseSuitHolding(deal, QStringLiteral("E"), QStringLiteral("S"), QStringLiteral("AK"));
    EXPECT_EQ(deal[0], QStringLiteral("f"));
    parseSuitHolding(deal, QStringLiteral("W"), QStringLiteral("S"), QStringLiteral("K"));
    EXPECT_EQ(deal[0], QStringLiteral("h"));
    // The club two is card 52, the second half of the last letter; "x" and blanks name no card.
    parseSuitHolding(deal, QStringLiteral("s"), QStringLiteral("c"), QStringLiteral("2 x-"));
    EXPECT_EQ(deal[25], QStringLiteral("c"));
    // A position that is no holder pair reads as north's two cards.
    deal[2] = QStringLiteral("zz");
    parseSuitHolding(deal, QStringLiteral("W"), QStringLiteral("S"), QStringLiteral("9"));
    EXPECT_EQ(deal[2], QStringLiteral("d"));
}

class AllDealFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(test::allDealFileText());
    }
    QStringList logLines() const {
        return log.bufferedText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    test::TempFolder folder;
    test::FakeClock clock;
    Log log{clock};
    const QString path = folder.filePath(QStringLiteral("alldeal.txt"));
};

TEST_F(AllDealFileTest, BlocksOfABoard) {
    const AllDealFile file(log, path);
    const std::pair<qint16, const char*> cases[] = {
        // A lone "#" keeps the board; a repeated "#2" right after goes on with it; the block
        // of board 2 after board 5 is never reached.
        {2, "\r\na2\r\nb2\r\nc2"},
        // The first line is never read.
        {1, ""},
        {3, ""},
        {6, ""},
    };
    for (const auto& [board, block] : cases)
        EXPECT_EQ(file.Get_AllDeal(board), QString::fromLatin1(block)) << board;
    EXPECT_TRUE(file.Get_AllDeal(5).startsWith(QStringLiteral("\r\n\tAKQJ\r\n\t5432\r\n-420\t76\r\n")));
    EXPECT_TRUE(file.Get_AllDeal(5).endsWith(QStringLiteral("\r\n4\t9\t4\t9")));
    EXPECT_TRUE(logLines().last().endsWith(QStringLiteral(": Get board deal: 5 (Get_AllDeal)")));

    // Board 0 and below are never looked up; no file named, or none there, gives nothing.
    const qsizetype lines = logLines().size();
    EXPECT_EQ(file.Get_AllDeal(0), QString());
    EXPECT_EQ(file.Get_AllDeal(-3), QString());
    EXPECT_EQ(logLines().size(), lines);
    EXPECT_EQ(AllDealFile(log, QString()).Get_AllDeal(2), QString());
    EXPECT_EQ(AllDealFile(log, folder.filePath(QStringLiteral("none.txt"))).Get_AllDeal(2), QString());

    // Line feeds alone end lines too.
    QFile lf(folder.filePath(QStringLiteral("lf.txt")));
    ASSERT_TRUE(lf.open(QIODevice::WriteOnly));
    lf.write("first\n#7\nline 1\nline 2\n#8\nother\n");
    lf.close();
    EXPECT_EQ(AllDealFile(log, lf.fileName()).Get_AllDeal(7), QStringLiteral("\r\nline 1\r\nline 2"));
}

TEST_F(AllDealFileTest, DealtCardPayloads) {
    const AllDealFile file(log, path);
    const QByteArray north(13, '\0');
    const QByteArray unknown = QByteArray::fromHex("7FFF") + QByteArray(10, '\xFF');
    struct Case {
        qint16 board;
        bool makeable;
        QByteArray payload;
    };
    const Case cases[] = {
        {5, false, board5Holders()},
        {5, true, board5Holders() + board5NumberAndMakeable()},
        // No block, or a block of fewer than twelve lines: every card with north.
        {3, false, north},
        {3, true, north + unknown},
        {2, true, north + unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(file.GetDealtCard(c.board, c.makeable).toHex(' '), c.payload.toHex(' '))
            << c.board << (c.makeable ? " with makeable contracts" : "");
    EXPECT_TRUE(log.bufferedText().contains(QStringLiteral(": Get dealt card\r\n")));
    EXPECT_EQ(AllDealFile(log, QString()).GetDealtCard(5, true), north + unknown);
}

} // namespace
} // namespace qzc

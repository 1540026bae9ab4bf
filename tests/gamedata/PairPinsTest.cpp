#include "gamedata/PairPins.h"

#include "support/Fixtures.h"
#include "support/GameDataHarness.h"

#include <QSqlQuery>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

class PairPinsTest : public ::testing::Test {
protected:
    bool start(test::EventBuilder builder) { return data.start(builder); }
    void addPin(int pair, const char* direction, const char* pin) {
        ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO custom_qz_PlayerPIN VALUES (1, %1, '%2', '%3')")
                                  .arg(pair)
                                  .arg(QLatin1String(direction), QLatin1String(pin))));
    }

    test::GameDataHarness data;
    PairPins pins{data.harness.db, data.harness.log, data.gameData, data.harness.event};
};

struct MarkCase {
    const char* name;
    std::function<test::EventBuilder()> fixture;
    QStringList stored;
};

// Pair 3 sends its PIN first at EW (with pair 9 at NS), then at NS (with pair 4 at EW).
TEST_F(PairPinsTest, APairKeepsOnePinUnlessItsSectionKeepsDirections) {
    const MarkCase cases[] = {
        {"pairs keep their direction: one row per side",
         test::fixtures::mitchell,
         {u"3|EW|0007"_s, u"3|NS|1234"_s, u"4|EW|0099"_s, u"9|NS|0001"_s}},
        {"pairs change direction: the new PIN replaces the pair's",
         test::fixtures::howell,
         {u"3|EW|1234"_s, u"4|EW|0099"_s, u"9|NS|0001"_s}},
    };
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::GameDataHarness fresh;
        PairPins store(fresh.harness.db, fresh.harness.log, fresh.gameData, fresh.harness.event);
        test::EventBuilder b = c.fixture();
        ASSERT_TRUE(fresh.start(b));
        ASSERT_TRUE(store.markPairPIN(QStringLiteral("A1"), PinSubmission{9, 3, 1, 7, 0, 0}));
        ASSERT_TRUE(store.markPairPIN(QStringLiteral("A2"), PinSubmission{3, 4, 1234, 99, 0, 0}));
        QStringList stored;
        std::optional<QSqlQuery> q = fresh.harness.db.select(
            QStringLiteral("SELECT Pair, Direction, PIN FROM custom_qz_PlayerPIN ORDER BY Pair, Direction"));
        while (q && q->next())
            stored << q->value(0).toString() + QLatin1Char('|') + q->value(1).toString() + QLatin1Char('|') +
                          q->value(2).toString();
        EXPECT_EQ(stored, c.stored);
    }
}

TEST_F(PairPinsTest, ListAndTerminalBlockOfAMitchell) {
    ASSERT_TRUE(start(test::fixtures::mitchell()));
    addPin(9, "EW", "0099");
    addPin(3, "NS", "0007");
    addPin(3, "EW", "1234");
    // NS rows are left out: the EW rows carry the same pairs.
    EXPECT_EQ(pins.getPairPINList(), QStringLiteral("A0003,1234;A0009,0099;"));
    EXPECT_EQ(pins.getSectionPINData(QStringLiteral("A")), QByteArray::fromHex("030C22090063"));
    EXPECT_EQ(pins.getSectionPINData(QStringLiteral("B")), QByteArray(1, '\0'));
}

TEST_F(PairPinsTest, TheTerminalBlockHoldsAt509PairsThatFitAByte) {
    ASSERT_TRUE(start(test::fixtures::howell()));
    QStringList values;
    for (int i = 0; i < 600; ++i)
        values << QStringLiteral("(1, %1, 'NS', '1234')").arg(i % 200 + 1);
    ASSERT_TRUE(
        data.exec(QStringLiteral("INSERT INTO custom_qz_PlayerPIN VALUES ") + values.join(QLatin1Char(','))));
    addPin(300, "EW", "1111");
    const std::optional<QByteArray> block = pins.getSectionPINData(QStringLiteral("A"));
    ASSERT_TRUE(block);
    // 1530 bytes would need a sixteenth piece, which the reply cannot have.
    EXPECT_EQ(block->size(), 3 * 509);
    EXPECT_EQ(block->left(3), QByteArray::fromHex("010C22"));
    EXPECT_EQ(block->right(3), QByteArray::fromHex("AA0C22"));

    ASSERT_TRUE(data.exec(QStringLiteral("DELETE FROM custom_qz_PlayerPIN WHERE Pair<>300")));
    EXPECT_EQ(pins.getSectionPINData(QStringLiteral("A")), QByteArray(1, '\0'));
    EXPECT_TRUE(data.logMessages().contains(QStringLiteral(
        "PIN of pair 300 of section A left out: its number does not fit a byte (Database - getallPairPIN)")));
}

} // namespace
} // namespace qzc

#include "gamedata/PlayerSeats.h"

#include "gamedata/PlayerNames.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

class PlayerSeatsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EventBuilder b = test::fixtures::twoSections();
        b.addPlayerName(555, QStringLiteral("Christopher Alexander Montgomery"));
        b.addRegisteredPlayer(1, 3, QStringLiteral("E"), QStringLiteral("555"), QStringLiteral("Monty"), 9);
        b.addRegisteredPlayer(2, 1, QStringLiteral("N"), QStringLiteral("555"), QStringLiteral("Monty"), 1);
        b.addRegisteredPlayer(1, 1, QStringLiteral("W"), QStringLiteral("1"), QStringLiteral("Keep"), 7);
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        ASSERT_TRUE(data.exec(QStringLiteral("UPDATE PlayerNumbers SET name='Keep' WHERE Direction='W'")));
        names.loadPlayerNameList();
    }
    /// u"Section Table Direction|Number|custom_qz_names|name|pair|Updated|TimeLog"_s, ordered.
    QStringList rows() {
        QStringList list;
        std::optional<QSqlQuery> q = data.harness.db.select(QStringLiteral(
            "SELECT Section, [Table], Direction, [Number], custom_qz_names, name, custom_qz_pair,"
            " Updated, TimeLog FROM PlayerNumbers ORDER BY Section, [Table], Direction"));
        while (q && q->next()) {
            QStringList fields;
            for (int i = 0; i < 9; ++i)
                fields << q->value(i).toString();
            list << fields.join(QLatin1Char('|'));
        }
        return list;
    }

    test::GameDataHarness data;
    PlayerNames names{data.harness.db, data.harness.log, data.harness.event, data.harness.config,
                      data.harness.clock};
    PlayerSeats seats{data.harness.db,     data.harness.log, data.harness.clock,
                      data.harness.config, data.gameData,    names,
                      data.harness.event};
};

TEST_F(PlayerSeatsTest, ANumberTakesItsSeatAndLeavesItsOldSeatInTheSection) {
    const QString a1 = QStringLiteral("A1");
    ASSERT_TRUE(seats.markPlayerID(a1, 555, QStringLiteral("N")));
    ASSERT_TRUE(seats.markPlayerID(a1, 0, QStringLiteral("E")));
    ASSERT_TRUE(seats.markPlayerID(a1, 777, QStringLiteral("S")));
    const QString time = QStringLiteral("2026-12-07 19:30:00");
    EXPECT_EQ(rows(), (QStringList{
                          u"1|1|E|0|n/a|n/a|7|0|"_s + time,
                          u"1|1|N|555|Christo A Montgomery|Chris A Montgomery|1|0|"_s + time,
                          u"1|1|S|777|777|777|1|0|"_s + time,
                          u"1|1|W|1|Keep|Keep|7|0|"_s,
                          u"1|3|E||||0|0|"_s + time,
                          u"2|1|N|555|Monty||1|0|"_s,
                      }));
    EXPECT_EQ(seats.getPlayerSeat(QStringLiteral("A"), 555)->table, 1);
    EXPECT_EQ(seats.getPlayerSeat(QStringLiteral("B"), 555)->direction, QStringLiteral("N"));
    EXPECT_FALSE(seats.getPlayerSeat(QStringLiteral("A"), 0));
    EXPECT_FALSE(seats.getPlayerSeat(QStringLiteral("A"), 4242));

    // Without NameToScoring the scoring program's name column is left alone.
    data.harness.config.NameToScoring = false;
    ASSERT_TRUE(seats.markPlayerID(a1, 555, QStringLiteral("W")));
    EXPECT_EQ(rows()[1], u"1|1|N|||Chris A Montgomery|0|0|"_s + time);
    EXPECT_EQ(rows()[3], u"1|1|W|555|Christo A Montgomery|Keep|7|0|"_s + time);
    ASSERT_TRUE(seats.clearTablePlayerID(a1));
    EXPECT_EQ(rows()[3], u"1|1|W|||Keep|0|0|"_s + time);
}

} // namespace
} // namespace qzc

// How many players sit at a table is read from the section's whole movement: a movement that
// names no South or West player is played by pairs whatever the game type, and a row of an
// individual movement that lacks a player sits out even when both South and West are missing.

#include "reports/PopUpResults.h"
#include "support/Fixtures.h"
#include "support/MovementChangeRig.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::MovementChangeRig;
constexpr auto record = &MovementChangeRig::record;

TEST(SeatsOfTheMovementTest, PairsPlayAPairsMovementInAnIndividualGameAndAnEmptySeatSitsOut) {
    {
        SCOPED_TRACE("an individual game on a pairs Mitchell");
        // A1 plays 1 v 4 on boards 1-2 in round 1, A2 2 v 5 on boards 3-4, A3 3 v 6 on 5-6.
        test::EventBuilder b = MovementChangeRig::mitchell(3, 3, 2);
        MovementChangeRig m(b, 3);
        ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
        m.rig.data.setIndividual(true);
        m.rig.data.reload();

        const QByteArray fourPlayers = '\x36' + record(3, 2, 5) + QByteArray(2, '\0');
        m.submit(1, {record(1, 1, 4)});
        m.rig.request(2, fourPlayers);
        EXPECT_EQ(m.submit(3, {record(5, 3, 6), record(6, 3, 6)}).toHex(' '), "49 05 03 06 06 03 06");

        // Stored under round 1 and their pairs, none refused (a refusal flags the table for a
        // reload), and each table owes the boards of its three rounds.
        EXPECT_EQ(
            m.rig.data
                .value(u"SELECT group_concat([Table] || ':' || Round || ':' || PairNS || '-' || PairEW, ' ') "
                       "FROM (SELECT * FROM ReceivedData ORDER BY [Table], Board)"_s)
                .toString(),
            u"1:1:1-4 2:1:2-5 3:1:3-6 3:1:3-6"_s);
        EXPECT_EQ(m.rig.data.value(u"SELECT COUNT(*) FROM Tables WHERE custom_qz_loadsetup=1"_s).toInt(), 0);
        EXPECT_EQ(m.rig.data
                      .value(u"SELECT group_concat(ResultExpected || '/' || ResultGot, ' ') FROM "
                             "(SELECT * FROM custom_qz_TQZ ORDER BY [Table])"_s)
                      .toString(),
                  u"6/1 6/1 6/2"_s);
    }
    {
        SCOPED_TRACE("an individual movement whose row lacks both South and West");
        // A3 seats North 3, East 8 and nobody South or West on boards 5-6 in round 1; North 3,
        // East 9, South 15 and West 16 on boards 3-4 in round 2.
        test::EventBuilder b = test::fixtures::individual();
        b.setStanza(1, 1, 4);
        MovementChangeRig m(b, 3);
        ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
        m.rig.data.setIndividual(true);
        ASSERT_TRUE(m.exec(u"UPDATE RoundData SET South=0, West=0 WHERE [Table]=3 AND Round=1"_s));
        m.rig.data.reload();

        // Round 1's boards are neither dealt nor owed there; round 2's players are seated.
        const QByteArray block = m.rig.data.gameData.getMovementFromMemory(u"A3"_s, 3, 20);
        ASSERT_GT(block.size(), 1);
        EXPECT_EQ(block.at(1) & 0x01, 0);
        EXPECT_EQ(m.rig.data.value(u"SELECT ResultExpected FROM custom_qz_TQZ WHERE [Table]=3"_s).toInt(), 6);
        const qsizetype before = m.rig.sender.sent.size();
        m.rig.request(3, QByteArray::fromHex("20030001090002 0F10"));
        ASSERT_EQ(m.rig.sender.sent.size(), before + 1);
        EXPECT_EQ(m.rig.sender.sent.last().body.mid(3).toHex(' '), "21 00 00 00 00 00 00 00 00");
    }
}

// In a record of a block of four seats South and West go where North and East go (offsets 6 to
// 9), to the other seat of their line (next-seat bits, offset 5: North 0, East 1, South 2, West 3).
bool partnersFollow(const QByteArray& record) {
    const auto bits = [&record](int seat) {
        return (static_cast<quint8>(record.at(5)) >> (2 * seat)) & 3;
    };
    for (int s = 0; s < 2; ++s) {
        if (record.at(8 + s) != record.at(6 + s) || bits(s + 2) != (record.at(6 + s) != 0 ? bits(s) + 2 : 0))
            return false;
    }
    return true;
}

// The code and data of the reply to the table's request (hex), its pieces joined.
QByteArray replyTo(MovementChangeRig& m, int table, const char* request) {
    const qsizetype before = m.rig.sender.sent.size();
    m.rig.request(static_cast<quint16>(table), QByteArray::fromHex(request));
    QByteArray reply;
    for (qsizetype i = before; i < m.rig.sender.sent.size(); ++i)
        reply += m.rig.sender.sent[i].body.mid(3);
    return reply;
}

// A name as the terminals get it: its bytes, padded with zero bytes to 20.
QByteArray field(const char* name) {
    return QByteArray(name).leftJustified(20, '\0');
}

// A Howell of 5 pairs on 3 tables, 3 rounds of 2 boards, in an individual game; A1 seats a pair
// against the phantom (EW 0) every round: NS 1, 2, 3 there. Round 1: 2 v 5 at A2, 3 v 4 at A3;
// round 2: 3 v 1 at A2. Ann and Sue registered as pair 1 at A1, Nat and Sam as pair 3 at A3.
TEST(SeatsOfTheMovementTest, APairsSectionOfAnIndividualGameIsSeatedNamedAndRecappedAsPairs) {
    test::EventBuilder b;
    b.addHowellMovement(b.addSection(u"A"_s), 5, 3, 2);
    b.setStanza(1, 1, 3);
    for (const auto& [table, seat, number, name] : {std::tuple{1, "N", "11", "Ann"},
                                                    {1, "S", "13", "Sue"},
                                                    {3, "N", "31", "Nat"},
                                                    {3, "S", "33", "Sam"}})
        b.addRegisteredPlayer(1, table, QLatin1String(seat), QLatin1String(number), QLatin1String(name),
                              table);
    MovementChangeRig m(b, 3);
    ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
    m.rig.data.setIndividual(true);
    m.rig.data.reload();
    GameData& data = m.rig.data.gameData;

    // Every table's block holds its three rounds, South and West following North and East.
    for (const char* table : {"A1", "A2", "A3"}) {
        SCOPED_TRACE(table);
        const QByteArray block = data.getMovementFromMemory(QLatin1String(table), 3, 20);
        ASSERT_EQ(block.size(), 2 + 3 * 10);
        for (int r = 0; r < 3; ++r)
            EXPECT_TRUE(partnersFollow(block.mid(2 + 10 * r, 10)))
                << block.mid(2 + 10 * r, 10).toHex(' ').data();
    }
    // A1, round 1: NS 1 to A2 East, the phantom stays at A1 East; South and West at West.
    EXPECT_EQ(data.getMovementFromMemory(u"A1"_s, 3, 20).mid(2, 10).toHex(' '),
              "01 00 00 00 01 f5 02 01 02 01");

    // Round 1 played: A2 is seated for round 2, where South and West are pair 3's and pair 1's
    // second players; South's recap (direction 4) is its NS pair's, as North's (1) is.
    m.playRounds(1, 1);
    EXPECT_EQ(replyTo(m, 2, "3C"),
              QByteArray::fromHex("3D50") + field("Nat") + field("Ann") + field("Sam") + field("Sue"));
    const QByteArray northRecap = replyTo(m, 2, "6A01");
    EXPECT_GT(northRecap.size(), 2);
    EXPECT_EQ(replyTo(m, 2, "6A04"), northRecap);
    // The main window's pop-up names them as pairs too.
    PopUpResults popUp(data, m.rig.data.harness.log, m.box, m.rig.host);
    EXPECT_EQ(popUp.ShowCellDetails(u"A"_s, 2, 1, u"1,2,"_s).title, u"Table A2; Round 1; Pair 2/5"_s);
}

} // namespace
} // namespace qzc

// Results entered around a change of the movement by the scoring program: while the change
// waits to be taken up, after it was, and with a table where no one sits in the edge round.
// A result the terminal is told is stored is stored. Logins meanwhile keep the change as the
// scoring program wrote it.

#include "support/MovementChangeRig.h"
#include "support/OtherProgramLock.h"
#include "support/SimWire.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

constexpr char kBid = '\x52';

using test::MovementChangeRig;

QByteArray record(int board, int ns, int ew) {
    return MovementChangeRig::record(board, ns, ew);
}

// A Mitchell of 5 tables, 5 rounds of one board, EW 10 (banded: 105, sent as 10) a phantom,
// so that A1 sits out round 2 holding board 2 and A2 round 3 holding board 4. A1 has played
// round 1 when the scoring program seats late pair 10 in the phantom's place from round 2.
// The late pair's results and bidding are stored at once under the rows that seat it, before
// the program takes the change up; once it is taken up, they stay.
class LatePairTest : public ::testing::TestWithParam<bool> {};

TEST_P(LatePairTest, ResultsOfALatePairAreStoredBeforeTheChangeIsTakenUp) {
    const bool banded = GetParam();
    const int late = banded ? 105 : 10;
    const int sentLate = 10;
    test::EventBuilder b;
    const int a = b.addSection(u"A"_s);
    b.addMitchellMovement(a, 5, 5, 1, banded ? test::PairNumbering{1, 101} : test::PairNumbering{});
    b.setStanza(a, 1, 5);
    // Every band of banded numbers is used.
    if (banded)
        b.addMitchellMovement(b.addSection(u"B"_s), 5, 5, 1, test::PairNumbering{201, 301});
    MovementChangeRig m(b, 5);
    ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
    ASSERT_EQ(m.rig.data.harness.event.bandedPairNumbering, banded);
    ASSERT_TRUE(m.exec(u"UPDATE RoundData SET EWPair=0 WHERE EWPair=%1"_s.arg(late)));
    m.rig.data.reload();
    m.submit(1, {record(1, 1, banded ? 2 : 6)});
    ASSERT_EQ(m.stored(1, 1), u"1:1-%1"_s.arg(banded ? 101 : 6));

    ASSERT_TRUE(m.exec(u"UPDATE RoundData SET EWPair=%1 WHERE EWPair=0 AND Round>=2"_s.arg(late)));
    ASSERT_TRUE(m.exec(u"UPDATE Tables SET UpdateFromRound=2 WHERE Section=1"_s));

    // Single: acknowledged, without asking for a reload.
    EXPECT_EQ(m.submit(1, {record(2, 1, sentLate)}), QByteArray::fromHex("33"));
    EXPECT_EQ(m.stored(1, 2), u"2:1-%1"_s.arg(late));
    // In a list, next to a board the movement in memory places: both accepted, in the pair
    // numbers the terminal uses.
    const char ns2 = banded ? 3 : 2;
    const QByteArray list = m.submit(2, {record(2, ns2, banded ? 4 : 7), record(4, ns2, sentLate)});
    EXPECT_EQ(list, QByteArray::fromHex("4902") + ns2 + char(banded ? 4 : 7) + '\x04' + ns2 + char(sentLate));
    EXPECT_EQ(m.stored(2, 4), u"3:2-%1"_s.arg(late));
    // The bidding of the late pair's board is filed under the round they play it in.
    m.rig.request(1, QByteArray(1, kBid) + QByteArray::fromHex("020014"));
    EXPECT_EQ(m.rig.data.value(u"SELECT group_concat(DISTINCT Round) FROM BiddingData"_s).toString(), u"2"_s);
    EXPECT_TRUE(m.rig.data.logMessages().filter(u"Skip board result"_s).isEmpty());

    // The director takes the change up without a new stanza: every result stays where it is,
    // also when the terminal sends it again.
    m.analyse(false);
    EXPECT_EQ(m.box.shown.size(), 1U);
    m.submit(1, {record(2, 1, sentLate)});
    EXPECT_EQ(m.stored(1, 2), u"2:1-%1"_s.arg(late));
    EXPECT_EQ(m.stored(2, 4), u"3:2-%1"_s.arg(late));
    // A pair that neither the movement nor a stored result seats is not stored.
    m.submit(3, {record(5, banded ? 5 : 3, banded ? 6 : 8)});
    EXPECT_EQ(m.stored(3, 5), u"-"_s);
}

INSTANTIATE_TEST_SUITE_P(Dispatcher, LatePairTest, ::testing::Bool(),
                         [](const auto& p) { return p.param ? "BandedNumbers" : "PlainNumbers"; });

// A Mitchell of 5 tables, 4 rounds of 2 boards; rounds 1-2 entered at every table. In round 3,
// A1 plays NS 1 - EW 9 on boards 5-6 and A2 NS 2 - EW 10 on boards 7-8 when the scoring program
// swaps the EW pairs of A1 and A2 from round 3. A1 enters board 5 before the question, A2
// board 7 while it is up. Once the new movement is in memory (the director answered No, or
// the program started again with the change pending), the rest of round 3 is still entered
// by the pairs that play it, and stored.
class RoundUnderWayTest : public ::testing::TestWithParam<bool> {};

TEST_P(RoundUnderWayTest, TheRestOfTheRoundIsStoredUnderItsPairs) {
    test::EventBuilder b = MovementChangeRig::mitchell(5, 4, 2);
    MovementChangeRig m(b, 5);
    ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
    m.playRounds(1, 2);
    m.submit(1, {record(5, 1, 9)});
    ASSERT_TRUE(m.exec(u"UPDATE RoundData SET EWPair=19-EWPair WHERE Round=3 AND [Table]<=2"_s));
    ASSERT_TRUE(m.exec(u"UPDATE RoundData SET EWPair=17-EWPair WHERE Round=4 AND [Table]<=2"_s));
    ASSERT_TRUE(m.exec(u"UPDATE Tables SET UpdateFromRound=3"_s));
    if (GetParam()) {
        m.box.whileShown = [&m] {
            m.submit(2, {record(7, 2, 10)});
        };
        m.analyse(false);
        ASSERT_EQ(m.box.shown.size(), 1U);
    } else {
        m.submit(2, {record(7, 2, 10)});
        m.rig.data.reload();
    }
    ASSERT_EQ(m.rig.data.gameData.mem_GetTablePairs(u"A1"_s, 3), u"1/10"_s);

    // Answered as stored (the reload flag aside: the analysis asks every table to reload).
    EXPECT_EQ(m.submit(1, {record(6, 1, 9)}).at(0) & 0x7f, 0x33);
    const QByteArray list = m.submit(2, {record(8, 2, 10)}, true);
    EXPECT_EQ(list.at(0) & 0x7f, 0x49);
    EXPECT_EQ(list.mid(1), QByteArray::fromHex("08020a"));
    for (const auto& [table, board, pairs] : {std::tuple{1, 5, "3:1-9"}, std::tuple{1, 6, "3:1-9"},
                                              std::tuple{2, 7, "3:2-10"}, std::tuple{2, 8, "3:2-10"}}) {
        EXPECT_EQ(m.stored(table, board), QLatin1String(pairs)) << table << "/" << board;
    }
    // A3 has nothing of round 3 stored: a pair its row does not seat is still not stored.
    m.submit(3, {record(9, 3, 7)});
    EXPECT_EQ(m.stored(3, 9), u"-"_s);
    EXPECT_EQ(m.rig.data.logMessages().filter(u"Skip board result"_s),
              QStringList{u"Skip board result: A3,0,3,7;9"_s});
}

INSTANTIATE_TEST_SUITE_P(Dispatcher, RoundUnderWayTest, ::testing::Bool(),
                         [](const auto& p) { return p.param ? "AnsweredNo" : "StartedAgain"; });

// The test Howell of 5 pairs on 3 tables, 3 rounds of 2 boards, where A1 seats A3's pairs in
// round 3 and no one sits at A3: what its terminal enters there is stored as not played. A1
// and A2 have stored one board of round 3 when the scoring program changes the movement from
// round 3. A3 has completed nothing: the director is asked, and No keeps every result.
TEST(EmptyEdgeRowTest, CompletesNothingAndTheDirectorIsAsked) {
    test::EventBuilder b;
    const int a = b.addSection(u"A"_s);
    b.addHowellMovement(a, 5, 3, 2);
    b.setStanza(a, 1, 3);
    MovementChangeRig m(b, 3);
    ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
    ASSERT_TRUE(m.exec(u"UPDATE RoundData SET NSPair=5, EWPair=1 WHERE [Table]=1 AND Round=3"_s));
    ASSERT_TRUE(m.exec(u"UPDATE RoundData SET NSPair=0, EWPair=0 WHERE [Table]=3 AND Round=3"_s));
    m.rig.data.reload();
    for (const MovementRow& row : std::vector(m.rig.data.gameData.movementRows())) {
        for (const qint16 board : row.boards) {
            if (row.Round <= 2 || row.Table == 3 || board == row.boards.first())
                m.submit(row.Table, {record(board, row.NSPair, row.EWPair)});
        }
    }
    const QString notPlayed = u"SELECT COUNT(*) FROM ReceivedData WHERE Round=3 AND Remarks='Not played'"_s;
    ASSERT_EQ(m.rig.data.value(notPlayed).toInt(), 2);
    const QString edgeRound = u"SELECT COUNT(*) FROM ReceivedData WHERE Round=3"_s;
    ASSERT_EQ(m.rig.data.value(edgeRound).toInt(), 4);
    ASSERT_TRUE(m.exec(u"UPDATE Tables SET UpdateFromRound=3"_s));

    m.analyse(false);
    EXPECT_EQ(m.box.shown.size(), 1U);
    EXPECT_TRUE(m.rig.data.logMessages().filter(u"completed"_s).isEmpty());
    EXPECT_EQ(m.rig.data.value(edgeRound).toInt(), 4);
}

// A Mitchell of 5 tables, 4 rounds of 2 boards, terminals at A1-A4; rounds 1-3 played and, in
// a stanza from round 1, A1's first board of round 4. The scoring program changes the movement
// from round 4; a terminal logs in at vacant A5 while the director is asked, or A2's confirms
// its set-up while the change is being committed. The director answers Yes.
TEST(MovementChangeLoginTest, ALoginOrAConfirmedSetupKeepsTheMarksOfAnUndecidedChange) {
    struct Case {
        const char* name;
        quint16 terminal;
        const char* requests;
        int stanzaBegin;
        bool decidedFirst;
        /// "mode:edge marks" after two checks, and the questions asked.
        const char* outcome;
        std::size_t questions;
    };
    const Case cases[] = {
        {"login while asked", 5, "0A 03 14|14 01 05", 1, false, "2:3 44444", 1},
        {"confirmed while committed", 2, "70", 1, false, "2:3 44440", 1},
        {"confirmed once decided (No)", 2, "70", 1, true, "1:4 40444", 1},
        {"confirmed on a change from the stanza's first round", 2, "70", 4, false, "0:4 40444", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::EventBuilder b = MovementChangeRig::mitchell(5, 4, 2);
        b.setStanza(1, c.stanzaBegin, 4);
        MovementChangeRig m(b, 4);
        ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
        m.playRounds(1, 3);
        if (c.stanzaBegin == 1)
            m.submit(1, {record(7, 1, 8)});
        const QString changeFromRound4 = u"UPDATE Tables SET UpdateFromRound=4"_s;
        const auto send = [&m, &c] {
            for (const QString& request : QString::fromLatin1(c.requests).split(u'|'))
                m.rig.request(c.terminal, test::wire::bytes(request.toLatin1().constData()));
        };
        if (c.terminal == 5) {
            ASSERT_TRUE(m.exec(changeFromRound4));
            m.box.whileShown = send;
        } else {
            if (c.decidedFirst && m.exec(changeFromRound4))
                m.analyse(false);
            const test::OtherProgramLock scoringProgram(m.rig.data.harness.db.path(),
                                                        std::chrono::milliseconds(300), changeFromRound4);
            send();
        }
        m.analyse(true);
        m.analyse(true);
        EXPECT_EQ(
            m.rig.data
                .value(u"SELECT custom_qz_UFRmode || ':' || custom_qz_StanazEdgeGameRound || ' ' || "
                       "(SELECT group_concat(UpdateFromRound, '') FROM (SELECT UpdateFromRound FROM Tables "
                       "ORDER BY [Table])) FROM Section"_s)
                .toString()
                .toStdString(),
            c.outcome);
        EXPECT_EQ(m.box.shown.size(), c.questions);
    }
}

} // namespace
} // namespace qzc

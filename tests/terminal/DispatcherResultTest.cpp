// Board results with their feedback, list results, stored results and the main window's
// refresh after a result, end to end through the pseudo-terminal.

#include "DispatcherPtyFixture.h"
#include "gamedata/GameDataAnalysis.h"
#include "scoring/ContractScore.h"
#include "support/CaseNames.h"
#include "support/Fixtures.h"
#include "support/ScriptedMessageBox.h"

#include <QSqlQuery>
#include <array>
#include <functional>
#include <map>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::Exchange;
using test::ResultRow;
using test::to;
using test::wire::bytes;

class DispatcherResultTest : public test::DispatcherPtyTest {
protected:
    /// "round|contract|remarks|declarer|lead|score|NS|EW" of the stored row of the table and
    /// board ("-" when there is none).
    QString stored(int section, int table, int board) {
        std::optional<QSqlQuery> q = data().harness.db.select(
            QStringLiteral(
                "SELECT Round, Contract, Remarks, custom_qz_declarer, LeadCard, custom_qz_score, PairNS, "
                "PairEW FROM ReceivedData WHERE Section=%1 AND [Table]=%2 AND Board=%3")
                .arg(section)
                .arg(table)
                .arg(board));
        if (!q || !q->next())
            return QStringLiteral("-");
        QStringList fields;
        for (int i = 0; i < 8; ++i)
            fields << q->value(i).toString();
        return fields.join(QLatin1Char('|'));
    }
    int count(const QString& sql) { return data().value(sql).toInt(); }

    // Section A of the Mitchell fixture in its second stanza, rounds 4 to 6: A1 plays NS 1 -
    // EW 14 on boards 4-6 in round 2, NS 1 - EW 12 on boards 10-12 in round 4.
    void startInTheSecondStanza() {
        test::EventBuilder b = test::fixtures::multiStanza();
        b.setStanza(1, 4, 6);
        start(b);
    }
};

// The small event: A1 plays NS 1 - EW 2 on boards 1-2, then NS 1 - EW 4 on boards 3-4; A2
// plays NS 3 - EW 4 on boards 3-4, then NS 3 - EW 2 on boards 1-2.
TEST_F(DispatcherResultTest, ContractsPassesAdjustedScoresAndNotPlayed) {
    test::EventBuilder b = test::smallEvent();
    b.addTerminal(0x0011, 1, 1);
    b.addTerminal(0x8002, 1, 2);
    start(b);
    struct Step {
        const char* name;
        const char* style;
        quint16 terminal;
        const char* request;
        const char* reply;
        int board;
        int table;
        const char* row;
    };
    const Step steps[] = {
        {"4S by North, 10 tricks, lead HK: nothing to compare yet", "1", 0x0011, "34 01 1C 28 36 01 02", "33",
         1, 1, "1|4 S||N|HK|420|1|2"},
        {"3NT by East, 9 tricks, lead SA: the traveller shows A1's result", "1", 0x8002,
         "34 01 23 25 07 03 02", "33 1C 28 36", 1, 2, "2|3 NT||E|SA|-400|3|2"},
        {"the frequencies of board 1", "2", 0x8002, "34 01 23 25 07 03 02", "35 01 A4 01 81 90 01", 1, 2,
         "2|3 NT||E|SA|-400|3|2"},
        {"passed out: declarer and lead dropped, feedback all the same", "2", 0x0011, "34 02 00 00 36 01 02",
         "35 00 00 01", 2, 1, "1|PASS||||0|1|2"},
        {"an adjusted score: no feedback whatever the style", "2", 0x0011, "34 03 00 3E 36 01 04", "37", 3, 1,
         "2||50%-50%|||0|1|4"},
        {"not played: a remark, no score to show", "2", 0x8002, "34 03 38 00 40 03 04", "35", 3, 2,
         "1||Not played|||0|3|4"},
        {"no feedback asked", "-1", 0x0011, "34 04 19 1C 05 01 04", "37", 4, 1, "2|1 S||N|DA|80|1|4"},
        // No pairs: no movement row matches; not stored, the table must reload its set-up.
        {"no pairs", "-1", 0x8002, "34 04 19 1C 05 00 00", "B7", 4, 2, "-"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        setSetting("custom_qz_feedbackstyle", s.style);
        const Exchange e = send(s.terminal, s.request);
        EXPECT_EQ(e.result, 0);
        EXPECT_EQ(e.frames, QList<QByteArray>{to(s.terminal, s.reply)});
        EXPECT_EQ(stored(1, s.table, s.board), QLatin1String(s.row));
    }
    EXPECT_TRUE(logged(QStringLiteral("Skip board result: A2,0,0,0;4")));
    EXPECT_TRUE(data().gameData.getLoadSetupTables(QStringLiteral("A2")));
    EXPECT_EQ(host().gridQueue.text(), QStringLiteral("[1][2][0]"));
    EXPECT_EQ(host().tableStatusRefreshes, 8);
    EXPECT_EQ(count(QStringLiteral("SELECT ResultGot FROM custom_qz_TQZ WHERE TQZ_ID=17")), 4);
}

// Board 1 of the small event with 40 more results of other tables, contracts made by North
// that score the 40 highest scores such contracts can, each of them once, the highest at
// table 10; A1's own result scores 420.
TEST_F(DispatcherResultTest, TravellerWithheldAbove15ResultsAndTheFrequenciesCutAt34Scores) {
    test::EventBuilder b = test::smallEvent();
    b.addTerminal(0x0011, 1, 1);
    const char* const strains[] = {"C", "D", "H", "S", "NT"};
    const char* const doublings[] = {"", "X", "XX"};
    // Score, then level, strain, doubling and tricks of the contract that scores it.
    std::map<int, std::array<int, 4>, std::greater<>> made;
    for (int level = 1; level <= 7; ++level) {
        for (int strain = 0; strain < 5; ++strain) {
            for (int doubling = 0; doubling < 3; ++doubling) {
                const QString contract = QString::number(level) + QLatin1String(strains[strain]) +
                                         QLatin1String(doublings[doubling]);
                for (int tricks = 6 + level; tricks <= 13; ++tricks)
                    made.emplace(
                        calcContractScore(1, contract, QStringLiteral("N"), static_cast<qint16>(tricks)),
                        std::array<int, 4>{level, strain, doubling, tricks});
            }
        }
    }
    QByteArray traveller;
    QByteArray frequencies;
    auto next = made.begin();
    for (int i = 0; i < 40; ++i, ++next) {
        const auto& [score, contract] = *next;
        const auto [level, strain, doubling, tricks] = contract;
        b.addResult(ResultRow::played(1, 10 + i, 1, 1, 10 + i, 60 + i,
                                      QString::number(level) + QLatin1String(strains[strain]) +
                                          QLatin1String(doublings[doubling]),
                                      QStringLiteral("N"), tricks));
        if (i < 34)
            traveller += static_cast<char>(level + 8 * strain + 64 * doubling) +
                         QByteArray(1, static_cast<char>(4 * tricks)) + QByteArray(1, '\0');
        if (i < 33)
            frequencies += QByteArray(1, static_cast<char>(score / 256)) +
                           QByteArray(1, static_cast<char>(score % 256)) + QByteArray(1, '\x01');
    }
    start(b);
    const char* const request = "34 01 1C 28 36 01 02";
    struct Case {
        const char* name;
        const char* scoring;
        const char* style;
        QByteArray reply;
    };
    const Case cases[] = {
        {"cross-IMPs: the 34 highest of 40 other results", "0", "1", bytes("33") + traveller},
        {"cross-IMPs, traveller or frequencies", "0", "0", bytes("33") + traveller},
        {"matchpoints: more than 15 other results, frequencies instead", "2", "1",
         bytes("35") + frequencies + bytes("A7 0F FF")},
        {"matchpoints, traveller or frequencies", "2", "0", bytes("35") + frequencies + bytes("A7 0F FF")},
        {"frequencies", "0", "2", bytes("35") + frequencies + bytes("A7 0F FF")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setSetting("custom_qz_scoringtype", c.scoring);
        setSetting("custom_qz_feedbackstyle", c.style);
        const Exchange e = send(0x0011, request);
        EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0011, c.reply)});
    }

    // 16 other results are still too many for a matchpoint traveller, 15 are not.
    setSetting("custom_qz_scoringtype", "2");
    setSetting("custom_qz_feedbackstyle", "1");
    ASSERT_TRUE(data().exec(QStringLiteral("DELETE FROM ReceivedData WHERE [Table]>=26")));
    Exchange e = send(0x0011, request);
    ASSERT_EQ(e.frames.size(), 1);
    EXPECT_EQ(e.frames[0].mid(4, 1), bytes("35"));
    EXPECT_EQ(static_cast<quint8>(e.frames[0][3]), 1 + 3 * 17);
    ASSERT_TRUE(data().exec(QStringLiteral("DELETE FROM ReceivedData WHERE [Table]=25")));
    e = send(0x0011, request);
    EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0011, bytes("33") + traveller.left(45))});
}

TEST_F(DispatcherResultTest, ListsOutOfStanzaRounds) {
    startInTheSecondStanza();
    struct Step {
        const char* name;
        const char* request;
        const char* reply;
    };
    const Step steps[] = {
        {"two records of the stanza and one of round 2",
         "48 0A 23 24 40 01 0C 0B 23 24 40 01 0C 04 23 24 40 01 0E", "C9 0A 01 0C 0B 01 0C"},
        {"a skipped record does not keep the next ones out",
         "48 05 23 24 40 01 0E 0C 23 24 40 01 0C 0A 23 24 40 01 0C", "C9 0C 01 0C 0A 01 0C"},
        {"a single result of round 2: no feedback", "34 06 23 24 40 01 0E", "B7"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        const Exchange e = send(101, s.request);
        EXPECT_EQ(e.result, 0);
        EXPECT_EQ(e.frames, QList<QByteArray>{to(101, s.reply)});
    }
    EXPECT_EQ(stored(1, 1, 10), QStringLiteral("4|3 NT||N|--|600|1|12"));
    EXPECT_EQ(stored(1, 1, 4), QStringLiteral("-"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ReceivedData WHERE [Table]=1")), 3);
    const QStringList skips = log().filter(QStringLiteral("Skip board result: "));
    EXPECT_EQ(skips, (QStringList{u"Skip board result: A1,2,1,14;4"_s, u"Skip board result: A1,2,1,14;5"_s,
                                  u"Skip board result: A1,2,1,14;6"_s}));
    EXPECT_EQ(host().gridQueue.text(), QStringLiteral("[2][1][4][3]"));
}

// Board 0 and more than 13 tricks fit no deal: nothing is stored, the record is
// acknowledged (a single one without feedback) and the reply tells the terminal to reload
// its set-up, so that it stops sending the record.
TEST_F(DispatcherResultTest, BoardZeroAndFourteenTricksAreAcknowledgedWithTheReloadFlag) {
    startInTheSecondStanza();
    struct Step {
        const char* name;
        const char* request;
        const char* reply;
        const char* logged;
    };
    const Step steps[] = {
        {"board 0", "34 00 23 24 40 01 0C", "B7", "00 23 24 40 01 0C"},
        {"14 tricks", "34 0B 23 3A 40 01 0C", "B7", "0B 23 3A 40 01 0C"},
        {"board 0 in a list beside a good record", "48 00 23 24 40 01 0C 0B 23 24 40 01 0C",
         "C9 00 01 0C 0B 01 0C", "00 23 24 40 01 0C"},
        {"14 tricks in a list", "48 0A 23 38 40 01 0C", "C9 0A 01 0C", "0A 23 38 40 01 0C"},
        {"an individual game's list", "4A 00 23 24 40 01 0C 00 00", "CB 00 01 0C 00 00",
         "00 23 24 40 01 0C 00 00"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        data().gameData.setflagloadsetup(true, QStringLiteral("A1"), 0);
        const Exchange e = send(101, s.request);
        EXPECT_EQ(e.result, 0);
        EXPECT_EQ(e.frames, QList<QByteArray>{to(101, s.reply)});
        EXPECT_TRUE(logged(QStringLiteral("sys-err1003 Invalid message format: A1: ") +
                           QLatin1String(s.logged) + QStringLiteral(" (doMsg)")));
    }
    // Only the good record is stored.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ReceivedData WHERE [Table]=1")), 1);
    EXPECT_EQ(stored(1, 1, 11), QStringLiteral("4|3 NT||N|--|400|1|12"));
}

TEST_F(DispatcherResultTest, BandedPairNumbersGoBackToTheMovementsOwn) {
    // A1 plays NS 1 - EW 101 in round 1 (the terminal knows them as 1 and 2) and NS 1 - EW
    // 110 in round 2 (1 and 20).
    test::EventBuilder b = test::fixtures::bandedPairs();
    b.setStanza(1, 1, 3);
    b.setStanza(2, 1, 3);
    b.addTerminal(0x0A01, 1, 1);
    start(b);
    ASSERT_TRUE(data().harness.event.bandedPairNumbering);
    EXPECT_EQ(send(0x0A01, "48 01 23 24 40 01 02 02 23 24 40 01 02").frames,
              QList<QByteArray>{to(0x0A01, "49 01 01 02 02 01 02")});
    EXPECT_EQ(stored(1, 1, 1), QStringLiteral("1|3 NT||N|--|400|1|101"));
    EXPECT_EQ(send(0x0A01, "48 03 23 24 40 01 14").frames, QList<QByteArray>{to(0x0A01, "49 03 01 14")});
    EXPECT_EQ(stored(1, 1, 3), QStringLiteral("2|3 NT||N|--|400|1|110"));
}

// With EW 110 missing, A1 sits out round 2 and A10 round 1; A2 has stored round 2 when it
// plays a board of round 1. Each result is mapped through the row that plays its board.
TEST_F(DispatcherResultTest, BandedPairNumbersOfAnyRoundAfterASitOut) {
    test::EventBuilder b = test::fixtures::bandedPairs();
    b.setMissingPair(1, 110);
    b.setStanza(1, 1, 3);
    b.addResult(ResultRow::played(1, 2, 2, 5, 2, 101, u"3NT"_s, u"N"_s, 9));
    for (const int table : {1, 2, 10})
        b.addTerminal(0x0A00 + table, 1, table);
    start(b);
    const struct {
        int table;
        const char* request;
        const char* reply;
        int board;
        const char* row;
    } steps[] = {
        {1, "48 01 23 24 40 01 02", "49 01 01 02", 1, "1|3 NT||N|--|400|1|101"},
        {1, "48 05 23 24 40 01 12", "49 05 01 12", 5, "3|3 NT||N|--|600|1|109"},
        {10, "48 01 23 24 40 13 12", "49 01 13 12", 1, "2|3 NT||N|--|400|10|109"},
        {2, "48 03 23 24 40 03 04", "49 03 03 04", 3, "1|3 NT||N|--|400|2|102"},
    };
    for (const auto& s : steps) {
        const auto terminal = static_cast<quint16>(0x0A00 + s.table);
        EXPECT_EQ(send(terminal, s.request).frames, QList<QByteArray>{to(terminal, s.reply)}) << s.request;
        EXPECT_EQ(stored(1, s.table, s.board), QLatin1String(s.row));
    }
}

TEST_F(DispatcherResultTest, IndividualGameResults) {
    // A1 seats North 1, East 6, South 11 and West 16 on boards 1-2 in round 1.
    test::EventBuilder b = test::fixtures::individual();
    b.setStanza(1, 1, 4);
    b.addTerminal(0x0C01, 1, 1);
    start(b);
    setSetting("custom_qz_gametype", "1");
    // A record and five bytes that make no record.
    EXPECT_EQ(send(0x0C01, "4A 02 12 23 31 01 06 0B 10 01 02 03 04 05").frames,
              QList<QByteArray>{to(0x0C01, "4B 02 01 06 0B 10")});
    EXPECT_EQ(count(QStringLiteral("SELECT South*100+West FROM ReceivedData WHERE Board=2")), 1116);
    EXPECT_EQ(send(0x0C01, "36 01 21 22 31 01 06 0B 10").frames, QList<QByteArray>{to(0x0C01, "33")});
    EXPECT_EQ(stored(1, 1, 1), QStringLiteral("1|1 NT||S|DQ|120|1|6"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ReceivedData")), 2);
}

struct RoundCase {
    const char* name;
    int boardsPerRound;
    int played;
    int round;
};

class DispatcherRoundTest : public test::DispatcherPtyTest,
                            public ::testing::WithParamInterface<RoundCase> {};

// A section without a movement in memory: the round of a result is the number of results
// the table has played, in rounds of the event's boards per round; without boards per
// round it is round 1.
TEST_P(DispatcherRoundTest, RoundsCountedWithoutAMovement) {
    const RoundCase c = GetParam();
    test::EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int t = 1; t <= 4; ++t)
        b.addTable(a, t);
    b.setStanza(a, 1, 4);
    b.setOwnSetting(QStringLiteral("custom_qz_roundboard"), c.boardsPerRound);
    b.setOwnSetting(QStringLiteral("custom_qz_totalboard"), 12);
    b.addTerminal(0x0E02, a, 2);
    for (int i = 0; i < c.played; ++i)
        b.addResult(
            ResultRow::played(a, 2, 1 + i / 3, 1 + i, 2, 6, QStringLiteral("2C"), QStringLiteral("S"), 8));
    start(b);
    EXPECT_EQ(send(0x0E02, "34 0C 23 24 40 02 06").frames.size(), 1);
    EXPECT_EQ(data().value(QStringLiteral("SELECT Round FROM ReceivedData WHERE Board=12")).toInt(), c.round);
    EXPECT_EQ(
        logged(QStringLiteral("Boards per round not set: the result of A2 is taken for round 1 (doMsg)")),
        c.boardsPerRound == 0);
}

// Printed by its name, not as a dump of its bytes.
void PrintTo(const RoundCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(PlayedAndBoardsPerRound, DispatcherRoundTest,
                         ::testing::Values(RoundCase{"SevenPlayedThreeARound", 3, 7, 2},
                                           RoundCase{"TwoPlayedThreeARound", 3, 2, 1},
                                           RoundCase{"BoardsPerRoundNotSet", 0, 7, 1}),
                         test::CaseName());

TEST_F(DispatcherResultTest, AResultTheDatabaseRefusesIsNeverAcknowledged) {
    test::EventBuilder b = test::smallEvent();
    b.addTerminal(0x0011, 1, 1);
    b.addResult(ResultRow::played(1, 1, 1, 2, 1, 2, QStringLiteral("2H"), QStringLiteral("S"), 8));
    start(b);
    ASSERT_TRUE(
        data().exec(QStringLiteral("CREATE TRIGGER full_disk BEFORE INSERT ON ReceivedData WHEN NEW.Board=2 "
                                   "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    const Exchange single = send(0x0011, "34 02 23 24 40 01 02");
    EXPECT_EQ(single.result, 1007);
    EXPECT_TRUE(single.frames.isEmpty());
    EXPECT_TRUE(logged(QStringLiteral("sys-err1007 Fail to write board result: 34 02 23 24 40 01 02 "
                                      "(ProcessQueue - doMsg)")));
    EXPECT_EQ(stored(1, 1, 2), QStringLiteral("1|2 H||S||110|1|2"));

    EXPECT_EQ(send(0x0011, "48 01 23 24 40 01 02 02 23 24 40 01 02").frames,
              QList<QByteArray>{to(0x0011, "49 01 01 02")});
    EXPECT_TRUE(
        logged(QStringLiteral("sys-err1007 Fail to write board result: A1: 02 23 24 40 01 02 (doMsg)")));
    EXPECT_EQ(stored(1, 1, 2), QStringLiteral("1|2 H||S||110|1|2"));
    EXPECT_EQ(stored(1, 1, 1), QStringLiteral("1|3 NT||N|--|400|1|2"));
}

TEST_F(DispatcherResultTest, StoredResults) {
    // A1 has boards 1 (4S by North, 11 tricks) and 2 (3NT by East, 9 tricks) of round 1
    // stored at 19:45:00 on 2026-12-07; A5 has eight results; A3 none.
    test::EventBuilder b = test::fixtures::mitchell();
    b.setStanza(1, 1, 7);
    for (int board = 13; board <= 20; ++board)
        b.addResult(ResultRow::played(1, 5, 3, board, 5, 9, QStringLiteral("4S"), QStringLiteral("N"), 10));
    b.addTerminal(0x0D01, 1, 1);
    b.addTerminal(0x0D03, 1, 3);
    b.addTerminal(0x0D05, 1, 5);
    start(b);
    const QByteArray stamp = bytes("07 EA 0C 07 13 2D 00");
    EXPECT_EQ(send(0x0D01, "66").frames,
              QList<QByteArray>{
                  to(0x0D01, bytes("67 11 01 1C 2C 00 01 08") + stamp + bytes("02 23 25 00 01 08") + stamp)});
    EXPECT_EQ(send(0x0D01, "6C").frames,
              QList<QByteArray>{to(0x0D01, bytes("6D 11 01 1C 2C 00 01 08 00 00") + stamp +
                                               bytes("02 23 25 00 01 08 00 00") + stamp)});
    EXPECT_EQ(send(0x0D03, "66").frames, QList<QByteArray>{to(0x0D03, "67 11 00")});

    QByteArray eight;
    for (int board = 13; board <= 20; ++board)
        eight += QByteArray(1, static_cast<char>(board)) + bytes("1C 28 00 05 09") + stamp;
    EXPECT_EQ(send(0x0D05, "66").frames, (QList<QByteArray>{to(0x0D05, bytes("67 21") + eight.left(102)),
                                                            to(0x0D05, bytes("67 22") + eight.mid(102))}));
    // The later pieces are paced.
    EXPECT_EQ(sender.delays, (std::vector<bool>{false, false, false, false, true}));
}

TEST_F(DispatcherResultTest, StoredResultsOfAnIndividualGame) {
    test::EventBuilder b = test::fixtures::individual();
    b.setStanza(1, 1, 4);
    b.addTerminal(0x0C01, 1, 1);
    start(b);
    EXPECT_EQ(send(0x0C01, "6C").frames,
              QList<QByteArray>{to(0x0C01, "6D 11 01 21 22 00 01 06 0B 10 07 EA 0C 07 13 2D 00")});
}

// The small event with a third round in RoundData beyond the stanza: once every terminal
// has its results the section is ready for its next stanza.
TEST_F(DispatcherResultTest, TheMainWindowAfterAResult) {
    test::EventBuilder b = test::smallEvent();
    b.addRound(test::RoundRow{1, 1, 3, 1, 2, 0, 0, 1, 2});
    b.addRound(test::RoundRow{1, 2, 3, 3, 4, 0, 0, 3, 4});
    b.addTerminal(0x0011, 1, 1);
    b.addTerminal(0x0012, 1, 2);
    start(b);
    host().analyzeTimerOn = true;
    host().entries = {1};
    host().listIndex = 0;
    const char* const a1[] = {"34 01 23 24 40 01 02", "34 02 23 24 40 01 02", "34 03 23 24 40 01 04"};
    const char* const a2[] = {"34 03 23 24 40 03 04", "34 04 23 24 40 03 04", "34 01 23 24 40 03 02",
                              "34 02 23 24 40 03 02"};
    for (const char* r : a1)
        send(0x0011, r);
    for (const char* r : a2)
        send(0x0012, r);
    EXPECT_TRUE(log().filter(QStringLiteral("found completed")).isEmpty());
    EXPECT_TRUE(host().analyzeRestarts.empty());
    EXPECT_TRUE(host().stanzaStates.empty());

    // Shown under the analysis' name, as the analysis shows the same state.
    const QString analysis = QStringLiteral("AnalyzeGameDB");
    send(0x0011, "34 04 23 24 40 01 04");
    EXPECT_TRUE(logged(QStringLiteral("All TQZ (2) found completed. (doMsg)")));
    EXPECT_EQ(host().analyzeRestarts, (std::vector<int>{200}));
    using Shown = std::vector<std::pair<StanzaState, QString>>;
    EXPECT_EQ(host().stanzaStates, (Shown{{StanzaState::ReadyForNextStanza, analysis}}));
    EXPECT_EQ(host().gridQueue.text(), QStringLiteral("[1][2]"));
    EXPECT_EQ(host().tableStatusRefreshes, 8);

    // A2's terminal no longer counts as expecting results, but A2 misses one: the section
    // still owes results of its stanza.
    ASSERT_TRUE(data().exec(QStringLiteral("DELETE FROM ReceivedData WHERE [Table]=2 AND Board=2")));
    ASSERT_TRUE(data().exec(QStringLiteral("UPDATE custom_qz_TQZ SET ResultExpected=0 WHERE TQZ_ID=18")));
    send(0x0011, "34 04 23 24 40 01 04");
    EXPECT_TRUE(logged(QStringLiteral("All TQZ (1) found completed. (doMsg)")));
    EXPECT_EQ(host().stanzaStates.back(), std::make_pair(StanzaState::ResultsOwed, analysis));

    // Without the main window nothing is refreshed.
    host().loaded = false;
    host().gridQueue.clear();
    send(0x0011, "34 04 23 24 40 01 04");
    EXPECT_TRUE(host().gridQueue.isEmpty());
    EXPECT_EQ(host().tableStatusRefreshes, 9);
}

// 5 pairs on 3 tables, 3 rounds of 2 boards, all tables of a round on boards 1-2, 5-6 and 9-10;
// A1 seats the pair that sits out (EW 0), its rows with the round's boards or without a range
// (the top boards 62-63). Rounds 1 and 2 are played, A2 and A3 have played board 9 of round
// 3, and the scoring program changed the movement from round 3.
class SitOutResultTest : public ::testing::TestWithParam<bool> {};

TEST_P(SitOutResultTest, IsNotStoredAndTheEdgeRoundStillAsks) {
    test::TestCoreApp app;
    test::DispatchRig rig;
    test::EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addHowellMovement(a, 5, 3, 2);
    b.setStanza(a, 1, 3);
    for (int t = 1; t <= 3; ++t) {
        b.setUpdateFromRound(a, t, 3);
        b.addTerminal(t, a, t);
    }
    ASSERT_TRUE(rig.start(b)) << rig.failure().toStdString();
    if (!GetParam()) {
        ASSERT_TRUE(rig.data.exec(u"UPDATE RoundData SET LowBoard=NULL, HighBoard=NULL WHERE EWPair=0"_s));
        rig.data.reload();
    }
    // 4S by North, taking tricks, through the table's terminal.
    auto enter = [&rig](int table, int board, int ns, int ew, int tricks) {
        const char request[] = {'\x34',
                                static_cast<char>(board),
                                '\x1c',
                                static_cast<char>(4 * tricks),
                                '\x36',
                                static_cast<char>(ns),
                                static_cast<char>(ew)};
        rig.request(static_cast<quint16>(table), QByteArray(request, sizeof request));
    };
    for (const MovementRow& row : rig.data.gameData.movementRows()) {
        for (const qint16 board : row.boards) {
            if (row.Table > 1 && (row.Round < 3 || board == 9))
                enter(row.Table, board, row.NSPair, row.EWPair, 8 + row.Table);
        }
    }
    const QString rows =
        u"SELECT group_concat(Round || ':' || Board || ':' || PairNS || '-' || PairEW || ':' || "
        "custom_qz_score, ' ') FROM (SELECT * FROM ReceivedData ORDER BY [Table], Round, Board)"_s;
    const QString stored = rig.data.value(rows).toString();
    auto ranking = [&rig] {
        rig.request(2, QByteArray(1, '\x38'));
        return rig.sender.bodies().last();
    };
    const QByteArray ranked = ranking();

    // Pair 1 (round 1) and pair 3 (round 3) enter the boards A1's block offers them. Each is
    // answered and left unstored, A1 asked to reload its movement.
    const int first = GetParam() ? 1 : 62;
    const int edgeFirst = GetParam() ? 9 : 62;
    enter(1, first, 1, 0, 10);
    enter(1, edgeFirst, 3, 0, 9);
    enter(1, edgeFirst + 1, 3, 0, 9);
    EXPECT_EQ(rig.data.logMessages().filter(u"Skip board result: A1,0,"_s).size(), 3);
    EXPECT_TRUE(rig.data.gameData.getLoadSetupTables(u"A1"_s));
    EXPECT_EQ(rig.data.value(rows).toString(), stored);
    EXPECT_EQ(ranking(), ranked);

    // No table has completed round 3: the director is asked; No keeps what round 3 holds.
    test::ScriptedMessageBox box;
    GameDataAnalysis analysis(rig.data.gameData, rig.names, rig.data.harness.db, rig.data.harness.log,
                              rig.data.harness.event, box, rig.host, rig.host);
    box.answers.push_back(false);
    EXPECT_TRUE(analysis.AnalyzeGameDB());
    EXPECT_EQ(box.shown.size(), 1U);
    EXPECT_EQ(rig.data.value(rows).toString(), stored);

    // Once A2 and A3 have board 10, every terminal has its results: a sit-out owes none.
    enter(2, 10, 4, 2, 10);
    enter(3, 10, 5, 1, 11);
    EXPECT_TRUE(rig.data.logMessages().contains(u"All TQZ (2) found completed. (doMsg)"_s));
}

INSTANTIATE_TEST_SUITE_P(Dispatcher, SitOutResultTest, ::testing::Bool(),
                         [](const auto& p) { return p.param ? "WithABoardRange" : "WithoutABoardRange"; });

} // namespace
} // namespace qzc

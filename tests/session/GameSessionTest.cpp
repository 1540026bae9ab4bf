#include "session/GameSession.h"

#include "core/StanzaReset.h"
#include "gamedata/GameDataAnalysis.h"
#include "gamedata/PlayerNames.h"
#include "support/FakeDesktopHost.h"
#include "support/FakePlatform.h"
#include "support/FakeSerialPort.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/OtherProgramLock.h"
#include "support/QtPrinters.h"
#include "support/RecordingRequestHandler.h"
#include "support/SimWire.h"
#include "support/TestCoreApp.h"
#include "terminal/BaseStation.h"
#include "terminal/RequestDispatcher.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::wire::bytes;

// A started event with its game session and a base station on an in-memory port that
// acknowledges knocks while answering is set; no window.
struct SessionRig {
    SessionRig() {
        buildStation(handler);
        host.transactions.watch(h().db);
    }

    /// The program's own request dispatcher and game-data analysis instead of the recording
    /// handler; before start.
    void answerRequests() {
        dispatcher = std::make_unique<RequestDispatcher>(h().log, h().db, h().settings, h().event, h().config,
                                                         h().clock, data.gameData, names, host, session);
        analysis = std::make_unique<GameDataAnalysis>(data.gameData, names, h().db, h().log, h().event,
                                                      h().messages, host, session);
        session.attachAnalysis(*analysis);
        buildStation(*dispatcher);
        dispatcher->attachSender(*station);
    }
    void buildStation(RequestHandler& requests) {
        auto fake = std::make_unique<test::FakeSerialPort>();
        port = fake.get();
        port->onWrite = [this](const QByteArray& frame) {
            if (answering && frame == bytes("FF FF 03 01 01 01 04"))
                port->pendingReads.append(test::wire::frame(0xFF, 3, bytes("55")));
        };
        station = std::make_unique<BaseStation>(h().config, h().log, h().clock, host, session, requests,
                                                std::move(fake));
        session.attachBaseStation(*station);
    }
    /// A terminal's request read from the port, as the port poll reads it.
    void receive(quint16 terminal, const char* request) {
        port->pendingReads.append(test::wire::terminalFrame(terminal, bytes(request)));
        station->timerPort_Timer();
    }
    /// Frames written to the terminal from the one numbered first on.
    int framesTo(quint16 terminal, qsizetype first = 0) const {
        const QByteArray address = bytes("FF") + QByteArray(1, static_cast<char>(terminal >> 8)) +
                                   QByteArray(1, static_cast<char>(terminal & 0xFF));
        int count = 0;
        for (const QByteArray& frame : port->written.mid(first))
            count += frame.startsWith(address) ? 1 : 0;
        return count;
    }

    bool start(test::EventBuilder builder) {
        if (!data.start(builder))
            return false;
        station->LoadPortSettings();
        return true;
    }
    /// Section A of 3 tables without a movement, a terminal at A1 and the board counts kept
    /// when given, opened again as a new event (its stanzas reset to round 0).
    bool startWithoutMovement(std::optional<std::pair<qint16, qint16>> keptCounts) {
        test::EventBuilder b;
        const int a = b.addSection(QStringLiteral("A"));
        for (int t = 1; t <= 3; ++t)
            b.addTable(a, t);
        if (keptCounts) {
            b.setOwnSetting(QStringLiteral("custom_qz_roundboard"), keptCounts->first);
            b.setOwnSetting(QStringLiteral("custom_qz_totalboard"), keptCounts->second);
        }
        b.addTerminal(0x0101, a, 1);
        if (!start(b))
            return false;
        resetEventStanzas(h().db, h().log);
        data.reload();
        return true;
    }
    test::EventHarness& h() { return data.harness; }
    /// The log lines of source since the line numbered from.
    QStringList linesOf(const QString& source, qsizetype from) const {
        const QString tail = QStringLiteral(" (") + source + QLatin1Char(')');
        QStringList lines;
        for (const QString& line : data.logMessages().mid(from)) {
            if (line.endsWith(tail))
                lines << line.chopped(tail.size());
        }
        return lines;
    }

    test::TestCoreApp app;
    test::GameDataHarness data;
    PlayerNames names{h().db, h().log, h().event, h().config, h().clock};
    test::FakeProcessList processes;
    test::RecordingLauncher launcher;
    test::FakeDesktopHost host;
    GameSession session{{h().config, h().log, h().db, h().settings, h().event, data.gameData, names,
                         h().messages, processes, launcher},
                        host};
    test::RecordingRequestHandler handler;
    std::unique_ptr<RequestDispatcher> dispatcher;
    std::unique_ptr<GameDataAnalysis> analysis;
    test::FakeSerialPort* port = nullptr;
    std::unique_ptr<BaseStation> station;
    bool answering = true;
};

// The automatic reset with the default wait W = 10 s and a tick every second: the link goes
// down at 1 s, is tried again at 11 s and 21 s, and at 22 s the director is asked to
// reconnect the base station. A game restarted by the reset keeps the section and view, and
// a link that is up is supervised.
TEST(GameSessionTest, AutomaticResetTimings) {
    struct Case {
        const char* what;
        /// The second from which the base station answers again; 0: never.
        int backAt;
        /// The director's answer to "Please reconnect it." (the station still silent).
        bool reconnect;
        std::map<int, QStringList> linesAt;
        int lastTick;
        qint16 modeAfter;
        /// The director had stopped the game before the reset.
        bool stopped = false;
        /// The second at which the director stops the game during the reset; 0: never.
        int stopAt = 0;
        /// The second at which the director starts the game during the reset, and the one
        /// at which the port then fails; 0: never.
        int startAt = 0;
        int lostAt = 0;
    };
    const QString stop = QStringLiteral("Stop game by timer");
    const QString retry = QStringLiteral("Start game by timer");
    const QString back = QStringLiteral("Start game by timer: succeed");
    const QString failed = QStringLiteral("Fails to reset the communication automatically");
    const Case cases[] = {
        {"back at the first attempt", 5, false, {{1, {stop}}, {11, {retry, back}}}, 11, 1},
        {"back at the second attempt", 15, false, {{1, {stop}}, {11, {retry}}, {21, {retry, back}}}, 21, 1},
        {"game stopped, link back", 5, false, {{1, {stop}}, {11, {retry, back}}}, 11, 0, true},
        {"game stopped during the wait, link back",
         5,
         false,
         {{1, {stop}}, {11, {retry, back}}},
         11,
         0,
         false,
         5},
        {"never back, the director gives up",
         0,
         false,
         {{1, {stop}}, {11, {retry}}, {21, {retry}}, {22, {failed}}},
         22,
         0},
        {"started by the director during the wait, then lost again: the reset starts over",
         3,
         false,
         {{1, {stop}}, {5, {stop}}, {15, {retry, back}}},
         15,
         1,
         false,
         0,
         3,
         5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SessionRig rig;
        ASSERT_TRUE(rig.start(test::fixtures::mitchell())) << rig.data.failure().toStdString();
        rig.session.command(GameCommand::Start);
        ASSERT_TRUE(rig.session.isRunning());
        ASSERT_EQ(rig.host.firstSectionShown, 1);
        if (c.stopped)
            rig.session.command(GameCommand::Stop);
        rig.h().messages.answers = {c.reconnect};

        rig.answering = false;
        rig.session.startTimerResetbaseStation();
        std::map<int, QStringList> linesAt;
        int lastTick = 0;
        for (int second = 1; second <= 30 && rig.session.timerResetbaseStation().isActive(); ++second) {
            rig.answering = c.backAt != 0 && second >= c.backAt;
            if (second == c.stopAt)
                rig.session.command(GameCommand::Stop);
            if (second == c.startAt)
                rig.session.command(GameCommand::Start);
            if (second == c.lostAt) {
                rig.port->failReads = true;
                rig.station->timerPort_Timer();
                rig.port->failReads = false;
            }
            const qsizetype before = rig.data.logMessages().size();
            rig.session.timerResetbaseStation_Timer();
            const QStringList lines = rig.linesOf(QStringLiteral("timerResetbaseStation"), before);
            if (!lines.isEmpty())
                linesAt[second] = lines;
            lastTick = second;
            if (second == 1) {
                EXPECT_EQ(rig.session.gameMode(), 0);
                EXPECT_FALSE(rig.session.linkIsUp());
                EXPECT_TRUE(rig.host.gridMessageShown);
            }
        }
        EXPECT_EQ(linesAt, c.linesAt);
        EXPECT_EQ(lastTick, c.lastTick);
        EXPECT_FALSE(rig.session.timerResetbaseStation().isActive());
        EXPECT_EQ(rig.session.gameMode(), c.modeAfter);
        EXPECT_EQ(rig.session.linkIsUp(), c.backAt != 0);
        EXPECT_EQ(rig.h().messages.shown.size(), c.backAt == 0 ? 1U : 0U);
        EXPECT_FALSE(rig.host.gridMessageShown);
        // The restart keeps the section and view the director had chosen.
        EXPECT_EQ(rig.host.firstSectionShown, c.startAt == 0 ? 1 : 2);
        EXPECT_EQ(rig.host.tickedCommand, c.modeAfter == 1 ? GameCommand::Start : GameCommand::Stop);
        EXPECT_EQ(rig.station->timer_bs_knock().isActive(), c.backAt != 0);
    }
}

// The director reconnects the base station when asked: the game starts again, still on the
// section and view chosen.
TEST(GameSessionTest, ResetEndsWithTheDirectorsReconnect) {
    SessionRig rig;
    ASSERT_TRUE(rig.start(test::fixtures::mitchell()));
    rig.session.command(GameCommand::Start);
    rig.answering = false;
    rig.h().messages.whileShown = [&] {
        rig.answering = true;
    };
    rig.h().messages.answers = {true};
    rig.session.startTimerResetbaseStation();
    for (int second = 1; second <= 22; ++second)
        rig.session.timerResetbaseStation_Timer();
    EXPECT_EQ(rig.h().messages.texts(),
              QStringList{QStringLiteral("No response from base station. Please reconnect it.")});
    EXPECT_TRUE(rig.session.isRunning());
    EXPECT_EQ(rig.host.firstSectionShown, 1);
}

// No window event runs inside a queue run. The analysis tick, with a changed movement to ask
// about, and a command that shows a box come due while the pieces of a reply are paced: they
// open after the reply, and a terminal that asks while either is open is answered then.
TEST(GameSessionTest, BoxesDueDuringAReplyOpenAfterItAndTheTerminalsAreAnswered) {
    SessionRig rig;
    rig.answerRequests();
    test::EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(a, 7, 6, 3);
    b.setStanza(a, 1, 3);
    for (int t = 1; t <= 5; ++t)
        b.addTerminal(0x0100 + t, a, t);
    // Sixteen stored results at A1: their list goes out in three pieces.
    for (int board = 13; board <= 28; ++board)
        b.addResult(
            test::ResultRow::played(a, 1, 1, board, 1, 8, QStringLiteral("4S"), QStringLiteral("N"), 10));
    ASSERT_TRUE(rig.start(b)) << rig.data.failure().toStdString();
    rig.h().config.writeMain(QStringLiteral("MinTxInterval"), QStringLiteral("1"));
    rig.station->LoadPortSettings();
    rig.session.command(GameCommand::Start);
    ASSERT_TRUE(rig.session.isRunning());
    // The scoring program changes the movement from round 4 on.
    ASSERT_TRUE(rig.data.exec(QStringLiteral("UPDATE Tables SET UpdateFromRound=4")));

    bool due = false;
    rig.h().clock.whileSleeping = [&] {
        if (std::exchange(due, true))
            return;
        QTimer::singleShot(0, [&] {
            for (int tick = 0; tick < GameSession::analyzeEveryTicks; ++tick)
                rig.session.timerAnalyzeGameDB_Timer();
        });
        QTimer::singleShot(0, [&] { rig.h().messages.showMsg(u"No temporary results"_s, {}, 48, -1); });
    };
    QStringList seen;
    rig.h().messages.whileShown = [&] {
        seen << rig.h().messages.shown.back().text.section(QLatin1Char(' '), 0, 1);
        const qsizetype written = rig.port->written.size();
        rig.receive(0x0102, "0A 03 14");
        QCoreApplication::processEvents();
        seen << QStringLiteral("answered %1").arg(rig.framesTo(0x0102, written));
    };

    rig.receive(0x0101, "66");
    rig.station->timer_Queue_Timer();
    EXPECT_EQ(rig.framesTo(0x0101), 3);
    EXPECT_TRUE(due);
    EXPECT_TRUE(rig.h().messages.shown.empty()) << "a box opened between the pieces";
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, (QStringList{u"The scoring"_s, u"answered 1"_s, u"No temporary"_s, u"answered 1"_s}));
}

// Without a movement and without board counts the start asks the director for them; a
// movement of any size has rows, also one of more rows than a 16-bit count takes.
TEST(GameSessionTest, StartAsksForTheBoardCountsOfAnEventWithoutMovement) {
    struct Case {
        const char* what;
        int movementRows;
        std::optional<std::pair<qint16, qint16>> answer;
        int questions;
        bool started;
        /// The stanza edge stored by the start; none: left as it was.
        std::optional<qint16> edge;
    };
    const Case cases[] = {{"quit", 0, std::nullopt, 1, false, std::nullopt},
                          {"3 of 24", 0, std::pair<qint16, qint16>{3, 24}, 1, true, 8},
                          {"40000 rows", 40000, std::pair<qint16, qint16>{3, 24}, 0, true, std::nullopt}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SessionRig rig;
        ASSERT_TRUE(rig.start(test::fixtures::mitchell()));
        ASSERT_TRUE(rig.data.exec(QStringLiteral("DELETE FROM RoundData")));
        // One statement, for speed.
        ASSERT_TRUE(rig.data.exec(
            QStringLiteral("INSERT INTO RoundData (Section,[Table],Round,NSPair,EWPair,LowBoard,HighBoard) "
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<%1) "
                           "SELECT 1, 1+(i-1)%60, 1+(i-1)/60, 1+(i-1)%60, 61+(i-1)%60, 1, 1 FROM n "
                           "WHERE i<=%1")
                .arg(c.movementRows)));
        const QString edgeQuery = QStringLiteral("SELECT custom_qz_StanazEdgeGameRound FROM Section");
        const int edgeBefore = rig.data.value(edgeQuery).toInt();
        rig.h().event.boardsPerRound = 0;
        rig.h().event.totalBoards = 0;
        rig.host.boardCountAnswer = c.answer;
        rig.session.command(GameCommand::Start);
        EXPECT_EQ(rig.host.boardCountQuestions, c.questions);
        EXPECT_EQ(rig.session.isRunning(), c.started);
        // Giving up leaves the stopped game's "Stop" ticked.
        EXPECT_EQ(rig.host.tickedCommand, c.started ? GameCommand::Start : GameCommand::Stop);
        EXPECT_EQ(
            rig.data.logMessages().contains(QStringLiteral("Total boards and board per round is set: 3,24")),
            c.edge.has_value());
        EXPECT_EQ(rig.data.value(edgeQuery).toInt(), c.edge.value_or(edgeBefore));
    }
}

// A start whose board counts or stanza edge cannot be written (another program holds the
// write lock) does not run: every result would be skipped on the old edge. Counts asked are
// asked again at the next start, counts kept (the event opened again as a new one, its edge
// 0) have their edge written then; that start runs with edge 3 and stores a round-1 result.
TEST(GameSessionTest, AStartWhoseBoardCountsCannotBeWrittenDoesNotRun) {
    struct Case {
        const char* what;
        bool countsKept;
        int questions;
        const char* why;
    };
    const Case cases[] = {{"counts asked", false, 2, "the board counts"},
                          {"counts kept, edge 0", true, 0, "the stanza edge round"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SessionRig rig;
        rig.answerRequests();
        rig.h().db.setBusyTimeout(50);
        const std::pair<qint16, qint16> counts{2, 6};
        ASSERT_TRUE(rig.startWithoutMovement(c.countsKept ? std::optional(counts) : std::nullopt));
        rig.host.boardCountAnswer = counts;
        const QString edgeQuery = u"SELECT custom_qz_StanazEdgeGameRound FROM Section"_s;
        const QVariant edgeBefore = rig.data.value(edgeQuery);
        {
            const test::OtherProgramLock lock(rig.h().db.path());
            ASSERT_TRUE(lock.held());
            rig.session.command(GameCommand::Start);
        }
        EXPECT_FALSE(rig.session.isRunning());
        EXPECT_FALSE(rig.host.gameShownRunning);
        EXPECT_EQ(rig.host.tickedCommand, GameCommand::Stop);
        EXPECT_EQ(rig.data.value(edgeQuery), edgeBefore);
        EXPECT_TRUE(rig.data.logMessages().contains(
            u"Fail to start game: %1 could not be stored."_s.arg(QLatin1String(c.why))));

        rig.session.command(GameCommand::Start);
        EXPECT_EQ(rig.host.boardCountQuestions, c.questions);
        EXPECT_TRUE(rig.session.isRunning());
        EXPECT_EQ(rig.data.value(edgeQuery).toInt(), 3);
        rig.receive(0x0101, "34 01 23 24 40 01 02");
        rig.station->timer_Queue_Timer();
        EXPECT_EQ(rig.data.value(u"SELECT Round FROM ReceivedData WHERE Board=1"_s).toInt(), 1);
    }
}

// Board counts kept from an earlier start put their stanza edge in force: in the event opened
// again as a new one (stanzas reset to round 0) and in a section added while the game runs,
// every table stays in play and a result of round 1 is stored. A movement still cuts the
// tables to those that play the stanza's last round.
TEST(GameSessionTest, AnEventWithoutMovementPlaysTheRoundsOfItsBoardCounts) {
    enum class Step { Start, Analysis, Reload };
    struct Case {
        const char* what;
        QString changes;
        Step step;
        qint16 section, edge, tablesInPlay;
        /// The terminal at the section's table 1; 0: none.
        quint16 terminal;
    };
    const Case cases[] = {
        {"counts restored, stanzas reset", {}, Step::Start, 1, 8, 3, 0x0101},
        {"section added",
         u"INSERT INTO Section (ID,Letter) VALUES (2,'B');INSERT INTO Tables (Section,[Table]) "
         "VALUES (2,1),(2,2);INSERT INTO custom_qz_TQZ (TQZ_ID,Section,[Table]) VALUES (513,2,1)"_s,
         Step::Analysis, 2, 8, 2, 0x0201},
        {"last round 3", u"UPDATE Section SET custom_qz_StanazEdgeGameRound=3"_s, Step::Reload, 1, 3, 3, 0},
        {"last round 3 played by table 1 only",
         u"INSERT INTO RoundData (Section,[Table],Round,NSPair,EWPair,LowBoard,HighBoard) VALUES "
         u"(1,1,1,1,4,1,3),"
         "(1,2,1,2,5,4,6),(1,3,1,3,6,7,9),(1,1,2,1,5,4,6),(1,2,2,2,6,7,9),(1,3,2,3,4,1,3),(1,1,3,1,6,7,9)"_s,
         Step::Reload, 1, 3, 1, 0},
    };
    SessionRig rig;
    rig.answerRequests();
    ASSERT_TRUE(rig.startWithoutMovement(std::pair<qint16, qint16>{3, 24}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const QString& sql : c.changes.split(u';', Qt::SkipEmptyParts))
            ASSERT_TRUE(rig.data.exec(sql)) << sql.toStdString();
        if (c.step == Step::Start)
            rig.session.command(GameCommand::Start);
        else if (c.step == Step::Analysis)
            rig.analysis->AnalyzeGameDB();
        else
            rig.data.reload();
        EXPECT_EQ(rig.host.boardCountQuestions, 0);
        const SectionRecord& section = rig.data.gameData.sectionList().at(c.section - 1);
        EXPECT_EQ(std::pair(section.stanzaEdge, section.tableCount), std::pair(c.edge, c.tablesInPlay));
        if (c.terminal == 0)
            continue;
        rig.receive(c.terminal, "34 01 23 24 40 01 02");
        rig.station->timer_Queue_Timer();
        EXPECT_TRUE(
            rig.data.value(u"SELECT Round FROM ReceivedData WHERE Section=%1 AND Board=1"_s.arg(c.section))
                .toInt() == 1);
    }
}

// The game-data timer: the analysis every 60th tick, and the dispatcher's interval changes
// only while the timer runs.
TEST(GameSessionTest, GameDataTimerFollowsTheGame) {
    SessionRig rig;
    ASSERT_TRUE(rig.start(test::fixtures::mitchell()));
    rig.session.restartAnalyzeTimer(200);
    EXPECT_FALSE(rig.session.timerAnalyzeGameDB().isActive());
    rig.session.command(GameCommand::Start);
    ASSERT_TRUE(rig.session.timerAnalyzeGameDB().isActive());
    rig.session.restartAnalyzeTimer(200);
    EXPECT_EQ(rig.session.timerAnalyzeGameDB().interval(), 200);
    rig.session.command(GameCommand::Stop);
    EXPECT_FALSE(rig.session.timerAnalyzeGameDB().isActive());
    EXPECT_FALSE(rig.host.gameShownRunning);
}

// One rule for every caller: "Start New Movement" is shown for a section ready for its next
// stanza and "Forced start" enabled while it owes results; the button's coming and going is
// logged once, under the caller's name, and its coming brings the game-data timer back to
// one second while it runs.
TEST(GameSessionTest, TheStanzaStateDecidesTheNextStanzaControls) {
    using enum StanzaState;
    struct Case {
        const char* what;
        std::vector<StanzaState> states;
        QStringList logged;
        std::vector<int> intervals;
    };
    const Case cases[] = {
        {"nothing beyond the stanza", {NoFurtherRounds, NoFurtherRounds}, {}, {}},
        {"ready, once and again", {ReadyForNextStanza, ReadyForNextStanza}, {u"Show"_s}, {1000}},
        {"ready, then results owed again",
         {ReadyForNextStanza, ResultsOwed, ResultsOwed},
         {u"Show"_s, u"Hide"_s},
         {1000}},
        {"results owed without the button", {ResultsOwed}, {}, {}},
        {"the button goes quietly when no round is left",
         {ReadyForNextStanza, NoFurtherRounds},
         {u"Show"_s},
         {1000}},
        {"shown again after it went",
         {ReadyForNextStanza, NoFurtherRounds, ReadyForNextStanza},
         {u"Show"_s, u"Show"_s},
         {1000, 1000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SessionRig rig;
        ASSERT_TRUE(rig.start(test::fixtures::mitchell()));
        rig.session.command(GameCommand::Start);
        const qsizetype before = rig.data.logMessages().size();
        std::vector<int> intervals;
        for (const StanzaState state : c.states) {
            // The dispatcher's speed-up, which a newly shown button undoes.
            rig.session.restartAnalyzeTimer(200);
            rig.session.showStanzaState(state, u"Refresh table status"_s);
            EXPECT_EQ(rig.host.stanzaControls, state);
            if (rig.session.timerAnalyzeGameDB().interval() == 1000)
                intervals.push_back(1000);
        }
        QStringList logged;
        for (const QString& line : rig.linesOf(u"Refresh table status"_s, before))
            logged << line.section(QLatin1Char(' '), 0, 0);
        EXPECT_EQ(logged, c.logged);
        EXPECT_EQ(intervals, c.intervals);
        for (const QString& line : rig.linesOf(u"Refresh table status"_s, before))
            EXPECT_TRUE(line.endsWith(u" 'Start New Movement' button"_s)) << line.toStdString();
    }
}

} // namespace
} // namespace qzc

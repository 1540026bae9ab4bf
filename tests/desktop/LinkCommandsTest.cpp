// The commands that reach the tabletops, on a program whose base station hangs on a
// pseudo-terminal: the start of a new movement and the maintenance commands.

#include "ProgramRig.h"
#include "desktop/frmdesktop.h"
#include "gamedata/GameData.h"
#include "session/GameSession.h"
#include "support/BaseStationSimulator.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/LogLines.h"
#include "support/OtherProgramLock.h"
#include "support/RunEvents.h"
#include "support/SimWire.h"
#include "support/TerminalReplies.h"
#include "support/TestGuiApp.h"
#include "terminal/BaseStation.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::wire::bytes;

class LinkCommandsTest : public ::testing::Test {
protected:
    /// Section A in stanzas: rounds 1-3 of 6, terminals 101-107 at its tables; section B of
    /// two tables with no round beyond its stanza, terminal 201 at B1.
    void SetUp() override {
        test::EventBuilder b;
        const int sectionA = b.addSection(QStringLiteral("A"));
        b.addMitchellMovement(sectionA, 7, 6, 3);
        b.setStanza(sectionA, 1, 3);
        for (int t = 1; t <= 7; ++t)
            b.addTerminal(100 + t, sectionA, t);
        const int sectionB = b.addSection(QStringLiteral("B"));
        b.addMitchellMovement(sectionB, 2, 1, 3);
        b.setStanza(sectionB, 1, 1);
        b.addTerminal(201, sectionB, 1);
        ASSERT_TRUE(station.isValid());
        ASSERT_TRUE(rig.prepare(b, station.devicePath()));
        // An event already under way: its stanzas stand as they are.
        QFile log(rig.logPath());
        ASSERT_TRUE(log.open(QIODevice::WriteOnly));
        log.close();
        ASSERT_TRUE(rig.make().start());
        ASSERT_TRUE(rig.program->session().linkIsUp());
    }
    void TearDown() override { QSqlDatabase::removeDatabase(QStringLiteral("check")); }

    frmdesktop& window() { return rig.program->desktop(); }
    /// The first column of the first row of sql, read beside the program.
    QVariant value(const QString& sql) {
        QSqlDatabase db = QSqlDatabase::contains(QStringLiteral("check"))
                              ? QSqlDatabase::database(QStringLiteral("check"))
                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(rig.eventPath());
        db.open();
        QSqlQuery query(db);
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }
    /// The terminal's whole reply to one request, as it reads it.
    std::optional<test::TerminalReply> exchange(quint16 terminal, const char* request) {
        const qsizetype seen = station.frameCount();
        station.sendTerminalFrame(terminal, bytes(request));
        std::optional<test::TerminalReply> reply;
        test::ReplyAssembler assembler;
        test::runEventsUntil([&] {
            for (const QByteArray& frame : station.framesReceivedFrom(seen)) {
                if (!reply)
                    reply = assembler.take(frame);
            }
            assembler = {};
            return reply.has_value();
        });
        return reply;
    }
    QString sectionRow(const char* letter) {
        return value(QStringLiteral(
                         "SELECT custom_qz_StanazBeginGameRound || '-' || custom_qz_StanazEdgeGameRound || "
                         "'-' || custom_qz_UFRmode FROM Section WHERE Letter='%1'")
                         .arg(QLatin1String(letter)))
            .toString();
    }

    test::TestGuiApp app;
    test::FakeClock clock;
    test::BaseStationSimulator station;
    test::ProgramRig rig{clock};
};

// "Start New Movement" on section A: its stanza moves on to rounds 4-6, its tables are
// logged off and unbound, the stopped game starts, and a terminal's next login gets the
// new stanza. Section B keeps its tables and terminal.
TEST_F(LinkCommandsTest, StartNewMovementHandsTheNextStanzaToTheNextLogin) {
    ASSERT_EQ(rig.program->session().gameMode(), 0);
    window().findChild<QPushButton*>(QStringLiteral("cmdUpdateMove"))->click();

    EXPECT_EQ(sectionRow("A"), QStringLiteral("4-6-0"));
    EXPECT_EQ(sectionRow("B"), QStringLiteral("1-1-0"));
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM Tables WHERE Section=1 AND (UpdateFromRound<>0 OR "
                                   "LogOnOff<>2)"))
                  .toInt(),
              0);
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM custom_qz_TQZ WHERE Section=1")).toInt(), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT TQZ_ID FROM custom_qz_TQZ WHERE Section=2")).toInt(), 201);
    EXPECT_TRUE(rig.program->log().bufferedText().contains(
        QStringLiteral(": Clear link between table and TQZ in Section A\r\n")));
    EXPECT_EQ(rig.program->session().gameMode(), 1);
    EXPECT_TRUE(rig.messages.shown.empty());

    // A1 plays boards 10-12 in round 4: the login's movement holds rounds 4 to 6.
    ASSERT_TRUE(exchange(0x0101, "0A 03 14"));
    const std::optional<test::TerminalReply> login = exchange(0x0101, "14 01 01");
    ASSERT_TRUE(login);
    EXPECT_EQ(login->code, 0x15);
    const QByteArray movement = login->payload.mid(14);
    EXPECT_EQ(movement, rig.program->gameData().getMovementFromMemory(QStringLiteral("A1"), 3, 20));
    ASSERT_EQ(movement.size(), 2 + 3 * 6);
    EXPECT_EQ(movement.at(4), 10);
    EXPECT_EQ(value(QStringLiteral("SELECT [Table] FROM custom_qz_TQZ WHERE TQZ_ID=257")).toInt(), 1);
}

// No round beyond the stanza, or a change the database refuses: nothing moves and the
// director is told why.
TEST_F(LinkCommandsTest, ANewMovementThatCannotStartChangesNothing) {
    auto* sections = window().findChild<QComboBox*>(QStringLiteral("cboSection"));
    sections->setCurrentIndex(1);
    window().findChild<QAction*>(QStringLiteral("mnuplay_updatemove"))->trigger();
    EXPECT_EQ(sectionRow("B"), QStringLiteral("1-1-0"));
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_TRUE(
        rig.messages.shown[0].text.startsWith(QStringLiteral("Section B has no round after round 1")));

    // The terminals' links cannot be cleared: the stanza and the tables stay as they were.
    value(QStringLiteral(
        "CREATE TRIGGER keep BEFORE DELETE ON custom_qz_TQZ BEGIN SELECT RAISE(ABORT, 'kept'); "
        "END"));
    sections->setCurrentIndex(0);
    rig.messages.answers = {true};
    window().findChild<QAction*>(QStringLiteral("mnu_sys_forcedstart"))->setEnabled(true);
    window().findChild<QAction*>(QStringLiteral("mnu_sys_forcedstart"))->trigger();
    ASSERT_EQ(rig.messages.shown.size(), 3u);
    EXPECT_TRUE(rig.messages.shown[1].text.startsWith(QStringLiteral("WARNING\r\n")));
    EXPECT_TRUE(rig.messages.shown[2].text.startsWith(
        QStringLiteral("The new movement of Section A could not be stored; nothing was changed.")));
    EXPECT_EQ(sectionRow("A"), QStringLiteral("1-3-0"));
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM custom_qz_TQZ WHERE Section=1")).toInt(), 7);
    EXPECT_EQ(rig.program->session().gameMode(), 0);
}

// The scoring program adds a round to the section's movement and holds its write lock when
// "Start New Movement" is given: the new stanza runs to it (B had no round after its stanza).
TEST_F(LinkCommandsTest, StartNewMovementTakesTheRoundsAddedBeforeItHoldsTheLock) {
    for (const auto& [letter, index, stanza] : {std::tuple{"A", 0, "4-7-0"}, {"B", 1, "2-2-0"}}) {
        window().findChild<QComboBox*>(QStringLiteral("cboSection"))->setCurrentIndex(index);
        const test::OtherProgramLock scoringProgram(
            rig.eventPath(), std::chrono::milliseconds(300),
            QStringLiteral(
                "INSERT INTO RoundData (Section, [Table], Round, NSPair, EWPair, LowBoard, HighBoard) "
                "SELECT Section, 1, MAX(Round) + 1, 1, 2, 19, 21 FROM RoundData WHERE Section=%1")
                .arg(index + 1));
        window().findChild<QAction*>(QStringLiteral("mnuplay_updatemove"))->trigger();
        EXPECT_EQ(sectionRow(letter).toStdString(), stanza);
    }
    EXPECT_TRUE(rig.messages.shown.empty());
}

// "Upgrade firmware": a missing program leaves the running game and its link alone; a found
// one stops the game, as F4 does, with the link, so that F2 brings back both.
TEST_F(LinkCommandsTest, UpgradeFirmwareStopsTheGameWithTheLink) {
    rig.program->session().command(GameCommand::Start);
    rig.program->config().writeMain(QStringLiteral("FirmwareEXE"), QStringLiteral("fw.exe"));
    for (const bool present : {false, true}) {
        QFile program(rig.folder.filePath(QStringLiteral("fw.exe")));
        ASSERT_TRUE(!present || program.open(QIODevice::WriteOnly));
        window().findChild<QAction*>(QStringLiteral("mnu_sys_firmware"))->trigger();
        EXPECT_EQ(rig.program->session().linkIsUp(), !present);
        EXPECT_EQ(rig.program->session().isRunning(), !present);
    }
}

// "Upgrade firmware" while the automatic reset waits, after its first tick or before it: the
// reset ends, so the upgrade program has the port to itself, and the game waits for F2.
TEST_F(LinkCommandsTest, UpgradeFirmwareEndsAPendingReset) {
    GameSession& session = rig.program->session();
    rig.program->config().writeMain(QStringLiteral("FirmwareEXE"), QStringLiteral("fw.exe"));
    QFile program(rig.folder.filePath(QStringLiteral("fw.exe")));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    const int waitTicks = rig.program->baseStation().settings().resetWaitMs() / GameSession::resetIntervalMs;
    for (const int ticksBefore : {1, 0}) {
        SCOPED_TRACE(ticksBefore);
        session.command(GameCommand::Start);
        ASSERT_TRUE(session.isRunning());
        session.startTimerResetbaseStation();
        for (int tick = 0; tick < ticksBefore; ++tick)
            session.timerResetbaseStation_Timer();
        const auto logged = [&] {
            return test::logBodies(rig.logText() + rig.program->log().bufferedText());
        };
        const qsizetype before = logged().size();
        window().findChild<QAction*>(QStringLiteral("mnu_sys_firmware"))->trigger();
        for (int tick = 0; tick <= 2 * waitTicks + 1 && session.timerResetbaseStation().isActive(); ++tick)
            session.timerResetbaseStation_Timer();
        EXPECT_FALSE(session.timerResetbaseStation().isActive());
        EXPECT_FALSE(session.linkIsUp());
        EXPECT_FALSE(session.isRunning());
        // Nothing sent on the port since: no knock, no channel, no version request.
        EXPECT_FALSE(logged().mid(before).join(u'|').contains(QStringLiteral("sys - ")))
            << logged().mid(before).join(u'\n').toStdString();
        EXPECT_TRUE(window().findChild<QFrame*>(QStringLiteral("frameGridMsg"))->isHidden());
    }
}

// The maintenance commands: a typed body goes out with the start byte and its checksum, a
// typed frame is taken by the receiver as if the base station had sent it (and answered).
TEST_F(LinkCommandsTest, MaintenanceCommandsSendAndFeedTypedFrames) {
    const qsizetype seen = station.frameCount();
    const auto received = [&](const QByteArray& frame) {
        return test::runEventsUntil([&] { return station.framesReceivedFrom(seen).contains(frame); });
    };
    rig.messages.typed = {QStringLiteral("00 0C 03 0A 03 14")};
    window().findChild<QAction*>(QStringLiteral("mnumn_bs_tx"))->trigger();
    EXPECT_TRUE(received(bytes("FF 00 0C 03 0A 03 14 00 30")));

    // Terminal 0x0011 asks its game status through the receiver and gets its answer.
    rig.messages.typed = {QStringLiteral("*FF 00 11 03 0A 03 14")};
    window().findChild<QAction*>(QStringLiteral("mnumn_bs_rx"))->trigger();
    EXPECT_TRUE(test::runEventsUntil([&] {
        for (const QByteArray& frame : station.framesReceivedFrom(seen)) {
            if (frame.startsWith(bytes("FF 00 11")) && frame.at(4) == 0x0B)
                return true;
        }
        return false;
    }));
    EXPECT_EQ(rig.messages.prompts,
              (QStringList{QStringLiteral("Please input the message to be sent, in Hex values"),
                           QStringLiteral("Please input the message to be received, in Hex values")}));
}

} // namespace
} // namespace qzc

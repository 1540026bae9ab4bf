#include "ProgramRig.h"
#include "core/ResultEntry.h"
#include "desktop/PlayGrid.h"
#include "desktop/ResultPopUp.h"
#include "desktop/frmdesktop.h"
#include "dialogs/frmClosing.h"
#include "dialogs/frmSettings.h"
#include "gamedata/GameData.h"
#include "gamedata/GameDataAnalysis.h"
#include "gamedata/ResultCorrection.h"
#include "gamedata/ResultEditor.h"
#include "platform/IniFile.h"
#include "reports/WebPublishing.h"
#include "session/GameSession.h"
#include "support/BaseStationSimulator.h"
#include "support/CaseNames.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/LogLines.h"
#include "support/QtPrinters.h"
#include "support/QueryRows.h"
#include "support/RunEvents.h"
#include "support/SimWire.h"
#include "support/TestGuiApp.h"
#include "terminal/BaseStation.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

/// Presses a button of the modal dialog about to open.
template <typename Dialog> void pressWhenShown(const char* button, bool tickHideFinished = false) {
    test::whenShown([button, tickHideFinished] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (tickHideFinished)
            dialog->template findChild<QCheckBox*>(QStringLiteral("chkHideFinished"))->setChecked(true);
        dialog->template findChild<QPushButton*>(QLatin1String(button))->click();
    });
}

// A new event through every step of the start-up, the settings dialog saved, the base
// station found.
TEST(StartupTest, EveryStepInOrderWithItsLogLines) {
    test::TestGuiApp app;
    SystemClock clock;
    test::BaseStationSimulator station;
    ASSERT_TRUE(station.isValid());
    test::ProgramRig rig(clock);
    ASSERT_TRUE(rig.prepare(test::fixtures::twoSections(), station.devicePath(), true));
    Program& program = rig.make();
    bool dialogSeen = false;
    test::whenShown([&] {
        auto* dialog = qobject_cast<frmSettings*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialogSeen = true;
        // A new event offers Save or Quit only.
        EXPECT_FALSE(dialog->findChild<QPushButton*>(QStringLiteral("CancelButton"))->isVisible());
        dialog->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    ASSERT_TRUE(program.start()) << rig.messages.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(rig.messages.shown.empty()) << rig.messages.texts().join(QLatin1Char('|')).toStdString();

    // Past the settings dialog the log is on disk: the next start sees a running event.
    EXPECT_TRUE(QFileInfo::exists(rig.logPath()));
    const QStringList log = test::logBodies(rig.logText() + program.log().bufferedText());
    const QStringList steps = {
        u": Load settings from score database"_s,
        u": Game first open: load default game settings"_s,
        u": Deal file found in registry: "_s,
        u": Initialize stanza for A: 1,5 (main)"_s,
        u": Initialize stanza for B: 1,5 (main)"_s,
        u" section data loaded"_s,
        u": Setup grid (cboSection)"_s,
        u": Base Station marked OK"_s,
    };
    qsizetype at = -1;
    for (const QString& step : steps) {
        qsizetype found = -1;
        for (qsizetype i = at + 1; i < log.size() && found < 0; ++i) {
            if (log[i].contains(step))
                found = i;
        }
        EXPECT_GE(found, 0) << "missing or out of order: " << step.toStdString();
        if (found >= 0)
            at = found;
    }
    EXPECT_EQ(program.desktop().grid().Rows(), 7);
    EXPECT_TRUE(program.session().linkIsUp());
}

enum class Quit { ExitMenu, CloseYes, CloseNo, CloseNoHideNext, CloseHidden, SessionEnd, WebPublishingMenu };

struct QuitCase {
    const char* name;
    Quit how;
    bool autoPublish;
    bool quits;
    bool publishes;
};

class QuitPathTest : public testing::TestWithParam<QuitCase> {};

TEST_P(QuitPathTest, RunsTheExitPathAsChosen) {
    const QuitCase& c = GetParam();
    test::TestGuiApp app;
    test::FakeClock clock;
    test::ProgramRig rig(clock);
    ASSERT_TRUE(rig.prepare(test::fixtures::mitchell()));
    if (c.how == Quit::CloseHidden)
        rig.writeDefault(QStringLiteral("HideFinishedWindow"), QStringLiteral("1"));
    Program& program = rig.make();
    ASSERT_TRUE(program.start());
    const QString upload = WebPublishing::uploadProgramPath(program.config().orvFolder);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(upload).path()));
    QFile(upload).open(QIODevice::WriteOnly);
    program.settings().setGameSetting(QStringLiteral("custom_qz_autowebpublish"),
                                      c.autoPublish ? QStringLiteral("1") : QStringLiteral("0"));
    rig.messages.shown.clear();

    frmdesktop& window = program.desktop();
    bool cancel = false;
    switch (c.how) {
    case Quit::ExitMenu:
        window.findChild<QAction*>(QStringLiteral("mnuexit"))->trigger();
        break;
    case Quit::CloseYes:
        pressWhenShown<frmClosing>("cmdButton_0");
        window.Form_QueryUnload(cancel, frmdesktop::closedByUser);
        break;
    case Quit::CloseNo:
        pressWhenShown<frmClosing>("cmdButton_1");
        window.Form_QueryUnload(cancel, frmdesktop::closedByUser);
        break;
    case Quit::CloseNoHideNext:
        pressWhenShown<frmClosing>("cmdButton_1", true);
        window.Form_QueryUnload(cancel, frmdesktop::closedByUser);
        EXPECT_FALSE(program.hasExited());
        // The next close quits without asking.
        window.Form_QueryUnload(cancel, frmdesktop::closedByUser);
        break;
    case Quit::CloseHidden:
        window.Form_QueryUnload(cancel, frmdesktop::closedByUser);
        break;
    case Quit::SessionEnd:
        program.exitProgram(false);
        break;
    case Quit::WebPublishingMenu:
        window.findChild<QAction*>(QStringLiteral("mnu_makeresultfile"))->trigger();
        break;
    }
    if (c.how != Quit::ExitMenu && c.how != Quit::SessionEnd && c.how != Quit::WebPublishingMenu) {
        EXPECT_TRUE(cancel) << "the window itself never closes";
    }

    EXPECT_EQ(program.hasExited(), c.quits);
    const QString log = rig.logText();
    EXPECT_EQ(log.count(QStringLiteral(": Quit program")), c.quits ? 1 : 0);
    if (c.quits) {
        EXPECT_LT(log.indexOf(QStringLiteral(": Database closed")),
                  log.indexOf(QStringLiteral(": Quit program")));
    }
    const QString results = program.event().eventDataPath + QStringLiteral("results.txt");
    EXPECT_EQ(QFileInfo::exists(results), c.publishes);
    EXPECT_EQ(rig.launcher.started, c.publishes ? QStringList{upload} : QStringList{});
    EXPECT_TRUE(rig.messages.shown.empty()) << rig.messages.texts().join(QLatin1Char('|')).toStdString();
}

// Printed by its name, not as a dump of its bytes.
void PrintTo(const QuitCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, QuitPathTest,
    testing::Values(QuitCase{"ExitMenuPublishes", Quit::ExitMenu, true, true, true},
                    QuitCase{"ExitMenu", Quit::ExitMenu, false, true, false},
                    QuitCase{"CloseBoxYes", Quit::CloseYes, true, true, true},
                    QuitCase{"CloseBoxNo", Quit::CloseNo, true, false, false},
                    QuitCase{"CloseBoxNoThenUnasked", Quit::CloseNoHideNext, false, true, false},
                    QuitCase{"CloseBoxSwitchedOff", Quit::CloseHidden, false, true, false},
                    QuitCase{"SessionEndNeverPublishes", Quit::SessionEnd, true, true, false},
                    QuitCase{"WebPublishingMenu", Quit::WebPublishingMenu, false, false, true}),
    test::CaseName());

// A program on an event whose table A1 has sixteen results stored (their list goes out in
// three pieces) and a bound terminal, the base station on a pseudo-terminal, every later
// piece of a reply paced, the game running.
class QuitWhileLinkedTest : public testing::Test {
protected:
    void SetUp() override {
        test::EventBuilder b = test::fixtures::mitchell();
        b.setStanza(1, 1, 7);
        for (int board = 13; board <= 26; ++board)
            b.addResult(test::ResultRow::played(1, 1, 1, board, 1, 8, u"4S"_s, u"N"_s, 10));
        b.addTerminal(terminal, 1, 1);
        ASSERT_TRUE(station.isValid());
        ASSERT_TRUE(rig.prepare(b, station.devicePath()));
        IniFile(rig.folder.path() + Config::iniFileName)
            .write(Config::mainSection, u"MinTxInterval"_s, u"1"_s);
        ASSERT_TRUE(rig.make().start());
        program().session().command(GameCommand::Start);
        ASSERT_TRUE(program().session().isRunning());
    }
    Program& program() { return *rig.program; }
    void quit() { program().desktop().findChild<QAction*>(QStringLiteral("mnuexit"))->trigger(); }
    /// Frames the terminal has received from the one numbered first on.
    int framesToTerminal(qsizetype first = 0) const {
        int count = 0;
        for (const QByteArray& frame : station.framesReceivedFrom(first))
            count += frame.startsWith(test::wire::bytes("FF 01 01")) ? 1 : 0;
        return count;
    }
    /// The log, file and buffer, from the line that begins the quit on.
    QStringList logFromQuit() const {
        const QStringList log = test::logBodies(rig.logText() + rig.program->log().bufferedText());
        const qsizetype quit = log.indexOf(u": Process Queue is stop."_s);
        return quit < 0 ? QStringList() : log.mid(quit);
    }

    static constexpr quint16 terminal = 0x0101;
    test::TestGuiApp app;
    test::FakeClock clock;
    test::BaseStationSimulator station;
    test::ProgramRig rig{clock};
};

// Quit chosen while a paced reply goes out takes effect once the reply is sent: nothing
// touches the database and nothing is logged after "Quit program".
TEST_F(QuitWhileLinkedTest, QuitDuringAPacedReplyTakesEffectAfterIt) {
    bool asked = false;
    clock.whileSleeping = [&] {
        if (!std::exchange(asked, true))
            QTimer::singleShot(0, [&] { quit(); });
    };
    station.sendTerminalFrame(terminal, test::wire::bytes("66"));
    ASSERT_TRUE(test::runEventsUntil([&] { return program().hasExited(); }));
    EXPECT_TRUE(test::runEventsUntil([&] { return framesToTerminal() == 3; }));
    const QStringList log = logFromQuit();
    EXPECT_EQ(log.value(log.size() - 2), u": Database closed"_s) << log.join(u'\n').toStdString();
    EXPECT_EQ(log.value(log.size() - 1), u": Quit program"_s);
}

// Quit with the publishing box open: while the director reads it the link supervision and the
// automatic reset come due, but no terminal is answered again and the game is not restarted.
TEST_F(QuitWhileLinkedTest, NothingComesBackWhileThePublishingBoxIsOpen) {
    program().settings().setGameSetting(u"custom_qz_autowebpublish"_s, u"1"_s);
    GameSession& session = program().session();
    BaseStation& link = program().baseStation();
    const qsizetype sent = station.frameCount();
    rig.messages.whileShown = [&] {
        EXPECT_FALSE(link.timer_bs_knock().isActive());
        EXPECT_FALSE(session.timerAnalyzeGameDB().isActive());
        // Past every idle limit: the supervision's tick asks for a reset.
        clock.advance(60 * 60 * 1000);
        link.timer_bs_knock_Timer();
        for (int tick = 0; tick < 30 && session.timerResetbaseStation().isActive(); ++tick)
            session.timerResetbaseStation_Timer();
        station.sendTerminalFrame(terminal, test::wire::bytes("0A 03 14"));
        EXPECT_TRUE(test::runEventsUntil(
            [&] { return program().log().bufferedText().contains(u"queue is stopped"_s); }));
    };
    quit();
    EXPECT_EQ(rig.messages.texts(), QStringList{u"Upload result program not found."_s});
    EXPECT_FALSE(session.timerResetbaseStation().isActive());
    EXPECT_EQ(framesToTerminal(sent), 0);
    const QStringList log = logFromQuit();
    EXPECT_FALSE(log.join(u'\n').contains(u"Start game"_s)) << log.join(u'\n').toStdString();
    EXPECT_EQ(log.value(log.size() - 1), u": Quit program"_s);
}

// The session ends from outside while a command waits for a box (the online help's check
// is such a wait too): the box gives no answer, and the command goes no further. Nothing is
// read, written, started or opened after "Quit program", and the database holds what the
// box found. Boxes before the one at which the session ends are answered Yes.
TEST(EndFromOutsideTest, NoCommandGoesOnAfterItsBox) {
    test::TestGuiApp app;
    struct Case {
        const char* what;
        std::function<void(Program&, test::ProgramRig&)> command;
        int endAtBox = 1;
        const char16_t* query = u"SELECT Contract FROM ReceivedData WHERE [Table]=1 AND Board=1";
        const char16_t* stored = u"4 S";
    };
    const auto trigger = [](Program& p, const char* item) {
        p.desktop().findChild<QAction*>(QLatin1String(item))->trigger();
    };
    // Table A1 sends board 1 again while the director is asked.
    const auto tableSendsBoardOne = [](Program& p) {
        const ResultEntry sent{{}, 1, u"3NT"_s, u"S"_s, 10, {}, -1, 0};
        ASSERT_TRUE(p.gameData().markResult(u"A1"_s, sent, 1, 1, 8, 0, 0).succeeded());
    };
    const Case cases[] = {
        {"movement question",
         [](Program& p, test::ProgramRig&) {
             // The scoring program changed the movement from round 4 on.
             ASSERT_TRUE(p.db().execSQL(u"UPDATE Tables SET UpdateFromRound=4"_s, u"test"_s));
             for (int tick = 0; tick < GameSession::analyzeEveryTicks; ++tick)
                 p.session().timerAnalyzeGameDB_Timer();
         },
         1, u"SELECT custom_qz_UFRmode FROM Section", u"0"},
        {"result editor, a result stored meanwhile",
         [&](Program& p, test::ProgramRig& rig) {
             ResultEditor editor({p.gameData(), p.settings(), p.log(), rig.messages, p.desktop()});
             ASSERT_TRUE(editor.describeResult(1, {u"1"_s, u"8"_s, u"A1"_s, {}, {}}));
             tableSendsBoardOne(p);
             editor.lead = u"HK"_s;
             EXPECT_EQ(editor.save(), ResultEditor::SaveOutcome::Outdated);
         },
         1, u"SELECT Contract FROM ReceivedData WHERE [Table]=1 AND Board=1", u"3 NT"},
        {"result pop-up, a result stored meanwhile",
         [&](Program& p, test::ProgramRig& rig) {
             ResultPopUp& popUp = p.desktop().popUp();
             popUp.ShowCellDetails(u"A"_s, 1, 1, u"1,2,3,"_s, {}, p.desktop().rect());
             popUp.labResultLine_Click(0);
             popUp.textContract[0]->setText(u"2HS8"_s);
             rig.messages.whileShown = [&] {
                 if (rig.messages.shown.size() == 1)
                     tableSendsBoardOne(p);
                 else
                     p.endFromOutside();
             };
             popUp.textContract_LostFocus(0);
         },
         2, u"SELECT Contract FROM ReceivedData WHERE [Table]=1 AND Board=1", u"3 NT"},
        {"export deals, a board short of a card",
         [&](Program& p, test::ProgramRig& rig) {
             QDir().mkpath(rig.folder.filePath(u"kestrow"_s));
             QFile kestrow(rig.folder.filePath(u"kestrow/Kestrow.exe"_s));
             ASSERT_TRUE(kestrow.open(QIODevice::WriteOnly));
             trigger(p, "mnu_exportdeal");
         }},
        {"logged results, the desktop copy not written",
         [&](Program& p, test::ProgramRig& rig) {
             p.log().writeLog(0, u"RX <= FF 01 01 07 34 01 5C 2B 36 01 08 01 04"_s);
             p.config().desktopFolder = rig.folder.filePath(u"no-desktop/"_s);
             trigger(p, "mnuloggedResults");
         }},
        {"help, the online site asked",
         [&](Program& p, test::ProgramRig& rig) {
             rig.online.whileAsked = [&] {
                 p.endFromOutside();
             };
             IniFile(rig.folder.path() + Config::iniFileName)
                 .write(Config::mainSection, Help::onlineHelpKey, u"https://help.example/Help/"_s);
             trigger(p, "mnu_help");
         },
         0},
        {"game start, the base station asked for",
         [](Program& p, test::ProgramRig&) {
             p.session().command(GameCommand::Start);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::FakeClock clock;
        test::ProgramRig rig(clock);
        test::EventBuilder b = test::fixtures::mitchell();
        b.setStanza(1, 1, 3);
        for (int t = 1; t <= 5; ++t)
            b.addTerminal(0x0100 + t, 1, t);
        // East holds twelve cards.
        b.addHandRecord(
            1, 1,
            {u"AKQJ.5432.76.JT9"_s, u"T98.AKQ.5432.76"_s, u"765.JT9.AKQJ.432"_s, u"432.876.T98.AKQ8"_s});
        ASSERT_TRUE(rig.prepare(b));
        Program& program = rig.make();
        ASSERT_TRUE(program.start());
        rig.messages.shown.clear();
        rig.messages.unscriptedAnswer = true;
        rig.messages.whileShown = [&] {
            if (static_cast<int>(rig.messages.shown.size()) == c.endAtBox)
                program.endFromOutside();
        };
        c.command(program, rig);

        EXPECT_TRUE(program.hasExited());
        EXPECT_EQ(rig.messages.shown.size(), static_cast<std::size_t>(c.endAtBox));
        EXPECT_TRUE(rig.launcher.started.isEmpty());
        EXPECT_TRUE(rig.shell.opened.isEmpty());
        const QStringList log = test::logBodies(rig.logText() + program.log().bufferedText());
        EXPECT_EQ(log.value(log.size() - 1), u": Quit program"_s) << log.join(u'\n').toStdString();
        ASSERT_TRUE(program.db().open(rig.eventPath()));
        EXPECT_EQ(test::queryRows(program.db(), QString::fromUtf16(c.query)), QString::fromUtf16(c.stored));
        program.db().closeDatabase();
    }
}

// The session ends from outside at the settings dialog of a new event: as the dialog's Quit
// does, it leaves the event new, so the next start stores the ini's default settings. Ended
// after Save, the saved settings stay.
TEST(QuitAtSettingsTest, TheSessionEndedAtTheFirstSettingsDialogLeavesTheEventNew) {
    for (const bool saved : {false, true}) {
        SCOPED_TRACE(saved ? "after Save" : "at the dialog");
        test::TestGuiApp app;
        test::FakeClock clock;
        test::ProgramRig rig(clock);
        ASSERT_TRUE(rig.prepare(test::fixtures::mitchell(), QString(), true));
        rig.writeDefault(u"TDPIN"_s, u"1234"_s);
        Program& first = rig.make();
        test::whenShown([&] {
            auto* dialog = qobject_cast<frmSettings*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (!saved) {
                first.endFromOutside();
                return;
            }
            dialog->findChild<QLineEdit*>(u"txtTDPIN"_s)->setText(u"5678"_s);
            dialog->findChild<QPushButton*>(u"OKButton"_s)->click();
        });
        EXPECT_EQ(first.start(), saved);
        first.endFromOutside();
        EXPECT_EQ(QFileInfo::exists(rig.logPath()), saved);

        rig.writeDefault(u"HideGSWindow"_s, u"1"_s);
        Program& next = rig.make();
        ASSERT_TRUE(next.start());
        EXPECT_EQ(next.event().isNewEvent, !saved);
        EXPECT_EQ(next.settings().getGameSetting(u"custom_qz_tdpin"_s), saved ? u"5678"_s : u"1234"_s);
    }
}

// Quit at the settings dialog of a new event: no log file is left, so the next start is
// again a first opening.
TEST(QuitAtSettingsTest, QuitAtTheFirstSettingsDialogDeletesTheLog) {
    test::TestGuiApp app;
    test::FakeClock clock;
    test::ProgramRig rig(clock);
    ASSERT_TRUE(rig.prepare(test::fixtures::mitchell(), QString(), true));
    Program& program = rig.make();
    pressWhenShown<frmSettings>("cmdQuit");
    EXPECT_FALSE(program.start());
    EXPECT_TRUE(program.endedAtSettings());
    EXPECT_FALSE(QFileInfo::exists(rig.logPath()));
    rig.program.reset();
    EXPECT_FALSE(QFileInfo::exists(rig.logPath())) << "nothing is logged after the quit";
}

} // namespace
} // namespace qzc

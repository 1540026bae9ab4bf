#include "desktop/frmdesktop.h"

#include "LoadedWindow.h"
#include "ProgramRig.h"
#include "desktop/PlayGrid.h"
#include "desktop/PlayerMenus.h"
#include "dialogs/frmEditPlayer.h"
#include "dialogs/frmMovement.h"
#include "dialogs/frmUFRDialog.h"
#include "session/GameSession.h"
#include "support/BaseStationSimulator.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/GoldenFile.h"
#include "support/LogLines.h"
#include "support/TestGuiApp.h"
#include "widgets/FlexGrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDirIterator>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

QAction* action(frmdesktop& window, const char* name) {
    return window.findChild<QAction*>(QLatin1String(name));
}

using LoadedWindowTest = test::LoadedWindow;

// What the request dispatcher and the load step leave in the window.
TEST_F(LoadedWindowTest, LoadedWindowAndTheDispatchersView) {
    frmdesktop& window = this->window();
    DesktopHost& host = window;

    EXPECT_EQ(window.windowTitle(), getVersionText() + QStringLiteral(" - club"));
    EXPECT_TRUE(action(window, "mnu_game_mode_2")->isChecked());
    EXPECT_FALSE(action(window, "mnu_personal_recaps")->isEnabled());
    EXPECT_FALSE(action(window, "mnusyscomm_start")->isVisible());
    // No deal file: the deal links say so and the hand-record item is gone.
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("labShowAllDeal"))->text(),
              QStringLiteral("Deals n/a"));
    EXPECT_FALSE(action(window, "mnu_handprint")->isVisible());
    EXPECT_TRUE(
        rig.program->log().bufferedText().contains(QStringLiteral(": Deal file found in registry: \r\n")) ||
        rig.logText().contains(QStringLiteral(": Deal file found in registry: \r\n")));
    const struct {
        const char* name;
        QKeySequence key;
    } keys[] = {{"mnu_makeresultfile", QKeySequence(Qt::CTRL | Qt::Key_W)},
                {"mnuexit", QKeySequence(Qt::SHIFT | Qt::Key_F4)},
                {"mnu_game_mode_0", QKeySequence(Qt::Key_F2)},
                {"mnu_game_mode_2", QKeySequence(Qt::Key_F4)},
                {"mnuplay_refresh", QKeySequence(Qt::Key_F5)},
                {"mnumain_smartmessage", QKeySequence(Qt::Key_F12)}};
    for (const auto& k : keys)
        EXPECT_EQ(action(window, k.name)->shortcut(), k.key) << k.name;

    // The section chooser holds the event's section and the grid its tables.
    auto* sections = window.findChild<QComboBox*>(QStringLiteral("cboSection"));
    ASSERT_EQ(sections->count(), 1);
    EXPECT_EQ(host.shownSectionId(),
              std::optional<qint16>(static_cast<qint16>(sections->itemData(0).toInt())));
    EXPECT_EQ(window.grid().Rows(), 8);

    // The dispatcher's refreshes are the grid's queue, each round once, worked off by its timer.
    host.queueGridRefresh(2);
    host.queueGridRefresh(2);
    EXPECT_EQ(window.grid().refreshQueue().text(), QStringLiteral("[2]"));
    window.grid().timerRefreshGrid_Timer();
    EXPECT_TRUE(window.grid().refreshQueue().isEmpty());

    // The next-stanza controls follow the stanza state the session shows.
    auto* updateMove = window.findChild<QPushButton*>(QStringLiteral("cmdUpdateMove"));
    for (const auto& [state, shown, forced] : {std::tuple{StanzaState::ReadyForNextStanza, true, false},
                                               {StanzaState::ResultsOwed, false, true},
                                               {StanzaState::NoFurtherRounds, false, false}}) {
        rig.program->session().showStanzaState(state, QStringLiteral("View click"));
        EXPECT_EQ(!updateMove->isHidden(), shown);
        EXPECT_EQ(action(window, "mnu_sys_forcedstart")->isEnabled(), forced);
    }

    // A notice leaves the window usable and waits for nobody.
    rig.messages.shown.clear();
    host.showNotice(QStringLiteral("TQZ version too low"), QStringLiteral("Too old firmware"));
    auto* notice = window.findChild<QMessageBox*>(QStringLiteral("frmNotice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->windowModality(), Qt::NonModal);
    EXPECT_TRUE(rig.messages.shown.empty());
}

// Every key a help page names (F1 to F12, or a key with Ctrl, Shift or Alt) is a shortcut of
// the window's menus or one of the keys the window handles itself.
TEST_F(LoadedWindowTest, EveryKeyAHelpPageNamesIsOneTheWindowHas) {
    // The window's own keys (keyPressEvent): the log window and the anti-checksum switch.
    QStringList known = {QStringLiteral("Ctrl+F9"), QStringLiteral("Ctrl+F6")};
    for (const QAction* item : window().findChildren<QAction*>())
        known << item->shortcut().toString(QKeySequence::PortableText);
    static const QRegularExpression key(
        QStringLiteral(R"(\b(?:(?:Ctrl|Shift|Alt)\+)*F\d{1,2}\b|\b(?:(?:Ctrl|Shift|Alt)\+)+[A-Z0-9]\b)"));
    QDirIterator pages(QStringLiteral(QZC_HELP_SOURCE), {QStringLiteral("*.html")}, QDir::Files,
                       QDirIterator::Subdirectories);
    int named = 0;
    while (pages.hasNext()) {
        const QString page = pages.next();
        for (const QRegularExpressionMatch& m :
             key.globalMatch(QString::fromUtf8(test::readFileBytes(page)))) {
            ++named;
            EXPECT_TRUE(known.contains(QKeySequence::fromString(m.captured(), QKeySequence::PortableText)
                                           .toString(QKeySequence::PortableText)))
                << page.toStdString() << ": " << m.captured().toStdString();
        }
    }
    EXPECT_GT(named, 0);
}

// The analysis shows the updated-movement instructions through the window: one instance,
// modeless, whose Help opens topic 27 and whose OK unloads it.
TEST_F(LoadedWindowTest, UpdatedMovementInstructionsOpenTheirHelpTopic) {
    frmdesktop& window = this->window();
    DesktopHost& host = window;
    host.showUFRDialog();
    host.showUFRDialog();
    const QList<frmUFRDialog*> shown = window.findChildren<frmUFRDialog*>();
    ASSERT_EQ(shown.size(), 1);
    QPointer<frmUFRDialog> dialog = shown.front();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->labMsg[0]->text(),
              QStringLiteral(
                  "The old movment data (that shall not be used any longer) has been removed from the grid"));
    EXPECT_GT(dialog->labMsg[3]->indent(), dialog->labMsg[2]->indent());

    rig.shell.opened.clear();
    dialog->cmdHelp->click();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(dialog, &f1);
    const QString page = rig.folder.path() + QStringLiteral("Help/html/restart_after_change.html");
    EXPECT_EQ(rig.shell.opened, (QStringList{page, page}));

    dialog->cmdButton[0]->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

// While a dialog's Help waits for the online help site the director may open the dialog
// again: the open one is closed, and deleted only once its Help's handler has returned.
TEST_F(LoadedWindowTest, ADialogReopenedWhileItsHelpWaits) {
    IniFile(rig.folder.path() + Config::iniFileName)
        .write(Config::mainSection, Help::onlineHelpKey, u"https://help.invalid/Help/"_s);
    PlayerMenus& players = rig.program->playerMenus();
    const auto pressId = [&players] {
        Q_EMIT players.playerDialog()->gridName->cellPressed(0, 3);
    };
    // The item that opens the dialog (a player's ID pressed in the list), the dialog, the item
    // chosen while its Help waits (none: the ID pressed again).
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"mnu_game_settings", "frmSettings", "mnu_game_settings"},
        {"mnu_sys_about", "frmAbout", "mnu_sys_about"},
        {"mnu_playername", "frmEditNameDialog", nullptr},
        {"mnu_playername", "frmEditNameDialog", "mnu_playername"},
    };
    for (const auto& [item, name, again] : cases) {
        action(window(), item)->trigger();
        if (players.playerDialog() != nullptr)
            pressId();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QPointer<QDialog> shown = window().findChild<QDialog*>(QLatin1String(name));
        // As in the program: Help is pressed in the program's loop, the wait for the help site
        // is a loop of its own, and the director's choice is an event of that loop.
        rig.online.whileAsked = [&, again = again] {
            QEventLoop wait;
            QTimer::singleShot(0, &wait, [&] {
                again != nullptr ? action(window(), again)->trigger() : pressId();
                QMetaObject::invokeMethod(&wait, &QEventLoop::quit, Qt::QueuedConnection);
            });
            wait.exec();
        };
        QEventLoop running;
        QTimer::singleShot(0, &running, [&] {
            shown->findChild<QAbstractButton*>(u"cmdHelp"_s)->click();
            running.quit();
        });
        running.exec();
        ASSERT_FALSE(shown.isNull()) << name;
        EXPECT_FALSE(shown->isVisible());
        // Deleted once the program's loop waits again.
        QTimer::singleShot(10, &running, &QEventLoop::quit);
        running.exec();
        EXPECT_TRUE(shown.isNull()) << name;
    }
}

// The game start and stop moves the window between its states; each step starts where the
// one before left it.
TEST(frmdesktopTest, GameStartAndStopStateTable) {
    test::TestGuiApp app;
    SystemClock clock;
    test::BaseStationSimulator station;
    ASSERT_TRUE(station.isValid());
    test::ProgramRig rig(clock);
    ASSERT_TRUE(rig.prepare(test::fixtures::mitchell(), station.devicePath()));
    ASSERT_TRUE(rig.make().start());
    frmdesktop& window = rig.program->desktop();
    auto* game = window.findChild<QPushButton*>(QStringLiteral("cmdGame"));
    GameSession& session = rig.program->session();
    ASSERT_TRUE(session.linkIsUp());
    auto* status = window.findChild<QLineEdit*>(QStringLiteral("txtbaseStationStatus"));
    EXPECT_EQ(status->text(), QStringLiteral("OK"));
    EXPECT_EQ(status->palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_EQ(action(window, "mnusyscomm_start")->text(), QStringLiteral("Stop base station"));

    struct Step {
        const char* what;
        std::function<void()> act;
        qint16 mode;
        const char* caption;
        QColor colour;
        bool analysing;
        int ticked;
        QStringList logged;
    };
    const QColor green(0, 255, 0);
    const QColor red(255, 0, 0);
    const Step steps[] = {
        {"stop while stopped", [&] { window.mnu_game_mode_Click(2); }, 0, "Start (F2)", green, false, 2, {}},
        {"start", [&] { window.cmdGame_Click(); }, 1, "Stop (F4)", red, true, 0, {u"Start game."_s}},
        {"start again",
         [&] { window.mnu_game_mode_Click(0); },
         1,
         "Stop (F4)",
         red,
         true,
         0,
         {u"Start game."_s}},
        {"stop by the button",
         [&] { window.cmdGame_Click(); },
         0,
         "Start (F2)",
         green,
         false,
         2,
         {u"Stop game."_s}},
        {"pause", [&] { window.mnu_game_mode_Click(1); }, 2, "Start (F2)", green, false, 1, {}},
        {"stop a paused game",
         [&] { window.mnu_game_mode_Click(2); },
         0,
         "Start (F2)",
         green,
         false,
         2,
         {u"Stop game."_s}},
        {"start without the base station",
         [&] {
             window.bs_OpenCommunication();
             station.setSilent(true);
             window.mnu_game_mode_Click(0);
         },
         0,
         "Start (F2)",
         green,
         false,
         0,
         {u"Start game."_s, u"Fail to start game."_s}},
    };
    for (const Step& step : steps) {
        // The file and the buffer together hold every line so far.
        const auto wholeLog = [&] {
            return rig.logText() + rig.program->log().bufferedText();
        };
        const qsizetype before = wholeLog().size();
        step.act();
        QStringList logged;
        for (const QString& message : test::logMessages(wholeLog().mid(before))) {
            if (message == u"Start game."_s || message == u"Stop game."_s ||
                message == u"Fail to start game."_s)
                logged << message;
        }
        EXPECT_EQ(session.gameMode(), step.mode) << step.what;
        EXPECT_EQ(game->text(), QLatin1String(step.caption)) << step.what;
        EXPECT_EQ(game->palette().color(QPalette::Button), step.colour) << step.what;
        EXPECT_EQ(session.timerAnalyzeGameDB().isActive(), step.analysing) << step.what;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(action(window, qPrintable(QStringLiteral("mnu_game_mode_%1").arg(i)))->isChecked(),
                      i == step.ticked)
                << step.what << " item " << i;
        EXPECT_EQ(logged, step.logged) << step.what;
    }
    // The last step took the link down.
    EXPECT_FALSE(session.linkIsUp());
    EXPECT_EQ(status->text(), QStringLiteral("N/A"));
    EXPECT_EQ(status->palette().color(QPalette::Base), QColor(255, 0, 0));
}

// Without a movement and without board counts the start asks for them.
TEST(frmdesktopTest, GameStartAsksForTheBoardCountsOfAnEventWithoutMovement) {
    struct Case {
        const char* what;
        const char* perRound;
        const char* total;
        int button;
        qint16 edge;
        bool logged;
    };
    const Case cases[] = {{"quit", "", "", 1, 0, false}, {"3 of 24", "3", "24", 0, 8, true}};
    for (const Case& c : cases) {
        test::TestGuiApp app;
        test::FakeClock clock;
        test::ProgramRig rig(clock);
        ASSERT_TRUE(rig.prepare(test::fixtures::mitchell()));
        ASSERT_TRUE(rig.make().start());
        ASSERT_TRUE(rig.program->gameData().movementRows().size() > 0);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("edit"));
            db.setDatabaseName(rig.eventPath());
            ASSERT_TRUE(db.open());
            ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("DELETE FROM RoundData")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("edit"));
        rig.program->event().boardsPerRound = 0;
        rig.program->event().totalBoards = 0;
        frmdesktop& window = rig.program->desktop();
        test::whenShown([&] {
            auto* dialog = qobject_cast<frmMovement*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->txtBoardRound->setText(QLatin1String(c.perRound));
            dialog->txtTotalBoard->setText(QLatin1String(c.total));
            dialog->cmdButton[static_cast<std::size_t>(c.button)]->click();
        });
        window.mnu_game_mode_Click(0);

        const QString log = rig.program->log().bufferedText() + rig.logText();
        EXPECT_EQ(log.contains(QStringLiteral("Total boards and board per round is set: 3,24")), c.logged)
            << c.what;
        EXPECT_EQ(log.contains(QStringLiteral("Fail to start game.")), c.logged) << c.what;
        EXPECT_EQ(action(window, "mnu_game_mode_0")->isChecked(), c.logged) << c.what;
        qint16 edge = 0;
        for (const SectionRecord& section : rig.program->gameData().sectionList())
            edge = section.stanzaEdge;
        if (c.logged) {
            EXPECT_EQ(edge, c.edge) << c.what;
        }
    }
}

} // namespace
} // namespace qzc

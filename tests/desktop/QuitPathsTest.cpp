#include "ProgramRig.h"
#include "desktop/PlayGrid.h"
#include "desktop/frmdesktop.h"
#include "dialogs/frmClosing.h"
#include "dialogs/frmSettings.h"
#include "reports/WebPublishing.h"
#include "session/GameSession.h"
#include "support/BaseStationSimulator.h"
#include "support/CaseNames.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/LogLines.h"
#include "support/TestGuiApp.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

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

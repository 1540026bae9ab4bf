#include "desktop/frmdesktop.h"

#include "core/Log.h"
#include "support/FakeClock.h"
#include "support/LogLines.h"
#include "support/ScriptedMessageBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace qzc {
namespace {

// What the request dispatcher finds in the main window before the grid and the movement
// commands exist.
TEST(frmdesktopTest, TheDispatchersView) {
    int argc = 1;
    char name[] = "test_desktop";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    test::FakeClock clock;
    Log log(clock);
    test::ScriptedMessageBox messages;
    frmdesktop window(log, messages);
    DispatcherHost& host = window;

    EXPECT_TRUE(host.isDesktopLoaded());
    host.setGridPlayTag(QStringLiteral("[2][1]"));
    EXPECT_EQ(host.gridPlayTag(), QStringLiteral("[2][1]"));
    EXPECT_FALSE(window.tableStatusRefreshDue());
    host.RefreshTableStatus();
    EXPECT_TRUE(window.tableStatusRefreshDue());

    EXPECT_FALSE(host.isAnalyzeTimerEnabled());
    host.restartAnalyzeTimer(200);
    EXPECT_TRUE(host.isAnalyzeTimerEnabled());

    auto* sections = window.findChild<QComboBox*>(QStringLiteral("cboSection"));
    ASSERT_NE(sections, nullptr);
    EXPECT_FALSE(host.selectedSectionId().has_value());
    sections->addItem(QStringLiteral("A"), 3);
    EXPECT_EQ(host.selectedSectionId(), std::optional<qint16>(3));

    auto* updateMove = window.findChild<QPushButton*>(QStringLiteral("cmdUpdateMove"));
    auto* forcedStart = window.findChild<QAction*>(QStringLiteral("mnu_sys_forcedstart"));
    ASSERT_TRUE(updateMove != nullptr && forcedStart != nullptr);
    EXPECT_FALSE(host.isUpdateMoveVisible());
    host.setUpdateMoveVisible(true);
    EXPECT_TRUE(host.isUpdateMoveVisible());
    EXPECT_FALSE(forcedStart->isEnabled());
    host.setForcedStartEnabled(true);
    EXPECT_TRUE(forcedStart->isEnabled());

    // A notice leaves the window usable and waits for nobody.
    host.showNotice(QStringLiteral("TQZ version too low"), QStringLiteral("Too old firmware"));
    auto* notice = window.findChild<QMessageBox*>(QStringLiteral("frmNotice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->windowModality(), Qt::NonModal);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(frmdesktopTest, GameStartNeedsTheLink) {
    int argc = 1;
    char name[] = "test_desktop";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    test::FakeClock clock;
    Log log(clock);
    test::ScriptedMessageBox messages;
    frmdesktop window(log, messages);
    auto* game = window.findChild<QPushButton*>(QStringLiteral("cmdGame"));
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->text(), QStringLiteral("Start (F2)"));

    // No base station: the start fails and the game stays stopped; a stop of a stopped game
    // logs nothing.
    window.cmdGame_Click();
    window.mnu_game_mode_Click(2);
    EXPECT_EQ(window.gameMode(), 0);
    EXPECT_EQ(game->text(), QStringLiteral("Start (F2)"));
    EXPECT_EQ(test::logBodies(log), (QStringList{": Start game.", ": Fail to start game."}));
    EXPECT_TRUE(window.findChild<QAction*>(QStringLiteral("mnu_game_mode_2"))->isChecked());
    EXPECT_FALSE(window.findChild<QAction*>(QStringLiteral("mnu_game_mode_0"))->isChecked());
}

} // namespace
} // namespace qzc

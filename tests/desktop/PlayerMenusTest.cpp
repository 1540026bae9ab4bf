#include "desktop/PlayerMenus.h"

#include "LoadedWindow.h"
#include "dialogs/frmEditNameDialog.h"
#include "dialogs/frmEditPlayer.h"
#include "dialogs/frmPlayerName.h"
#include "gamedata/PlayerSeats.h"
#include "platform/RegistryKey.h"
#include "support/WidgetInput.h"
#include "widgets/FlexGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

class PlayerMenusTest : public test::LoadedWindow {
protected:
    void trigger(const char* item) { window().findChild<QAction*>(QLatin1String(item))->trigger(); }
    PlayerMenus& menus() { return rig.program->playerMenus(); }
};

TEST_F(PlayerMenusTest, PreferencesAreSavedAndReadAtTheNextStart) {
    // Cancel writes nothing.
    trigger("mnu_sys_player_names");
    QPointer<frmPlayerName> dialog = menus().preferencesDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->optPlayerName[1]->click();
    dialog->cmdButton[1]->click();
    EXPECT_EQ(rig.program->config().readDefault(u"Player name preference"_s), QString());

    trigger("mnu_sys_player_names");
    dialog = menus().preferencesDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->optoverwritename[0]->isChecked()); // names go to the scoring program
    dialog->optPrinting[1]->click();
    dialog->optoverwritename[1]->click();
    dialog->optPlayerName[2]->click();
    dialog->chkHideGSwindow->setChecked(false);
    dialog->chkHideGSwindow->click();
    dialog->cmdButton[0]->click();
    EXPECT_FALSE(rig.program->config().NameToScoring);
    EXPECT_EQ(rig.program->config().namePreference, 2);

    Config next(rig.folder.path());
    next.readStartupSettings(QString(), RegistryKey());
    EXPECT_EQ(next.readDefault(u"Player name preference"_s), u"2"_s);
    EXPECT_EQ(next.readDefault(u"NameListSorting"_s), u"1"_s);
    EXPECT_EQ(next.readDefault(u"NameToScoring"_s), u"1"_s);
    EXPECT_EQ(next.readDefault(u"HideGSWindow"_s), u"1"_s);
    EXPECT_EQ(next.namePreference, 2);
    EXPECT_TRUE(next.NameListSorting);
    EXPECT_FALSE(next.NameToScoring);
    EXPECT_TRUE(next.HideGSWindow);
}

TEST_F(PlayerMenusTest, PlayerNamesOpenAfreshAndChangeAnId) {
    trigger("mnu_playername");
    QPointer<frmEditPlayer> first = menus().playerDialog();
    trigger("mnu_playername");
    frmEditPlayer* dialog = menus().playerDialog();
    ASSERT_NE(dialog, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    // Seven tables, four seats each, none registered yet: sorted by table.
    EXPECT_EQ(dialog->gridName->Rows(), 29);
    EXPECT_EQ(dialog->gridName->TextMatrix(0, 1), u"Table+"_s);
    EXPECT_EQ(dialog->gridName->TextMatrix(1, 1), u"A1"_s);
    EXPECT_EQ(dialog->gridName->TextMatrix(1, 2), u"N     1"_s);

    // A press on the Member ID of A1 N while the list is not active opens the change, and the
    // activation that the press brings, which comes after it, leaves it open; Yes writes it.
    window().activateWindow();
    QApplication::processEvents();
    ASSERT_FALSE(dialog->isActiveWindow());
    test::sendMouse(dialog->gridName->viewport(), QEvent::MouseButtonPress,
                    dialog->gridName->visualRect(dialog->gridName->model()->index(0, 3)).center());
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(dialog, &activation);
    frmEditNameDialog* edit = dialog->editDialog();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->windowTitle(), u"Change ID?"_s);
    edit->textNewValue->setText(u"4711"_s);
    edit->cmdButton[0]->click();
    const std::vector<PlayerNameRecord>& registered = rig.program->names().registeredNameList();
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_EQ(registered[0].number, 4711);
    EXPECT_EQ(registered[0].name, u"4711"_s);
    EXPECT_EQ(registered[0].table, 1);
    EXPECT_EQ(registered[0].direction, u"N"_s);
    EXPECT_EQ(dialog->gridName->TextMatrix(1, 3), u"4711"_s);
    // A table registering a player, as the terminals do, shows in the open list at once.
    Program& p = *rig.program;
    PlayerSeats terminal{p.db(), p.log(), clock, p.config(), p.gameData(), p.names(), p.event()};
    ASSERT_TRUE(terminal.markPlayerID(u"A1"_s, 5150, u"E"_s));
    p.names().loadRegisteredNames(true);
    EXPECT_EQ(dialog->gridName->TextMatrix(2, 3), u"5150"_s);
    // A press on the Table column opens nothing.
    Q_EMIT dialog->gridName->cellPressed(0, 1);
    EXPECT_EQ(dialog->editDialog(), nullptr);
}

TEST_F(PlayerMenusTest, ARoundChangedUnderChangeNameLeavesTheSeatPressed) {
    trigger("mnu_playername");
    frmEditPlayer* dialog = menus().playerDialog();
    ASSERT_NE(dialog, nullptr);
    Q_EMIT dialog->gridName->cellPressed(1, 4); // the name of A1 E, pair 8
    frmEditNameDialog* edit = dialog->editDialog();
    ASSERT_NE(edit, nullptr);
    // One wheel notch over the round selector, which does not activate the list: in the
    // round it lists another pair sits at A1 E.
    QWheelEvent notch(QPointF(1, 1), QPointF(1, 1), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(dialog->scrollRoundNo, &notch);
    ASSERT_NE(dialog->txtRoundNo->text(), u"1"_s);
    edit->textNewValue->setText(u"Brown"_s);
    edit->cmdButton[0]->click();
    const std::vector<PlayerNameRecord>& registered = rig.program->names().registeredNameList();
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_EQ(registered[0].table, 1);
    EXPECT_EQ(registered[0].direction, u"E"_s);
    EXPECT_EQ(registered[0].name, u"Brown"_s);
}

TEST_F(PlayerMenusTest, ImportOfAChosenFile) {
    QString offered;
    menus().chooseNamesFile = [&offered](QWidget*) {
        return offered;
    };
    rig.messages.shown.clear(); // the start's notice that no base station answers
    trigger("mnu_import_player_name");
    EXPECT_TRUE(rig.messages.shown.empty()); // cancelled

    offered = rig.folder.filePath(u"picked.txt"_s);
    QFile file(offered);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("501,Eve\r\n502,Fay\r\nbad\r\n");
    file.close();
    trigger("mnu_import_player_name");
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].text, u"2 player names imported."_s);
    EXPECT_EQ(rig.shell.opened.size(), 1); // the rejected line
}

} // namespace
} // namespace qzc

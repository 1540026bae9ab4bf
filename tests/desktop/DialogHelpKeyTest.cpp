// F1 in the dialogs, pressed where the focus is.

#include "LoadedWindow.h"
#include "desktop/PlayerMenus.h"
#include "desktop/ResultMenuCommands.h"
#include "dialogs/frmDialog.h"
#include "dialogs/frmEditNameDialog.h"
#include "dialogs/frmEditPlayer.h"
#include "support/QtPrinters.h"
#include "support/WidgetInput.h"
#include "widgets/FlexGrid.h"

#include <QAction>
#include <QLineEdit>
#include <functional>
#include <tuple>

namespace qzc {
namespace {

using DialogHelpKeyTest = test::LoadedWindow;

// A text box keeps the keys it has no use for; F1 in one still opens its dialog's help, once,
// and leaves the focus in the box, so that typing goes on there.
TEST_F(DialogHelpKeyTest, F1InATextBoxOpensTheDialogsHelpOnce) {
    // A press on a player's Member ID (column 3) or Name (4) in the Player names list, as the
    // director opens "Change ID?" or "Change name?".
    const auto changeDialogBox = [this](int column) {
        frmEditPlayer* names = rig.program->playerMenus().playerDialog();
        test::sendMouse(names->gridName->viewport(), QEvent::MouseButtonPress,
                        names->gridName->visualRect(names->gridName->model()->index(0, column)).center());
        QApplication::processEvents();
        return names->editDialog()->textNewValue;
    };
    // The menu item, the text box with the focus (the dialog's first, or one clicked into), the page.
    const std::tuple<const char*, std::function<QLineEdit*()>, const char*> cases[] = {
        {"mnu_resultperboard", [this] { return window().resultCommands().boardTraveller()->txtBoardNo; },
         "changing_results.html"},
        {"mnu_playername",
         [this] {
             QLineEdit* box = rig.program->playerMenus().playerDialog()->textSearch[3];
             box->setFocus(Qt::MouseFocusReason);
             return box;
         },
         "names.html"},
        {"mnu_playername", [&] { return changeDialogBox(4); }, "change_name.html"},
        {"mnu_playername", [&] { return changeDialogBox(3); }, "change_id.html"},
    };
    for (const auto& [item, focusedBox, page] : cases) {
        SCOPED_TRACE(page);
        rig.shell.opened.clear();
        window().findChild<QAction*>(QLatin1String(item))->trigger();
        // The window system activates the dialog.
        QApplication::processEvents();
        QLineEdit* box = focusedBox();
        ASSERT_EQ(box->window()->focusWidget(), box);
        test::pressKey(box, Qt::Key_F1);
        EXPECT_EQ(rig.shell.opened,
                  QStringList{rig.folder.path() + QStringLiteral("Help/html/") + QLatin1String(page)});
        ASSERT_EQ(box->window()->focusWidget(), box);
        // Typed over the whole text: a board of the event and a Member ID suit every box.
        box->selectAll();
        test::typeText(box->window()->focusWidget(), QStringLiteral("3"));
        EXPECT_EQ(box->text(), QStringLiteral("3"));
    }
}

} // namespace
} // namespace qzc

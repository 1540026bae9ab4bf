// F1 in the dialogs, pressed where the focus is.

#include "LoadedWindow.h"
#include "desktop/PlayerMenus.h"
#include "desktop/ResultMenuCommands.h"
#include "dialogs/frmDialog.h"
#include "dialogs/frmEditPlayer.h"
#include "support/QtPrinters.h"
#include "support/WidgetInput.h"

#include <QAction>
#include <QLineEdit>
#include <functional>
#include <tuple>

namespace qzc {
namespace {

using DialogHelpKeyTest = test::LoadedWindow;

// A text box keeps the keys it has no use for; F1 in one still opens its dialog's help, once.
TEST_F(DialogHelpKeyTest, F1InATextBoxOpensTheDialogsHelpOnce) {
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
    };
    for (const auto& [item, focusedBox, page] : cases) {
        SCOPED_TRACE(item);
        rig.shell.opened.clear();
        window().findChild<QAction*>(QLatin1String(item))->trigger();
        // The window system activates the dialog.
        QApplication::processEvents();
        QLineEdit* box = focusedBox();
        ASSERT_EQ(box->window()->focusWidget(), box);
        test::pressKey(box, Qt::Key_F1);
        EXPECT_EQ(rig.shell.opened,
                  QStringList{rig.folder.path() + QStringLiteral("Help/html/") + QLatin1String(page)});
    }
}

} // namespace
} // namespace qzc

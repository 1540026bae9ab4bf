#include "dialogs/ProgramDialog.h"

#include "widgets/WindowPlacement.h"

#include <QKeyEvent>
#include <QPushButton>

namespace qzc {

ProgramDialog::ProgramDialog(HelpKey helpKey, QWidget* parent) : QDialog(parent), helpKey_(helpKey) {
    keepFrameOnScreen(*this);
}

void ProgramDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && helpKey_ == HelpKey::Down) {
        cmdHelp_Click();
        return;
    }
    // A button without auto-default leaves Enter to the dialog, which would press the
    // default button or nothing: Enter presses the button that has the focus.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        if (focused != nullptr && focused->isEnabled()) {
            focused->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void ProgramDialog::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && helpKey_ == HelpKey::Up) {
        cmdHelp_Click();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

} // namespace qzc

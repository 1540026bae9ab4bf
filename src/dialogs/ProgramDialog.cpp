#include "dialogs/ProgramDialog.h"

#include "desktop/WindowPlacement.h"

#include <QKeyEvent>

namespace qzc {

ProgramDialog::ProgramDialog(HelpKey helpKey, QWidget* parent) : QDialog(parent), helpKey_(helpKey) {
    keepFrameOnScreen(*this);
}

void ProgramDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && helpKey_ == HelpKey::Down) {
        cmdHelp_Click();
        return;
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

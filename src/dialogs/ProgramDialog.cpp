#include "dialogs/ProgramDialog.h"

#include "widgets/WindowPlacement.h"

#include <QAbstractEventDispatcher>
#include <QKeyEvent>
#include <QPushButton>
#include <QThread>

namespace qzc {

ProgramDialog::ProgramDialog(HelpKey helpKey, QWidget* parent)
    : QDialog(parent), helpKey_(helpKey), helpKeyWatch_(*this, [this](QEvent::Type type) {
          if (type == (helpKey_ == HelpKey::Down ? QEvent::KeyPress : QEvent::KeyRelease))
              cmdHelp_Click();
      }) {
    keepFrameOnScreen(*this);
}

void ProgramDialog::keyPressEvent(QKeyEvent* event) {
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

bool ProgramDialog::event(QEvent* event) {
    // deleteLater deletes as soon as the loop it was called in turns again; called in an
    // inner loop, that is before the handlers waiting beneath it have returned.
    if (event->type() != QEvent::DeferredDelete || QThread::currentThread()->loopLevel() <= 1)
        return QDialog::event(event);
    if (!deletionWaits_) {
        deletionWaits_ = connect(QAbstractEventDispatcher::instance(),
                                 &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                                     if (QThread::currentThread()->loopLevel() > 1)
                                         return;
                                     disconnect(deletionWaits_);
                                     deleteLater();
                                 });
    }
    return true;
}

} // namespace qzc

#include "dialogs/HelpKeyWatch.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>
#include <utility>

namespace qzc {

HelpKeyWatch::HelpKeyWatch(QWidget& window, Handler handler) : window_(window), handler_(std::move(handler)) {
    watch(window_);
}

void HelpKeyWatch::watch(QObject& object) {
    if (!object.isWidgetType())
        return;
    object.installEventFilter(this);
    for (QObject* child : object.children())
        watch(*child);
}

bool HelpKeyWatch::inWindow(const QWidget& widget) const {
    const QWidget* owner = widget.window();
    // A list dropped down from a control is a window of its own, and belongs to the control's.
    while (owner->windowType() == Qt::Popup && owner->parentWidget() != nullptr)
        owner = owner->parentWidget()->window();
    return owner == &window_;
}

bool HelpKeyWatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ChildAdded:
        watch(*static_cast<QChildEvent*>(event)->child());
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Only widgets are watched. Taken where it first arrives, the key goes to no parent.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            inWindow(*static_cast<QWidget*>(watched))) {
            event->accept();
            handler_(event->type());
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qzc

#include "platform/BusyPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace qzc {

BusyPointer::BusyPointer() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (shown_)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyPointer::~BusyPointer() {
    if (shown_)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace qzc

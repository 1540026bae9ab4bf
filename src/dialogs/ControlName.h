#pragma once

#include <QString>

namespace qzc {

/// Gives a control its name of the window's design as objectName, so that tests and
/// screenshots find it; returns the control.
template <typename Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace qzc

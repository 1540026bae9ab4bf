#pragma once

#include <QApplication>
#include <QCursor>

namespace qzc {

/// The hourglass pointer for the lifetime of the object; nested ones stack, and the
/// default pointer comes back on every way out.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace qzc

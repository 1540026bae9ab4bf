#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace qzc::test {

/// Lets the program's events run until done or the guard time, in milliseconds (a failed
/// test, not a measurement); whether done.
inline bool runEventsUntil(const std::function<bool()>& done, int guardMs = 5000) {
    QElapsedTimer guard;
    guard.start();
    while (!done() && guard.elapsed() < guardMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

} // namespace qzc::test

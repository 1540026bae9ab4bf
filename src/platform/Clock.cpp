#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QThread>

namespace qzc {

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

qint64 SystemClock::monotonicMs() const {
    // One timer started on first use; QElapsedTimer is monotonic.
    static const QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

void SystemClock::sleepMs(int ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

} // namespace qzc

#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace qzc {

/// Wall-clock time, a monotonic elapsed time and sleeping, behind one interface so that
/// tests run on a fake clock and never wait for real seconds.
class Clock {
public:
    virtual ~Clock() = default;

    /// Local date and time with milliseconds.
    virtual QDateTime now() const = 0;
    /// Milliseconds since an arbitrary fixed point; never goes backwards.
    virtual qint64 monotonicMs() const = 0;
    /// Blocks the calling thread for the given milliseconds (a fake clock only advances).
    virtual void sleepMs(int ms) = 0;
};

/// The real clock of the machine.
class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    qint64 monotonicMs() const override;
    void sleepMs(int ms) override;
};

} // namespace qzc

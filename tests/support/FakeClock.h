#pragma once

#include "platform/Clock.h"

#include <functional>

namespace qzc::test {

/// A clock that moves only when told to; sleeping advances it at once.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(19, 30, 0, 0)))
        : now_(std::move(start)) {}

    QDateTime now() const override { return now_; }
    qint64 monotonicMs() const override { return monotonic_; }
    void sleepMs(int ms) override {
        advance(ms);
        if (whileSleeping)
            whileSleeping();
    }

    void advance(qint64 ms) {
        now_ = now_.addMSecs(ms);
        monotonic_ += ms;
    }
    void setNow(const QDateTime& when) { now_ = when; }

    /// Runs at every sleep, as what comes due while the program sleeps.
    std::function<void()> whileSleeping;

private:
    QDateTime now_;
    qint64 monotonic_ = 0;
};

} // namespace qzc::test

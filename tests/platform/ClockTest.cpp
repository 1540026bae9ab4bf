#include "support/FakeClock.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(FakeClockTest, SleepAdvancesWallAndMonotonicTime) {
    test::FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59, 900)));
    clock.sleepMs(200);
    EXPECT_EQ(clock.now(), QDateTime(QDate(2026, 12, 8), QTime(0, 0, 0, 100)));
    EXPECT_EQ(clock.monotonicMs(), 200);
}

} // namespace
} // namespace qzc

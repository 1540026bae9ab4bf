#include "harness/LogWatch.h"

#include "support/FakeClock.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

// Only what the queue and the link's timers caught escapes; the program's own run-time
// error lines are no fault of it.
TEST(LogWatchTest, KeepsTheExceptionsThatEscapedTheHandlingOfAFrame) {
    test::FakeClock clock;
    Log log(clock);
    fuzz::LogWatch watch;
    log.setWindowSink(&watch);
    log.setMirroring(true);
    log.writeLog(0, QStringLiteral("std::bad_alloc"), QStringLiteral("doQueue"), true);
    log.writeLog(0, QStringLiteral("Unknown error"), QStringLiteral("Queue_Timer"), true);
    log.writeLog(0, QStringLiteral("Unknown error"), QStringLiteral("timerPort_Timer"), true);
    log.writeLog(0, QStringLiteral("No feedback for A1, board 1: no reply"), QStringLiteral("doMsg"), true);
    log.writeLog(1003, QStringLiteral("A1: 00"), QStringLiteral("doQueue"));
    log.writeLog(0, QStringLiteral("Do message, 1, time delay: 0"), QStringLiteral("doQueue"));
    ASSERT_EQ(watch.escaped.size(), 3);
    EXPECT_TRUE(watch.escaped[0].endsWith(QLatin1String(" run-err0 std::bad_alloc (doQueue)")));
    EXPECT_TRUE(watch.escaped[2].endsWith(QLatin1String("(timerPort_Timer)")));
    log.setWindowSink(nullptr);
}

} // namespace
} // namespace qzc

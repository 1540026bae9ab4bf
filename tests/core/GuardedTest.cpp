#include "core/Guarded.h"

#include "support/FakeClock.h"
#include "support/LogLines.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace qzc {
namespace {

TEST(GuardedTest, WhatIsThrownBeneathIsLoggedAsARunTimeError) {
    struct Case {
        const char* what;
        std::function<void()> step;
        bool ranThrough;
        QStringList logged;
    };
    const Case cases[] = {
        {"nothing thrown", [] {}, true, {}},
        {"standard exception",
         [] { throw std::out_of_range("Subscript out of range"); },
         false,
         {QStringLiteral("run-err0 Subscript out of range (timerRefreshGrid)")}},
        {"anything else",
         [] { throw 42; },
         false,
         {QStringLiteral("run-err0 Unknown error (timerRefreshGrid)")}},
    };
    for (const Case& c : cases) {
        test::FakeClock clock;
        Log log(clock);
        EXPECT_EQ(guarded(log, QStringLiteral("timerRefreshGrid"), c.step), c.ranThrough) << c.what;
        EXPECT_EQ(test::logBodies(log), c.logged) << c.what;
    }
}

} // namespace
} // namespace qzc

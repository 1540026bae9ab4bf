#include "terminal/LinkSupervision.h"

#include "core/Log.h"
#include "support/FakeClock.h"
#include "support/FakeDesktopHost.h"
#include "support/LogLines.h"
#include "support/QtPrinters.h"
#include "terminal/LinkSettings.h"
#include "terminal/LinkState.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using Action = LinkSupervision::Action;

struct SupervisionFixture {
    test::FakeClock clock;
    Log log{clock};
    LinkSettings settings;
    LinkState state;
    test::FakeDesktopHost host;
    int knocks = 0;
    LinkSupervision supervision{log, clock, settings, state, host, [this] {
                                    ++knocks;
                                    state.knockPending = true;
                                }};

    SupervisionFixture() {
        host.mode = 1;
        state.lastRxTime = clock.now();
        state.lastAckTime = clock.now();
    }
};

TEST(LinkSupervisionTest, WholeSecondsCountClockSeconds) {
    const QDateTime base(QDate(2026, 12, 7), QTime(23, 59, 58, 900));
    EXPECT_EQ(wholeSecondsBetween(base, base.addMSecs(200)), 1);
    EXPECT_EQ(wholeSecondsBetween(base, base.addMSecs(99)), 0);
    EXPECT_EQ(wholeSecondsBetween(base, base.addSecs(181)), 181); // across midnight
}

TEST(LinkSupervisionTest, MinuteLimits) {
    struct Case {
        const char* name;
        qint16 maxIdleTime;
        qint16 maxIdleNoRx;
        qint64 secondsSinceAck;
        qint64 secondsSinceRx;
        int knocks;
        Action action;
    };
    const Case cases[] = {
        {"ack 180 s ago, limit 3 min", 3, 7, 180, 0, 0, Action::None},
        {"ack 181 s ago, limit 3 min", 3, 7, 181, 0, 1, Action::None},
        {"ack 60 s ago, limit 1 min", 1, 7, 60, 0, 0, Action::None},
        {"ack 61 s ago, limit 1 min", 1, 7, 61, 0, 1, Action::None},
        {"no frame for 420 s, limit 7 min", 3, 7, 0, 420, 0, Action::None},
        {"no frame for 421 s, limit 7 min", 3, 7, 0, 421, 0, Action::Reset},
        {"no frame for 241 s, limit 4 min", 3, 4, 0, 241, 0, Action::Reset},
        {"both exceeded: reset without knocking", 3, 7, 1000, 1000, 0, Action::Reset},
        {"limit of 20 min", 20, 30, 1201, 0, 1, Action::None},
        {"limit of 20 min not yet reached", 20, 30, 1200, 0, 0, Action::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SupervisionFixture f;
        f.settings.basestationMaxIdleTime = c.maxIdleTime;
        f.settings.basestationMaxIdleNoRX = c.maxIdleNoRx;
        const QDateTime now = f.clock.now().addSecs(10000);
        f.state.lastAckTime = now.addSecs(-c.secondsSinceAck);
        f.state.lastRxTime = now.addSecs(-c.secondsSinceRx);
        f.clock.setNow(now);
        EXPECT_EQ(f.supervision.tick(), c.action);
        EXPECT_EQ(f.knocks, c.knocks);
    }
}

TEST(LinkSupervisionTest, KnockTwoRetriesThenReset) {
    SupervisionFixture f;
    // The link runs before the game starts.
    f.host.mode = 0;
    f.supervision.tick();
    f.host.mode = 1;
    f.clock.advance(181 * 1000);
    f.state.lastRxTime = f.clock.now();
    std::vector<Action> actions;
    for (int tick = 0; tick < 4; ++tick) {
        actions.push_back(f.supervision.tick());
        f.clock.advance(1000);
    }
    EXPECT_EQ(actions, (std::vector<Action>{Action::None, Action::None, Action::None, Action::Reset}));
    EXPECT_EQ(f.knocks, 3);
    EXPECT_EQ(f.supervision.knockState(), -1);
    EXPECT_EQ(test::logBodies(f.log),
              (QStringList{u": Exceeds idle time for no activity, send 'knock' (timer_bs_knock_timer)"_s,
                           u": Knock retry 1"_s, u": Knock retry 2"_s,
                           u": No response from base station knocking, base station will be reset "_s
                           u"(timer_bs_knock_timer)"_s}));
}

TEST(LinkSupervisionTest, AnAckEndsTheKnocking) {
    SupervisionFixture f;
    f.clock.advance(181 * 1000);
    f.state.lastRxTime = f.clock.now();
    f.supervision.tick();
    EXPECT_EQ(f.knocks, 1);
    // The base station answers before the next tick.
    f.state.knockPending = false;
    f.state.lastAckTime = f.clock.now();
    f.clock.advance(1000);
    EXPECT_EQ(f.supervision.tick(), Action::None);
    EXPECT_EQ(f.knocks, 1);
    EXPECT_EQ(f.supervision.knockState(), -1);
    EXPECT_FALSE(test::logBodies(f.log).join(QLatin1Char('\n')).contains(QLatin1String("retry")));
}

TEST(LinkSupervisionTest, NothingWhileTheGameIsNotRunning) {
    for (qint16 mode : {0, 2}) {
        SCOPED_TRACE(mode);
        SupervisionFixture f;
        f.host.mode = mode;
        f.state.lastAckTime = QDateTime();
        f.state.lastRxTime = QDateTime();
        f.clock.advance(3600 * 1000);
        for (int tick = 0; tick < 5; ++tick)
            EXPECT_EQ(f.supervision.tick(), Action::None);
        EXPECT_EQ(f.knocks, 0);
        EXPECT_EQ(f.supervision.knockState(), -1);
        EXPECT_TRUE(test::logBodies(f.log).isEmpty());
    }
}

TEST(LinkSupervisionTest, NeverAcknowledgedCountsAsExceeded) {
    // A game start clears lastAckTime: the first tick knocks, whatever the limit.
    for (qint16 limit : {3, 16, 17, 60}) {
        SCOPED_TRACE(limit);
        SupervisionFixture f;
        f.settings.basestationMaxIdleTime = limit;
        f.state.lastAckTime = QDateTime();
        EXPECT_EQ(f.supervision.tick(), Action::None);
        EXPECT_EQ(f.knocks, 1);
    }
}

} // namespace
} // namespace qzc

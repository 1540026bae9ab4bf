#include "terminal/LinkSupervision.h"

#include "core/GameControl.h"
#include "core/Log.h"
#include "platform/Clock.h"
#include "terminal/LinkSettings.h"
#include "terminal/LinkState.h"

#include <limits>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("timer_bs_knock_timer");

qint64 floorSeconds(qint64 ms) {
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

} // namespace

qint64 wholeSecondsBetween(const QDateTime& from, const QDateTime& to) {
    return floorSeconds(to.toMSecsSinceEpoch()) - floorSeconds(from.toMSecsSinceEpoch());
}

LinkSupervision::LinkSupervision(Log& log, const Clock& clock, const LinkSettings& settings,
                                 const LinkState& state, const GameControl& game, std::function<void()> knock)
    : log_(log), clock_(clock), settings_(settings), state_(state), game_(game), knock_(std::move(knock)) {}

qint64 LinkSupervision::secondsSince(const QDateTime& when) const {
    // Never counts as longer than any limit, whatever the limits are set to.
    if (!when.isValid())
        return std::numeric_limits<qint64>::max();
    return wholeSecondsBetween(when, clock_.now());
}

LinkSupervision::Action LinkSupervision::tick() {
    if (game_.gameMode() != 1) {
        knockState_ = -1;
        return Action::None;
    }
    if (secondsSince(state_.lastRxTime) > qint64(settings_.basestationMaxIdleNoRX) * 60) {
        log_.writeLog(0, QStringLiteral("Exceeds idle time for no RX, reset base station"), kSource);
        knockState_ = -1;
        return Action::Reset;
    }
    if (secondsSince(state_.lastAckTime) <= qint64(settings_.basestationMaxIdleTime) * 60) {
        knockState_ = -1;
    } else if (knockState_ < 0) {
        knockState_ = 0;
        log_.writeLog(0, QStringLiteral("Exceeds idle time for no activity, send 'knock'"), kSource);
    }

    switch (knockState_) {
    case 0:
        knock_();
        knockState_ = 1;
        break;
    case 1:
    case 2:
        if (state_.knockPending) {
            log_.writeLog(0, QStringLiteral("Knock retry %1").arg(knockState_));
            knock_();
            ++knockState_;
        } else {
            knockState_ = -1;
        }
        break;
    case 3:
        knockState_ = -1;
        if (state_.knockPending) {
            log_.writeLog(
                0, QStringLiteral("No response from base station knocking, base station will be reset"),
                kSource);
            return Action::Reset;
        }
        break;
    default:
        break;
    }
    return Action::None;
}

} // namespace qzc

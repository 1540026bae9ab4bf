#pragma once

#include <QDateTime>
#include <QtGlobal>
#include <functional>

namespace qzc {

class Clock;
class GameControl;
class Log;
struct LinkSettings;
struct LinkState;

/// Whole seconds from one time stamp to another, counted on the seconds of the clock
/// (10:00:00.900 to 10:00:01.100 is one second).
qint64 wholeSecondsBetween(const QDateTime& from, const QDateTime& to);

/// The link supervision of a running game: knocks the base station when it has not
/// acknowledged for basestationMaxIdleTime minutes, retries twice, and asks for a reset of
/// the link when the knocks stay unanswered or no terminal frame came for
/// basestationMaxIdleNoRX minutes.
class LinkSupervision {
public:
    enum class Action { None, Reset };

    LinkSupervision(Log& log, const Clock& clock, const LinkSettings& settings, const LinkState& state,
                    const GameControl& game, std::function<void()> knock);

    /// One tick of the supervision timer (every second).
    Action tick();
    /// -1 idle, 0 about to knock, 1 to 3 knocks sent.
    qint16 knockState() const { return knockState_; }
    void setIdle() { knockState_ = -1; }

private:
    qint64 secondsSince(const QDateTime& when) const;

    Log& log_;
    const Clock& clock_;
    const LinkSettings& settings_;
    const LinkState& state_;
    const GameControl& game_;
    std::function<void()> knock_;
    qint16 knockState_ = 0;
};

} // namespace qzc

#pragma once

#include "core/StanzaState.h"

#include <QString>
#include <QtGlobal>

namespace qzc {

/// The commands of the game-mode menu, numbered as its items.
enum class GameCommand { Start = 0, Pause = 1, Stop = 2 };

/// What the base-station link, the request dispatcher and the game-data analysis ask of
/// the game session. The session implements it; tests use a fake.
class GameControl {
public:
    virtual ~GameControl() = default;

    /// The game state: 0 stopped, 1 running, 2 paused.
    virtual qint16 gameMode() const = 0;
    /// The base station stopped answering: the automatic reset takes the link down and
    /// brings it back (timerResetbaseStation).
    virtual void startTimerResetbaseStation() = 0;
    /// When the game-data timer runs: switches it off, sets intervalMs and switches it on
    /// again.
    virtual void restartAnalyzeTimer(int intervalMs) = 0;
    /// The stanza state of the section shown decides the "Start New Movement" button, the
    /// forced start and the game-data timer; source names the caller in the log.
    virtual void showStanzaState(StanzaState state, const QString& source) = 0;
};

} // namespace qzc

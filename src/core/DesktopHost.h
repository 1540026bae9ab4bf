#pragma once

#include "core/GameControl.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

/// What the engine asks of the main window: show what it decided, ask the director.
/// The main window implements it; tests use a fake.
class DesktopHost {
public:
    virtual ~DesktopHost() = default;

    // The link.
    /// Shows the link as up ("OK") or down ("N/A"), with the start/stop command's caption.
    virtual void showLinkStatus(bool up) = 0;
    /// The radio channel the director chose in the channel menu, 1 to 16 (16 when none).
    virtual qint16 firstCheckedChannel() const = 0;
    /// Shows channel (1 to 16) as the one chosen in the channel menu.
    virtual void setChannelChecked(qint16 channel) = 0;

    // The game.
    /// Shows the game as running (the start/stop button reads "Stop (F4)") or not.
    virtual void showGameRunning(bool running) = 0;
    /// Ticks the game-mode command given (nothing ticked for none).
    virtual void showGameCommand(std::optional<GameCommand> command) = 0;
    /// Asks the director for the boards per round and the total with the movement dialog,
    /// modally; both stay as they were when the director quits it.
    virtual void askBoardCounts(qint16& boardsPerRound, qint16& totalBoards) = 0;
    /// Shows the first section in the "Boards" view; the grid is rebuilt even when they
    /// are shown already.
    virtual void showFirstSectionAndView() = 0;
    /// A notice over the grid while the program works ("Resetting communication...").
    virtual void showGridMessage(const QString& caption) = 0;
    virtual void hideGridMessage() = 0;
    /// Paints the window now, before a step that keeps the event loop waiting.
    virtual void paintNow() = 0;

    /// The next-stanza controls: "Start New Movement" shown when the section is ready for
    /// its next stanza, "Forced start" enabled while it owes results, neither otherwise.
    virtual void showNextStanzaControls(StanzaState state) = 0;
};

} // namespace qzc

#pragma once

#include "core/GameControl.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

/// What the engine (the link, the dispatcher, the game session and the game-data analysis)
/// asks of the main window: show what it decided, ask the director. The main window
/// implements it; tests use a fake.
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

    // The sections and the grid.
    /// Whether the main window is loaded; the refreshes after a reply go to it only then.
    virtual bool isDesktopLoaded() const = 0;
    /// The ID of the section shown; nothing when none is.
    virtual std::optional<qint16> shownSectionId() const = 0;
    /// Refills the section choice from the sections in memory and shows the first section.
    virtual void refillSections() = 0;
    /// Shows the section of that ID (the first one for 0) and rebuilds the grid for it,
    /// even when it is shown already; nothing when no section has that ID.
    virtual void showSection(qint16 sectionId) = 0;
    /// Recolours the table status of the section shown and shows its stanza state.
    virtual void RefreshTableStatus() = 0;
    /// Queues the round's grid column for a refresh, unless it is queued already.
    virtual void queueGridRefresh(qint16 round) = 0;

    // The director.
    /// Shows a notice without waiting for an answer: the program goes on.
    virtual void showNotice(const QString& caption, const QString& text) = 0;
    /// Shows the instructions for starting with the updated movement, not waiting for
    /// them; instructions already shown stay.
    virtual void showUFRDialog() = 0;
};

} // namespace qzc

#pragma once

#include <QtGlobal>

namespace qzc {

/// What the base-station link asks of the main window. The main window implements it;
/// tests use a fake.
class DesktopHost {
public:
    virtual ~DesktopHost() = default;

    /// The game state: 0 stopped, 1 running, 2 paused.
    virtual qint16 gameMode() const = 0;
    /// Switches on timerResetbaseStation, which takes the link down and brings it up again
    /// after the reset wait.
    virtual void startTimerResetbaseStation() = 0;
    /// The first ticked item of the channel menu, 1 to 16; 16 when none is ticked.
    virtual qint16 firstCheckedChannel() const = 0;
    /// Ticks the channel menu item of channel (1 to 16) and unticks every other item.
    virtual void setChannelChecked(qint16 channel) = 0;
    /// Whether sent frames get a deliberately wrong checksum (a test of the terminals).
    virtual bool antiChecksum() const = 0;
    /// Shows the link as up ("OK") or down ("N/A"), with the start/stop command's caption.
    virtual void showLinkStatus(bool up) = 0;
};

} // namespace qzc

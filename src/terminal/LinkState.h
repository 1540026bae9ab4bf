#pragma once

#include <QDateTime>

namespace qzc {

/// The flags and times that the receiver, the queue, the base-station commands and the
/// link supervision share. An invalid time means "never".
struct LinkState {
    /// Set when a knock goes out, cleared by the base station's acknowledgement.
    bool knockPending = false;
    /// When the last frame was put into the queue (set to now by a game start).
    QDateTime lastRxTime;
    /// When the base station last acknowledged a knock (cleared by a game start).
    QDateTime lastAckTime;
    /// Sent frames carry a deliberately wrong checksum (a test of the terminals, switched
    /// by the director).
    bool antiChecksum = false;
};

} // namespace qzc

#pragma once

#include "gamedata/GameDataTypes.h"

#include <QString>

namespace qzc {

// Who sits at a row of the movement. A seat is empty when its number is 0 (a phantom pair or
// player, or a table that sits out). Where pairs play (a pairs game, or a movement that names no
// South or West player) the NS and EW pairs are the seats, and South and West are 0 by design;
// where four players sit at a table (GameData::seatsFourPlayers) all four players are.

/// A row with an empty seat plays no board: no result is stored for it, no deal is entered at
/// it, and a table that sits it out is seated for the round after it.
inline bool playsNoBoard(const SeatNumbers& seats, bool fourPlayers) {
    const std::size_t used = fourPlayers ? 4 : 2;
    for (std::size_t k = 0; k < used; ++k) {
        if (seats[k] <= 0)
            return true;
    }
    return false;
}

/// A row that seats no one: both pairs empty (where four players sit, all four).
inline bool seatsNoOne(const SeatNumbers& seats, bool fourPlayers) {
    const std::size_t used = fourPlayers ? 4 : 2;
    for (std::size_t k = 0; k < used; ++k) {
        if (seats[k] > 0)
            return false;
    }
    return true;
}

/// The rows of RoundData that owe the results of their boards, as a condition that follows a
/// WHERE clause: those that play boards (not playsNoBoard; a Null seat is empty), and those in
/// whose round the table's stored results show it played (a result with both pairs), as a
/// pair may leave while its table plays the round.
inline QString owesResultsCondition(bool fourPlayers) {
    return QStringLiteral(" AND (") +
           (fourPlayers ? QStringLiteral("(NSPair>0 AND EWPair>0 AND South>0 AND West>0)")
                        : QStringLiteral("(NSPair>0 AND EWPair>0)")) +
           QStringLiteral(
               " OR EXISTS (SELECT Board FROM ReceivedData WHERE ReceivedData.Section=RoundData.Section"
               " AND ReceivedData.[Table]=RoundData.[Table] AND ReceivedData.Round=RoundData.Round"
               " AND NOT ReceivedData.Erased AND ReceivedData.PairNS>0 AND ReceivedData.PairEW>0))");
}

/// How a row with these seats takes part in play: what every lookup by board reads.
inline RowPlay rowPlay(const SeatNumbers& seats, bool fourPlayers) {
    if (seatsNoOne(seats, fourPlayers))
        return RowPlay::NoOne;
    return playsNoBoard(seats, fourPlayers) ? RowPlay::SitOut : RowPlay::Boards;
}

} // namespace qzc

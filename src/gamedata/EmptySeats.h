#pragma once

#include "gamedata/GameDataTypes.h"

#include <QString>

namespace qzc {

// Who sits at a row of the movement. A seat is empty when its number is 0 (a phantom pair or
// player, or a table that sits out). In a pairs game the NS and EW pairs are the seats, and
// South and West are 0 by design; in an individual game all four players are.

/// A row with an empty seat plays no board: no result is stored for it, no deal is entered at
/// it, and a table that sits it out is seated for the round after it.
inline bool playsNoBoard(const SeatNumbers& seats, bool individualGame) {
    const std::size_t used = individualGame ? 4 : 2;
    for (std::size_t k = 0; k < used; ++k) {
        if (seats[k] <= 0)
            return true;
    }
    return false;
}

/// A row that seats no one: both pairs empty (in an individual game all four players).
inline bool seatsNoOne(const SeatNumbers& seats, bool individualGame) {
    const std::size_t used = individualGame ? 4 : 2;
    for (std::size_t k = 0; k < used; ++k) {
        if (seats[k] > 0)
            return false;
    }
    return true;
}

/// The rows of RoundData that play boards (not playsNoBoard), as a condition that follows a
/// WHERE clause: a Null seat is empty.
inline QString playsBoardsCondition(bool individualGame) {
    return individualGame ? QStringLiteral(" AND NSPair>0 AND EWPair>0 AND South>0 AND West>0")
                          : QStringLiteral(" AND NSPair>0 AND EWPair>0");
}

/// How a row with these seats takes part in play: what every lookup by board reads.
inline RowPlay rowPlay(const SeatNumbers& seats, bool individualGame) {
    if (seatsNoOne(seats, individualGame))
        return RowPlay::NoOne;
    return playsNoBoard(seats, individualGame) ? RowPlay::SitOut : RowPlay::Boards;
}

} // namespace qzc

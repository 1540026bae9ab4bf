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

/// The rows of RoundData that owe the results of their boards, as a condition that follows a
/// WHERE clause: those that play boards (not playsNoBoard; a Null seat is empty), and those in
/// whose round the table's stored results show it played (a result with both pairs), as a
/// pair may leave while its table plays the round.
inline QString owesResultsCondition(bool individualGame) {
    return QStringLiteral(" AND (") +
           (individualGame ? QStringLiteral("(NSPair>0 AND EWPair>0 AND South>0 AND West>0)")
                           : QStringLiteral("(NSPair>0 AND EWPair>0)")) +
           QStringLiteral(
               " OR EXISTS (SELECT Board FROM ReceivedData WHERE ReceivedData.Section=RoundData.Section"
               " AND ReceivedData.[Table]=RoundData.[Table] AND ReceivedData.Round=RoundData.Round"
               " AND NOT ReceivedData.Erased AND ReceivedData.PairNS>0 AND ReceivedData.PairEW>0))");
}

/// How a row with these seats takes part in play: what every lookup by board reads.
inline RowPlay rowPlay(const SeatNumbers& seats, bool individualGame) {
    if (seatsNoOne(seats, individualGame))
        return RowPlay::NoOne;
    return playsNoBoard(seats, individualGame) ? RowPlay::SitOut : RowPlay::Boards;
}

} // namespace qzc

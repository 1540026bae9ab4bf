#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

namespace qzc {

class GameData;

/// The numbers of a table's four seats: NS pair (North), EW pair (East), South, West.
using SeatNumbers = std::array<qint16, 4>;

/// The movement's own numbers of the seats a terminal of the table sent for the round it is
/// seated for. With banded pair numbering the terminals know the pairs by their converted
/// numbers (convertPairNumber), and pairs of two bands share one: the numbers are the seats of
/// the table's movement row of the earliest round after its last stored result whose seats
/// convert to all the numbers sent (South and West only when either was sent); a sit-out round
/// that does not fit is passed over. Nothing when no row fits, since a number read raw would
/// name another pair. Without banded numbering the numbers as sent.
std::optional<SeatNumbers> movementSeatNumbers(const GameData& gameData, bool bandedPairNumbering,
                                               const QString& tableId, SeatNumbers sent);

/// The movement's own numbers of the seats a terminal of the table sent with a result of
/// board: the seats of the table's movement row that plays the board, when they convert to
/// the numbers sent (South and West only when either was sent). Any round is found so, also
/// one after a sit-out or long before the last stored result. When no row of the board fits,
/// each number becomes the seat whose conversion it is in the round of the table's last stored
/// result or in the round after it, and a number that no such seat explains stays as sent.
SeatNumbers boardSeatNumbers(const GameData& gameData, bool bandedPairNumbering, const QString& tableId,
                             qint16 board, SeatNumbers sent);

/// The movement's own number of a pair or player that a terminal sent for a seat (0 NS, 1 EW,
/// 2 South, 3 West), looked for at every table of the section in the round: the number in
/// that seat whose conversion the sent number is; 0 when there is none. Without banded
/// numbering the sent number.
qint16 movementNumberInRound(const GameData& gameData, bool bandedPairNumbering, qint16 sectionId,
                             qint16 round, int seat, qint16 sent);

} // namespace qzc

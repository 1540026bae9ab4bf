#pragma once

#include "gamedata/GameDataTypes.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

class GameData;
class NextSeating;

/// The round being seated at a table, and the movement's own numbers of the seats its
/// terminal sent for that round.
struct SeatedRound {
    qint16 round = 0;
    /// Nothing when banded numbers do not fit the table's row of the round: read raw, a
    /// number would name another pair.
    std::optional<SeatNumbers> seats;
};

/// A row's (or a stored result's) seats as a terminal's numbers are compared with them: South
/// and West only when either was sent.
SeatNumbers comparedSeats(const SeatNumbers& own, const SeatNumbers& sent);

/// The seats are the numbers sent: each equal, or with banded pair numbering converting to it
/// (comparedSeats first).
bool seatsAreSent(const SeatNumbers& own, const SeatNumbers& sent, bool bandedPairNumbering);

/// The round a table seats when its terminal sends these numbers (with PINs, or asking for
/// names: all 0 when it asks for the round's names without numbers), read from the table's
/// rows of RoundData, as the check of the numbers reads them. It is the table's next round
/// (the round after its last stored result), except where that round's row plays no board,
/// since the table stores no result in it:
/// - a row that seats no one is passed over while a later row exists;
/// - a sit-out row is the round being seated when the numbers fit it: each seat it fills is
///   the number sent (banded: converts to it), its empty seats take any number; numbers all 0
///   fit no row. When they fit it only through a number sent for an empty seat and fit the
///   table's next row that plays boards exactly, that row is seated instead. A sit-out row
///   the numbers do not fit is passed over.
/// The first row not passed over is seated; the next round when there is none. The seats
/// are the numbers as sent without banded numbering. With banded numbering they are the
/// row's when the numbers fit it, and a number sent for an empty seat is the pair of the
/// section that converts to it.
SeatedRound roundBeingSeated(const GameData& gameData, const NextSeating& movement, bool bandedPairNumbering,
                             const QString& tableId, const SeatNumbers& sent);

/// The movement's own numbers of the seats a terminal of the table sent when it asks for their
/// names: the seats of the round being seated (roundBeingSeated) when they fit its row, else
/// those of the table's last stored round when they fit that row, as a table asks again in the
/// round it is playing. Nothing when neither fits. Without banded numbering the numbers as sent.
std::optional<SeatNumbers> movementSeatNumbers(const GameData& gameData, const NextSeating& movement,
                                               bool bandedPairNumbering, const QString& tableId,
                                               const SeatNumbers& sent);

/// The movement's own numbers of the seats a terminal of the table sent with a result of
/// board: the seats of the table's movement row that plays the board, when they convert to
/// the numbers sent (South and West only when either was sent). Any round is found so, also
/// one after a sit-out or long before the last stored result. When no row of the board fits,
/// each number becomes the seat whose conversion it is in the table's seating of the board
/// (GameData::roundSeating) in the round of its last stored result or in the round after it,
/// and a number that no such seat explains stays as sent.
SeatNumbers boardSeatNumbers(const GameData& gameData, bool bandedPairNumbering, const QString& tableId,
                             qint16 board, SeatNumbers sent);

/// A pair that a terminal of a table names by one number: the movement's own number of the
/// pair and the side it sits on at the table.
struct TablePair {
    qint16 number = 0;
    bool eastWest = false;
};

/// The pair a terminal of the table names by one number when it asks about board: of the
/// table's movement row that plays the board, the NS or else the EW pair whose number (with
/// banded pair numbering converted by convertPairNumber) is the number sent; NS first, since
/// both pairs of a Mitchell's first round can carry it. Any round is found so, also one before
/// a board entered late. When no row of the board fits, the table's seating of the board
/// (GameData::roundSeating) in the round of its last stored result, then in the round after it.
/// Nothing when none fits, or for a number of 0 or less.
std::optional<TablePair> boardPair(const GameData& gameData, bool bandedPairNumbering, const QString& tableId,
                                   qint16 board, qint16 sent);

/// The movement's own number of a pair or player that a terminal sent for a seat (0 NS, 1 EW,
/// 2 South, 3 West), looked for at every table of the section in the round: the number in
/// that seat whose conversion the sent number is; 0 when there is none. Without banded
/// numbering the sent number.
qint16 movementNumberInRound(const GameData& gameData, bool bandedPairNumbering, qint16 sectionId,
                             qint16 round, int seat, qint16 sent);

} // namespace qzc

#include "gamedata/TerminalNumbers.h"

#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "gamedata/NextSeating.h"

#include <algorithm>
#include <vector>

namespace qzc {

namespace {

qint16 seatOf(const MovementRow& row, int seat) {
    switch (seat) {
    case 0:
        return row.NSPair;
    case 1:
        return row.EWPair;
    case 2:
        return row.South;
    default:
        return row.West;
    }
}

SeatNumbers rowSeats(const MovementRow& row, const SeatNumbers& sent) {
    return comparedSeats(row.seats(), sent);
}

bool convertsTo(const SeatNumbers& own, const SeatNumbers& sent) {
    for (std::size_t k = 0; k < own.size(); ++k) {
        if (convertPairNumber(own[k], true) != sent[k])
            return false;
    }
    return true;
}

bool fits(const MovementRow& row, const SeatNumbers& sent, bool bandedPairNumbering) {
    return seatsAreSent(row.seats(), sent, bandedPairNumbering);
}

/// Each seat the row fills is the number sent (banded: converts to it); its empty seats take
/// any number.
bool fitsFilledSeats(const MovementRow& row, const SeatNumbers& sent, bool bandedPairNumbering) {
    const SeatNumbers own = rowSeats(row, sent);
    for (std::size_t k = 0; k < own.size(); ++k) {
        if (own[k] > 0 && convertPairNumber(own[k], bandedPairNumbering) != sent[k])
            return false;
    }
    return true;
}

/// The pair of the section whose banded number a terminal sent for a seat that its row leaves
/// empty: the number of the band (hundreds) that the section's numbers in that seat use, else
/// of another band of the section, else of any band, that converts to it.
qint16 pairConvertedFrom(const GameData& gameData, qint16 sectionId, std::size_t seat, qint16 sent) {
    QList<int> bands;
    for (const bool anySeat : {false, true}) {
        for (const MovementRow& row : gameData.movementRows()) {
            if (row.Section != sectionId)
                continue;
            const SeatNumbers seats = row.seats();
            for (std::size_t k = 0; k < seats.size(); ++k) {
                const int band = seats[k] / 100 * 100;
                if ((anySeat || k == seat) && seats[k] > 0 && band < 400 && !bands.contains(band))
                    bands << band;
            }
        }
    }
    bands << 0 << 100 << 200 << 300;
    for (const int band : bands) {
        // Bands 0 and 300 give the odd numbers, bands 100 and 200 the even ones.
        const int pair = band + (sent + 1) / 2;
        if (pair < band + 100 && convertPairNumber(static_cast<qint16>(pair), true) == sent)
            return static_cast<qint16>(pair);
    }
    return sent;
}

/// The seats of a sit-out row the numbers fit: its own where it fills them, the numbers sent
/// for its empty seats.
SeatNumbers sitOutSeats(const GameData& gameData, const MovementRow& row, const SeatNumbers& sent,
                        bool bandedPairNumbering) {
    SeatNumbers seats = rowSeats(row, sent);
    for (std::size_t k = 0; k < seats.size(); ++k) {
        if (seats[k] <= 0)
            seats[k] = bandedPairNumbering && sent[k] > 0
                           ? pairConvertedFrom(gameData, row.Section, k, sent[k])
                           : sent[k];
    }
    return seats;
}

/// The round a table seats among its rows from its next round on (see roundBeingSeated); rows
/// of earlier rounds are passed over.
SeatedRound seatRound(const GameData& gameData, const std::vector<MovementRow>& rows, qint16 nextRound,
                      const SeatNumbers& sent, bool bandedPairNumbering) {
    const bool numbersSent = std::any_of(sent.begin(), sent.end(), [](qint16 n) { return n != 0; });
    const auto playedAfter = [&](std::size_t i) {
        return std::find_if(rows.begin() + static_cast<std::ptrdiff_t>(i) + 1, rows.end(),
                            [](const MovementRow& row) { return row.playsBoards(); });
    };
    const auto seatedAt = [&](const MovementRow& row) {
        const bool fit = fits(row, sent, bandedPairNumbering);
        return SeatedRound{row.Round, fit ? std::optional(rowSeats(row, sent)) : std::nullopt};
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MovementRow& row = rows[i];
        if (row.Round < nextRound)
            continue;
        if (row.play == RowPlay::NoOne) {
            if (i + 1 < rows.size())
                continue;
            return seatedAt(row);
        }
        if (row.playsBoards())
            return seatedAt(row);
        if (!numbersSent || !fitsFilledSeats(row, sent, bandedPairNumbering))
            continue;
        // Numbers that fit only through a number sent for an empty seat and fit the next row
        // that plays boards exactly are that row's: the table is back from its sit-out.
        const auto played = playedAfter(i);
        if (!fits(row, sent, bandedPairNumbering) && played != rows.end() &&
            fits(*played, sent, bandedPairNumbering))
            return seatedAt(*played);
        return SeatedRound{row.Round, sitOutSeats(gameData, row, sent, bandedPairNumbering)};
    }
    return SeatedRound{nextRound, std::nullopt};
}

/// The table's movement rows that play the board, in the order of their rounds (the order of
/// the movement); a row with an empty seat plays none.
std::vector<const MovementRow*> boardRows(const GameData& gameData, const QString& tableId, qint16 board) {
    const QString letters = tableIdLetter(tableId);
    const qint16 table = tableIdNumber(tableId);
    std::vector<const MovementRow*> rows;
    for (const MovementRow& row : gameData.movementRows()) {
        if (row.Table == table && row.Letter == letters && row.boards.contains(board) && row.playsBoards())
            rows.push_back(&row);
    }
    return rows;
}

/// Who played board (its own stored result), else the table's round of its last stored result,
/// then who sits there in the round after it. The board's own result keeps a pair that left
/// the round under way.
std::vector<SeatNumbers> lastRoundSeatings(const GameData& gameData, const QString& tableId, qint16 board) {
    const qint16 lastRound = gameData.getMaxRound(tableId);
    std::vector<SeatNumbers> seatings;
    for (const qint16 round : {lastRound, static_cast<qint16>(lastRound + 1)}) {
        if (round <= 0)
            continue;
        const std::optional<RoundSeating> seating = gameData.roundSeating(tableId, round, board);
        seatings.push_back(seating ? seating->seats : SeatNumbers{});
    }
    return seatings;
}

/// Each number through the table's seating of board in its last stored round, then the round
/// after it; a number that neither explains stays as sent.
SeatNumbers lastRoundSeatNumbers(const GameData& gameData, const QString& tableId, qint16 board,
                                 SeatNumbers sent) {
    std::array<bool, 4> matched{};
    for (const SeatNumbers& seats : lastRoundSeatings(gameData, tableId, board)) {
        for (std::size_t k = 0; k < sent.size(); ++k) {
            if (!matched[k] && sent[k] == convertPairNumber(seats[k], true)) {
                sent[k] = seats[k];
                matched[k] = true;
            }
        }
    }
    return sent;
}

/// The NS pair when its number is the one sent, else the EW pair when its number is.
std::optional<TablePair> pairSent(qint16 ns, qint16 ew, qint16 sent, bool bandedPairNumbering) {
    if (ns > 0 && convertPairNumber(ns, bandedPairNumbering) == sent)
        return TablePair{ns, false};
    if (ew > 0 && convertPairNumber(ew, bandedPairNumbering) == sent)
        return TablePair{ew, true};
    return std::nullopt;
}

} // namespace

SeatNumbers comparedSeats(const SeatNumbers& own, const SeatNumbers& sent) {
    const bool pairsOnly = sent[2] == 0 && sent[3] == 0;
    return {own[0], own[1], pairsOnly ? qint16{0} : own[2], pairsOnly ? qint16{0} : own[3]};
}

bool seatsAreSent(const SeatNumbers& own, const SeatNumbers& sent, bool bandedPairNumbering) {
    const SeatNumbers compared = comparedSeats(own, sent);
    return bandedPairNumbering ? convertsTo(compared, sent) : compared == sent;
}

SeatedRound roundBeingSeated(const GameData& gameData, const NextSeating& movement, bool bandedPairNumbering,
                             const QString& tableId, const SeatNumbers& sent) {
    const auto nextRound = static_cast<qint16>(gameData.getMaxRound(tableId) + 1);
    SeatedRound seated =
        seatRound(gameData, movement.tableRounds(tableId, nextRound), nextRound, sent, bandedPairNumbering);
    if (!bandedPairNumbering)
        seated.seats = sent;
    return seated;
}

std::optional<SeatNumbers> movementSeatNumbers(const GameData& gameData, const NextSeating& movement,
                                               bool bandedPairNumbering, const QString& tableId,
                                               const SeatNumbers& sent) {
    if (!bandedPairNumbering)
        return sent;
    const qint16 played = gameData.getMaxRound(tableId);
    // The rows of the round being played and of the rounds after it, read once.
    const std::vector<MovementRow> rows = movement.tableRounds(tableId, played);
    const SeatedRound seated = seatRound(gameData, rows, static_cast<qint16>(played + 1), sent, true);
    if (seated.seats)
        return seated.seats;
    // A table asks again in the round it is playing once it has stored a board of it.
    for (const MovementRow& row : rows) {
        if (row.Round == played && fits(row, sent, true))
            return rowSeats(row, sent);
    }
    return std::nullopt;
}

SeatNumbers boardSeatNumbers(const GameData& gameData, bool bandedPairNumbering, const QString& tableId,
                             qint16 board, SeatNumbers sent) {
    if (!bandedPairNumbering)
        return sent;
    for (const MovementRow* row : boardRows(gameData, tableId, board)) {
        const SeatNumbers own = rowSeats(*row, sent);
        if (convertsTo(own, sent))
            return own;
    }
    return lastRoundSeatNumbers(gameData, tableId, board, sent);
}

std::optional<TablePair> boardPair(const GameData& gameData, bool bandedPairNumbering, const QString& tableId,
                                   qint16 board, qint16 sent) {
    if (sent <= 0)
        return std::nullopt;
    for (const MovementRow* row : boardRows(gameData, tableId, board)) {
        if (const std::optional<TablePair> pair =
                pairSent(row->NSPair, row->EWPair, sent, bandedPairNumbering))
            return pair;
    }
    for (const SeatNumbers& seats : lastRoundSeatings(gameData, tableId, board)) {
        if (const std::optional<TablePair> pair = pairSent(seats[0], seats[1], sent, bandedPairNumbering))
            return pair;
    }
    return std::nullopt;
}

qint16 movementNumberInRound(const GameData& gameData, bool bandedPairNumbering, qint16 sectionId,
                             qint16 round, int seat, qint16 sent) {
    if (!bandedPairNumbering || sent <= 0)
        return sent;
    for (const MovementRow& row : gameData.movementRows()) {
        const qint16 own = seatOf(row, seat);
        if (row.Section == sectionId && row.Round == round && own > 0 && convertPairNumber(own, true) == sent)
            return own;
    }
    // Read raw, the terminal's number would name another pair of the movement.
    return 0;
}

} // namespace qzc

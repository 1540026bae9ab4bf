#include "gamedata/TerminalNumbers.h"

#include "core/NumberText.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "gamedata/GameData.h"

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

/// A row's seats as a terminal's numbers are compared with them: South and West only when
/// either was sent.
SeatNumbers rowSeats(const MovementRow& row, const SeatNumbers& sent) {
    const bool pairsOnly = sent[2] == 0 && sent[3] == 0;
    return {row.NSPair, row.EWPair, pairsOnly ? qint16{0} : row.South, pairsOnly ? qint16{0} : row.West};
}

bool convertsTo(const SeatNumbers& own, const SeatNumbers& sent) {
    for (std::size_t k = 0; k < own.size(); ++k) {
        if (convertPairNumber(own[k], true) != sent[k])
            return false;
    }
    return true;
}

bool fits(const MovementRow& row, const SeatNumbers& sent, bool bandedPairNumbering) {
    const SeatNumbers own = rowSeats(row, sent);
    return bandedPairNumbering ? convertsTo(own, sent) : own == sent;
}

bool isSitOut(const MovementRow& row) {
    return row.NSPair <= 0 || row.EWPair <= 0;
}

/// The table's movement rows from round on, in the order of their rounds.
std::vector<const MovementRow*> tableRowsFrom(const GameData& gameData, const QString& tableId,
                                              qint16 round) {
    const QString letters = tableIdLetter(tableId);
    const qint16 table = tableIdNumber(tableId);
    std::vector<const MovementRow*> rows;
    for (const MovementRow& row : gameData.movementRows()) {
        if (row.Table == table && row.Letter == letters && row.Round >= round)
            rows.push_back(&row);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const MovementRow* a, const MovementRow* b) { return a->Round < b->Round; });
    return rows;
}

/// The table's movement rows that play the board, in the order of their rounds.
std::vector<const MovementRow*> boardRows(const GameData& gameData, const QString& tableId, qint16 board) {
    std::vector<const MovementRow*> rows = tableRowsFrom(gameData, tableId, 0);
    std::erase_if(rows, [board](const MovementRow* row) { return !row->boards.contains(board); });
    return rows;
}

/// The table's seats in the round of its last stored result, then in the round after it.
std::vector<SeatNumbers> lastRoundSeatings(const GameData& gameData, const QString& tableId) {
    const qint16 lastRound = gameData.getMaxRound(tableId);
    std::vector<SeatNumbers> seatings;
    for (const qint16 round : {lastRound, static_cast<qint16>(lastRound + 1)}) {
        if (round <= 0)
            continue;
        const QString seating = gameData.mem_GetTablePairs(tableId, round);
        SeatNumbers seats{};
        for (std::size_t k = 0; k < seats.size(); ++k)
            seats[k] = StrToInt(GetField(seating, static_cast<qint16>(k + 1), QStringLiteral("/")));
        seatings.push_back(seats);
    }
    return seatings;
}

/// Each number through the table's seating in its last stored round, then the round after it;
/// a number that neither explains stays as sent.
SeatNumbers lastRoundSeatNumbers(const GameData& gameData, const QString& tableId, SeatNumbers sent) {
    std::array<bool, 4> matched{};
    for (const SeatNumbers& seats : lastRoundSeatings(gameData, tableId)) {
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

SeatedRound roundBeingSeated(const GameData& gameData, bool bandedPairNumbering, const QString& tableId,
                             const SeatNumbers& sent) {
    const auto nextRound = static_cast<qint16>(gameData.getMaxRound(tableId) + 1);
    SeatedRound seated{nextRound, std::nullopt};
    for (const MovementRow* row : tableRowsFrom(gameData, tableId, nextRound)) {
        const bool fit = fits(*row, sent, bandedPairNumbering);
        if (isSitOut(*row) && !fit)
            continue;
        seated.round = row->Round;
        if (fit && bandedPairNumbering)
            seated.seats = rowSeats(*row, sent);
        break;
    }
    if (!bandedPairNumbering)
        seated.seats = sent;
    return seated;
}

std::optional<SeatNumbers> movementSeatNumbers(const GameData& gameData, bool bandedPairNumbering,
                                               const QString& tableId, const SeatNumbers& sent) {
    const SeatedRound seated = roundBeingSeated(gameData, bandedPairNumbering, tableId, sent);
    if (seated.seats)
        return seated.seats;
    // A table asks again in the round it is playing once it has stored a board of it.
    const qint16 played = gameData.getMaxRound(tableId);
    for (const MovementRow* row : tableRowsFrom(gameData, tableId, played)) {
        if (row->Round == played && fits(*row, sent, true))
            return rowSeats(*row, sent);
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
    return lastRoundSeatNumbers(gameData, tableId, sent);
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
    for (const SeatNumbers& seats : lastRoundSeatings(gameData, tableId)) {
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

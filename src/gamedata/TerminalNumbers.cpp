#include "gamedata/TerminalNumbers.h"

#include "core/NumberText.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "gamedata/GameData.h"

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

} // namespace

SeatNumbers movementSeatNumbers(const GameData& gameData, bool bandedPairNumbering, const QString& tableId,
                                SeatNumbers sent) {
    if (!bandedPairNumbering)
        return sent;
    const qint16 lastRound = gameData.getMaxRound(tableId);
    std::array<bool, 4> matched{};
    for (const qint16 round : {lastRound, static_cast<qint16>(lastRound + 1)}) {
        if (round <= 0)
            continue;
        const QString seating = gameData.mem_GetTablePairs(tableId, round);
        for (std::size_t k = 0; k < sent.size(); ++k) {
            const qint16 own = StrToInt(GetField(seating, static_cast<qint16>(k + 1), QStringLiteral("/")));
            if (!matched[k] && sent[k] == convertPairNumber(own, true)) {
                sent[k] = own;
                matched[k] = true;
            }
        }
    }
    return sent;
}

SeatNumbers boardSeatNumbers(const GameData& gameData, bool bandedPairNumbering, const QString& tableId,
                             qint16 board, SeatNumbers sent) {
    if (!bandedPairNumbering)
        return sent;
    const QString letters = tableIdLetter(tableId);
    const qint16 table = tableIdNumber(tableId);
    const bool pairsOnly = sent[2] == 0 && sent[3] == 0;
    for (const MovementRow& row : gameData.movementRows()) {
        if (row.Table != table || row.Letter != letters || !row.boards.contains(board))
            continue;
        const SeatNumbers own{row.NSPair, row.EWPair, pairsOnly ? qint16{0} : row.South,
                              pairsOnly ? qint16{0} : row.West};
        bool fits = true;
        for (std::size_t k = 0; k < own.size(); ++k)
            fits = fits && convertPairNumber(own[k], true) == sent[k];
        if (fits)
            return own;
    }
    return movementSeatNumbers(gameData, true, tableId, sent);
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

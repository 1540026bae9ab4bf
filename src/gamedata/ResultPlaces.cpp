// Where a board result, and the bidding and play of a board, of a table is filed: the round
// in which the table plays the board. The movement in memory answers almost always. While the
// scoring program's change of the movement waits to be taken up, the table may rightly play
// pairs that only RoundData seats (the PIN check reads it); after it was taken up, the rest of
// a round under way is still played by the pairs its stored results show. Neither is dropped.
#include "core/Log.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "gamedata/NextSeating.h"
#include "gamedata/TerminalNumbers.h"

#include <QSqlQuery>

namespace qzc {

std::optional<ResultPlace> GameData::findResultPlace(const QString& tableId, qint16 board,
                                                     const ResultSeats& seats) const {
    const auto& [ns, ew, south, west] = seats.own;
    if (const qint16 round = mem_GetRound(tableId, ns, ew, board, south, west); round > 0)
        return ResultPlace{round, seats.own};
    return placeOutsideMemory(tableId, board, seats);
}

qint16 GameData::findBoardRound(const QString& tableId, qint16 board) const {
    if (const qint16 round = mem_GetNextRound(tableId, board); round > 0)
        return round;
    const std::optional<ResultPlace> place = placeOutsideMemory(tableId, board, std::nullopt);
    return place ? place->round : qint16{0};
}

std::optional<ResultPlace> GameData::placeOutsideMemory(const QString& tableId, qint16 board,
                                                        const std::optional<ResultSeats>& sent) const {
    if (board <= 0)
        return std::nullopt;
    const qint16 sectionId = getSectionID(tableIdLetter(tableId));
    const qint16 begin = getSectionBeginRound(sectionId);
    const qint16 edge = getSectionEdgeRound(sectionId);
    const auto inStanza = [begin, edge](qint16 round) {
        return round >= qMax<qint16>(begin, 1) && (edge < 1 || round <= edge);
    };
    // The boards the table's terminal was given for the round.
    const auto holdsBoard = [&](qint16 round) {
        const MovementRow* row = mem_GetTableRow(tableId, round);
        return row != nullptr && row->boards.contains(board);
    };
    const auto seated = [&sent](const SeatNumbers& own) {
        return !sent || seatsAreSent(own, sent->sent, sent->banded);
    };
    const auto place = [&sent](qint16 round, const SeatNumbers& own) {
        return ResultPlace{round, sent ? comparedSeats(own, sent->sent) : own};
    };

    // A changed movement not yet taken up: its rows as the PIN check reads them.
    for (const MovementRow& row : NextSeating(db_, log_, *this).tableRounds(tableId, begin)) {
        if (inStanza(row.Round) && row.playsBoards() && seated(row.seats()) && holdsBoard(row.Round))
            return place(row.Round, row.seats());
    }

    // The round under way, as the table's stored results show who plays it.
    std::optional<QSqlQuery> query = db_.select(
        QStringLiteral("SELECT Round, PairNS, PairEW, South, West FROM ReceivedData WHERE Section=? AND "
                       "[Table]=? AND NOT Erased ORDER BY Round DESC, Board ASC"),
        {sectionId, tableIdNumber(tableId)});
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(),
                      QStringLiteral("Database - findResultPlace"), true);
        return std::nullopt;
    }
    while (query->next()) {
        const qint16 round = queryInt16(*query, 0);
        const SeatNumbers stored = {queryInt16(*query, 1), queryInt16(*query, 2), queryInt16(*query, 3),
                                    queryInt16(*query, 4)};
        if (inStanza(round) && holdsBoard(round) && seated(stored))
            return place(round, stored);
    }
    return std::nullopt;
}

} // namespace qzc

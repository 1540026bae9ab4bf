// Where a board result, and the bidding and play of a board, of a table is filed: the round
// in which the table plays the board. The movement in memory answers almost always. While the
// scoring program's change of the movement waits to be taken up, the table may rightly play
// pairs that only RoundData seats (the PIN check reads it); after it was taken up, the rest of
// a round under way is still played by the pairs its stored results show. Neither is dropped.
//
// Who played a table's round is one answer for the intake and for everything that shows,
// corrects or counts a stored result: the pairs of the table's stored results of the round,
// else the movement's row. So a result is seen and corrected where it is stored.
#include "core/Log.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "gamedata/NextSeating.h"
#include "gamedata/TerminalNumbers.h"

#include <QSqlQuery>
#include <algorithm>

namespace qzc {

namespace {

QString number(qint64 n) {
    return QString::number(n);
}

SeatNumbers storedSeats(const QSqlQuery& query, int first) {
    return {queryInt16(query, first), queryInt16(query, first + 1), queryInt16(query, first + 2),
            queryInt16(query, first + 3)};
}

} // namespace

std::optional<ResultPlace> GameData::findResultPlace(const QString& tableId, qint16 board,
                                                     const ResultSeats& seats, PlaceRounds rounds) const {
    const auto& [ns, ew, south, west] = seats.own;
    if (const qint16 round = mem_GetRound(tableId, ns, ew, board, south, west); round > 0)
        return ResultPlace{round, seats.own};
    return placeOutsideMemory(tableId, board, seats, rounds);
}

qint16 GameData::findBoardRound(const QString& tableId, qint16 board) const {
    if (const qint16 round = mem_GetNextRound(tableId, board); round > 0)
        return round;
    const std::optional<ResultPlace> place =
        placeOutsideMemory(tableId, board, std::nullopt, PlaceRounds::Stanza);
    return place ? place->round : qint16{0};
}

std::optional<ResultPlace> GameData::placeOutsideMemory(const QString& tableId, qint16 board,
                                                        const std::optional<ResultSeats>& sent,
                                                        PlaceRounds rounds) const {
    if (board <= 0)
        return std::nullopt;
    const qint16 sectionId = getSectionID(tableIdLetter(tableId));
    const qint16 begin = rounds == PlaceRounds::Stanza ? getSectionBeginRound(sectionId) : qint16{1};
    const qint16 edge = rounds == PlaceRounds::Stanza ? getSectionEdgeRound(sectionId) : qint16{0};
    const auto inRounds = [begin, edge](qint16 round) {
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
        if (inRounds(row.Round) && row.playsBoards() && seated(row.seats()) && holdsBoard(row.Round))
            return place(row.Round, row.seats());
    }

    // The round under way, as the table's stored results show who plays it: the latest first.
    const std::vector<int>* rows = tableRows(tableId);
    if (rows == nullptr)
        return std::nullopt;
    for (auto i = rows->rbegin(); i != rows->rend(); ++i) {
        const MovementRow& row = rows_[static_cast<std::size_t>(*i)];
        if (!inRounds(row.Round) || !row.boards.contains(board))
            continue;
        const std::optional<RoundSeating> seating = roundSeating(tableId, row.Round, board);
        if (seating && seating->stored && seated(seating->seats))
            return place(row.Round, seating->seats);
    }
    return std::nullopt;
}

std::optional<SeatNumbers> GameData::storedRoundSeats(const QString& tableId, qint16 round,
                                                      qint16 board) const {
    // Asked for every cell of the grid and row of a traveller: a statement prepared once.
    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT Board, PairNS, PairEW, South, West, ID, custom_qz_firstid FROM "
                                  "ReceivedData WHERE Section=? AND [Table]=? AND Round=? AND NOT Erased "
                                  "ORDER BY Board ASC, DateLog DESC, TimeLog DESC, ID DESC"),
                   {int{getSectionID(tableIdLetter(tableId))}, int{tableIdNumber(tableId)}, int{round}});
    if (!query) {
        logDbError(QStringLiteral("Database - roundSeating"));
        return std::nullopt;
    }
    // The board's own result: of several rows of it, the newest, as getBoardResult shows
    // it. Without the board's own result: the seating of the results that name both pairs, as
    // roundsPlayed counts a round played, else the lowest board's.
    std::optional<SeatNumbers> lowestBoard;
    std::vector<StoredSeating> seatings;
    while (query->next()) {
        const SeatNumbers seats = storedSeats(*query, 1);
        if (queryInt16(*query, 0) == board)
            return seats;
        if (!lowestBoard)
            lowestBoard = seats;
        if (seats[0] <= 0 || seats[1] <= 0)
            continue;
        const qint64 came = firstCameOrder(query->value(5), query->value(6));
        const auto known = std::find_if(seatings.begin(), seatings.end(),
                                        [&seats](const StoredSeating& s) { return s.seats == seats; });
        if (known == seatings.end())
            seatings.push_back({seats, came});
        else
            known->latestId = qMax(known->latestId, came);
    }
    if (seatings.empty())
        return lowestBoard;
    if (seatings.size() == 1)
        return seatings.front().seats;
    return seatedNow(tableId, round, seatings);
}

SeatNumbers GameData::seatedNow(const QString& tableId, qint16 round,
                                const std::vector<StoredSeating>& seatings) const {
    // The table's row as the movement now stands: RoundData holds the scoring program's
    // change, waiting or taken up; the row in memory answers only where RoundData has none.
    std::optional<MovementRow> row;
    if (const std::vector<MovementRow> rows = NextSeating(db_, log_, *this).tableRounds(tableId, round);
        !rows.empty() && rows.front().Round == round)
        row = rows.front();
    else if (const MovementRow* inMemory = mem_GetTableRow(tableId, round))
        row = *inMemory;
    if (row) {
        for (const StoredSeating& stored : seatings) {
            if (comparedSeats(row->seats(), stored.seats) == stored.seats)
                return stored.seats;
        }
        // Pairs that came after every stored result of the round.
        if (row->playsBoards())
            return row->seats();
    }
    // No row seats both pairs: the seating of the round's latest result, as results first
    // came (a correction keeps the place of the result it replaces).
    return std::max_element(
               seatings.begin(), seatings.end(),
               [](const StoredSeating& a, const StoredSeating& b) { return a.latestId < b.latestId; })
        ->seats;
}

std::optional<RoundSeating> GameData::roundSeating(const QString& tableId, qint16 round, qint16 board) const {
    if (const std::optional<SeatNumbers> stored = storedRoundSeats(tableId, round, board))
        return RoundSeating{*stored, true, (*stored)[0] > 0 && (*stored)[1] > 0};
    if (const MovementRow* row = mem_GetTableRow(tableId, round))
        return RoundSeating{row->seats(), false, row->playsBoards()};
    return std::nullopt;
}

qint16 GameData::playedRound(const QString& tableId, qint16 board, const SeatNumbers& seats) const {
    const auto& [ns, ew, south, west] = seats;
    const bool fourSeats = south != 0 || west != 0;
    QString sql =
        QStringLiteral("SELECT Round FROM ReceivedData WHERE Section=? AND [Table]=? AND Board=? AND "
                       "PairNS=? AND PairEW=? AND NOT Erased");
    QVariantList values{int{getSectionID(tableIdLetter(tableId))}, int{tableIdNumber(tableId)}, int{board},
                        int{ns}, int{ew}};
    if (fourSeats) {
        sql += QStringLiteral(" AND South=? AND West=?");
        values << int{south} << int{west};
    }
    qint16 stored = 0;
    db_.getDBValue(sql + QStringLiteral(" ORDER BY Round ASC"), QStringLiteral("Round"), stored, values);
    if (stored > 0)
        return stored;

    const std::vector<int>* rows = tableRows(tableId);
    if (rows == nullptr)
        return 0;
    for (const int i : *rows) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (!row.boards.contains(board))
            continue;
        const std::optional<RoundSeating> seating = roundSeating(tableId, row.Round, board);
        if (!seating || !seating->plays)
            continue;
        const SeatNumbers& played = seating->seats;
        if (played[0] == ns && played[1] == ew && (!fourSeats || (played[2] == south && played[3] == west)))
            return row.Round;
    }
    return 0;
}

QSet<quint64> GameData::roundsPlayed(qint16 sectionId) const {
    QSet<quint64> played;
    QString sql = QStringLiteral("SELECT DISTINCT Section, [Table], Round FROM ReceivedData WHERE NOT Erased "
                                 "AND PairNS>0 AND PairEW>0");
    if (sectionId != 0)
        sql += QStringLiteral(" AND Section=") + number(sectionId);
    std::optional<QSqlQuery> query = db_.select(sql);
    if (!query) {
        logDbError(QStringLiteral("Database - roundsPlayed"));
        return played;
    }
    while (query->next())
        played.insert(playedRoundKey(queryInt16(*query, 0), queryInt16(*query, 1), queryInt16(*query, 2)));
    return played;
}

quint64 GameData::playedRoundKey(qint16 sectionId, qint16 table, qint16 round) {
    return (static_cast<quint64>(static_cast<quint16>(sectionId)) << 32) |
           (static_cast<quint64>(static_cast<quint16>(table)) << 16) | static_cast<quint16>(round);
}

bool GameData::owesResults(const MovementRow& row, const QSet<quint64>& played) {
    return row.takesEntries() || played.contains(playedRoundKey(row.Section, row.Table, row.Round));
}

qint32 GameData::resultsExpected(qint16 sectionId, qint16 table, const QSet<quint64>& played) const {
    qint32 expected = 0;
    const RowRange range = sectionRows(sectionId);
    for (int i = range.first; i < range.end; ++i) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (row.Table == table && owesResults(row, played))
            expected += static_cast<qint32>(row.boards.size());
    }
    return expected;
}

} // namespace qzc

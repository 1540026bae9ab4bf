// The questions asked of the movement in memory (and three asked of the database).
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "gamedata/GameData.h"

#include <QSet>
#include <QSqlQuery>
#include <map>

namespace qzc {

namespace {

// Lists of mem_GetSitoutPair stop growing here.
constexpr int kSitoutListLimit = 496;
constexpr int kBoardListLimit = 1000;
constexpr qint16 kNoRound = 99;

QString number(qint64 n) {
    return QString::number(n);
}

QString seatText(qint16 n) {
    return n == 0 ? QStringLiteral("---") : number(n);
}

} // namespace

qint16 GameData::mem_GetMaxRound(qint16 sectionId) const {
    const RowRange range = sectionRows(sectionId);
    qint16 maxRound = 0;
    for (int i = range.first; i < range.end; ++i)
        maxRound = qMax(maxRound, rows_[static_cast<std::size_t>(i)].Round);
    return maxRound;
}

bool GameData::mem_HasRound(qint16 sectionId) const {
    return mem_GetMaxRound(sectionId) >= 1;
}

qint16 GameData::mem_GetRound(const QString& tableId, qint16 nsPair, qint16 ewPair, qint16 board,
                              qint16 south, qint16 west) const {
    if (board == 0)
        return 0;
    const std::vector<int>* rows = tableRows(tableId);
    if (!rows)
        return 0;
    const bool anySouthWest = south == 0 && west == 0;
    for (int i : *rows) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (!row.takesEntries())
            continue;
        if (row.NSPair == nsPair && row.EWPair == ewPair && row.boards.contains(board) &&
            (anySouthWest || (row.South == south && row.West == west)))
            return row.Round;
    }
    return 0;
}

qint16 GameData::mem_GetNextRound(const QString& tableId, qint16 board) const {
    if (board == 0)
        return 0;
    const std::vector<int>* rows = tableRows(tableId);
    if (!rows)
        return 0;
    const qint16 begin = getSectionBeginRound(getSectionID(tableIdLetter(tableId)));

    std::vector<qint16> playedIn;
    for (int i : *rows) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (row.Round >= begin && row.playsBoards() && row.boards.contains(board))
            playedIn.push_back(row.Round);
    }
    if (playedIn.size() > 1) {
        if (const qint16 round = roundBeingPlayed(tableId, board, playedIn); round > 0)
            return round;
    }

    // Played in one round, or in rounds its stored results do not tell apart: the first round
    // from the earliest one the table has a result stored for.
    qint16 stored = 0;
    db_.getDBValue(QStringLiteral("SELECT Round FROM ReceivedData WHERE ") + sqlSectionTable(tableId) +
                       QStringLiteral(" ORDER BY Round ASC"),
                   QStringLiteral("Round"), stored);
    qint16 noOne = 0;
    for (int i : *rows) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (!row.boards.contains(board) || row.Round < begin || row.Round < stored || !row.takesEntries())
            continue;
        if (row.playsBoards())
            return row.Round;
        if (noOne == 0)
            noOne = row.Round;
    }
    return noOne;
}

qint16 GameData::roundBeingPlayed(const QString& tableId, qint16 board,
                                  const std::vector<qint16>& playedIn) const {
    const QString source = QStringLiteral("Database - mem_GetNextRound");
    // A result stored counts, erased or not: the table played the board there, as the round a
    // table is in counts erased rows too (getMaxRound).
    std::map<qint16, QSet<qint16>> results;
    if (!db_.readRows(
            QStringLiteral("SELECT Round, Board FROM ReceivedData WHERE Section=? AND [Table]=?"),
            {int{getSectionID(tableIdLetter(tableId))}, int{tableIdNumber(tableId)}},
            [&results](const QSqlQuery& row) { results[queryInt16(row, 0)].insert(queryInt16(row, 1)); })) {
        logDbError(source);
        return 0;
    }
    const qint16 latest = results.empty() ? qint16{0} : results.rbegin()->first;
    const auto hasResult = [&results](qint16 round, qint16 b) {
        const auto found = results.find(round);
        return found != results.end() && found->second.contains(b);
    };

    for (const qint16 round : playedIn) {
        if (round < latest)
            continue;
        if (!hasResult(round, board))
            return round;
        if (round != latest)
            continue;
        // The board's data sent after its result: still this round while the table has not
        // played every board of it.
        const std::optional<bool> held = stillInRound(tableId, latest, results[latest]);
        if (!held) {
            logDbError(source);
            return 0;
        }
        if (*held)
            return round;
    }
    for (auto round = playedIn.rbegin(); round != playedIn.rend(); ++round) {
        if (hasResult(*round, board))
            return *round;
    }
    return 0;
}

std::optional<bool> GameData::stillInRound(const QString& tableId, qint16 round,
                                           const QSet<qint16>& withResult) const {
    const MovementRow* row = mem_GetTableRow(tableId, round);
    if (row == nullptr)
        return false;
    QSet<qint16> open;
    for (const qint16 b : row->boards) {
        if (!withResult.contains(b))
            open.insert(b);
    }
    // A board whose result is missing (never sent, or deleted) was played when its bidding or
    // play is filed there.
    const QVariantList key{int{getSectionID(tableIdLetter(tableId))}, int{tableIdNumber(tableId)},
                           int{round}};
    for (const SharedTable filed : {SharedTable::BiddingData, SharedTable::PlayData}) {
        if (open.isEmpty() || !event_.tablePresent.present(filed))
            continue;
        if (!db_.readRows(QStringLiteral("SELECT DISTINCT Board FROM ") + sharedTableName(filed) +
                              QStringLiteral(" WHERE Section=? AND [Table]=? AND Round=?"),
                          key, [&open](const QSqlQuery& played) { open.remove(queryInt16(played, 0)); }))
            return std::nullopt;
    }
    return !open.isEmpty();
}

QString GameData::mem_GetTablePairs(const QString& tableId, qint16 round) const {
    const MovementRow* row = mem_GetTableRow(tableId, round);
    return row ? seatingText(row->seats()) : QString();
}

QString GameData::seatingText(const SeatNumbers& seats) const {
    const auto& [ns, ew, south, west] = seats;
    QString text = seatText(ns) + QLatin1Char('/') + seatText(ew);
    if (isIndividualGame() && south >= 1 && west >= 1)
        text += QLatin1Char('/') + number(south) + QLatin1Char('/') + number(west);
    return text;
}

const MovementRow* GameData::mem_GetTableRow(const QString& tableId, qint16 round) const {
    const std::vector<int>* rows = tableRows(tableId);
    if (!rows)
        return nullptr;
    for (int i : *rows) {
        if (rows_[static_cast<std::size_t>(i)].Round == round)
            return &rows_[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

SeatNumbers GameData::mem_GetTableSeats(const QString& tableId, qint16 round) const {
    const QString seating = mem_GetTablePairs(tableId, round);
    SeatNumbers seats{};
    for (std::size_t k = 0; k < seats.size(); ++k)
        seats[k] = StrToInt(GetField(seating, static_cast<qint16>(k + 1), QStringLiteral("/")));
    return seats;
}

qint16 GameData::mem_GetSeatNumber(const QString& tableId, const QString& direction) const {
    const std::vector<int>* rows = tableRows(tableId);
    if (!rows)
        return 0;
    const QString seat = direction.trimmed().toUpper();
    for (int i : *rows) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (row.Round != 1)
            continue;
        const bool fourPlayers = seatsFourPlayers(row.Section);
        if (seat == QLatin1String("N"))
            return row.NSPair;
        if (seat == QLatin1String("E"))
            return row.EWPair;
        if (seat == QLatin1String("S"))
            return fourPlayers ? row.South : row.NSPair;
        if (seat == QLatin1String("W"))
            return fourPlayers ? row.West : row.EWPair;
        return 0;
    }
    return 0;
}

QString GameData::mem_GetPairSeat(qint16 sectionId, qint16 round, qint16 number, const QString& seat) const {
    if (round <= 0 || number <= 0)
        return {};
    const std::vector<int>* rows = roundRows(sectionId, round);
    if (!rows)
        return QStringLiteral("Out");
    const bool fourPlayers = seatsFourPlayers(sectionId);
    const bool separate = mem_GetSectionField(sectionId);
    const QString letter = seat.trimmed().toUpper();
    for (int i : *rows) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        QString found;
        if (separate) {
            if (letter == QLatin1String("N") || letter == QLatin1String("S")) {
                if (!fourPlayers && row.NSPair == number)
                    found = QStringLiteral("NS");
                else if (fourPlayers && letter == QLatin1String("N") && row.NSPair == number)
                    found = QStringLiteral("N");
                else if (fourPlayers && letter == QLatin1String("S") && row.South == number)
                    found = QStringLiteral("S");
            } else if (letter == QLatin1String("E") || letter == QLatin1String("W")) {
                if (!fourPlayers && row.EWPair == number)
                    found = QStringLiteral("EW");
                else if (fourPlayers && letter == QLatin1String("E") && row.EWPair == number)
                    found = QStringLiteral("E");
                else if (fourPlayers && letter == QLatin1String("W") && row.West == number)
                    found = QStringLiteral("W");
            }
        } else if (row.NSPair == number) {
            found = fourPlayers ? QStringLiteral("N") : QStringLiteral("NS");
        } else if (row.EWPair == number) {
            found = fourPlayers ? QStringLiteral("E") : QStringLiteral("EW");
        } else if (fourPlayers && row.South == number) {
            found = QStringLiteral("S");
        } else if (fourPlayers && row.West == number) {
            found = QStringLiteral("W");
        }
        if (!found.isEmpty())
            return row.Letter.trimmed() + QString::number(row.Table) + found;
    }
    return QStringLiteral("Out");
}

QString GameData::mem_GetBoardList(const QString& tableId, qint16 round) const {
    const std::vector<int>* rows = tableRows(tableId);
    if (!rows)
        return {};
    QList<qint16> boards;
    int previous = -1;
    for (int i : *rows) {
        // The table's rows are consecutive; a second run belongs to a namesake section.
        if (previous >= 0 && i != previous + 1)
            break;
        previous = i;
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (round > 0 && row.Round != round)
            continue;
        for (qint16 board : row.boards) {
            if (boards.size() < kBoardListLimit)
                boards.append(board);
        }
        if (round > 0)
            break;
    }
    QStringList texts;
    for (qint16 board : boards) {
        if (board == 0)
            break;
        texts << number(board);
    }
    return texts.join(QLatin1Char(','));
}

qint16 GameData::mem_GetBoardSet(qint16 sectionId, qint16 round, qint16 board, qint16 table) const {
    return otherTableWithBoard(sectionId, round, board, table, false);
}

qint16 GameData::otherTableWithBoard(qint16 sectionId, qint16 round, qint16 board, qint16 table,
                                     bool onlyRowsThatPlay) const {
    const std::vector<int>* rows = roundRows(sectionId, round);
    if (!rows)
        return 0;
    qint16 other = 0;
    for (int i : *rows) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (row.Table == table || !row.boards.contains(board))
            continue;
        if (onlyRowsThatPlay && !row.playsBoards())
            continue;
        if (other != 0)
            return -1;
        other = row.Table;
    }
    return other;
}

qint16 GameData::mem_GetSitoutPair(qint16 sectionId, qint16 round, const QString& direction,
                                   qint16 index) const {
    const bool ns = direction == QLatin1String("NS");
    const bool ew = direction == QLatin1String("EW");
    QList<qint16> current;
    QList<qint16> next;
    const RowRange range = sectionRows(sectionId);
    for (int i = range.first; i < range.end; ++i) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        QList<qint16>* list = row.Round == round ? &current : (row.Round == round + 1 ? &next : nullptr);
        if (!list)
            continue;
        for (const auto& [value, wanted] : {std::pair{row.NSPair, !ew}, std::pair{row.EWPair, !ns},
                                            std::pair{row.South, !ew}, std::pair{row.West, !ns}}) {
            if (wanted && value > 0)
                list->append(value);
        }
        if (current.size() >= kSitoutListLimit || next.size() >= kSitoutListLimit) {
            log_.writeLog(0, QStringLiteral("Too many pair number"), QStringLiteral("mem_GetSitoutPair"));
            break;
        }
    }
    if (current.isEmpty() || next.isEmpty())
        return 0;
    QList<qint16> sitout;
    for (qint16 n : next) {
        if (!current.contains(n))
            sitout.append(n);
    }
    if (sitout.isEmpty())
        return 0;
    if (sitout.size() == 1)
        return sitout.first();
    return index >= 1 && index <= sitout.size() ? sitout.at(index - 1) : 0;
}

qint16 GameData::mem_GetPairPosition(qint16 sectionId, qint16 round, qint16 number, const QString& direction,
                                     qint16& seatCode) const {
    seatCode = 0;
    const std::vector<int>* rows = roundRows(sectionId, round);
    if (!rows)
        return 0;
    // Where pairs play South and West are no seats: a pairs row holds 0 there. Asked only when
    // a row's South or West is looked at (the game type is read at each question).
    std::optional<bool> fourPlayers;
    auto seatsFour = [&] {
        if (!fourPlayers)
            fourPlayers = seatsFourPlayers(sectionId);
        return *fourPlayers;
    };
    for (int i : *rows) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (direction == QLatin1String("NS")) {
            if (row.NSPair == number)
                seatCode = 1;
        } else if (!direction.isEmpty()) {
            if (row.EWPair == number)
                seatCode = 2;
        } else if (row.NSPair == number) {
            seatCode = 1;
        } else if (row.EWPair == number) {
            seatCode = 2;
        } else if (row.South == number) {
            // Where pairs play South is not a seat, and West is not tested after it.
            if (seatsFour())
                seatCode = 3;
        } else if (row.West == number && seatsFour()) {
            seatCode = 4;
        }
        if (seatCode != 0)
            return row.Table;
    }
    return 0;
}

bool GameData::DB_Ask_dealInput(qint16 sectionId, qint16 table, qint16 firstBoard, qint16 boardCount) const {
    if (!event_.tablePresent.present(SharedTable::HandRecord))
        return false;
    // Asked for every table and round when the movement blocks are built: statements
    // prepared once.
    qint32 recorded = 0;
    if (!db_.getDBValue(
            QStringLiteral(
                "SELECT COUNT(Board) AS cntbrd FROM HandRecord WHERE Section=? AND Board>=? AND Board<?"),
            QStringLiteral("cntbrd"), recorded, {int{sectionId}, int{firstBoard}, firstBoard + boardCount})) {
        logDbError(QStringLiteral("DB_Ask_dealInput"));
        return false;
    }
    if (recorded >= boardCount)
        return false;
    return !db_.hasRows(
        QStringLiteral("SELECT Board FROM ReceivedData WHERE Section=? AND Board=? AND [Table]=?"),
        {int{sectionId}, int{firstBoard}, int{table}});
}

bool GameData::mem_Round_dealInput(qint16 sectionId, qint16 table, qint16 firstBoard, qint16 round) const {
    if (!event_.tablePresent.present(SharedTable::HandRecord))
        return false;
    qint16 earliestRound = kNoRound;
    qint16 earliestTable = 0;
    const RowRange range = sectionRows(sectionId);
    for (int i = range.first; i < range.end; ++i) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (row.boards.isEmpty() || row.boards.first() != firstBoard || row.Round > round)
            continue;
        // A row with an empty seat holds the boards but does not play them.
        if (!row.playsBoards())
            continue;
        if (row.Round < earliestRound || (row.Round == earliestRound && row.Table < earliestTable)) {
            earliestRound = row.Round;
            earliestTable = row.Table;
        }
    }
    return earliestRound == round && earliestTable == table;
}

qint16 GameData::getRoundTotal(qint16 sectionId, qint16 table) const {
    qint16 total = 0;
    if (table >= 1)
        db_.getDBValue(
            QStringLiteral("SELECT COUNT(Round) AS roundtotal FROM RoundData WHERE Section=? AND [Table]=?"),
            QStringLiteral("roundtotal"), total, {int{sectionId}, int{table}});
    else
        db_.getDBValue(
            QStringLiteral("SELECT COUNT(Round) AS roundtotal FROM RoundData WHERE Section=? GROUP BY "
                           "[Table] ORDER BY [Table] ASC"),
            QStringLiteral("roundtotal"), total, {int{sectionId}});
    return total;
}

} // namespace qzc

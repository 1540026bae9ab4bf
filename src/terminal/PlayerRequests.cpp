// Pair PINs submitted at the start of a round (30, 32), the players' member numbers (40) and
// the names of the players at the table (60).
#include "core/DbTransaction.h"
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "gamedata/PlayerNames.h"
#include "gamedata/StoredSeatNames.h"
#include "gamedata/TerminalNumbers.h"
#include "platform/Ansi.h"
#include "terminal/MessageCode.h"
#include "terminal/RequestDispatcher.h"

#include <QStringList>
#include <algorithm>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("doMsg");
constexpr int kIdBytes = 6;
constexpr int kIdBlock = 22;
constexpr int kIdNameBytes = 20;
constexpr int kInvalidFormat = 1003;

/// True when every byte from..to of the request holds two decimal digits, as PINs and member
/// numbers travel.
bool decimalPairs(const QByteArray& data, int from, int to) {
    for (int i = from; i <= to; ++i) {
        if (static_cast<quint8>(data.at(i)) > 99)
            return false;
    }
    return true;
}

/// The direction code of a next seating in the acknowledgement of PINs: 0 none, else 1 + 2 x
/// (NS 0, EW 1, SO 2, WE 3); the two-pair form knows NS and EW only.
quint8 seatingCode(const Seating& seating, bool fourPlayers) {
    if (!seating.found())
        return 0;
    if (!fourPlayers)
        return seating.seat == QLatin1String("EW") ? 3 : 1;
    const QLatin1String seats[] = {QLatin1String("NS"), QLatin1String("EW"), QLatin1String("SO"),
                                   QLatin1String("WE")};
    for (int i = 0; i < 4; ++i) {
        if (seating.seat == seats[i])
            return static_cast<quint8>(1 + 2 * i);
    }
    return 0;
}

} // namespace

RequestDispatcher::Reply RequestDispatcher::submitPairPINs(const Request& rq) {
    const bool fourPlayers = rq.requestCode == MessageCode::SubmitPairPINsFour;
    if (!decimalPairs(rq.data, 2, 3) || !decimalPairs(rq.data, 5, 6))
        return withResult(kInvalidFormat);
    const int seats = fourPlayers ? 4 : 2;
    SeatNumbers sent{rq.byte(1), rq.byte(4), 0, 0};
    if (fourPlayers) {
        sent[2] = rq.byte(7);
        sent[3] = rq.byte(8);
    }
    const bool banded = event_.bandedPairNumbering;
    const SeatedRound seated = roundBeingSeated(gameData_, nextSeating_, banded, rq.tableId, sent);
    const SeatNumbers own = seated.seats.value_or(SeatNumbers{});

    Reply reply;
    reply.replyCode = fourPlayers ? MessageCode::AcknowledgePairPINsFour : MessageCode::AcknowledgePairPINs;
    reply.replyData = QByteArray(2 * seats, '\0');
    reply.replyHasData = true;
    if (seated.seats &&
        nextSeating_.checkMovementPairs(rq.tableId, seated.round, own[0], own[1], own[2], own[3])) {
        PinSubmission pins;
        pins.nsPair = own[0];
        pins.ewPair = own[1];
        pins.nsPin = 100 * rq.byte(2) + rq.byte(3);
        pins.ewPin = 100 * rq.byte(5) + rq.byte(6);
        if (rq.data.size() == 9) {
            pins.secondNs = own[2];
            pins.secondEw = own[3];
        }
        return pins_.markPairPIN(rq.tableId, pins) ? reply : withResult(kInvalidFormat);
    }

    // Wrong numbers: nothing is stored, and each number learns where it plays the round.
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(rq.tableId));
    QStringList entered;
    for (int k = 0; k < seats; ++k)
        entered << QString::number(sent[static_cast<std::size_t>(k)]);
    log_.writeLog(0,
                  QStringLiteral("Pair PINs of ") + rq.tableId + QStringLiteral(" not stored: ") +
                      entered.join(QLatin1Char('/')) + QStringLiteral(" do not play there in round ") +
                      QString::number(seated.round),
                  kSource);
    const NextSeating::Column columns[] = {NextSeating::Column::NSPair, NextSeating::Column::EWPair,
                                           NextSeating::Column::South, NextSeating::Column::West};
    for (int k = 0; k < seats; ++k) {
        const auto seat = static_cast<std::size_t>(k);
        // Numbers that do not fit the table's row are read seat by seat in the round.
        const qint16 number =
            seated.seats ? own[seat]
                         : movementNumberInRound(gameData_, banded, sectionId, seated.round, k, sent[seat]);
        const Seating seating = nextSeating_.getNextSeating(rq.tableId, seated.round, number, columns[k]);
        reply.replyData[2 * k] = static_cast<char>(seatingCode(seating, fourPlayers));
        reply.replyData[2 * k + 1] = static_cast<char>(seating.found() ? seating.table & 0xFF : 0);
    }
    return reply;
}

RequestDispatcher::Reply RequestDispatcher::submitPlayerIDs(const Request& rq) {
    if (!decimalPairs(rq.data, 1, 4 * kIdBytes))
        return withResult(kInvalidFormat);
    const QString& tableId = rq.tableId;
    const QString letters = tableIdLetter(tableId);
    const qint16 ownTable = tableIdNumber(tableId);
    const QString directions[] = {QStringLiteral("N"), QStringLiteral("E"), QStringLiteral("S"),
                                  QStringLiteral("W")};

    // The table's seats are blanked in any case; without a conflict they get the numbers. All
    // or nothing: a terminal whose numbers are not all stored gets no reply and sends them again.
    // Where the numbers sit is read under the write lock too: a player the scoring program seats
    // elsewhere while this waits for the lock is a conflict, not a seat blanked by the writes.
    DbTransaction transaction(db_);
    // What the table's seats hold is read under the write lock too, before they are blanked: a
    // player registered here again keeps his names, also a correction of the scoring program
    // that the game-data check has not yet taken up.
    std::optional<std::vector<StoredSeatName>> held;
    if (transaction.isActive())
        held = readStoredSeatNames(db_, gameData_.getSectionID(letters), ownTable);
    if (!held)
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kSource, true);
    QByteArray blocks(4 * kIdBlock, '\0');
    std::array<double, 4> numbers{};
    bool conflict = false;
    for (int k = 0; k < 4; ++k) {
        const QByteArray idBytes = rq.data.mid(1 + kIdBytes * k, kIdBytes);
        const double number = playerNumberFromBytes(idBytes);
        numbers[static_cast<std::size_t>(k)] = number;
        const std::optional<RegisteredSeat> seat = seats_.getPlayerSeat(letters, number);
        const int at = kIdBlock * k;
        QString text;
        // A number registered at another seat of this table sits here all the same.
        if (!seat || seat->table == 0 || seat->table == ownTable) {
            text = names_.getPlayerName(idBytes).name;
            if (const StoredSeatName* kept = held ? findStoredSeatName(*held, number) : nullptr)
                text = kept->displayNameOr(text);
        } else {
            conflict = true;
            const QString direction = seat->direction.left(1);
            const bool known =
                std::find(std::begin(directions), std::end(directions), direction) != std::end(directions);
            blocks[at] = known ? direction.at(0).toLatin1() : 'N';
            blocks[at + 1] = static_cast<char>(seat->table & 0xFF);
            text = playerNumberText(number);
        }
        const QByteArray name = Ansi::encode(text).left(kIdNameBytes);
        blocks.replace(at + 2, name.size(), name);
    }

    bool stored = held && seats_.clearTablePlayerID(tableId);
    for (std::size_t k = 0; k < numbers.size() && stored && !conflict; ++k)
        stored =
            seats_.markPlayerID(tableId, numbers[k], directions[k], findStoredSeatName(*held, numbers[k]));
    if (stored && !conflict)
        stored = seats_.markRoundNamesSent(tableId, 1, QStringLiteral("doMsg - update round name sent to 1"));
    if (stored)
        stored = transaction.commit();
    if (!stored) {
        log_.writeLog(0, QStringLiteral("Player IDs of ") + tableId + QStringLiteral(" not stored: no reply"),
                      kSource, true);
        return withResult(failed);
    }
    names_.loadRegisteredNames(true);

    Reply reply;
    reply.replyCode = MessageCode::AcknowledgePlayerIDs;
    reply.replyData = blocks;
    reply.replyHasData = true;
    return reply;
}

RequestDispatcher::Reply RequestDispatcher::askRoundNames(const Request& rq) {
    qint16 seats[] = {-1, -1, -1, -1};
    if (rq.data.size() >= 3) {
        seats[0] = rq.byte(1);
        seats[1] = rq.byte(2);
    }
    if (rq.data.size() >= 5) {
        seats[2] = rq.byte(3);
        seats[3] = rq.byte(4);
    }
    const QByteArray names = seats_.getSeatPlayerName(rq.tableId, seats[0], seats[1], seats[2], seats[3]);
    if (names.size() <= 1)
        return withResult(nothingToSend);
    Reply reply;
    reply.replyCode = MessageCode::ReplyRoundNames;
    reply.replyData = QByteArray(1, static_cast<char>(names.size())) + names;
    reply.replyHasData = true;
    return reply;
}

} // namespace qzc

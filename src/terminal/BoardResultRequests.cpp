// Board results submitted one by one (52, 54) or as a list (72, 74), with their feedback.
#include "core/ByteArrays.h"
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/ResultEntry.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "gamedata/GameData.h"
#include "gamedata/TerminalNumbers.h"
#include "scoring/WireCodes.h"
#include "terminal/MessageCode.h"
#include "terminal/PlayedRound.h"
#include "terminal/RequestDispatcher.h"

#include <array>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("doMsg");

bool isAdjustedScoreText(const QString& text) {
    for (const AdjustedScoreCode& adjusted : adjustedScoreCodes) {
        if (text == QLatin1String(adjusted.text))
            return true;
    }
    return false;
}

QString number(qint64 n) {
    return QString::number(n);
}

} // namespace

struct RequestDispatcher::BoardRecord {
    QByteArray raw;
    qint16 board = 0;
    /// NS and EW pairs (North and East players), South and West players: the movement's own
    /// numbers, and as the terminal sent them.
    std::array<qint16, 4> seats{};
    SeatNumbers sent{};
    QString contract;
    QString declarer;
    QString lead;
    qint16 tricks = 0;
    bool adjusted = false;
    /// Board 0, or more tricks than a deal has: no result to store.
    bool malformed = false;

    qint16 ns() const { return seats[0]; }
    qint16 ew() const { return seats[1]; }
    qint16 south() const { return seats[2]; }
    qint16 west() const { return seats[3]; }
};

void RequestDispatcher::mapBandedNumbers(const QString& tableId, BoardRecord& record) {
    // The terminal sends the numbers as it was sent them.
    record.seats = boardSeatNumbers(gameData_, true, tableId, record.board, record.seats);
}

RequestDispatcher::BoardRecord RequestDispatcher::readBoardRecord(const Request& rq, int at,
                                                                  bool fourPlayers) {
    BoardRecord record;
    record.raw = rq.data.mid(at, fourPlayers ? 8 : 6);
    record.board = rq.byte(at);
    const quint8 resultByte = rq.byte(at + 2);
    record.contract = wireContractText(rq.byte(at + 1));
    const QString resultText = wireResultText(resultByte);
    if (!resultText.isEmpty()) {
        if (resultText.contains(QLatin1Char('%'))) {
            record.contract = resultText;
        } else {
            record.declarer = resultText.left(1);
            record.tricks = StrToInt(resultText.mid(1));
        }
    }
    record.lead = wireCardText(rq.byte(at + 3));
    record.seats[0] = rq.byte(at + 4);
    record.seats[1] = rq.byte(at + 5);
    if (fourPlayers) {
        record.seats[2] = rq.byte(at + 6);
        record.seats[3] = rq.byte(at + 7);
    }
    record.sent = record.seats;
    if (event_.bandedPairNumbering)
        mapBandedNumbers(rq.tableId, record);
    if (record.ns() == 0 && record.ew() == 0)
        record.contract = QStringLiteral("NP");

    const QString remark = record.contract.toUpper();
    const bool noPlay = remark == QLatin1String("NP") || remark == QLatin1String("NOT PLAYED") ||
                        remark == QLatin1String("PASS");
    record.adjusted = isAdjustedScoreText(remark);
    if (noPlay || record.adjusted) {
        record.declarer.clear();
        record.lead.clear();
        record.tricks = 0;
    }
    record.malformed = record.board == 0 || record.tricks > 13;
    return record;
}

qint16 RequestDispatcher::resultRound(const QString& tableId, BoardRecord& record, bool hasRounds) {
    if (hasRounds) {
        const std::optional<ResultPlace> place = gameData_.findResultPlace(
            tableId, record.board, ResultSeats{record.seats, record.sent, event_.bandedPairNumbering});
        if (!place)
            return 0;
        record.seats = place->seats;
        return place->round;
    }
    // A board sent again under the pairs it is stored under corrects that result, in its
    // round: counting the results would move it on once the table had played a round. A round
    // the stanza no longer holds (the board counts changed since) is counted again, so that
    // the correction is stored within the stanza.
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
    if (const qint16 stored = gameData_.playedRound(tableId, record.board, record.seats);
        stored > 0 && gameData_.getSectionBeginRound(sectionId) <= stored &&
        stored <= gameData_.getSectionEdgeRound(sectionId))
        return stored;
    return roundByResultsPlayed(gameData_, log_, tableId, event_.boardsPerRound,
                                QStringLiteral("the result"));
}

void RequestDispatcher::acceptRecord(QByteArray& accepted, const BoardRecord& record,
                                     bool fourPlayers) const {
    accepted.append(static_cast<char>(record.board));
    for (int seat = 0; seat < (fourPlayers ? 4 : 2); ++seat)
        accepted.append(static_cast<char>(
            convertPairNumber(record.seats[static_cast<std::size_t>(seat)], event_.bandedPairNumbering)));
}

std::optional<QByteArray> RequestDispatcher::feedback(const Request& rq, const BoardRecord& record,
                                                      qint16 round, int& replyCode) {
    const TableAddress table =
        TableAddress::of(rq.tableId, gameData_.getSectionID(tableIdLetter(rq.tableId)));
    int style = StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_feedbackstyle")));
    if (style == 0 || style == 1) {
        std::optional<QByteArray> traveller = feedback_.getTravelerFeedback(table, record.board, round);
        if (!traveller)
            return std::nullopt;
        if (!FeedbackPayloads::isTravellerWithheld(*traveller)) {
            replyCode = MessageCode::ReplyTraveller;
            return traveller;
        }
        style = 2;
    }
    if (style == 2) {
        replyCode = MessageCode::ReplyFrequencies;
        return feedback_.getFrequencyFeedback(table, record.board);
    }
    replyCode = MessageCode::ReplyNoFeedback;
    return QByteArray(1, '\0');
}

RequestDispatcher::Reply RequestDispatcher::submitBoardResult(const Request& rq) {
    const int code = rq.requestCode;
    const bool fourPlayers =
        code == MessageCode::SubmitBoardResultFour || code == MessageCode::SubmitBoardResultListFour;
    const bool list =
        code == MessageCode::SubmitBoardResultList || code == MessageCode::SubmitBoardResultListFour;
    const int recordSize = fourPlayers ? 8 : 6;
    const QString& tableId = rq.tableId;
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
    const bool hasRounds = gameData_.mem_HasRound(sectionId);

    QByteArray accepted;
    qint16 round = 0;
    BoardRecord record;
    bool skipped = false;
    for (int at = 1; at + recordSize <= rq.data.size(); at += recordSize) {
        record = readBoardRecord(rq, at, fourPlayers);
        // Each record is judged on its own: a skipped one does not mark those after it.
        skipped = false;
        if (record.malformed) {
            // No movement has a board 0 and no deal more than 13 tricks. Nothing is stored;
            // the reply tells the terminal to reload its movement and acknowledges the
            // record, which it would otherwise send again and again.
            log_.writeLog(1003, tableId + QStringLiteral(": ") + BytesToHex(record.raw), kSource);
            gameData_.setflagloadsetup(false, tableId, 0);
            round = 0;
            if (!list)
                break;
            acceptRecord(accepted, record, fourPlayers);
            continue;
        }
        round = resultRound(tableId, record, hasRounds);
        const qint16 beginRound = gameData_.getSectionBeginRound(sectionId);
        const qint16 edgeRound = gameData_.getSectionEdgeRound(sectionId);

        ResultEntry entry;
        clearResultEntry(entry);
        entry.board = record.board;
        entry.contract = record.contract;
        entry.declarer = record.declarer;
        entry.tricks = record.tricks;
        entry.lead = record.lead;
        entry.valid = -1;

        bool storageFailed = false;
        if (round > 0 && beginRound <= round && round <= edgeRound) {
            const MarkResultOutcome outcome = gameData_.markResult(
                tableId, entry, round, record.ns(), record.ew(), record.south(), record.west());
            round = outcome.round;
            if (outcome.status == MarkResultOutcome::Status::StorageFailed) {
                // Never acknowledged as stored: the terminal sends it again.
                if (!list)
                    return withResult(1007);
                log_.writeLog(1007, tableId + QStringLiteral(": ") + BytesToHex(record.raw), kSource);
                storageFailed = true;
            } else if (outcome.status == MarkResultOutcome::Status::Mismatch) {
                log_.writeLog(1007, tableId + QStringLiteral(": ") + BytesToHex(record.raw), kSource);
            }
        } else {
            gameData_.setflagloadsetup(false, tableId, 0);
            skipped = round > 0;
            QString line = QStringLiteral("Skip board result: ") + tableId + QLatin1Char(',') +
                           number(round) + QLatin1Char(',') + number(record.ns()) + QLatin1Char(',') +
                           number(record.ew());
            if (fourPlayers)
                line += QLatin1Char(',') + number(record.south()) + QLatin1Char(',') + number(record.west());
            log_.writeLog(0, line + QLatin1Char(';') + number(record.board));
        }

        if (!list)
            break;
        if (!skipped && !storageFailed && round <= edgeRound)
            acceptRecord(accepted, record, fourPlayers);
    }

    Reply reply;
    if (list) {
        reply.replyCode = code + 1;
    } else if (skipped || record.adjusted || record.malformed) {
        reply.replyCode = MessageCode::ReplyNoFeedback;
    } else {
        std::optional<QByteArray> payload = feedback(rq, record, round, reply.replyCode);
        if (!payload) {
            log_.writeLog(0,
                          QStringLiteral("No feedback for ") + tableId + QStringLiteral(", board ") +
                              number(record.board) + QStringLiteral(": no reply"),
                          kSource, true);
            return withResult(failed);
        }
        accepted = *payload;
    }

    const qint16 roundTotal = gameData_.getRoundTotal(sectionId, tableIdNumber(tableId));
    if (round > roundTotal && roundTotal != 0)
        round = roundTotal;
    reply.resultRound = round;
    if (accepted.size() <= 1) {
        reply.replyData = QByteArray(1, '\0');
        reply.replyHasData = false;
    } else {
        reply.replyData = accepted;
        reply.replyHasData = true;
    }
    return reply;
}

RequestDispatcher::Reply RequestDispatcher::requestStoredBoardResults(const Request& rq) {
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(rq.tableId));
    const bool fourPlayers = rq.requestCode == MessageCode::RequestStoredBoardResultsFour;
    const std::optional<QByteArray> payload = storedResults_.getBoardResultData(
        TableAddress::of(rq.tableId, sectionId), gameData_.getSectionBeginRound(sectionId), fourPlayers);
    if (!payload)
        return withResult(failed);
    Reply reply;
    reply.replyCode =
        fourPlayers ? MessageCode::ReplyStoredBoardResultsFour : MessageCode::ReplyStoredBoardResults;
    reply.replyData = *payload;
    reply.replyHasData = payload->size() > 1;
    return reply;
}

} // namespace qzc

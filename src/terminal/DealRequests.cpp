#include "terminal/DealRequests.h"

#include "core/ByteArrays.h"
#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "scoring/AllDealFile.h"
#include "scoring/TableAddress.h"
#include "scoring/WireCodes.h"
#include "terminal/MessageCode.h"
#include "terminal/PlayedRound.h"

namespace qzc {

namespace {

constexpr int firstCardByte = 2;
constexpr int handBytes = 13;
constexpr int tricksBytes = 5;
constexpr QLatin1StringView kDirections("NESW");

quint8 byteAt(const QByteArray& data, int index) {
    return static_cast<quint8>(data.at(index));
}

DealReply acknowledged(int replyCode) {
    DealReply reply;
    reply.replyCode = replyCode;
    reply.replyData = QByteArray(1, '\0');
    return reply;
}

} // namespace

DealRequests::DealRequests(Log& log, ScoreDb& db, const EventInfo& event, const Config& config,
                           const Clock& clock, GameData& gameData)
    : log_(log), event_(event), config_(config), gameData_(gameData),
      records_(db, log, clock, event.tablePresent) {}

DealReply DealRequests::handle(int requestCode, const QByteArray& data, const QString& tableId) {
    switch (requestCode) {
    case MessageCode::SubmitDealtCard:
        return submitDealtCard(data, tableId);
    case MessageCode::SubmitBid:
        return submitBid(data, tableId);
    case MessageCode::SubmitPlayedCard:
        return submitPlayedCard(data, tableId);
    default:
        return requestDeal(data, requestCode == MessageCode::RequestDealFour);
    }
}

DealReply DealRequests::notSupported(int replyCode) {
    log_.writeLog(1101, QString(), QStringLiteral("doMsg"));
    return acknowledged(replyCode);
}

DealReply DealRequests::notStored(const QByteArray& data, const QString& tableId, int replyCode) {
    // No movement has a board 0, a table records only the boards it plays, and a byte that
    // no card or call code uses would store a wrong record. Nothing is stored; the reply
    // tells the terminal to reload its movement and acknowledges the request, which it would
    // otherwise send again and again.
    log_.writeLog(1003, tableId + QStringLiteral(": ") + BytesToHex(data), QStringLiteral("doMsg"));
    gameData_.setflagloadsetup(false, tableId, 0);
    return acknowledged(replyCode);
}

DealReply DealRequests::stored(DealRecords::Stored outcome, int replyCode) {
    if (outcome == DealRecords::Stored::Failed) {
        DealReply reply;
        reply.failed = true;
        return reply;
    }
    return acknowledged(replyCode);
}

qint16 DealRequests::roundOf(const QString& tableId, qint16 board, const QString& what) {
    if (gameData_.mem_HasRound(gameData_.getSectionID(tableIdLetter(tableId))))
        return gameData_.findBoardRound(tableId, board);
    return roundByResultsPlayed(gameData_, log_, tableId, event_.boardsPerRound, what);
}

DealReply DealRequests::submitDealtCard(const QByteArray& data, const QString& tableId) {
    constexpr int replyCode = MessageCode::SubmitDealtCard + 1;
    if (!event_.tablePresent.present(SharedTable::HandRecord))
        return notSupported(replyCode);
    // Only whole hands are stored; bytes after the fourth hand are dropped.
    const int hands = std::clamp((static_cast<int>(data.size()) - firstCardByte) / handBytes, 0, 4);
    const int end = firstCardByte + hands * handBytes;
    for (int index = firstCardByte; index < end; ++index) {
        if (!isCardByteInRange(byteAt(data, index)))
            return notStored(data, tableId, replyCode);
    }
    const qint16 board = byteAt(data, 1);
    if (board == 0)
        return notStored(data, tableId, replyCode);
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
    DealReply reply = acknowledged(replyCode);
    for (int hand = 0; hand < hands; ++hand) {
        QString cards;
        for (int index = firstCardByte + hand * handBytes; index < firstCardByte + (hand + 1) * handBytes;
             ++index) {
            if (!isNoCardByte(byteAt(data, index)))
                cards += wireCardText(byteAt(data, index));
        }
        // A hand the terminal sent no card of leaves what is stored of it as it is.
        if (cards.isEmpty())
            continue;
        if (!records_.inputCard(sectionId, board, QString(QChar(kDirections[hand])), cards))
            reply.resultCode = 1003;
    }
    return reply;
}

DealReply DealRequests::submitBid(const QByteArray& data, const QString& tableId) {
    constexpr int replyCode = MessageCode::SubmitBid + 1;
    if (!event_.tablePresent.present(SharedTable::BiddingData))
        return notSupported(replyCode);
    const qint16 board = byteAt(data, 1);
    int seat = byteAt(data, 2);
    std::vector<DealCall> calls;
    for (int index = 3; index < data.size(); ++index) {
        if (!isBidByteInRange(byteAt(data, index)))
            return notStored(data, tableId, replyCode);
        calls.push_back({seat++, wireBidText(byteAt(data, index))});
    }
    const qint16 round = board == 0 ? qint16{0} : roundOf(tableId, board, QStringLiteral("the bidding"));
    if (round == 0)
        return notStored(data, tableId, replyCode);
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
    return stored(records_.inputBidding(TableAddress::of(tableId, sectionId), round, board, calls),
                  replyCode);
}

DealReply DealRequests::submitPlayedCard(const QByteArray& data, const QString& tableId) {
    constexpr int replyCode = MessageCode::SubmitPlayedCard + 1;
    if (!event_.tablePresent.present(SharedTable::PlayData))
        return notSupported(replyCode);
    const qint16 board = byteAt(data, 1);
    // Groups of five bytes, one a trick: the seat before the leader, then the four cards in
    // the order they were played.
    int seat = 0;
    std::vector<DealCall> cards;
    for (int index = 2; index < data.size(); ++index) {
        const quint8 code = byteAt(data, index);
        if ((index - 2) % tricksBytes == 0) {
            seat = code;
            continue;
        }
        ++seat;
        if (!isCardByteInRange(code))
            return notStored(data, tableId, replyCode);
        if (!isNoCardByte(code))
            cards.push_back({seat, wireCardText(code)});
    }
    const qint16 round = board == 0 ? qint16{0} : roundOf(tableId, board, QStringLiteral("the play"));
    if (round == 0)
        return notStored(data, tableId, replyCode);
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
    return stored(records_.inputPlay(TableAddress::of(tableId, sectionId), round, board, cards), replyCode);
}

DealReply DealRequests::requestDeal(const QByteArray& data, bool withMakeable) {
    const quint8 board = byteAt(data, 1);
    const AllDealFile file(log_, config_.qzcPath);
    DealReply reply;
    reply.replyCode = (withMakeable ? MessageCode::RequestDealFour : MessageCode::RequestDeal) + 1;
    reply.replyData = QByteArray(1, static_cast<char>(board)) + file.GetDealtCard(board, withMakeable);
    reply.replyHasData = true;
    return reply;
}

} // namespace qzc

#pragma once

#include "scoring/DealRecords.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace qzc {

class Clock;
class Config;
class GameData;
class Log;
class ScoreDb;
struct EventInfo;

/// What a deal, card, bid or play request hands to the dispatcher's reply tail.
struct DealReply {
    int replyCode = 0;
    QByteArray replyData;
    bool replyHasData = false;
    /// 0 to send the reply; else a program error code for the queue, and no reply.
    qint16 resultCode = 0;
    /// Not stored, the cause already logged: no reply, so that the terminal sends it again.
    bool failed = false;
};

/// The requests of terminals that record the deal, the auction and the play, and of those
/// that show a board's deal: dealt cards (80), bids (82), played cards (84) and the deal of
/// a board without (86) or with (88) the makeable contracts. What a terminal is told was
/// taken is stored. Records of board 0, bids and cards of a board the table does not play,
/// and a request holding a card or call byte that no code uses are logged (1003), not
/// stored, and acknowledged with the table flagged to reload its movement.
/// Without the score-database table to store in, a recording request is acknowledged and
/// logged with 1101.
class DealRequests {
public:
    DealRequests(Log& log, ScoreDb& db, const EventInfo& event, const Config& config, const Clock& clock,
                 GameData& gameData);

    /// Handles request code 80 to 88 of the terminal at tableId; data[0] is the code.
    DealReply handle(int requestCode, const QByteArray& data, const QString& tableId);

private:
    DealReply submitDealtCard(const QByteArray& data, const QString& tableId);
    DealReply submitBid(const QByteArray& data, const QString& tableId);
    DealReply submitPlayedCard(const QByteArray& data, const QString& tableId);
    DealReply requestDeal(const QByteArray& data, bool withMakeable);
    DealReply notSupported(int replyCode);
    DealReply notStored(const QByteArray& data, const QString& tableId, int replyCode);
    qint16 roundOf(const QString& tableId, qint16 board, const QString& what);
    static DealReply stored(DealRecords::Stored outcome, int replyCode);

    Log& log_;
    const EventInfo& event_;
    const Config& config_;
    GameData& gameData_;
    DealRecords records_;
};

} // namespace qzc

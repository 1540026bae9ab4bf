#pragma once

#include "gamedata/NextSeating.h"
#include "gamedata/PairPins.h"
#include "gamedata/PlayerSeats.h"
#include "scoring/FeedbackPayloads.h"
#include "scoring/PersonalRecap.h"
#include "scoring/RankingData.h"
#include "scoring/ScoreFrequency.h"
#include "scoring/StoredResults.h"
#include "terminal/DealRequests.h"
#include "terminal/RequestHandler.h"

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <QtGlobal>

namespace qzc {

class Clock;
class Config;
class DesktopHost;
class GameControl;
class GameData;
class GameSettings;
class Log;
class PlayerNames;
class ReplySender;
class ScoreDb;
struct EventInfo;

/// Answers every terminal request that the message queue hands on: finds the terminal's
/// table, gates the request by the game state and the table login, locks the terminal to
/// its table, runs the request's handler and sends the handler's reply cut into pieces,
/// then refreshes the main window. Handles the game status, the table logins, the reloads
/// of settings and movement, the pair PINs, the player IDs and the players' names, the board
/// results with their feedback, the stored results, the deal, card, bid and play requests,
/// and what the terminals show the players: ranking, score frequencies, personal recap and
/// the section's PINs.
/// No failure is ever answered to a terminal: a request that fails gets no reply.
class RequestDispatcher final : public RequestHandler {
public:
    /// Internal result codes, logged "Ignore message" and never passed to the queue.
    static constexpr qint16 ignored = 9100;
    static constexpr qint16 nothingToSend = 9101;

    RequestDispatcher(Log& log, ScoreDb& db, const GameSettings& settings, const EventInfo& event,
                      const Config& config, const Clock& clock, GameData& gameData, PlayerNames& names,
                      DesktopHost& host, GameControl& game);

    /// The sender of the reply pieces; set once, before the first request.
    void attachSender(ReplySender& sender) { sender_ = &sender; }

    /// Handles one terminal request; returns 0, or a program error code for the queue to log.
    qint16 doMsg(const QByteArray& data, const QByteArray& address, const QDateTime& stamp) override;

private:
    /// The dispatch context of one request.
    struct Request {
        QByteArray data;
        QByteArray address;
        QDateTime stamp;
        qint32 terminalId = 0;
        int requestCode = 0;
        QString tableId;
        qint16 firmwareMajor = 0;
        qint16 firmwareMinor = 0;
        double firmwareVersion = 0;
        qint32 sectionCount = 0;
        bool sectionComplete = false;
        QString previousTableId;

        quint8 byte(int index) const { return static_cast<quint8>(data.at(index)); }
    };

    /// What a handler hands to the reply tail.
    struct Reply {
        int replyCode = 0;
        QByteArray replyData;
        bool replyHasData = false;
        qint16 resultCode = 0;
        qint16 resultRound = 0;
        /// The request is answered by no reply at all (12, 112).
        bool noReply = false;
    };

    /// One decoded record of a board-result request.
    struct BoardRecord;

    /// Ends a request whose handler failed (its cause already logged): no reply.
    static constexpr qint16 failed = 9102;

    static Reply withResult(qint16 resultCode);
    static Reply noReplyAtAll();
    /// A builder's payload as the reply (its one byte 0 goes out as it is); no reply when the
    /// builder failed and logged why.
    static Reply withPayload(int replyCode, const std::optional<QByteArray>& payload);

    void takeRequestTable(Request& rq);
    Reply dispatch(const Request& rq);
    bool sendReply(const Request& rq, const Reply& reply);
    void afterReply(const Request& rq, const Reply& reply);
    void afterBoardResult(const Request& rq, const Reply& reply);

    // Game status, logins and reloads.
    Reply requestGameStatus(const Request& rq);
    void checkFirmware(const Request& rq, int& gameStatus);
    void notifyOnce(const Request& rq, int kind, const QString& caption, const QString& text);
    Reply ackMovementData(const Request& rq);
    Reply requestTableLogin(const Request& rq);
    qint16 loginStatusOfTable(const Request& rq, qint16 beginRound, qint16 edgeRound, bool sectionComplete,
                              qint16 resultsInStanza);
    Reply requestReloadSettings(const Request& rq);
    Reply ackUpdatedMovement(const Request& rq);
    QByteArray settingsBlock(const QString& tableId);
    QByteArray movementPart(const Request& rq, bool hasRounds);

    // Pair PINs, player IDs and the players' names.
    Reply submitPairPINs(const Request& rq);
    Reply submitPlayerIDs(const Request& rq);
    Reply askRoundNames(const Request& rq);

    // Board results.
    Reply submitBoardResult(const Request& rq);
    BoardRecord readBoardRecord(const Request& rq, int at, bool fourPlayers);
    void mapBandedNumbers(const QString& tableId, BoardRecord& record);
    /// The round the record is filed under (0: none), its seats taken as the movement's own
    /// numbers where it is placed.
    qint16 resultRound(const QString& tableId, BoardRecord& record, bool hasRounds);
    /// Adds the record to the list of a 73/75 reply: board and the seats as the terminal numbers them.
    void acceptRecord(QByteArray& accepted, const BoardRecord& record, bool fourPlayers) const;
    std::optional<QByteArray> feedback(const Request& rq, const BoardRecord& record, qint16 round,
                                       int& replyCode);

    // Stored results.
    Reply requestStoredBoardResults(const Request& rq);

    // Dealt cards, bids, played cards and deals.
    Reply dealRequest(const Request& rq);

    // Ranking, score frequencies, personal recap and the section's PINs.
    Reply requestRankingData(const Request& rq);
    Reply requestAllPairPINs(const Request& rq);
    Reply requestScoreFrequency(const Request& rq);
    FrequencyContestant frequencyContestant(const QString& tableId, qint16 sectionId, qint16 board,
                                            qint16 sent) const;
    Reply requestPersonalRecap(const Request& rq);

    Log& log_;
    ScoreDb& db_;
    const GameSettings& settings_;
    const EventInfo& event_;
    const Config& config_;
    const Clock& clock_;
    GameData& gameData_;
    PlayerNames& names_;
    DesktopHost& host_;
    GameControl& game_;
    ReplySender* sender_ = nullptr;
    FeedbackPayloads feedback_;
    StoredResults storedResults_;
    DealRequests deals_;
    NextSeating nextSeating_;
    PairPins pins_;
    PlayerSeats seats_;
    ScoreFrequency boards_;
    RankingData ranking_;
    PersonalRecap recap_;
    /// Firmware notices already shown: terminal, version and kind of notice.
    QSet<QString> notified_;
};

} // namespace qzc

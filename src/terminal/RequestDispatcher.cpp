#include "terminal/RequestDispatcher.h"

#include "core/ByteArrays.h"
#include "core/DesktopHost.h"
#include "core/GameControl.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "terminal/MessageCode.h"
#include "terminal/ReplyCutter.h"
#include "terminal/ReplySender.h"

namespace qzc {

namespace {

const QString kSource = QStringLiteral("doMsg");

QString versionText(double version) {
    return QString::number(version, 'g', 15);
}

} // namespace

RequestDispatcher::RequestDispatcher(Log& log, ScoreDb& db, const GameSettings& settings,
                                     const EventInfo& event, const Config& config, const Clock& clock,
                                     GameData& gameData, PlayerNames& names, DesktopHost& host,
                                     GameControl& game)
    : log_(log), db_(db), settings_(settings), event_(event), config_(config), clock_(clock),
      gameData_(gameData), names_(names), host_(host), game_(game), feedback_(db, log, settings),
      storedResults_(db, log, event), deals_(log, db, event, config, clock, gameData),
      nextSeating_(db, log, gameData), pins_(db, log, gameData, event),
      seats_(db, log, clock, config, gameData, names, event), boards_(db, log, settings),
      ranking_(db, settings, log, event, boards_), recap_(db, settings, log, boards_) {}

RequestDispatcher::Reply RequestDispatcher::withResult(qint16 resultCode) {
    Reply reply;
    reply.resultCode = resultCode;
    return reply;
}

RequestDispatcher::Reply RequestDispatcher::noReplyAtAll() {
    Reply reply;
    reply.noReply = true;
    return reply;
}

RequestDispatcher::Reply RequestDispatcher::withPayload(int replyCode,
                                                        const std::optional<QByteArray>& payload) {
    if (!payload)
        return withResult(failed);
    Reply reply;
    reply.replyCode = replyCode;
    reply.replyData = *payload;
    reply.replyHasData = true;
    return reply;
}

qint16 RequestDispatcher::doMsg(const QByteArray& data, const QByteArray& address, const QDateTime& stamp) {
    if (data.isEmpty() || address.size() < 2)
        return 1002;

    Request rq;
    rq.data = data;
    rq.address = address.left(2);
    rq.stamp = stamp;
    // Terminal ids are unsigned: 0x8000 and above are ids like any other.
    rq.terminalId = static_cast<quint8>(address.at(0)) * 256 + static_cast<quint8>(address.at(1));
    rq.requestCode = rq.byte(0) & 0x7F;
    const TerminalBinding binding = gameData_.getTQZTableLabel(rq.terminalId);
    rq.tableId = binding.tableId;
    rq.firmwareMajor = binding.versionMajor;
    rq.firmwareMinor = binding.versionMinor;
    rq.firmwareVersion = rq.firmwareMajor + rq.firmwareMinor / 100.0;

    const int code = rq.requestCode;
    if (code != MessageCode::RequestGameStatus)
        log_.writeLog(0, QStringLiteral("message from ") + rq.tableId + QLatin1Char('(') +
                             QString::number(rq.terminalId) + QStringLiteral(", v") +
                             versionText(rq.firmwareVersion) + QLatin1Char(')'));
    // Nothing beyond the code is read before the request is known to be long enough.
    if (data.size() < minimumRequestLength(code))
        return 1002;

    if (code == MessageCode::RequestGameStatus) {
        if (data.size() >= 3) {
            rq.firmwareMajor = rq.byte(1);
            rq.firmwareMinor = rq.byte(2);
        }
        gameData_.registerTQZ(rq.terminalId, rq.firmwareMajor, rq.firmwareMinor);
        rq.firmwareVersion = rq.firmwareMajor + rq.firmwareMinor / 100.0;
    }
    if (code == MessageCode::RequestTableLogin || code == MessageCode::RequestTableLoginStopped ||
        code == MessageCode::RequestReplacingTableLogin)
        takeRequestTable(rq);

    // The gate.
    const qint16 mode = game_.gameMode();
    if (mode == 1) {
        rq.sectionComplete = gameData_.checkResultProgress(rq.tableId);
        if (rq.tableId.isEmpty() && code != MessageCode::RequestGameStatus)
            return 1006;
    } else {
        if (code != MessageCode::RequestGameStatus && code != MessageCode::RequestTableLoginStopped) {
            log_.writeLog(0, QStringLiteral("Ignore message"), kSource);
            return 0;
        }
        if (code == MessageCode::RequestTableLoginStopped && rq.tableId.isEmpty())
            return 1006;
    }
    if (!rq.tableId.isEmpty() && locksTable(code))
        gameData_.lockTQZTable(rq.tableId);

    const Reply reply = dispatch(rq);
    if (reply.resultCode == ignored || reply.resultCode == nothingToSend) {
        log_.writeLog(0, QStringLiteral("Ignore message"), kSource);
        return 0;
    }
    if (reply.resultCode == failed)
        return 0;
    if (reply.resultCode != 0)
        return reply.resultCode;
    if (reply.noReply)
        return 0;
    if (!sendReply(rq, reply))
        return 0;
    afterReply(rq, reply);
    return 0;
}

void RequestDispatcher::takeRequestTable(Request& rq) {
    rq.previousTableId = rq.tableId;
    db_.getDBValue(QStringLiteral("SELECT COUNT(ID) as cntsection FROM Section"),
                   QStringLiteral("cntsection"), rq.sectionCount);
    if (rq.requestCode == MessageCode::RequestReplacingTableLogin && rq.data.size() >= 5) {
        rq.firmwareMajor = rq.byte(3);
        rq.firmwareMinor = rq.byte(4);
        rq.firmwareVersion = rq.firmwareMajor + rq.firmwareMinor / 100.0;
        if (!db_.hasRows(QStringLiteral("SELECT TQZ_ID FROM custom_qz_TQZ WHERE TQZ_ID=") +
                         QString::number(rq.terminalId)))
            gameData_.registerTQZ(rq.terminalId, rq.firmwareMajor, rq.firmwareMinor);
    }
    QString letters;
    if (rq.sectionCount > 1) {
        letters = sectionNoToLetter(rq.byte(1));
    } else {
        db_.getDBValue(QStringLiteral("SELECT LETTER FROM Section ORDER BY ID"), QStringLiteral("LETTER"),
                       letters);
        letters = letters.trimmed();
    }
    rq.tableId = letters + QString::number(rq.byte(2));
}

RequestDispatcher::Reply RequestDispatcher::dispatch(const Request& rq) {
    switch (rq.requestCode) {
    case MessageCode::RequestGameStatus:
        return requestGameStatus(rq);
    case MessageCode::AckMovementData:
        return ackMovementData(rq);
    case MessageCode::RequestTableLogin:
    case MessageCode::RequestTableLoginStopped:
    case MessageCode::RequestReplacingTableLogin:
        return requestTableLogin(rq);
    case MessageCode::SubmitPairPINs:
    case MessageCode::SubmitPairPINsFour:
        return submitPairPINs(rq);
    case MessageCode::SubmitPlayerIDs:
        return submitPlayerIDs(rq);
    case MessageCode::AskRoundNames:
        return askRoundNames(rq);
    case MessageCode::SubmitBoardResult:
    case MessageCode::SubmitBoardResultFour:
    case MessageCode::SubmitBoardResultList:
    case MessageCode::SubmitBoardResultListFour:
        return submitBoardResult(rq);
    case MessageCode::RequestStoredBoardResults:
    case MessageCode::RequestStoredBoardResultsFour:
        return requestStoredBoardResults(rq);
    case MessageCode::RequestRankingData:
        return requestRankingData(rq);
    case MessageCode::RequestAllPairPINs:
        return requestAllPairPINs(rq);
    case MessageCode::RequestScoreFrequency:
        return requestScoreFrequency(rq);
    case MessageCode::RequestPersonalRecap:
        return requestPersonalRecap(rq);
    case MessageCode::RequestReloadSettings:
    case MessageCode::RequestReloadSettingsChanged:
        return requestReloadSettings(rq);
    case MessageCode::AckUpdatedMovement:
        return ackUpdatedMovement(rq);
    case MessageCode::SubmitDealtCard:
    case MessageCode::SubmitBid:
    case MessageCode::SubmitPlayedCard:
    case MessageCode::RequestDeal:
    case MessageCode::RequestDealFour:
        return dealRequest(rq);
    default:
        return withResult(1001);
    }
}

RequestDispatcher::Reply RequestDispatcher::dealRequest(const Request& rq) {
    const DealReply deal = deals_.handle(rq.requestCode, rq.data, rq.tableId);
    if (deal.failed)
        return withResult(failed);
    Reply reply;
    reply.replyCode = deal.replyCode;
    reply.replyData = deal.replyData;
    reply.replyHasData = deal.replyHasData;
    reply.resultCode = deal.resultCode;
    return reply;
}

bool RequestDispatcher::sendReply(const Request& rq, const Reply& reply) {
    const std::optional<std::vector<QByteArray>> pieces =
        cutReplyPieces(rq.address, reply.replyCode, reply.replyData, reply.replyHasData);
    if (!pieces) {
        log_.writeLog(0,
                      QStringLiteral("Reply ") + QString::number(reply.replyCode) + QStringLiteral(" of ") +
                          QString::number(reply.replyData.size()) +
                          QStringLiteral(" bytes needs more than 15 pieces, not sent"),
                      kSource, true);
        return false;
    }
    if (sender_ == nullptr) {
        log_.writeLog(0, QStringLiteral("No link to send the reply on"), kSource, true);
        return false;
    }
    // The pieces go out back to back, paced only by the link's own pause before each later
    // piece (none by default): no window event runs inside a queue run, so no question, box
    // or command of the director can open or act between two pieces and hold every terminal.
    bool first = true;
    for (QByteArray piece : *pieces) {
        if (gameData_.getLoadSetupTables(rq.tableId))
            piece[3] = static_cast<char>(reply.replyCode | reloadFlag);
        sender_->SendMessage(piece, !first, first ? rq.stamp : QDateTime());
        first = false;
    }
    return true;
}

void RequestDispatcher::afterReply(const Request& rq, const Reply& reply) {
    if (!host_.isDesktopLoaded())
        return;
    switch (rq.requestCode) {
    case MessageCode::RequestTableLogin:
    case MessageCode::RequestTableLoginStopped:
    case MessageCode::RequestReplacingTableLogin:
    case MessageCode::RequestReloadSettings:
        host_.RefreshTableStatus();
        break;
    case MessageCode::SubmitBoardResult:
    case MessageCode::SubmitBoardResultFour:
    case MessageCode::SubmitBoardResultList:
    case MessageCode::SubmitBoardResultListFour:
        afterBoardResult(rq, reply);
        break;
    default:
        break;
    }
}

void RequestDispatcher::afterBoardResult(const Request& rq, const Reply& reply) {
    host_.RefreshTableStatus();

    const qint16 round = reply.resultRound;
    host_.queueGridRefresh(round);
    if (round > 1) {
        const bool list = rq.requestCode == MessageCode::SubmitBoardResultList ||
                          rq.requestCode == MessageCode::SubmitBoardResultListFour;
        const qint16 last = list ? qint16{1} : static_cast<qint16>(round - 1);
        for (qint16 earlier = round - 1; earlier >= last; --earlier)
            host_.queueGridRefresh(earlier);
    }

    const TerminalCompletion terminals = gameData_.countCompleteTerminals();
    if (terminals.complete != terminals.expecting)
        return;
    log_.writeLog(0,
                  QStringLiteral("All TQZ (") + QString::number(terminals.complete) +
                      QStringLiteral(") found completed."),
                  kSource);
    game_.restartAnalyzeTimer(200);

    const std::optional<qint16> section = host_.shownSectionId();
    if (!section)
        return;
    // Logged under the analysis' name, as the analysis shows the same state.
    game_.showStanzaState(gameData_.getSectionStanzaState(*section), QStringLiteral("AnalyzeGameDB"));
}

} // namespace qzc

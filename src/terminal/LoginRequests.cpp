// The game status, the table logins and the reloads of settings and movement.
#include "core/Config.h"
#include "core/DesktopHost.h"
#include "core/EventInfo.h"
#include "core/GameControl.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "platform/Clock.h"
#include "terminal/GameSettingsBlock.h"
#include "terminal/MessageCode.h"
#include "terminal/RequestDispatcher.h"

#include <algorithm>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("doMsg");
const QString kLineBreak = QStringLiteral("\r\n");

// Login statuses of the login replies.
constexpr qint16 statusNothing = 0;
constexpr qint16 statusFailed = 1;
constexpr qint16 statusLoggedIn = 3;
constexpr qint16 statusRefused = 5;
constexpr qint16 statusNoSuchTable = 9;

// Kinds of firmware notice.
enum FirmwareNotice { tooLow = 1, tooHigh = 2, notOptimal = 3 };

QString shortNumber(double value) {
    return QString::number(value, 'g', 15);
}

QByteArray twoZeros() {
    return QByteArray(2, '\0');
}

} // namespace

QByteArray RequestDispatcher::settingsBlock(const QString& tableId) {
    return getGameSettingsData(tableId, settings_, gameData_.hasSeparateNSEWPairs(tableIdLetter(tableId)),
                               clock_.now(), log_);
}

QByteArray RequestDispatcher::movementPart(const Request& rq, bool hasRounds) {
    if (hasRounds)
        return gameData_.getMovementFromMemory(rq.tableId, rq.firmwareMajor, rq.firmwareMinor);
    // One byte each: a count above 255 is sent as 255, never cut to its low byte.
    QByteArray counts;
    const std::pair<const char*, qint16> values[] = {{"boards per round", event_.boardsPerRound},
                                                     {"total boards", event_.totalBoards}};
    for (const auto& [name, value] : values) {
        if (value > 255)
            log_.writeLog(0,
                          rq.tableId + QStringLiteral(": ") + QLatin1String(name) + QLatin1Char(' ') +
                              QString::number(value) + QStringLiteral(" above 255, sent as 255"),
                          kSource);
        counts.append(static_cast<char>(std::clamp<int>(value, 0, 255)));
    }
    return counts;
}

void RequestDispatcher::notifyOnce(const Request& rq, int kind, const QString& caption, const QString& text) {
    // One notice per terminal, version and kind: a terminal asking again does not pile
    // them up, and the reply never waits for the director.
    const QString key = QString::number(rq.terminalId) + QLatin1Char('|') +
                        QString::number(rq.firmwareMajor) + QLatin1Char('.') +
                        QString::number(rq.firmwareMinor) + QLatin1Char('|') + QString::number(kind);
    if (notified_.contains(key))
        return;
    notified_.insert(key);
    host_.showNotice(caption, text);
}

void RequestDispatcher::checkFirmware(const Request& rq, int& gameStatus) {
    const double version = rq.firmwareVersion;
    const double minimum = config_.tqzMinVersion;
    const double maximum = config_.tqzMaxVersion;
    const bool belowMinimum = version < minimum;
    const bool aboveMaximum = maximum > 0 && version > maximum;
    if (belowMinimum || aboveMaximum) {
        gameStatus = 4;
        if (belowMinimum)
            notifyOnce(rq, tooLow, QStringLiteral("TQZ version too low"),
                       QStringLiteral("Too old firmware detected in a tabletop") + kLineBreak +
                           QStringLiteral("Required firmware: >= ") + shortNumber(minimum));
        if (aboveMaximum)
            notifyOnce(rq, tooHigh, QStringLiteral("TQZ version too high"),
                       QStringLiteral("The Talvane Control (QZC) version is too old. Do either of this:") +
                           kLineBreak + QStringLiteral("     -Upgrade QZC") + kLineBreak +
                           QStringLiteral("     -Downgrade tabletops to <= ") + shortNumber(maximum));
        log_.writeLog(0,
                      QStringLiteral("Exceed permitted TQZ firmware version:") + shortNumber(minimum) +
                          QLatin1Char(',') + shortNumber(maximum),
                      kSource);
        return;
    }
    const double optimum = config_.tqzOptVersion;
    if (optimum > 0 && version < optimum) {
        notifyOnce(rq, notOptimal, QStringLiteral("TQZ version not optimal"),
                   QStringLiteral("This version of QZC is intended for TQZ version ") + shortNumber(optimum));
        log_.writeLog(0, QStringLiteral("Not at TQZ optimal firmware version:") + shortNumber(optimum),
                      kSource);
    }
}

RequestDispatcher::Reply RequestDispatcher::requestGameStatus(const Request& rq) {
    int gameStatus = (game_.gameMode() == 1 ? 1 : 0) + (gameData_.getSectionCount() > 1 ? 2 : 0);
    checkFirmware(rq, gameStatus);

    Reply reply;
    reply.replyCode = MessageCode::ReplyGameStatus;
    reply.replyHasData = true;
    reply.replyData = QByteArray(1, static_cast<char>(gameStatus));
    if (rq.firmwareMajor >= 2) {
        const std::optional<SectionNumberList> sections = gameData_.getSectionLetters();
        if (sections && sections->lastIndex >= 0)
            reply.replyData += sections->numbers.left(sections->lastIndex + 1);
    }
    return reply;
}

RequestDispatcher::Reply RequestDispatcher::ackMovementData(const Request& rq) {
    log_.writeLog(0, rq.tableId + QStringLiteral(": movement data received"), kSource);
    return noReplyAtAll();
}

qint16 RequestDispatcher::loginStatusOfTable(const Request& rq, qint16 beginRound, qint16 edgeRound,
                                             bool sectionComplete, qint16 resultsInStanza) {
    const QString& tableId = rq.tableId;
    qint16 result = GameData::loginFailed;
    if (resultsInStanza > 0 && !gameData_.DB_check_BoardResult(0, edgeRound, tableId, beginRound)) {
        // The table has started the stanza and not finished it.
        result = GameData::tableBusy;
    } else if (!gameData_.isTableInSection(tableId)) {
        result = GameData::tableUnknown;
    } else {
        result = gameData_.markTQZno(tableId, false);
        if (tableId == rq.previousTableId) {
            result = GameData::loginGranted;
            gameData_.setflagloadsetup(true, tableId, 0);
        } else if (result == GameData::loginGranted) {
            if (gameData_.markTQZTableNo(rq.terminalId, tableId, false, rq.firmwareMajor))
                gameData_.setflagloadsetup(true, tableId, 0);
            else
                result = GameData::tableBusy;
        }
    }
    if (result != GameData::loginGranted)
        return static_cast<qint16>(result + 1);
    // Logged in: something to play only while the table has boards left in the stanza.
    if (sectionComplete)
        return resultsInStanza == 0 && edgeRound > 0 ? statusLoggedIn : statusNothing;
    return gameData_.DB_check_BoardResult(0, edgeRound, tableId, beginRound) ? statusNothing : statusLoggedIn;
}

RequestDispatcher::Reply RequestDispatcher::requestTableLogin(const Request& rq) {
    const int code = rq.requestCode;
    const bool replacing = code == MessageCode::RequestReplacingTableLogin;
    if (replacing && rq.firmwareMajor < 2) {
        log_.writeLog(0, QStringLiteral("Incompatible TQZ firmware version."), kSource);
        return withResult(ignored);
    }
    const QString& tableId = rq.tableId;
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
    const bool hasRounds = gameData_.mem_HasRound(sectionId);
    const bool sectionComplete = hasRounds && rq.sectionComplete;

    qint16 status = statusNothing;
    qint16 beginRound = 0;
    QByteArray movement;
    if (game_.gameMode() == 1) {
        beginRound = gameData_.getSectionBeginRound(sectionId);
        const qint16 edgeRound = gameData_.getSectionEdgeRound(sectionId);
        movement = movementPart(rq, hasRounds);
        status = statusFailed;
        if (replacing) {
            if (movement.size() == 1 && sectionComplete) {
                status = statusNothing;
            } else {
                status = static_cast<qint16>(gameData_.markTQZno(tableId, true) + 1);
                if (status == statusLoggedIn && tableId != rq.previousTableId) {
                    if (!gameData_.isTableInSection(tableId))
                        status = statusNoSuchTable;
                    else if (!gameData_.markTQZTableNo(rq.terminalId, tableId, true, rq.firmwareMajor))
                        status = statusRefused;
                }
            }
        } else {
            const std::optional<qint16> results =
                storedResults_.countTableResults(TableAddress::of(tableId, sectionId), beginRound);
            if (!results)
                return withResult(failed);
            status = loginStatusOfTable(rq, beginRound, edgeRound, sectionComplete, *results);
        }
    }

    QByteArray settingsPart = twoZeros();
    if (status == statusLoggedIn) {
        settingsPart = settingsBlock(tableId);
        if (beginRound > 1)
            settingsPart[1] = static_cast<char>(static_cast<quint8>(settingsPart.at(1)) | 64);
        gameData_.setflagloadsetup(true, tableId, 0);
    } else {
        movement = twoZeros();
    }

    Reply reply;
    if (replacing)
        reply.replyCode = MessageCode::ReplyReplacingTableLogin;
    else
        reply.replyCode = code + (hasRounds ? 1 : 3);
    reply.replyHasData = true;
    reply.replyData = QByteArray(1, static_cast<char>(status)) + settingsPart + movement;
    return reply;
}

RequestDispatcher::Reply RequestDispatcher::requestReloadSettings(const Request& rq) {
    const QString& tableId = rq.tableId;
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
    Reply reply;
    reply.replyHasData = true;
    if (rq.requestCode == MessageCode::RequestReloadSettingsChanged &&
        !db_.hasRows(QStringLiteral("SELECT ID FROM Section WHERE custom_qz_UFRmode > 0 AND ID=") +
                     QString::number(sectionId))) {
        reply.replyCode = MessageCode::ReplySettingsOnly;
        reply.replyData = settingsBlock(tableId);
        return reply;
    }
    reply.replyCode = MessageCode::ReplyReloadSettings;
    const bool hasRounds = gameData_.mem_HasRound(sectionId);
    QByteArray block = settingsBlock(tableId);
    const qint16 edgeRound = gameData_.getSectionEdgeRound(sectionId);
    if (gameData_.getMaxRound(tableId) > 0 && edgeRound > 0)
        block[1] = static_cast<char>(static_cast<quint8>(block.at(1)) | 64);
    const QByteArray movement = movementPart(rq, hasRounds);
    // Newer terminals confirm the set-up with request 112 before the flag goes.
    if (rq.firmwareMajor < 2)
        gameData_.setflagloadsetup(true, tableId, 0);
    reply.replyData = block + movement;
    return reply;
}

RequestDispatcher::Reply RequestDispatcher::ackUpdatedMovement(const Request& rq) {
    log_.writeLog(0, rq.tableId + QStringLiteral(": updated movement data received"), kSource);
    gameData_.setflagloadsetup(true, rq.tableId, 0);
    if (host_.isDesktopLoaded())
        host_.RefreshTableStatus();
    return noReplyAtAll();
}

} // namespace qzc

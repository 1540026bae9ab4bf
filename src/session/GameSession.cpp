#include "session/GameSession.h"

#include "core/Config.h"
#include "core/DesktopHost.h"
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Guarded.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/ScoreDb.h"
#include "gamedata/GameData.h"
#include "gamedata/GameDataAnalysis.h"
#include "gamedata/NameMaintenance.h"
#include "gamedata/PlayerNames.h"
#include "platform/BusyPointer.h"
#include "platform/ProcessList.h"
#include "platform/ProgramLauncher.h"
#include "terminal/BaseStation.h"

#include <QFileInfo>
#include <QScopedValueRollback>

namespace qzc {

namespace {

const QString kReconnectMessage = QStringLiteral("No response from base station. Please reconnect it.");
const QString kSleepProgram = QStringLiteral("preventsleep.exe");
const QString kResetSource = QStringLiteral("timerResetbaseStation");
constexpr qint16 kExclamationOk = 48;

} // namespace

GameSession::GameSession(const Services& services, DesktopHost& desktop)
    : config_(services.config), log_(services.log), db_(services.db), settings_(services.settings),
      event_(services.event), gameData_(services.gameData), names_(services.names),
      messages_(services.messages), processes_(services.processes), launcher_(services.launcher),
      desktop_(desktop) {
    timerAnalyzeGameDB_.setObjectName(QStringLiteral("timerAnalyzeGameDB"));
    timerAnalyzeGameDB_.setInterval(analyzeIntervalMs);
    timerResetbaseStation_.setObjectName(QStringLiteral("timerResetbaseStation"));
    timerResetbaseStation_.setInterval(resetIntervalMs);
    QObject::connect(&timerAnalyzeGameDB_, &QTimer::timeout, [this] { timerAnalyzeGameDB_Timer(); });
    QObject::connect(&timerResetbaseStation_, &QTimer::timeout, [this] { timerResetbaseStation_Timer(); });
}

void GameSession::command(GameCommand command) {
    // The director's command stands: a reset under way brings back the link, not the game.
    if (!gameModeByTimer_)
        resetOfRunningGame_ = false;
    switch (command) {
    case GameCommand::Stop:
        stopGame();
        break;
    case GameCommand::Pause:
        gameMode_ = 2;
        break;
    case GameCommand::Start:
        log_.writeLog(0, QStringLiteral("Start game."));
        {
            const BusyPointer busy;
            names_.loadPlayerNameList();
            names_.Setup_memoryPlayerName();
            // Not while the automatic reset restarts the game.
            if (!gameModeByTimer_)
                NameMaintenance(names_, db_, log_, event_, config_).updatePlayerNames();
        }
        if (!ensureBoardCounts()) {
            // No board counts given, or they or their edge could not be stored (every result
            // would be skipped): nothing starts, and the game-mode menu keeps the item of the
            // state the game is still in ("Stop" for a stopped game).
            desktop_.showGameCommand(commandOfState());
            return;
        }
        startGame();
        break;
    }
    desktop_.showGameCommand(command);
}

void GameSession::stopGame() {
    if (gameMode_ != 0) {
        log_.writeLog(0, QStringLiteral("Stop game."));
        gameMode_ = 0;
    }
    desktop_.showGameRunning(false);
    timerAnalyzeGameDB_.stop();
}

bool GameSession::ensureBoardCounts() {
    const bool countsSet = event_.boardsPerRound != 0 && event_.totalBoards != 0;
    // Wide enough for any movement: a count that does not fit would read as no movement.
    qint32 rows = 0;
    const bool counted = db_.getDBValue(QStringLiteral("SELECT COUNT([Table]) as cnt FROM [RoundData]"),
                                        QStringLiteral("cnt"), rows);
    if (rows != 0)
        return true;
    if (countsSet) {
        // Counts kept from an earlier start (as when the event is opened again as a new
        // event, its stanzas reset to the empty movement's round 0): without their edge no
        // counted round would lie in the stanza. Only where the movement surely is empty.
        return !counted || putStanzaEdgeInForce(false);
    }
    const qint16 perRoundBefore = event_.boardsPerRound;
    const qint16 totalBefore = event_.totalBoards;
    desktop_.askBoardCounts(event_.boardsPerRound, event_.totalBoards);
    if (event_.boardsPerRound == 0 || event_.totalBoards == 0)
        return false;
    if (!saveBoardCounts()) {
        // Counts the event does not keep are asked again at the next start.
        event_.boardsPerRound = perRoundBefore;
        event_.totalBoards = totalBefore;
        return false;
    }
    // Counts stored without their edge: the next start writes the edge again.
    return putStanzaEdgeInForce(true);
}

bool GameSession::saveBoardCounts() {
    const QString perRound = QString::number(event_.boardsPerRound);
    const QString total = QString::number(event_.totalBoards);
    QString stored;
    const bool rowExists =
        db_.getDBValue(QStringLiteral("SELECT custom_qz_roundboard FROM [custom_qz_Settings]"),
                       QStringLiteral("custom_qz_roundboard"), stored);
    const QString sql = rowExists ? QStringLiteral("UPDATE custom_qz_Settings SET custom_qz_roundboard=") +
                                        perRound + QStringLiteral(",custom_qz_totalboard=") + total
                                  : QStringLiteral("INSERT INTO custom_qz_Settings (custom_qz_roundboard,"
                                                   "custom_qz_totalboard) VALUES (") +
                                        perRound + QLatin1Char(',') + total + QLatin1Char(')');
    if (!db_.execSQL(sql, QStringLiteral("Menu - game mode"))) {
        log_.writeLog(0, QStringLiteral("Fail to start game: the board counts could not be stored."));
        return false;
    }
    log_.writeLog(0, QStringLiteral("Total boards and board per round is set: ") + perRound +
                         QLatin1Char(',') + total);
    settings_.setGameSetting(QStringLiteral("custom_qz_roundboard"), perRound);
    settings_.setGameSetting(QStringLiteral("custom_qz_totalboard"), total);
    return true;
}

bool GameSession::putStanzaEdgeInForce(bool always) {
    const QString edge = event_.boardCountsEdgeRound();
    if (edge.isEmpty())
        return true;
    // A start that finds every section on that edge already changes nothing.
    if (!always &&
        !db_.hasRows(QStringLiteral("SELECT ID FROM Section WHERE custom_qz_StanazEdgeGameRound IS "
                                    "NULL OR custom_qz_StanazEdgeGameRound<>") +
                     edge))
        return true;
    if (!db_.execSQL(QStringLiteral("UPDATE Section SET custom_qz_StanazEdgeGameRound=") + edge,
                     QStringLiteral("Start game"))) {
        log_.writeLog(0, QStringLiteral("Fail to start game: the stanza edge round could not be stored."));
        return false;
    }
    gameData_.loadsectiondata();
    return true;
}

void GameSession::startGame() {
    const BusyPointer busy;
    if (analysis_ != nullptr)
        analysis_->AnalyzeGameDB();
    // The program may have ended while the analysis asked a question.
    if (messages_.programEnded())
        return;
    gameData_.preloadMovementMessage();
    // A restart by the automatic reset keeps the section and view the director chose.
    if (!gameModeByTimer_)
        desktop_.showFirstSectionAndView();
    if (!linkIsUp())
        startLink();
    // Or while the director was asked to reconnect the base station.
    if (messages_.programEnded())
        return;
    if (linkIsUp()) {
        baseStation_->resetIdleTimes();
        gameMode_ = 1;
        desktop_.showGameRunning(true);
        startSleepPrevention();
        timerAnalyzeGameDB_.start();
    } else {
        log_.writeLog(0, QStringLiteral("Fail to start game."));
    }
}

void GameSession::startSleepPrevention() {
    const QString program = config_.appFolder + kSleepProgram;
    if (!QFileInfo::exists(program) || processes_.IsProcessRunning(kSleepProgram))
        return;
    QString error;
    if (launcher_.start(program, {}, config_.appFolder, &error))
        log_.writeLog(0, QStringLiteral("Execute command: ") + program);
    else
        log_.writeLog(0, error, QStringLiteral("Start game"), true);
}

bool GameSession::linkIsUp() const {
    return baseStation_ != nullptr && baseStation_->isLinkUp();
}

bool GameSession::toggleLink() {
    return baseStation_ != nullptr && baseStation_->bs_OpenCommunication(!linkIsUp());
}

void GameSession::startLink() {
    if (baseStation_ == nullptr)
        return;
    for (;;) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (baseStation_->bs_OpenCommunication(true))
                return;
        }
        // "communcation" as other programs read it in the log.
        log_.writeLog(0, QStringLiteral("Fails to connect base station"),
                      QStringLiteral("menu - start communcation"));
        if (!messages_.showMsg(kReconnectMessage, QString(), kExclamationOk, -1))
            return;
    }
}

void GameSession::timerAnalyzeGameDB_Timer() {
    if (++analyzeTickCount_ != analyzeEveryTicks)
        return;
    analyzeTickCount_ = 0;
    if (analysis_ != nullptr)
        guarded(log_, QStringLiteral("timerAnalyzeGameDB"), [this] { analysis_->AnalyzeGameDB(); });
}

void GameSession::restartAnalyzeTimer(int intervalMs) {
    if (!timerAnalyzeGameDB_.isActive())
        return;
    timerAnalyzeGameDB_.stop();
    timerAnalyzeGameDB_.setInterval(intervalMs);
    timerAnalyzeGameDB_.start();
}

void GameSession::showStanzaState(StanzaState state, const QString& source) {
    const bool buttonWasShown = shownStanza_ == StanzaState::ReadyForNextStanza;
    shownStanza_ = state;
    desktop_.showNextStanzaControls(state);
    if (state == StanzaState::ReadyForNextStanza && !buttonWasShown) {
        log_.writeLog(0, QStringLiteral("Show 'Start New Movement' button"), source);
        // The dispatcher may have sped the timer up once every table had its results.
        restartAnalyzeTimer(analyzeIntervalMs);
    } else if (state == StanzaState::ResultsOwed && buttonWasShown) {
        log_.writeLog(0, QStringLiteral("Hide 'Start New Movement' button"), source);
    }
}

void GameSession::startTimerResetbaseStation() {
    // The reset's own attempt to bring the link back reports its failure by its outcome.
    if (ended_ || bringingLinkBack_)
        return;
    // A link lost again while a reset waits (the director brought it back meanwhile) starts
    // the reset over: its first tick takes the link down, marked so, and the link is searched
    // and knocked again at the end of the wait. A game that ran, then or now, runs again.
    if (resetElapsedMs_ > 0) {
        resetElapsedMs_ = 0;
        resetRestartOk_ = false;
    }
    timerResetbaseStation_.start();
}

void GameSession::endReset() {
    if (!timerResetbaseStation_.isActive() && resetElapsedMs_ == 0)
        return;
    timerResetbaseStation_.stop();
    resetElapsedMs_ = 0;
    resetRestartOk_ = false;
    resetOfRunningGame_ = false;
    desktop_.hideGridMessage();
}

void GameSession::endSession() {
    ended_ = true;
    endReset();
    timerAnalyzeGameDB_.stop();
}

void GameSession::timerResetbaseStation_Timer() {
    if (baseStation_ == nullptr) {
        timerResetbaseStation_.stop();
        return;
    }
    guarded(log_, kResetSource, [this] { resetTick(); });
}

void GameSession::resetTick() {
    // Milliseconds in 32 bits; the wait is bounded by the link settings (at most 300 s).
    const qint32 interval = timerResetbaseStation_.interval();
    const qint32 wait = baseStation_->settings().resetWaitMs();
    resetElapsedMs_ += interval;

    if (resetElapsedMs_ == interval) {
        desktop_.showGridMessage(QStringLiteral("  Resetting communication, please wait.  "));
        desktop_.paintNow();
        const bool gameRan = gameMode_ == 1 || resetOfRunningGame_;
        if (linkIsUp())
            baseStation_->bs_OpenCommunication(false);
        log_.writeLog(0, QStringLiteral("Stop game by timer"), kResetSource);
        command(GameCommand::Stop);
        resetOfRunningGame_ = gameRan;
    }
    if (resetElapsedMs_ == wait + interval || resetElapsedMs_ == 2 * wait + interval) {
        if (!linkIsUp()) {
            log_.writeLog(0, QStringLiteral("Start game by timer"), kResetSource);
            const QScopedValueRollback<bool> attempt(bringingLinkBack_, true);
            baseStation_->bs_OpenCommunication(true);
        }
        if (linkIsUp()) {
            log_.writeLog(0, QStringLiteral("Start game by timer: succeed"), kResetSource);
            resetRestartOk_ = true;
        }
    }
    if (resetElapsedMs_ <= 2 * wait + interval && !resetRestartOk_)
        return;
    finishReset();
}

void GameSession::finishReset() {
    timerResetbaseStation_.stop();
    resetElapsedMs_ = 0;
    bool restart = resetRestartOk_;
    resetRestartOk_ = false;
    while (!restart) {
        log_.writeLog(0, QStringLiteral("Fails to reset the communication automatically"), kResetSource);
        if (!messages_.showMsg(kReconnectMessage, QString(), kExclamationOk, -1))
            break;
        const QScopedValueRollback<bool> attempt(bringingLinkBack_, true);
        restart = baseStation_->bs_OpenCommunication(true);
    }
    // The link is back; a game the director had stopped stays stopped. The reset is over: a
    // later one restarts only the game that runs when it begins.
    const bool restartGame = restart && resetOfRunningGame_;
    resetOfRunningGame_ = false;
    if (restartGame) {
        gameModeByTimer_ = true;
        command(GameCommand::Start);
        gameModeByTimer_ = false;
    }
    desktop_.hideGridMessage();
    desktop_.paintNow();
}

} // namespace qzc

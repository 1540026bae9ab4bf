// The game state of the main window: game start and stop, the base-station link, the
// automatic link reset and the periodic game-data analysis.
#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/ScoreDb.h"
#include "desktop/PlayGrid.h"
#include "desktop/frmdesktop.h"
#include "dialogs/frmMovement.h"
#include "gamedata/GameData.h"
#include "gamedata/GameDataAnalysis.h"
#include "gamedata/NameMaintenance.h"
#include "gamedata/PlayerNames.h"
#include "platform/ProcessList.h"
#include "platform/ProgramLauncher.h"
#include "terminal/BaseStation.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace qzc {

namespace {

const QString kReconnectMessage = QStringLiteral("No response from base station. Please reconnect it.");
const QString kSleepProgram = QStringLiteral("preventsleep.exe");
constexpr qint16 kExclamationOk = 48;
constexpr int kAnalyzeEveryTicks = 60;

void setButtonColour(QPushButton* button, const QColor& colour) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colour);
    button->setPalette(palette);
    button->setAutoFillBackground(true);
}

} // namespace

bool frmdesktop::bs_OpenCommunication() {
    return baseStation_ != nullptr && baseStation_->bs_OpenCommunication(!linkIsUp());
}

void frmdesktop::mnusyscomm_start_Click() {
    if (baseStation_ == nullptr)
        return;
    for (;;) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (baseStation_->bs_OpenCommunication(true))
                return;
        }
        log_.writeLog(0, QStringLiteral("Fails to connect base station"),
                      QStringLiteral("menu - start communcation"));
        if (!messages_.showMsg(kReconnectMessage, QString(), kExclamationOk, -1))
            return;
    }
}

void frmdesktop::mnu_sys_channel_no_Click(int index) {
    if (index < 1 || index > 16)
        return;
    setChannelChecked(static_cast<qint16>(index));
    if (baseStation_ != nullptr && linkIsUp())
        baseStation_->setBaseStationChannel(static_cast<qint16>(index));
}

void frmdesktop::startTimerResetbaseStation() {
    timerResetbaseStation.start();
}

void frmdesktop::timerResetbaseStation_Timer() {
    if (baseStation_ == nullptr) {
        timerResetbaseStation.stop();
        return;
    }
    const QString source = QStringLiteral("timerResetbaseStation");
    // Milliseconds in 32 bits; the wait is bounded by the link settings (at most 300 s).
    const qint32 interval = timerResetbaseStation.interval();
    const qint32 wait = baseStation_->settings().resetWaitMs();
    resetElapsedMs += interval;

    if (resetElapsedMs == interval) {
        showGridMessage(QStringLiteral("  Resetting communication, please wait.  "));
        repaint();
        if (linkIsUp())
            baseStation_->bs_OpenCommunication(false);
        log_.writeLog(0, QStringLiteral("Stop game by timer"), source);
        mnu_game_mode_Click(2);
    }
    if (resetElapsedMs == wait + interval || resetElapsedMs == 2 * wait + interval) {
        if (!linkIsUp()) {
            log_.writeLog(0, QStringLiteral("Start game by timer"), source);
            baseStation_->bs_OpenCommunication(true);
        }
        if (linkIsUp()) {
            log_.writeLog(0, QStringLiteral("Start game by timer: succeed"), source);
            resetRestartOk = true;
        }
    }
    if (resetElapsedMs <= 2 * wait + interval && !resetRestartOk)
        return;

    timerResetbaseStation.stop();
    resetElapsedMs = 0;
    bool restart = resetRestartOk;
    resetRestartOk = false;
    while (!restart) {
        log_.writeLog(0, QStringLiteral("Fails to reset the communication automatically"), source);
        if (!messages_.showMsg(kReconnectMessage, QString(), kExclamationOk, -1))
            break;
        restart = baseStation_->bs_OpenCommunication(true);
    }
    if (restart) {
        gameModeByTimer_ = true;
        mnu_game_mode_Click(0);
        gameModeByTimer_ = false;
    }
    hideGridMessage();
    repaint();
}

void frmdesktop::timerAnalyzeGameDB_Timer() {
    if (++analyzeTickCount != kAnalyzeEveryTicks)
        return;
    analyzeTickCount = 0;
    if (analysis_ != nullptr)
        guarded(QStringLiteral("timerAnalyzeGameDB"), [this] { analysis_->AnalyzeGameDB(); });
}

void frmdesktop::mnu_game_mode_Click(int index) {
    if (index < 0 || index >= static_cast<int>(mnu_game_mode.size()))
        return;
    for (int i = 0; i < static_cast<int>(mnu_game_mode.size()); ++i) {
        if (i != index)
            mnu_game_mode[static_cast<std::size_t>(i)]->setChecked(false);
    }
    if (index == 2) {
        if (gameMode_ != 0) {
            log_.writeLog(0, QStringLiteral("Stop game."));
            gameMode_ = 0;
        }
        showGameState();
        timerAnalyzeGameDB.stop();
    } else if (index == 1) {
        gameMode_ = 2;
    } else {
        log_.writeLog(0, QStringLiteral("Start game."));
        setBusy(true);
        names_.loadPlayerNameList();
        Setup_memoryPlayerName();
        // Not while the automatic reset restarts the game.
        if (!gameModeByTimer_)
            NameMaintenance(names_, db_, log_, event_, config_).updatePlayerNames();
        setBusy(false);
        if (!ensureBoardCounts()) {
            // The director gave no board counts: nothing starts and nothing is ticked.
            mnu_game_mode[0]->setChecked(false);
            return;
        }
        startGame();
    }
    mnu_game_mode[static_cast<std::size_t>(index)]->setChecked(true);
}

bool frmdesktop::ensureBoardCounts() {
    if (event_.boardsPerRound != 0 && event_.totalBoards != 0)
        return true;
    qint16 rows = 0;
    db_.getDBValue(QStringLiteral("SELECT COUNT([Table]) as cnt FROM [RoundData]"), QStringLiteral("cnt"),
                   rows);
    if (rows != 0)
        return true;
    frmMovement(event_.boardsPerRound, event_.totalBoards, messages_, this).exec();
    if (event_.boardsPerRound == 0 || event_.totalBoards == 0)
        return false;
    saveBoardCounts();
    return true;
}

void frmdesktop::saveBoardCounts() {
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
    if (!db_.execSQL(sql, QStringLiteral("Menu - game mode")))
        return;
    log_.writeLog(0, QStringLiteral("Total boards and board per round is set: ") + perRound +
                         QLatin1Char(',') + total);
    settings_.setGameSetting(QStringLiteral("custom_qz_roundboard"), perRound);
    settings_.setGameSetting(QStringLiteral("custom_qz_totalboard"), total);
    const double edge = static_cast<double>(event_.totalBoards) / event_.boardsPerRound;
    db_.execSQL(QStringLiteral("UPDATE Section SET custom_qz_StanazEdgeGameRound=") + QString::number(edge),
                QStringLiteral("Start game"));
    gameData_.loadsectiondata();
}

void frmdesktop::selectFirst(QComboBox* box, void (frmdesktop::*handler)()) {
    if (box->count() == 0)
        return;
    if (box->currentIndex() == 0)
        (this->*handler)();
    else
        box->setCurrentIndex(0);
}

void frmdesktop::startGame() {
    setBusy(true);
    if (analysis_ != nullptr)
        analysis_->AnalyzeGameDB();
    gameData_.preloadMovementMessage();
    if (!gameModeByTimer_) {
        selectFirst(cboSection, &frmdesktop::cboSection_Click);
        selectFirst(cboView, &frmdesktop::cboView_Click);
    }
    if (!linkIsUp())
        mnusyscomm_start_Click();
    if (linkIsUp() && baseStation_ != nullptr) {
        baseStation_->resetIdleTimes();
        gameMode_ = 1;
        showGameState();
        startSleepPrevention();
        timerAnalyzeGameDB.start();
    } else {
        log_.writeLog(0, QStringLiteral("Fail to start game."));
    }
    setBusy(false);
}

void frmdesktop::startSleepPrevention() {
    const QString program = config_.appFolder + kSleepProgram;
    if (!QFileInfo::exists(program) || processes_.IsProcessRunning(kSleepProgram))
        return;
    QString error;
    if (launcher_.start(program, {}, config_.appFolder, &error))
        log_.writeLog(0, QStringLiteral("Execute command: ") + program);
    else
        log_.writeLog(0, error, QStringLiteral("Start game"), true);
}

void frmdesktop::cmdGame_Click() {
    Close_PopUp();
    mnu_game_mode_Click(cmdGame->text().toUpper().contains(QStringLiteral("STOP")) ? 2 : 0);
}

void frmdesktop::showGameState() {
    const bool running = gameMode_ == 1;
    cmdGame->setText(running ? QStringLiteral("Stop (F4)") : QStringLiteral("Start (F2)"));
    setButtonColour(cmdGame, running ? QColor(255, 0, 0) : QColor(0, 255, 0));
}

void frmdesktop::Setup_memoryPlayerName() {
    names_.Setup_memoryPlayerName();
}

} // namespace qzc

#pragma once

#include "terminal/DesktopHost.h"
#include "terminal/DispatcherHost.h"

#include <QMainWindow>
#include <QTimer>
#include <array>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace qzc {

class BaseStation;
class GameData;
class Log;
class MessageBox;

/// The tournament director's main window: the section chooser, the base-station status,
/// the game start and stop and the menus. It owns the game state that the link and the
/// dispatcher read.
class frmdesktop final : public QMainWindow, public DesktopHost, public DispatcherHost {
    Q_OBJECT
public:
    frmdesktop(Log& log, MessageBox& messages);
    ~frmdesktop() override;

    /// The link this window starts and stops; set once, before Form_Load.
    void attachBaseStation(BaseStation& baseStation) { baseStation_ = &baseStation; }
    /// The game data whose movement blocks a game start prepares; set once, before Form_Load.
    void attachGameData(GameData& gameData) { gameData_ = &gameData; }

    /// The load step: caption and ticked menu items. channel is the radio channel in use.
    void Form_Load(const QString& eventFileName, qint16 channel);

    /// Brings the link up: two attempts, then asks the director to reconnect the base
    /// station and tries again for as long as the director answers OK.
    void mnusyscomm_start_Click();

    /// The game-mode command: 0 start, 1 pause, 2 stop.
    void mnu_game_mode_Click(int index);
    /// The start/stop button: stops a running game, else starts one.
    void cmdGame_Click();

    // DesktopHost and DispatcherHost
    qint16 gameMode() const override { return gameMode_; }
    void startTimerResetbaseStation() override;
    qint16 firstCheckedChannel() const override;
    void setChannelChecked(qint16 channel) override;
    bool antiChecksum() const override { return false; }
    void showLinkStatus(bool up) override;
    void setBusy(bool busy) override;

    // DispatcherHost
    bool isDesktopLoaded() const override { return true; }
    /// No table grid is drawn yet: the refresh is recorded (tableStatusRefreshDue) for the
    /// grid to do on its next drawing.
    void RefreshTableStatus() override { tableStatusRefreshDue_ = true; }
    /// The play grid's refresh tokens; kept here until the grid works them off.
    QString gridPlayTag() const override { return gridPlayTag_; }
    void setGridPlayTag(const QString& tag) override { gridPlayTag_ = tag; }
    bool isAnalyzeTimerEnabled() const override { return timerAnalyzeGameDB.isActive(); }
    void restartAnalyzeTimer(int intervalMs) override;
    std::optional<qint16> selectedSectionId() const override;
    bool isUpdateMoveVisible() const override;
    void setUpdateMoveVisible(bool visible) override;
    void setForcedStartEnabled(bool enabled) override;
    void showNotice(const QString& caption, const QString& text) override;
    void letEventsRun() override;

    bool tableStatusRefreshDue() const { return tableStatusRefreshDue_; }

    /// The status box reads "OK" while the link is up.
    bool linkIsUp() const;

    /// Brings the window to the front (a second start of the program asks for it).
    void bringToFront();

private:
    void buildMenus();
    void mnu_sys_channel_no_Click(int index);
    void mnusyscomm_start_Toggle();
    /// One tick of the automatic base-station reset: take the link down, try to bring it
    /// back after the reset wait (twice), then restart the game or ask the director.
    void timerResetbaseStation_Timer();
    void showGameState();

    Log& log_;
    MessageBox& messages_;
    BaseStation* baseStation_ = nullptr;
    GameData* gameData_ = nullptr;
    qint16 gameMode_ = 0;
    bool gameModeByTimer_ = false;
    qint32 resetElapsedMs_ = 0;
    bool resetRestartOk_ = false;
    int busyDepth_ = 0;
    QString gridPlayTag_;
    bool tableStatusRefreshDue_ = false;

    QComboBox* cboSection = nullptr;
    QLineEdit* txtbaseStationStatus = nullptr;
    QPushButton* cmdGame = nullptr;
    QPushButton* cmdUpdateMove = nullptr;
    QAction* mnusyscomm_start = nullptr;
    QAction* mnu_sys_forcedstart = nullptr;
    std::array<QAction*, 3> mnu_game_mode{};
    std::array<QAction*, 17> mnu_sys_channel_no{};
    QActionGroup* channelGroup_ = nullptr;
    QTimer timerResetbaseStation;
    QTimer timerAnalyzeGameDB;
};

} // namespace qzc

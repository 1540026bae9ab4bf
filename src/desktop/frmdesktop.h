#pragma once

#include "terminal/DesktopHost.h"

#include <QMainWindow>
#include <QTimer>
#include <array>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;

namespace qzc {

class BaseStation;
class Log;
class MessageBox;

/// The tournament director's main window: the section chooser, the base-station status
/// and the menus. It owns the game state that the link and the dispatcher read.
class frmdesktop final : public QMainWindow, public DesktopHost {
    Q_OBJECT
public:
    frmdesktop(Log& log, MessageBox& messages);
    ~frmdesktop() override;

    /// The link this window starts and stops; set once, before Form_Load.
    void attachBaseStation(BaseStation& baseStation) { baseStation_ = &baseStation; }

    /// The load step: caption and ticked menu items. channel is the radio channel in use.
    void Form_Load(const QString& eventFileName, qint16 channel);

    /// Brings the link up: two attempts, then asks the director to reconnect the base
    /// station and tries again for as long as the director answers OK.
    void mnusyscomm_start_Click();

    // DesktopHost
    qint16 gameMode() const override { return gameMode_; }
    void startTimerResetbaseStation() override;
    qint16 firstCheckedChannel() const override;
    void setChannelChecked(qint16 channel) override;
    bool antiChecksum() const override { return false; }
    void showLinkStatus(bool up) override;
    void setBusy(bool busy) override;

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
    /// Sets the game state: 0 running, 2 stopped (the items of the game menu).
    void mnu_game_mode_Click(int index);

    Log& log_;
    MessageBox& messages_;
    BaseStation* baseStation_ = nullptr;
    qint16 gameMode_ = 0;
    bool gameModeByTimer_ = false;
    qint32 resetElapsedMs_ = 0;
    bool resetRestartOk_ = false;
    int busyDepth_ = 0;

    QComboBox* cboSection = nullptr;
    QLineEdit* txtbaseStationStatus = nullptr;
    QAction* mnusyscomm_start = nullptr;
    std::array<QAction*, 17> mnu_sys_channel_no{};
    QActionGroup* channelGroup_ = nullptr;
    QTimer timerResetbaseStation;
};

} // namespace qzc

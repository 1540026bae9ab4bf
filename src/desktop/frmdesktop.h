#pragma once

#include "desktop/PlayGridHost.h"
#include "gamedata/AnalysisHost.h"
#include "terminal/DesktopHost.h"
#include "terminal/DispatcherHost.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace qzc {

class BaseStation;
class Config;
class EventPublisher;
class GameData;
class GameDataAnalysis;
class GameSettings;
class Help;
class Log;
class MessageBox;
class PlayGrid;
class PlayerNames;
class ProcessList;
class ProgramLauncher;
class ScoreDb;
class SettingsDialogHost;
class frmSettings;
class frmUFRDialog;
struct EventInfo;

/// What the main window works with; every object outlives the window.
struct DesktopServices {
    Config& config;
    Log& log;
    ScoreDb& db;
    GameSettings& settings;
    EventInfo& event;
    GameData& gameData;
    PlayerNames& names;
    MessageBox& messages;
    Help* help;
    ProcessList& processes;
    ProgramLauncher& launcher;
    /// The game settings dialogs opened from the menus report to it.
    SettingsDialogHost& settingsHost;
};

/// The tournament director's main window: the section and view choosers, the base-station
/// status, the game start and stop, the pair highlighter, the play grid and the menus. It
/// owns the game state that the link and the dispatcher read.
class frmdesktop final : public QMainWindow,
                         public DesktopHost,
                         public DispatcherHost,
                         public PlayGridHost,
                         public AnalysisHost {
    Q_OBJECT
public:
    explicit frmdesktop(const DesktopServices& services);
    ~frmdesktop() override;

    /// The link this window starts and stops; set once, before Form_Load.
    void attachBaseStation(BaseStation& baseStation) { baseStation_ = &baseStation; }
    /// The game-data analysis of the game start, its timer and "Load movement".
    void attachAnalysis(GameDataAnalysis& analysis) { analysis_ = &analysis; }
    /// The web publishing of the File menu.
    void attachPublisher(EventPublisher& publisher) { publisher_ = &publisher; }

    /// The load step: menus shown and hidden, grid heading, view choice, ticked game mode
    /// and channel, caption, help topics and the deal links. channel is the radio channel.
    void Form_Load(qint16 channel);

    /// Brings the link up: two attempts, then asks the director to reconnect the base
    /// station and tries again for as long as the director answers OK.
    void mnusyscomm_start_Click();
    /// Takes the link down when it is up, else brings it up; true when done.
    bool bs_OpenCommunication();

    /// The game-mode command: 0 start, 1 pause, 2 stop.
    void mnu_game_mode_Click(int index);
    /// The start/stop button: stops a running game, else starts one.
    void cmdGame_Click();
    /// One tick of the game-data timer: the analysis runs on every 60th tick.
    void timerAnalyzeGameDB_Timer();
    /// One tick of the automatic base-station reset: take the link down, try to bring it
    /// back after the reset wait (twice), then restart the game or ask the director.
    void timerResetbaseStation_Timer();

    /// The event's game settings, modeless.
    void mnu_game_settings_Click();
    /// The default game settings of new events, modeless.
    void mnu_sys_default_Click();
    /// "Web publishing": the event result file, then the upload program.
    void mnu_makeresultfile_Click();
    /// "Refresh table" (F5): the table status, then the grid.
    void mnuplay_refresh_Click();
    /// "Load movement": the game-data analysis, which reloads sections, movement and grid.
    void mnu_sys_loadmovement_Click();
    void cmdHelp_Click();
    void mnu_help_Click();
    /// "&Quit": asks the program to run its exit path.
    void mnuexit_Click();

    PlayGrid& grid() { return *gridPlay; }
    /// The game settings dialog opened from a menu, while it exists.
    frmSettings* settingsDialog() const;

    // DesktopHost and DispatcherHost
    qint16 gameMode() const override { return gameMode_; }
    void startTimerResetbaseStation() override;
    qint16 firstCheckedChannel() const override;
    void setChannelChecked(qint16 channel) override;
    bool antiChecksum() const override { return antiChecksum_; }
    void showLinkStatus(bool up) override;
    void setBusy(bool busy) override;

    // DispatcherHost
    bool isDesktopLoaded() const override { return true; }
    void RefreshTableStatus() override;
    /// The play grid's refresh queue as text, "[" round "]" per queued round.
    QString gridPlayTag() const override;
    void setGridPlayTag(const QString& tag) override;
    bool isAnalyzeTimerEnabled() const override { return timerAnalyzeGameDB.isActive(); }
    void restartAnalyzeTimer(int intervalMs) override;
    std::optional<qint16> selectedSectionId() const override;
    bool isUpdateMoveVisible() const override;
    void setUpdateMoveVisible(bool visible) override;
    void setForcedStartEnabled(bool enabled) override;
    void showNotice(const QString& caption, const QString& text) override;
    void letEventsRun() override;

    // PlayGridHost
    std::optional<SectionListEntry> selectedSection() const override;
    std::optional<GridView> selectedView() const override;
    void fillSectionChoice(const QList<SectionListEntry>& sections) override;
    void Close_PopUp() override;
    qint16 getSectionStanzaState(qint16 sectionId) override;
    void showNextStanzaControls(bool forcedStartEnabled, bool updateMoveShown) override;
    void restartAnalysisTimer() override;
    void enablePersonalRecaps(bool enabled) override;
    void enablePickPair(bool enabled) override;
    void enableEWPair(bool enabled) override;
    void showGridMessage(const QString& caption) override;
    void hideGridMessage() override;
    void setViewCaption(const QString& caption) override;

    /// Merges the names file list into the known players and sorts them, for the terminals'
    /// name look-ups; at start-up and at every game start.
    void Setup_memoryPlayerName();

    // AnalysisHost
    void InitGrid() override;
    int cboSectionListCount() const override;
    int cboSectionListIndex() const override;
    void setCboSectionListIndex(int index) override;
    qint16 cboSectionItemData(int index) const override;
    void cboSection_Click() override;
    bool cmdUpdateMoveVisible() const override { return isUpdateMoveVisible(); }
    void setCmdUpdateMoveVisible(bool visible) override { setUpdateMoveVisible(visible); }
    bool timerAnalyzeGameDBEnabled() const override { return isAnalyzeTimerEnabled(); }
    void restartTimerAnalyzeGameDB(int intervalMs) override { restartAnalyzeTimer(intervalMs); }
    void showUFRDialog() override;

    /// The status box reads "OK" while the link is up.
    bool linkIsUp() const;

    /// Brings the window to the front (a second start of the program asks for it).
    void bringToFront();
    /// Puts the window 120 twips from the top-left corner of the screen's free area, its
    /// whole frame on the screen (the program calls it again once the window is shown and
    /// its frame is known).
    void keepOnScreen();

    /// How the window is being closed.
    static constexpr int closedByUser = 0;
    static constexpr int closedByProgram = 1;
    /// A close by the director is always cancelled: after the closing question (unless
    /// switched off) the program quits through its exit path, or goes on. Any other close
    /// goes on.
    void Form_QueryUnload(bool& cancel, int unloadMode);

signals:
    /// The director chose to quit (the exit menu, or the window's close box confirmed):
    /// the program runs its exit path.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildFileMenu();
    void buildGameMenus();
    void buildSystemMenu();
    void connectControls();
    void mnu_sys_channel_no_Click(int index);
    void showGameState();
    /// Game start: player names, board counts, analysis and movement blocks, the section
    /// and view choice, then the link; running when the link is up.
    void startGame();
    /// The board counts of an event without a movement; false when the director gave none.
    bool ensureBoardCounts();
    void saveBoardCounts();
    void startSleepPrevention();
    /// Selects the first entry of a chooser so that its handler runs exactly once.
    void selectFirst(QComboBox* box, void (frmdesktop::*handler)());
    void cboView_Click();
    /// Opens the game settings dialog in the mode set, modeless; an open one closes first.
    void showSettingsDialog();
    void closeSettingsDialog();
    /// Runs a handler, logging anything thrown beneath it as a run-time error of source.
    void guarded(const QString& source, const std::function<void()>& step);

    Config& config_;
    Log& log_;
    ScoreDb& db_;
    GameSettings& settings_;
    EventInfo& event_;
    GameData& gameData_;
    PlayerNames& names_;
    MessageBox& messages_;
    Help* help_;
    ProcessList& processes_;
    ProgramLauncher& launcher_;
    SettingsDialogHost& settingsHost_;
    BaseStation* baseStation_ = nullptr;
    GameDataAnalysis* analysis_ = nullptr;
    EventPublisher* publisher_ = nullptr;

    qint16 gameMode_ = 0;
    bool gameModeByTimer_ = false;
    int analyzeTickCount = 0;
    qint32 resetElapsedMs = 0;
    bool resetRestartOk = false;
    int busyDepth_ = 0;
    bool antiChecksum_ = false;
    QPointer<frmSettings> settingsDialog_;
    QPointer<frmUFRDialog> ufrDialog_;

    // Controls, named as in the window's design.
    QComboBox* cboSection = nullptr;
    QComboBox* cboView = nullptr;
    QLabel* labView = nullptr;
    QLineEdit* txtbaseStationStatus = nullptr;
    QGroupBox* frameBtn = nullptr;
    QPushButton* cmdGame = nullptr;
    QPushButton* cmdUpdateMove = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* txtPairNo = nullptr;
    QCheckBox* chkEWPair = nullptr;
    QPushButton* cmdPickPair = nullptr;
    QPushButton* cmdView = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdHelpResult = nullptr;
    PlayGrid* gridPlay = nullptr;
    QFrame* frameGridMsg = nullptr;
    QLabel* labGridMsg = nullptr;
    QFrame* frameProgress = nullptr;
    QLabel* labProgress = nullptr;
    QFrame* framePopUp = nullptr;
    QLabel* labShowAllDeal = nullptr;
    QLabel* labShowAllDeal2 = nullptr;
    QLabel* labClock = nullptr;

    // Menus.
    QMenu* mnumaintenance = nullptr;
    QMenu* mnu_play = nullptr;
    QAction* mnu_exportdeal = nullptr;
    QAction* mnu_handprint = nullptr;
    QAction* mnu_personal_recaps = nullptr;
    QAction* mnu_makeresultfile = nullptr;
    QAction* mnuexit = nullptr;
    QAction* mnuplay_refresh = nullptr;
    QAction* mnu_game_settings = nullptr;
    QAction* mnusyscomm_start = nullptr;
    QAction* mnu_main_showlog = nullptr;
    QAction* mnu_sys_default = nullptr;
    QAction* mnu_sys_loadmovement = nullptr;
    QAction* mnu_sys_firmware_version = nullptr;
    QAction* mnu_sys_forcedstart = nullptr;
    QAction* mnu_help = nullptr;
    std::array<QAction*, 3> mnu_game_mode{};
    std::array<QAction*, 17> mnu_sys_channel_no{};
    QActionGroup* channelGroup_ = nullptr;

    QTimer timerRefreshGrid;
    QTimer timerAnalyzeGameDB;
    QTimer timerResetbaseStation;
    QTimer timerClock;
    QTimer timerProgress;
    QTimer TimerScoreDB;
};

} // namespace qzc

#pragma once

#include "core/DesktopHost.h"
#include "desktop/PlayGridHost.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>

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
class BaseStationCommands;
class Config;
class EventPublisher;
class FrameKeeper;
class GameData;
class GameDataAnalysis;
class GameSession;
class GameSettings;
class Help;
class Log;
class LogViewerCommands;
class MessageBox;
class MovementCommands;
class PlayGrid;
class PlayerMenus;
class ReportCommands;
class ResultMenuCommands;
class ResultPopUp;
class ScoreDb;
class ShellOpener;
class SettingsDialogHost;
class frmAbout;
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
    MessageBox& messages;
    Help* help;
    /// The game settings dialogs opened from the menus report to it.
    SettingsDialogHost& settingsHost;
    /// Opens the files the menus write.
    ShellOpener& shell;
};

/// The groups of menu commands that live in classes of their own; each outlives the window's
/// use of it.
struct DesktopCommands {
    ReportCommands* reports = nullptr;
    BaseStationCommands* baseStation = nullptr;
    MovementCommands* movement = nullptr;
    LogViewerCommands* logViewer = nullptr;
    /// The player, name and PIN commands of the File and System menus.
    PlayerMenus* players = nullptr;
};

/// The tournament director's main window: the section and view choosers, the base-station
/// status, the start/stop button, the pair highlighter, the play grid and the menus. It
/// shows the game session and hands it the director's commands.
class frmdesktop final : public QMainWindow, public DesktopHost, public PlayGridHost {
    Q_OBJECT
public:
    explicit frmdesktop(const DesktopServices& services);
    ~frmdesktop() override;

    /// The game session this window shows; set once, before Form_Load.
    void attachSession(GameSession& session) { session_ = &session; }
    /// The link whose channel and test checksum the menus set; set once, before Form_Load.
    void attachBaseStation(BaseStation& baseStation) { baseStation_ = &baseStation; }
    /// The game-data analysis of "Load movement".
    void attachAnalysis(GameDataAnalysis& analysis) { analysis_ = &analysis; }
    /// The web publishing of the File menu.
    void attachPublisher(EventPublisher& publisher) { publisher_ = &publisher; }
    /// The report, base-station, new-movement, log and player commands of the menus.
    void attachCommands(const DesktopCommands& commands) { commands_ = commands; }
    const DesktopCommands& commands() const { return commands_; }

    /// The load step: menus shown and hidden, grid heading, view choice, ticked game mode
    /// and channel, caption, help topics and the deal links. channel is the radio channel.
    void Form_Load(qint16 channel);

    /// "Start base station" (a hidden item): takes the link down when it is up, else
    /// brings it up; true when done.
    bool bs_OpenCommunication();

    /// The game-mode command: 0 start, 1 pause, 2 stop.
    void mnu_game_mode_Click(int index);
    /// The start/stop button: stops a running game, else starts one.
    void cmdGame_Click();

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
    /// "About": the about box afresh, modeless.
    void mnu_sys_about_Click();
    /// The maintenance menu, shown once the log window's access code is typed.
    void showMaintenanceMenu();
    /// Whether the result pop-up is shown.
    bool popUpShown() const;
    /// Chooses the first view ("Boards") when none is chosen.
    void chooseFirstViewIfNone();
    /// "&Quit": asks the program to run its exit path.
    void mnuexit_Click();

    PlayGrid& grid() { return *gridPlay; }
    ResultPopUp& popUp() { return *framePopUp; }
    ResultMenuCommands& resultCommands() { return *resultCommands_; }
    /// "Show all deals": the event result file, then the companion scoring program.
    void showAllDeals();
    /// "Change view": the other view, or "Boards" when none is chosen.
    void cmdView_Click();
    /// The game settings dialog opened from a menu, while it exists.
    frmSettings* settingsDialog() const;

    // DesktopHost
    void showLinkStatus(bool up) override;
    qint16 firstCheckedChannel() const override;
    void setChannelChecked(qint16 channel) override;
    void showGameRunning(bool running) override;
    void showGameCommand(std::optional<GameCommand> command) override;
    void askBoardCounts(qint16& boardsPerRound, qint16& totalBoards) override;
    void showFirstSectionAndView() override;
    void showGridMessage(const QString& caption) override;
    void hideGridMessage() override;
    void paintNow() override { repaint(); }
    void showNextStanzaControls(StanzaState state) override;
    bool isDesktopLoaded() const override { return true; }
    std::optional<qint16> shownSectionId() const override;
    void refillSections() override { InitGrid(); }
    void showSection(qint16 sectionId) override;
    void RefreshTableStatus() override;
    void queueGridRefresh(qint16 round) override;
    void showNotice(const QString& caption, const QString& text) override;
    void showUFRDialog() override;

    // PlayGridHost
    std::optional<SectionListEntry> selectedSection() const override;
    std::optional<GridView> selectedView() const override;
    void fillSectionChoice(const QList<SectionListEntry>& sections) override;
    void Close_PopUp() override;
    void showStanzaState(StanzaState state, const QString& source) override;
    void enablePersonalRecaps(bool enabled) override;
    void enablePickPair(bool enabled) override;
    void enableEWPair(bool enabled) override;
    void setViewCaption(const QString& caption) override;

    /// Refills the section chooser from the sections in memory and selects its first
    /// section, which rebuilds the grid.
    void InitGrid();

    /// Brings the window to the front (a second start of the program asks for it).
    void bringToFront();

    /// How the window is being closed.
    static constexpr int closedByUser = 0;
    static constexpr int closedByProgram = 1;
    /// A close by the director is always cancelled: after the closing question (unless
    /// switched off) the program quits through its exit path, or goes on. Any other close
    /// goes on.
    void Form_QueryUnload(bool& cancel, int unloadMode);

Q_SIGNALS:
    /// The director chose to quit (the exit menu, or the window's close box confirmed):
    /// the program runs its exit path.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    /// A click on the pair box closes the result pop-up, as one on the window does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildFileMenu();
    void buildGameMenus();
    void buildSystemMenu();
    void connectControls();
    void mnu_sys_channel_no_Click(int index);
    /// Connects a menu item to a command of a command group, run when the group is attached;
    /// whatever the command throws is logged under the item's name.
    template <typename Commands>
    void connectCommand(QAction* item, Commands* DesktopCommands::*group, void (Commands::*command)());
    /// Selects the first entry of a chooser so that its handler runs exactly once.
    void selectFirst(QComboBox* box, void (frmdesktop::*handler)());
    void cboSection_Click();
    void cboView_Click();
    /// Opens the game settings dialog in the mode set, modeless; an open one closes first.
    void showSettingsDialog();
    void closeSettingsDialog();

    Config& config_;
    Log& log_;
    ScoreDb& db_;
    GameSettings& settings_;
    EventInfo& event_;
    GameData& gameData_;
    MessageBox& messages_;
    Help* help_;
    SettingsDialogHost& settingsHost_;
    GameSession* session_ = nullptr;
    BaseStation* baseStation_ = nullptr;
    GameDataAnalysis* analysis_ = nullptr;
    EventPublisher* publisher_ = nullptr;
    DesktopCommands commands_;
    ResultMenuCommands* resultCommands_ = nullptr;
    /// Keeps the window's frame on the screen, 120 twips from the corner of its free area.
    FrameKeeper* frameKeeper_ = nullptr;

    QPointer<frmSettings> settingsDialog_;
    QPointer<frmAbout> aboutDialog_;
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
    PlayGrid* gridPlay = nullptr;
    QFrame* frameGridMsg = nullptr;
    QLabel* labGridMsg = nullptr;
    QFrame* frameProgress = nullptr;
    QLabel* labProgress = nullptr;
    ResultPopUp* framePopUp = nullptr;
    QLabel* labClock = nullptr;

    // Menus.
    QMenu* mnumaintenance = nullptr;
    QMenu* mnu_play = nullptr;
    QAction* mnu_exportdeal = nullptr;
    QAction* mnu_handprint = nullptr;
    QAction* mnu_personal_recaps = nullptr;
    QAction* mnu_resultperboard = nullptr;
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
    QAction* mnu_sys_about = nullptr;
    std::array<QAction*, 3> mnu_game_mode{};
    std::array<QAction*, 17> mnu_sys_channel_no{};
    QActionGroup* channelGroup_ = nullptr;

    QTimer timerRefreshGrid;
    QTimer timerClock;
    QTimer timerProgress;
    QTimer TimerScoreDB;
};

} // namespace qzc

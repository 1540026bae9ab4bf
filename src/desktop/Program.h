#pragma once

#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Help.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/SettingsDialogHost.h"
#include "gamedata/GameData.h"
#include "gamedata/PlayerNames.h"
#include "platform/Clock.h"
#include "platform/OnlineHelpCheck.h"
#include "platform/ProcessList.h"
#include "platform/ProgramLauncher.h"
#include "platform/ShellOpener.h"

#include <QString>
#include <memory>

namespace qzc {

class BaseStation;
class BaseStationCommands;
class EventPublisher;
class GameDataAnalysis;
class GameSession;
class LogViewerCommands;
class MessageBox;
class MovementCommands;
class PlayerMenus;
class ReportCommands;
class RequestDispatcher;
class frmdesktop;

/// The platform services a program uses beyond the message box; tests pass fakes.
struct ProgramPlatform {
    ShellOpener& shell;
    OnlineHelpCheck& online;
    ProcessList& processes;
    ProgramLauncher& launcher;
};

/// Owns every object of a running program, built in start-up order: configuration, log,
/// score database, settings store, the game data, the main window, the game session, the
/// request dispatcher and the base-station link, the game-data analysis, the web
/// publishing and the main window's groups of menu commands.
class Program final : public SettingsDialogHost {
public:
    /// appFolder ends with "/"; commandLine is the program's arguments as one text. Uses
    /// the machine's desktop, network, process list and program starts.
    Program(QString appFolder, QString commandLine, Clock& clock, MessageBox& messages);
    Program(QString appFolder, QString commandLine, Clock& clock, MessageBox& messages,
            const ProgramPlatform& platform);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    /// Runs the start-up up to the running main window and the link. False when the
    /// program must end (the director has been told why, or quit at the first settings
    /// dialog of a new event).
    bool start();

    /// The exit path: no terminal request is handled from here on (the queue, the link
    /// supervision, the automatic reset and the game-data analysis stop), the results are
    /// published when automatic web publishing is set and publishing is allowed, the
    /// database is closed and "Quit program" logged, which writes the log. Runs once; later
    /// calls do nothing.
    void exitProgram(bool allowPublishing);
    /// The session ends from outside (SIGTERM, SIGHUP, the desktop's log-out): the exit path
    /// without publishing, then every event loop ends. At the first settings dialog of a
    /// new event it leaves the event new, as the dialog's Quit does.
    void endFromOutside();

    /// The start-up's game settings dialog ended the program (its Quit button).
    bool endedAtSettings() const { return endedAtSettings_; }
    /// The exit path has run.
    bool hasExited() const { return exited_; }

    frmdesktop& desktop() { return *desktop_; }
    GameSession& session() { return *session_; }
    Config& config() { return config_; }
    Log& log() { return log_; }
    ScoreDb& db() { return db_; }
    EventInfo& event() { return event_; }
    GameSettings& settings() { return settings_; }
    GameData& gameData() { return gameData_; }
    PlayerNames& names() { return names_; }
    BaseStation& baseStation() { return *baseStation_; }
    PlayerMenus& playerMenus() { return *playerMenus_; }
    Help& help() { return help_; }

    /// The program's arguments (without the program itself) as one command line: an
    /// argument holding blanks is quoted after its key, as in /f:"C:/My events/club.db".
    static QString commandLineOf(const QStringList& arguments);

    // SettingsDialogHost
    void RefreshTableStatus() override;
    void gameSettingsSaved() override;
    void showHelp(qint16 topic) override;
    void endProgram() override { endedAtSettings_ = true; }

private:
    /// The game settings dialog of the start, modal; unless switched off (HideGSWindow).
    void showStartupSettings();
    /// The main window's groups of menu commands, attached to it.
    void attachCommands();
    /// Ends every event loop, the program's own last.
    static void exitEventLoops();
    /// names.txt of the program folder into the names file list, with a notice on
    /// the grid; unless switched off.
    void importNamesFile();

    struct OwnPlatform;
    Program(QString appFolder, QString commandLine, Clock& clock, MessageBox& messages,
            std::unique_ptr<OwnPlatform> own);

    std::unique_ptr<OwnPlatform> ownPlatform_;
    ProgramPlatform platform_;
    Clock& clock_;
    MessageBox& messages_;
    QString commandLine_;
    Config config_;
    Log log_;
    Help help_;
    ScoreDb db_;
    GameSettings settings_;
    EventInfo event_;
    GameData gameData_;
    PlayerNames names_;
    std::unique_ptr<frmdesktop> desktop_;
    std::unique_ptr<GameSession> session_;
    std::unique_ptr<RequestDispatcher> dispatcher_;
    std::unique_ptr<BaseStation> baseStation_;
    std::unique_ptr<GameDataAnalysis> analysis_;
    std::unique_ptr<EventPublisher> publisher_;
    std::unique_ptr<PlayerMenus> playerMenus_;
    std::unique_ptr<ReportCommands> reportCommands_;
    std::unique_ptr<BaseStationCommands> stationCommands_;
    std::unique_ptr<MovementCommands> movementCommands_;
    std::unique_ptr<LogViewerCommands> logViewerCommands_;
    bool endedAtSettings_ = false;
    /// The game settings dialog of a new event's first start is open.
    bool atNewEventSettings_ = false;
    bool exited_ = false;
};

} // namespace qzc

#pragma once

#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "gamedata/GameData.h"
#include "platform/Clock.h"

#include <QString>
#include <memory>

namespace qzc {

class BaseStation;
class MessageBox;
class RequestDispatcher;
class frmdesktop;

/// Owns every object of a running program, built in start-up order: configuration, log,
/// score database, settings store, the game data, the main window, the request dispatcher
/// and the base-station link.
class Program {
public:
    /// appFolder ends with "/"; commandLine is the program's arguments as one text.
    Program(QString appFolder, QString commandLine, Clock& clock, MessageBox& messages);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    /// Runs the start-up up to the running main window. False when the program must end
    /// (the director has been told why and the log holds the reasons).
    bool start();

    /// The exit path: drops the queue, closes the database and logs "Quit program", which
    /// writes the log.
    void exitProgram();

    frmdesktop& desktop() { return *desktop_; }
    Config& config() { return config_; }
    Log& log() { return log_; }
    EventInfo& event() { return event_; }
    GameData& gameData() { return gameData_; }
    BaseStation& baseStation() { return *baseStation_; }

    /// The program's arguments (without the program itself) as one command line: an
    /// argument holding blanks is quoted after its key, as in /f:"C:/My events/club.db".
    static QString commandLineOf(const QStringList& arguments);

private:
    Clock& clock_;
    MessageBox& messages_;
    QString commandLine_;
    Config config_;
    Log log_;
    ScoreDb db_;
    GameSettings settings_;
    EventInfo event_;
    GameData gameData_;
    std::unique_ptr<frmdesktop> desktop_;
    std::unique_ptr<RequestDispatcher> dispatcher_;
    std::unique_ptr<BaseStation> baseStation_;
    bool exited_ = false;
};

} // namespace qzc

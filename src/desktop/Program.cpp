#include "desktop/Program.h"

#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/StanzaReset.h"
#include "core/StartupSequence.h"
#include "core/TextFile.h"
#include "desktop/BaseStationCommands.h"
#include "desktop/LogViewerCommands.h"
#include "desktop/MovementCommands.h"
#include "desktop/PlayGrid.h"
#include "desktop/PlayerMenus.h"
#include "desktop/ReportCommands.h"
#include "desktop/frmdesktop.h"
#include "dialogs/HelpButton.h"
#include "dialogs/frmSettings.h"
#include "gamedata/GameDataAnalysis.h"
#include "platform/BusyPointer.h"
#include "platform/RegistryKey.h"
#include "platform/ShellFolders.h"
#include "reports/EventPublisher.h"
#include "session/GameSession.h"
#include "terminal/BaseStation.h"
#include "terminal/RequestDispatcher.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace qzc {

struct Program::OwnPlatform {
    DesktopShellOpener shell;
    NetworkHelpCheck online;
    ProcProcessList processes;
    DetachedProgramLauncher launcher;
};

Program::Program(QString appFolder, QString commandLine, Clock& clock, MessageBox& messages)
    : Program(std::move(appFolder), std::move(commandLine), clock, messages,
              std::make_unique<OwnPlatform>()) {}

Program::Program(QString appFolder, QString commandLine, Clock& clock, MessageBox& messages,
                 std::unique_ptr<OwnPlatform> own)
    : Program(std::move(appFolder), std::move(commandLine), clock, messages,
              ProgramPlatform{own->shell, own->online, own->processes, own->launcher}) {
    ownPlatform_ = std::move(own);
}

Program::Program(QString appFolder, QString commandLine, Clock& clock, MessageBox& messages,
                 const ProgramPlatform& platform)
    : platform_(platform), clock_(clock), messages_(messages), commandLine_(std::move(commandLine)),
      config_(std::move(appFolder)), log_(clock),
      help_(config_, platform_.shell, platform_.online, log_, messages_), db_(log_, clock), settings_(log_),
      gameData_(db_, log_, settings_, event_, clock), names_(db_, log_, event_, config_, clock_) {}

Program::~Program() {
    exitProgram(false);
    // The window goes before the objects that report to it.
    reportCommands_.reset();
    stationCommands_.reset();
    movementCommands_.reset();
    logViewerCommands_.reset();
    analysis_.reset();
    publisher_.reset();
    playerMenus_.reset();
    desktop_.reset();
}

QString Program::commandLineOf(const QStringList& arguments) {
    static const QRegularExpression keyed(QStringLiteral("^(/[A-Za-z]+:)(.*)$"));
    QStringList parts;
    for (const QString& argument : arguments) {
        if (!argument.contains(QLatin1Char(' '))) {
            parts << argument;
            continue;
        }
        const QRegularExpressionMatch match = keyed.match(argument);
        parts << (match.hasMatch()
                      ? match.captured(1) + QLatin1Char('"') + match.captured(2) + QLatin1Char('"')
                      : QLatin1Char('"') + argument + QLatin1Char('"'));
    }
    return parts.join(QLatin1Char(' '));
}

bool Program::start() {
    // Configuration: command line, ini file, registry.
    config_.readStartupSettings(commandLine_, RegistryKey());
    log_.setBufferLimit(config_.logBufferLimit);
    log_.setMirroring(config_.logWindowMirroring);

    // The score database, checked and integrated, and the game settings.
    StartupSequence sequence(config_, log_, db_, settings_, messages_, event_, commandLine_);
    if (!sequence.run())
        return false;

    // The main window, the game session it shows, the dispatcher that answers the
    // terminals, the base-station link with its queue and timers, the game-data analysis
    // and the web publishing.
    const DesktopServices services{config_,   log_,      db_,    settings_, event_,
                                   gameData_, messages_, &help_, *this,     platform_.shell};
    desktop_ = std::make_unique<frmdesktop>(services);
    const GameSession::Services sessionServices{
        config_,   log_,   db_,       settings_,           event_,
        gameData_, names_, messages_, platform_.processes, platform_.launcher};
    session_ = std::make_unique<GameSession>(sessionServices, *desktop_);
    dispatcher_ = std::make_unique<RequestDispatcher>(log_, db_, settings_, event_, config_, clock_,
                                                      gameData_, names_, *desktop_, *session_);
    baseStation_ = std::make_unique<BaseStation>(config_, log_, clock_, *desktop_, *session_, *dispatcher_);
    dispatcher_->attachSender(*baseStation_);
    analysis_ = std::make_unique<GameDataAnalysis>(gameData_, names_, db_, log_, event_, messages_, *desktop_,
                                                   *session_);
    publisher_ = std::make_unique<EventPublisher>(db_, settings_, log_, messages_, platform_.launcher,
                                                  gameData_, event_, config_);
    playerMenus_ = std::make_unique<PlayerMenus>(
        PlayerMenus::Services{{db_, log_, clock_, config_, settings_, event_, gameData_, names_,
                               platform_.shell, messages_, *desktop_},
                              config_,
                              &help_},
        desktop_.get());
    session_->attachBaseStation(*baseStation_);
    session_->attachAnalysis(*analysis_);
    desktop_->attachSession(*session_);
    desktop_->attachBaseStation(*baseStation_);
    desktop_->attachAnalysis(*analysis_);
    desktop_->attachPublisher(*publisher_);
    attachCommands();
    QObject::connect(desktop_.get(), &frmdesktop::quitRequested, desktop_.get(), [this] {
        exitProgram(true);
        exitEventLoops();
    });
    baseStation_->initQueueSize();
    baseStation_->LoadPortSettings();
    baseStation_->startTimers();

    // The main window.
    desktop_->Form_Load(baseStation_->settings().Channel);
    if (!config_.minimiseArg.isEmpty())
        desktop_->setWindowState(Qt::WindowMinimized);
    // Its frame goes on the screen, title bar included, once it is known.
    desktop_->show();

    // The user's desktop folder, ending with "/" (empty when there is none).
    QString desktopFolder = GetSpecialFolder(desktopDirectoryFolderId).trimmed().remove(QChar(0));
    if (!desktopFolder.isEmpty() && !desktopFolder.endsWith(QLatin1Char('/')))
        desktopFolder += QLatin1Char('/');
    config_.desktopFolder = desktopFolder;

    // The settings dialog; its Quit on a new event ends the program here.
    showStartupSettings();
    if (endedAtSettings_ || exited_)
        return false;
    // From here on the event has a log file, so a crash cannot make it look new, and no line
    // waits in memory for more than a second.
    log_.flush();
    log_.startTimedWrites();

    // A new event starts with one stanza per section.
    if (event_.isNewEvent)
        resetEventStanzas(db_, log_);

    // The game data in memory with the names file, then its analysis.
    const BusyPointer busy;
    gameData_.loadsectiondata();
    gameData_.loadrounddata();
    names_.loadPlayerNameList();
    names_.sortPlayerNameList();
    importNamesFile();
    analysis_->AnalyzeGameDB();
    // The session may have ended while the analysis asked a question.
    if (exited_)
        return false;
    // The terminals' movement blocks, ready before the first terminal asks.
    gameData_.preloadMovementMessage();

    // The grid and the name memory, then the link.
    desktop_->InitGrid();
    names_.Setup_memoryPlayerName();
    desktop_->repaint();
    session_->startLink();
    // The session may have ended while a question was open.
    return !exited_;
}

void Program::attachCommands() {
    reportCommands_ = std::make_unique<ReportCommands>(
        ReportCommands::Services{config_, log_, event_, db_, settings_, gameData_, messages_, platform_.shell,
                                 platform_.launcher, *publisher_, baseStation_->settings()},
        *desktop_);
    stationCommands_ = std::make_unique<BaseStationCommands>(BaseStationCommands::Services{
        config_, log_, messages_, platform_.launcher, *session_, *baseStation_});
    movementCommands_ = std::make_unique<MovementCommands>(
        MovementCommands::Services{db_, log_, gameData_, *session_, messages_}, *desktop_);
    logViewerCommands_ =
        std::make_unique<LogViewerCommands>(LogViewerCommands::Services{log_, event_, settings_}, *desktop_);
    desktop_->attachCommands({reportCommands_.get(), stationCommands_.get(), movementCommands_.get(),
                              logViewerCommands_.get(), playerMenus_.get()});
}

void Program::importNamesFile() {
    const QString namesFile = config_.appFolder + PlayerNames::namesFileName;
    if (!config_.namesImportAtStart || !FileExists(namesFile))
        return;
    const QString caption = QStringLiteral("Loading names from file......");
    desktop_->showGridMessage(caption);
    desktop_->repaint();
    clock_.sleepMs(1000);
    const BusyPointer busy;
    names_.importPlayerNames(namesFile, false, false, platform_.shell);
    desktop_->showGridMessage(caption + QString::number(names_.fileNameList().size()));
    desktop_->repaint();
    clock_.sleepMs(2000);
    desktop_->hideGridMessage();
}

void Program::showStartupSettings() {
    if (config_.HideGSWindow)
        return;
    event_.settingsDialogMode = QStringLiteral("Game Settings");
    const GameSettingsEditor::Services services{settings_, db_, config_, log_, messages_, event_, *this};
    frmSettings dialog(services, desktop_.get());
    if (event_.isNewEvent)
        dialog.offerQuitInsteadOfCancel();
    atNewEventSettings_ = event_.isNewEvent;
    dialog.exec();
    atNewEventSettings_ = false;
    QCoreApplication::processEvents();
}

void Program::exitProgram(bool allowPublishing) {
    if (exited_ || !db_.isOpen())
        return;
    exited_ = true;
    // No terminal request is handled again, and nothing brings the link or the game back
    // while the results are published.
    if (session_ != nullptr)
        session_->endSession();
    if (baseStation_ != nullptr)
        baseStation_->stopHandlingRequests();
    if (allowPublishing && publisher_ != nullptr &&
        StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_autowebpublish"))) == 1)
        publisher_->mnu_makeresultfile_Click();
    // From here on no box waits for the director, and no command goes on after one.
    messages_.endBoxes();
    db_.closeDatabase();
    log_.writeLog(0, QStringLiteral("Quit program"));
    // Ended before a new event's settings were saved: as the dialog's Quit leaves it, the
    // event stays new, so that the next start stores its default settings.
    if (atNewEventSettings_)
        log_.discardFile();
}

void Program::endFromOutside() {
    // Also while the director's Quit publishes: its box closes, and publishing goes no further.
    messages_.endBoxes();
    exitProgram(false);
    exitEventLoops();
}

void Program::exitEventLoops() {
    // exit, not quit: quit first asks every window to close, and the main window refuses.
    QCoreApplication::exit(0);
}

void Program::RefreshTableStatus() {
    if (desktop_ != nullptr)
        desktop_->RefreshTableStatus();
}

void Program::gameSettingsSaved() {
    analysis_->followSavedSettings();
}

void Program::showHelp(qint16 topic) {
    openHelpTopic(&help_, topic);
}

} // namespace qzc

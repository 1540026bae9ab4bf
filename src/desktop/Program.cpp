#include "desktop/Program.h"

#include "core/StanzaReset.h"
#include "core/StartupSequence.h"
#include "desktop/frmdesktop.h"
#include "platform/RegistryKey.h"
#include "platform/SpecialFolder.h"
#include "terminal/BaseStation.h"
#include "terminal/RequestDispatcher.h"

#include <QRegularExpression>

namespace qzc {

Program::Program(QString appFolder, QString commandLine, Clock& clock, MessageBox& messages)
    : clock_(clock), messages_(messages), commandLine_(std::move(commandLine)), config_(std::move(appFolder)),
      log_(clock), db_(log_, clock), settings_(log_), gameData_(db_, log_, settings_, event_, clock) {}

Program::~Program() {
    exitProgram();
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

    // Score database and game settings.
    StartupSequence sequence(config_, log_, db_, settings_, messages_, event_, commandLine_);
    if (!sequence.run())
        return false;

    // The base-station link with its queue and timers, and the dispatcher that answers the
    // terminals; the main window is the host of both.
    desktop_ = std::make_unique<frmdesktop>(log_, messages_);
    dispatcher_ = std::make_unique<RequestDispatcher>(log_, db_, settings_, event_, config_, clock_,
                                                      gameData_, *desktop_);
    baseStation_ = std::make_unique<BaseStation>(config_, log_, clock_, *desktop_, *dispatcher_);
    dispatcher_->attachSender(*baseStation_);
    desktop_->attachBaseStation(*baseStation_);
    desktop_->attachGameData(gameData_);
    baseStation_->initQueueSize();
    baseStation_->LoadPortSettings();
    baseStation_->startTimers();

    // The main window.
    desktop_->Form_Load(event_.eventFileName, baseStation_->settings().Channel);
    if (!config_.minimiseArg.isEmpty())
        desktop_->setWindowState(Qt::WindowMinimized);
    desktop_->show();

    QString desktopFolder = GetSpecialFolder(desktopDirectoryFolderId).trimmed().remove(QChar(0));
    if (!desktopFolder.isEmpty() && !desktopFolder.endsWith(QLatin1Char('/')))
        desktopFolder += QLatin1Char('/');
    config_.desktopFolder = desktopFolder;

    // A new event starts with one stanza per section; then the game data in memory, ready
    // before the first terminal asks.
    if (event_.isNewEvent)
        resetEventStanzas(db_, log_);
    gameData_.loadsectiondata();
    gameData_.loadrounddata();
    gameData_.preloadMovementMessage();

    desktop_->mnusyscomm_start_Click();
    return true;
}

void Program::exitProgram() {
    if (exited_ || !db_.isOpen())
        return;
    exited_ = true;
    if (baseStation_ != nullptr)
        baseStation_->processQueue().stopProcess();
    db_.closeDatabase();
    log_.writeLog(0, QStringLiteral("Quit program"));
}

} // namespace qzc

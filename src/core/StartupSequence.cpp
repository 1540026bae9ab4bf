#include "core/StartupSequence.h"

#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/ScoreDb.h"
#include "core/ScoreDbStartup.h"

namespace qzc {

namespace {

constexpr qint16 kWarningOkStyle = 49;
constexpr qint16 kAboutHelpTopic = 26;

} // namespace

bool StartupSequence::run() {
    db_.setRetry(config_.databaseRetry);
    ScoreDbStartup startup(config_, log_, db_, messages_, event_, commandLine_);
    if (!startup.DB_Initialize()) {
        QString text = failureMessage;
        if (!startup.failureReason().isEmpty())
            text += QStringLiteral("\r\n") + startup.failureReason();
        // A start that could not use the database must not make the event look opened:
        // a log file it created goes again, so the next start is still a new event with
        // the default settings. An existing log file gets the reasons before the director
        // is asked anything.
        const bool createdLogFile = event_.isNewEvent;
        if (createdLogFile)
            log_.discardFile();
        else
            log_.flush();
        messages_.showMsg(text, QString(), kWarningOkStyle, kAboutHelpTopic);
        db_.closeDatabase();
        if (!createdLogFile)
            log_.flush();
        return false;
    }
    loadGameSettings();
    event_.settingsDialogMode = QStringLiteral("Game Settings");
    restoreBoardCounts();
    return true;
}

void StartupSequence::loadGameSettings() {
    settings_.setup_SettingsStructure2();
    settings_.loadDefaultGameSettings(config_);
    settings_.loadSettings(db_, true, event_.tablePresent);
    log_.writeLog(0, QStringLiteral("Load settings from score database"));
    if (event_.isNewEvent) {
        settings_.copyDefaultGameSettings();
        log_.writeLog(0, QStringLiteral("Game first open: load default game settings"));
    }
    // So on a new event: the own row, the defaults over it, then the scoring program's row.
    settings_.loadSettings(db_, false, event_.tablePresent);
    if (event_.isNewEvent) {
        if (StrToInt(config_.readDefault(QStringLiteral("ScoringOverrideDefault"))) > 0)
            settings_.overrideSettingsByScoringProgram();
        // Without the settings dialog nobody would store the settings now in force, and
        // the next start would run with other ones.
        if (config_.HideGSWindow)
            settings_.storeGameSettings(db_);
    }
}

void StartupSequence::restoreBoardCounts() {
    event_.boardsPerRound = 0;
    event_.totalBoards = 0;
    db_.getDBValue(QStringLiteral("SELECT custom_qz_roundboard FROM custom_qz_Settings"),
                   QStringLiteral("custom_qz_roundboard"), event_.boardsPerRound);
    db_.getDBValue(QStringLiteral("SELECT custom_qz_totalboard FROM custom_qz_Settings"),
                   QStringLiteral("custom_qz_totalboard"), event_.totalBoards);
}

} // namespace qzc

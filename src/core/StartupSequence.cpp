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
    settings_.loadStoredSettings(db_, event_.tablePresent);
    log_.writeLog(0, QStringLiteral("Load settings from score database"));
    if (!event_.isNewEvent)
        return;

    // A first opening: the defaults for new events, then the scoring program's settings
    // where they override them. The copy empties the scoring program's entries too.
    settings_.copyDefaultGameSettings();
    log_.writeLog(0, QStringLiteral("Game first open: load default game settings"));
    settings_.loadSettings(db_, false, event_.tablePresent);
    if (StrToInt(config_.readDefault(QStringLiteral("ScoringOverrideDefault"))) > 0)
        settings_.overrideSettingsByScoringProgram();
    // Without the settings dialog nobody would store them, and the next start would run
    // with other ones. They are put in force as the stored row gives them (the row may ask
    // for what this database cannot record), so that a reload or a restart changes nothing.
    if (config_.HideGSWindow) {
        settings_.storeGameSettings(db_);
        settings_.loadStoredSettings(db_, event_.tablePresent);
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

#pragma once

#include "core/GameSettings.h"
#include "core/SettingsControls.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace qzc {

class Config;
class Log;
class MessageBox;
class ScoreDb;
class SettingsDialogHost;
struct EventInfo;

/// The game settings dialog without its window: loads the controls from the settings
/// store, keeps the rules between them, locks what a started game must keep, and saves
/// the 27 settings to the ini file's defaults section (default mode) or to the event's
/// custom_qz_Settings row (game mode).
///
/// The window shows controls() and reports the director's changes into it before calling
/// a rule or an action. The actions answer whether the dialog may close.
class GameSettingsEditor {
public:
    struct Services {
        GameSettings& settings;
        ScoreDb& db;
        Config& config;
        Log& log;
        MessageBox& messages;
        EventInfo& event;
        SettingsDialogHost& host;
        /// Game mode: a settings row never saved (its TD PIN empty) is shown filled with
        /// the defaults for new events, and with the scoring program's settings where they
        /// override the defaults; the settings in force stay the row's until Save.
        bool proposeDefaultsForUnsavedRow = false;
    };

    static constexpr qint16 helpTopic = 2;

    explicit GameSettingsEditor(const Services& services);

    SettingsControls& controls() { return controls_; }
    const SettingsControls& controls() const { return controls_; }
    /// The dialog edits the defaults for new events rather than the open event.
    bool defaultMode() const { return defaultMode_; }

    /// The load step: the mode from settingsDialogMode, the caption, the controls from the
    /// store, then the greyings of default mode or the lock of game mode.
    void Form_Load();
    /// Fills every control from the store of the dialog's mode, running the rules.
    void settings_Initialize();
    /// Game mode: greys what must not change once terminals are logged in or a section
    /// is past its first stanza, and what the database cannot record.
    void Lock_settings();
    /// True when the dialog may close: asks the director before players are made to enter
    /// IDs that were entered already; a Yes is stored.
    bool checkPlayerIDentered();

    // Rules between the controls, each run on a click of its control.
    void chkAsk_Click(int index);
    void chkRanking_Click();
    void chkRoundSummary_Click();
    void optScoring_Click(int index);
    void chkFeedback_Click();
    void chkIncludeDeal_Click();
    void chkIncludeMakable_Click();

    /// Save: true when the dialog closes.
    bool OKButton_Click();
    /// Cancel: true when the dialog closes; nothing is saved.
    bool CancelButton_Click();
    /// Quit from the first dialog of a new event: closes the database, writes the log,
    /// deletes the event's log file (so the next start is again a first opening) and
    /// asks the host to end the program.
    void cmdQuit_Click();
    void cmdHelp_Click();

    /// Writes the 27 settings (toIni: every ini key; else, the lock kept, the row when a
    /// value differs or the event is new), then reloads what depends on them. False, after
    /// telling the director, when the TD PIN is not four digits or a write fails; nothing is
    /// then flagged or reloaded.
    bool SaveGameSettings(bool toIni);

    /// The values the controls save, in savedSettingColumns order, as written.
    QStringList savedValues() const;
    /// The SET list of the row update for the current controls.
    QString settingsSetList() const;

private:
    /// What a game under way locks.
    struct GameLock {
        bool terminalsBound = false;
        bool pastFirstStanza = false;
    };
    GameLock readLock() const;
    /// Greys the locked controls, and adds " - Round is started!" to the caption once.
    void showLock(const GameLock& lock);
    /// Game mode, at Save: the lock as it stands now holds, also when it came into force
    /// after the load. With terminals logged in the game type and the scoring keep the values
    /// in force; with them, or with a section past its first stanza, an ask that is not in
    /// force is not ticked. A kept setting is kept with what its click changed in the dialog:
    /// "Lead" after "Play", the feedback style after the scoring get their values in force.
    /// The director is told (and the log shows) what was kept.
    void keepLockedSettings();
    /// The settings the dialog shows: the proposal for a row never saved, else the store.
    /// What the dialog asks about or proposes reads these; only the test whether Save must
    /// write the row compares with the store, the settings in force.
    const GameSettings& shown() const { return proposal_ ? *proposal_ : settings_; }
    /// The proposal for a row never saved, built beside the store.
    void proposeDefaults();
    /// The value of a column in the settings shown, of the dialog's mode, as a number.
    qint16 storedNumber(const char* column) const;
    bool saveToIni(const QStringList& values);
    bool saveToDatabase(const QStringList& values);
    /// Tells the director why the dialog stays open.
    void refuse(const QString& text);

    GameSettings& settings_;
    ScoreDb& db_;
    Config& config_;
    Log& log_;
    MessageBox& messages_;
    EventInfo& event_;
    SettingsDialogHost& host_;
    SettingsControls controls_;
    bool defaultMode_ = false;
    bool proposeDefaultsForUnsavedRow_ = false;
    std::optional<GameSettings> proposal_;
};

} // namespace qzc

#pragma once

#include <QString>
#include <array>

namespace qzc {

class Config;
class Log;
class ScoreDb;
class TablePresence;

/// The game settings store: the current event's settings and the director's defaults,
/// two lists of the same 46 named text values. Entries 1 to 18 are columns of the shared
/// Settings table, entries 19 to 46 the program's own custom_qz_Settings columns. Names
/// compare without regard to case; values are returned in upper case; a name the store
/// does not hold reads as "" and cannot be written.
class GameSettings {
public:
    static constexpr int entryCount = 46;
    /// How many leading entries come from the shared Settings table.
    static constexpr int sharedEntryCount = 18;

    explicit GameSettings(Log& log) : log_(log) {}

    /// Names the 46 entries of both lists, values empty; returns the count of shared
    /// entries (18).
    int setup_SettingsStructure2();

    /// The defaults list from the defaults section of the ini file, brought into range.
    void loadDefaultGameSettings(const Config& config);

    /// Reads the one row of custom_qz_Settings (fromCustom) or of the shared Settings table
    /// into the current list, the own settings brought into range. A missing Settings table
    /// is skipped: it is optional.
    void loadSettings(ScoreDb& db, bool fromCustom, const TablePresence& present);

    /// Puts the event's stored settings in force: the custom_qz_Settings row, then the
    /// shared Settings row. Every load of the settings in force (the start, the game
    /// settings command, a save) goes through here, so that they are always what the stored
    /// row gives, and a restart or a reload changes nothing the terminals are sent.
    void loadStoredSettings(ScoreDb& db, const TablePresence& present);

    /// The current values become the defaults, in upper case.
    void copyDefaultGameSettings();

    QString getGameSetting(const QString& name, bool useDefaults = false) const;
    void setGameSetting(const QString& name, const QString& value, bool useDefaults = false);

    /// Maps the scoring program's Settings entries onto the program's own entries of the
    /// current list, brought into range.
    void overrideSettingsByScoringProgram();

    /// Writes the current list's own settings to the custom_qz_Settings row, as the game
    /// settings dialog saves them; a new event whose dialog is switched off keeps the
    /// settings in force this way.
    bool storeGameSettings(ScoreDb& db);

    /// The key of the ini file's defaults section that holds the named entry's default;
    /// empty for an entry without one.
    static QString iniKeyOf(const QString& name);

    /// The name of entry index (1 to 46) in the current list; "" once the Settings table
    /// turned out to lack that column.
    QString entryName(int index) const;

private:
    struct Entry {
        QString name;
        QString value;
    };
    using List = std::array<Entry, entryCount>;

    List& list(bool useDefaults) { return useDefaults ? defaults_ : current_; }
    const List& list(bool useDefaults) const { return useDefaults ? defaults_ : current_; }
    /// Brings the own settings of a list into the range that every reader understands
    /// alike: a switch becomes 0 or 1, an input method outside 0-2 becomes 0, a TD PIN that
    /// is set but not four digits becomes 4381. Empty values stay empty. Logs what it
    /// replaces, switches aside, with the source given.
    void bringIntoRange(bool useDefaults, const QString& source);
    /// Position of the first entry named name (without regard to case), or -1.
    int indexOf(const List& entries, const QString& name) const;

    Log& log_;
    List current_;
    List defaults_;
    bool structured_ = false;
};

} // namespace qzc

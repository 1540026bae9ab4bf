#pragma once

#include <QtGlobal>

namespace qzc {

class Config;

/// The four player-name preferences as the preferences dialog shows them.
struct NamePreferenceChoice {
    /// The part of a name that counts most: 0 last, 1 middle, 2 first; -1 none selected
    /// (a stored value outside 0 to 2).
    qint16 playerNamePreference = 0;
    /// The printed name list is sorted by number rather than by name.
    bool sortByNumber = false;
    /// Names confirmed at the tables are sent to the scoring program.
    bool sendToScoring = true;
    /// The game settings dialog is not shown at start.
    bool hideGameSettings = false;
};

/// The player-name preferences: read from the configuration, saved to the ini file's
/// defaults section and into the configuration, so that they hold at once and at the next
/// start.
class NamePreferences {
public:
    static constexpr qint16 helpTopic = 9;

    explicit NamePreferences(Config& config) : config_(config) {}

    /// The preferences in force.
    NamePreferenceChoice Form_Load() const;
    /// Save: writes "Player name preference" (unless none is selected), HideGSWindow,
    /// NameListSorting and NameToScoring. False when the ini file could not be written;
    /// the preferences then hold for this session only.
    bool save(const NamePreferenceChoice& choice);

private:
    Config& config_;
};

} // namespace qzc

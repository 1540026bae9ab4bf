#pragma once

#include "gamedata/PairPins.h"
#include "gamedata/PlayerNames.h"

#include <QString>
#include <vector>

namespace qzc {

class Clock;
class Config;
class DesktopHost;
class GameData;
class GameSettings;
class Log;
class MessageBox;
class ScoreDb;
class ShellOpener;
struct EventInfo;

/// The director's commands on players, names and PINs and the files they write: the import
/// of a names file, the PIN list (pair_pin.txt), the registered names (player_name.txt) and
/// every known name (all_names.txt). The files are written whole in Windows-1252 with CRLF
/// line ends into the score database's folder, then opened on the desktop; no name can
/// break one of their lines.
class PlayerNameCommands {
public:
    struct Services {
        ScoreDb& db;
        Log& log;
        Clock& clock;
        const Config& config;
        const GameSettings& settings;
        const EventInfo& event;
        const GameData& gameData;
        PlayerNames& names;
        ShellOpener& shell;
        MessageBox& messages;
        DesktopHost& desktop;
    };

    static inline const QString pinFileName = QStringLiteral("pair_pin.txt");
    static inline const QString nameFileName = QStringLiteral("player_name.txt");
    static inline const QString allNamesFileName = QStringLiteral("all_names.txt");

    explicit PlayerNameCommands(const Services& services) : s_(services) {}

    /// "Import player names" of the file the director chose: a notice over the grid while
    /// the names are read, then the count in a message box. The names are added to names.txt
    /// of the program folder and the rejected lines opened (see PlayerNames::importFromMenu).
    double importPlayerNames(const QString& filePath);
    /// "Display PIN codes": writes and opens pair_pin.txt; false when the PINs cannot be
    /// read or the file cannot be written (logged).
    bool mnu_pincodes_Click();
    /// Writes and opens player_name.txt, the printed list of the registered names.
    bool print_playername_file();
    /// Writes and opens all_names.txt: every known name with its member number.
    bool labShowAllName_Click();

    /// The text of pair_pin.txt: a heading, the TD PIN, then one tab-separated line per
    /// pair, pairs whose label is a plain number after the others in the order of that
    /// number, the others in list order; one empty line at the end.
    static QString pairPinFileText(const QString& tdPin, std::vector<PairPinRecord> records);
    /// The text of all_names.txt: "ID,Name", then one line per name in list order.
    static QString allNamesText(const std::vector<KnownPlayer>& names);

private:
    /// Writes text to the file of that name in the score database's folder and opens it.
    bool writeAndOpen(const QString& fileName, const QString& text, const QString& source);

    Services s_;
};

} // namespace qzc

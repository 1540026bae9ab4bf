#pragma once

#include "gamedata/PlayerNameMemory.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace qzc {

class Clock;
class Config;
class Log;
class ScoreDb;
class ShellOpener;
struct EventInfo;

/// One known player, as the lists of known players (playerNameList, fileNameList) hold it:
/// up to 500,000 of them, so nothing more than number and name.
struct KnownPlayer {
    /// The member number; 0 means none.
    double number = 0;
    QString name;
};

/// One registered player, or a row of the player editing grid.
struct PlayerNameRecord {
    /// The member number; 0 means none.
    double number = 0;
    QString name;
    /// The seat.
    qint16 section = 0;
    qint16 table = 0;
    QString direction;
    qint16 pair = 0;
    /// Filled and read by the player editing grid only: the table id shown ("A12"), the
    /// value its Table and Pair columns sort by, and the seat letters shown with the pair.
    QString tableLabel;
    double gridSortValue = 0;
    QString seatLabel;
};

/// A looked-up player: the name cut to 20 characters, the short name cut to 18 (both by the
/// "Player name preference"); "n/a" for number 0; the number's digits when it is unknown.
struct PlayerNameLookup {
    QString name;
    QString shortName;
    bool notFound = false;
};

/// Longest name written to PlayerNumbers.custom_qz_names and shown on a terminal.
inline constexpr qint16 seatNameLength = 20;
/// Longest short name, written to PlayerNumbers.name for the scoring program.
inline constexpr qint16 shortNameLength = 18;

/// A member number in its plain text form, without decimals for a whole number.
QString playerNumberText(double number);
/// The member number of six bytes of two decimal digits each, most significant first (0, 12,
/// 34 is 1234); fewer than two bytes give 0.
double playerNumberFromBytes(const QByteArray& numberBytes);

/// The index of the first record whose number equals number in a list sorted by number;
/// nothing when no record has it.
template <typename Record>
std::optional<std::size_t> searchNameList(const std::vector<Record>& list, double number) {
    const auto found = std::lower_bound(list.begin(), list.end(), number,
                                        [](const Record& r, double key) { return r.number < key; });
    if (found == list.end() || found->number != number)
        return std::nullopt;
    return static_cast<std::size_t>(found - list.begin());
}

/// Sorts list[low..high] (both included) ascending by number, or by name (code-unit order)
/// when byName is set; records that compare equal keep their order. A range outside the
/// list is cut to it.
void quickSortPlayers(std::vector<KnownPlayer>& list, std::size_t low, std::size_t high, bool byName);
void quickSortPlayers(std::vector<PlayerNameRecord>& list, std::size_t low, std::size_t high, bool byName);

/// Sorts list[low..high] by a column of the player editing grid, whole records moved:
/// sortKey 1 gridSortValue, 2 pair and then gridSortValue, 3 number, 4 name (code-unit
/// order); ascending for a positive key, descending for a negative one. Records that compare
/// equal keep their order; any other key leaves the list as it is.
void quickSortPlayersBy(std::vector<PlayerNameRecord>& list, std::size_t low, std::size_t high,
                        qint16 sortKey);

/// The player-name lists in memory: every known player (playerNameList, sorted by number)
/// and the seats of PlayerNumbers that carry a name (registeredNameList).
class PlayerNames {
public:
    /// The names file read at start-up, in the program folder.
    static inline const QString namesFileName = QStringLiteral("names.txt");
    /// Where the rejected lines of an import go, in the event's dump folder.
    static inline const QString rejectsFileName = QStringLiteral("invalid_name.txt");
    /// The condition of the seats of PlayerNumbers that registeredNameList holds.
    static inline const QString namedSeats =
        QStringLiteral(" WHERE Section>0 AND [Table]>0 AND custom_qz_names IS NOT NULL"
                       " AND NOT custom_qz_names='' AND [Number] IS NOT NULL");

    PlayerNames(ScoreDb& db, Log& log, const EventInfo& event, const Config& config, Clock& clock)
        : db_(db), log_(log), event_(event), config_(config), clock_(clock) {}

    /// Replaces playerNameList with the rows of PlayerNames, sorted by number. A list that
    /// cannot be read is left as it was.
    void loadPlayerNameList();
    /// Replaces registeredNameList with the named seats of PlayerNumbers, in the order the
    /// database gives them. Unless forced, nothing is read while the number of named seats
    /// equals the list's size. A list that cannot be read is left as it was.
    void loadRegisteredNames(bool force);
    /// Called each time registeredNameList has been read again (a terminal registered
    /// players, say), so that a window showing it can catch up; none by default.
    void setRegisteredNamesReloaded(std::function<void()> reloaded) {
        registeredNamesReloaded_ = std::move(reloaded);
    }

    /// Sorts the whole of playerNameList by number.
    void sortPlayerNameList();
    /// Reads a names file and returns the number of names it accepted (0 for a file that
    /// cannot be read). A line is accepted when its number is not 0, not known yet (in
    /// playerNameList, in an earlier line or, for a menu import, in fileNameList) and its name
    /// is not empty once its "#" are dropped. With rewriteNamesFile (the menu import) the
    /// accepted names join fileNameList and are added to names.txt in the program folder
    /// (unless filePath is that file), which keeps every line it held, so that they are read
    /// again at the next start; otherwise they replace fileNameList. With keepRejects the
    /// rejected lines are written to invalid_name.txt in the dump folder, which is then
    /// opened; more than 1000 rejected lines void the whole import.
    double importPlayerNames(const QString& filePath, bool rewriteNamesFile, bool keepRejects,
                             ShellOpener& shell);
    /// The import of the File menu: importPlayerNames with both flags, and the log line of
    /// its count. Returns the count.
    double importFromMenu(const QString& filePath, ShellOpener& shell);
    /// "12 player names imported." for the count of an import.
    static QString importedText(double count);

    /// The player of a number (not 0) or, for number 0, of its six number bytes, as the
    /// terminals send it; see PlayerNameLookup.
    PlayerNameLookup getPlayerName(const QByteArray& numberBytes, double number = 0) const;
    /// The name as PlayerNumbers.custom_qz_names holds it: shortened to 20 characters by the
    /// "Player name preference".
    QString seatName(const QString& name) const;
    /// True when four look-ups of random numbers in playerNameList take less than 2000 ms;
    /// false for an empty list.
    bool Time_SearchPlayer();
    /// Appends fileNameList to playerNameList (up to the limit), sorts it by number, and
    /// empties it when its look-ups are too slow.
    void Setup_memoryPlayerName();

    /// Sorted by number.
    const std::vector<KnownPlayer>& playerNameList() const { return playerNameList_; }
    /// The names read from names files, in file order: at start-up from names.txt, then
    /// added by each menu import.
    const std::vector<KnownPlayer>& fileNameList() const { return fileNameList_; }
    const std::vector<PlayerNameRecord>& registeredNameList() const { return registeredNameList_; }

private:
    void logDbError(const QString& source) const;
    /// Adds the names to names.txt in the program folder, keeping every line it holds.
    void addToNamesFile(const QString& namesFile, const std::vector<KnownPlayer>& added,
                        QChar importSeparator);

    ScoreDb& db_;
    Log& log_;
    const EventInfo& event_;
    const Config& config_;
    Clock& clock_;
    std::vector<KnownPlayer> playerNameList_;
    std::vector<KnownPlayer> fileNameList_;
    std::vector<PlayerNameRecord> registeredNameList_;
    std::function<void()> registeredNamesReloaded_;
};

} // namespace qzc

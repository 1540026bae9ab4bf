#pragma once

#include "gamedata/PlayerNameMemory.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class Clock;
class Config;
class Log;
class ScoreDb;
class ShellOpener;
struct EventInfo;

/// One known or registered player.
struct PlayerNameRecord {
    /// The member number; 0 means none.
    double number = 0;
    QString name;
    /// The seat of a registered player; 0 and empty in the list of known players.
    qint16 section = 0;
    qint16 table = 0;
    QString direction;
    qint16 pair = 0;
};

/// The index of the record whose number equals number in a list sorted by number; nothing
/// when no record has it.
std::optional<std::size_t> searchNameList(const std::vector<PlayerNameRecord>& list, double number);

/// Sorts list[low..high] (both included) ascending by number, or by name (code-unit order)
/// when byName is set; records that compare equal keep their order. A range outside the
/// list is cut to it.
void quickSortPlayers(std::vector<PlayerNameRecord>& list, std::size_t low, std::size_t high, bool byName);

/// The player-name lists in memory: every known player (playerNameList, sorted by number)
/// and the seats of PlayerNumbers that carry a name (registeredNameList).
class PlayerNames {
public:
    /// The names file read at start-up, in the program folder.
    static inline const QString namesFileName = QStringLiteral("names.txt");
    /// Where the rejected lines of an import go, in the event's dump folder.
    static inline const QString rejectsFileName = QStringLiteral("invalid_name.txt");

    PlayerNames(ScoreDb& db, Log& log, const EventInfo& event, const Config& config, Clock& clock)
        : db_(db), log_(log), event_(event), config_(config), clock_(clock) {}

    /// Replaces playerNameList with the rows of PlayerNames, sorted by number. A list that
    /// cannot be read is left as it was.
    void loadPlayerNameList();
    /// Replaces registeredNameList with the named seats of PlayerNumbers, in the order the
    /// database gives them. Unless forced, nothing is read while the number of named seats
    /// equals the list's size. A list that cannot be read is left as it was.
    void loadRegisteredNames(bool force);

    /// Sorts the whole of playerNameList by number.
    void sortPlayerNameList();
    /// Replaces fileNameList with the numbers and names of a names file whose numbers are
    /// not in playerNameList yet, and returns their count (0 for a file that cannot be read).
    /// With rewriteNamesFile the accepted names also replace names.txt in the program folder
    /// (unless filePath is that file), so that they are read again at the next start. With
    /// keepRejects the rejected lines are written to invalid_name.txt in the dump folder,
    /// which is then opened; more than 1000 rejected lines void the whole import.
    double importPlayerNames(const QString& filePath, bool rewriteNamesFile, bool keepRejects,
                             ShellOpener& shell);
    /// True when four look-ups of random numbers in playerNameList take less than 2000 ms;
    /// false for an empty list.
    bool Time_SearchPlayer();
    /// Appends fileNameList to playerNameList (up to the limit), sorts it by number, and
    /// empties it when its look-ups are too slow.
    void Setup_memoryPlayerName();

    /// Sorted by number.
    const std::vector<PlayerNameRecord>& playerNameList() const { return playerNameList_; }
    /// The names of the last import, in file order.
    const std::vector<PlayerNameRecord>& fileNameList() const { return fileNameList_; }
    const std::vector<PlayerNameRecord>& registeredNameList() const { return registeredNameList_; }

private:
    void logDbError(const QString& source) const;

    ScoreDb& db_;
    Log& log_;
    const EventInfo& event_;
    const Config& config_;
    Clock& clock_;
    std::vector<PlayerNameRecord> playerNameList_;
    std::vector<PlayerNameRecord> fileNameList_;
    std::vector<PlayerNameRecord> registeredNameList_;
};

} // namespace qzc

#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class Log;
class ScoreDb;
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

/// The player-name lists in memory: every known player (playerNameList, sorted by number)
/// and the seats of PlayerNumbers that carry a name (registeredNameList).
class PlayerNames {
public:
    /// At most this many known players are held.
    static constexpr std::size_t maxPlayerNames = 500000;

    PlayerNames(ScoreDb& db, Log& log, const EventInfo& event) : db_(db), log_(log), event_(event) {}

    /// Replaces playerNameList with the rows of PlayerNames, sorted by number. A list that
    /// cannot be read is left as it was.
    void loadPlayerNameList();
    /// Replaces registeredNameList with the named seats of PlayerNumbers, in the order the
    /// database gives them. Unless forced, nothing is read while the number of named seats
    /// equals the list's size. A list that cannot be read is left as it was.
    void loadRegisteredNames(bool force);

    /// Sorted by number.
    const std::vector<PlayerNameRecord>& playerNameList() const { return playerNameList_; }
    const std::vector<PlayerNameRecord>& registeredNameList() const { return registeredNameList_; }

private:
    void logDbError(const QString& source) const;

    ScoreDb& db_;
    Log& log_;
    const EventInfo& event_;
    std::vector<PlayerNameRecord> playerNameList_;
    std::vector<PlayerNameRecord> registeredNameList_;
};

} // namespace qzc

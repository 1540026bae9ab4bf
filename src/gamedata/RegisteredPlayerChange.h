#pragma once

#include "gamedata/PlayerNames.h"
#include "gamedata/StoredSeatNames.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <vector>

namespace qzc {

class Clock;
class Config;
class Log;
class MessageBox;
class ScoreDb;

/// The change of one seat's member ID or name in PlayerNumbers, as the player edit dialog
/// asks it: the typed value is checked, a duplicate is confirmed (an ID held at another seat
/// swaps the two players), and the seat's row is updated or added.
class RegisteredPlayerChange {
public:
    struct Services {
        ScoreDb& db;
        Log& log;
        MessageBox& messages;
        PlayerNames& names;
        const Config& config;
        const Clock& clock;
    };

    enum class Outcome {
        /// Refused, declined or unchanged: nothing written.
        NotWritten,
        Written,
        /// The score database refused the change; nothing changed and the director was told.
        Failed,
        /// The seats no longer hold what the director saw (a terminal registered players
        /// meanwhile): nothing written, the director told, the list to be shown afresh.
        Changed,
    };

    static constexpr qsizetype maxNameLength = 20;
    static constexpr qsizetype maxIdLength = 12;
    static constexpr qint16 helpTopic = 15;
    static constexpr qint16 swapHelpTopic = 17;

    explicit RegisteredPlayerChange(const Services& services) : s_(services) {}

    /// The edit dialog's Yes: mode "ID" changes the member ID of the seat to typed, any other
    /// mode its name. seat is the entry as the dialog showed it. seatNameList is the list as
    /// it is now: the seat's entry is taken from it (a seat it no longer holds, or holds with
    /// another number, is refused with a message), and it is searched for a seat that holds
    /// the ID or the name already. A member ID is 1 to 12 digits, or empty or "n/a" for none;
    /// a name at most 20 characters once its "#" are dropped. The seats involved are read
    /// again in the transaction that writes: changed since, nothing is written.
    Outcome cmdButton_Click(const QString& mode, const QString& typed, const PlayerNameRecord& seat,
                            const std::vector<PlayerNameRecord>& seatNameList);

private:
    Outcome changeName(QString value, const PlayerNameRecord& entry,
                       const std::vector<PlayerNameRecord>& seatNameList);
    Outcome changeId(QString value, const PlayerNameRecord& entry,
                     const std::vector<PlayerNameRecord>& seatNameList);
    enum class SeatCheck { AsShown, Changed, Unreadable };

    /// Runs write in one transaction when the seats, read again, are as the list showed them
    /// (seatsAsShown); otherwise nothing is written and the director is told.
    Outcome writeAsShown(const PlayerNameRecord& entry, double typedNumber, const PlayerNameRecord* partner,
                         const QString& value, const std::function<bool()>& write);
    /// Whether the database still holds the entry's number at its seat, the partner's (in a
    /// swap) at the partner's seat, and typedNumber (unless 0) at no other seat of the entry's
    /// section. Seats are read as the list reads them: a seat without a name holds no number.
    SeatCheck seatsAsShown(const PlayerNameRecord& entry, double typedNumber,
                           const PlayerNameRecord* partner);
    /// The pending name of the seat's player, when it has one; false when it cannot be read.
    bool readPending(const PlayerNameRecord& seat, std::optional<StoredSeatName>& pending);
    /// Sets the seat's number and name, each only when given; a seat without a row gets one
    /// with the seat's own number or name for the one not given. pending, a name the scoring
    /// program wrote for the player written there and the check has not yet taken up, is
    /// written as it was (Name and Updated); otherwise Updated is cleared.
    bool writeSeat(const PlayerNameRecord& seat, const std::optional<QString>& number,
                   const std::optional<QString>& name,
                   const std::optional<StoredSeatName>& pending = std::nullopt);
    /// Logs the change, or tells the director that nothing was changed.
    Outcome finish(bool written, const PlayerNameRecord& entry, const QString& value);
    void refuse(const QString& text);

    Services s_;
};

} // namespace qzc

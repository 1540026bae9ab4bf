#pragma once

#include "gamedata/TerminalNumbers.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

namespace qzc {

class Clock;
class Config;
class GameData;
class Log;
class PlayerNames;
class ScoreDb;
struct EventInfo;
struct StoredSeatName;

/// A seat of PlayerNumbers that holds a member number.
struct RegisteredSeat {
    /// "N", "E", "S" or "W" as stored.
    QString direction;
    qint16 table = 0;
};

/// The players at the tables: the member numbers entered at a table's seats (PlayerNumbers)
/// and the names of the four players a table's terminal shows. A pair keeps the seat where
/// its players entered their numbers in round 1: names are looked up at that home seat.
class PlayerSeats {
public:
    /// The name block of a table: 20 bytes for each of N, E, S and W.
    static constexpr int nameBlockSize = 80;
    /// A round's names are sent again when asked within this many seconds of the sending.
    static constexpr qint64 nameRepeatSeconds = 10;

    PlayerSeats(ScoreDb& db, Log& log, const Clock& clock, const Config& config, const GameData& gameData,
                const PlayerNames& names, const EventInfo& event)
        : db_(db), log_(log), clock_(clock), config_(config), gameData_(gameData), names_(names),
          event_(event) {}

    /// Blanks the numbers, names and pair numbers of the table's four seats; false when the
    /// table is unknown or the database refused.
    bool clearTablePlayerID(const QString& tableId);

    /// Stores the member number (0: none, stored as "0" with the name "n/a") at the table's
    /// seat of direction ("N", "E", "S" or "W") with its name, short name (the column name,
    /// only with NameToScoring) and the seat's number (GameData::mem_GetSeatNumber); the number
    /// is first blanked at every other seat of the section. kept, what the seat of this
    /// player at the table held before the table's seats were blanked, gives the names
    /// instead (display name, Name and Updated as they were). All or nothing; false when the
    /// database refused.
    bool markPlayerID(const QString& tableId, double number, const QString& direction,
                      const StoredSeatName* kept = nullptr);

    /// Where the member number is registered in the section; nothing for number 0, for a
    /// number registered nowhere, or when the database cannot be read.
    std::optional<RegisteredSeat> getPlayerSeat(const QString& sectionLetters, double number) const;

    /// Marks the round's names as sent to the table's terminal, now.
    bool markRoundNamesSent(const QString& tableId, qint16 round, const QString& label);

    /// The names of the players at the table as the 80-byte block (each name's Windows-1252
    /// bytes cut at 20, padded with zero bytes; "n/a" for a seat without a registered name).
    /// A negative nsPair or ewPair asks for the players of the round being seated at the table
    /// (roundBeingSeated with no numbers, so a sit-out round is passed over while a later
    /// round remains): then a round whose names were sent already gives the single byte 0
    /// (unless asked again within 10 seconds of the sending), and the round is marked as sent.
    /// Otherwise the numbers given (South and West only where four players sit, seatsFourPlayers,
    /// and when both are 0 or more; else they sit with their partners) are the players, as the terminal
    /// numbers them: with banded numbering the seats of the round being seated or of the round being played
    /// that they fit (movementSeatNumbers), "n/a" for every seat, with a log line, when neither fits them.
    QByteArray getSeatPlayerName(const QString& tableId, qint16 nsPair, qint16 ewPair, qint16 south,
                                 qint16 west);

private:
    QString timeText() const;
    /// Whether the round's names count as sent already (logged when so).
    bool roundNamesSent(const QString& tableId, qint16 round);
    /// The home table id and direction of every seat.
    void findHomeSeats(const QString& letters, const SeatNumbers& numbers, std::array<QString, 4>& homeTables,
                       std::array<QString, 4>& directions) const;
    void logDbError(const QString& source) const;

    ScoreDb& db_;
    Log& log_;
    const Clock& clock_;
    const Config& config_;
    const GameData& gameData_;
    const PlayerNames& names_;
    const EventInfo& event_;
};

} // namespace qzc

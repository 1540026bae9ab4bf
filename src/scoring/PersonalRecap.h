#pragma once

#include "scoring/TableAddress.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

class GameSettings;
class Log;
class ScoreDb;
class ScoredBoardSource;

/// The seat of a table that the direction byte of a recap request names.
struct RecapSeat {
    /// The seat's field in the table's seating text ("NS/EW", or "North/East/South/West" in
    /// an individual game), from 1; 0 for nobody.
    qint16 position = 0;
    /// The seat letter of the log line; empty for nobody.
    QString letter;
    /// The contestant sits North-South.
    bool northSouth = false;
};

/// The seat that direction (0 to 4) names: where pairs play 1 and 4 the NS pair, 0, 2 and 3
/// the EW pair; where four players sit (an individual movement) 0 East, 1 North, 2 West,
/// 4 South and 3 nobody. Nothing for a direction outside 0 to 4.
std::optional<RecapSeat> recapSeat(qint16 direction, bool fourPlayers);

/// The contestant whose personal recap a terminal asks for.
struct RecapContestant {
    TableAddress table;
    /// The pair or player number, as the movement numbers it.
    qint16 number = 0;
    /// Sits North-South at the table.
    bool northSouth = false;
    /// The section's pairs keep their direction all game (hasSeparateNSEWPairs).
    bool separatePairs = false;
};

/// The personal recap of a contestant (reply 107): every board it played in its section, in
/// board order, as board, contract byte, result byte and its percentage on the board.
class PersonalRecap {
public:
    /// Most entries of one recap.
    static constexpr int maxEntries = 375;

    PersonalRecap(ScoreDb& db, const GameSettings& settings, Log& log, ScoredBoardSource& boards);

    /// The contestant's results that are not erased, with a contract or the remark "NP", "LP"
    /// or "Not played" (sent as not played, percentage 0); adjusted scores and free remarks
    /// are left out. The percentage is the board's matchpoint or cross-IMP value in the
    /// section from the side the contestant sat on, rounded half to even; 50 when the board
    /// has no range yet. A board above 255 is left out and the recap ends at maxEntries, both
    /// logged. One byte 0 when there is nothing to send; nothing when the results cannot be
    /// read (logged).
    std::optional<QByteArray> getPersonalRecap(const RecapContestant& contestant);

private:
    ScoreDb& db_;
    const GameSettings& settings_;
    Log& log_;
    ScoredBoardSource& boards_;
};

} // namespace qzc

#pragma once

#include "gamedata/GameDataTypes.h"

#include <QString>
#include <QtGlobal>
#include <vector>

namespace qzc {

class GameData;
class Log;
class ScoreDb;

/// Where a pair or player sits in the round being seated at a table.
struct Seating {
    /// 0 when the number sits at no other table in that round.
    qint16 table = 0;
    /// "NS", "EW", "SO" (South) or "WE" (West); empty when none.
    QString seat;

    bool found() const { return !seat.isEmpty(); }
    /// The table with three digits and the seat, as "004EW"; empty when none.
    QString text() const;
};

/// The checks of the numbers entered at a table against the movement of the round being
/// seated there (roundBeingSeated), read from RoundData: whether they belong to the table,
/// and where a number that does not belong there sits instead.
class NextSeating {
public:
    /// The seat columns of RoundData.
    enum class Column { NSPair, EWPair, South, West };

    NextSeating(ScoreDb& db, Log& log, const GameData& gameData) : db_(db), log_(log), gameData_(gameData) {}

    /// The other table and seat of number in round. In a section whose pairs keep their
    /// direction (hasSeparateNSEWPairs) the number is looked for in column only, otherwise in every seat. A
    /// pair that stays at the table gets none.
    Seating getNextSeating(const QString& tableId, qint16 round, qint16 number, Column column) const;

    /// True when the table's row of round seats these numbers: its NS and EW pairs equal
    /// them or are empty, and (South 1 or more and West above 0) its South and West equal them.
    bool checkMovementPairs(const QString& tableId, qint16 round, qint16 nsPair, qint16 ewPair, qint16 south,
                            qint16 west) const;

    /// The table's rows of RoundData from round on, in the order of their rounds: round,
    /// seats (a Null seat reads as 0) and the play they give, no boards. Empty, with a log
    /// line, when they cannot be read.
    std::vector<MovementRow> tableRounds(const QString& tableId, qint16 round) const;

private:
    ScoreDb& db_;
    Log& log_;
    const GameData& gameData_;
};

} // namespace qzc

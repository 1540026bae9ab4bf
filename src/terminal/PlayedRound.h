#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

class GameData;
class Log;

/// The round a table is in when its section has no movement in memory: the results it has
/// played divided by the boards of a round, at least 1. With the boards per round not set
/// (0 or less) the round is 1, and the log says so for what ("the result", "the bidding").
qint16 roundByResultsPlayed(const GameData& gameData, Log& log, const QString& tableId, qint16 boardsPerRound,
                            const QString& what);

} // namespace qzc

#include "terminal/PlayedRound.h"

#include "core/Log.h"
#include "gamedata/GameData.h"

namespace qzc {

qint16 roundByResultsPlayed(const GameData& gameData, Log& log, const QString& tableId, qint16 boardsPerRound,
                            const QString& what) {
    if (boardsPerRound <= 0) {
        log.writeLog(0,
                     QStringLiteral("Boards per round not set: ") + what + QStringLiteral(" of ") + tableId +
                         QStringLiteral(" is taken for round 1"),
                     QStringLiteral("doMsg"));
        return 1;
    }
    const qint16 round = static_cast<qint16>(gameData.countTableResultsPlayed(tableId) / boardsPerRound);
    return round == 0 ? qint16{1} : round;
}

} // namespace qzc

#include "gamedata/MovementChange.h"

#include "core/Log.h"
#include "core/ScoreDb.h"
#include "gamedata/FieldValues.h"

#include <QSqlQuery>

namespace qzc {

namespace {

qint16 int16Value(const QSqlQuery& query, int index) {
    return fields::toInt16(query.value(index)).value_or(0);
}

} // namespace

std::optional<qint16> MovementChange::lastOldRound() const {
    if (ufrMode != 0 || maxRound <= 0)
        return std::nullopt;
    // The round before the one every table was updated from, or else the last round with a
    // stored result.
    const qint16 round = maxUpdateFromRound == minUpdateFromRound
                             ? static_cast<qint16>(maxUpdateFromRound - 1)
                             : maxRoundResult;
    if (round < 0 || round > maxRound)
        return std::nullopt;
    if (round < stanzaBegin && !(round == 0 && stanzaBegin == 1))
        return std::nullopt;
    return round;
}

std::optional<MovementChange> readMovementChange(ScoreDb& db, Log& log, const QString& source,
                                                 qint16 sectionId) {
    std::optional<QSqlQuery> query = db.select(
        QStringLiteral(
            "SELECT Max(Tables.UpdateFromRound) AS maxufr, Min(Tables.UpdateFromRound) AS minufr,"
            " (SELECT custom_qz_StanazBeginGameRound FROM Section WHERE Section.ID=Tables.Section) AS "
            "stanazbegin,"
            " (SELECT custom_qz_StanazEdgeGameRound FROM Section WHERE Section.ID=Tables.Section) AS "
            "stanazedge,"
            " (SELECT custom_qz_UFRmode FROM Section WHERE Section.ID=Tables.Section) AS UFRmode,"
            " (SELECT MAX(Round) FROM ReceivedData WHERE Section=Tables.Section) AS maxroundresult,"
            " (SELECT MAX(Round) FROM RoundData WHERE Section=Tables.Section) AS maxround"
            " FROM Tables WHERE Tables.Section=? GROUP BY Tables.Section"),
        {sectionId});
    if (!query) {
        log.writeLog(db.lastErrorNumber(), db.lastErrorDescription(), source, true);
        return std::nullopt;
    }
    if (!query->next())
        return std::nullopt;
    MovementChange change;
    change.section = sectionId;
    change.maxUpdateFromRound = int16Value(*query, 0);
    change.minUpdateFromRound = int16Value(*query, 1);
    change.stanzaBegin = int16Value(*query, 2);
    change.stanzaEdge = int16Value(*query, 3);
    change.ufrMode = int16Value(*query, 4);
    change.maxRoundResult = int16Value(*query, 5);
    change.maxRound = int16Value(*query, 6);
    return change;
}

bool movementChangeUndecided(ScoreDb& db, Log& log, const QString& source, qint16 sectionId) {
    const std::optional<MovementChange> change = readMovementChange(db, log, source, sectionId);
    return !change || change->lastOldRound().has_value();
}

} // namespace qzc

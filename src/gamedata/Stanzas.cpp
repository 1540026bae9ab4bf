// The stanza state of a section and the set-up flags of the tables' terminals.
#include "core/DbTransaction.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "gamedata/MovementChange.h"

#include <optional>

namespace qzc {

namespace {

QString number(qint64 n) {
    return QString::number(n);
}

} // namespace

StanzaState GameData::getSectionStanzaState(qint16 sectionId) const {
    const qint16 begin = getSectionBeginRound(sectionId);
    const qint16 edge = getSectionEdgeRound(sectionId);
    qint16 maxround = 0;
    db_.getDBValue(QStringLiteral("SELECT MAX(Round) AS maxround FROM RoundData WHERE Section=?"),
                   QStringLiteral("maxround"), maxround, {int{sectionId}});
    if (maxround <= edge)
        return StanzaState::NoFurtherRounds;
    if (!DB_check_BoardResult(sectionId, edge, QString(), begin))
        return StanzaState::ResultsOwed;
    qint32 owing = 0;
    db_.getDBValue(
        QStringLiteral("SELECT COUNT(Tables.[Table]) AS cntTable FROM Tables"
                       " INNER JOIN custom_qz_TQZ ON Tables.Section=custom_qz_TQZ.Section"
                       " AND Tables.[Table]=custom_qz_TQZ.[Table] WHERE Tables.Section=?"
                       " AND custom_qz_loadsetup>0 AND ResultExpected>0 AND ResultExpected>ResultGot"),
        QStringLiteral("cntTable"), owing, {int{sectionId}});
    return owing == 0 ? StanzaState::ReadyForNextStanza : StanzaState::ResultsOwed;
}

bool GameData::getLoadSetupTables(const QString& tableId) const {
    // Asked for every reply piece: a statement prepared once.
    return db_.hasRows(
        QStringLiteral("SELECT [Table] FROM Tables WHERE Section=? AND [Table]=? AND custom_qz_loadsetup=1"),
        {int{getSectionID(tableIdLetter(tableId))}, int{tableIdNumber(tableId)}});
}

bool GameData::setflagloadsetup(bool clear, const QString& tableId, qint16 sectionId) {
    QString where;
    if (sectionId >= 1) {
        where = QStringLiteral("Section=") + number(sectionId);
    } else if (!tableId.isEmpty()) {
        if (getSectionID(tableIdLetter(tableId)) < 1)
            return false;
        where = sqlSectionTable(tableId);
        // Only a table whose terminal is there can be told to load its set-up.
        if (!clear && !db_.hasRows(QStringLiteral("SELECT TQZ_ID FROM custom_qz_TQZ WHERE ") + where))
            return false;
    }
    const QString source = QStringLiteral("Database - setflagloadsetup");
    // A terminal that loaded its set-up also takes its table's mark of a movement change off,
    // except while the analysis is still to decide that change: the mark is what it decides
    // on, and the decision flags every table of the section to load its set-up again. Read
    // under the write lock, so that a change the scoring program commits meanwhile is kept.
    const bool clearsMark = clear && !tableId.isEmpty();
    std::optional<DbTransaction> transaction;
    if (clearsMark) {
        transaction.emplace(db_);
        if (!transaction->isActive()) {
            logDbError(source);
            return false;
        }
    }
    QString sql = QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=") +
                  (clear ? QStringLiteral("0") : QStringLiteral("1"));
    if (clearsMark &&
        !movementChangeUndecided(db_, log_, source,
                                 sectionId >= 1 ? sectionId : getSectionID(tableIdLetter(tableId))))
        sql += QStringLiteral(", UpdateFromRound=0");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (!db_.execSQL(sql, QStringLiteral("Database - setflagloadsetup ")) ||
        (transaction && !transaction->commit())) {
        logDbError(source);
        return false;
    }
    return true;
}

} // namespace qzc

#include "support/ScoringEvent.h"

#include "core/QueryValues.h"
#include "core/ScoreDbSchema.h"

#include <QSet>

namespace qzc::test {

ResultFileGameData loadResultFileGameData(ScoreDb& db) {
    ResultFileGameData game;
    if (std::optional<QSqlQuery> q =
            db.select(QStringLiteral("SELECT ID, Letter FROM Section ORDER BY ID"))) {
        while (q->next())
            game.sections.push_back(ResultFileSection{queryInt16(*q, 0), queryText(*q, 1).trimmed(), false});
    }
    for (ResultFileSection& section : game.sections) {
        QSet<qint16> ns;
        QSet<qint16> ew;
        if (std::optional<QSqlQuery> q =
                db.select(QStringLiteral("SELECT NSPair, EWPair FROM RoundData WHERE Section=") +
                          QString::number(section.id))) {
            while (q->next()) {
                ns.insert(queryInt16(*q, 0));
                ew.insert(queryInt16(*q, 1));
            }
        }
        section.separateNsEw = !ns.isEmpty() && !ns.intersects(ew);
    }
    if (std::optional<QSqlQuery> q =
            db.select(QStringLiteral("SELECT Section, [Table], Round, HighBoard - LowBoard + 1 FROM "
                                     "RoundData ORDER BY Section, [Table], Round"))) {
        while (q->next())
            game.movementRows.push_back(ResultFileMovementRow{queryInt16(*q, 0), queryInt16(*q, 1),
                                                              queryInt16(*q, 2), queryInt16(*q, 3)});
    }
    return game;
}

ScoringEvent::ScoringEvent() {
    settings.setup_SettingsStructure2();
}

bool ScoringEvent::open(EventBuilder& builder) {
    const QString path = folder.filePath(QStringLiteral("event.db"));
    if (!builder.build(path)) {
        error_ = builder.lastError();
        return false;
    }
    if (!db.open(path)) {
        error_ = db.lastErrorDescription();
        return false;
    }
    // The indexes that the start-up gives every event.
    ScoreDbSchema schema(db, log);
    TablePresence present;
    schema.checkscoreDB(present);
    schema.createIndexes(present);
    return true;
}

} // namespace qzc::test

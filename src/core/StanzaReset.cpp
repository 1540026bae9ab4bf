#include "core/StanzaReset.h"

#include "core/Log.h"
#include "core/ScoreDb.h"

#include <QSqlQuery>
#include <utility>
#include <vector>

namespace qzc {

void resetEventStanzas(ScoreDb& db, Log& log) {
    db.execSQL(QStringLiteral("UPDATE Tables SET UpdateFromRound=0, custom_qz_loadsetup=0"),
               QStringLiteral("Reset UpdateFromRound for new game database"));

    std::vector<std::pair<qint32, QString>> sections;
    {
        std::optional<QSqlQuery> query = db.select(QStringLiteral("SELECT * FROM Section ORDER BY ID"));
        if (!query) {
            log.writeLog(db.lastErrorNumber(), db.lastErrorDescription(), QStringLiteral("main"), true);
            return;
        }
        while (query->next())
            sections.emplace_back(query->value(QStringLiteral("ID")).toInt(),
                                  query->value(QStringLiteral("Letter")).toString().trimmed());
    }
    for (const auto& [id, letter] : sections) {
        const QString section = QString::number(id);
        qint16 maxRound = 0;
        db.getDBValue(QStringLiteral("SELECT MAX(round) AS maxround FROM RoundData WHERE Section=") + section,
                      QStringLiteral("maxround"), maxRound);
        // The label's "Initailize" as programs that read the log expect it.
        db.execSQL(
            QStringLiteral(
                "UPDATE Section SET custom_qz_stanazBeginGameRound=1, custom_qz_stanazEdgeGameRound=") +
                QString::number(maxRound) + QStringLiteral(", custom_qz_UFRmode=0 WHERE ID=") + section,
            QStringLiteral("Initailize stanza"));
        log.writeLog(0,
                     QStringLiteral("Initialize stanza for ") + letter + QStringLiteral(": 1,") +
                         QString::number(maxRound),
                     QStringLiteral("main"));
    }
}

} // namespace qzc

#pragma once

#include "core/ScoreDb.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace qzc::test {

/// The rows of sql, the fields of a row joined with "|", the rows with " ".
inline QString queryRows(ScoreDb& db, const QString& sql) {
    QStringList lines;
    std::optional<QSqlQuery> q = db.select(sql);
    while (q && q->next()) {
        QStringList fields;
        for (int i = 0; i < q->record().count(); ++i)
            fields << q->value(i).toString();
        lines << fields.join(QLatin1Char('|'));
    }
    return lines.join(QLatin1Char(' '));
}

} // namespace qzc::test

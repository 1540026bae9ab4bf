#include "gamedata/PendingSeatNames.h"

#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"

#include <QSqlQuery>

namespace qzc {

std::optional<std::vector<PendingSeatName>> readPendingSeatNames(ScoreDb& db, qint16 section, qint16 table) {
    std::vector<PendingSeatName> pending;
    const bool read =
        db.readRows(QStringLiteral("SELECT Direction, [Number], Name, Updated FROM PlayerNumbers"
                                   " WHERE Section=? AND [Table]=? AND Updated<>0"),
                    {section, table}, [&pending](const QSqlQuery& row) {
                        pending.push_back(PendingSeatName{queryText(row, 0), StrToDouble(queryText(row, 1)),
                                                          row.value(2), row.value(3)});
                    });
    if (!read)
        return std::nullopt;
    return pending;
}

const PendingSeatName* findPendingSeatName(const std::vector<PendingSeatName>& pending, double number,
                                           const QString& direction) {
    if (number == 0)
        return nullptr;
    for (const PendingSeatName& seat : pending) {
        if (seat.number == number &&
            (direction.isEmpty() ||
             seat.direction.trimmed().compare(direction.trimmed(), Qt::CaseInsensitive) == 0))
            return &seat;
    }
    return nullptr;
}

} // namespace qzc

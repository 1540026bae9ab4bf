#include "gamedata/StoredSeatNames.h"

#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"

#include <QSqlQuery>

namespace qzc {

QString StoredSeatName::displayNameOr(const QString& listed) const {
    const QString stored = displayName.toString();
    return stored.isEmpty() ? listed : stored;
}

std::optional<std::vector<StoredSeatName>> readStoredSeatNames(ScoreDb& db, qint16 section, qint16 table) {
    std::vector<StoredSeatName> seats;
    const bool read = db.readRows(
        QStringLiteral("SELECT Direction, [Number], custom_qz_names, Name, Updated FROM PlayerNumbers"
                       " WHERE Section=? AND [Table]=? AND [Number]<>''"),
        {section, table}, [&seats](const QSqlQuery& row) {
            seats.push_back(StoredSeatName{queryText(row, 0), StrToDouble(queryText(row, 1)), row.value(2),
                                           row.value(3), row.value(4)});
        });
    if (!read)
        return std::nullopt;
    return seats;
}

const StoredSeatName* findStoredSeatName(const std::vector<StoredSeatName>& seats, double number,
                                         const QString& direction) {
    if (number == 0)
        return nullptr;
    for (const StoredSeatName& seat : seats) {
        if (seat.number == number &&
            (direction.isEmpty() ||
             seat.direction.trimmed().compare(direction.trimmed(), Qt::CaseInsensitive) == 0))
            return &seat;
    }
    return nullptr;
}

} // namespace qzc

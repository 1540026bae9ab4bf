#include "gamedata/NextSeating.h"

#include "core/Log.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/EmptySeats.h"
#include "gamedata/GameData.h"

#include <QSqlQuery>

namespace qzc {

namespace {

struct ColumnInfo {
    const char* name;
    const char* seat;
};

constexpr ColumnInfo kColumns[] = {{"NSPair", "NS"}, {"EWPair", "EW"}, {"South", "SO"}, {"West", "WE"}};

} // namespace

QString Seating::text() const {
    return found() ? QString::number(table).rightJustified(3, QLatin1Char('0')) + seat : QString();
}

Seating NextSeating::getNextSeating(const QString& tableId, qint16 round, qint16 number,
                                    Column column) const {
    if (number <= 0)
        return {};
    const QString letters = tableIdLetter(tableId);
    const qint16 sectionId = gameData_.getSectionID(letters);
    const ColumnInfo& wanted = kColumns[static_cast<int>(column)];
    // The numbering the terminals are told at login, as the round is read from RoundData.
    const bool separate = gameData_.hasSeparateNSEWPairs(letters);

    QString sql = QStringLiteral("SELECT [Table], NSPair, EWPair, South, West FROM RoundData"
                                 " WHERE Section=? AND Round=? AND ");
    QVariantList params{sectionId, round};
    if (separate) {
        sql += QLatin1String(wanted.name) + QStringLiteral("=?");
        params << number;
    } else {
        sql += QStringLiteral("(NSPair=? OR EWPair=? OR South=? OR West=?)");
        params << number << number << number << number;
    }
    sql += QStringLiteral(" AND NOT [Table]=? ORDER BY [Table]");
    params << tableIdNumber(tableId);

    std::optional<QSqlQuery> query = db_.select(sql, params);
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(),
                      QStringLiteral("Database - markTablePair"), true);
        return {};
    }
    if (!query->next())
        return {};
    Seating seating;
    seating.table = queryInt16(*query, 0);
    if (separate) {
        seating.seat = QLatin1String(wanted.seat);
        return seating;
    }
    // A Null seat reads as 0.
    for (int k = 0; k < 4; ++k) {
        if (queryInt16(*query, k + 1) == number) {
            seating.seat = QLatin1String(kColumns[k].seat);
            return seating;
        }
    }
    return {};
}

bool NextSeating::checkMovementPairs(const QString& tableId, qint16 round, qint16 nsPair, qint16 ewPair,
                                     qint16 south, qint16 west) const {
    QString sql = QStringLiteral("SELECT [Table] FROM RoundData WHERE Section=? AND [Table]=? AND Round=?"
                                 " AND (NSPair=? OR NSPair=0 OR NSPair IS NULL)"
                                 " AND (EWPair=? OR EWPair=0 OR EWPair IS NULL)");
    QVariantList params{gameData_.getSectionID(tableIdLetter(tableId)), tableIdNumber(tableId), round, nsPair,
                        ewPair};
    if (south >= 1 && west > 0) {
        sql += QStringLiteral(" AND South=? AND West=?");
        params << south << west;
    }
    std::optional<QSqlQuery> query = db_.select(sql, params);
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(),
                      QStringLiteral("Database - err_verifyTablePair"), true);
        return false;
    }
    return query->next() && queryInt16(*query, 0) > 0;
}

std::vector<MovementRow> NextSeating::tableRounds(const QString& tableId, qint16 round) const {
    const QString letters = tableIdLetter(tableId);
    const qint16 sectionId = gameData_.getSectionID(letters);
    const qint16 table = tableIdNumber(tableId);
    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT Round, NSPair, EWPair, South, West FROM RoundData"
                                  " WHERE Section=? AND [Table]=? AND Round>=? ORDER BY Round"),
                   {sectionId, table, round});
    const bool fourPlayers = gameData_.seatsFourPlayers(sectionId);
    std::vector<MovementRow> rows;
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(),
                      QStringLiteral("Database - tableRounds"), true);
        return rows;
    }
    while (query->next()) {
        MovementRow row;
        row.Section = sectionId;
        row.Letter = letters;
        row.Table = table;
        row.Round = queryInt16(*query, 0);
        row.NSPair = queryInt16(*query, 1);
        row.EWPair = queryInt16(*query, 2);
        row.South = queryInt16(*query, 3);
        row.West = queryInt16(*query, 4);
        row.play = rowPlay(row.seats(), fourPlayers);
        rows.push_back(row);
    }
    return rows;
}

} // namespace qzc

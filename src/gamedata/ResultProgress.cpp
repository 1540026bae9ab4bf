#include "gamedata/ResultProgress.h"

#include "gamedata/EmptySeats.h"
#include "gamedata/FieldValues.h"

#include <QSqlQuery>

namespace qzc {

namespace {

QString number(qint64 n) {
    return QString::number(n);
}

// The condition on table (RoundData, ReceivedData or Tables) of the section's tables that
// have a terminal. (A subquery rather than a join with custom_qz_TQZ: the join made SQLite
// build an index for every call.)
QString terminalTables(const QString& table, qint16 sectionId) {
    const QString section = number(sectionId);
    return QStringLiteral(" WHERE ") + table + QStringLiteral(".Section=") + section +
           QStringLiteral(" AND ") + table +
           QStringLiteral(".[Table] IN (SELECT [Table] FROM custom_qz_TQZ WHERE Section=") + section +
           QLatin1Char(')');
}

QString rounds(const ResultProgress::Range& range) {
    return QStringLiteral(" AND Round>=") + number(range.first) + QStringLiteral(" AND Round<=") +
           number(range.last);
}

// Boards owed by the rows of RoundData under where that owe their results.
QString owedQuery(const QString& where, const ResultProgress::Range& range) {
    return QStringLiteral("SELECT SUM(HighBoard-LowBoard+1) AS totalboard FROM RoundData") + where +
           rounds(range) + QStringLiteral(" AND HighBoard>0 AND LowBoard>0") +
           owesResultsCondition(range.fourPlayers);
}

// Results got by the rows of ReceivedData under where (the rounds only with the movement).
QString gotCondition(const QString& where, const ResultProgress::Range& range) {
    return where + (range.fromMovement ? rounds(range) : QString()) +
           QStringLiteral(" AND NOT Erased AND PairNS>0 AND PairEW>0");
}

QString gotQuery(const QString& where, const ResultProgress::Range& range) {
    return QStringLiteral("SELECT COUNT(Contract) AS totalresult FROM ReceivedData") +
           gotCondition(where, range);
}

QString tableCountQuery(const QString& where) {
    return QStringLiteral("SELECT COUNT(Tables.[Table]) AS cnttable FROM Tables") + where;
}

} // namespace

qint32 ResultProgress::Kept::gotTotal() const {
    qint32 total = 0;
    for (const auto& [table, count] : got)
        total += count;
    return total;
}

ResultProgress::Counts ResultProgress::table(const QString& tableCondition, const Range& range) {
    const QString where = QStringLiteral(" WHERE ") + tableCondition;
    Counts counts;
    if (range.fromMovement) {
        db_.getDBValue(owedQuery(where, range), QStringLiteral("totalboard"), counts.owed);
    } else {
        qint32 tables = 0;
        db_.getDBValue(tableCountQuery(where), QStringLiteral("cnttable"), tables);
        counts.owed = static_cast<qint32>(range.totalBoards) * tables;
    }
    db_.getDBValue(gotQuery(where, range), QStringLiteral("totalresult"), counts.got);
    return counts;
}

ResultProgress::Counts ResultProgress::section(qint16 sectionId, const Range& range,
                                               const ScoreDb::ChangeMark& mark) {
    auto found = kept_.find(sectionId);
    if (found == kept_.end() || !(found->second.range == range) || !found->second.mark.holdsAt(mark)) {
        if (found != kept_.end())
            kept_.erase(found);
        std::optional<Kept> counted = countSection(sectionId, range);
        if (!counted)
            return {};
        counted->mark = mark;
        found = kept_.emplace(sectionId, std::move(*counted)).first;
    }
    return Counts{found->second.gotTotal(), found->second.owed};
}

std::optional<ResultProgress::Kept> ResultProgress::countSection(qint16 sectionId, const Range& range) {
    Kept kept;
    kept.range = range;
    {
        std::optional<QSqlQuery> query = db_.select(
            QStringLiteral("SELECT [Table] FROM custom_qz_TQZ WHERE Section=") + number(sectionId));
        if (!query)
            return std::nullopt;
        while (query->next()) {
            if (const std::optional<qint16> table = fields::toInt16(query->value(0)))
                kept.tables.insert(*table);
        }
    }
    if (range.fromMovement) {
        db_.getDBValue(owedQuery(terminalTables(QStringLiteral("RoundData"), sectionId), range),
                       QStringLiteral("totalboard"), kept.owed);
    } else {
        qint32 tables = 0;
        db_.getDBValue(tableCountQuery(terminalTables(QStringLiteral("Tables"), sectionId)),
                       QStringLiteral("cnttable"), tables);
        kept.owed = static_cast<qint32>(range.totalBoards) * tables;
    }
    std::optional<QSqlQuery> query = db_.select(
        QStringLiteral("SELECT ReceivedData.[Table], COUNT(Contract) AS totalresult FROM ReceivedData") +
        gotCondition(terminalTables(QStringLiteral("ReceivedData"), sectionId), range) +
        QStringLiteral(" GROUP BY ReceivedData.[Table]"));
    if (!query)
        return std::nullopt;
    while (query->next()) {
        const std::optional<qint16> table = fields::toInt16(query->value(0));
        if (table)
            kept.got[*table] = query->value(1).toInt();
    }
    return kept;
}

qint32 ResultProgress::countTable(qint16 sectionId, qint16 table, const Range& range) {
    // With parameters: the statement is prepared once for every result stored.
    QString sql = QStringLiteral("SELECT COUNT(Contract) AS totalresult FROM ReceivedData WHERE Section=? "
                                 "AND [Table]=? AND NOT Erased AND "
                                 "PairNS>0 AND PairEW>0");
    QVariantList values{int{sectionId}, int{table}};
    if (range.fromMovement) {
        sql += QStringLiteral(" AND Round>=? AND Round<=?");
        values << int{range.first} << int{range.last};
    }
    qint32 got = 0;
    db_.getDBValue(sql, QStringLiteral("totalresult"), got, values);
    return got;
}

void ResultProgress::resultsChanged(qint16 sectionId, qint16 table, const ScoreDb::ChangeMark& before,
                                    const ScoreDb::ChangeMark& after, bool owedChanged) {
    for (auto it = kept_.begin(); it != kept_.end();) {
        Kept& kept = it->second;
        if (!kept.mark.holdsAt(before) || !before.onlyOwnChangesUntil(after) ||
            (owedChanged && it->first == sectionId)) {
            it = kept_.erase(it);
            continue;
        }
        if (it->first == sectionId && kept.tables.count(table) > 0)
            kept.got[table] = countTable(sectionId, table, kept.range);
        kept.mark = after;
        ++it;
    }
}

void ResultProgress::unrelatedChange(const ScoreDb::ChangeMark& before, const ScoreDb::ChangeMark& after) {
    for (auto it = kept_.begin(); it != kept_.end();) {
        if (it->second.mark.holdsAt(before) && before.onlyOwnChangesUntil(after)) {
            it->second.mark = after;
            ++it;
        } else {
            it = kept_.erase(it);
        }
    }
}

} // namespace qzc

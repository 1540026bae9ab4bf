#include "harness/DatabaseCheck.h"

#include "core/ScoreDb.h"
#include "scoring/WireCodes.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <optional>
#include <vector>

namespace qzc::fuzz {

namespace {

/// A query whose every row is a row that no valid request could have written.
struct Rule {
    QString what;
    /// Tables the query reads; the rule is passed over when one is missing.
    QStringList tables;
    QString sql;
    /// Bound to the query's placeholders.
    QVariantList params;
};

/// The rows of a table that only grows that a check looks at: rowids above after, up to
/// and including last.
struct RowRange {
    qint64 after = 0;
    qint64 last = 0;
};

/// Rows of a table of bids or played cards whose board the table does not play in their
/// round.
Rule outsideTheTablesMovement(const QString& what, const QString& table, const RowRange& rows) {
    return {what,
            {table, QStringLiteral("RoundData")},
            QStringLiteral("SELECT x.Section, x.[Table], x.Round, x.Board FROM ") + table +
                QStringLiteral(" x WHERE x.rowid>? AND x.rowid<=? AND NOT EXISTS (SELECT 1 FROM RoundData m "
                               "WHERE m.Section=x.Section AND m.[Table]=x.[Table] AND m.Round=x.Round AND "
                               "x.Board BETWEEN m.LowBoard AND m.HighBoard)"),
            {rows.after, rows.last}};
}

// Built anew for every check: a fuzz run checks once more at its very end, after the
// function-local statics made during the run are gone.
std::vector<Rule> rules(const RowRange& bids, const RowRange& cards) {
    return {
        {QStringLiteral("result of board 0"),
         {QStringLiteral("ReceivedData")},
         QStringLiteral(
             "SELECT Section, [Table], Round, Board, PairNS, PairEW FROM ReceivedData WHERE Board IS "
             "NULL OR Board<1"),
         {}},
        {QStringLiteral("result outside the table's movement (round, pairs or board)"),
         {QStringLiteral("ReceivedData"), QStringLiteral("RoundData")},
         QStringLiteral(
             "SELECT r.Section, r.[Table], r.Round, r.Board, r.PairNS, r.PairEW FROM ReceivedData r "
             "WHERE r.Board>=1 AND NOT EXISTS (SELECT 1 FROM RoundData m WHERE m.Section=r.Section "
             "AND m.[Table]=r.[Table] AND m.Round=r.Round AND m.NSPair=r.PairNS AND "
             "m.EWPair=r.PairEW AND r.Board BETWEEN m.LowBoard AND m.HighBoard)"),
         {}},
        {QStringLiteral("terminal bound to a table that does not exist"),
         {QStringLiteral("custom_qz_TQZ"), QStringLiteral("Tables")},
         QStringLiteral("SELECT t.TQZ_ID, t.Section, t.[Table] FROM custom_qz_TQZ t WHERE (t.Section<>0 OR "
                        "t.[Table]<>0) AND NOT EXISTS (SELECT 1 FROM Tables x WHERE x.Section=t.Section AND "
                        "x.[Table]=t.[Table])"),
         {}},
        {QStringLiteral("PIN of a pair outside the movement"),
         {QStringLiteral("custom_qz_PlayerPIN"), QStringLiteral("RoundData")},
         QStringLiteral("SELECT p.Section, p.Pair, p.Direction FROM custom_qz_PlayerPIN p WHERE NOT EXISTS "
                        "(SELECT 1 FROM RoundData m WHERE m.Section=p.Section AND (m.NSPair=p.Pair OR "
                        "m.EWPair=p.Pair))"),
         {}},
        {QStringLiteral("player ID at a seat of a table that does not exist"),
         {QStringLiteral("PlayerNumbers"), QStringLiteral("Tables")},
         QStringLiteral("SELECT p.Section, p.[Table], p.Direction, p.Number FROM PlayerNumbers p WHERE NOT "
                        "EXISTS (SELECT 1 FROM Tables x WHERE x.Section=p.Section AND x.[Table]=p.[Table])"),
         {}},
        outsideTheTablesMovement(QStringLiteral("bid outside the table's movement (round or board)"),
                                 QStringLiteral("BiddingData"), bids),
        outsideTheTablesMovement(QStringLiteral("played card outside the table's movement (round or board)"),
                                 QStringLiteral("PlayData"), cards),
        {QStringLiteral("dealt cards of board 0"),
         {QStringLiteral("HandRecord")},
         QStringLiteral("SELECT Section, Board FROM HandRecord WHERE Board IS NULL OR Board<1"),
         {}},
    };
}

QString rowText(const QSqlQuery& query) {
    const QSqlRecord record = query.record();
    QStringList fields;
    for (int i = 0; i < record.count(); ++i)
        fields << record.fieldName(i) + QLatin1Char('=') + query.value(i).toString();
    return fields.join(QLatin1Char(' '));
}

/// Tricks of a stored contract ("4 S x") and its result ("=", "+2", "-3"); nothing when
/// either cannot be read.
std::optional<int> storedTricks(const QString& contract, const QString& result) {
    const QRegularExpression contractForm(QStringLiteral("^([1-7]) (C|D|H|S|NT)( x| xx)?$"));
    const QRegularExpression resultForm(QStringLiteral("^(=|[+-][0-9]{1,2})$"));
    const QRegularExpressionMatch level = contractForm.match(contract);
    if (!level.hasMatch() || !resultForm.match(result).hasMatch())
        return std::nullopt;
    const int difference = result == QLatin1String("=") ? 0 : result.toInt();
    return level.captured(1).toInt() + 6 + difference;
}

void checkPlayedContracts(ScoreDb& db, QStringList& problems) {
    std::optional<QSqlQuery> query = db.select(
        QStringLiteral("SELECT Section, [Table], Round, Board, Contract, Result, [NS/EW] FROM "
                       "ReceivedData WHERE Contract IS NOT NULL AND Contract<>'' AND Contract<>'PASS'"));
    if (!query) {
        problems << QStringLiteral("played contracts cannot be read: ") + db.lastErrorDescription();
        return;
    }
    while (query->next()) {
        const std::optional<int> tricks =
            storedTricks(query->value(4).toString(), query->value(5).toString());
        const QString declarer = query->value(6).toString();
        if (!tricks || *tricks < 0 || *tricks > 13 || declarer.size() != 1 ||
            !QStringLiteral("NESW").contains(declarer))
            problems << QStringLiteral("result that no contract byte and result byte give: ") +
                            rowText(*query);
    }
}

/// Every call a bid byte in range gives, and every card a played-card byte gives.
QSet<QString> wireTexts(bool bids) {
    QSet<QString> texts;
    for (int code = 0; code < 256; ++code) {
        const auto byte = static_cast<quint8>(code);
        if (bids && isBidByteInRange(byte))
            texts.insert(wireBidText(byte));
        else if (!bids && isCardByteInRange(byte) && !isNoCardByte(byte))
            texts.insert(wireCardText(byte));
    }
    return texts;
}

/// Rows of bids or played cards whose seat is not a seat letter or whose value no byte of
/// the terminal gives.
void checkRecordValues(ScoreDb& db, const QString& what, const QString& table, const QString& column,
                       bool bids, const RowRange& rows, QStringList& problems) {
    std::optional<QSqlQuery> query =
        db.select(QStringLiteral("SELECT Section, [Table], Round, Board, Counter, Direction, ") + column +
                      QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE rowid>? AND rowid<=?"),
                  {rows.after, rows.last});
    if (!query) {
        problems << what + QStringLiteral(": the check fails: ") + db.lastErrorDescription();
        return;
    }
    const QSet<QString> valid = wireTexts(bids);
    const QStringList seats{QStringLiteral("N"), QStringLiteral("E"), QStringLiteral("S"),
                            QStringLiteral("W")};
    while (query->next()) {
        if (!seats.contains(query->value(5).toString()) || !valid.contains(query->value(6).toString()) ||
            query->value(4).toInt() < 1)
            problems << what + QStringLiteral(": ") + rowText(*query);
    }
}

/// The rows of a table that grows that this check looks at; none when the table is missing.
RowRange rowsToCheck(ScoreDb& db, const QStringList& present, const QString& table,
                     const CheckedRows* checked) {
    RowRange rows;
    if (!present.contains(table, Qt::CaseInsensitive))
        return rows;
    if (checked) {
        const auto mark = checked->upTo.find(table);
        rows.after = mark == checked->upTo.end() ? 0 : mark->second;
    }
    QVariant last;
    db.getDBValue(QStringLiteral("SELECT MAX(rowid) AS last FROM ") + table, QStringLiteral("last"), last);
    rows.last = last.toLongLong();
    return rows;
}

} // namespace

QStringList rowsNoRequestCouldWrite(ScoreDb& db, CheckedRows* checked) {
    QStringList problems;
    const std::optional<QStringList> present = db.tableNames();
    if (!present)
        return {QStringLiteral("the tables of the database cannot be listed")};
    const QString bidTable = QStringLiteral("BiddingData");
    const QString cardTable = QStringLiteral("PlayData");
    const RowRange bids = rowsToCheck(db, *present, bidTable, checked);
    const RowRange cards = rowsToCheck(db, *present, cardTable, checked);
    for (const Rule& rule : rules(bids, cards)) {
        bool complete = true;
        for (const QString& table : rule.tables)
            complete = complete && present->contains(table, Qt::CaseInsensitive);
        if (!complete)
            continue;
        std::optional<QSqlQuery> query = db.select(rule.sql, rule.params);
        if (!query) {
            problems << rule.what + QStringLiteral(": the check fails: ") + db.lastErrorDescription();
            continue;
        }
        while (query->next())
            problems << rule.what + QStringLiteral(": ") + rowText(*query);
    }
    if (present->contains(QStringLiteral("ReceivedData"), Qt::CaseInsensitive))
        checkPlayedContracts(db, problems);
    if (present->contains(bidTable, Qt::CaseInsensitive))
        checkRecordValues(db, QStringLiteral("bid that no call byte gives"), bidTable, QStringLiteral("Bid"),
                          true, bids, problems);
    if (present->contains(cardTable, Qt::CaseInsensitive))
        checkRecordValues(db, QStringLiteral("played card that no card byte gives"), cardTable,
                          QStringLiteral("Card"), false, cards, problems);
    if (checked) {
        checked->upTo[bidTable] = bids.last;
        checked->upTo[cardTable] = cards.last;
    }
    return problems;
}

} // namespace qzc::fuzz

#include "gamedata/PairPins.h"

#include "core/DbTransaction.h"
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/GameData.h"

#include <QHash>
#include <QSqlQuery>

namespace qzc {

namespace {

const QString kMarkSource = QStringLiteral("Database - markPairPIN");

QString fourDigits(qint64 n) {
    return QString::number(n).rightJustified(4, QLatin1Char('0'));
}

} // namespace

QString PairPins::pinText(int pin) {
    return fourDigits(pin);
}

void PairPins::logDbError(const QString& source) const {
    log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), source, true);
}

bool PairPins::keepsDirection(const QString& letters) const {
    // The numbering the terminals are told at login, not the one in memory, which may lag
    // behind a saved game type or a changed movement until the next analysis. A section the
    // event does not hold keeps none.
    return gameData_.getSectionID(letters) != 0 && gameData_.hasSeparateNSEWPairs(letters);
}

bool PairPins::storePin(qint16 sectionId, qint16 pair, const QString& direction, bool matchDirection,
                        int pin) {
    QString where = QStringLiteral(" WHERE Pair=? AND Section=?");
    QVariantList keys{pair, sectionId};
    if (matchDirection) {
        where += QStringLiteral(" AND Direction=?");
        keys << direction;
    }
    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT PIN FROM custom_qz_PlayerPIN") + where, keys);
    if (!query)
        return false;
    const bool known = query->next();
    query.reset();
    if (known)
        return db_.execSQL(QStringLiteral("UPDATE custom_qz_PlayerPIN SET PIN=?") + where, kMarkSource, false,
                           QVariantList{pinText(pin)} + keys);
    return db_.execSQL(QStringLiteral("INSERT INTO custom_qz_PlayerPIN (Section, Pair, Direction, PIN)"
                                      " VALUES (?,?,?,?)"),
                       kMarkSource, false, {sectionId, pair, direction, pinText(pin)});
}

bool PairPins::markPairPIN(const QString& tableId, const PinSubmission& pins) {
    log_.writeLog(0, QStringLiteral("Mark Pair pin code"));
    const QString letters = tableIdLetter(tableId);
    const qint16 sectionId = gameData_.getSectionID(letters);
    const bool separate = keepsDirection(letters);
    const QString ns = QStringLiteral("NS");
    const QString ew = QStringLiteral("EW");

    // A terminal whose PINs are not all stored gets no reply and sends them again.
    DbTransaction transaction(db_);
    bool stored = transaction.isActive() && storePin(sectionId, pins.nsPair, ns, separate, pins.nsPin) &&
                  storePin(sectionId, pins.ewPair, ew, separate, pins.ewPin);
    if (stored && pins.secondNs > 0)
        stored = storePin(sectionId, pins.secondNs, ns, false, pins.nsPin);
    if (stored && pins.secondEw > 0)
        stored = storePin(sectionId, pins.secondEw, ew, false, pins.ewPin);
    if (stored)
        stored = transaction.commit();
    if (!stored)
        logDbError(kMarkSource);
    return stored;
}

QString PairPins::getPairPINList() const {
    QString text;
    for (const PairPinRecord& record : pairPinRecords().value_or(std::vector<PairPinRecord>{}))
        text += record.label + QLatin1Char(',') + record.pin + QLatin1Char(';');
    return text;
}

std::optional<std::vector<PairPinRecord>> PairPins::pairPinRecords() const {
    struct Row {
        qint16 pair = 0;
        QString direction;
        QString pin;
        QString letters;
    };
    std::vector<Row> rows;
    {
        std::optional<QSqlQuery> query =
            db_.select(QStringLiteral("SELECT custom_qz_PlayerPIN.Pair, custom_qz_PlayerPIN.Direction,"
                                      " custom_qz_PlayerPIN.PIN, Section.Letter FROM custom_qz_PlayerPIN"
                                      " LEFT JOIN Section ON custom_qz_PlayerPIN.Section=Section.ID"
                                      " ORDER BY Section.Letter ASC, custom_qz_PlayerPIN.Direction DESC,"
                                      " custom_qz_PlayerPIN.Pair ASC"));
        if (!query) {
            logDbError(QStringLiteral("Database - getPairPIN"));
            return std::nullopt;
        }
        while (query->next()) {
            if (!query->value(0).isNull())
                rows.push_back({queryInt16(*query, 0), queryText(*query, 1), queryText(*query, 2),
                                queryText(*query, 3).trimmed()});
        }
    }
    QHash<QString, bool> separate;
    std::vector<PairPinRecord> records;
    for (const Row& row : rows) {
        auto known = separate.constFind(row.letters);
        if (known == separate.constEnd())
            known = separate.insert(row.letters, keepsDirection(row.letters));
        if (row.direction == QLatin1String("NS") && known.value())
            continue;
        records.push_back(
            {row.letters + fourDigits(convertPairNumber(row.pair, event_.bandedPairNumbering)), row.pin});
    }
    return records;
}

std::optional<QByteArray> PairPins::getSectionPINData(const QString& letters) const {
    const QString source = QStringLiteral("Database - getallPairPIN");
    const qint16 sectionId = gameData_.getSectionID(letters);
    QString sql = QStringLiteral("SELECT Pair, PIN FROM custom_qz_PlayerPIN WHERE Section=?");
    if (keepsDirection(letters))
        sql += QStringLiteral(" AND Direction='EW'");
    std::optional<QSqlQuery> query = db_.select(sql + QStringLiteral(" ORDER BY Pair ASC"), {sectionId});
    if (!query) {
        logDbError(source);
        return std::nullopt;
    }
    QByteArray block;
    while (query->next() && block.size() < 3 * maxTerminalRecords) {
        if (query->value(0).isNull() || query->value(1).isNull())
            continue;
        const qint16 pair = queryInt16(*query, 0);
        const qint32 sent = convertPairNumber(pair, event_.bandedPairNumbering);
        if (sent < 0 || sent > 255) {
            log_.writeLog(0,
                          QStringLiteral("PIN of pair ") + QString::number(pair) +
                              QStringLiteral(" of section ") + letters +
                              QStringLiteral(" left out: its number does not fit a byte"),
                          source);
            continue;
        }
        const QString pin = fourDigits(StrToLong(queryText(*query, 1)));
        block.append(static_cast<char>(sent));
        block.append(static_cast<char>(StrToInt(pin.left(2)) & 0xFF));
        block.append(static_cast<char>(StrToInt(pin.right(2)) & 0xFF));
    }
    return block.isEmpty() ? QByteArray(1, '\0') : block;
}

} // namespace qzc

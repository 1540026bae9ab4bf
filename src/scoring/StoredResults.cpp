#include "scoring/StoredResults.h"

#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "scoring/ContractScore.h"
#include "scoring/RecordFields.h"
#include "scoring/WireCodes.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QTime>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("Database - getBoardResult");

// What of a stored row goes into its entry, by its remark.
struct EntryTexts {
    QString contract;
    QString declarer;
    QString lead;
    qint16 tricks = 0;
};

bool isAdjustedScore(const QString& remarks) {
    for (const AdjustedScoreCode& adjusted : adjustedScoreCodes) {
        if (remarks.compare(QLatin1String(adjusted.text), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The texts of a row's entry, or nothing when the row is not sent (no contract, or a
// free remark).
std::optional<EntryTexts> entryTexts(const QSqlQuery& row) {
    const QString remarks = textValue(row.value(QStringLiteral("Remarks")));
    const QString declarer = textValue(row.value(QStringLiteral("custom_qz_declarer")));
    const QString lead = textValue(row.value(QStringLiteral("LeadCard")));
    EntryTexts texts;
    if (remarks.isEmpty()) {
        const QString contract = textValue(row.value(QStringLiteral("Contract")));
        texts = {contract, declarer, lead,
                 calcTricksMade(contract, textValue(row.value(QStringLiteral("Result"))))};
    } else if (remarks.compare(QLatin1String("NP"), Qt::CaseInsensitive) == 0 ||
               remarks.compare(QLatin1String("LP"), Qt::CaseInsensitive) == 0) {
        texts = {remarks, declarer, lead, 0};
    } else if (remarks.compare(QLatin1String("Not played"), Qt::CaseInsensitive) == 0) {
        texts = {QStringLiteral("NP"), declarer, lead, 0};
    } else if (isAdjustedScore(remarks)) {
        // The remark in place of the declarer gives the adjusted score's result byte.
        return EntryTexts{QString(), remarks, QString(), 0};
    }
    if (texts.contract.isEmpty())
        return std::nullopt;
    return texts;
}

// The stored date: a date value, or a text starting "yyyy-mm-dd"; invalid for Null.
QDate storedDate(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    return QDate::fromString(textValue(value).trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
}

// The stored time: a time value, or the "hh:mm:ss" within a text (alone or after a date).
QTime storedTime(const QVariant& value) {
    if (value.typeId() == QMetaType::QTime)
        return value.toTime();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().time();
    static const QRegularExpression pattern(QStringLiteral("(\\d{1,2}):(\\d{2})(?::(\\d{2}))?"));
    const QRegularExpressionMatch match = pattern.match(textValue(value));
    if (!match.hasMatch())
        return {};
    return QTime(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
}

} // namespace

StoredResults::StoredResults(ScoreDb& db, Log& log, const EventInfo& event)
    : db_(db), log_(log), event_(event) {}

std::optional<QByteArray> StoredResults::getBoardResultData(const TableAddress& table, qint16 firstRound,
                                                            bool withSouthWest) {
    log_.writeLog(0, QStringLiteral("Get board result data for ") + table.tableId);
    QString sql = QStringLiteral("SELECT * FROM ReceivedData WHERE ") + table.sqlSectionTable() +
                  QStringLiteral(" AND NOT Erased");
    if (firstRound > 0)
        sql += QStringLiteral(" AND Round>=") + QString::number(firstRound);
    sql += QStringLiteral(" ORDER BY Round ASC, Board ASC");
    std::optional<QSqlQuery> query = db_.select(sql);
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kSource, true);
        return std::nullopt;
    }

    const int capacity = withSouthWest ? maxEntriesWithSouthWest : maxEntries;
    const bool banded = event_.bandedPairNumbering;
    // A pair or player number as the terminals number them; 0 when that does not fit.
    auto numberByte = [&](const QVariant& value) {
        const qint32 number = convertPairNumber(int16Value(value), banded);
        if (number >= 0 && number <= 255)
            return static_cast<char>(number);
        log_.writeLog(0,
                      QStringLiteral("Stored result for ") + table.tableId + QStringLiteral(": number ") +
                          QString::number(number) + QStringLiteral(" does not fit a byte, sent as 0"),
                      kSource);
        return '\0';
    };

    QByteArray payload;
    int entries = 0;
    while (query->next()) {
        const std::optional<EntryTexts> texts = entryTexts(*query);
        if (!texts)
            continue;
        const qint16 board = int16Value(query->value(QStringLiteral("Board")));
        if (board < 0 || board > 255) {
            log_.writeLog(0,
                          QStringLiteral("Stored result for ") + table.tableId +
                              QStringLiteral(" of board ") + QString::number(board) +
                              QStringLiteral(" left out: the board does not fit a byte"),
                          kSource);
            continue;
        }
        if (entries == capacity) {
            log_.writeLog(0,
                          QStringLiteral("Stored board results for ") + table.tableId +
                              QStringLiteral(" cut at ") + QString::number(capacity) +
                              QStringLiteral(" results: the reply holds no more"),
                          kSource);
            break;
        }
        payload.append(static_cast<char>(board));
        payload.append(byteValue(encodeContractByte(texts->contract)));
        payload.append(byteValue(encodeResultByte(texts->declarer, texts->tricks)));
        payload.append(byteValue(encodeCardByte(texts->lead)));
        payload.append(numberByte(query->value(QStringLiteral("PairNS"))));
        payload.append(numberByte(query->value(QStringLiteral("PairEW"))));
        if (withSouthWest) {
            payload.append(numberByte(query->value(QStringLiteral("South"))));
            payload.append(numberByte(query->value(QStringLiteral("West"))));
        }
        const QDate date = storedDate(query->value(QStringLiteral("DateLog")));
        const QTime time = storedTime(query->value(QStringLiteral("TimeLog")));
        const int year = date.isValid() ? date.year() : 0;
        payload.append(byteValue(year / 256));
        payload.append(byteValue(year % 256));
        payload.append(byteValue(date.isValid() ? date.month() : 0));
        payload.append(byteValue(date.isValid() ? date.day() : 0));
        payload.append(byteValue(time.isValid() ? time.hour() : 0));
        payload.append(byteValue(time.isValid() ? time.minute() : 0));
        payload.append(byteValue(time.isValid() ? time.second() : 0));
        ++entries;
    }
    if (entries == 0)
        return QByteArray(1, '\0');
    return payload;
}

std::optional<qint16> StoredResults::countTableResults(const TableAddress& table, qint16 firstRound) {
    if (table.sectionId < 1)
        return qint16{0};
    QString sql = QStringLiteral("SELECT COUNT(Board) AS cntresult FROM ReceivedData WHERE NOT Erased AND ") +
                  table.sqlSectionTable();
    if (firstRound > 0)
        sql += QStringLiteral(" AND Round>=") + QString::number(firstRound);
    qint16 count = 0;
    if (!db_.getDBValue(sql, QStringLiteral("cntresult"), count)) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(),
                      QStringLiteral("Database - countTableResults"), true);
        return std::nullopt;
    }
    return count;
}

} // namespace qzc

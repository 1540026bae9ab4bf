#include "scoring/FeedbackPayloads.h"

#include "core/Log.h"
#include "core/ScoreDb.h"
#include "scoring/ContractScore.h"
#include "scoring/CountedResults.h"
#include "scoring/RecordFields.h"
#include "scoring/ScoreBytes.h"
#include "scoring/WireCodes.h"

namespace qzc {

namespace {

const QString kTravellerSource = QStringLiteral("Database - getTravelerFBdata");
const QString kFrequencySource = QStringLiteral("Database - getFrequencyFBdata");

// The score that ends a cut frequency list, sent with the count 255.
constexpr qint16 endMarkerScore = -9999;

QByteArray nothingToSend() {
    return QByteArray(1, '\0');
}

} // namespace

FeedbackPayloads::FeedbackPayloads(ScoreDb& db, Log& log, const GameSettings& settings)
    : db_(db), log_(log), settings_(settings) {}

QString FeedbackPayloads::countedResultsOfBoard(const TableAddress& table, qint16 board,
                                                QVariantList& values) const {
    QString condition = QStringLiteral(" WHERE Board=?");
    values << int{board};
    if (!scoresAcrossField(settings_)) {
        condition += QStringLiteral(" AND Section=?");
        values << int{table.sectionId};
    }
    return condition + QStringLiteral(" AND ") + countedResultCondition();
}

void FeedbackPayloads::logFailure(const QString& source) {
    log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), source, true);
}

std::optional<QByteArray> FeedbackPayloads::getTravelerFeedback(const TableAddress& table, qint16 board,
                                                                qint16 round) {
    log_.writeLog(0, QStringLiteral("Get traveler feedback data"));
    // The table's own result is always that of its own section, also across the field.
    QVariantList values;
    const QString condition = countedResultsOfBoard(table, board, values) +
                              QStringLiteral(" AND NOT ([Table]=? AND Section=? AND Round=?)");
    values << int{table.table} << int{table.sectionId} << int{round};

    // Every result is counted; the first maxEntries are sent.
    qint32 count = 0;
    QByteArray payload;
    const bool read = db_.readRows(
        QStringLiteral("SELECT Contract, custom_qz_declarer, Result, LeadCard FROM ReceivedData") +
            condition + QStringLiteral(" ORDER BY custom_qz_score DESC, Section, [Table], Round"),
        values, [&](const QSqlQuery& row) {
            ++count;
            if (payload.size() >= 3 * maxEntries)
                return;
            const QString contract = textValue(row.value(0));
            const QString declarer = textValue(row.value(1));
            const QString result = textValue(row.value(2));
            const QString lead = textValue(row.value(3));
            payload.append(byteValue(encodeContractByte(contract)));
            payload.append(byteValue(encodeResultByte(declarer, calcTricksMade(contract, result))));
            payload.append(byteValue(encodeCardByte(lead)));
        });
    if (!read) {
        logFailure(kTravellerSource);
        return std::nullopt;
    }
    if (count == 0)
        return nothingToSend();
    if (count > maxMatchpointTravellerResults && !scoresImps(settings_))
        return QByteArray(withheldTravellerSize, '\0');
    return payload.isEmpty() ? nothingToSend() : payload;
}

std::optional<QByteArray> FeedbackPayloads::getFrequencyFeedback(const TableAddress& table, qint16 board) {
    log_.writeLog(0, QStringLiteral("Get frequency feedback data"));
    // One entry more than fits tells whether the list has to be cut.
    QVariantList values;
    const QString condition = countedResultsOfBoard(table, board, values);
    QByteArray payload;
    int entries = 0;
    const bool read = db_.readRows(
        QStringLiteral("SELECT custom_qz_score, COUNT(custom_qz_score) AS cntscore FROM ReceivedData") +
            condition + QStringLiteral(" GROUP BY custom_qz_score ORDER BY custom_qz_score DESC"),
        values, [&](const QSqlQuery& row) {
            // A group of results without a score has no score to show.
            if (entries > maxEntries || row.value(0).isNull())
                return;
            appendScoreBytes(payload, int16Value(row.value(0)));
            payload.append(byteValue(row.value(1).toInt()));
            ++entries;
        });
    if (!read) {
        logFailure(kFrequencySource);
        return std::nullopt;
    }
    if (entries == 0)
        return nothingToSend();
    if (entries > maxEntries) {
        payload.truncate(3 * (maxEntries - 1));
        appendScoreBytes(payload, endMarkerScore);
        payload.append(byteValue(255));
    }
    return payload;
}

} // namespace qzc

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

QString FeedbackPayloads::countedResultsOfBoard(const TableAddress& table, qint16 board) const {
    QString condition = QStringLiteral(" WHERE Board=") + QString::number(board);
    if (!scoresAcrossField(settings_))
        condition += QStringLiteral(" AND Section=") + QString::number(table.sectionId);
    return condition + QStringLiteral(" AND ") + countedResultCondition();
}

void FeedbackPayloads::logFailure(const QString& source) {
    log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), source, true);
}

std::optional<QByteArray> FeedbackPayloads::getTravelerFeedback(const TableAddress& table, qint16 board,
                                                                qint16 round) {
    log_.writeLog(0, QStringLiteral("Get traveler feedback data"));
    // The table's own result is always that of its own section, also across the field.
    const QString condition = countedResultsOfBoard(table, board) + QStringLiteral(" AND NOT ([Table]=") +
                              QString::number(table.table) + QStringLiteral(" AND Section=") +
                              QString::number(table.sectionId) + QStringLiteral(" AND Round=") +
                              QString::number(round) + QLatin1Char(')');

    qint32 count = 0;
    if (!db_.getDBValue(QStringLiteral("SELECT COUNT(*) AS cntresult FROM ReceivedData") + condition,
                        QStringLiteral("cntresult"), count)) {
        logFailure(kTravellerSource);
        return std::nullopt;
    }
    if (count == 0)
        return nothingToSend();
    if (count > maxMatchpointTravellerResults && !scoresImps(settings_))
        return QByteArray(withheldTravellerSize, '\0');

    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT * FROM ReceivedData") + condition +
                   QStringLiteral(" ORDER BY custom_qz_score DESC, Section, [Table], Round"));
    if (!query) {
        logFailure(kTravellerSource);
        return std::nullopt;
    }
    QByteArray payload;
    while (payload.size() < 3 * maxEntries && query->next()) {
        const QString contract = textValue(query->value(QStringLiteral("Contract")));
        const QString declarer = textValue(query->value(QStringLiteral("custom_qz_declarer")));
        const QString result = textValue(query->value(QStringLiteral("Result")));
        const QString lead = textValue(query->value(QStringLiteral("LeadCard")));
        payload.append(byteValue(encodeContractByte(contract)));
        payload.append(byteValue(encodeResultByte(declarer, calcTricksMade(contract, result))));
        payload.append(byteValue(encodeCardByte(lead)));
    }
    return payload.isEmpty() ? nothingToSend() : payload;
}

std::optional<QByteArray> FeedbackPayloads::getFrequencyFeedback(const TableAddress& table, qint16 board) {
    log_.writeLog(0, QStringLiteral("Get frequency feedback data"));
    std::optional<QSqlQuery> query = db_.select(
        QStringLiteral("SELECT custom_qz_score, COUNT(custom_qz_score) AS cntscore FROM ReceivedData") +
        countedResultsOfBoard(table, board) +
        QStringLiteral(" GROUP BY custom_qz_score ORDER BY custom_qz_score DESC"));
    if (!query) {
        logFailure(kFrequencySource);
        return std::nullopt;
    }
    // One entry more than fits tells whether the list has to be cut.
    QByteArray payload;
    int entries = 0;
    while (entries <= maxEntries && query->next()) {
        // A group of results without a score has no score to show.
        if (query->value(0).isNull())
            continue;
        appendScoreBytes(payload, int16Value(query->value(0)));
        payload.append(byteValue(query->value(1).toInt()));
        ++entries;
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

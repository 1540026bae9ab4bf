#include "scoring/FeedbackPayloads.h"

#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/ScoreDb.h"
#include "scoring/ContractScore.h"
#include "scoring/CountedResults.h"
#include "scoring/RecordFields.h"
#include "scoring/ScoreBytes.h"
#include "scoring/WireCodes.h"

#include <algorithm>

namespace qzc {

namespace {

const QString kTravellerSource = QStringLiteral("Database - getTravelerFBdata");
const QString kFrequencySource = QStringLiteral("Database - getFrequencyFBdata");
const QString kScoreFrequencySource = QStringLiteral("Database - getScoreFrequncy");

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

std::optional<QSqlQuery> FeedbackPayloads::selectScoreCounts(const TableAddress& table, qint16 board) {
    return db_.select(
        QStringLiteral("SELECT custom_qz_score, COUNT(custom_qz_score) AS cntscore FROM ReceivedData") +
        countedResultsOfBoard(table, board) +
        QStringLiteral(" GROUP BY custom_qz_score ORDER BY custom_qz_score DESC"));
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
    std::optional<QSqlQuery> query = selectScoreCounts(table, board);
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

std::optional<QByteArray> FeedbackPayloads::getScoreFrequencyData(const TableAddress& table, qint16 board,
                                                                  const FrequencyContestant& contestant) {
    log_.writeLog(0, QStringLiteral("Get score frequency data for board ") + QString::number(board));

    // The own score is the contestant's result in its own section, also across the field
    // (pair numbers repeat from section to section), from the side it sits on when the
    // pairs keep their direction (an EW pair shares its number with an NS pair).
    std::optional<qint16> own;
    if (contestant.number > 0) {
        QString who;
        if (contestant.separatePairs)
            who = contestant.eastWest ? QStringLiteral(" AND PairEW=%1") : QStringLiteral(" AND PairNS=%1");
        else if (StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_gametype"))) == 1)
            who = QStringLiteral(" AND (PairNS=%1 OR PairEW=%1 OR South=%1 OR West=%1)");
        else
            who = QStringLiteral(" AND (PairNS=%1 OR PairEW=%1)");
        std::optional<QSqlQuery> query = db_.select(
            QStringLiteral("SELECT custom_qz_score FROM ReceivedData WHERE Board=") + QString::number(board) +
            QStringLiteral(" AND Section=") + QString::number(table.sectionId) + QStringLiteral(" AND ") +
            countedResultCondition() + who.arg(contestant.number) + QStringLiteral(" ORDER BY Round DESC"));
        if (!query) {
            logFailure(kScoreFrequencySource);
            return std::nullopt;
        }
        if (query->next() && !query->value(0).isNull())
            own = int16Value(query->value(0));
    }

    std::optional<QSqlQuery> query = selectScoreCounts(table, board);
    if (!query) {
        logFailure(kScoreFrequencySource);
        return std::nullopt;
    }
    QByteArray payload;
    while (payload.size() < 4 * maxBoardFrequencyEntries && query->next()) {
        if (query->value(0).isNull())
            continue;
        const qint16 score = int16Value(query->value(0));
        payload.append(byteValue(board));
        appendScoreBytes(payload, score);
        // Held to 127, so that no count reads as the mark of the own score.
        payload.append(static_cast<char>(std::min(query->value(1).toInt(), maxFrequencyCount) +
                                         (own == score ? 128 : 0)));
    }
    return payload.isEmpty() ? nothingToSend() : payload;
}

} // namespace qzc

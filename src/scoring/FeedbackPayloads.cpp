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

#include <QSqlQuery>
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

bool FeedbackPayloads::readScoreCounts(const TableAddress& table, qint16 board,
                                       const std::function<void(const QSqlQuery&)>& row) {
    QVariantList values;
    const QString condition = countedResultsOfBoard(table, board, values);
    return db_.readRows(
        QStringLiteral("SELECT custom_qz_score, COUNT(custom_qz_score) AS cntscore FROM ReceivedData") +
            condition + QStringLiteral(" GROUP BY custom_qz_score ORDER BY custom_qz_score DESC"),
        values, row);
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
    QByteArray payload;
    int entries = 0;
    const bool read = readScoreCounts(table, board, [&](const QSqlQuery& row) {
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

std::optional<QByteArray> FeedbackPayloads::getScoreFrequencyData(const TableAddress& table, qint16 board,
                                                                  const FrequencyContestant& contestant) {
    log_.writeLog(0, QStringLiteral("Get score frequency data for board ") + QString::number(board));

    // The own score is the contestant's result in its own section, also across the field
    // (pair numbers repeat from section to section), from the side it sits on when the
    // pairs keep their direction (an EW pair shares its number with an NS pair).
    std::optional<qint16> own;
    if (contestant.number > 0) {
        QString who;
        QVariantList values{int{board}, int{table.sectionId}};
        if (contestant.separatePairs) {
            who = contestant.eastWest ? QStringLiteral(" AND PairEW=?") : QStringLiteral(" AND PairNS=?");
            values << int{contestant.number};
        } else if (StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_gametype"))) == 1) {
            who = QStringLiteral(" AND (PairNS=? OR PairEW=? OR South=? OR West=?)");
            values << int{contestant.number} << int{contestant.number} << int{contestant.number}
                   << int{contestant.number};
        } else {
            who = QStringLiteral(" AND (PairNS=? OR PairEW=?)");
            values << int{contestant.number} << int{contestant.number};
        }
        const bool read = db_.readRows(
            QStringLiteral("SELECT custom_qz_score FROM ReceivedData WHERE Board=? AND Section=? AND ") +
                countedResultCondition() + who + QStringLiteral(" ORDER BY Round DESC"),
            values, [&own](const QSqlQuery& row) {
                if (!own && !row.value(0).isNull())
                    own = int16Value(row.value(0));
            });
        if (!read) {
            logFailure(kScoreFrequencySource);
            return std::nullopt;
        }
    }

    QByteArray payload;
    const bool read = readScoreCounts(table, board, [&](const QSqlQuery& row) {
        if (payload.size() >= 4 * maxBoardFrequencyEntries || row.value(0).isNull())
            return;
        const qint16 score = int16Value(row.value(0));
        payload.append(byteValue(board));
        appendScoreBytes(payload, score);
        // Held to 127, so that no count reads as the mark of the own score.
        payload.append(
            static_cast<char>(std::min(row.value(1).toInt(), maxFrequencyCount) + (own == score ? 128 : 0)));
    });
    if (!read) {
        logFailure(kScoreFrequencySource);
        return std::nullopt;
    }
    return payload.isEmpty() ? nothingToSend() : payload;
}

} // namespace qzc

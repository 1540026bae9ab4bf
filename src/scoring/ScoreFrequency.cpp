#include "scoring/ScoreFrequency.h"

#include "core/DbTransaction.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "scoring/CountedResults.h"
#include "scoring/RecordFields.h"

#include <algorithm>
#include <limits>

namespace qzc {

namespace {

const QString kFrequencySource = QStringLiteral("Database - boardResultFrequency");
const QString kScaleLabel = QStringLiteral("WriteScalePoint");

QString sectionCondition(qint16 section) {
    return section > 0 ? QStringLiteral(" AND Section=") + QString::number(section) : QString();
}

} // namespace

ScoreFrequency::ScoreFrequency(ScoreDb& db, Log& log, const GameSettings& settings)
    : db_(db), log_(log), settings_(settings) {}

qint16 ScoreFrequency::getScoreFrequency(qint16 section, qint16 board, ScoreFrequencyTable& table) {
    return readScoreFrequency(section, board, table).value_or(0);
}

std::optional<ScoredBoard> ScoreFrequency::scoreBoard(qint16 section, qint16 board, BoardScoringMethod method,
                                                      bool symmetric) {
    const std::optional<qint16> results = readScoreFrequency(section, board, boardFrequencyTable_);
    if (!results)
        return std::nullopt;
    if (method == BoardScoringMethod::CrossImps)
        calcImpScores(boardFrequencyTable_, symmetric);
    else
        calcMatchpoints(boardFrequencyTable_);
    return ScoredBoard{*results, boardFrequencyTable_};
}

std::optional<qint16> ScoreFrequency::readScoreFrequency(qint16 section, qint16 board,
                                                         ScoreFrequencyTable& table) {
    table.clear();
    // Asked for every board of a ranking or result file: a statement prepared once.
    QString sql = QStringLiteral("SELECT custom_qz_score AS rawscore,COUNT(custom_qz_score) AS cnt "
                                 "FROM ReceivedData WHERE ") +
                  countedResultCondition() + QStringLiteral(" AND Board=?");
    QVariantList values{int{board}};
    if (section > 0) {
        sql += QStringLiteral(" AND Section=?");
        values << int{section};
    }
    sql += QStringLiteral(" GROUP BY custom_qz_score ORDER BY custom_qz_score DESC");
    qint32 total = 0;
    bool tooMany = false;
    const bool read = db_.readRows(sql, values, [&](const QSqlQuery& row) {
        // Results without a score count 0 in their group and earn nothing.
        if (tooMany || row.value(0).isNull())
            return;
        if (table.size() >= static_cast<std::size_t>(maxDistinctScores)) {
            tooMany = true;
            return;
        }
        ScoreFrequencyRecord record;
        record.score = int16Value(row.value(0));
        record.count = int16Value(row.value(1));
        table.push_back(record);
        total += record.count;
    });
    if (!read) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kFrequencySource, true);
        return std::nullopt;
    }
    if (tooMany) {
        log_.writeLog(9,
                      QStringLiteral("Board ") + QString::number(board) + QStringLiteral(" has more than ") +
                          QString::number(maxDistinctScores) + QStringLiteral(" distinct scores"),
                      kFrequencySource, true);
        return std::nullopt;
    }
    return static_cast<qint16>(std::min<qint32>(total, std::numeric_limits<qint16>::max()));
}

bool ScoreFrequency::WriteScalePoint(qint16 board, const std::vector<qint16>& sectionIds) {
    if (board < 1)
        return true;
    const QString source = QStringLiteral("Database - WriteScalePoint");
    DbTransaction transaction(db_);
    if (!transaction.isActive()) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), source, true);
        return false;
    }
    const bool across = scoresAcrossField(settings_);
    for (const qint16 id : sectionIds) {
        writeSectionScale(board, across ? qint16{0} : id);
        if (across)
            break;
    }
    db_.execSQL(
        QStringLiteral("UPDATE ReceivedData SET custom_qz_scalepoint=-1 WHERE board=") +
            QString::number(board) +
            QStringLiteral(" AND (NOT (remarks='' OR remarks IS NULL) OR contract='' OR contract IS NULL)"),
        kScaleLabel);
    if (!transaction.commit()) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), source, true);
        return false;
    }
    return true;
}

void ScoreFrequency::writeSectionScale(qint16 board, qint16 section) {
    ScoreFrequencyTable table;
    const qint16 results = getScoreFrequency(section, board, table);
    const QString where = QStringLiteral(" WHERE board=") + QString::number(board) +
                          sectionCondition(section) + noRemarkWithContract();
    // Every counted result loses its old scale first: one left alone (a single result, or
    // one without a score) has none.
    db_.execSQL(QStringLiteral("UPDATE ReceivedData SET custom_qz_scalepoint=-1,custom_qz_scalepointmax=0") +
                    where,
                kScaleLabel);
    if (results <= 1)
        return;
    const qint16 top = calcMatchpoints(table);
    for (const ScoreFrequencyRecord& record : table) {
        db_.execSQL(QStringLiteral("UPDATE ReceivedData SET custom_qz_scalepoint=") +
                        QString::number(record.scale) + QStringLiteral(",custom_qz_scalepointmax=") +
                        QString::number(top) + where + QStringLiteral(" AND custom_qz_score=") +
                        QString::number(record.score),
                    kScaleLabel);
    }
}

} // namespace qzc

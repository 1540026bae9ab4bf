#include "core/ScoreDbDataCheck.h"

#include "core/Config.h"
#include "core/DbTransaction.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/OwnScoreColumns.h"
#include "core/ScoreDb.h"
#include "scoring/ContractScore.h"

#include <QSqlRecord>
#include <vector>

namespace qzc {

namespace {

const QString kCheckSource = QStringLiteral("Database - checkDBData");
const QString kRepairSource = QStringLiteral("DB_Initialize");
const QString kFillScoreLabel = QStringLiteral("Fill up custom_qz_score");

QString textOf(const QSqlQuery& query, const char* field) {
    const QVariant value = query.value(QString::fromLatin1(field));
    return value.isNull() ? QString() : value.toString();
}

struct ResultToScore {
    qint32 id = 0;
    qint16 board = 0;
    QString remarks;
    QString result;
    QString declarer;
    QString contract;
};

// The results whose own score is missing, with what it is made from; false when they cannot
// be read.
bool readResultsToScore(ScoreDb& db, std::vector<ResultToScore>& rows) {
    std::optional<QSqlQuery> query = db.select(QStringLiteral(
        "SELECT * FROM ReceivedData WHERE (custom_qz_score=0 OR custom_qz_score IS NULL) AND NOT "
        "(custom_qz_declarer='' OR custom_qz_declarer IS NULL) ORDER BY ID"));
    if (!query)
        return false;
    while (query->next()) {
        ResultToScore row;
        row.id = static_cast<qint32>(query->value(QStringLiteral("ID")).toLongLong());
        row.board = static_cast<qint16>(query->value(QStringLiteral("board")).toInt());
        row.remarks = textOf(*query, "remarks");
        row.result = textOf(*query, "result");
        row.declarer = textOf(*query, "custom_qz_declarer");
        row.contract = textOf(*query, "Contract");
        rows.push_back(row);
    }
    return true;
}

} // namespace

bool ScoreDbDataCheck::detectBandedNumbering() {
    bool banded = true;
    for (int band = 0; band < 4; ++band) {
        const int low = 100 * band;
        const int high = 100 * (band + 1);
        qint32 maxNs = 0;
        qint32 maxEw = 0;
        db_.getDBValue(
            QStringLiteral("SELECT MAX(NSpair) as maxno FROM RoundData WHERE NSPair>%1 AND NSPair<=%2")
                .arg(low)
                .arg(high),
            QStringLiteral("maxno"), maxNs);
        db_.getDBValue(
            QStringLiteral("SELECT MAX(EWpair) as maxno FROM RoundData WHERE EWPair>%1 AND EWPair<=%2")
                .arg(low)
                .arg(high),
            QStringLiteral("maxno"), maxEw);
        const qint32 bandMax = std::max(maxNs, maxEw);
        // Every band must be used, and none may be filled up to its last number.
        if (bandMax == 0 || bandMax == high)
            banded = false;
    }
    return banded;
}

bool ScoreDbDataCheck::checkDBData(bool& bandedPairNumbering) {
    auto runtimeError = [this] {
        log_.writeLog(9003, QString(), kCheckSource);
        failureReason_ =
            QStringLiteral("The sections, tables or movement of the score database cannot be read.");
        return false;
    };
    failureReason_.clear();

    qint32 count = -1;
    if (!db_.getDBValue(QStringLiteral("SELECT COUNT(ID) as cnt FROM Section"), QStringLiteral("cnt"),
                        count) ||
        count < 0)
        return runtimeError();
    if (count == 0) {
        log_.writeLog(0, QStringLiteral("No section is defined"));
        failureReason_ = QStringLiteral("No section is defined in the score database.");
        return false;
    }

    std::optional<QSqlQuery> movement = db_.select(QStringLiteral("SELECT NSpair from RoundData"));
    if (!movement)
        return runtimeError();
    const bool hasMovement = movement->next();
    movement.reset();

    if (hasMovement) {
        bandedPairNumbering = detectBandedNumbering();
        if (bandedPairNumbering) {
            log_.writeLog(
                0, QStringLiteral("Pair numbering format for team game from Magic Contest is found. Pair "
                                  "numbers to TQZ will be transcribed."));
        } else {
            qint32 above = -1;
            if (!db_.getDBValue(
                    QStringLiteral("SELECT COUNT(*) as cnt FROM RoundData WHERE NSpair>255 OR EWpair>255"),
                    QStringLiteral("cnt"), above) ||
                above < 0)
                return runtimeError();
            if (above >= 1) {
                log_.writeLog(0, QStringLiteral("Pair number larger than 255 found"));
                messages_.showStandardMsg(QStringLiteral("Pair number larger than 255 found."),
                                          Config::appTitle, MessageBox::StandardIcon::Critical);
                failureReason_ = QStringLiteral("The movement has a pair number larger than 255.");
                return false;
            }
        }
    }

    count = -1;
    if (!db_.getDBValue(QStringLiteral("SELECT COUNT([Table]) as cnt FROM Tables"), QStringLiteral("cnt"),
                        count) ||
        count < 0)
        return runtimeError();
    if (count == 0) {
        log_.writeLog(0, QStringLiteral("No table is defined"));
        failureReason_ = QStringLiteral("No table is defined in the score database.");
        return false;
    }

    const QString label = QStringLiteral("checkDBdta");
    for (const char* table : {"RoundData", "ReceivedData"}) {
        for (const char* seat : {"South", "West"}) {
            db_.execSQL(QStringLiteral("UPDATE %1 SET %2=0 WHERE %2 IS NULL or %2=0 or %2=9999")
                            .arg(QLatin1String(table), QLatin1String(seat)),
                        label);
        }
    }

    if (!db_.hasRows(QStringLiteral("SELECT custom_qz_showgoto FROM custom_qz_settings")))
        db_.execSQL(QStringLiteral("INSERT INTO custom_qz_settings (custom_qz_showgoto) VALUES (0)"),
                    QStringLiteral("Create record in QZ game settings"));
    return true;
}

bool ScoreDbDataCheck::repairResults() {
    fillDeclarers();
    if (!fillScores())
        return false;
    fillPassScores();
    OwnScoreColumns ownScores(db_, log_, kRepairSource);
    const bool followed = ownScores.followSharedColumns();
    ownScoresInLine_ = ownScores.inLine();
    return followed;
}

void ScoreDbDataCheck::fillDeclarers() {
    db_.execSQL(
        QStringLiteral("UPDATE ReceivedData SET custom_qz_declarer=[NS/EW] WHERE custom_qz_declarer='' OR "
                       "custom_qz_declarer IS NULL"),
        QStringLiteral("Fill up custom_qz_declarer"));
}

bool ScoreDbDataCheck::fillScores() {
    std::vector<ResultToScore> rows;
    if (!readResultsToScore(db_, rows)) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kFillScoreLabel, true);
        return true;
    }
    if (rows.empty())
        return true;

    log_.writeLog(0, QStringLiteral("Fill back QZ score"), kRepairSource);
    // One commit for the whole pass instead of one disk sync per row.
    DbTransaction transaction(db_);
    if (!transaction.isActive()) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kFillScoreLabel, true);
        return false;
    }
    // The scores are made from the rows as stored under the write lock: another program may
    // have changed a result while this program waited for it.
    rows.clear();
    if (!readResultsToScore(db_, rows)) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kFillScoreLabel, true);
        return true;
    }
    for (ResultToScore& row : rows) {
        row.contract.remove(QLatin1Char(' '));
        qint16 score = 0;
        if (row.remarks.trimmed().isEmpty()) {
            const qint16 tricks = calcTricksMade(row.contract, row.result);
            score = calcContractScore(row.board, row.contract, row.declarer, tricks);
        }
        db_.execSQL(
            QStringLiteral("UPDATE ReceivedData SET custom_qz_score=%1 WHERE ID=%2").arg(score).arg(row.id),
            kFillScoreLabel);
    }
    if (!transaction.commit()) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kFillScoreLabel, true);
        return false;
    }
    return true;
}

void ScoreDbDataCheck::fillPassScores() {
    const QString declarerLess = QStringLiteral("(custom_qz_declarer='' OR custom_qz_declarer IS NULL)");
    if (!db_.hasRows(QStringLiteral(
                         "SELECT * FROM ReceivedData WHERE custom_qz_score IS NULL AND trim(Contract)='PASS' "
                         "AND ") +
                     declarerLess))
        return;
    log_.writeLog(0, QStringLiteral("Fill back QZ score for PASS"), kRepairSource);
    db_.execSQL(QStringLiteral("UPDATE ReceivedData SET custom_qz_score=0 WHERE trim(Contract)='PASS' AND ") +
                    declarerLess,
                kFillScoreLabel);
}

} // namespace qzc

#include "core/OwnScoreColumns.h"

#include "core/DbTransaction.h"
#include "core/Log.h"
#include "core/PlayedResultScores.h"
#include "core/QueryValues.h"

#include <optional>
#include <vector>

namespace qzc {

namespace {

const QString kLabel = QStringLiteral("Follow up custom_qz_score");

// One played result whose own columns are to be written, with what they held.
struct Rescored {
    qint64 id = 0;
    qint16 board = 0;
    QString played;
    QString oldScore;
    QString oldDeclarer;
    qint16 score = 0;
    QString declarer;
};

// The columns of the query below; its rows are all read whenever another program committed
// (a few columns: reading is what costs).
enum PlayedColumn { Id, Board, Contract, Result, SharedDeclarer, OwnScore, OwnDeclarer };
const QString kPlayedColumns = QStringLiteral(
    "SELECT ID, Board, Contract, Result, [NS/EW], custom_qz_score, custom_qz_declarer FROM ReceivedData");
const QString kPlayedResults =
    kPlayedColumns + QStringLiteral(" WHERE Remarks='' OR Remarks IS NULL ORDER BY ID");
// One of them again, under the write lock: it may have changed or gone since the first read.
const QString kPlayedResult =
    kPlayedColumns + QStringLiteral(" WHERE ID=? AND (Remarks='' OR Remarks IS NULL)");

// The row when its own columns differ from what its shared ones give.
std::optional<Rescored> rescored(const QSqlQuery& row, PlayedResultScores& scores) {
    const qint16 board = queryInt16(row, Board);
    const QString contract = queryText(row, Contract);
    const QString result = queryText(row, Result);
    const std::optional<OwnColumnValues>& given =
        scores.of(board, contract, result, queryText(row, SharedDeclarer));
    if (!given)
        return std::nullopt;
    const QVariant stored = row.value(OwnScore);
    bool isNumber = false;
    const bool scoreInLine = !stored.isNull() && stored.toLongLong(&isNumber) == given->score && isNumber;
    const QString ownDeclarer = queryText(row, OwnDeclarer);
    if (scoreInLine && ownDeclarer == given->declarer)
        return std::nullopt;
    Rescored r;
    r.id = row.value(Id).toLongLong();
    r.board = board;
    r.played = contract.trimmed() + QLatin1Char(' ') + result.trimmed() + QLatin1Char(' ') + given->declarer;
    r.oldScore = stored.isNull() ? QStringLiteral("none") : stored.toString();
    r.oldDeclarer = ownDeclarer;
    r.score = given->score;
    r.declarer = given->declarer;
    return r;
}

} // namespace

bool OwnScoreColumns::followSharedColumns(const ScoreDb::ChangeMark& lookedAtElsewhere) {
    const ScoreDb::ChangeMark now = db_.changeMark();
    if (inLine_.onlyOwnChangesUntil(now) || lookedAtElsewhere.onlyOwnChangesUntil(now))
        return true;
    // Nothing is written then; the next look tries again.
    auto fail = [this](bool errorLogged = false) {
        if (!errorLogged)
            log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kLabel, true);
        log_.writeLog(
            0, QStringLiteral("QZ scores of changed results not written, tried again at the next check"),
            source_);
        return false;
    };
    // The first read takes no lock: most looks find every row in line and write nothing.
    PlayedResultScores scores;
    std::vector<qint64> outOfLine;
    if (!db_.readRows(kPlayedResults, {}, [&outOfLine, &scores](const QSqlQuery& row) {
            if (rescored(row, scores))
                outOfLine.push_back(row.value(Id).toLongLong());
        }))
        return fail();
    if (!outOfLine.empty()) {
        // A change another program commits after the mark was taken is found at the next look.
        DbTransaction transaction(db_);
        if (!transaction.isActive())
            return fail();
        // What is written is read under the write lock: the other program may have changed a
        // result again while this program waited for the lock.
        std::vector<Rescored> rows;
        for (const qint64 id : outOfLine) {
            if (!db_.readRows(kPlayedResult, {id}, [&rows, &scores](const QSqlQuery& row) {
                    if (std::optional<Rescored> r = rescored(row, scores))
                        rows.push_back(std::move(*r));
                }))
                return fail();
        }
        for (const Rescored& r : rows) {
            // Logged by execSQL; the transaction takes back what was written before.
            if (!db_.execSQL(
                    QStringLiteral(
                        "UPDATE ReceivedData SET custom_qz_score=?, custom_qz_declarer=? WHERE ID=?"),
                    kLabel, false, {int{r.score}, r.declarer, r.id}))
                return fail(true);
        }
        if (!transaction.commit())
            return fail();
        for (const Rescored& r : rows)
            log_.writeLog(0,
                          QStringLiteral("QZ score follows the stored result, ID ") + QString::number(r.id) +
                              QStringLiteral(", board ") + QString::number(r.board) + QStringLiteral(": ") +
                              r.played + QStringLiteral(", score ") + r.oldScore + QStringLiteral(" to ") +
                              QString::number(r.score) + QStringLiteral(", declarer '") + r.oldDeclarer +
                              QStringLiteral("' to '") + r.declarer + QLatin1Char('\''),
                          source_);
    }
    inLine_ = now;
    return true;
}

} // namespace qzc

#include "reports/ResultRows.h"

#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "reports/ResultFileGameData.h"
#include "scoring/ContractScore.h"
#include "scoring/CountedResults.h"

#include <QSqlRecord>

namespace qzc {

namespace {

const QString kSetupSource = QStringLiteral("Database - memory_brdResult_setup");
const QString kScoringSource = QStringLiteral("Database - memory_brdResult_scoring");

bool isNoContract(const QString& contract, const QString& remarks) {
    const QString remark = remarks.trimmed().toUpper();
    if (remark == QLatin1String("PASS") || remark == QLatin1String("NP") || remark == QLatin1String("LP"))
        return true;
    return contract.isEmpty() && remarks.isEmpty();
}

QString withoutBlanks(QString text) {
    text.remove(QLatin1Char(' '));
    return text;
}

void setValues(ResultValues& values, const ScoreFrequencyRecord& entry, BoardScoringMethod method) {
    values.ns = entry.scale;
    values.ew = method == BoardScoringMethod::Matchpoints ? entry.top - entry.scale : -entry.scale;
    values.top = entry.top;
    values.base = entry.base;
    const double range = values.top - values.base;
    if (range == 0) {
        values.nsPercentage = 0;
        values.ewPercentage = 0;
        return;
    }
    // 100 x (value - base) / range, multiplied first: a percentage that is an exact half
    // stays one (23 of 40 is 57.5, where 23 / 40 x 100 gives 57.4999...) and is rounded as
    // a half in the result file.
    values.nsPercentage = 100 * (values.ns - values.base) / range;
    // In cross-IMPs East-West hold the negated value on the negated range -top..-base; on a
    // range that is not symmetric the North-South base would put them below 0 or above 100.
    const double ewBase = method == BoardScoringMethod::Matchpoints ? values.base : -values.top;
    values.ewPercentage = 100 * (values.ew - ewBase) / range;
}

} // namespace

ResultRowBuilder::ResultRowBuilder(ScoreDb& db, const GameSettings& settings, Log& log,
                                   ScoredBoardSource& boards)
    : db_(db), settings_(settings), log_(log), boards_(boards) {}

std::optional<std::vector<ResultFileRow>> ResultRowBuilder::memory_brdResult_setup(qint16 section,
                                                                                   qint16 board) {
    // The columns that are read, not every column of every row.
    QString sql = QStringLiteral(
        "SELECT "
        "ReceivedData.Board,ReceivedData.Section,Section.Letter,PairNS,PairEW,Remarks,Round,South,West,"
        "Contract,custom_qz_score,custom_qz_declarer,LeadCard,Result FROM ReceivedData"
        " INNER JOIN Section ON ReceivedData.Section=Section.ID WHERE NOT Erased");
    if (section > 0)
        sql += QStringLiteral(" AND ReceivedData.Section=") + QString::number(section);
    if (board > 0)
        sql += QStringLiteral(" AND Board=") + QString::number(board);
    sql +=
        QStringLiteral(" ORDER BY ReceivedData.Section ASC, Board ASC, ReceivedData.[Table] ASC, Round ASC");
    std::optional<QSqlQuery> query = db_.select(sql);
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kSetupSource, true);
        return std::nullopt;
    }
    const QSqlRecord record = query->record();
    const int boardColumn = record.indexOf(QStringLiteral("Board"));
    const int sectionColumn = record.indexOf(QStringLiteral("Section"));
    const int letterColumn = record.indexOf(QStringLiteral("Letter"));
    const int nsColumn = record.indexOf(QStringLiteral("PairNS"));
    const int ewColumn = record.indexOf(QStringLiteral("PairEW"));
    const int remarksColumn = record.indexOf(QStringLiteral("Remarks"));
    const int roundColumn = record.indexOf(QStringLiteral("Round"));
    const int southColumn = record.indexOf(QStringLiteral("South"));
    const int westColumn = record.indexOf(QStringLiteral("West"));
    const int contractColumn = record.indexOf(QStringLiteral("Contract"));
    const int scoreColumn = record.indexOf(QStringLiteral("custom_qz_score"));
    const int declarerColumn = record.indexOf(QStringLiteral("custom_qz_declarer"));
    const int leadColumn = record.indexOf(QStringLiteral("LeadCard"));
    const int resultColumn = record.indexOf(QStringLiteral("Result"));
    const bool individual = StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_gametype"))) == 1;

    std::vector<ResultFileRow> rows;
    while (query->next()) {
        ResultFileRow row;
        row.board = queryInt16(*query, boardColumn);
        row.sectionId = queryInt16(*query, sectionColumn);
        row.sectionLetter = queryText(*query, letterColumn).trimmed();
        row.nsPair = queryInt16(*query, nsColumn);
        row.ewPair = queryInt16(*query, ewColumn);
        row.remarks = queryText(*query, remarksColumn);
        row.round = queryInt16(*query, roundColumn);
        if (individual) {
            row.south = queryInt16(*query, southColumn);
            row.west = queryInt16(*query, westColumn);
        }
        const QString storedContract = queryText(*query, contractColumn);
        row.contract = withoutBlanks(storedContract);
        row.noContract = isNoContract(row.contract, row.remarks);
        if (row.noContract) {
            row.contract.clear();
        } else {
            row.score = queryInt16(*query, scoreColumn);
            // "Not played", adjusted scores and free remarks are stored with score 0: looked
            // up by it they would take the value of a passed-out result.
            row.unscored = query->isNull(scoreColumn) || !isCountedResult(row.remarks, storedContract);
            row.declarer = queryText(*query, declarerColumn);
            row.lead = queryText(*query, leadColumn);
            row.tricks = calcTricksMade(row.contract, queryText(*query, resultColumn));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

bool ResultRowBuilder::memory_brdResult_scoring(std::vector<ResultFileRow>& rows, bool across,
                                                BoardScoringMethod method, const ResultFileGameData& game) {
    if (rows.empty())
        return false;
    ScoredBoard scored;
    qint16 previousBoard = 0;
    qint16 previousSection = 0;
    for (ResultFileRow& row : rows) {
        if (row.board != previousBoard || (!across && row.sectionId != previousSection)) {
            // A section whose pairs change direction ranks both directions in one list.
            const bool symmetric = !game.separateNsEw(row.sectionId);
            std::optional<ScoredBoard> next =
                boards_.scoreBoard(across ? qint16(0) : row.sectionId, row.board, method, symmetric);
            if (!next) {
                log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kScoringSource, true);
                return false;
            }
            scored = std::move(*next);
        }
        previousBoard = row.board;
        previousSection = row.sectionId;
        if (scored.results <= 0 || row.noContract || row.unscored)
            continue;
        const ScoreFrequencyRecord* entry = scored.find(row.score);
        if (entry != nullptr)
            setValues(method == BoardScoringMethod::Matchpoints ? row.matchpoints : row.imps, *entry, method);
    }
    return true;
}

} // namespace qzc

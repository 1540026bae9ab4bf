#include "scoring/PairScore.h"

#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "scoring/CountedResults.h"

#include <QHash>
#include <QStringList>
#include <algorithm>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("Database - PairScore");

quint32 contestantKey(qint16 section, qint16 number) {
    return (static_cast<quint32>(static_cast<quint16>(section)) << 16) | static_cast<quint16>(number);
}

// The contestants found so far, in the order found, with a look-up by section and number.
class ContestantList {
public:
    void add(qint16 section, qint16 number) {
        const quint32 key = contestantKey(section, number);
        if (index_.contains(key))
            return;
        index_.insert(key, records_.size());
        PairScoreRecord record;
        record.section = section;
        record.number = number;
        records_.push_back(record);
    }

    PairScoreRecord* find(qint16 section, qint16 number) {
        const auto it = index_.constFind(contestantKey(section, number));
        return it == index_.cend() ? nullptr : &records_[*it];
    }

    std::vector<PairScoreRecord>& records() { return records_; }

private:
    std::vector<PairScoreRecord> records_;
    QHash<quint32, std::size_t> index_;
};

void creditSameSide(PairScoreRecord* record, const ScoreFrequencyRecord& entry) {
    if (record == nullptr)
        return;
    ++record->boards;
    record->points += entry.scale;
    record->maximum += entry.top;
    record->base += entry.base;
}

// An East-West seat earns the mirror of the North-South scale: in IMPs the negated value
// on the negated range, in matchpoints what is left of the top.
void creditOtherSide(PairScoreRecord* record, const ScoreFrequencyRecord& entry, bool imps) {
    if (record == nullptr)
        return;
    ++record->boards;
    if (imps) {
        record->points -= entry.scale;
        record->maximum -= entry.base;
        record->base -= entry.top;
    } else {
        record->points += entry.top - entry.scale;
        record->maximum += entry.top;
        record->base += entry.base;
    }
}

void setPercentage(PairScoreRecord& record) {
    if (record.boards <= 0)
        record.percentage = 0;
    else if (record.maximum - record.base > 0.0)
        // Multiplied first, so that an exact half of a percent stays a half.
        record.percentage = 100 * (record.points - record.base) / (record.maximum - record.base);
    else
        record.percentage = 50.0;
}

} // namespace

PairRanking::PairRanking(ScoreDb& db, const GameSettings& settings, Log& log, ScoredBoardSource& boards)
    : db_(db), settings_(settings), log_(log), boards_(boards) {}

void PairRanking::logDatabaseError() {
    log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kSource, true);
}

std::optional<std::vector<PairScoreRecord>> PairRanking::calcPairScore(qint16 section, RankingSide side,
                                                                       qint16 topN, qint16 round,
                                                                       bool forceMatchpoints) {
    log_.writeLog(0, QStringLiteral("Calculate pair score"));
    const bool symmetric = side == RankingSide::Both;
    const bool individual = StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_gametype"))) == 1;
    qint16 s = section;
    if (StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_scoreacrosspair"))) == 1)
        s = 0;
    const QString sectionCondition = s > 0 ? QStringLiteral(" AND Section=") + QString::number(s) : QString();

    // The boards played more than once decide who is a contestant.
    QString playedBoards =
        QStringLiteral("(SELECT Board FROM ReceivedData WHERE ") + countedResultCondition();
    if (round > 0)
        playedBoards += QStringLiteral(" AND Round<=") + QString::number(round);
    playedBoards += sectionCondition + QStringLiteral(" GROUP BY Board HAVING COUNT(Board)>1)");

    QStringList seatColumns;
    if (side != RankingSide::EastWest)
        seatColumns << QStringLiteral("PairNS");
    if (side != RankingSide::NorthSouth)
        seatColumns << QStringLiteral("PairEW");
    if (individual)
        seatColumns << QStringLiteral("South") << QStringLiteral("West");

    ContestantList contestants;
    for (const QString& column : seatColumns) {
        std::optional<QSqlQuery> query =
            db_.select(QStringLiteral("SELECT Section, ") + column +
                       QStringLiteral(" FROM ReceivedData WHERE Board IN ") + playedBoards +
                       QStringLiteral(" AND NOT ") + column + QStringLiteral("=0") + sectionCondition +
                       QStringLiteral(" GROUP BY Section, ") + column + QStringLiteral(" ORDER BY ") +
                       column + QStringLiteral(" ASC, Section ASC"));
        if (!query) {
            logDatabaseError();
            return std::nullopt;
        }
        while (query->next())
            contestants.add(queryInt16(*query, 0), queryInt16(*query, 1));
    }
    if (contestants.records().empty())
        return std::vector<PairScoreRecord>{};

    const bool impSetting = StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_scoringtype"))) == 0;
    const BoardScoringMethod method =
        impSetting && !forceMatchpoints ? BoardScoringMethod::CrossImps : BoardScoringMethod::Matchpoints;

    // Only counted results earn anything: erased rows, remarks and rows without a contract
    // would otherwise be credited whenever their stored score equals a played one.
    std::optional<QSqlQuery> query = db_.select(
        QStringLiteral(
            "SELECT Board, Section, PairNS, PairEW, South, West, custom_qz_score FROM ReceivedData WHERE ") +
        countedResultCondition() + sectionCondition +
        QStringLiteral(" ORDER BY Board ASC, Section, PairNS ASC"));
    if (!query) {
        logDatabaseError();
        return std::nullopt;
    }
    ScoredBoard scored;
    qint16 previousBoard = 0;
    while (query->next()) {
        const qint16 board = queryInt16(*query, 0);
        const qint16 rowSection = queryInt16(*query, 1);
        const qint16 ns = queryInt16(*query, 2);
        const qint16 ew = queryInt16(*query, 3);
        const qint16 south = individual ? queryInt16(*query, 4) : 0;
        const qint16 west = individual ? queryInt16(*query, 5) : 0;
        const qint16 score = queryInt16(*query, 6);
        if (board != previousBoard) {
            std::optional<ScoredBoard> next = boards_.scoreBoard(s, board, method, symmetric);
            if (!next)
                return std::nullopt;
            scored = std::move(*next);
        }
        previousBoard = board;
        // A result whose score was never stored is in no table and earns nothing; read as 0
        // it would take the value of a passed-out board.
        if (scored.results <= 1 || query->isNull(6))
            continue;
        const ScoreFrequencyRecord* entry = scored.find(score);
        if (entry == nullptr)
            continue;
        if (side != RankingSide::EastWest)
            creditSameSide(contestants.find(rowSection, ns), *entry);
        if (south > 0)
            creditSameSide(contestants.find(rowSection, south), *entry);
        if (side != RankingSide::NorthSouth)
            creditOtherSide(contestants.find(rowSection, ew), *entry, impSetting);
        if (west > 0)
            creditOtherSide(contestants.find(rowSection, west), *entry, impSetting);
    }

    std::vector<PairScoreRecord>& records = contestants.records();
    for (PairScoreRecord& record : records)
        setPercentage(record);
    std::stable_sort(records.begin(), records.end(), [](const PairScoreRecord& a, const PairScoreRecord& b) {
        return a.percentage > b.percentage;
    });
    if (topN > 0 && static_cast<std::size_t>(topN) < records.size())
        records.resize(static_cast<std::size_t>(topN));
    return std::move(records);
}

} // namespace qzc

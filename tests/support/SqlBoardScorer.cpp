#include "support/SqlBoardScorer.h"

#include "core/QueryValues.h"
#include "core/ScoreDb.h"

#include <algorithm>
#include <cstdlib>

namespace qzc::test {

int impsOf(int difference) {
    static constexpr int upperBounds[] = {10,   40,   80,   120,  160,  210,  260,  310,
                                          360,  420,  490,  590,  740,  890,  1090, 1290,
                                          1490, 1740, 1990, 2240, 2490, 2990, 3490, 3990};
    const int magnitude = std::abs(difference);
    int imps = 24;
    for (int i = 0; i < 24; ++i) {
        if (magnitude <= upperBounds[i]) {
            imps = i;
            break;
        }
    }
    return difference < 0 ? -imps : imps;
}

std::optional<ScoredBoard> SqlBoardScorer::scoreBoard(qint16 section, qint16 board, BoardScoringMethod method,
                                                      bool symmetric) {
    ++calls_;
    if (failing_)
        return std::nullopt;
    QString sql =
        QStringLiteral("SELECT custom_qz_score AS rawscore, COUNT(custom_qz_score) AS cnt FROM ReceivedData"
                       " WHERE ") +
        countedResultCondition + QStringLiteral(" AND Board=") + QString::number(board);
    if (section > 0)
        sql += QStringLiteral(" AND Section=") + QString::number(section);
    sql += QStringLiteral(" GROUP BY custom_qz_score ORDER BY custom_qz_score DESC");
    std::optional<QSqlQuery> query = db_.select(sql);
    if (!query)
        return std::nullopt;
    ScoredBoard scored;
    while (query->next()) {
        ScoredBoardEntry entry;
        entry.score = queryInt16(*query, 0);
        entry.count = queryInt16(*query, 1);
        scored.results = static_cast<qint16>(scored.results + entry.count);
        scored.entries.push_back(entry);
    }
    std::vector<ScoredBoardEntry>& entries = scored.entries;
    if (entries.empty())
        return scored;

    if (method == BoardScoringMethod::Matchpoints) {
        const int top = 2 * scored.results - 2;
        if (top <= 0)
            return scored;
        int below = scored.results;
        for (ScoredBoardEntry& entry : entries) {
            below -= entry.count;
            entry.scale = static_cast<qint16>(entry.count - 1 + 2 * below);
            entry.top = static_cast<qint16>(top);
            entry.base = 0;
        }
        return scored;
    }

    for (ScoredBoardEntry& entry : entries) {
        int sum = 0;
        for (const ScoredBoardEntry& other : entries)
            sum += impsOf(entry.score - other.score) * other.count;
        entry.scale = static_cast<qint16>(sum);
    }
    const auto [low, high] = std::minmax_element(
        entries.begin(), entries.end(),
        [](const ScoredBoardEntry& a, const ScoredBoardEntry& b) { return a.scale < b.scale; });
    int top = high->scale;
    int base = low->scale;
    if (symmetric) {
        const int m = std::max(std::abs(top), std::abs(base));
        top = m;
        base = -m;
    }
    for (ScoredBoardEntry& entry : entries) {
        entry.top = static_cast<qint16>(top);
        entry.base = static_cast<qint16>(base);
    }
    return scored;
}

} // namespace qzc::test

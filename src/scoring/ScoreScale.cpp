#include "scoring/ScoreScale.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace qzc {

namespace {

// Upper bound of each IMP step: a difference up to the n-th bound gives n IMPs.
constexpr std::array<int, 24> impBounds{10,  40,  80,   120,  160,  210,  260,  310,  360,  420,  490,  590,
                                        740, 890, 1090, 1290, 1490, 1740, 1990, 2240, 2490, 2990, 3490, 3990};

qint16 toInt16(qint64 value) {
    return static_cast<qint16>(
        std::clamp<qint64>(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

} // namespace

qint16 scoreToIMP(qint32 difference) {
    const qint32 magnitude = std::abs(difference);
    const auto step = std::lower_bound(impBounds.begin(), impBounds.end(), magnitude);
    const auto imps = static_cast<qint16>(step - impBounds.begin());
    return difference < 0 ? static_cast<qint16>(-imps) : imps;
}

qint16 calcMatchpoints(ScoreFrequencyTable& table) {
    if (table.empty())
        return 0;
    qint64 results = 0;
    for (const ScoreFrequencyRecord& record : table)
        results += record.count;
    const qint16 top = toInt16(2 * results - 2);
    if (top <= 0)
        return top;
    // Walk from the lowest score up, so the results beaten are known at each entry.
    qint64 lower = 0;
    for (auto it = table.rbegin(); it != table.rend(); ++it) {
        it->scale = toInt16((it->count - 1) + 2 * lower);
        it->top = top;
        it->base = 0;
        lower += it->count;
    }
    return top;
}

qint16 calcImpScores(ScoreFrequencyTable& table, bool symmetric) {
    if (table.empty())
        return 0;
    qint16 max = 0;
    qint16 min = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        qint64 sum = 0;
        for (const ScoreFrequencyRecord& other : table)
            sum += qint64{scoreToIMP(qint32{table[i].score} - other.score)} * other.count;
        table[i].scale = toInt16(sum);
        if (i == 0 || table[i].scale > max)
            max = table[i].scale;
        if (i == 0 || table[i].scale < min)
            min = table[i].scale;
    }
    qint16 top = max;
    qint16 base = min;
    if (symmetric) {
        const qint16 m = std::abs(min) > std::abs(max) ? toInt16(std::abs(min)) : max;
        top = m;
        base = toInt16(-qint32{m});
    }
    for (ScoreFrequencyRecord& record : table) {
        record.top = top;
        record.base = base;
    }
    return toInt16(qint32{top} - base);
}

} // namespace qzc

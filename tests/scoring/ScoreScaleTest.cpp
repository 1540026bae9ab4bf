#include "scoring/ScoreScale.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace qzc {
namespace {

TEST(ScoreScaleTest, ImpScaleAtEveryStep) {
    // The last difference of each IMP step; the next difference gives one IMP more.
    const int stepEnds[] = {10,  40,  80,   120,  160,  210,  260,  310,  360,  420,  490,  590,
                            740, 890, 1090, 1290, 1490, 1740, 1990, 2240, 2490, 2990, 3490, 3990};
    for (int imps = 0; imps < 24; ++imps) {
        const int end = stepEnds[imps];
        EXPECT_EQ(scoreToIMP(end), imps) << end;
        EXPECT_EQ(scoreToIMP(end + 1), imps + 1) << end + 1;
        EXPECT_EQ(scoreToIMP(-end), -imps) << -end;
        EXPECT_EQ(scoreToIMP(-(end + 1)), -(imps + 1)) << -(end + 1);
    }
    EXPECT_EQ(scoreToIMP(0), 0);
    EXPECT_EQ(scoreToIMP(5000), 24);
    EXPECT_EQ(scoreToIMP(-32768), -24);
}

struct ScaleCase {
    const char* name;
    /// Score and count of each entry, highest score first.
    std::vector<std::pair<qint16, qint16>> scores;
    qint16 matchpointTop;
    std::vector<qint16> matchpoints;
    qint16 impRange;
    std::vector<qint16> imps;
    qint16 impTop;
    qint16 impBase;
    qint16 symmetricRange;
    qint16 symmetricTop;
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.name;
}

ScoreFrequencyTable tableOf(const ScaleCase& c) {
    ScoreFrequencyTable table;
    for (const auto& [score, count] : c.scores)
        table.push_back(ScoreFrequencyRecord{score, count, 0, 0, 0});
    return table;
}

const ScaleCase scaleCases[] = {
    {"empty", {}, 0, {}, 0, {}, 0, 0, 0, 0},
    // A single result has no matchpoint scale: nothing is written.
    {"single", {{420, 1}}, 0, {0}, 0, {0}, 0, 0, 0, 0},
    {"threeScores", {{620, 2}, {170, 1}, {-100, 1}}, 6, {5, 2, 0}, 53, {22, -13, -31}, 22, -31, 62, 31},
    {"allEqual", {{-50, 4}}, 6, {3}, 0, {0}, 0, 0, 0, 0},
    {"twoApart", {{1430, 1}, {-100, 1}}, 2, {2, 0}, 34, {17, -17}, 17, -17, 34, 17},
};

class ScaleTest : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleTest, Matchpoints) {
    const ScaleCase& c = GetParam();
    ScoreFrequencyTable table = tableOf(c);
    EXPECT_EQ(calcMatchpoints(table), c.matchpointTop);
    ASSERT_EQ(table.size(), c.matchpoints.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].scale, c.matchpoints[i]) << i;
        EXPECT_EQ(table[i].top, c.matchpointTop) << i;
        EXPECT_EQ(table[i].base, 0) << i;
    }
}

TEST_P(ScaleTest, CrossImps) {
    const ScaleCase& c = GetParam();
    for (const bool symmetric : {false, true}) {
        ScoreFrequencyTable table = tableOf(c);
        EXPECT_EQ(calcImpScores(table, symmetric), symmetric ? c.symmetricRange : c.impRange) << symmetric;
        ASSERT_EQ(table.size(), c.imps.size());
        const qint16 top = symmetric ? c.symmetricTop : c.impTop;
        const qint16 base = symmetric ? qint16(-c.symmetricTop) : c.impBase;
        for (std::size_t i = 0; i < table.size(); ++i) {
            EXPECT_EQ(table[i].scale, c.imps[i]) << i;
            EXPECT_EQ(table[i].top, top) << i;
            EXPECT_EQ(table[i].base, base) << i;
        }
    }
}

std::string caseName(const testing::TestParamInfo<ScaleCase>& param) {
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Boards, ScaleTest, testing::ValuesIn(scaleCases), caseName);

} // namespace
} // namespace qzc

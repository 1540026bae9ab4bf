#include "scoring/ScoreFrequency.h"

#include "support/ScoringEvent.h"
#include "support/SimWire.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;
using test::ScoringEvent;

// Section A (1) and B (2). Board 1: A has 620 twice, 170 and -100 counted, beside a
// remark, an erased 620, an empty and a Null contract; B has 420 and -50. Board 2: a single
// result in A. Board 3: two scored results and one without a score in A.
EventBuilder scaleEvent() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int bb = b.addSection(QStringLiteral("B"));
    b.addMitchellMovement(a, 8, 3, 3);
    b.addMitchellMovement(bb, 3, 3, 3);
    b.addResult(ResultRow::scored(a, 1, 1, 1, 620));
    b.addResult(ResultRow::scored(a, 2, 1, 1, 620));
    b.addResult(ResultRow::scored(a, 3, 1, 1, 170));
    b.addResult(ResultRow::scored(a, 4, 1, 1, -100));
    ResultRow remark = ResultRow::scored(a, 5, 1, 1, 0);
    remark.remarks = QStringLiteral("NP");
    b.addResult(remark);
    ResultRow erased = ResultRow::scored(a, 6, 1, 1, 620);
    erased.erased = true;
    b.addResult(erased);
    ResultRow emptyContract = ResultRow::scored(a, 7, 1, 1, 620);
    emptyContract.contract = QString();
    b.addResult(emptyContract);
    ResultRow nullContract = ResultRow::scored(a, 8, 1, 1, 620);
    nullContract.contract = QVariant();
    b.addResult(nullContract);
    b.addResult(ResultRow::scored(bb, 1, 1, 1, 420));
    b.addResult(ResultRow::scored(bb, 2, 1, 1, -50));
    b.addResult(ResultRow::scored(a, 1, 2, 2, 110));
    b.addResult(ResultRow::scored(a, 1, 3, 3, 200));
    b.addResult(ResultRow::scored(a, 2, 3, 3, 100));
    ResultRow unscored = ResultRow::scored(a, 3, 3, 3, 0);
    unscored.score.reset();
    b.addResult(unscored);
    return b;
}

class ScoreFrequencyTest : public testing::Test {
protected:
    void SetUp() override {
        EventBuilder b = scaleEvent();
        ASSERT_TRUE(r.open(b));
    }

    // custom_qz_scalepoint and custom_qz_scalepointmax of a row as text; "" for Null.
    std::pair<QString, QString> scaleOf(int section, int table, int board) {
        std::optional<QSqlQuery> q = r.db.select(
            QStringLiteral("SELECT custom_qz_scalepoint, custom_qz_scalepointmax FROM ReceivedData "
                           "WHERE Section=? AND [Table]=? AND Board=?"),
            {section, table, board});
        if (!q || !q->next())
            return {QStringLiteral("no row"), {}};
        return {q->value(0).toString(), q->value(1).toString()};
    }

    ScoringEvent r;
    ScoreFrequency frequency{r.db, r.log, r.settings};
};

struct FrequencyCase {
    qint16 section;
    qint16 board;
    std::vector<std::pair<qint16, qint16>> scores;
    qint16 results;
};

TEST_F(ScoreFrequencyTest, CountsOnlyCountedResultsOfTheSectionOrField) {
    const FrequencyCase cases[] = {
        {1, 1, {{620, 2}, {170, 1}, {-100, 1}}, 4},
        {2, 1, {{420, 1}, {-50, 1}}, 2},
        {0, 1, {{620, 2}, {420, 1}, {170, 1}, {-50, 1}, {-100, 1}}, 6},
        {-1, 1, {{620, 2}, {420, 1}, {170, 1}, {-50, 1}, {-100, 1}}, 6},
        {1, 2, {{110, 1}}, 1},
        // The result without a score earns nothing and is left out.
        {1, 3, {{200, 1}, {100, 1}}, 2},
        {1, 9, {}, 0},
    };
    for (const FrequencyCase& c : cases) {
        ScoreFrequencyTable table{ScoreFrequencyRecord{1, 1, 1, 1, 1}};
        EXPECT_EQ(frequency.getScoreFrequency(c.section, c.board, table), c.results)
            << c.section << "/" << c.board;
        ScoreFrequencyTable expected;
        for (const auto& [score, count] : c.scores)
            expected.push_back(ScoreFrequencyRecord{score, count, 0, 0, 0});
        EXPECT_EQ(table, expected) << c.section << "/" << c.board;
    }
}

struct ValuedCase {
    qint16 section;
    qint16 board;
    BoardScoringMethod method;
    bool symmetric;
    qint16 results;
    /// Score, count and scale of each entry, highest score first.
    std::vector<std::array<qint16, 3>> entries;
    qint16 top;
    qint16 base;
};

// What the ranking and the result files read: the counted results valued by either method.
TEST_F(ScoreFrequencyTest, ScoreBoardValuesTheCountedResults) {
    constexpr auto mp = BoardScoringMethod::Matchpoints;
    constexpr auto imps = BoardScoringMethod::CrossImps;
    const ValuedCase cases[] = {
        {1, 1, mp, false, 4, {{620, 2, 5}, {170, 1, 2}, {-100, 1, 0}}, 6, 0},
        {1, 1, imps, false, 4, {{620, 2, 22}, {170, 1, -13}, {-100, 1, -31}}, 22, -31},
        {1, 1, imps, true, 4, {{620, 2, 22}, {170, 1, -13}, {-100, 1, -31}}, 31, -31},
        {0, 1, mp, true, 6, {{620, 2, 9}, {420, 1, 6}, {170, 1, 4}, {-50, 1, 2}, {-100, 1, 0}}, 10, 0},
        {0,
         1,
         imps,
         true,
         6,
         {{620, 2, 39}, {420, 1, 17}, {170, 1, -13}, {-50, 1, -38}, {-100, 1, -44}},
         44,
         -44},
        // A single result has no matchpoint scale; the result without a score is left out.
        {1, 2, mp, false, 1, {{110, 1, 0}}, 0, 0},
        {1, 2, imps, false, 1, {{110, 1, 0}}, 0, 0},
        {1, 3, mp, false, 2, {{200, 1, 2}, {100, 1, 0}}, 2, 0},
        {1, 3, imps, false, 2, {{200, 1, 3}, {100, 1, -3}}, 3, -3},
        {1, 9, imps, true, 0, {}, 0, 0},
    };
    for (const ValuedCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "section " << c.section << " board " << c.board << " imps "
                                        << (c.method == imps) << " symmetric " << c.symmetric);
        const std::optional<ScoredBoard> scored =
            frequency.scoreBoard(c.section, c.board, c.method, c.symmetric);
        ASSERT_TRUE(scored.has_value());
        EXPECT_EQ(scored->results, c.results);
        ScoreFrequencyTable expected;
        for (const auto& [score, count, scale] : c.entries)
            expected.push_back(ScoreFrequencyRecord{score, count, scale, c.top, c.base});
        EXPECT_EQ(scored->entries, expected);
        EXPECT_EQ(frequency.boardFrequencyTable(), expected);
    }
}

TEST_F(ScoreFrequencyTest, ScoreBoardFailsWhenTheDatabaseCannotBeRead) {
    r.db.closeDatabase();
    EXPECT_FALSE(frequency.scoreBoard(1, 1, BoardScoringMethod::Matchpoints, false).has_value());
    ScoreFrequencyTable table;
    EXPECT_EQ(frequency.getScoreFrequency(1, 1, table), 0);
    EXPECT_TRUE(r.logLines().join(u'\n').contains(QStringLiteral("(Database - boardResultFrequency)")))
        << r.logLines().join(u'\n').toStdString();
}

TEST_F(ScoreFrequencyTest, MoreDistinctScoresThanTheTableHoldsIsLoggedAndCountsNothing) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(a, 3, 3, 3);
    for (int i = 0; i <= ScoreFrequency::maxDistinctScores; ++i)
        b.addResult(ResultRow::scored(a, 1, 1, 4, 10 * i));
    ScoringEvent big;
    ASSERT_TRUE(big.open(b));
    ScoreFrequency scores(big.db, big.log, big.settings);
    ScoreFrequencyTable table;
    EXPECT_EQ(scores.getScoreFrequency(1, 4, table), 0);
    EXPECT_EQ(table.size(), std::size_t(ScoreFrequency::maxDistinctScores));
    EXPECT_FALSE(scores.scoreBoard(1, 4, BoardScoringMethod::CrossImps, true).has_value());
    EXPECT_TRUE(big.logLines().contains(
        u"run-err9 Board 4 has more than 500 distinct scores (Database - boardResultFrequency)"_s))
        << big.logLines().join(u'\n').toStdString();
}

struct StoredScale {
    int section;
    int table;
    int board;
    const char* scale;
    const char* top;
};

TEST_F(ScoreFrequencyTest, WriteScalePointStoresTheMatchpointScale) {
    const std::vector<StoredScale> perSection = {
        {1, 1, 1, "5", "6"},
        {1, 2, 1, "5", "6"},
        {1, 3, 1, "2", "6"},
        {1, 4, 1, "0", "6"},
        // An erased row with a counted score gets the same values.
        {1, 6, 1, "5", "6"},
        {2, 1, 1, "2", "2"},
        {2, 2, 1, "0", "2"},
    };
    const std::vector<StoredScale> acrossField = {
        {1, 1, 1, "9", "10"}, {1, 2, 1, "9", "10"}, {1, 3, 1, "4", "10"}, {1, 4, 1, "0", "10"},
        {1, 6, 1, "9", "10"}, {2, 1, 1, "6", "10"}, {2, 2, 1, "2", "10"},
    };
    // Either way: no scale for a remark or a missing contract, and a board's single counted
    // result loses the scale it had.
    const std::vector<StoredScale> unscaled = {
        {1, 5, 1, "-1", ""}, {1, 7, 1, "-1", ""}, {1, 8, 1, "-1", ""}, {1, 1, 2, "-1", "0"}};

    for (const bool across : {false, true}) {
        r.set(QStringLiteral("custom_qz_scoreacrosspair"),
              across ? QStringLiteral("1") : QStringLiteral("0"));
        ASSERT_TRUE(r.db.execSQL(QStringLiteral("UPDATE ReceivedData SET custom_qz_scalepoint=3, "
                                                "custom_qz_scalepointmax=4 WHERE Board=2"),
                                 QStringLiteral("test")));
        frequency.WriteScalePoint(1, {1, 2});
        frequency.WriteScalePoint(2, {1, 2});
        std::vector<StoredScale> expected = across ? acrossField : perSection;
        expected.insert(expected.end(), unscaled.begin(), unscaled.end());
        for (const StoredScale& s : expected) {
            EXPECT_EQ(scaleOf(s.section, s.table, s.board),
                      std::make_pair(QString::fromLatin1(s.scale), QString::fromLatin1(s.top)))
                << "across " << across << ", section " << s.section << " table " << s.table << " board "
                << s.board;
        }
    }
}

} // namespace
} // namespace qzc

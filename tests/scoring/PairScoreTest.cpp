#include "scoring/PairScore.h"

#include "support/CaseNames.h"
#include "support/FailingBoardSource.h"
#include "support/ScoringEvent.h"

#include <gtest/gtest.h>
#include <vector>

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;
using test::ScoringEvent;

// One board, three counted results from North-South's side: 620 (pair 1 against pair 4),
// 170 (pair 2 against 5) and -100 (pair 3 against 6). Board 2: North-South vulnerable.
void addWorkedExample(EventBuilder& b, int section, int firstPair = 1) {
    const int p = firstPair - 1;
    b.addResult(
        ResultRow::played(section, 1, 1, 2, p + 1, p + 4, QStringLiteral("4S"), QStringLiteral("N"), 10));
    b.addResult(
        ResultRow::played(section, 2, 1, 2, p + 2, p + 5, QStringLiteral("2H"), QStringLiteral("N"), 10));
    b.addResult(
        ResultRow::played(section, 3, 1, 2, p + 3, p + 6, QStringLiteral("4S"), QStringLiteral("N"), 9));
}

struct Place {
    int number;
    double percentage;
};

void expectPlaces(const std::vector<PairScoreRecord>& records, const std::vector<Place>& places) {
    ASSERT_EQ(records.size(), places.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(records[i].number, places[i].number) << "place " << i + 1;
        EXPECT_NEAR(records[i].percentage, places[i].percentage, 0.005) << "place " << i + 1;
    }
}

struct RankingCase {
    const char* name;
    const char* scoringType;
    RankingSide side;
    qint16 topN;
    std::vector<Place> places;
};

class WorkedExample : public testing::TestWithParam<RankingCase> {};

TEST_P(WorkedExample, RanksBestFirstAndKeepsTheOrderOfDiscoveryOnTies) {
    const RankingCase& c = GetParam();
    ScoringEvent event;
    EventBuilder b;
    addWorkedExample(b, b.addSection(QStringLiteral("A")));
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    event.set(QStringLiteral("custom_qz_scoringtype"), QString::fromLatin1(c.scoringType));

    PairRanking ranking(event.db, event.settings, event.log, event.boards);
    const std::optional<std::vector<PairScoreRecord>> records =
        ranking.calcPairScore(1, c.side, c.topN, 0, false);
    ASSERT_TRUE(records.has_value());
    expectPlaces(*records, c.places);
    for (const PairScoreRecord& record : *records) {
        EXPECT_EQ(record.section, 1);
        EXPECT_EQ(record.boards, 1);
    }
    EXPECT_TRUE(event.log.bufferedText().contains(QStringLiteral(": Calculate pair score")));
}

// Printed by its name, not as a dump of its bytes.
void PrintTo(const RankingCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    PairRanking, WorkedExample,
    testing::Values(
        // Equal percentages: the North-South column is searched first, so pair 1 goes before 6.
        RankingCase{
            "matchpoints", "1", RankingSide::Both, 0, {{1, 100}, {6, 100}, {2, 50}, {5, 50}, {3, 0}, {4, 0}}},
        // Cross-IMPs 22, -3, -19 on the symmetric range -22..22: opponents add up to 100.
        RankingCase{"crossImps",
                    "0",
                    RankingSide::Both,
                    0,
                    {{1, 100}, {6, 93.1818}, {5, 56.8182}, {2, 43.1818}, {3, 6.8182}, {4, 0}}},
        RankingCase{"emptyScoringTypeIsImps",
                    "",
                    RankingSide::Both,
                    0,
                    {{1, 100}, {6, 93.1818}, {5, 56.8182}, {2, 43.1818}, {3, 6.8182}, {4, 0}}},
        RankingCase{"northSouthOnly", "1", RankingSide::NorthSouth, 0, {{1, 100}, {2, 50}, {3, 0}}},
        RankingCase{"eastWestOnly", "1", RankingSide::EastWest, 0, {{6, 100}, {5, 50}, {4, 0}}},
        // One direction in IMPs: the range is -19..22; East-West see it mirrored.
        RankingCase{"northSouthImps", "0", RankingSide::NorthSouth, 0, {{1, 100}, {2, 39.0244}, {3, 0}}},
        RankingCase{"eastWestImps", "0", RankingSide::EastWest, 0, {{6, 100}, {5, 60.9756}, {4, 0}}},
        RankingCase{"topOne", "1", RankingSide::Both, 1, {{1, 100}}},
        RankingCase{"topThree", "1", RankingSide::Both, 3, {{1, 100}, {6, 100}, {2, 50}}},
        RankingCase{"topAboveTheField",
                    "1",
                    RankingSide::Both,
                    99,
                    {{1, 100}, {6, 100}, {2, 50}, {5, 50}, {3, 0}, {4, 0}}}),
    test::CaseName());

TEST(PairRanking, CreditsOnlyCountedResults) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    addWorkedExample(b, a);
    // An earlier entry of pair 1 that was replaced, and an adjusted score whose stored score
    // equals a played one: neither may earn anything.
    ResultRow erased = ResultRow::played(a, 1, 1, 2, 1, 4, QStringLiteral("4S"), QStringLiteral("N"), 9);
    erased.erased = true;
    b.addResult(erased);
    ResultRow adjusted = ResultRow::played(a, 4, 1, 2, 7, 8, QStringLiteral("4S"), QStringLiteral("N"), 10);
    adjusted.contract = QString();
    adjusted.remarks = QStringLiteral("60%-40%");
    b.addResult(adjusted);
    ResultRow notPlayed = ResultRow::played(a, 5, 1, 2, 9, 10, QStringLiteral("4S"), QStringLiteral("N"), 10);
    notPlayed.remarks = QStringLiteral("NP");
    b.addResult(notPlayed);
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    event.set(QStringLiteral("custom_qz_scoringtype"), QStringLiteral("1"));

    PairRanking ranking(event.db, event.settings, event.log, event.boards);
    const auto records = ranking.calcPairScore(a, RankingSide::Both, 0, 0, false);
    ASSERT_TRUE(records.has_value());
    expectPlaces(*records,
                 {{1, 100}, {6, 100}, {2, 50}, {5, 50}, {3, 0}, {7, 0}, {9, 0}, {4, 0}, {8, 0}, {10, 0}});
    EXPECT_EQ((*records)[0].boards, 1);
    EXPECT_DOUBLE_EQ((*records)[0].maximum, 4);
    for (std::size_t i = 5; i < records->size(); ++i) {
        if ((*records)[i].number >= 7) {
            EXPECT_EQ((*records)[i].boards, 0) << "pair " << (*records)[i].number;
        }
    }
}

struct UnscoredCase {
    const char* scoringType;
    // A passed-out result of pairs 7 and 8 beside the result without a score.
    bool withZero;
    std::vector<Place> places;
};

// A counted result whose score was never stored (a row of another program) earns nothing
// for its pairs and leaves the other results' values alone, also beside a real score of 0.
TEST(PairRanking, AResultWithoutAScoreEarnsNothing) {
    const UnscoredCase cases[] = {
        {"1", false, {{1, 100}, {5, 100}, {2, 0}, {3, 0}, {4, 0}, {6, 0}}},
        {"0", false, {{1, 100}, {5, 100}, {2, 0}, {3, 0}, {4, 0}, {6, 0}}},
        {"1", true, {{1, 100}, {8, 100}, {2, 50}, {5, 50}, {3, 0}, {7, 0}, {4, 0}, {6, 0}}},
        {"0",
         true,
         {{1, 100}, {8, 88.6364}, {5, 61.3636}, {2, 38.6364}, {7, 11.3636}, {3, 0}, {4, 0}, {6, 0}}},
    };
    for (const UnscoredCase& c : cases) {
        SCOPED_TRACE(std::string(c.scoringType) + (c.withZero ? " with zero" : ""));
        ScoringEvent event;
        EventBuilder b;
        const int a = b.addSection(QStringLiteral("A"));
        addWorkedExample(b, a);
        if (c.withZero) {
            ResultRow zero =
                ResultRow::played(a, 4, 1, 2, 7, 8, QStringLiteral("1NT"), QStringLiteral("N"), 7);
            zero.score = 0;
            b.addResult(zero);
        }
        ASSERT_TRUE(event.open(b)) << event.error().toStdString();
        ASSERT_TRUE(
            event.db.execSQL(QStringLiteral("UPDATE ReceivedData SET custom_qz_score=NULL WHERE PairNS=3"),
                             QStringLiteral("test")));
        event.set(QStringLiteral("custom_qz_scoringtype"), QString::fromLatin1(c.scoringType));

        PairRanking ranking(event.db, event.settings, event.log, event.boards);
        const auto records = ranking.calcPairScore(a, RankingSide::Both, 0, 0, false);
        ASSERT_TRUE(records.has_value());
        expectPlaces(*records, c.places);
        for (const PairScoreRecord& record : *records) {
            if (record.number == 3 || record.number == 6) {
                EXPECT_EQ(record.boards, 0) << "pair " << record.number;
            }
        }
    }
}

TEST(PairRanking, EqualResultsAndUncreditedContestants) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    // Board 1: two equal results; in cross-IMPs the range is 0, which gives 50.
    b.addResult(ResultRow::played(a, 1, 1, 1, 1, 3, QStringLiteral("3NT"), QStringLiteral("N"), 9));
    b.addResult(ResultRow::played(a, 2, 1, 1, 2, 4, QStringLiteral("3NT"), QStringLiteral("N"), 9));
    // Board 5 played once: its pairs are no contestants.
    b.addResult(ResultRow::played(a, 1, 2, 5, 5, 6, QStringLiteral("1NT"), QStringLiteral("N"), 7));
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();

    PairRanking ranking(event.db, event.settings, event.log, event.boards);
    for (const char* type : {"0", "1"}) {
        event.set(QStringLiteral("custom_qz_scoringtype"), QString::fromLatin1(type));
        const auto records = ranking.calcPairScore(a, RankingSide::Both, 0, 0, false);
        ASSERT_TRUE(records.has_value());
        expectPlaces(*records, {{1, 50}, {2, 50}, {3, 50}, {4, 50}});
    }
}

TEST(PairRanking, NobodyPlayedGivesAnEmptyList) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addResult(ResultRow::played(a, 1, 1, 1, 1, 3, QStringLiteral("3NT"), QStringLiteral("N"), 9));
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    PairRanking ranking(event.db, event.settings, event.log, event.boards);
    const auto records = ranking.calcPairScore(a, RankingSide::Both, 0, 0, false);
    ASSERT_TRUE(records.has_value());
    EXPECT_TRUE(records->empty());
    // No board is valued: a valuer that fails every board changes nothing.
    test::FailingBoardSource failing;
    PairRanking unvalued(event.db, event.settings, event.log, failing);
    const auto same = unvalued.calcPairScore(a, RankingSide::Both, 0, 0, false);
    ASSERT_TRUE(same.has_value());
    EXPECT_TRUE(same->empty());
    EXPECT_EQ(failing.calls(), 0);
}

TEST(PairRanking, AcrossTheFieldScalesEveryBoardOverAllSections) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int bb = b.addSection(QStringLiteral("B"));
    b.addResult(ResultRow::played(a, 1, 1, 2, 1, 4, QStringLiteral("4S"), QStringLiteral("N"), 10));
    b.addResult(ResultRow::played(a, 2, 1, 2, 2, 5, QStringLiteral("2H"), QStringLiteral("N"), 10));
    b.addResult(ResultRow::played(bb, 1, 1, 2, 1, 4, QStringLiteral("4S"), QStringLiteral("N"), 9));
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    event.set(QStringLiteral("custom_qz_scoringtype"), QStringLiteral("1"));
    PairRanking ranking(event.db, event.settings, event.log, event.boards);

    const auto own = ranking.calcPairScore(a, RankingSide::Both, 0, 0, false);
    ASSERT_TRUE(own.has_value());
    expectPlaces(*own, {{1, 100}, {5, 100}, {2, 0}, {4, 0}});

    event.set(QStringLiteral("custom_qz_scoreacrosspair"), QStringLiteral("1"));
    const auto field = ranking.calcPairScore(a, RankingSide::Both, 0, 0, false);
    ASSERT_TRUE(field.has_value());
    // Pair 1 of A and pair 1 of B are two contestants; B's pair 4 beat both A pairs.
    ASSERT_EQ(field->size(), 6u);
    const std::vector<std::tuple<int, int, double>> expected = {{a, 1, 100}, {bb, 4, 100}, {a, 2, 50},
                                                                {a, 5, 50},  {bb, 1, 0},   {a, 4, 0}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ((*field)[i].section, std::get<0>(expected[i])) << i;
        EXPECT_EQ((*field)[i].number, std::get<1>(expected[i])) << i;
        EXPECT_NEAR((*field)[i].percentage, std::get<2>(expected[i]), 0.005) << i;
    }
}

TEST(PairRanking, IndividualGameRanksEverySeat) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int scores[][3] = {{1, 10, 620}, {2, 10, 170}, {3, 9, -100}};
    const char* contracts[] = {"4S", "2H", "4S"};
    for (int i = 0; i < 3; ++i) {
        ResultRow r = ResultRow::played(a, i + 1, 1, 2, i + 1, i + 4, QString::fromLatin1(contracts[i]),
                                        QStringLiteral("N"), scores[i][1]);
        r.south = i + 7;
        r.west = i + 10;
        b.addResult(r);
    }
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    event.set(QStringLiteral("custom_qz_scoringtype"), QStringLiteral("1"));
    event.set(QStringLiteral("custom_qz_gametype"), QStringLiteral("1"));
    PairRanking ranking(event.db, event.settings, event.log, event.boards);
    const auto records = ranking.calcPairScore(a, RankingSide::Both, 0, 0, false);
    ASSERT_TRUE(records.has_value());
    expectPlaces(*records, {{1, 100},
                            {6, 100},
                            {7, 100},
                            {12, 100},
                            {2, 50},
                            {5, 50},
                            {8, 50},
                            {11, 50},
                            {3, 0},
                            {4, 0},
                            {9, 0},
                            {10, 0}});

    // In a pairs game the South and West columns are not read.
    event.set(QStringLiteral("custom_qz_gametype"), QStringLiteral("0"));
    const auto pairs = ranking.calcPairScore(a, RankingSide::Both, 0, 0, false);
    ASSERT_TRUE(pairs.has_value());
    EXPECT_EQ(pairs->size(), 6u);
}

TEST(PairRanking, ForcedMatchpointsAndTheRoundLimit) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    addWorkedExample(b, a);
    // Board 7 is played in round 2 only.
    b.addResult(ResultRow::played(a, 1, 2, 7, 11, 14, QStringLiteral("3NT"), QStringLiteral("N"), 9));
    b.addResult(ResultRow::played(a, 2, 2, 7, 12, 15, QStringLiteral("3NT"), QStringLiteral("N"), 8));
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    event.set(QStringLiteral("custom_qz_scoringtype"), QStringLiteral("0"));
    PairRanking ranking(event.db, event.settings, event.log, event.boards);

    const auto forced = ranking.calcPairScore(a, RankingSide::Both, 0, 1, true);
    ASSERT_TRUE(forced.has_value());
    expectPlaces(*forced, {{1, 100}, {6, 100}, {2, 50}, {5, 50}, {3, 0}, {4, 0}});
    const auto all = ranking.calcPairScore(a, RankingSide::Both, 0, 0, true);
    ASSERT_TRUE(all.has_value());
    EXPECT_EQ(all->size(), 10u);
}

TEST(PairRanking, ADatabaseFailureGivesNoRanking) {
    ScoringEvent event;
    EventBuilder b;
    addWorkedExample(b, b.addSection(QStringLiteral("A")));
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    test::FailingBoardSource failing;
    PairRanking unvalued(event.db, event.settings, event.log, failing);
    EXPECT_FALSE(unvalued.calcPairScore(1, RankingSide::Both, 0, 0, false).has_value());
    EXPECT_EQ(failing.calls(), 1);

    PairRanking ranking(event.db, event.settings, event.log, event.boards);
    event.db.closeDatabase();
    EXPECT_FALSE(ranking.calcPairScore(1, RankingSide::Both, 0, 0, false).has_value());
    EXPECT_TRUE(event.log.bufferedText().contains(QStringLiteral("(Database - PairScore)")));
}

} // namespace
} // namespace qzc

#include "reports/ResultRows.h"

#include "reports/ResultFileText.h"
#include "support/ScoringEvent.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;
using test::ScoringEvent;

struct FlagCase {
    const char* contract;
    const char* remarks;
    bool noContract;
    const char* contractRead;
};

// Which stored rows take no part in scoring.
TEST(ResultRows, NotPlayedLatePlayPassAndEmptyRowsAreFlagged) {
    const FlagCase cases[] = {
        {"", "np", true, ""},         {"", "Lp", true, ""},
        {"", "pass", true, ""},       {"4 S", "NP", true, ""},
        {"", "", true, ""},           {"", "60%-40%", false, ""},
        {"", "Slow play", false, ""}, {"3 NT x", "", false, "3NTx"},
        {"PASS", "", false, "PASS"},
    };
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    int board = 0;
    for (const FlagCase& c : cases) {
        ResultRow r =
            ResultRow::played(a, 1, 1, ++board, 1, 2, QStringLiteral("3NT"), QStringLiteral("N"), 9);
        r.contract = QString::fromLatin1(c.contract);
        r.remarks = QString::fromLatin1(c.remarks);
        b.addResult(r);
    }
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    ResultRowBuilder builder(event.db, event.settings, event.log, event.boards);
    const auto rows = builder.memory_brdResult_setup(0, 0);
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const ResultFileRow& row = (*rows)[i];
        EXPECT_EQ(row.board, static_cast<qint16>(i + 1));
        EXPECT_EQ(row.noContract, cases[i].noContract) << cases[i].contract << "/" << cases[i].remarks;
        EXPECT_EQ(row.contract.toStdString(), cases[i].contractRead) << i;
        // A flagged row reads no score, declarer or lead.
        EXPECT_EQ(row.score == 0, cases[i].noContract) << i;
        EXPECT_EQ(row.declarer.isEmpty(), cases[i].noContract) << i;
    }
}

TEST(ResultRows, SectionAndBoardLimitTheRowsAndTheGameTypeTheSeats) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral(" A "));
    const int bb = b.addSection(QStringLiteral("B"));
    for (int s : {a, bb}) {
        for (int board = 1; board <= 2; ++board) {
            ResultRow r =
                ResultRow::played(s, 1, 1, board, 1, 2, QStringLiteral("2S"), QStringLiteral("N"), 8);
            r.south = 3;
            r.west = 4;
            b.addResult(r);
        }
    }
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    ResultRowBuilder builder(event.db, event.settings, event.log, event.boards);

    const auto one = builder.memory_brdResult_setup(bb, 2);
    ASSERT_TRUE(one.has_value());
    ASSERT_EQ(one->size(), 1u);
    EXPECT_EQ((*one)[0].sectionId, bb);
    EXPECT_EQ((*one)[0].board, 2);
    EXPECT_EQ((*one)[0].south, 0);
    EXPECT_EQ((*one)[0].west, 0);

    event.set(QStringLiteral("custom_qz_gametype"), QStringLiteral("1"));
    const auto all = builder.memory_brdResult_setup(0, 0);
    ASSERT_TRUE(all.has_value());
    ASSERT_EQ(all->size(), 4u);
    EXPECT_EQ((*all)[0].sectionLetter, QStringLiteral("A"));
    EXPECT_EQ((*all)[0].south, 3);
    EXPECT_EQ((*all)[0].west, 4);
}

// Across the field the sections share one scale per board; per section they do not.
TEST(ResultRows, AcrossTheFieldSectionsShareTheBoardsScale) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int bb = b.addSection(QStringLiteral("B"));
    b.addResult(ResultRow::played(a, 1, 1, 1, 1, 2, QStringLiteral("4S"), QStringLiteral("N"), 10));
    b.addResult(ResultRow::played(a, 2, 1, 1, 3, 4, QStringLiteral("4S"), QStringLiteral("N"), 9));
    b.addResult(ResultRow::played(bb, 1, 1, 1, 1, 2, QStringLiteral("4S"), QStringLiteral("N"), 11));
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    ResultRowBuilder builder(event.db, event.settings, event.log, event.boards);
    const ResultFileGameData game = event.gameData();

    struct Expected {
        bool across;
        double top[3];
        double ns[3];
    };
    // Rows: A 420, A -50, B 450.
    const Expected cases[] = {{false, {2, 2, 0}, {2, 0, 0}}, {true, {4, 4, 4}, {2, 0, 4}}};
    for (const Expected& c : cases) {
        auto rows = builder.memory_brdResult_setup(0, 0);
        ASSERT_TRUE(rows.has_value());
        ASSERT_TRUE(builder.memory_brdResult_scoring(*rows, c.across, BoardScoringMethod::Matchpoints, game));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ((*rows)[i].matchpoints.top, c.top[i]) << c.across << i;
            EXPECT_EQ((*rows)[i].matchpoints.ns, c.ns[i]) << c.across << i;
            EXPECT_EQ((*rows)[i].imps.top, 0) << "the other block stays as it was";
        }
        // A board with a single result: top 0, so both percentages stay 0.
        if (!c.across) {
            EXPECT_EQ((*rows)[2].matchpoints.nsPercentage, 0);
            EXPECT_EQ((*rows)[2].matchpoints.ewPercentage, 0);
        }
    }
}

// A played row whose score was never stored (a row of another program) is in no table: it
// earns nothing, also on a board where a real score of 0 stands.
TEST(ResultRows, ARowWithoutAScoreEarnsNothing) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addResult(ResultRow::played(a, 1, 1, 1, 1, 2, QStringLiteral("4S"), QStringLiteral("N"), 10));
    ResultRow zero = ResultRow::played(a, 2, 1, 1, 3, 4, QStringLiteral("1NT"), QStringLiteral("N"), 7);
    zero.score = 0;
    b.addResult(zero);
    ResultRow unscored = ResultRow::played(a, 3, 1, 1, 5, 6, QStringLiteral("3NT"), QStringLiteral("N"), 9);
    unscored.score.reset();
    b.addResult(unscored);
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    ResultRowBuilder builder(event.db, event.settings, event.log, event.boards);
    auto rows = builder.memory_brdResult_setup(0, 0);
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), 3u);
    for (const BoardScoringMethod method : {BoardScoringMethod::Matchpoints, BoardScoringMethod::CrossImps})
        ASSERT_TRUE(builder.memory_brdResult_scoring(*rows, false, method, event.gameData()));
    const ResultFileRow& zeroRow = (*rows)[1];
    EXPECT_FALSE(zeroRow.unscored);
    EXPECT_EQ(zeroRow.matchpoints.top, 2);
    EXPECT_EQ(zeroRow.matchpoints.ew, 2);
    EXPECT_EQ(zeroRow.imps.ns, -9);
    const ResultFileRow& unscoredRow = (*rows)[2];
    EXPECT_TRUE(unscoredRow.unscored);
    for (const ResultValues* values : {&unscoredRow.matchpoints, &unscoredRow.imps}) {
        EXPECT_EQ(values->top, 0);
        EXPECT_EQ(values->ns, 0);
        EXPECT_EQ(values->ew, 0);
    }
}

TEST(ResultRows, ScoringNeedsRows) {
    ScoringEvent event;
    EventBuilder b;
    b.addSection(QStringLiteral("A"));
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    ResultRowBuilder builder(event.db, event.settings, event.log, event.boards);
    auto rows = builder.memory_brdResult_setup(0, 0);
    ASSERT_TRUE(rows.has_value());
    EXPECT_TRUE(rows->empty());
    EXPECT_FALSE(
        builder.memory_brdResult_scoring(*rows, false, BoardScoringMethod::CrossImps, event.gameData()));
}

// 21 results of board 1 give a top of 40; two equal scores above 11 others earn 23 each,
// which is 57.5 %: an exact half that must reach the rounding as one (58, not 57).
TEST(ResultRows, AnExactHalfPercentageStaysAHalf) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int table = 1; table <= 21; ++table) {
        ResultRow r = ResultRow::played(a, table, 1, 1, table, 30 + table, QStringLiteral("3NT"),
                                        QStringLiteral("N"), 9);
        r.score = table <= 2 ? 420 : table <= 13 ? 100 : 600;
        b.addResult(r);
    }
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    ResultRowBuilder builder(event.db, event.settings, event.log, event.boards);
    std::optional<std::vector<ResultFileRow>> rows = builder.memory_brdResult_setup(0, 0);
    ASSERT_TRUE(rows.has_value());
    ASSERT_TRUE(
        builder.memory_brdResult_scoring(*rows, false, BoardScoringMethod::Matchpoints, event.gameData()));
    for (const ResultFileRow& row : *rows) {
        if (row.score != 420)
            continue;
        EXPECT_EQ(row.matchpoints.ns, 23);
        EXPECT_EQ(row.matchpoints.nsPercentage, 57.5);
        EXPECT_EQ(row.matchpoints.ewPercentage, 42.5);
        EXPECT_EQ(roundedText(row.matchpoints.nsPercentage), QStringLiteral("58"));
        EXPECT_EQ(roundedText(row.matchpoints.ewPercentage), QStringLiteral("42"));
    }
}

} // namespace
} // namespace qzc

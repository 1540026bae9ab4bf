#include "reports/ContestantTotals.h"

#include "reports/ResultFileGameData.h"
#include "reports/ResultFileText.h"
#include "reports/ResultRows.h"
#include "support/ScoringEvent.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;
using test::RoundRow;
using test::ScoringEvent;

QStringList linesOf(ScoringEvent& event, const ResultFileGameData& game, bool individual = false) {
    ResultRowBuilder builder(event.db, event.settings, event.log, event.boards);
    std::optional<std::vector<ResultFileRow>> rows = builder.memory_brdResult_setup(0, 0);
    if (!rows || (!rows->empty() &&
                  !builder.memory_brdResult_scoring(*rows, false, BoardScoringMethod::Matchpoints, game)))
        return {QStringLiteral("rows failed")};
    ContestantTotals totals(event.db, event.log);
    std::optional<std::vector<ContestantTotal>> list = totals.buildContestantList(game, individual);
    if (!list)
        return {QStringLiteral("list failed")};
    ContestantTotals::addTotals(*list, *rows);
    return totals.contestantLines(*list, game).value_or(QStringList{QStringLiteral("lines failed")});
}

// Pair 5 of section A sits North-South in round 1 and East-West in round 2; pair 5 of
// section B sits East-West from round 1. Nobody registered for either.
EventBuilder samePairNumberInTwoSections(bool withMovement) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int bb = b.addSection(QStringLiteral("B"));
    const RoundRow rounds[] = {
        {a, 1, 1, 5, 1, 0, 0, 1, 1}, {a, 1, 2, 2, 5, 0, 0, 2, 2}, {bb, 1, 1, 1, 5, 0, 0, 1, 1}};
    for (const RoundRow& r : rounds) {
        if (withMovement)
            b.addRound(r);
        b.addResult(ResultRow::played(r.section, r.table, r.round, r.lowBoard, r.nsPair, r.ewPair,
                                      QStringLiteral("3NT"), QStringLiteral("N"), 9));
    }
    return b;
}

TEST(ContestantTotals, AnUnnamedPairsDirectionComesFromItsOwnSection) {
    for (bool withMovement : {true, false}) {
        ScoringEvent event;
        EventBuilder b = samePairNumberInTwoSections(withMovement);
        ASSERT_TRUE(event.open(b)) << event.error().toStdString();
        ResultFileGameData game = event.gameData();
        game.sections = {{1, QStringLiteral("A"), false}, {2, QStringLiteral("B"), true}};
        const QStringList lines = linesOf(event, game);
        EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^A;5;"))),
                  (QStringList{QStringLiteral("A;5;N;;0;0;;"), QStringLiteral("A;5;S;;0;0;;")}))
            << "movement " << withMovement;
        EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^B;5;"))),
                  (QStringList{QStringLiteral("B;5;E;;0;0;;"), QStringLiteral("B;5;W;;0;0;;")}));
    }
}

// Both fields numbered from 1: North-South pair 1 and East-West pair 1 are two contestants,
// each with its own totals and the names of its own seats.
TEST(ContestantTotals, TwoWinnerFieldsAreSeparateContestants) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    // South 9 is left over in a pairs game: it names no contestant.
    b.addRound(RoundRow{a, 1, 1, 1, 1, 9, 0, 1, 1});
    b.addRound(RoundRow{a, 2, 1, 2, 2, 0, 0, 1, 1});
    b.addResult(ResultRow::played(a, 1, 1, 1, 1, 1, QStringLiteral("4S"), QStringLiteral("N"), 10));
    b.addResult(ResultRow::played(a, 2, 1, 1, 2, 2, QStringLiteral("4S"), QStringLiteral("N"), 11));
    b.addRegisteredPlayer(a, 1, QStringLiteral("N"), QStringLiteral("11"), QStringLiteral("Nora"), 1);
    b.addRegisteredPlayer(a, 1, QStringLiteral("S"), QStringLiteral("12"), QStringLiteral("Sam"), 1);
    b.addRegisteredPlayer(a, 1, QStringLiteral("E"), QStringLiteral("13"), QStringLiteral("Eva"), 1);
    b.addRegisteredPlayer(a, 1, QStringLiteral("W"), QStringLiteral("14"), QStringLiteral("Will"), 1);
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    ResultFileGameData game = event.gameData();
    game.sections = {{static_cast<qint16>(a), QStringLiteral("A"), true}};

    EXPECT_EQ(linesOf(event, game), (QStringList{
                                        QStringLiteral("A;1;N;\"Nora\";0;0;;"),
                                        QStringLiteral("A;1;S;\"Sam\";0;0;;"),
                                        QStringLiteral("A;1;E;\"Eva\";2;100;;"),
                                        QStringLiteral("A;1;W;\"Will\";2;100;;"),
                                        QStringLiteral("A;2;N;;2;100;;"),
                                        QStringLiteral("A;2;S;;2;100;;"),
                                        QStringLiteral("A;2;E;;0;0;;"),
                                        QStringLiteral("A;2;W;;0;0;;"),
                                    }));
    // In an individual game South 9 is a player.
    EXPECT_TRUE(linesOf(event, game, true).contains(QStringLiteral("A;9;N;;0;0;;")));
}

TEST(ContestantTotals, TotalsCountOnlyScoredBoardsWithARange) {
    std::vector<ContestantTotal> list(2);
    list[0].sectionId = 1;
    list[0].number = 3;
    list[1].sectionId = 2;
    list[1].number = 3;
    auto row = [](qint16 section, qint16 ns, qint16 ew, double top, double nsValue, bool noContract = false) {
        ResultFileRow r;
        r.sectionId = section;
        r.nsPair = ns;
        r.ewPair = ew;
        r.matchpoints.top = top;
        r.matchpoints.ns = nsValue;
        r.matchpoints.ew = top - nsValue;
        r.noContract = noContract;
        return r;
    };
    const std::vector<ResultFileRow> rows = {
        row(1, 3, 4, 4, 3),       // North-South: 3 of 4
        row(1, 5, 3, 4, 3),       // East-West: 1 of 4
        row(1, 3, 4, 0, 0),       // a single result: no range, not counted
        row(1, 3, 4, 4, 4, true), // not played
        row(2, 3, 6, 2, 2),       // the other section's pair 3
    };
    ContestantTotals::addTotals(list, rows);
    EXPECT_EQ(list[0].countedBoards, 2);
    EXPECT_DOUBLE_EQ(list[0].matchpointSum, 4);
    EXPECT_DOUBLE_EQ(list[0].topSum, 8);
    EXPECT_DOUBLE_EQ(list[0].percentage, 50);
    EXPECT_EQ(list[1].countedBoards, 1);
    EXPECT_DOUBLE_EQ(list[1].ratio, 1);
}

// The percentage is 100 x (points - base) / (top - base): a total that is an exact half of
// a percent reaches the rounding as a half, so it goes to the even neighbour.
TEST(ContestantTotals, PercentagesThatAreExactHalvesRoundToEven) {
    struct Case {
        int boards;
        int top;
        /// Spread over the boards in whole matchpoints.
        int points;
        double percentage;
        const char* written;
    };
    const Case cases[] = {
        {10, 8, 46, 57.5, "58"}, {3, 40, 69, 57.5, "58"}, {5, 8, 29, 72.5, "72"}, {10, 8, 51, 63.75, "64"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points << " of " << c.boards * c.top);
        std::vector<ResultFileRow> rows;
        for (int board = 1; board <= c.boards; ++board) {
            ResultFileRow row;
            row.sectionId = 1;
            row.nsPair = 1;
            row.matchpoints.top = c.top;
            row.matchpoints.ns = c.points / c.boards + (board <= c.points % c.boards ? 1 : 0);
            rows.push_back(row);
        }
        ContestantTotal pair;
        pair.sectionId = 1;
        pair.number = 1;
        std::vector<ContestantTotal> totals{pair};
        ContestantTotals::addTotals(totals, rows);
        EXPECT_EQ(totals[0].percentage, c.percentage);
        EXPECT_EQ(roundedText(totals[0].percentage), QLatin1String(c.written));
    }
}

} // namespace
} // namespace qzc

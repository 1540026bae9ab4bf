#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::EventBuilder;
using test::GameDataHarness;
using test::RoundRow;

QString text(qint16 n) {
    return QString::number(n);
}

QString text(bool b) {
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

// "table/seat code" of mem_GetPairPosition.
QString position(const GameData& g, qint16 section, qint16 round, qint16 number, const char* direction) {
    qint16 code = -1;
    const qint16 table = g.mem_GetPairPosition(section, round, number, QString::fromLatin1(direction), code);
    return text(table) + QLatin1Char('/') + text(code);
}

struct Lookup {
    const char* question;
    std::function<QString(const GameData&)> ask;
    QString expected;
};

struct FixtureLookups {
    const char* fixture;
    std::function<EventBuilder()> make;
    bool individual;
    std::vector<Lookup> lookups;
};

void PrintTo(const FixtureLookups& f, std::ostream* os) {
    *os << f.fixture;
}

class MovementLookupsTest : public ::testing::TestWithParam<FixtureLookups> {};

TEST_P(MovementLookupsTest, AnswersOnTheFixture) {
    const FixtureLookups& f = GetParam();
    GameDataHarness data;
    EventBuilder builder = f.make();
    ASSERT_TRUE(data.start(builder)) << data.failure().toStdString();
    data.setIndividual(f.individual);
    data.reload();
    for (const Lookup& lookup : f.lookups) {
        SCOPED_TRACE(lookup.question);
        EXPECT_EQ(lookup.ask(data.gameData).toStdString(), lookup.expected.toStdString());
    }
}

const QString A1 = QStringLiteral("A1");

// Mitchell: 7 tables, 7 rounds of 3 boards; NS 1-7 stay, EW 8-14 move up, boards down.
// Results stored: A1 round 1 boards 1 and 2, A2 round 1 board 4. Hand records are empty.
const FixtureLookups mitchellLookups{
    "mitchell",
    test::fixtures::mitchell,
    false,
    {
        {"hasRound", [](const GameData& g) { return text(g.mem_HasRound(1)); }, u"true"_s},
        {"hasRound of an unknown section", [](const GameData& g) { return text(g.mem_HasRound(2)); },
         u"false"_s},
        {"maxRound", [](const GameData& g) { return text(g.mem_GetMaxRound(1)); }, u"7"_s},
        {"round of board 2", [](const GameData& g) { return text(g.mem_GetRound(A1, 1, 8, 2, 0, 0)); },
         u"1"_s},
        {"round of board 5", [](const GameData& g) { return text(g.mem_GetRound(A1, 1, 14, 5, 0, 0)); },
         u"2"_s},
        {"round with a wrong pair", [](const GameData& g) { return text(g.mem_GetRound(A1, 1, 9, 2, 0, 0)); },
         u"0"_s},
        {"round of board 0", [](const GameData& g) { return text(g.mem_GetRound(A1, 1, 8, 0, 0, 0)); },
         u"0"_s},
        {"next round", [](const GameData& g) { return text(g.mem_GetNextRound(A1, 5)); }, u"2"_s},
        {"table pairs", [](const GameData& g) { return g.mem_GetTablePairs(QStringLiteral("A3"), 4); },
         u"3/14"_s},
        {"table pairs of an unknown table",
         [](const GameData& g) { return g.mem_GetTablePairs(QStringLiteral("A8"), 1); }, u""_s},
        {"seat of an EW pair",
         [](const GameData& g) { return g.mem_GetPairSeat(1, 2, 9, QStringLiteral("e")); }, u"A3EW"_s},
        {"EW pair asked as NS",
         [](const GameData& g) { return g.mem_GetPairSeat(1, 2, 9, QStringLiteral("N")); }, u"Out"_s},
        {"seat in round 0", [](const GameData& g) { return g.mem_GetPairSeat(1, 0, 9, QStringLiteral("E")); },
         u""_s},
        {"boards of all rounds",
         [](const GameData& g) { return g.mem_GetBoardList(QStringLiteral("A2"), 0); },
         u"4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,1,2,3"_s},
        {"boards of round 3", [](const GameData& g) { return g.mem_GetBoardList(QStringLiteral("A2"), 3); },
         u"10,11,12"_s},
        {"board set", [](const GameData& g) { return text(g.mem_GetBoardSet(1, 1, 1, 1)); }, u"0"_s},
        {"sit-out",
         [](const GameData& g) { return text(g.mem_GetSitoutPair(1, 1, QStringLiteral("NS"), 1)); }, u"0"_s},
        {"position EW", [](const GameData& g) { return position(g, 1, 3, 8, "EW"); }, u"3/2"_s},
        {"position NS of an EW pair", [](const GameData& g) { return position(g, 1, 3, 8, "NS"); }, u"0/0"_s},
        {"deal input with a result stored",
         [](const GameData& g) { return text(g.DB_Ask_dealInput(1, 1, 1, 3)); }, u"false"_s},
        {"deal input", [](const GameData& g) { return text(g.DB_Ask_dealInput(1, 2, 7, 3)); }, u"true"_s},
        {"first to play boards 1-3",
         [](const GameData& g) { return text(g.mem_Round_dealInput(1, 1, 1, 1)); }, u"true"_s},
        {"later to play boards 1-3",
         [](const GameData& g) { return text(g.mem_Round_dealInput(1, 7, 1, 2)); }, u"false"_s},
        {"round total of a table", [](const GameData& g) { return text(g.getRoundTotal(1, 3)); }, u"7"_s},
        {"round total of the first table", [](const GameData& g) { return text(g.getRoundTotal(1, 0)); },
         u"7"_s},
    }};

// Howell: 10 pairs on 5 tables, 9 rounds of 2 boards; pairs change direction and every table
// of a round plays the same boards.
const FixtureLookups howellLookups{
    "howell",
    test::fixtures::howell,
    false,
    {
        {"maxRound", [](const GameData& g) { return text(g.mem_GetMaxRound(1)); }, u"9"_s},
        {"round", [](const GameData& g) { return text(g.mem_GetRound(A1, 2, 10, 5, 0, 0)); }, u"2"_s},
        {"round with pairs swapped",
         [](const GameData& g) { return text(g.mem_GetRound(A1, 10, 2, 5, 0, 0)); }, u"0"_s},
        {"round of a board the pairs do not meet on",
         [](const GameData& g) { return text(g.mem_GetRound(A1, 2, 10, 3, 0, 0)); }, u"0"_s},
        {"next round", [](const GameData& g) { return text(g.mem_GetNextRound(QStringLiteral("A5"), 3)); },
         u"6"_s},
        {"table pairs", [](const GameData& g) { return g.mem_GetTablePairs(QStringLiteral("A5"), 6); },
         u"1/2"_s},
        {"seat of a pair playing EW", [](const GameData& g) { return g.mem_GetPairSeat(1, 3, 1, QString()); },
         u"A3EW"_s},
        {"seat of a pair playing NS",
         [](const GameData& g) { return g.mem_GetPairSeat(1, 5, 10, QString()); }, u"A1NS"_s},
        {"boards", [](const GameData& g) { return g.mem_GetBoardList(QStringLiteral("A5"), 0); },
         u"1,2,5,6,9,10,13,14,17,18,3,4,7,8,11,12,15,16"_s},
        {"board set shared by every table",
         [](const GameData& g) { return text(g.mem_GetBoardSet(1, 1, 1, 5)); }, u"-1"_s},
        {"board set not played in the round",
         [](const GameData& g) { return text(g.mem_GetBoardSet(1, 6, 1, 5)); }, u"0"_s},
        {"sit-out", [](const GameData& g) { return text(g.mem_GetSitoutPair(1, 1, QString(), 1)); }, u"0"_s},
        {"position without direction", [](const GameData& g) { return position(g, 1, 2, 1, ""); }, u"2/2"_s},
        {"deal input", [](const GameData& g) { return text(g.DB_Ask_dealInput(1, 1, 1, 2)); }, u"true"_s},
        {"first to play boards 1-2",
         [](const GameData& g) { return text(g.mem_Round_dealInput(1, 1, 1, 1)); }, u"true"_s},
        // Same round, higher table.
        {"later to play boards 1-2",
         [](const GameData& g) { return text(g.mem_Round_dealInput(1, 2, 1, 1)); }, u"false"_s},
        {"round total", [](const GameData& g) { return text(g.getRoundTotal(1, 0)); }, u"9"_s},
        {"hasRound", [](const GameData& g) { return text(g.mem_HasRound(1)); }, u"true"_s},
    }};

// Individual: 5 tables, 4 players each, 4 rounds of 2 boards; A1 round 1 is North 1, East 6,
// South 11, West 16 with a result of board 1.
const FixtureLookups individualLookups{
    "individual",
    test::fixtures::individual,
    true,
    {
        {"round with all four players",
         [](const GameData& g) { return text(g.mem_GetRound(A1, 1, 6, 1, 11, 16)); }, u"1"_s},
        {"round without South and West",
         [](const GameData& g) { return text(g.mem_GetRound(A1, 1, 6, 1, 0, 0)); }, u"1"_s},
        {"round with a wrong West",
         [](const GameData& g) { return text(g.mem_GetRound(A1, 1, 6, 1, 11, 17)); }, u"0"_s},
        {"table players", [](const GameData& g) { return g.mem_GetTablePairs(QStringLiteral("A2"), 2); },
         u"2/8/14/20"_s},
        {"seat of a South player", [](const GameData& g) { return g.mem_GetPairSeat(1, 2, 15, QString()); },
         u"A3S"_s},
        {"seat of a West player", [](const GameData& g) { return g.mem_GetPairSeat(1, 1, 16, QString()); },
         u"A1W"_s},
        {"position of a West player", [](const GameData& g) { return position(g, 1, 2, 16, ""); }, u"3/4"_s},
        {"position of a South player", [](const GameData& g) { return position(g, 1, 3, 11, ""); }, u"2/3"_s},
        {"sit-out", [](const GameData& g) { return text(g.mem_GetSitoutPair(1, 1, QString(), 1)); }, u"0"_s},
        {"boards", [](const GameData& g) { return g.mem_GetBoardList(QStringLiteral("A4"), 2); }, u"5,6"_s},
        {"next round", [](const GameData& g) { return text(g.mem_GetNextRound(A1, 1)); }, u"1"_s},
        {"deal input with a result stored",
         [](const GameData& g) { return text(g.DB_Ask_dealInput(1, 1, 1, 2)); }, u"false"_s},
        {"maxRound", [](const GameData& g) { return text(g.mem_GetMaxRound(1)); }, u"4"_s},
        {"hasRound", [](const GameData& g) { return text(g.mem_HasRound(1)); }, u"true"_s},
        {"round total", [](const GameData& g) { return text(g.getRoundTotal(1, 2)); }, u"4"_s},
        {"board set", [](const GameData& g) { return text(g.mem_GetBoardSet(1, 1, 1, 1)); }, u"0"_s},
        {"later to play boards 1-2",
         [](const GameData& g) { return text(g.mem_Round_dealInput(1, 2, 1, 2)); }, u"false"_s},
    }};

// Banded: sections A (pairs 1-10 and 101-110) and B (201-210 and 301-310), 10 tables, 3 rounds
// of 2 boards each; both sections play boards 1-20.
const FixtureLookups bandedLookups{
    "bandedPairs",
    test::fixtures::bandedPairs,
    false,
    {
        {"seat in section B",
         [](const GameData& g) { return g.mem_GetPairSeat(2, 2, 301, QStringLiteral("E")); }, u"B2EW"_s},
        {"EW pair asked as NS",
         [](const GameData& g) { return g.mem_GetPairSeat(2, 2, 301, QStringLiteral("N")); }, u"Out"_s},
        {"position", [](const GameData& g) { return position(g, 2, 3, 301, "EW"); }, u"3/2"_s},
        {"table pairs", [](const GameData& g) { return g.mem_GetTablePairs(QStringLiteral("B10"), 1); },
         u"210/310"_s},
        {"round",
         [](const GameData& g) { return text(g.mem_GetRound(QStringLiteral("B1"), 201, 310, 3, 0, 0)); },
         u"2"_s},
        {"maxRound", [](const GameData& g) { return text(g.mem_GetMaxRound(2)); }, u"3"_s},
        {"hasRound of an unknown section", [](const GameData& g) { return text(g.mem_HasRound(3)); },
         u"false"_s},
        // Table A1 also plays board 1 in round 1, but in the other section.
        {"board set stays in the section",
         [](const GameData& g) { return text(g.mem_GetBoardSet(2, 1, 1, 1)); }, u"0"_s},
        {"boards", [](const GameData& g) { return g.mem_GetBoardList(QStringLiteral("B10"), 0); },
         u"19,20,1,2,3,4"_s},
        {"first to play boards 1-2 in B",
         [](const GameData& g) { return text(g.mem_Round_dealInput(2, 1, 1, 1)); }, u"true"_s},
        {"later to play boards 1-2 in B",
         [](const GameData& g) { return text(g.mem_Round_dealInput(2, 10, 1, 2)); }, u"false"_s},
        {"round total", [](const GameData& g) { return text(g.getRoundTotal(2, 5)); }, u"3"_s},
        {"sit-out",
         [](const GameData& g) { return text(g.mem_GetSitoutPair(2, 1, QStringLiteral("NS"), 1)); }, u"0"_s},
        {"next round", [](const GameData& g) { return text(g.mem_GetNextRound(QStringLiteral("B3"), 5)); },
         u"1"_s},
        {"deal input", [](const GameData& g) { return text(g.DB_Ask_dealInput(2, 3, 5, 2)); }, u"true"_s},
    }};

// Multi-stanza: the Mitchell of 7 tables over 6 rounds, current stanza rounds 1 to 3; only
// those rounds are in memory.
const FixtureLookups multiStanzaLookups{
    "multiStanza",
    test::fixtures::multiStanza,
    false,
    {
        {"maxRound of the stanza", [](const GameData& g) { return text(g.mem_GetMaxRound(1)); }, u"3"_s},
        {"round total from the database", [](const GameData& g) { return text(g.getRoundTotal(1, 1)); },
         u"6"_s},
        {"round after the stanza",
         [](const GameData& g) { return text(g.mem_GetRound(A1, 1, 12, 10, 0, 0)); }, u"0"_s},
        {"round in the stanza", [](const GameData& g) { return text(g.mem_GetRound(A1, 1, 13, 7, 0, 0)); },
         u"3"_s},
        {"table pairs after the stanza",
         [](const GameData& g) { return g.mem_GetTablePairs(QStringLiteral("A2"), 4); }, u""_s},
        {"boards of the stanza", [](const GameData& g) { return g.mem_GetBoardList(A1, 0); },
         u"1,2,3,4,5,6,7,8,9"_s},
        {"seat", [](const GameData& g) { return g.mem_GetPairSeat(1, 3, 8, QStringLiteral("W")); },
         u"A3EW"_s},
        {"position", [](const GameData& g) { return position(g, 1, 3, 14, "EW"); }, u"2/2"_s},
        {"next round", [](const GameData& g) { return text(g.mem_GetNextRound(QStringLiteral("A6"), 1)); },
         u"3"_s},
        {"sit-out into the next stanza",
         [](const GameData& g) { return text(g.mem_GetSitoutPair(1, 3, QStringLiteral("NS"), 1)); }, u"0"_s},
        {"later to play boards 1-3",
         [](const GameData& g) { return text(g.mem_Round_dealInput(1, 7, 1, 2)); }, u"false"_s},
        {"deal input", [](const GameData& g) { return text(g.DB_Ask_dealInput(1, 5, 13, 3)); }, u"true"_s},
        // Table 1 plays boards 4-6 in round 2; the asking table itself does not count.
        {"board set of another table", [](const GameData& g) { return text(g.mem_GetBoardSet(1, 2, 4, 2)); },
         u"1"_s},
        {"hasRound", [](const GameData& g) { return text(g.mem_HasRound(1)); }, u"true"_s},
    }};

INSTANTIATE_TEST_SUITE_P(Fixtures, MovementLookupsTest,
                         ::testing::Values(mitchellLookups, howellLookups, individualLookups, bandedLookups,
                                           multiStanzaLookups),
                         [](const ::testing::TestParamInfo<FixtureLookups>& p) {
                             return std::string(p.param.fixture);
                         });

// NS pairs 1-4 on three tables, EW 5-7: pair 4 sits out in round 1; in round 3 table 2 has no
// NS pair and pairs 1 and 2 sit out, both playing in round 4.
TEST(MovementLookupsSitoutTest, PairsThatSitOutAndPlayInTheNextRound) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int seats[4][3][2] = {{{1, 5}, {2, 6}, {3, 7}},
                                {{4, 6}, {1, 7}, {2, 5}},
                                {{3, 7}, {0, 5}, {4, 6}},
                                {{2, 5}, {1, 6}, {3, 7}}};
    for (int r = 0; r < 4; ++r) {
        for (int t = 0; t < 3; ++t)
            b.addRound(RoundRow{a, t + 1, r + 1, seats[r][t][0], seats[r][t][1], 0, 0, 2 * t + 1, 2 * t + 2});
    }
    GameDataHarness data;
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    const GameData& g = data.gameData;
    const struct {
        qint16 round;
        const char* direction;
        qint16 index;
        qint16 expected;
    } cases[] = {
        {1, "NS", 1, 4}, {1, "NS", 2, 4}, // only one sits out: every index gives it
        {2, "NS", 1, 3}, {2, "NS", 2, 3}, {3, "NS", 1, 2}, {3, "NS", 2, 1}, // in the order of round 4's rows
        {3, "NS", 3, 0}, {3, "EW", 1, 0}, {3, "", 1, 2},   {4, "NS", 1, 0}, // no round 5
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.round) + c.direction + std::to_string(c.index));
        EXPECT_EQ(g.mem_GetSitoutPair(1, c.round, QString::fromLatin1(c.direction), c.index), c.expected);
    }
    // The first empty NS seat of round 3.
    EXPECT_EQ(position(g, 1, 3, 0, "NS"), QStringLiteral("2/1"));
}

} // namespace
} // namespace qzc

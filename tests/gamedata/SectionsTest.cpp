#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"

#include <functional>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::GameDataHarness;
using test::RoundRow;

// "A#1 1,2,3 n3 sep stanza 1-3 missing 0" per section.
std::string sections(const GameData& g) {
    QStringList list;
    for (const SectionRecord& s : g.sectionList()) {
        QStringList tables;
        for (qint16 t : s.tableNumbers)
            tables << QString::number(t);
        list << QStringLiteral("%1#%2 %3 n%4%5 stanza %6-%7 missing %8")
                    .arg(s.Letter)
                    .arg(s.ID)
                    .arg(tables.join(QLatin1Char(',')))
                    .arg(s.tableCount)
                    .arg(s.separatePairs ? QStringLiteral(" sep") : QString())
                    .arg(s.stanzaBegin)
                    .arg(s.stanzaEdge)
                    .arg(s.missingPair);
    }
    return list.join(QStringLiteral("; ")).toStdString();
}

struct LoadCase {
    const char* name;
    std::function<EventBuilder()> make;
    std::vector<const char*> changes;
    std::string expected;
    const char* logLine;
};

void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

class SectionLoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SectionLoadTest, SectionsInMemory) {
    const LoadCase& c = GetParam();
    GameDataHarness data;
    EventBuilder b = c.make();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    for (const char* sql : c.changes)
        ASSERT_TRUE(data.exec(QString::fromLatin1(sql))) << sql;
    data.reload();
    EXPECT_EQ(sections(data.gameData), c.expected);
    EXPECT_TRUE(data.logMessages().contains(QString::fromLatin1(c.logLine))) << c.logLine;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SectionLoadTest,
    ::testing::Values(
        LoadCase{"twoSections",
                 test::fixtures::twoSections,
                 {},
                 "A#1 1,2,3,4,5,6 n6 sep stanza 0-0 missing 0; B#2 1,2,3,4,5,6 n6 sep stanza 0-0 missing 0",
                 "2 section data loaded (loadsectiondata)"},
        LoadCase{"noSection",
                 test::fixtures::twoSections,
                 {"DELETE FROM Section"},
                 "",
                 "0 section data loaded (loadsectiondata)"},
        LoadCase{"tablesWithoutMovement",
                 test::fixtures::howell,
                 {"DELETE FROM RoundData"},
                 "A#1 1,2,3,4,5 n5 sep stanza 0-0 missing 0",
                 "1 section data loaded (loadsectiondata)"},
        LoadCase{"movementOnFewerTables",
                 test::fixtures::howell,
                 {"INSERT INTO Tables (Section, [Table], LogOnOff) VALUES (1, 6, 2), (1, 7, 2)",
                  "UPDATE Section SET MissingPair=3"},
                 "A#1 1,2,3,4,5,0,0 n7 stanza 0-0 missing 3",
                 "1 section data loaded (loadsectiondata)"},
        LoadCase{"stanzaEdgeCutsAtTheFirstTableNotPlayingIt",
                 test::fixtures::mitchell,
                 {"UPDATE Section SET custom_qz_StanazBeginGameRound=1, custom_qz_StanazEdgeGameRound=3",
                  "DELETE FROM RoundData WHERE [Table]=5 AND Round=3"},
                 "A#1 1,2,3,4,5,6,7 n4 sep stanza 1-3 missing 0",
                 "1 section data loaded (loadsectiondata)"},
        LoadCase{"moreTablesInMovementThanInTables",
                 test::fixtures::mitchell,
                 {"DELETE FROM Tables WHERE [Table]=7"},
                 "A#1 1,2,3,4,5,6 n6 sep stanza 0-0 missing 0",
                 "Table A7 of RoundData has no row in Tables, skipped (loadsectiondata)"},
        LoadCase{"sectionWithoutTables",
                 test::fixtures::twoSections,
                 {"DELETE FROM Tables WHERE Section=2"},
                 "A#1 1,2,3,4,5,6 n6 sep stanza 0-0 missing 0; B#2  n0 sep stanza 0-0 missing 0",
                 "2 section data loaded (loadsectiondata)"},
        LoadCase{"nullColumnsReadAsEmpty",
                 test::fixtures::twoSections,
                 {"UPDATE Section SET Letter=NULL, MissingPair=NULL WHERE ID=2",
                  "UPDATE Section SET Letter=' A ' WHERE ID=1"},
                 "A#1 1,2,3,4,5,6 n6 sep stanza 0-0 missing 0; #2 1,2,3,4,5,6 n6 sep stanza 0-0 missing 0",
                 "2 section data loaded (loadsectiondata)"}),
    [](const ::testing::TestParamInfo<LoadCase>& p) { return std::string(p.param.name); });

TEST(SectionsTest, AtMostOneHundredSections) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::mitchell();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    for (int id = 2; id <= 101; ++id)
        ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO Section (ID, Letter) VALUES (%1, 'S%1')").arg(id)));
    data.gameData.loadsectiondata();
    EXPECT_EQ(data.gameData.getSectionCount(), 100);
    EXPECT_EQ(data.gameData.sectionList().last().ID, 100);
    const QStringList log = data.logMessages();
    EXPECT_EQ(log.filter(QStringLiteral("Too many section data, >100")).size(), 1);
    EXPECT_TRUE(log.contains(QStringLiteral("100 section data loaded (loadsectiondata)")));
}

TEST(SectionsTest, LookupsByLettersAndId) {
    GameDataHarness data;
    EventBuilder b = test::fixtures::twoSections();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE Section SET custom_qz_StanazBeginGameRound=2, "
                                         "custom_qz_StanazEdgeGameRound=4 WHERE ID=2")));
    ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO Section (ID, Letter) VALUES (3, 'A')")));
    data.reload();
    const GameData& g = data.gameData;
    const struct {
        const char* question;
        qint16 answer;
        qint16 expected;
    } cases[] = {
        {"count", g.getSectionCount(), 3},
        {"ID of ' A '", g.getSectionID(QStringLiteral(" A ")), 1},
        {"ID of 'a'", g.getSectionID(QStringLiteral("a")), 0},
        {"ID of 'B'", g.getSectionID(QStringLiteral("B")), 2},
        {"begin round", g.getSectionBeginRound(2), 2},
        {"edge round", g.getSectionEdgeRound(2), 4},
        {"edge round of an unknown section", g.getSectionEdgeRound(9), 0},
        {"table at position 6", g.mem_GetSectionListItem(2, 6, false), 6},
        {"table at position 0", g.mem_GetSectionListItem(2, 0, false), 0},
        {"table at position 7", g.mem_GetSectionListItem(2, 7, false), 0},
        {"position of table 4", g.mem_GetSectionListItem(2, 4, true), 4},
        {"position of table 9", g.mem_GetSectionListItem(2, 9, true), 0},
        {"item of a section without tables", g.mem_GetSectionListItem(3, 1, false), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.answer, c.expected) << c.question;
    EXPECT_EQ(g.mem_GetSectionLetter(2), QStringLiteral("B"));
    EXPECT_EQ(g.mem_GetSectionLetter(9), QString());
    EXPECT_TRUE(g.mem_GetSectionField(1));
    EXPECT_FALSE(g.mem_GetSectionField(9));
}

struct SeparateCase {
    const char* name;
    std::function<EventBuilder()> make;
    bool individual;
    std::vector<const char*> changes;
    bool expected;
};

void PrintTo(const SeparateCase& c, std::ostream* os) {
    *os << c.name;
}

class SeparatePairsTest : public ::testing::TestWithParam<SeparateCase> {};

TEST_P(SeparatePairsTest, PairsKeepTheirDirection) {
    const SeparateCase& c = GetParam();
    GameDataHarness data;
    EventBuilder b = c.make();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    for (const char* sql : c.changes)
        ASSERT_TRUE(data.exec(QString::fromLatin1(sql))) << sql;
    data.setIndividual(c.individual);
    data.gameData.loadsectiondata();
    EXPECT_EQ(data.gameData.hasSeparateNSEWPairs(QStringLiteral("A")), c.expected);
    EXPECT_EQ(data.gameData.sectionList().first().separatePairs, c.expected);
}

// NS and EW both numbered 1 to 3.
EventBuilder sameNumbers() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int r = 1; r <= 3; ++r) {
        for (int t = 1; t <= 3; ++t)
            b.addRound(RoundRow{a, t, r, t, (t + r) % 3 + 1, 0, 0, 2 * t - 1, 2 * t});
    }
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, SeparatePairsTest,
    ::testing::Values(
        SeparateCase{"mitchell", test::fixtures::mitchell, false, {}, true},
        SeparateCase{"howell", test::fixtures::howell, false, {}, false},
        SeparateCase{"individual", test::fixtures::individual, true, {}, false},
        SeparateCase{"banded", test::fixtures::bandedPairs, false, {}, true},
        SeparateCase{"sameNumbers", sameNumbers, false, {}, true},
        // An individual game on a movement that names no South or West player: numbered as
        // the pairs game numbers it.
        SeparateCase{"mitchellUnderIndividual", test::fixtures::mitchell, true, {}, true},
        SeparateCase{"sameNumbersUnderIndividual", sameNumbers, true, {}, true},
        SeparateCase{"howellUnderIndividual", test::fixtures::howell, true, {}, false},
        // Without a movement the stored results decide: pair 1 scored two boards
        // in round 1.
        SeparateCase{"resultsOfAHowell",
                     test::fixtures::howell,
                     false,
                     {"DELETE FROM RoundData",
                      "INSERT INTO ReceivedData (Section, [Table], Round, Board, PairNS, PairEW, "
                      "Contract, Remarks) VALUES (1, 1, 1, 1, 10, 1, '1 NT', ''), (1, 1, 2, 3, 2, 10, "
                      "'1 NT', '')"},
                     false},
        SeparateCase{"resultsOfAMitchell", test::fixtures::mitchell, false, {"DELETE FROM RoundData"}, true}),
    [](const ::testing::TestParamInfo<SeparateCase>& p) { return std::string(p.param.name); });

TEST(SectionListsTest, ListsInTheOrderOfTheLetters) {
    GameDataHarness data;
    EventBuilder b;
    b.addSection(QStringLiteral("B"));
    b.addSection(QStringLiteral("A"));
    b.addSection(QStringLiteral("AA  "));
    for (int s = 1; s <= 3; ++s)
        b.addMitchellMovement(s, 3, 3, 2);
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    const GameData& g = data.gameData;

    QStringList entries;
    for (const SectionListEntry& e : g.fillSectionList())
        entries << e.text + QLatin1Char('=') + QString::number(e.sectionId);
    EXPECT_EQ(entries.join(QLatin1Char(' ')), QStringLiteral("A=2 AA=3 B=1"));
    const std::optional<SectionNumberList> numbers = g.getSectionLetters();
    ASSERT_TRUE(numbers);
    EXPECT_EQ(numbers->numbers, QByteArray::fromHex("011b02"));
    EXPECT_EQ(numbers->lastIndex, 2);
    EXPECT_EQ(g.getSectionLetter(3), QStringLiteral("AA"));
    EXPECT_EQ(g.getSectionLetter(9), QString());

    // More sections than the game status carries: the first 18, and one log line.
    for (int id = 4; id <= 20; ++id)
        ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO Section (ID, Letter) VALUES (%1, '%2')")
                                  .arg(id)
                                  .arg(QChar(u'A' + id))));
    const std::optional<SectionNumberList> many = g.getSectionLetters();
    ASSERT_TRUE(many);
    EXPECT_EQ(many->numbers.size(), 18);
    EXPECT_EQ(many->lastIndex, 17);
    EXPECT_EQ(data.logMessages().filter(QStringLiteral("Game status carries the first 18 sections")).size(),
              1);

    ASSERT_TRUE(data.exec(QStringLiteral("DELETE FROM Section")));
    EXPECT_TRUE(g.fillSectionList().isEmpty());
    const std::optional<SectionNumberList> none = g.getSectionLetters();
    ASSERT_TRUE(none);
    EXPECT_EQ(none->numbers, QByteArray(1, '\0'));
    EXPECT_EQ(none->lastIndex, -1);
}

} // namespace
} // namespace qzc

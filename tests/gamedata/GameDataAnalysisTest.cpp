#include "gamedata/GameDataAnalysis.h"

#include "core/MessageBox.h"
#include "core/ResultEntry.h"
#include "gamedata/PlayerNames.h"
#include "gamedata/PlayerSeats.h"
#include "gamedata/RegisteredPlayerChange.h"
#include "reports/ContestantTotals.h"
#include "reports/ResultFileGameData.h"
#include "support/EventBuilder.h"
#include "support/FakeDesktopHost.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/MovementChangeRig.h"
#include "support/OtherProgramLock.h"
#include "support/QueryRows.h"
#include "support/ScriptedMessageBox.h"
#include "support/SimWire.h"

#include <QSqlQuery>
#include <array>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::EventBuilder;
using test::GameDataHarness;

// A started event with the analysis around it; the main window shows section 1.
struct AnalysisRig {
    AnalysisRig()
        : names(data.harness.db, data.harness.log, data.harness.event, data.harness.config,
                data.harness.clock),
          analysis(data.gameData, names, data.harness.db, data.harness.log, data.harness.event, box, host,
                   host) {
        host.sections = [this] {
            std::vector<qint16> ids;
            for (const SectionListEntry& entry : data.gameData.fillSectionList())
                ids.push_back(entry.sectionId);
            return ids;
        };
        box.transactions.watch(data.harness.db);
    }

    bool start(EventBuilder& builder) {
        if (!data.start(builder))
            return false;
        names.loadPlayerNameList();
        host.entries = host.sections();
        host.listIndex = host.entries.empty() ? -1 : 0;
        return true;
    }

    // Stores a result for every board of the tables' rounds first to last (by the movement in
    // memory).
    void storeRounds(int firstTable, int lastTable, int firstRound, int lastRound, QChar section = u'A') {
        for (int t = firstTable; t <= lastTable; ++t) {
            const QString tableId = section + QString::number(t);
            for (int r = firstRound; r <= lastRound; ++r) {
                const auto round = static_cast<qint16>(r);
                const QString seat = data.gameData.mem_GetTablePairs(tableId, round);
                const auto ns = static_cast<qint16>(seat.section(QLatin1Char('/'), 0, 0).toInt());
                const auto ew = static_cast<qint16>(seat.section(QLatin1Char('/'), 1, 1).toInt());
                const QStringList boards = data.gameData.mem_GetBoardList(tableId, round)
                                               .split(QLatin1Char(','), Qt::SkipEmptyParts);
                for (const QString& board : boards) {
                    ResultEntry entry;
                    entry.board = static_cast<qint16>(board.toInt());
                    entry.contract = QStringLiteral("3NT");
                    entry.declarer = QStringLiteral("N");
                    entry.tricks = 9;
                    entry.valid = -1;
                    ASSERT_TRUE(data.gameData.markResult(tableId, entry, round, ns, ew, 0, 0).succeeded())
                        << tableId.toStdString() << " round " << r;
                }
            }
        }
    }

    int intValue(const QString& sql) { return data.value(sql).toInt(); }
    // custom_qz_loadsetup of every table of section 1, as "1100000" (Null as 0).
    QString loadSetupFlags(int section = 1) {
        QString flags;
        std::optional<QSqlQuery> query = data.harness.db.select(
            QStringLiteral("SELECT custom_qz_loadsetup FROM Tables WHERE Section=%1 ORDER BY [Table]")
                .arg(section));
        while (query && query->next())
            flags += query->value(0).toInt() == 1 ? QLatin1Char('1') : QLatin1Char('0');
        return flags;
    }
    bool logged(const QString& line) const { return data.logMessages().contains(line); }
    // A section's decision as stored: "mode:edge", its tables' set-up flags and
    // UpdateFromRound, and the count of its results after round afterRound.
    std::string decision(int section, int afterRound) {
        const auto text = [this, section](const QString& sql) {
            return data.value(sql.arg(section)).toString();
        };
        return (text(
                    u"SELECT custom_qz_UFRmode || ':' || custom_qz_StanazEdgeGameRound FROM Section WHERE ID=%1"_s) +
                u' ' + loadSetupFlags(section) + u' ' +
                text(u"SELECT group_concat(UpdateFromRound, '') FROM (SELECT UpdateFromRound FROM Tables"
                     " WHERE Section=%1 ORDER BY [Table])"_s) +
                u' ' +
                text(u"SELECT COUNT(*) FROM ReceivedData WHERE Section=%1 AND Round>"_s +
                     QString::number(afterRound)))
            .toStdString();
    }

    GameDataHarness data;
    PlayerNames names;
    test::FakeDesktopHost host;
    test::ScriptedMessageBox box;
    GameDataAnalysis analysis;
};

// Section A: 7 Mitchell tables, rounds 1-6 of 3 boards, played in stanzas from round 1 to 3.
EventBuilder stanzaEvent(bool terminals, int begin = 1, int edge = 3, int mode = 0) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(a, 7, 6, 3);
    b.setStanza(a, begin, edge, mode);
    // Tables 6 and 7 stay vacant.
    if (terminals) {
        for (int t = 1; t <= 5; ++t)
            b.addTerminal(100 + t, a, t);
    }
    return b;
}

// Two results that table 1 stored in rounds 4 and 5 (after the stanza edge).
bool storeLaterResults(GameDataHarness& data) {
    return data.exec(QStringLiteral(
               "INSERT INTO ReceivedData (Section, [Table], Round, Board, PairNS, PairEW, Contract, Remarks, "
               "Erased) VALUES (1, 1, 4, 10, 1, 12, '4S', 'later', 0)")) &&
           data.exec(QStringLiteral(
               "INSERT INTO ReceivedData (Section, [Table], Round, Board, PairNS, PairEW, Contract, Remarks, "
               "Erased) VALUES (1, 1, 5, 13, 1, 11, '2H', 'later', 0)"));
}

struct DecisionCase {
    const char* name;
    /// UpdateFromRound of tables 1 to 7.
    std::array<int, 7> updateFromRound;
    int stanzaBegin = 1;
    int stanzaEdge = 3;
    int mode = 0;
    bool terminals = true;
    /// Every table's results are stored up to this round (0: none).
    int completeThroughRound = 0;
    bool laterResults = true;
    std::optional<bool> answer = std::nullopt;

    bool asked = false;
    /// The last round of the old movement, as the question names it.
    int lastOldRound = 3;
    int expectedMode = 0;
    int expectedEdge = 3;
    const char* expectedFlags = "0000000";
    /// Of the two results after the stanza edge.
    int laterResultsKept = 2;
    int dialogs = 0;
    /// A line the decision logs; empty for none.
    const char* expectedLog = "";
};

std::ostream& operator<<(std::ostream& os, const DecisionCase& c) {
    return os << c.name;
}

class MovementChangeTest : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(MovementChangeTest, DecidesEachSectionOnce) {
    const DecisionCase& c = GetParam();
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(c.terminals, c.stanzaBegin, c.stanzaEdge, c.mode);
    for (int t = 0; t < 7; ++t)
        b.setUpdateFromRound(1, t + 1, c.updateFromRound[static_cast<std::size_t>(t)]);
    ASSERT_TRUE(rig.start(b)) << rig.data.failure().toStdString();
    if (c.completeThroughRound > 0)
        rig.storeRounds(1, 7, 1, c.completeThroughRound);
    if (c.laterResults) {
        ASSERT_TRUE(storeLaterResults(rig.data));
    }
    if (c.answer)
        rig.box.answers.push_back(*c.answer);

    EXPECT_TRUE(rig.analysis.AnalyzeGameDB());

    ASSERT_EQ(rig.box.shown.size(), c.asked ? 1U : 0U);
    if (c.asked) {
        const MessageBox::Request& question = rig.box.shown.front();
        EXPECT_EQ(question.text,
                  GameDataAnalysis::movementChangeQuestion(static_cast<qint16>(c.lastOldRound)));
        EXPECT_EQ(question.style, 52);
        EXPECT_EQ(question.helpTopic, 14);
        EXPECT_TRUE(question.secondButton);
        EXPECT_FALSE(question.modeless);
    }
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_UFRmode FROM Section WHERE ID=1")),
              c.expectedMode);
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_StanazEdgeGameRound FROM Section WHERE ID=1")),
              c.expectedEdge);
    EXPECT_EQ(rig.loadSetupFlags().toStdString(), c.expectedFlags);
    if (c.laterResults) {
        EXPECT_EQ(rig.intValue(QStringLiteral("SELECT COUNT(*) FROM ReceivedData WHERE Round>3")),
                  c.laterResultsKept);
    }
    EXPECT_EQ(rig.host.ufrDialogShown, c.dialogs);
    if (*c.expectedLog != '\0') {
        EXPECT_TRUE(rig.logged(QString::fromUtf8(c.expectedLog)))
            << rig.data.logMessages().join(u'\n').toStdString();
    }

    // A decision resets the vacant tables and reloads the game data with the new edge.
    const bool decided = c.expectedMode != c.mode;
    EXPECT_EQ(rig.host.initGridCalls, decided ? 1 : 0);
    if (decided) {
        EXPECT_EQ(rig.intValue(
                      QStringLiteral("SELECT COUNT(*) FROM Tables WHERE [Table]>5 AND UpdateFromRound<>0")),
                  0);
        EXPECT_EQ(rig.data.gameData.getSectionEdgeRound(1), c.expectedEdge);
    }

    // The decided section is not decided again.
    rig.box.answers.clear();
    rig.analysis.AnalyzeGameDB();
    EXPECT_EQ(rig.box.shown.size(), c.asked ? 1U : 0U);
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_StanazEdgeGameRound FROM Section WHERE ID=1")),
              c.expectedEdge);
}

constexpr std::array<int, 7> kNoUpdate{0, 0, 0, 0, 0, 0, 0};
constexpr std::array<int, 7> kAllFrom4{4, 4, 4, 4, 4, 4, 4};

INSTANTIATE_TEST_SUITE_P(
    Analysis, MovementChangeTest,
    ::testing::Values(
        DecisionCase{.name = "NoChange", .updateFromRound = kNoUpdate},
        DecisionCase{.name = "WithoutTerminalsKeepsTheStanza",
                     .updateFromRound = kAllFrom4,
                     .terminals = false,
                     .expectedMode = 1,
                     .expectedEdge = 6,
                     .expectedLog = "Section A: set UFRmode to 1 (movement altered)"},
        DecisionCase{.name = "CompletedTableOpensANewStanza",
                     .updateFromRound = kAllFrom4,
                     .completeThroughRound = 3,
                     .expectedMode = 2,
                     .expectedEdge = 3,
                     .expectedFlags = "1111100",
                     .laterResultsKept = 0,
                     .expectedLog = "At least, table A1 completed (AnalyzeGameDB)"},
        DecisionCase{.name = "DirectorAnswersYes",
                     .updateFromRound = kAllFrom4,
                     .completeThroughRound = 2,
                     .answer = true,
                     .asked = true,
                     .expectedMode = 2,
                     .expectedEdge = 3,
                     .expectedFlags = "1111100",
                     .laterResultsKept = 0,
                     .dialogs = 1,
                     .expectedLog = "Section A: set UFRmode to 2 (new stanza from round 1 to 3"},
        DecisionCase{.name = "DirectorAnswersNo",
                     .updateFromRound = kAllFrom4,
                     .completeThroughRound = 2,
                     .answer = false,
                     .asked = true,
                     .expectedMode = 1,
                     .expectedEdge = 6,
                     .expectedFlags = "1111100"},
        DecisionCase{.name = "MixedRoundsFallBackToTheLastResultRound",
                     .updateFromRound = {0, 4, 0, 0, 4, 0, 0},
                     .completeThroughRound = 2,
                     .laterResults = false,
                     .answer = true,
                     .asked = true,
                     .lastOldRound = 2,
                     .expectedMode = 2,
                     .expectedEdge = 2,
                     .expectedFlags = "1111100",
                     .dialogs = 1,
                     .expectedLog = "Section A: set UFRmode to 2 (new stanza from round 1 to 2"},
        DecisionCase{.name = "ChangeBeforeTheStanzaIsIgnored",
                     .updateFromRound = {3, 3, 3, 3, 3, 3, 3},
                     .stanzaBegin = 3,
                     .stanzaEdge = 4,
                     .laterResults = false,
                     .expectedEdge = 4},
        DecisionCase{.name = "ChangeFromRoundOneIsDecided",
                     .updateFromRound = {1, 1, 1, 1, 1, 1, 1},
                     .terminals = false,
                     .laterResults = false,
                     .expectedMode = 1,
                     .expectedEdge = 6},
        DecisionCase{.name = "PendingNewStanzaIsLeftAlone",
                     .updateFromRound = kAllFrom4,
                     .mode = 2,
                     .completeThroughRound = 3,
                     .expectedMode = 2,
                     .expectedEdge = 3}),
    [](const ::testing::TestParamInfo<DecisionCase>& c) { return std::string(c.param.name); });

TEST(GameDataAnalysisTest, EveryClearedResultIsLoggedInFullBeforeItIsDeleted) {
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(true);
    for (int t = 1; t <= 7; ++t)
        b.setUpdateFromRound(1, t, 4);
    ASSERT_TRUE(rig.start(b));
    rig.storeRounds(1, 1, 1, 3);
    ASSERT_TRUE(storeLaterResults(rig.data));
    rig.analysis.AnalyzeGameDB();

    // Written to the file before the results are deleted.
    const QStringList cleared =
        test::logBodies(rig.data.harness.logFileText()).filter(QStringLiteral("Clear board result: "));
    ASSERT_EQ(cleared.size(), 2) << rig.data.logMessages().join(u'\n').toStdString();
    for (const char* field : {"Section=1", "Table=1", "PairNS=1", "Remarks=later", "Erased=0",
                              "custom_qz_score=", "LeadCard=", "DateLog="})
        EXPECT_TRUE(cleared[0].contains(QLatin1String(field))) << field;
    EXPECT_TRUE(cleared[0].contains(QLatin1String("Round=4, Board=10")));
    EXPECT_TRUE(cleared[1].contains(QLatin1String("Round=5, Board=13")));
    EXPECT_TRUE(rig.logged(QStringLiteral("Clear result since round 4")));
}

TEST(GameDataAnalysisTest, ATickDuringTheQuestionIsSkipped) {
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(true);
    for (int t = 1; t <= 7; ++t)
        b.setUpdateFromRound(1, t, 4);
    ASSERT_TRUE(rig.start(b));
    std::optional<bool> nested;
    rig.box.whileShown = [&] {
        nested = rig.analysis.AnalyzeGameDB();
    };
    rig.box.answers.push_back(true);

    EXPECT_TRUE(rig.analysis.AnalyzeGameDB());
    ASSERT_TRUE(nested.has_value());
    EXPECT_FALSE(*nested);
    EXPECT_EQ(rig.box.shown.size(), 1U);
    EXPECT_TRUE(
        rig.logged(QStringLiteral("Check game data skipped, the check is still running (AnalyzeGameDB)")));
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_UFRmode FROM Section WHERE ID=1")), 2);
    EXPECT_FALSE(rig.analysis.isRunning());
}

// 5 pairs on 3 tables, 3 rounds of 2 boards, changed by the scoring program from round 3; the
// pair that sits out keeps a table of its own (EW 0), written without boards. Then the same
// with no boards in any row: a table without boards has completed nothing.
TEST(GameDataAnalysisTest, SitOutRowsWithoutBoardsKeepTheirRounds) {
    const char* const withoutBounds[] = {"UPDATE RoundData SET LowBoard=NULL, HighBoard=NULL WHERE EWPair=0",
                                         "UPDATE RoundData SET LowBoard=NULL, HighBoard=NULL"};
    for (const char* update : withoutBounds) {
        SCOPED_TRACE(update);
        AnalysisRig rig;
        EventBuilder b;
        const int a = b.addSection(QStringLiteral("A"));
        b.setStanza(a, 1, 3);
        for (const test::RoundRow& row : {test::RoundRow{a, 1, 1, 1, 2, 0, 0, 1, 2},
                                          {a, 1, 2, 1, 3, 0, 0, 5, 6},
                                          {a, 1, 3, 1, 5, 0, 0, 3, 4},
                                          {a, 2, 1, 3, 4, 0, 0, 3, 4},
                                          {a, 2, 2, 2},
                                          {a, 2, 3, 4, 2, 0, 0, 5, 6},
                                          {a, 3, 1, 5},
                                          {a, 3, 2, 5, 4, 0, 0, 1, 2},
                                          {a, 3, 3, 3}})
            b.addRound(row);
        for (int t = 1; t <= 3; ++t) {
            b.setUpdateFromRound(a, t, 3);
            b.addTerminal(100 + t, a, t);
        }
        ASSERT_TRUE(rig.start(b)) << rig.data.failure().toStdString();
        ASSERT_TRUE(rig.data.exec(QString::fromLatin1(update)));
        ASSERT_TRUE(rig.data.exec(QStringLiteral(
            "INSERT INTO ReceivedData (Section, [Table], Round, Board, PairNS, PairEW, Contract, Remarks, "
            "Erased) VALUES (1, 1, 3, 3, 1, 5, '3NT', '', 0)")));
        rig.data.reload();

        // One record a round; table 1 sends pair 2 to the sit-out at table 2, pair 3 to table 3.
        for (const char* table : {"A1", "A2", "A3"})
            EXPECT_EQ(rig.data.gameData.getMovementFromMemory(QLatin1String(table), 3, 20).size(), 2 + 3 * 6);
        const QByteArray a1 = rig.data.gameData.getMovementFromMemory(QStringLiteral("A1"), 3, 20);
        std::vector<int> nextTables;
        for (int at = 6; at < a1.size(); at += 6)
            nextTables.insert(nextTables.end(), {a1[at], a1[at + 1]});
        EXPECT_EQ(nextTables, (std::vector<int>{1, 2, 1, 3, 0, 0}));

        // No table has completed round 3: the director is asked, and table 1's result stays.
        rig.box.answers.push_back(false);
        EXPECT_TRUE(rig.analysis.AnalyzeGameDB());
        EXPECT_EQ(rig.box.shown.size(), 1U);
        EXPECT_TRUE(rig.data.logMessages().filter(QStringLiteral("completed")).isEmpty());
        EXPECT_EQ(rig.intValue(QStringLiteral("SELECT COUNT(*) FROM ReceivedData WHERE Round=3")), 1);
    }
}

TEST(GameDataAnalysisTest, AModeChangedDuringTheQuestionIsNotOverwritten) {
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(true);
    for (int t = 1; t <= 7; ++t)
        b.setUpdateFromRound(1, t, 4);
    ASSERT_TRUE(rig.start(b));
    ASSERT_TRUE(storeLaterResults(rig.data));
    rig.box.whileShown = [&] {
        ASSERT_TRUE(rig.data.exec(QStringLiteral("UPDATE Section SET custom_qz_UFRmode=1 WHERE ID=1")));
    };
    rig.box.answers.push_back(true);

    rig.analysis.AnalyzeGameDB();
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_UFRmode FROM Section WHERE ID=1")), 1);
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_StanazEdgeGameRound FROM Section WHERE ID=1")),
              3);
    EXPECT_EQ(rig.loadSetupFlags().toStdString(), "0000000");
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT COUNT(*) FROM ReceivedData WHERE Round>3")), 2);
    EXPECT_EQ(rig.host.ufrDialogShown, 0);
    EXPECT_TRUE(rig.logged(
        QStringLiteral("Section A: UFR mode is 1, movement change left undecided (AnalyzeGameDB)")));
}

// Rounds 1-4 of 5 played at every table, the movement changed from round 5. While the
// question is up the scoring program writes its change again, from round 3 or from round 5:
// the answer decides only the change it was asked about; a corrected one is asked anew.
TEST(GameDataAnalysisTest, TheAnswerDecidesOnlyTheChangeAsked) {
    struct AnswerCase {
        int rewrittenFrom;
        bool answer;
        const char* expected;
        std::vector<qint16> askedLastRounds;
        int dialogs = 0;
    };
    const AnswerCase cases[] = {
        {3, true, "0:5 00000 33333 20", {4, 2}},
        {3, false, "0:5 00000 33333 20", {4, 2}},
        {5, true, "2:4 11111 55555 20", {4}, 1},
        {5, false, "1:5 11111 55555 20", {4}},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rewrittenFrom << (c.answer ? " Yes" : " No"));
        AnalysisRig rig;
        EventBuilder b = test::MovementChangeRig::mitchell(5, 5, 2);
        for (int t = 1; t <= 5; ++t) {
            b.setUpdateFromRound(1, t, 5);
            b.addTerminal(100 + t, 1, t);
        }
        ASSERT_TRUE(rig.start(b));
        rig.storeRounds(1, 5, 1, 4);
        rig.box.answers.push_back(c.answer);
        rig.box.whileShown = [&rig, &c] {
            rig.box.whileShown = nullptr;
            ASSERT_TRUE(rig.data.exec(u"UPDATE Tables SET UpdateFromRound=%1"_s.arg(c.rewrittenFrom)));
        };

        rig.analysis.AnalyzeGameDB();
        EXPECT_EQ(rig.decision(1, 2), c.expected);
        EXPECT_EQ(rig.host.ufrDialogShown, c.dialogs);
        EXPECT_EQ(rig.logged(u"Section A: movement change from round 5 asked, now from round 3, movement "
                             "change left undecided (AnalyzeGameDB)"_s),
                  c.rewrittenFrom == 3);
        rig.analysis.AnalyzeGameDB();
        QStringList asked;
        for (const qint16 round : c.askedLastRounds)
            asked << GameDataAnalysis::movementChangeQuestion(round);
        EXPECT_EQ(rig.box.texts().join(u'|').toStdString(), asked.join(u'|').toStdString());
    }
}

// While the question about section A is up, a round of results is stored: of A itself, or
// of section B, whose table completes the stanza with it so that B is decided after A
// without a question. The changes are mixed: each stanza closes at its last result round.
class ResultsStoredDuringTheQuestion : public ::testing::TestWithParam<std::pair<char, int>> {};

TEST_P(ResultsStoredDuringTheQuestion, AreKept) {
    const auto [section, round] = GetParam();
    AnalysisRig rig;
    EventBuilder b;
    for (const int id : {b.addSection(QStringLiteral("A")), b.addSection(QStringLiteral("B"))}) {
        b.addMitchellMovement(id, 5, 6, 3);
        b.setStanza(id, 1, 4);
        b.setUpdateFromRound(id, 1, 5);
        for (int t = 1; t <= 5; ++t)
            b.addTerminal(100 * id + t, id, t);
    }
    ASSERT_TRUE(rig.start(b));
    rig.storeRounds(1, 5, 1, 2);
    rig.storeRounds(1, 5, 1, 3, u'B');
    rig.box.answers.push_back(true);
    bool stored = false;
    rig.box.whileShown = [&, section, round] {
        if (!std::exchange(stored, true))
            rig.storeRounds(1, 5, round, round, QLatin1Char(section));
    };

    rig.analysis.AnalyzeGameDB();
    EXPECT_EQ(rig.intValue(
                  u"SELECT COUNT(*) FROM ReceivedData WHERE Section=%1 AND Round=%2"_s.arg(section - 'A' + 1)
                      .arg(round)),
              15);
}

INSTANTIATE_TEST_SUITE_P(Analysis, ResultsStoredDuringTheQuestion,
                         ::testing::Values(std::pair{'A', 3}, std::pair{'B', 4}));

TEST(GameDataAnalysisTest, AFailedEdgeWriteSetsNoFlagAndClearsNothing) {
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(true);
    for (int t = 1; t <= 7; ++t)
        b.setUpdateFromRound(1, t, 4);
    ASSERT_TRUE(rig.start(b));
    rig.storeRounds(1, 7, 1, 3);
    ASSERT_TRUE(storeLaterResults(rig.data));
    ASSERT_TRUE(rig.data.exec(
        QStringLiteral("CREATE TRIGGER refuseEdge BEFORE UPDATE OF custom_qz_StanazEdgeGameRound "
                       "ON Section BEGIN SELECT RAISE(ABORT, 'refused'); END")));

    rig.analysis.AnalyzeGameDB();
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_UFRmode FROM Section WHERE ID=1")), 0);
    EXPECT_EQ(rig.loadSetupFlags().toStdString(), "0000000");
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT COUNT(*) FROM ReceivedData WHERE Round>3")), 2);
    EXPECT_EQ(rig.host.initGridCalls, 0);
}

// ---- The stanza state of the section shown --------------------------------------------

struct StateCase {
    const char* name;
    int stanzaEdge = 3;
    int completeThroughRound = 0;
    /// Table 1 must still load its set-up and owes results.
    bool owingSetup = false;

    StanzaState state = StanzaState::NoFurtherRounds;
};

std::ostream& operator<<(std::ostream& os, const StateCase& c) {
    return os << c.name;
}

class StanzaStateTest : public ::testing::TestWithParam<StateCase> {};

TEST_P(StanzaStateTest, ShowsTheStanzaStateOfTheSectionShown) {
    const StateCase& c = GetParam();
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(true, 1, c.stanzaEdge);
    ASSERT_TRUE(rig.start(b));
    if (c.completeThroughRound > 0)
        rig.storeRounds(1, 5, 1, c.completeThroughRound);
    if (c.owingSetup) {
        ASSERT_TRUE(rig.data.exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=1 WHERE [Table]=1")));
        ASSERT_TRUE(rig.data.exec(
            QStringLiteral("UPDATE custom_qz_TQZ SET ResultExpected=12, ResultGot=9 WHERE [Table]=1")));
    }
    rig.analysis.AnalyzeGameDB();
    const std::vector<std::pair<StanzaState, QString>> shown = {{c.state, QStringLiteral("AnalyzeGameDB")}};
    EXPECT_EQ(rig.host.stanzaStates, shown);
    EXPECT_EQ(rig.host.initGridCalls, 0);
}

INSTANTIATE_TEST_SUITE_P(Analysis, StanzaStateTest,
                         ::testing::Values(StateCase{.name = "NoFurtherRounds", .stanzaEdge = 6},
                                           StateCase{.name = "ReadyForTheNextStanza",
                                                     .completeThroughRound = 3,
                                                     .state = StanzaState::ReadyForNextStanza},
                                           StateCase{.name = "ResultsMissing",
                                                     .completeThroughRound = 2,
                                                     .state = StanzaState::ResultsOwed},
                                           StateCase{.name = "ATableStillOwesResultsAfterItsSetup",
                                                     .completeThroughRound = 3,
                                                     .owingSetup = true,
                                                     .state = StanzaState::ResultsOwed}),
                         [](const ::testing::TestParamInfo<StateCase>& c) {
                             return std::string(c.param.name);
                         });

TEST(GameDataAnalysisTest, NoSectionShownChangesNoControl) {
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(true);
    ASSERT_TRUE(rig.start(b));
    rig.host.listIndex = -1;
    rig.analysis.AnalyzeGameDB();
    EXPECT_TRUE(rig.host.stanzaStates.empty());
}

// ---- Vacant tables ----------------------------------------------------------------------

TEST(GameDataAnalysisTest, ADecisionResetsTheVacantTablesOfTheWholeEvent) {
    AnalysisRig rig;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int bb = b.addSection(QStringLiteral("B"));
    b.addMitchellMovement(a, 5, 5, 2);
    b.addMitchellMovement(bb, 5, 5, 2);
    b.setStanza(a, 1, 5);
    b.setStanza(bb, 1, 5);
    for (int t = 1; t <= 5; ++t)
        b.setUpdateFromRound(a, t, 3);
    // Section B: its own change is pending already; its tables 4 and 5 have no terminal.
    b.setStanza(bb, 1, 5, 2);
    for (int t = 1; t <= 5; ++t)
        b.setUpdateFromRound(bb, t, 2);
    for (int t = 1; t <= 3; ++t) {
        b.addTerminal(100 + t, a, t);
        b.addTerminal(200 + t, bb, t);
    }
    ASSERT_TRUE(rig.start(b));
    ASSERT_TRUE(rig.data.exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=1 WHERE Section=2")));
    rig.box.answers.push_back(false);

    rig.analysis.AnalyzeGameDB();
    EXPECT_EQ(rig.box.shown.size(), 1U);
    EXPECT_EQ(rig.loadSetupFlags(1).toStdString(), "11100");
    EXPECT_EQ(rig.loadSetupFlags(2).toStdString(), "11100");
    EXPECT_EQ(
        rig.intValue(QStringLiteral("SELECT COUNT(*) FROM Tables WHERE UpdateFromRound<>0 AND [Table]>3")),
        0);
    EXPECT_EQ(
        rig.intValue(QStringLiteral("SELECT COUNT(*) FROM Tables WHERE UpdateFromRound<>0 AND [Table]<=3")),
        6);
}

// Sections A and B of 5 Mitchell tables, 4 rounds of 2 boards, in a stanza from round 1 to
// edge, every table changed from updateFromRound; with terminals at tables 1-4 (table 5 stays
// vacant) or none.
EventBuilder twoChangedSections(int edge, int updateFromRound, bool terminals) {
    EventBuilder b;
    for (const int id : {b.addSection(QStringLiteral("A")), b.addSection(QStringLiteral("B"))}) {
        b.addMitchellMovement(id, 5, 4, 2);
        b.setStanza(id, 1, edge);
        for (int t = 1; t <= 5; ++t)
            b.setUpdateFromRound(id, t, updateFromRound);
        for (int t = 1; terminals && t <= 4; ++t)
            b.addTerminal(100 * id + t, id, t);
    }
    return b;
}

// Two sections changed from the same round, decided one after the other: the vacant tables
// of the first keep the second's UpdateFromRound until both are decided.
TEST(GameDataAnalysisTest, TwoSectionsChangedFromTheSameRoundAreBothDecided) {
    for (const bool terminals : {false, true}) {
        SCOPED_TRACE(terminals);
        AnalysisRig rig;
        EventBuilder b = twoChangedSections(3, terminals ? 2 : 4, terminals);
        ASSERT_TRUE(rig.start(b));
        if (terminals) {
            rig.storeRounds(1, 4, 1, 1);
            rig.storeRounds(1, 4, 1, 1, u'B');
            rig.storeRounds(1, 1, 2, 2, u'B');
            rig.box.answers = {true, true};
        }

        rig.analysis.AnalyzeGameDB();
        const QString asked = GameDataAnalysis::movementChangeQuestion(1);
        EXPECT_EQ(rig.box.texts(), QStringList(terminals ? 2 : 0, asked))
            << rig.box.texts().join(u'|').toStdString();
        const auto text = [&rig](const QString& sql) {
            return rig.data.value(sql).toString().toStdString();
        };
        EXPECT_EQ(text(u"SELECT group_concat(custom_qz_UFRmode || ':' || custom_qz_StanazEdgeGameRound)"
                       " FROM Section"_s),
                  terminals ? "2:1,2:1" : "1:4,1:4");
        EXPECT_EQ(rig.intValue(u"SELECT COUNT(*) FROM ReceivedData WHERE Round>1"_s), 0);
        EXPECT_EQ(text(u"SELECT group_concat(UpdateFromRound, '') FROM Tables"_s),
                  terminals ? "2222022220" : "0000000000");
    }
}

// Sections A and B changed from round 4, table 1 of each through round 4, table 5 vacant: a
// write of A's decision is refused, B's decision is stored. A's tables keep their marks, and
// once the write goes through, A is decided on them as B was.
TEST(GameDataAnalysisTest, ASectionWhoseDecisionIsNotStoredKeepsItsMarks) {
    const std::pair<const char*, const char*> refusals[] = {
        {"none", ""},
        {"edge", "BEFORE UPDATE OF custom_qz_StanazEdgeGameRound ON Section WHEN OLD.ID=1"},
        {"flags",
         "BEFORE UPDATE OF custom_qz_loadsetup ON Tables WHEN NEW.Section=1 AND NEW.custom_qz_loadsetup=1"},
        {"cleared results", "BEFORE DELETE ON ReceivedData WHEN OLD.Section=1"},
    };
    const std::string decided = "2:3 11110 44440 0";
    for (const auto& [refused, trigger] : refusals) {
        SCOPED_TRACE(refused);
        AnalysisRig rig;
        EventBuilder b = twoChangedSections(4, 4, true);
        ASSERT_TRUE(rig.start(b));
        for (const QChar section : {u'A', u'B'}) {
            rig.storeRounds(1, 4, 1, 3, section);
            rig.storeRounds(1, 1, 4, 4, section);
        }
        if (*trigger != '\0') {
            ASSERT_TRUE(
                rig.data.exec(u"CREATE TRIGGER refused %1 BEGIN SELECT RAISE(ABORT, 'refused'); END"_s.arg(
                    QLatin1String(trigger))));
        }

        rig.analysis.AnalyzeGameDB();
        EXPECT_EQ(rig.decision(1, 3), *trigger != '\0' ? "0:4 00000 44444 2" : decided);
        EXPECT_EQ(rig.decision(2, 3), decided);
        EXPECT_EQ(rig.logged(u"Section A: movement change not stored, left undecided (AnalyzeGameDB)"_s),
                  *trigger != '\0');

        ASSERT_TRUE(rig.data.exec(u"DROP TRIGGER IF EXISTS refused"_s));
        rig.analysis.AnalyzeGameDB();
        EXPECT_EQ(rig.decision(1, 3), decided);
        EXPECT_EQ(rig.decision(2, 3), decided);
    }
}

// The scoring program changes A (of twoChangedSections) again, from round 3, and holds its
// write lock until the decision on the change from round 4 waits for it: asked (Yes), or not
// (every table also played round 4). Nothing is stored; the next check decides the new one.
TEST(GameDataAnalysisTest, ADecisionIsStoredOnlyOnTheChangeReadUnderTheWriteLock) {
    for (const bool asked : {true, false}) {
        SCOPED_TRACE(asked);
        AnalysisRig rig;
        EventBuilder b = twoChangedSections(4, 4, true);
        ASSERT_TRUE(rig.start(b));
        ASSERT_TRUE(rig.data.exec(u"UPDATE Tables SET UpdateFromRound=0 WHERE Section=2"_s));
        rig.storeRounds(1, 4, 1, asked ? 3 : 4);
        std::optional<test::OtherProgramLock> scoringProgram;
        const auto changeFromRound3 = [&] {
            scoringProgram.emplace(rig.data.harness.db.path(), std::chrono::milliseconds(300),
                                   u"UPDATE Tables SET UpdateFromRound=3 WHERE Section=1"_s);
        };
        rig.box.answers = {true, false};
        rig.box.whileShown = [&] {
            if (!scoringProgram)
                changeFromRound3();
        };
        if (!asked)
            changeFromRound3();
        rig.analysis.AnalyzeGameDB();
        scoringProgram.reset();
        EXPECT_EQ(rig.decision(1, 2), asked ? "0:4 00000 33333 8" : "0:4 00000 33333 16");
        rig.analysis.AnalyzeGameDB();
        EXPECT_EQ(rig.decision(1, 2), asked ? "1:4 11110 33330 8" : "2:2 11110 33330 0");
        EXPECT_EQ(rig.box.shown.size(), asked ? 2U : 0U);
    }
}

// A and B changed from round 4 after A's tables entered a round more: B is asked about first,
// while the scoring program changes A and holds its write lock until B's decision waits for
// it. A, read as unchanged, keeps its vacant table's mark and is decided on it at the next check.
TEST(GameDataAnalysisTest, ASectionChangedWhileAnotherIsAskedKeepsItsVacantTablesMarks) {
    AnalysisRig rig;
    EventBuilder b = twoChangedSections(4, 4, true);
    ASSERT_TRUE(rig.start(b));
    ASSERT_TRUE(rig.data.exec(u"UPDATE Tables SET UpdateFromRound=0 WHERE Section=1"_s));
    rig.storeRounds(1, 4, 1, 4);
    rig.storeRounds(1, 4, 1, 3, u'B');
    std::optional<test::OtherProgramLock> scoringProgram;
    rig.box.whileShown = [&] {
        scoringProgram.emplace(rig.data.harness.db.path(), std::chrono::milliseconds(300),
                               u"UPDATE Tables SET UpdateFromRound=4 WHERE Section=1"_s);
    };
    rig.analysis.AnalyzeGameDB();
    scoringProgram.reset();
    EXPECT_EQ(rig.decision(1, 3), "0:4 00000 44444 8");
    EXPECT_EQ(rig.decision(2, 3), "1:4 11110 44440 0");
    rig.analysis.AnalyzeGameDB();
    EXPECT_EQ(rig.decision(1, 3), "2:3 11110 44440 0");
}

// ---- Reload after a change --------------------------------------------------------------

TEST(GameDataAnalysisTest, ReloadShowsTheSameSectionAgain) {
    for (const int shown : {0, 1}) {
        SCOPED_TRACE(shown);
        AnalysisRig rig;
        EventBuilder b = test::fixtures::twoSections();
        ASSERT_TRUE(rig.start(b));
        rig.host.listIndex = shown;
        // The fixture's sections have no stanza yet.
        rig.analysis.AnalyzeGameDB();
        EXPECT_TRUE(rig.logged(QStringLiteral("Initialize stanza for A: 1,5 (AnalyzeGameDB)")));
        EXPECT_TRUE(rig.logged(QStringLiteral("Initialize stanza for B: 1,5 (AnalyzeGameDB)")));
        EXPECT_EQ(rig.data.gameData.getSectionEdgeRound(2), 5);
        EXPECT_EQ(rig.host.initGridCalls, 1);
        const std::vector<qint16> expected =
            shown == 0 ? std::vector<qint16>{1, 1} : std::vector<qint16>{1, 2};
        EXPECT_EQ(rig.host.clickedSections, expected);
        EXPECT_EQ(rig.host.listIndex, shown);
        EXPECT_FALSE(rig.data.gameData.movementMessages().empty());
    }
}

TEST(GameDataAnalysisTest, ANewSectionWithoutRoundsGetsAnEmptyFirstStanza) {
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(false);
    b.addSection(QStringLiteral("B"));
    ASSERT_TRUE(rig.start(b));
    rig.analysis.AnalyzeGameDB();
    EXPECT_TRUE(rig.logged(QStringLiteral("Initialize stanza for B: 1,0 (AnalyzeGameDB)")));
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_StanazBeginGameRound FROM Section WHERE ID=2")),
              1);
    EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_StanazEdgeGameRound FROM Section WHERE ID=2")),
              0);
}

TEST(GameDataAnalysisTest, ATableCountChangeReloadsOnlyWhenTheNewTablePlaysTheEdgeRound) {
    for (const bool playsEdge : {false, true}) {
        SCOPED_TRACE(playsEdge);
        AnalysisRig rig;
        EventBuilder b = stanzaEvent(false);
        ASSERT_TRUE(rig.start(b));
        ASSERT_TRUE(rig.data.exec(QStringLiteral("INSERT INTO Tables (Section, [Table]) VALUES (1, 8)")));
        if (playsEdge) {
            ASSERT_TRUE(rig.data.exec(
                QStringLiteral("INSERT INTO RoundData (Section, [Table], Round, NSPair, EWPair, "
                               "LowBoard, HighBoard) VALUES (1, 8, 3, 15, 16, 1, 3)")));
        }
        rig.analysis.AnalyzeGameDB();
        EXPECT_EQ(rig.logged(QStringLiteral("Section A table changes from 7 to 8 (AnalyzeGameDB)")),
                  playsEdge);
        EXPECT_EQ(rig.host.initGridCalls, playsEdge ? 1 : 0);
    }
}

// Section A without a movement, 3 tables playing: the scoring program adds tables 4 and 5
// while the game runs, then removes table 5 again.
TEST(GameDataAnalysisTest, TablesAddedToASectionWithoutAMovementAreTakenUp) {
    EventBuilder b = test::MovementChangeRig::withoutMovement(3);
    test::MovementChangeRig rig(b, 3);
    ASSERT_TRUE(rig.started) << rig.rig.failure().toStdString();
    // The login reply's code and status byte, as "17 03".
    const auto login = [&rig](quint16 terminal, int table) {
        rig.rig.request(terminal, test::wire::bytes("0A 03 14"));
        rig.rig.request(terminal, test::wire::bytes({20, 1, table}));
        return rig.rig.sender.sent.back().body.mid(3, 2).toHex(' ').toStdString();
    };

    ASSERT_TRUE(rig.exec(u"INSERT INTO Tables (Section, [Table]) VALUES (1, 4), (1, 5)"_s));
    rig.analyse(false);
    EXPECT_EQ(login(4, 4), "17 03");
    EXPECT_FALSE(rig.submit(4, {test::MovementChangeRig::record(3, 4, 4)}).isEmpty());
    EXPECT_EQ(rig.stored(4, 3).toStdString(), "1:4-4");

    ASSERT_TRUE(rig.exec(u"DELETE FROM Tables WHERE [Table]=5"_s));
    rig.analyse(false);
    EXPECT_EQ(login(5, 5), "17 09");
    EXPECT_TRUE(rig.rig.data.gameData.isTableInSection(u"A4"_s));
}

// Table 2 sits out the edge round, so only table 1 is in play: that is no change of the
// table count, and a real one reloads once, not on every run.
TEST(GameDataAnalysisTest, ATableSittingOutTheEdgeRoundReloadsOnlyOncePerRealChange) {
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(false);
    ASSERT_TRUE(rig.start(b));
    ASSERT_TRUE(rig.data.exec(QStringLiteral("DELETE FROM RoundData WHERE [Table]=2 AND Round=3")));
    rig.data.gameData.loadsectiondata();
    ASSERT_EQ(rig.data.gameData.sectionList().at(0).tableCount, 1);

    const QString changed = QStringLiteral("Section A table changes from 7 to 8 (AnalyzeGameDB)");
    const auto run = [&rig, &changed](int initGridCalls, qsizetype changeLines) {
        rig.analysis.AnalyzeGameDB();
        EXPECT_EQ(rig.host.initGridCalls, initGridCalls);
        EXPECT_EQ(rig.data.logMessages().count(changed), changeLines);
    };
    run(0, 0);
    run(0, 0);
    ASSERT_TRUE(rig.data.exec(QStringLiteral("INSERT INTO Tables (Section, [Table]) VALUES (1, 8)")));
    ASSERT_TRUE(
        rig.data.exec(QStringLiteral("INSERT INTO RoundData (Section, [Table], Round, NSPair, EWPair, "
                                     "LowBoard, HighBoard) VALUES (1, 8, 3, 15, 16, 1, 3)")));
    run(1, 1);
    run(1, 1);
}

// Only a table with a terminal holds the change: a vacant one (flagged by a save of the game
// settings) has none to clear its flag. Once settled, the next change is put to the director.
TEST(GameDataAnalysisTest, AnAlteredMovementIsSettledOnceEveryTableLoadedItsSetup) {
    // The tables flagged to load their set-up (0: none); tables 6 and 7 are vacant.
    for (const auto& [flagged, pending] : {std::pair{"0", false}, {"2", true}, {"6, 7", false}}) {
        SCOPED_TRACE(flagged);
        AnalysisRig rig;
        EventBuilder b = stanzaEvent(true, 1, 6, 1);
        ASSERT_TRUE(rig.start(b));
        ASSERT_TRUE(
            rig.data.exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=1 WHERE [Table] IN (%1)")
                              .arg(QLatin1String(flagged))));
        rig.analysis.AnalyzeGameDB();
        EXPECT_TRUE(
            rig.logged(QStringLiteral("Section A: UFR mode=1(change without new stanaz) (AnalyzeGameDB)")));
        EXPECT_EQ(rig.logged(QStringLiteral("Section A: reset UFRmode")), !pending);
        EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_UFRmode FROM Section WHERE ID=1")),
                  pending ? 1 : 0);

        ASSERT_TRUE(rig.data.exec(QStringLiteral("UPDATE Tables SET UpdateFromRound=5")));
        rig.box.answers.push_back(false);
        rig.analysis.AnalyzeGameDB();
        EXPECT_EQ(rig.box.shown.size(), pending ? 0U : 1U);
    }
}

// A change answered No flagged tables 1-5; table 5's terminal left before it loaded the set-up
// (restarted, or went to vacant table 6). The section settles once, that change is not put to
// the director again, and a real later change is, once.
TEST(GameDataAnalysisTest, ATableLeftBeforeItLoadedItsSetupDoesNotRaiseTheChangeAgain) {
    for (const int newTable : {0, 6}) {
        SCOPED_TRACE(newTable);
        AnalysisRig rig;
        EventBuilder b = stanzaEvent(true, 1, 6, 1);
        b.setUpdateFromRound(1, 5, 3);
        ASSERT_TRUE(rig.start(b));
        rig.storeRounds(1, 7, 1, 2);
        ASSERT_TRUE(rig.data.exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=1 WHERE [Table]=5")));
        ASSERT_TRUE(
            rig.data.exec(QStringLiteral("UPDATE custom_qz_TQZ SET Section=%1, [Table]=%2 WHERE [Table]=5")
                              .arg(newTable == 0 ? 0 : 1)
                              .arg(newTable)));

        rig.analysis.AnalyzeGameDB();
        EXPECT_TRUE(rig.logged(QStringLiteral("Section A: reset UFRmode")));
        EXPECT_EQ(rig.loadSetupFlags().toStdString(), "0000000");
        EXPECT_EQ(rig.intValue(QStringLiteral("SELECT MAX(UpdateFromRound) FROM Tables")), 0);
        rig.analysis.AnalyzeGameDB();
        EXPECT_TRUE(rig.box.shown.empty());
        EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_UFRmode FROM Section WHERE ID=1")), 0);

        ASSERT_TRUE(rig.data.exec(QStringLiteral("UPDATE Tables SET UpdateFromRound=4")));
        rig.box.answers.push_back(false);
        rig.analysis.AnalyzeGameDB();
        rig.analysis.AnalyzeGameDB();
        ASSERT_EQ(rig.box.shown.size(), 1U);
        EXPECT_EQ(rig.box.shown.front().text.toStdString(),
                  GameDataAnalysis::movementChangeQuestion(3).toStdString());
    }
}

// ---- Player names and pair numbers ------------------------------------------------------

struct NameCase {
    const char* name;
    const char* number;
    /// PlayerNumbers.Name; nullptr for Null.
    const char* scoringName;
    bool updated;
    /// custom_qz_names before; nullptr for Null.
    const char* ownName;
    /// custom_qz_names after; nullptr for Null.
    const char* expected;
};

TEST(GameDataAnalysisTest, PlayerNamesComeFromTheScoringProgramOrTheKnownPlayers) {
    const NameCase cases[] = {
        {"PlaceholderReplacedByKnownName", "1234", "1234 ???", false, nullptr, "Ann Smith"},
        {"PlaceholderOfUnknownNumberLeftAlone", "99", "99 ???", false, nullptr, nullptr},
        {"MissingNameLookedUp", "1234", nullptr, false, "", "Ann Smith"},
        {"ScoringNameTaken", "77", "  Bob Brown ", false, nullptr, "Bob Brown"},
        {"UpdatedNameReplacesTheOldOne", "77", "New Name", true, "Old Name", "New Name"},
        {"UpdatedWithoutAnyNameIsEmptied", "88", nullptr, true, "Old Name", ""},
        {"QuoteKept", "55", "O'Neil", false, nullptr, "O'Neil"},
        {"NamedAndNotUpdatedIsNotRead", "77", "Other", false, "Kept", "Kept"},
    };
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(false, 1, 6);
    b.addPlayerName(1234, QStringLiteral("Ann Smith"));
    b.addPlayerName(5678, QStringLiteral("Cy Young"));
    ASSERT_TRUE(rig.start(b));
    auto literal = [](const char* text) {
        return text == nullptr ? QStringLiteral("NULL") : ScoreDb::sqlQuote(QString::fromUtf8(text));
    };
    int table = 0;
    for (const NameCase& c : cases) {
        ++table;
        ASSERT_TRUE(rig.data.exec(
            QStringLiteral("INSERT INTO PlayerNumbers (Section, [Table], Direction, [Number], "
                           "Name, Updated, custom_qz_names, custom_qz_pair) VALUES "
                           "(1, %1, 'N', '%2', %3, %4, %5, 1)")
                .arg(table)
                .arg(QString::fromUtf8(c.number), literal(c.scoringName),
                     c.updated ? QStringLiteral("-1") : QStringLiteral("0"), literal(c.ownName))))
            << c.name;
    }
    rig.analysis.AnalyzeGameDB();
    table = 0;
    for (const NameCase& c : cases) {
        ++table;
        const QVariant names = rig.data.value(
            QStringLiteral("SELECT custom_qz_names FROM PlayerNumbers WHERE [Table]=%1").arg(table));
        if (c.expected == nullptr)
            EXPECT_TRUE(names.isNull()) << c.name << ": " << names.toString().toStdString();
        else
            EXPECT_EQ(names.toString().toStdString(), c.expected) << c.name;
        EXPECT_EQ(
            rig.intValue(QStringLiteral("SELECT Updated FROM PlayerNumbers WHERE [Table]=%1").arg(table)), 0)
            << c.name;
    }
    // The named seats are in memory.
    EXPECT_EQ(rig.names.registeredNameList().size(), 6U);
    EXPECT_TRUE(rig.logged(QStringLiteral("Load registered name to memory, 6 (AnalyzeGameDB)")));
}

// A1's North and East are registered and in memory. The scoring program corrects North's name
// and gives East another player (Updated set on both), then corrects North's name again while
// the check reads the seats: one check brings the names in memory, the names a terminal is
// sent and the rows in line with what was committed last; a check that takes up nothing
// reloads nothing.
TEST(GameDataAnalysisTest, NamesTheScoringProgramCorrectsReachTheNamesInMemory) {
    AnalysisRig rig;
    EventBuilder b = stanzaEvent(false, 1, 6);
    b.addRegisteredPlayer(1, 1, u"N"_s, u"10231"_s, u"Ada Lindqvist"_s, 1);
    b.addRegisteredPlayer(1, 1, u"E"_s, u"10477"_s, u"Bo Berg"_s, 8);
    ASSERT_TRUE(rig.start(b));
    PlayerSeats seats(rig.data.harness.db, rig.data.harness.log, rig.data.harness.clock,
                      rig.data.harness.config, rig.data.gameData, rig.names, rig.data.harness.event);
    const auto inMemory = [&rig, &seats] {
        QStringList names;
        for (const PlayerNameRecord& r : rig.names.registeredNameList())
            names << r.direction + u':' + playerNumberText(r.number) + u':' + r.name;
        const QByteArray block = seats.getSeatPlayerName(u"A1"_s, 1, 8, 0, 0);
        for (const int seat : {0, 1})
            names << QString::fromLatin1(block.mid(seat * 20, 20).constData());
        return names.join(u'|').toStdString();
    };
    const auto reloads = [&rig] {
        return rig.data.logMessages().filter(u"Load registered name to memory"_s).size();
    };
    rig.analysis.AnalyzeGameDB();
    ASSERT_EQ(inMemory(), "N:10231:Ada Lindqvist|E:10477:Bo Berg|Ada Lindqvist|Bo Berg");

    ASSERT_TRUE(rig.data.exec(
        u"UPDATE PlayerNumbers SET Name='Ada Lindqvist-Berg', Updated=-1 WHERE Direction='N'"_s));
    ASSERT_TRUE(rig.data.exec(
        u"UPDATE PlayerNumbers SET [Number]='11002', Name='Clara Duvall', Updated=-1 WHERE Direction='E'"_s));
    const qsizetype before = reloads();
    {
        // North's name is corrected again, committed while the check reads the first correction.
        test::OtherProgramLock again(
            rig.data.harness.db.path(), std::chrono::milliseconds(300),
            u"UPDATE PlayerNumbers SET Name='Ada Berg', Updated=-1 WHERE Direction='N'"_s);
        ASSERT_TRUE(again.held());
        rig.analysis.AnalyzeGameDB();
    }
    EXPECT_EQ(inMemory(), "N:10231:Ada Berg|E:11002:Clara Duvall|Ada Berg|Clara Duvall");
    EXPECT_EQ(rig.intValue(u"SELECT COUNT(*) FROM PlayerNumbers WHERE Updated<>0"_s), 0);
    EXPECT_EQ(reloads(), before + 1);

    rig.analysis.AnalyzeGameDB();
    EXPECT_EQ(reloads(), before + 1);
}

// A1 registers four players and A2 one; their names are taken up. The scoring program then
// imports names (Name and Updated on every registered seat) while A1 sends its numbers again
// (N, E and S the same, a new player at W), and imports again before the director swaps A1 N
// with A2 N. Each check takes up every imported name at the seat of the player it names; the
// new player gets his own name.
TEST(GameDataAnalysisTest, AnImportedNameStaysWithItsPlayerThroughARegistrationAndASwap) {
    EventBuilder b = test::MovementChangeRig::mitchell(3, 3, 2);
    for (const auto& [number, name] :
         {std::pair{11, "Ada"}, {12, "Bo"}, {13, "Cy"}, {14, "Dan"}, {15, "Eva"}, {16, "Finn"}})
        b.addPlayerName(number, QString::fromUtf8(name));
    test::MovementChangeRig m(b, 2);
    ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
    const auto registration = [](std::initializer_list<char> numbers) {
        QByteArray request(1, '\x28');
        for (const char n : numbers)
            request += QByteArray(5, '\0') + n;
        return request;
    };
    const auto seats = [&m] {
        return test::queryRows(
                   m.rig.data.harness.db,
                   u"SELECT [Table] || Direction, [Number], custom_qz_names, Updated FROM PlayerNumbers"
                   " WHERE [Number] NOT IN ('', '0') ORDER BY [Table], Direction"_s)
            .toStdString();
    };
    const QString import = u"UPDATE PlayerNumbers SET Name=custom_qz_names || '%1', Updated=-1"
                           " WHERE [Number] NOT IN ('', '0')"_s;
    m.rig.request(1, registration({11, 12, 13, 14}));
    m.rig.request(2, registration({15, 0, 0, 0}));
    m.analyse(false);
    {
        test::OtherProgramLock held(m.rig.data.harness.db.path(), std::chrono::milliseconds(300),
                                    import.arg(u"+"_s));
        ASSERT_TRUE(held.held());
        m.rig.request(1, registration({11, 12, 13, 16}));
    }
    m.analyse(false);
    EXPECT_EQ(seats(), "1E|12|Bo+|0 1N|11|Ada+|0 1S|13|Cy+|0 1W|16|Finn|0 2N|15|Eva+|0");
    // Taken up, the corrections stay through the same registration once more.
    m.rig.request(1, registration({11, 12, 13, 16}));
    EXPECT_EQ(seats(), "1E|12|Bo+|0 1N|11|Ada+|0 1S|13|Cy+|0 1W|16|Finn|0 2N|15|Eva+|0");
    EXPECT_EQ(m.rig.data.value(u"SELECT Name FROM PlayerNumbers WHERE [Number]='11'"_s).toString(),
              u"Ada+"_s);

    ASSERT_TRUE(m.exec(import.arg(u"!"_s)));
    m.box.answers = {true};
    test::EventHarness& h = m.rig.data.harness;
    RegisteredPlayerChange change({h.db, h.log, m.box, m.rig.names, h.config, h.clock});
    // A1 N (11) is listed first; its Member ID typed as A2 N's.
    const std::vector<PlayerNameRecord> listed = m.rig.names.registeredNameList();
    EXPECT_EQ(change.cmdButton_Click(u"ID"_s, u"15"_s, listed.at(0), listed),
              RegisteredPlayerChange::Outcome::Written);
    m.analyse(false);
    EXPECT_EQ(seats(), "1E|12|Bo+!|0 1N|15|Eva+!|0 1S|13|Cy+!|0 1W|16|Finn!|0 2N|11|Ada+!|0");
}

// Players registered under one round 1; the scoring program renumbers round 1 (every table
// updated from round 1, no terminal bound: taken up without a question). The check that loads
// the changed movement gives each seat its new number, and the result file names follow.
TEST(GameDataAnalysisTest, SeatsFollowRoundOneOfTheMovementTheCheckLoads) {
    for (const bool individual : {false, true}) {
        SCOPED_TRACE(individual ? "South of an individual game" : "North of a Mitchell");
        AnalysisRig rig;
        EventBuilder b =
            individual ? test::fixtures::individual() : test::MovementChangeRig::mitchell(3, 3, 2);
        b.setStanza(1, 1, individual ? 4 : 3);
        b.addRegisteredPlayer(1, 1, u"N"_s, u"101"_s, u"Ada"_s, 1);
        b.addRegisteredPlayer(1, 1, u"S"_s, u"102"_s, u"Sue"_s, individual ? 11 : 1);
        b.addRegisteredPlayer(1, 2, u"N"_s, u"103"_s, u"Cy"_s, 2);
        ASSERT_TRUE(rig.start(b));
        rig.data.setIndividual(individual);
        // NS pairs 1 and 2 swap tables; in the individual game South players 11 and 12 do.
        ASSERT_TRUE(rig.data.exec(
            individual ? u"UPDATE RoundData SET South=23-South WHERE Round=1 AND [Table]<3"_s
                       : u"UPDATE RoundData SET NSPair=3-NSPair WHERE Round=1 AND [Table]<3"_s));
        ASSERT_TRUE(rig.data.exec(u"UPDATE Tables SET UpdateFromRound=1"_s));
        rig.analysis.AnalyzeGameDB();
        EXPECT_EQ(test::queryRows(rig.data.harness.db, u"SELECT [Table] || Direction || ':' || custom_qz_pair"
                                                       " FROM PlayerNumbers ORDER BY [Table], Direction"_s)
                      .toStdString(),
                  individual ? "1N:1 1S:12 2N:2" : "1N:2 1S:2 2N:1");
        ContestantTotal pair;
        pair.sectionId = 1;
        pair.number = individual ? 12 : 2;
        ResultFileGameData game;
        game.sections = {{1, u"A"_s, false}};
        ContestantTotals totals(rig.data.harness.db, rig.data.harness.log);
        EXPECT_EQ(totals.contestantLines({pair}, game).value().join(u'|').toStdString(),
                  individual ? "A;12;S;\"Sue\";0;0;;" : "A;2;N;\"Ada\";0;0;;|A;2;S;\"Sue\";0;0;;");
    }
}

TEST(GameDataAnalysisTest, PairNumbersComeFromRoundOne) {
    struct PairCase {
        const char* name;
        bool individual;
        int table;
        const char* direction;
        int expectedPair;
        /// custom_qz_pair before; 0 for none.
        int storedPair = 0;
    };
    const PairCase cases[] = {
        {"NorthTakesNS", false, 2, "N", 2},
        {"EastTakesEW", false, 2, "E", 4},
        {"SouthTakesNS", false, 2, "S", 2},
        {"WestTakesEW", false, 2, "W", 4},
        {"LowerCaseSeat", false, 2, " w ", 4},
        {"UnknownSeat", false, 2, "X", 0},
        {"EmptyNSSeat", false, 1, "N", 0},
        {"EWBesideEmptyNS", false, 1, "E", 3},
        {"IndividualSouth", true, 1, "S", 11},
        {"IndividualWest", true, 1, "W", 16},
        {"IndividualEast", true, 1, "E", 6},
        // Written when South and West took the pair of their line: their own player instead.
        {"IndividualSouthWithNorthsNumber", true, 1, "S", 11, 1},
        {"IndividualWestWithEastsNumber", true, 1, "W", 16, 6},
        // A number round 1 does not give the seat: its own player's too.
        {"IndividualSouthWithAnotherNumberFollowsTheMovement", true, 1, "S", 11, 7},
    };
    for (const PairCase& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisRig rig;
        EventBuilder b;
        if (c.individual) {
            b = test::fixtures::individual();
        } else {
            const int a = b.addSection(QStringLiteral("A"));
            // Round 1: table 1 has no NS pair.
            b.addRound(test::RoundRow{a, 1, 1, 0, 3, 0, 0, 1, 2});
            b.addRound(test::RoundRow{a, 2, 1, 2, 4, 0, 0, 3, 4});
        }
        if (c.storedPair > 0)
            b.addRegisteredPlayer(1, c.table, QString::fromUtf8(c.direction), QStringLiteral("4711"),
                                  QStringLiteral("Ann"), c.storedPair);
        else
            b.addPlayerNumber(1, c.table, QString::fromUtf8(c.direction), QStringLiteral("4711"));
        ASSERT_TRUE(rig.start(b));
        rig.data.setIndividual(c.individual);
        rig.analysis.AnalyzeGameDB();
        EXPECT_EQ(rig.intValue(QStringLiteral("SELECT custom_qz_pair FROM PlayerNumbers")), c.expectedPair);
    }
}

// ---- Set-up flags -----------------------------------------------------------------------

TEST(GameDataAnalysisTest, SetupFlagsOfASectionATableOrTheEvent) {
    struct FlagCase {
        const char* name;
        bool startSet;
        bool clear;
        const char* tableId;
        qint16 section;
        bool written;
        const char* flagsA;
        const char* flagsB;
        /// Tables whose UpdateFromRound is still 3 afterwards.
        int updateFromRoundKept;
    };
    const FlagCase cases[] = {
        {"SetASection", false, false, "", 2, true, "000000", "111111", 12},
        {"SetTheEvent", false, false, "", 0, true, "111111", "111111", 12},
        {"SetATableWithATerminal", false, false, "A2", 0, true, "010000", "000000", 12},
        {"TableWithoutATerminalIsNotSet", false, false, "A5", 0, false, "000000", "000000", 12},
        {"UnknownSectionWritesNothing", true, true, "Q2", 0, false, "111111", "111111", 12},
        // Every table's change from round 3 is still to be decided: its marks stay.
        {"ClearATableKeepsAnUndecidedMark", true, true, "B2", 0, true, "111111", "101111", 12},
        {"ClearATableWithoutATerminalKeepsAnUndecidedMark", true, true, "B5", 0, true, "111111", "111101",
         12},
        {"ClearASectionKeepsUpdateRounds", true, true, "", 1, true, "000000", "111111", 12},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisRig rig;
        EventBuilder b = test::fixtures::twoSections();
        b.addTerminal(101, 1, 2);
        b.addTerminal(201, 2, 2);
        for (int section = 1; section <= 2; ++section) {
            b.setStanza(section, 1, 5);
            for (int t = 1; t <= 6; ++t)
                b.setUpdateFromRound(section, t, 3);
        }
        ASSERT_TRUE(rig.start(b));
        ASSERT_TRUE(rig.data.exec(
            QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=%1").arg(c.startSet ? 1 : 0)));
        GameData& g = rig.data.gameData;
        EXPECT_EQ(g.setflagloadsetup(c.clear, QString::fromUtf8(c.tableId), c.section), c.written);
        EXPECT_EQ(rig.loadSetupFlags(1).toStdString(), c.flagsA);
        EXPECT_EQ(rig.loadSetupFlags(2).toStdString(), c.flagsB);
        EXPECT_EQ(rig.intValue(QStringLiteral("SELECT COUNT(*) FROM Tables WHERE UpdateFromRound=3")),
                  c.updateFromRoundKept);
        EXPECT_EQ(g.getLoadSetupTables(QStringLiteral("A2")), c.flagsA[1] == '1');
        EXPECT_EQ(g.getLoadSetupTables(QStringLiteral("B2")), c.flagsB[1] == '1');
    }
}

} // namespace
} // namespace qzc

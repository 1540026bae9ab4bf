#include "core/ScoreDbDataCheck.h"

#include "gamedata/GameDataAnalysis.h"
#include "gamedata/PlayerNames.h"
#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/FakeDesktopHost.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/MovementChangeRig.h"
#include "support/OtherProgram.h"
#include "support/OtherProgramLock.h"
#include "support/QueryRows.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::EventHarness;
using test::RoundRow;

const QString kBandedLine =
    QStringLiteral("Pair numbering format for team game from Magic Contest is found. Pair "
                   "numbers to TQZ will be transcribed.");

struct Range {
    int first;
    int last;
};

// One section whose NS pairs and EW pairs take the given ranges, one pair of each per table.
EventBuilder pairsInRanges(const std::vector<Range>& ns, const std::vector<Range>& ew) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    std::vector<int> nsPairs;
    std::vector<int> ewPairs;
    for (const Range& r : ns) {
        for (int p = r.first; p <= r.last; ++p)
            nsPairs.push_back(p);
    }
    for (const Range& r : ew) {
        for (int p = r.first; p <= r.last; ++p)
            ewPairs.push_back(p);
    }
    const size_t tables = std::max(nsPairs.size(), ewPairs.size());
    for (size_t t = 0; t < tables; ++t) {
        const int ns1 = t < nsPairs.size() ? nsPairs[t] : 0;
        const int ew1 = t < ewPairs.size() ? ewPairs[t] : 0;
        b.addRound(RoundRow{a, static_cast<int>(t) + 1, 1, ns1, ew1, 0, 0, 1, 2});
    }
    return b;
}

TEST(ScoreDbDataCheckTest, BandedNumberingAndPairsAbove255) {
    struct Case {
        const char* name;
        std::vector<Range> ns;
        std::vector<Range> ew;
        bool ok;
        bool banded;
        QStringList lines;
        QStringList shown;
    };
    const QString above = QStringLiteral("Pair number larger than 255 found");
    const Case cases[] = {
        {"four bands", {{1, 10}, {201, 210}}, {{101, 110}, {301, 310}}, true, true, {kBandedLine}, {}},
        {"four bands, pairs on NS only",
         {{1, 10}, {101, 110}, {201, 210}, {301, 310}},
         {},
         true,
         true,
         {kBandedLine},
         {}},
        {"three bands", {{1, 10}, {201, 210}}, {{101, 110}}, true, false, {}, {}},
        {"a band filled to its end",
         {{1, 10}, {201, 210}},
         {{101, 200}, {301, 310}},
         false,
         false,
         {above},
         {QStringLiteral("Pair number larger than 255 found.")}},
        {"one pair 256",
         {{1, 8}},
         {{9, 15}, {256, 256}},
         false,
         false,
         {above},
         {QStringLiteral("Pair number larger than 255 found.")}},
        {"numbered on to 255", {{1, 128}}, {{129, 255}}, true, false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EventHarness h;
        EventBuilder builder = pairsInRanges(c.ns, c.ew);
        ASSERT_TRUE(h.db.open(h.build(builder)));
        bool banded = !c.banded;
        EXPECT_EQ(ScoreDbDataCheck(h.db, h.log, h.messages).checkDBData(banded), c.ok);
        EXPECT_EQ(banded, c.banded);
        EXPECT_EQ(h.logMessages().mid(1), c.lines);
        EXPECT_EQ(h.messages.texts(), c.shown);
        for (const auto& shown : h.messages.shown) {
            EXPECT_TRUE(shown.standard);
            EXPECT_EQ(shown.icon, MessageBox::StandardIcon::Critical);
        }
    }
}

TEST(ScoreDbDataCheckTest, EmptyMovementLeavesTheNumberingAlone) {
    EventHarness h;
    EventBuilder builder;
    const int a = builder.addSection(QStringLiteral("A"));
    builder.addTable(a, 1);
    ASSERT_TRUE(h.db.open(h.build(builder)));
    bool banded = true;
    EXPECT_TRUE(ScoreDbDataCheck(h.db, h.log, h.messages).checkDBData(banded));
    EXPECT_TRUE(banded);
}

TEST(ScoreDbDataCheckTest, SeatsAreNormalisedAndTheOwnSettingsRowMadeSureOf) {
    EventHarness h;
    EventBuilder builder = test::fixtures::individual();
    builder.addRound(RoundRow{1, 9, 1, 33, 34, 9999, 0, 1, 2});
    builder.withoutOwnSettingsRow();
    ASSERT_TRUE(h.db.open(h.build(builder)));
    ASSERT_TRUE(
        h.db.execSQL(QStringLiteral("UPDATE RoundData SET West=NULL WHERE [Table]=9"), QStringLiteral("t")));
    bool banded = false;
    ASSERT_TRUE(ScoreDbDataCheck(h.db, h.log, h.messages).checkDBData(banded));

    qint32 n = -1;
    h.db.getDBValue(QStringLiteral("SELECT COUNT(*) AS n FROM RoundData WHERE South=0 AND West=0"),
                    QStringLiteral("n"), n);
    EXPECT_EQ(n, 1) << "only the row with 9999 and Null";
    h.db.getDBValue(QStringLiteral("SELECT COUNT(*) AS n FROM RoundData WHERE South>0 AND West>0"),
                    QStringLiteral("n"), n);
    EXPECT_EQ(n, 20) << "the individual movement keeps its players";
    h.db.getDBValue(
        QStringLiteral("SELECT COUNT(*) AS n FROM custom_qz_Settings WHERE custom_qz_showgoto=0 AND "
                       "custom_qz_tdpin IS NULL"),
        QStringLiteral("n"), n);
    EXPECT_EQ(n, 1);
}

struct RepairedRow {
    int board;
    const char* declarer;
    int score;
};

TEST(ScoreDbDataCheckTest, RepairsFillDeclarerAndScoreOfTheRightRows) {
    EventHarness h;
    EventBuilder builder = test::fixtures::resultsNeedingRepair();
    ASSERT_TRUE(h.buildAndStart(builder));
    const RepairedRow expected[] = {
        {1, "N", 450},  // 4S by N, 11 tricks, nobody vulnerable
        {2, "E", -400}, // 3NT by E, 9 tricks, EW not vulnerable
        {3, "W", 500},  // 4S doubled by W, two down vulnerable
        {5, "S", 0},    // a remark: no score
        {6, "", 0},     // "PASS " without declarer
        {7, "N", 620},  // was already complete
    };
    for (const RepairedRow& row : expected) {
        SCOPED_TRACE(row.board);
        QString declarer = QStringLiteral("?");
        qint32 score = -9999;
        const QString where = QStringLiteral(" FROM ReceivedData WHERE Board=%1").arg(row.board);
        EXPECT_TRUE(h.db.getDBValue(QStringLiteral("SELECT custom_qz_declarer") + where,
                                    QStringLiteral("custom_qz_declarer"), declarer));
        EXPECT_TRUE(h.db.getDBValue(QStringLiteral("SELECT custom_qz_score") + where,
                                    QStringLiteral("custom_qz_score"), score));
        EXPECT_EQ(declarer, QString::fromLatin1(row.declarer));
        EXPECT_EQ(score, row.score);
    }

    // A second pass finds nothing more to fill.
    const int linesBefore = static_cast<int>(h.logMessages().size());
    ScoreDbDataCheck(h.db, h.log, h.messages).repairResults();
    EXPECT_EQ(h.logMessages().mid(linesBefore),
              QStringList{QStringLiteral("Fill back QZ score (DB_Initialize)")})
        << "only the remark row with its legitimate 0 is looked at again";
    qint32 total = 0;
    h.db.getDBValue(QStringLiteral("SELECT SUM(custom_qz_score) AS s FROM ReceivedData"), QStringLiteral("s"),
                    total);
    EXPECT_EQ(total, 450 - 400 + 500 + 620);
}

TEST(ScoreDbDataCheckTest, PassRepairOverwritesEveryDeclarerlessPass) {
    EventHarness h;
    EventBuilder builder;
    const int a = builder.addSection(QStringLiteral("A"));
    builder.addMitchellMovement(a, 3, 3, 2);
    for (const auto& [board, contract, score] : std::vector<std::tuple<int, const char*, std::optional<int>>>{
             {1, "PASS", {}}, {2, "PASS", 50}, {3, "pass", {}}}) {
        test::ResultRow r;
        r.section = a;
        r.table = 1;
        r.round = 1;
        r.board = board;
        r.contract = QString::fromLatin1(contract);
        r.score = score;
        builder.addResult(r);
    }
    ASSERT_TRUE(h.db.open(h.build(builder)));
    ScoreDbDataCheck(h.db, h.log, h.messages).repairResults();
    qint32 zeros = 0;
    h.db.getDBValue(QStringLiteral("SELECT COUNT(*) AS n FROM ReceivedData WHERE custom_qz_score=0"),
                    QStringLiteral("n"), zeros);
    EXPECT_EQ(zeros, 2) << "both PASS rows; the lower-case one is not a stored pass";
}

// What the director does in the scoring program, writing only the shared columns: a result
// corrected, a declarer changed, a played result adjusted, a board passed out, a result added.
const char* const kScoringProgramChanges[] = {
    "UPDATE ReceivedData SET Result='-1' WHERE [Table]=1 AND Board=1",
    "UPDATE ReceivedData SET Contract='PASS', Result='', [NS/EW]='', Declarer=0 WHERE [Table]=2 AND Board=3",
    "UPDATE ReceivedData SET [NS/EW]='E', Declarer=PairEW WHERE [Table]=3 AND Board=5",
    "UPDATE ReceivedData SET Remarks='60%-40%', Result='-3' WHERE [Table]=4 AND Board=7",
    "INSERT INTO ReceivedData (Section,[Table],Round,Board,PairNS,PairEW,Declarer,[NS/EW],Contract,Result,"
    "LeadCard,Remarks,DateLog,TimeLog) VALUES (1,2,3,7,2,7,2,'S','3 NT','+1','','','2026-12-07','21:00:00')",
};

// The results not stored as 4S= by North, with their own columns; a 4S= by North with its
// own columns not 420 (620 vulnerable) by North is listed too.
std::string resultsAsScored(test::GameDataHarness& data) {
    return test::queryRows(
               data.harness.db,
               QStringLiteral(
                   "SELECT [Table], Board, Contract, Result, [NS/EW], Remarks, custom_qz_score, "
                   "custom_qz_declarer FROM ReceivedData WHERE NOT (Contract='4 S' AND Result='=' AND "
                   "[NS/EW]='N' AND Remarks='' AND custom_qz_declarer='N' AND "
                   "custom_qz_score=(CASE WHEN Board IN (2,4,5,7) THEN 620 ELSE 420 END)) "
                   "ORDER BY [Table], Board"))
        .toStdString();
}

const QString kBoard1 = QStringLiteral(" WHERE Board=1");

int board1Score(test::MovementChangeRig& rig) {
    return rig.rig.data.value(QStringLiteral("SELECT custom_qz_score FROM ReceivedData") + kBoard1).toInt();
}

// The scoring program corrects board 1 (4S+1 by North) to =, then to -1 while this program
// waits for the write lock to write the own score of the = it read: the -1 is what is scored.
TEST(ScoreDbDataCheckTest, OwnScoreIsThatOfTheResultStoredWhenItIsWritten) {
    for (const bool byAnalysis : {true, false}) {
        SCOPED_TRACE(byAnalysis ? "the analysis" : "the start-up's fill of a missing score");
        EventBuilder builder = test::fixtures::resultsNeedingRepair();
        test::MovementChangeRig rig(builder, 0);
        ASSERT_TRUE(rig.started);
        test::EventHarness& h = rig.rig.data.harness;
        ASSERT_TRUE(test::otherProgramRuns(
            h.db.path(), QStringLiteral("UPDATE ReceivedData SET Result='='") +
                             (byAnalysis ? QString() : QStringLiteral(", custom_qz_score=NULL")) + kBoard1));
        {
            test::OtherProgramLock lock(h.db.path(), std::chrono::milliseconds(500),
                                        QStringLiteral("UPDATE ReceivedData SET Result='-1'") + kBoard1);
            ASSERT_TRUE(lock.held());
            if (byAnalysis)
                rig.analyse(false);
            else
                ScoreDbDataCheck(h.db, h.log, h.messages).fillScores();
        }
        EXPECT_EQ(board1Score(rig), -50);
        EXPECT_EQ(h.logMessages().filter(QStringLiteral("4 S -1 N, score 450 to -50")).size(),
                  byAnalysis ? 1 : 0);
    }
}

// The start-up repair's look serves the first analysis while no other program committed since:
// an own score put out of line through this program's own connection is then left as it is.
TEST(ScoreDbDataCheckTest, FirstAnalysisTakesTheStartupRepairAsItsLook) {
    for (const bool otherCommitted : {false, true}) {
        SCOPED_TRACE(otherCommitted ? "another program committed since" : "nothing committed since");
        EventBuilder builder = test::fixtures::resultsNeedingRepair();
        test::MovementChangeRig rig(builder, 0);
        ASSERT_TRUE(rig.started);
        ASSERT_TRUE(rig.exec(QStringLiteral("UPDATE ReceivedData SET custom_qz_score=1") + kBoard1));
        ASSERT_TRUE(!otherCommitted ||
                    test::otherProgramRuns(rig.rig.data.harness.db.path(),
                                           QStringLiteral("UPDATE ReceivedData SET LeadCard='SA'")));
        rig.analyse(false);
        EXPECT_EQ(board1Score(rig), otherCommitted ? 450 : 1);
    }
}

TEST(ScoreDbDataCheckTest, OwnScoreAndDeclarerFollowWhatAnotherProgramChanged) {
    enum class When { Startup, Analysis, AnalysisAfterLock };
    const struct {
        const char* name;
        When when;
    } cases[] = {{"the next start-up", When::Startup},
                 {"the next analysis", When::Analysis},
                 {"the analysis after one that met the write lock", When::AnalysisAfterLock}};
    const std::string expected =
        "1|1|4 S|-1|N||-50|N 2|3|PASS||||0| 2|7|3 NT|+1|S||630|S 3|5|4 S|=|E||-420|E "
        "4|7|4 S|-3|N|60%-40%|620|N";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Section A, 4 tables, 3 rounds of 2 boards; rounds 1 and 2 are in, 4S= by North.
        EventBuilder builder;
        const int a = builder.addSection(QStringLiteral("A"));
        builder.addMitchellMovement(a, 4, 3, 2);
        builder.setStanza(a, 1, 3);
        for (const test::RoundRow& row : builder.rounds()) {
            for (int board = row.lowBoard; row.round <= 2 && board <= row.highBoard; ++board)
                builder.addResult(test::ResultRow::played(a, row.table, row.round, board, row.nsPair,
                                                          row.ewPair, QStringLiteral("4S"),
                                                          QStringLiteral("N"), 10));
        }
        test::GameDataHarness data;
        PlayerNames names(data.harness.db, data.harness.log, data.harness.event, data.harness.config,
                          data.harness.clock);
        test::FakeDesktopHost host;
        GameDataAnalysis analysis(data.gameData, names, data.harness.db, data.harness.log, data.harness.event,
                                  data.harness.messages, host, host);
        data.harness.db.setBusyTimeout(100);
        const QString path = data.harness.build(builder);
        auto scoringProgramChanges = [&path] {
            for (const char* sql : kScoringProgramChanges)
                ASSERT_TRUE(test::otherProgramRuns(path, QString::fromLatin1(sql))) << sql;
        };
        if (c.when == When::Startup)
            scoringProgramChanges();
        ASSERT_TRUE(data.harness.start(QStringLiteral("/f:\"") + path + QLatin1Char('"')));
        data.reload();
        if (c.when != When::Startup) {
            scoringProgramChanges();
            if (c.when == When::AnalysisAfterLock) {
                test::OtherProgramLock lock(path);
                ASSERT_TRUE(lock.held());
                analysis.AnalyzeGameDB();
                lock.release();
                EXPECT_EQ(resultsAsScored(data), "1|1|4 S|-1|N||420|N 2|3|PASS||||420|N 2|7|3 NT|+1|S||| "
                                                 "3|5|4 S|=|E||620|N "
                                                 "4|7|4 S|-3|N|60%-40%|620|N")
                    << "nothing is written under the lock";
            }
            analysis.AnalyzeGameDB();
        }
        EXPECT_EQ(resultsAsScored(data), expected);

        // Looked at again after another program's unrelated change, nothing is written.
        ASSERT_TRUE(test::otherProgramRuns(path, QStringLiteral("UPDATE ReceivedData SET LeadCard='SA'")));
        const qint64 statements = data.harness.db.executedStatements();
        analysis.AnalyzeGameDB();
        EXPECT_EQ(data.harness.db.executedStatements(), statements);
        EXPECT_EQ(resultsAsScored(data), expected);
    }
}

} // namespace
} // namespace qzc

// What terminal requests read again and again is kept in memory: the completeness of a
// section and the terminals' table. Whatever changes the database, through this program or
// another one, the next request must see it.
#include "core/ResultEntry.h"
#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/OtherProgram.h"
#include "support/QtPrinters.h"

#include <functional>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::GameDataHarness;

ResultEntry played(qint16 board, const char* contract) {
    ResultEntry entry;
    entry.board = board;
    entry.contract = QString::fromLatin1(contract);
    entry.declarer = QStringLiteral("N");
    entry.tricks = 9;
    entry.valid = -1;
    return entry;
}

// The completeness line that a request from the table writes: "A 1/90".
QString progressOf(GameDataHarness& data, const QString& tableId) {
    data.gameData.checkResultProgress(tableId);
    QString line = data.logMessages().constLast();
    line.remove(QStringLiteral("Check board for "));
    line.remove(QStringLiteral(" on table with TQZ, round 1 to 5:"));
    line.remove(QStringLiteral(" (DB_check_BoardResult)"));
    return line;
}

struct Step {
    const char* change;
    std::function<bool(GameDataHarness&)> apply;
    const char* sectionA;
    const char* sectionB;
    /// The table terminal 101 is bound to.
    const char* terminal;
};

TEST(KeptCountsTest, EveryChangeOfTheDatabaseReachesTheNextRequest) {
    GameDataHarness data;
    // Sections A and B: 6 tables, 5 rounds of 3 boards (90 results each), a terminal at
    // every table (101 to 106 in A, 111 to 116 in B); B3 has one result.
    test::EventBuilder b = test::fixtures::twoSections();
    for (int s = 1; s <= 2; ++s) {
        b.setStanza(s, 1, 5);
        for (int t = 1; t <= 6; ++t)
            b.addTerminal(90 + 10 * s + t, s, t);
    }
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    const QString path = data.harness.db.path();
    auto other = [path](const char* sql) {
        return test::otherProgramRuns(path, QString::fromLatin1(sql));
    };

    const Step steps[] = {
        {"nothing yet", [](GameDataHarness&) { return true; }, "A 0/90", "B 1/90", "A1"},
        {"this program stores a result at A1",
         [](GameDataHarness& d) {
             return d.gameData.markResult(QStringLiteral("A1"), played(1, "3NT"), 1, 1, 7, 0, 0).succeeded();
         },
         "A 1/90", "B 1/90", "A1"},
        {"and replaces it",
         [](GameDataHarness& d) {
             return d.gameData.markResult(QStringLiteral("A1"), played(1, "4S"), 1, 1, 7, 0, 0).succeeded();
         },
         "A 1/90", "B 1/90", "A1"},
        {"the scoring program stores one at A2",
         [&](GameDataHarness&) {
             return other(
                 "INSERT INTO ReceivedData (Section, [Table], Round, Board, PairNS, PairEW, Contract, "
                 "Erased) VALUES (1, 2, 1, 4, 2, 8, '3 NT', 0)");
         },
         "A 2/90", "B 1/90", "A1"},
        {"a statement of this program erases it",
         [](GameDataHarness& d) {
             return d.exec(QStringLiteral("UPDATE ReceivedData SET Erased=-1 WHERE Section=1 AND [Table]=2"));
         },
         "A 1/90", "B 1/90", "A1"},
        {"the terminal of A1 is unbound elsewhere",
         [&](GameDataHarness&) {
             return other("UPDATE custom_qz_TQZ SET Section=0, [Table]=0 WHERE TQZ_ID=101");
         },
         "A 0/75", "B 1/90", ""},
        {"this program stores a result at B1",
         [](GameDataHarness& d) {
             return d.gameData.markResult(QStringLiteral("B1"), played(1, "2H"), 1, 1, 7, 0, 0).succeeded();
         },
         "A 0/75", "B 2/90", ""},
        {"the terminal logs in at B6",
         [](GameDataHarness& d) { return d.gameData.markTQZTableNo(101, QStringLiteral("B6"), true, 3); },
         "A 0/75", "B 2/90", "B6"},
        {"the scoring program renames section B",
         [&](GameDataHarness&) { return other("UPDATE Section SET Letter='C' WHERE ID=2"); }, "A 0/75",
         "C 2/90", "C6"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.change);
        ASSERT_TRUE(step.apply(data));
        EXPECT_EQ(progressOf(data, QStringLiteral("A3")), QString::fromLatin1(step.sectionA));
        EXPECT_EQ(progressOf(data, QStringLiteral("B3")), QString::fromLatin1(step.sectionB));
        EXPECT_EQ(data.gameData.getTQZTableLabel(101).tableId, QString::fromLatin1(step.terminal));
    }
}

} // namespace
} // namespace qzc

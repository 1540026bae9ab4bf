#include "reports/HandRecordResultFile.h"

#include "support/EventBuilder.h"
#include "support/GoldenFile.h"
#include "support/ScoringEvent.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;
using test::ScoringEvent;

ResultRow withLead(ResultRow row, const char* lead) {
    row.leadCard = QString::fromLatin1(lead);
    return row;
}

/// Sections A (tables 1 and 2) and B (table 1) in round 1; names registered at A1 (one
/// with a comma and quotes) and at A2 (one with a line break); results on boards 1, 2, 7, 8
/// and 9, among them a remark with a contract, a pass, an erased row and a remark alone.
EventBuilder twoSections(bool names) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int other = b.addSection(QStringLiteral("B"));
    b.addRound(test::RoundRow{a, 1, 1, 1, 2, 0, 0, 1, 2});
    b.addRound(test::RoundRow{a, 2, 1, 3, 4, 0, 0, 7, 8});
    b.addRound(test::RoundRow{other, 1, 1, 1, 2, 0, 0, 1, 2});
    if (names) {
        b.addRegisteredPlayer(a, 1, QStringLiteral("N"), QStringLiteral("101"), QStringLiteral("Ann Lee"), 1);
        b.addRegisteredPlayer(a, 1, QStringLiteral("S"), QStringLiteral("102"), QStringLiteral("Bo, \"Jr\""),
                              1);
        b.addRegisteredPlayer(a, 1, QStringLiteral("E"), QStringLiteral("103"), QStringLiteral("Cy"), 2);
        b.addRegisteredPlayer(a, 2, QStringLiteral("N"), QStringLiteral("104"), QStringLiteral("Dee\r\nRay"),
                              3);
    }
    b.addResult(ResultRow::played(other, 1, 1, 1, 1, 2, QStringLiteral("3NT"), QStringLiteral("E"), 8));
    b.addResult(ResultRow::played(a, 2, 2, 1, 3, 2, QStringLiteral("2H"), QStringLiteral("S"), 9));
    b.addResult(
        withLead(ResultRow::played(a, 1, 1, 1, 1, 2, QStringLiteral("4S"), QStringLiteral("N"), 10), "HK"));
    ResultRow late = ResultRow::played(a, 1, 1, 2, 1, 2, QStringLiteral("3NT"), QStringLiteral("N"), 9);
    late.remarks = QStringLiteral("LP");
    b.addResult(late);
    b.addResult(
        withLead(ResultRow::played(a, 2, 1, 7, 3, 4, QStringLiteral("1NT"), QStringLiteral("W"), 5), "S2"));
    ResultRow erased = ResultRow::played(a, 2, 1, 7, 3, 4, QStringLiteral("2S"), QStringLiteral("N"), 8);
    erased.erased = true;
    b.addResult(erased);
    ResultRow passed = ResultRow::played(a, 2, 1, 8, 3, 4, QStringLiteral("PASS"), QStringLiteral("N"), 0);
    passed.contract = QStringLiteral("PASS");
    b.addResult(passed);
    ResultRow adjusted = ResultRow::played(a, 2, 1, 9, 3, 4, QStringLiteral("PASS"), QStringLiteral("N"), 0);
    adjusted.contract = QString();
    adjusted.remarks = QStringLiteral("60%-40%");
    b.addResult(adjusted);
    return b;
}

// The whole file, byte for byte. QZC_UPDATE_GOLDEN=1 rewrites the golden file for review.
TEST(HandRecordResultFileTest, NamesAndResultsBesideTheEventResultFile) {
    ScoringEvent event;
    EventBuilder builder = twoSections(true);
    ASSERT_TRUE(event.open(builder)) << event.error().toStdString();
    const QString eventFile = event.folder.filePath(QStringLiteral("results.txt"));
    QFile results(eventFile);
    ASSERT_TRUE(results.open(QIODevice::WriteOnly));
    results.write("the event result file");
    results.close();

    const ResultFileOutcome outcome =
        HandRecordResultFile(event.db, event.log).HandRecord_resultFile(event.folder.path());
    ASSERT_TRUE(outcome.written()) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.path, event.folder.path() + QStringLiteral("handrecord_results.txt"));
    EXPECT_EQ(test::readFileBytes(eventFile), QByteArray("the event result file"));
    EXPECT_TRUE(event.log.bufferedText().contains(
        QStringLiteral(": Complete result file for HandRecord (HandRecord_resultFile)")));

    QZC_EXPECT_GOLDEN(test::readFileBytes(outcome.path),
                      test::goldenPath(__FILE__, "handrecord_results.txt"));
}

TEST(HandRecordResultFileTest, WithoutNamesOrResults) {
    struct Case {
        const char* name;
        std::function<EventBuilder()> event;
        const char* firstLine;
    };
    const Case cases[] = {
        {"no pair numbers: results only", [] { return twoSections(false); },
         "[RESULTS] (section,NS pair no,EW pair no,score,contract,trciks taken,lead)"},
        {"neither names nor results: no file",
         [] {
             EventBuilder b;
             b.addRound(test::RoundRow{b.addSection(QStringLiteral("A")), 1, 1, 1, 2, 0, 0, 1, 2});
             return b;
         },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScoringEvent event;
        EventBuilder builder = c.event();
        ASSERT_TRUE(event.open(builder)) << event.error().toStdString();
        const ResultFileOutcome outcome =
            HandRecordResultFile(event.db, event.log).HandRecord_resultFile(event.folder.path());
        EXPECT_EQ(outcome.written(), c.firstLine != nullptr);
        const QString path = event.folder.path() + HandRecordResultFile::fileName;
        if (c.firstLine)
            EXPECT_TRUE(test::readFileBytes(path).startsWith(QByteArray(c.firstLine) + "\r\n#01\r\n"));
        else
            EXPECT_FALSE(QFileInfo::exists(path));
    }
}

} // namespace
} // namespace qzc

#include "reports/ResultFile.h"

#include "ResultFileEvents.h"
#include "reports/ResultFileText.h"
#include "scoring/PairScore.h"
#include "support/CaseNames.h"
#include "support/FailingBoardSource.h"
#include "support/ScoringEvent.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;
using test::ScoringEvent;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ResultFileText, RoundsHalvesToTheEvenNeighbour) {
    const std::pair<double, const char*> cases[] = {
        {62.5, "62"}, {63.5, "64"}, {49.99, "50"}, {0.5, "0"},   {1.5, "2"},   {-0.5, "0"},
        {-1.5, "-2"}, {-2.5, "-2"}, {-0.4, "0"},   {87.5, "88"}, {12.5, "12"}, {100.0, "100"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(roundedText(value).toStdString(), text) << value;
}

TEST(ResultFileText, NoValueCanBreakAFieldOrALine) {
    EXPECT_EQ(resultFileField(QStringLiteral("Anna \"Ace\"; Berg\r\nx")).toStdString(),
              "Anna 'Ace', Berg  x");
}

struct FailureCase {
    const char* name;
    std::function<EventBuilder()> event;
    /// Spoils the event after it is opened; returns the folder to write to.
    std::function<QString(ScoringEvent&)> spoil;
    const char* reason;
    /// Logged as a run-time error of the writer.
    bool writeError = false;
    /// No board can be valued.
    bool boardsFail = false;
};

class ResultFileFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(ResultFileFailure, TellsWhyAndLeavesTheEarlierFileAsItWas) {
    const FailureCase& c = GetParam();
    ScoringEvent event;
    EventBuilder builder = c.event();
    ASSERT_TRUE(event.open(builder)) << event.error().toStdString();
    const QString earlier = event.folder.filePath(QStringLiteral("results.txt"));
    {
        QFile file(earlier);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier publication\r\n");
    }
    const QString folder = c.spoil(event);
    test::FailingBoardSource failing;
    ScoredBoardSource& boards = c.boardsFail ? static_cast<ScoredBoardSource&>(failing) : event.boards;
    ResultFile file(event.db, event.settings, event.log, boards);
    const ResultFileOutcome outcome = file.makeresultFile_v1(folder, event.gameData());

    EXPECT_FALSE(outcome.written());
    EXPECT_TRUE(outcome.path.isEmpty());
    EXPECT_TRUE(outcome.reason.contains(QString::fromLatin1(c.reason))) << outcome.reason.toStdString();
    EXPECT_EQ(readAll(earlier), QByteArray("earlier publication\r\n"));
    // No half-written or temporary file is left beside the database and the earlier file.
    const QStringList left = QDir(event.folder.path())
                                 .entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)
                                 .filter(QRegularExpression(QStringLiteral("^(?!event\\.db)")));
    EXPECT_EQ(left, QStringList{QStringLiteral("results.txt")});
    EXPECT_TRUE(
        event.log.bufferedText().contains(QStringLiteral("No result file written: ") + outcome.reason));
    EXPECT_FALSE(event.log.bufferedText().contains(QStringLiteral("Complete result file")));
    EXPECT_EQ(event.log.bufferedText().contains(QStringLiteral("(makeresultfile_v1)")), c.writeError);
}

EventBuilder noResults() {
    EventBuilder b;
    b.addMitchellMovement(b.addSection(QStringLiteral("A")), 3, 3, 1);
    return b;
}

EventBuilder onlyErasedResults() {
    EventBuilder b = noResults();
    ResultRow r = ResultRow::played(1, 1, 1, 1, 1, 4, QStringLiteral("3NT"), QStringLiteral("N"), 9);
    r.erased = true;
    b.addResult(r);
    return b;
}

QString sameFolder(ScoringEvent& e) {
    return e.folder.path();
}

// Printed by its name, not as a dump of its bytes.
void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    ResultFile, ResultFileFailure,
    testing::Values(FailureCase{"noResult", noResults, sameFolder, "No board result is stored yet."},
                    FailureCase{"onlyErased", onlyErasedResults, sameFolder,
                                "No board result is stored yet."},
                    FailureCase{"closedDatabase", test::events::twoWinners,
                                [](ScoringEvent& e) {
                                    e.db.closeDatabase();
                                    return e.folder.path();
                                },
                                "could not be read from the score database"},
                    FailureCase{"boardsCannotBeValued", test::events::twoWinners, sameFolder,
                                "could not be scored", false, true},
                    FailureCase{"missingFolder", test::events::twoWinners,
                                [](ScoringEvent& e) { return e.folder.path() + QStringLiteral("missing/"); },
                                "could not be written", true}),
    test::CaseName());

// More than 5000 lines: every result and every contestant is written.
TEST(ResultFile, HasNoLineCap) {
    ScoringEvent event;
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    constexpr int tables = 200;
    constexpr int boards = 26;
    for (int board = 1; board <= boards; ++board) {
        for (int t = 1; t <= tables; ++t) {
            b.addResult(ResultRow::played(a, t, 1, board, t, tables + t, QStringLiteral("2S"),
                                          QStringLiteral("N"), 6 + (t + board) % 5));
        }
    }
    ASSERT_TRUE(event.open(b)) << event.error().toStdString();
    event.set(QStringLiteral("custom_qz_scoringtype"), QStringLiteral("1"));
    ResultFile file(event.db, event.settings, event.log, event.boards);
    const ResultFileOutcome outcome = file.makeresultFile_v1(event.folder.path(), event.gameData());
    ASSERT_TRUE(outcome.written()) << outcome.reason.toStdString();

    const QList<QByteArray> lines = readAll(outcome.path).split('\n');
    // [GAME] heading and line, blank, [CONTESTANTS] heading, 2 lines per pair, blank,
    // [RESULTS] heading, the results, the final empty line (and the piece after it).
    EXPECT_EQ(lines.size(), 2 + 1 + 1 + 2 * 2 * tables + 1 + 1 + boards * tables + 1 + 1);
    EXPECT_TRUE(lines[lines.size() - 3].startsWith("#26;A;1;200;400;;;"));
    EXPECT_FALSE(event.log.bufferedText().contains(QStringLiteral("Printout line reaches maximum")));
}

// "Not played" and an adjusted score are stored with score 0 beside a passed-out board:
// they earn nothing, and every pair's percentage is the one the matchpoint ranking gives.
TEST(ResultFile, RowsTheBoardDoesNotCountEarnNothing) {
    for (const char* scoringType : {"1", "0"}) {
        SCOPED_TRACE(scoringType);
        ScoringEvent event;
        EventBuilder b;
        const int a = b.addSection(QStringLiteral("A"));
        b.addResult(ResultRow::scored(a, 1, 1, 1, 420));
        b.addResult(ResultRow::played(a, 2, 1, 1, 2, 52, QStringLiteral("PASS"), QStringLiteral("N"), 0));
        b.addResult(ResultRow::scored(a, 3, 1, 1, -50));
        for (const int t : {4, 5}) {
            ResultRow r = ResultRow::scored(a, t, 1, 1, 0);
            r.contract = QString();
            r.remarks = t == 4 ? QStringLiteral("Not played") : QStringLiteral("60%-40%");
            b.addResult(r);
        }
        ASSERT_TRUE(event.open(b)) << event.error().toStdString();
        event.set(QStringLiteral("custom_qz_scoringtype"), QString::fromLatin1(scoringType));
        QString reason;
        const std::optional<QString> text = ResultFile(event.db, event.settings, event.log, event.boards)
                                                .makeResultText(event.gameData(), reason);
        ASSERT_TRUE(text.has_value()) << reason.toStdString();
        const QStringList lines = text->split(QStringLiteral("\r\n"));
        // Fields 13 to 20 of both rows, the values of either block, are 0 or empty.
        const QRegularExpression noValues(QStringLiteral("^#01;A;1;[45];([^;]*;){8}(0?;){8}"));
        EXPECT_EQ(lines.filter(noValues).size(), 2) << text->toStdString();
        // The file's totals are matchpoint totals, in cross-IMPs too.
        const auto ranking = PairRanking(event.db, event.settings, event.log, event.boards)
                                 .calcPairScore(a, RankingSide::Both, 0, 0, true);
        ASSERT_TRUE(ranking && ranking->size() == 10);
        for (const PairScoreRecord& pair : *ranking) {
            const QString line =
                lines.filter(QRegularExpression(QStringLiteral("^A;%1;[NSEW];").arg(pair.number))).value(0);
            EXPECT_EQ(line.section(QLatin1Char(';'), 5, 5).toStdString(),
                      roundedText(pair.percentage).toStdString())
                << pair.number;
        }
    }
}

} // namespace
} // namespace qzc

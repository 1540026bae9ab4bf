#include "ResultFileEvents.h"
#include "reports/ResultFile.h"
#include "support/GoldenFile.h"
#include "support/ScoringEvent.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::ScoringEvent;

struct GoldenCase {
    const char* golden;
    std::function<EventBuilder()> event;
    const char* scoringType;
};

class ResultFileGolden : public testing::TestWithParam<GoldenCase> {};

// The whole file, byte for byte: Windows-1252, CRLF, the rounding of every value, the final
// empty line. QZC_UPDATE_GOLDEN=1 rewrites the golden files for review.
TEST_P(ResultFileGolden, WritesTheWholeFile) {
    const GoldenCase& c = GetParam();
    ScoringEvent event;
    EventBuilder builder = c.event();
    ASSERT_TRUE(event.open(builder)) << event.error().toStdString();
    // The settings store holds what the builder wrote, as at start-up.
    if (std::optional<QSqlQuery> q = event.db.select(
            QStringLiteral("SELECT custom_qz_gametype, custom_qz_scoreacrosspair FROM custom_qz_Settings"))) {
        if (q->next()) {
            event.set(QStringLiteral("custom_qz_gametype"), q->value(0).toString());
            event.set(QStringLiteral("custom_qz_scoreacrosspair"), q->value(1).toString());
        }
    }
    event.set(QStringLiteral("custom_qz_scoringtype"), QString::fromLatin1(c.scoringType));

    ResultFile file(event.db, event.settings, event.log, event.boards);
    const ResultFileOutcome outcome = file.makeresultFile_v1(event.folder.path(), event.gameData());
    ASSERT_TRUE(outcome.written()) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.path, event.folder.path() + QStringLiteral("results.txt"));
    const QByteArray written = test::readFileBytes(outcome.path);
    EXPECT_TRUE(written.endsWith("\r\n\r\n"));
    EXPECT_FALSE(written.contains("\r\n\r\n\r\n"));

    QZC_EXPECT_GOLDEN(written, test::goldenPath(__FILE__, c.golden));
    EXPECT_TRUE(event.log.bufferedText().contains(
        QStringLiteral(": Start making result file style 1 (makeresultFile_v1)")));
    EXPECT_TRUE(
        event.log.bufferedText().contains(QStringLiteral(": Complete result file (makeresultFile_v1)")));
}

// Printed by its name, not as a dump of its bytes.
void PrintTo(const GoldenCase& c, std::ostream* out) {
    *out << c.golden;
}

INSTANTIATE_TEST_SUITE_P(
    ResultFile, ResultFileGolden,
    testing::Values(GoldenCase{"mp_one_winner.txt", test::events::oneWinner, "1"},
                    GoldenCase{"imp_one_winner.txt", test::events::oneWinner, "0"},
                    GoldenCase{"mp_two_winners.txt", test::events::twoWinners, "1"},
                    GoldenCase{"imp_two_winners.txt", test::events::twoWinners, "0"},
                    GoldenCase{"mp_across_the_field.txt", test::events::acrossTheField, "1"},
                    GoldenCase{"imp_across_the_field.txt", test::events::acrossTheField, "0"},
                    GoldenCase{"mp_individual.txt", test::events::individual, "1"}),
    [](const testing::TestParamInfo<GoldenCase>& p) {
        QString name = QString::fromLatin1(p.param.golden);
        name.chop(4);
        return name.toStdString();
    });

} // namespace
} // namespace qzc

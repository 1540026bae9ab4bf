#include "reports/LoggedResults.h"

#include "support/FakeHelp.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/GoldenFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace qzc {
namespace {

// A log as History=1 leaves it: the Mitchell fixture's terminals 0x0101 at A1 and 0x0102 at
// A2 send a doubled game, a list of three results (a game, an adjusted score, a pass), a
// board not played (logged twice) and a four-player record with a redoubled contract; among
// them lines that are no result of a bound terminal, and broken lines.
const char* const kLog = "2026-12-07 19:40:00.000 : Start game.\r\n"
                         "2026-12-07 19:40:00.010 : sys - Knock Base Station\r\n"
                         "2026-12-07 19:40:01.100 : RX <= FF 01 01 03 0A 03 14 00 26\r\n"
                         "2026-12-07 19:40:02.200 : RX <= FF 01 01 07 34 01 5C 2B 36 01 08 01 04\r\n"
                         "2026-12-07 19:40:02.300 : TX => FF 01 01 02 37 01 00 3A\r\n"
                         "2026-12-07 19:41:03.300 : RX <= FF 01 01 13 48 04 23 24 07 01 0E 05 38 3C 40 01 0E "
                         "06 00 00 40 01 0E 01 DB\r\n"
                         "2026-12-07 19:41:04.400 : RX <= FF 01 02 07 34 07 38 00 40 00 00 00 BD\r\n"
                         "2026-12-07 19:41:04.900 : RX <= FF FF 02 01 05 01 07\r\n"
                         "2026-12-07 19:41:05.000 : RX <= FF 01 55 07 34 01 5C 2B 36 01 08 01 58\r\n"
                         "2026-12-07 19:41:05.100 : RX <= FF 01 01 07 34\r\n"
                         "2026-12-07 19:41:05.200 : RX <= FF 01 01 07 34 01 5C 2B 3G 01 08 01 04\r\n"
                         "2026-12-07 19:41:05.300 : RX <= FF 01 01 07 34 01 5C 2B 36 01 08 01 0\r\n"
                         "2026-12-07 19:41:05.400 : RX <= FF 01 01 07 34 01 5C 2B 01 04\r\n"
                         "2026-12-07 19:41:06.500 : RX <= FF 01 02 07 34 07 38 00 40 00 00 00 BD\r\n"
                         "2026-12-07 19:42:07.600 : RX <= FF 01 02 09 36 08 92 22 09 02 08 0A 0B 01 26\r\n"
                         "2026-12-07 19:42:08.000 : Stop game.";

class LoggedResultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EventBuilder b = test::fixtures::mitchell();
        b.addTerminal(0x0101, 1, 1);
        b.addTerminal(0x0102, 1, 2);
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    }
    EventInfo& event() { return data.harness.event; }
    void writeLogFile(const char* text) {
        QFile log(event().logFilePath());
        ASSERT_TRUE(log.open(QIODevice::WriteOnly) && log.write(text) > 0);
    }
    LoggedResults results() {
        return LoggedResults(data.gameData, event(), data.harness.log, data.harness.messages, shell);
    }

    test::GameDataHarness data;
    test::FakeShellOpener shell;
    test::TempFolder desktop;
};

// Both files checked by hand against the log above: the event's copy with all 27 columns,
// the desktop's table with 11; the desktop copy is opened.
TEST_F(LoggedResultsTest, RebuiltFromAHandMadeLog) {
    writeLogFile(kLog);
    ASSERT_TRUE(results().mnuloggedResults_Click(desktop.path(), true));

    const QString name = QStringLiteral("club_res.txt");
    EXPECT_EQ(shell.opened, QStringList{desktop.path() + name});
    QZC_EXPECT_GOLDEN(test::readFileBytes(event().scoreDbFolder + name),
                      test::goldenPath(__FILE__, "logged_results.txt"));
    QZC_EXPECT_GOLDEN(test::readFileBytes(desktop.path() + name),
                      test::goldenPath(__FILE__, "logged_results_table.txt"));
    const QStringList logged = data.logMessages();
    EXPECT_TRUE(logged.contains(QStringLiteral("7 result line decoded.")));
    for (const char* skipped :
         {"2026-12-07 19:41:05 skipped, it is cut or not in hex: FF01010734",
          "2026-12-07 19:41:05 skipped, it is cut or not in hex: FF01010734015C2B3G01080104",
          "2026-12-07 19:41:05 skipped, it is cut or not in hex: FF01010734015C2B360108010"})
        EXPECT_TRUE(logged.contains(QStringLiteral("Logged frame of ") + QLatin1String(skipped))) << skipped;
}

// The event on the desktop, named as it is or through a link: the full results stay whole,
// the table is written beside them under another name and opened.
TEST_F(LoggedResultsTest, EventOnTheDesktopKeepsTheFullResults) {
    writeLogFile(kLog);
    ASSERT_TRUE(QFile::link(QDir::cleanPath(event().scoreDbFolder), desktop.filePath(QStringLiteral("ev"))));
    for (const QString& folder : {event().scoreDbFolder, desktop.path() + QStringLiteral("ev/")}) {
        ASSERT_TRUE(results().mnuloggedResults_Click(folder, true));
        EXPECT_EQ(shell.opened.last(), folder + QStringLiteral("club_res_table.txt"));
        QZC_EXPECT_GOLDEN(test::readFileBytes(event().scoreDbFolder + QStringLiteral("club_res.txt")),
                          test::goldenPath(__FILE__, "logged_results.txt"));
    }
}

// Without the movement the round is estimated from the table's results stored; without
// boards per round there is no estimate (and no division).
TEST_F(LoggedResultsTest, RoundEstimateWithoutTheMovement) {
    ASSERT_TRUE(data.exec(QStringLiteral("DELETE FROM RoundData")));
    data.reload();
    const QString line =
        QStringLiteral("2026-12-07 19:40:02.200 : RX <= FF 01 01 07 34 01 5C 2B 36 01 08 01 04");
    // A1 has two results stored.
    for (const auto& [boardsPerRound, round] : {std::pair{0, "0"}, {-3, "0"}, {1, "2"}, {3, "1"}}) {
        event().boardsPerRound = static_cast<qint16>(boardsPerRound);
        const QString rebuilt = results().DecodeGameLogForResult(line);
        EXPECT_EQ(rebuilt.section(QStringLiteral("\r\n"), 1).section(QLatin1Char('\t'), 3, 3),
                  QLatin1String(round))
            << boardsPerRound;
    }
}

// EW pairs banded from 101, A1's results stored in its last round: its lines of rounds 1 and
// 3 come back with their round and the movement's own pairs.
TEST_F(LoggedResultsTest, BandedNumbersOfEveryRound) {
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE RoundData SET EWPair=EWPair+93")));
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE ReceivedData SET Round=7 WHERE [Table]=1")));
    data.reload();
    event().bandedPairNumbering = true;
    const QString rebuilt = results().DecodeGameLogForResult(
        QStringLiteral("2026-12-07 19:40:02.200 : RX <= FF 01 01 07 34 01 23 24 40 01 02 00 00\r\n"
                       "2026-12-07 20:10:02.200 : RX <= FF 01 01 07 34 07 23 24 40 01 0C 00 00"));
    EXPECT_EQ(rebuilt.section(QStringLiteral("\r\n"), 1, 1).section(QLatin1Char('\t'), 3, 6),
              QStringLiteral("1\t1\t1\t101"));
    EXPECT_EQ(rebuilt.section(QStringLiteral("\r\n"), 2).section(QLatin1Char('\t'), 3, 6),
              QStringLiteral("3\t7\t1\t106"));
}

// The ini key History is named only while it is off. Results of a tabletop that is logged in
// to no table now (as after a new stanza, until it logs in again) are not taken for none.
TEST_F(LoggedResultsTest, ALogWithoutResultsWritesNothingAndSaysSo) {
    EXPECT_TRUE(results().DecodeGameLogForResult(QString()).isEmpty());
    const struct {
        const char* log;
        bool historyOn;
        const char* told;
    } cases[] = {
        {"2026-12-07 19:40:00.000 : Start game.\r\n", false,
         "The log holds no results sent by the tabletops:"},
        {"2026-12-07 19:40:00.000 : Start game.\r\n", true,
         "The log holds no results sent by the tabletops:"},
        {"2026-12-07 19:41:05.000 : RX <= FF 01 55 07 34 01 5C 2B 36 01 08 01 58\r\n", true,
         "The results in the log were sent by tabletops that are not logged in to a table now:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.log);
        writeLogFile(c.log);
        data.harness.messages.shown.clear();
        EXPECT_FALSE(results().mnuloggedResults_Click(desktop.path(), c.historyOn));
        EXPECT_FALSE(QFile::exists(event().scoreDbFolder + QStringLiteral("club_res.txt")));
        EXPECT_TRUE(shell.opened.isEmpty());
        ASSERT_EQ(data.harness.messages.shown.size(), 1u);
        const QString& text = data.harness.messages.shown[0].text;
        EXPECT_TRUE(text.startsWith(QLatin1String(c.told))) << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("History")), !c.historyOn);
    }
}

} // namespace
} // namespace qzc

#include "core/StartupSequence.h"

#include "core/Log.h"
#include "core/ScoreDbSchema.h"
#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::EventHarness;

const QString kFailed = StartupSequence::failureMessage;

QStringList tableReport(const QStringList& absent) {
    QStringList lines;
    for (const char* name :
         {"BiddingData", "Clients", "HandRecord", "IntermediateData", "PlayData", "PlayerNumbers",
          "ReceivedData", "RoundData", "Section", "Settings", "Tables", "PlayerNames"}) {
        const QString table = QString::fromLatin1(name);
        const bool found = !absent.contains(table);
        lines << QStringLiteral("Table ") + table +
                     (found ? QStringLiteral(" found") : QStringLiteral(" not found"));
    }
    return lines;
}

// The fourteen lines that open every start-up that found its database file.
QStringList startupBlock(const EventHarness& h, const QString& path, const QString& commandLine) {
    const QString folder = h.appFolder;
    return {getVersionText(),
            QStringLiteral("Trace level: 0"),
            QStringLiteral("Command line argument:") + commandLine,
            QStringLiteral("Score database:") + path,
            QStringLiteral("ORV path:") + folder,
            QStringLiteral("Registry key, qzcpath:"),
            QStringLiteral("Kestrow path:") + folder + QStringLiteral("kestrow/"),
            QStringLiteral("Handrecords path:") + folder + QStringLiteral("handrecords/"),
            QStringLiteral("Events path:") + folder + QStringLiteral("events/"),
            QStringLiteral("Event name:club"),
            QStringLiteral("Event path:") + folder,
            QStringLiteral("Event data path:") + folder,
            QStringLiteral("Event dump path:") + folder,
            QStringLiteral("Language for Help file:en")};
}

struct FixtureCase {
    const char* fixture;
    bool ok;
    /// Tables reported "not found".
    QStringList absent;
    /// Log lines between "Database open succeed" and the end of the start-up (successful
    /// start-ups) or the "Database closed" of the failure path.
    QStringList lines;
    /// Standard message boxes shown before the failure message.
    QStringList standardMessages;
};

QStringList settingsLines() {
    return {QStringLiteral("Score database data verification: ok"),
            QStringLiteral("Create Game Settings structure"), QStringLiteral("46 fields created"),
            QStringLiteral("Load settings from score database"),
            QStringLiteral("Game first open: load default game settings")};
}

QStringList okLines(const QStringList& absent, const QStringList& checks = {}) {
    return QStringList{QStringLiteral("Score database structure: ok"),
                       QStringLiteral("Score database intergation: ok")} +
           tableReport(absent) + checks + settingsLines();
}

QStringList reportedUpTo(const QStringList& absent, const QString& failure) {
    return QStringList{QStringLiteral("Score database structure: ok"),
                       QStringLiteral("Score database intergation: ok")} +
           tableReport(absent) + QStringList{failure};
}

QStringList optionalTables() {
    return {QStringLiteral("Settings"), QStringLiteral("HandRecord"), QStringLiteral("PlayerNames"),
            QStringLiteral("BiddingData"), QStringLiteral("PlayData")};
}

std::vector<FixtureCase> fixtureCases() {
    const QString banded =
        QStringLiteral("Pair numbering format for team game from Magic Contest is found. Pair "
                       "numbers to TQZ will be transcribed.");
    const QString fillScore = QStringLiteral("Fill back QZ score (DB_Initialize)");
    const QString fillPass = QStringLiteral("Fill back QZ score for PASS (DB_Initialize)");
    return {
        {"mitchell", true, {}, okLines({}), {}},
        {"howell", true, {}, okLines({}), {}},
        {"twoSections", true, {}, okLines({}), {}},
        {"individual", true, {}, okLines({}), {}},
        {"bandedPairs", true, {}, okLines({}, {banded}), {}},
        {"pairAbove255",
         false,
         {},
         reportedUpTo({}, QStringLiteral("Pair number larger than 255 found")),
         {QStringLiteral("Pair number larger than 255 found.")}},
        {"multiStanza", true, {}, okLines({}), {}},
        {"withoutOwnSchema", true, {}, okLines({}, {fillScore}), {}},
        {"withoutClients",
         false,
         {},
         {QStringLiteral("Required table is missing in the score database")},
         {}},
        {"settingsWithoutColumn", true, {}, okLines({}), {}},
        {"withoutOptionalTables", true, optionalTables(), okLines(optionalTables()), {}},
        {"resultsNeedingRepair", true, {}, okLines({}, {fillScore, fillPass}), {}},
        {"withoutTables", false, {}, reportedUpTo({}, QStringLiteral("No table is defined")), {}},
        {"withoutSections", false, {}, reportedUpTo({}, QStringLiteral("No section is defined")), {}},
        {"clubEvening", true, {}, okLines({}), {}},
    };
}

EventBuilder fixtureByName(const char* name) {
    for (const auto& f : test::fixtures::all()) {
        if (QLatin1String(f.name) == QLatin1String(name))
            return f.make();
    }
    ADD_FAILURE() << "no fixture " << name;
    return EventBuilder();
}

TEST(StartupSequenceTest, EveryFixtureLogsTheStartupBlockInOrderAndEndsAsExpected) {
    const std::vector<FixtureCase> cases = fixtureCases();
    ASSERT_EQ(cases.size(), test::fixtures::all().size()) << "every fixture has its case";
    for (const FixtureCase& c : cases) {
        SCOPED_TRACE(c.fixture);
        EventHarness h;
        EventBuilder builder = fixtureByName(c.fixture);
        const QString path = h.build(builder);
        ASSERT_FALSE(path.isEmpty()) << builder.lastError().toStdString();
        const QString commandLine = QStringLiteral("/f:\"") + path + QLatin1Char('"');
        EXPECT_EQ(h.start(commandLine), c.ok);

        QStringList expected = startupBlock(h, path, commandLine);
        expected << QStringLiteral("Database open succeed");
        expected += c.lines;
        if (!c.ok)
            expected << QStringLiteral("Database closed");
        EXPECT_EQ(h.logMessages(), expected);

        QStringList shown = c.standardMessages;
        if (!c.ok)
            shown << kFailed;
        EXPECT_EQ(h.messages.texts(), shown);
        if (!c.ok) {
            // The reasons are in the file, nothing waits in the buffer.
            EXPECT_TRUE(h.log.bufferedText().isEmpty());
            EXPECT_TRUE(h.logFileText().contains(c.lines.last()));
            EXPECT_FALSE(h.db.isOpen());
            const test::ScriptedMessageBox::Shown& last = h.messages.shown.back();
            EXPECT_EQ(last.style, 49);
            EXPECT_EQ(last.helpTopic, 26);
            EXPECT_TRUE(last.caption.isEmpty());
        }
    }
}

TEST(StartupSequenceTest, IntegratingTheOwnSchemaAgainRunsNoStatementOnAnyFixture) {
    for (const auto& fixture : test::fixtures::all()) {
        SCOPED_TRACE(fixture.name);
        EventHarness h;
        EventBuilder builder = fixture.make();
        const QString path = h.build(builder);
        ASSERT_FALSE(path.isEmpty());
        ASSERT_TRUE(h.db.open(path));
        ScoreDbSchema schema(h.db, h.log);
        ASSERT_TRUE(schema.IntegrateScoreDB());
        const qint64 afterFirst = h.db.executedStatements();
        ASSERT_TRUE(schema.IntegrateScoreDB());
        EXPECT_EQ(h.db.executedStatements(), afterFirst);
    }
}

TEST(StartupSequenceTest, FailedStartWithoutDatabasePathWritesNoLogFileAnywhere) {
    EventHarness h;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(h.appFolder));
    EXPECT_FALSE(h.start(QString()));
    EXPECT_FALSE(h.start(QStringLiteral("/f:")));
    QDir::setCurrent(previous);
    EXPECT_EQ(h.messages.texts(), QStringList({kFailed, kFailed}));
    EXPECT_TRUE(QDir(h.appFolder).entryList({QStringLiteral("*.log")}, QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(h.event.logFilePath().isEmpty());
}

TEST(StartupSequenceTest, MissingGameFileShowsThePathThenTheFailure) {
    EventHarness h;
    const QString path = h.filePath(QStringLiteral("absent.db"));
    EXPECT_FALSE(h.start(QStringLiteral("/f:") + path));
    ASSERT_EQ(h.messages.shown.size(), 2u);
    EXPECT_TRUE(h.messages.shown[0].standard);
    EXPECT_EQ(h.messages.shown[0].text, QStringLiteral("Game file is not found, ") + path);
    EXPECT_EQ(h.messages.shown[1].text, kFailed);
    EXPECT_FALSE(QFile::exists(h.filePath(QStringLiteral("absent.log"))));
}

TEST(StartupSequenceTest, FileThatIsNoDatabaseFailsWithTheReasonInTheLogFile) {
    EventHarness h;
    const QString path = h.filePath(QStringLiteral("club.db"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    EXPECT_FALSE(h.start(QStringLiteral("/f:") + path));
    EXPECT_EQ(h.messages.texts(), QStringList{kFailed});
    const QStringList lines = h.logFileText().split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 16);
    EXPECT_TRUE(lines[14].contains(QLatin1String("run-err"))) << lines[14].toStdString();
    EXPECT_TRUE(lines[14].endsWith(QLatin1String("(Database - Open ADO)")));
    EXPECT_FALSE(h.logMessages().contains(QStringLiteral("Database closed")));
}

TEST(StartupSequenceTest, EventNamesFollowTheDatabaseFileName) {
    EventHarness h;
    EventBuilder builder = test::fixtures::mitchell();
    QDir(h.appFolder).mkpath(QStringLiteral("data"));
    const QString path = h.build(builder, QStringLiteral("Club Night.final.db"));
    ASSERT_TRUE(h.start(QStringLiteral("/f:\"") + path + QLatin1Char('"')));
    EXPECT_EQ(h.event.eventFileName, QStringLiteral("Club_Night"));
    EXPECT_EQ(h.event.eventName, QStringLiteral("Club Night"));
    EXPECT_EQ(h.event.logFilePath(), h.filePath(QStringLiteral("Club_Night.log")));
    EXPECT_EQ(h.event.eventDataPath, h.filePath(QStringLiteral("data/")));
    EXPECT_EQ(h.event.eventDumpPath, h.appFolder);
    EXPECT_EQ(h.event.kestrowProgram, h.filePath(QStringLiteral("kestrow/Kestrow.exe")));
}

TEST(StartupSequenceTest, IniPathIsUsedOnlyWithoutCommandLinePath) {
    EventHarness h;
    EventBuilder builder = test::fixtures::mitchell();
    const QString path = h.build(builder);
    h.config.writeMain(QStringLiteral("ScoreDBPath"),
                       QString(path).replace(QLatin1Char('/'), QLatin1Char('\\')));
    ASSERT_TRUE(h.start(QString()));
    EXPECT_EQ(h.event.scoreDbPath, path);

    EventHarness other(h.appFolder);
    EXPECT_FALSE(other.start(QStringLiteral("/f:") + h.filePath(QStringLiteral("other.db"))));
}

TEST(StartupSequenceTest, BoardCountsAreRestoredFromTheOwnSettingsRow) {
    struct Case {
        QVariant roundBoards;
        QVariant totalBoards;
        qint16 expectedRound;
        qint16 expectedTotal;
    };
    const Case cases[] = {{3, 21, 3, 21}, {0, 0, 0, 0}, {QVariant(), 27, 0, 27}};
    for (const Case& c : cases) {
        EventHarness h;
        EventBuilder builder = test::fixtures::mitchell();
        builder.setOwnSetting(QStringLiteral("custom_qz_roundboard"), c.roundBoards);
        builder.setOwnSetting(QStringLiteral("custom_qz_totalboard"), c.totalBoards);
        ASSERT_TRUE(h.buildAndStart(builder));
        EXPECT_EQ(h.event.boardsPerRound, c.expectedRound);
        EXPECT_EQ(h.event.totalBoards, c.expectedTotal);
        EXPECT_EQ(h.event.settingsDialogMode, QStringLiteral("Game Settings"));
    }
}

TEST(StartupSequenceTest, NewEventTakesDefaultsAndOverrideAsConfigured) {
    struct Case {
        bool logExists;
        const char* overrideDefault;
        bool hideSettingsDialog;
        const char* expectedTopRanking;
        /// After a second start on the same files.
        const char* secondTopRanking;
    };
    // The ini default ShowRanking is 99, the scoring program asks for a ranking (BM2Ranking 1,
    // which maps to 10), the event's own row holds 0.
    const Case cases[] = {
        {false, "0", false, "99", "0"}, // defaults; the settings dialog would store them
        {false, "1", false, "10", "0"}, // the scoring program overrides
        {false, "", true, "99", "99"},  // no dialog: the defaults in force are stored
        {false, "1", true, "10", "10"}, // no dialog: the override is stored
        {true, "1", true, "0", "0"},    // an event opened before keeps its own row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.logExists << c.overrideDefault << c.hideSettingsDialog);
        EventHarness first;
        first.setDefault(QStringLiteral("ShowRanking"), QStringLiteral("99"));
        first.setDefault(QStringLiteral("ScoringOverrideDefault"), QString::fromLatin1(c.overrideDefault));
        first.setDefault(QStringLiteral("HideGSWindow"),
                         c.hideSettingsDialog ? QStringLiteral("1") : QString());
        EventBuilder builder = test::fixtures::mitchell();
        builder.setSetting(QStringLiteral("BM2Ranking"), 1);
        const QString path = first.build(builder);
        if (c.logExists) {
            QFile log(first.filePath(QStringLiteral("club.log")));
            ASSERT_TRUE(log.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(first.start(QStringLiteral("/f:") + path));
        EXPECT_EQ(first.event.isNewEvent, !c.logExists);
        EXPECT_EQ(first.settings.getGameSetting(QStringLiteral("custom_qz_topranking")),
                  QString::fromLatin1(c.expectedTopRanking));
        first.log.flush();
        first.db.closeDatabase();

        EventHarness second(first.appFolder);
        ASSERT_TRUE(second.start(QStringLiteral("/f:") + path));
        EXPECT_FALSE(second.event.isNewEvent);
        EXPECT_EQ(second.settings.getGameSetting(QStringLiteral("custom_qz_topranking")),
                  QString::fromLatin1(c.secondTopRanking));
    }
}

} // namespace
} // namespace qzc

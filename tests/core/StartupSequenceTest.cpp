#include "core/StartupSequence.h"

#include "core/Log.h"
#include "core/ScoreDbSchema.h"
#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/Fixtures.h"
#include "support/OtherProgram.h"

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
    /// The second line of the failure message.
    const char* reason = "";
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
         {QStringLiteral("Pair number larger than 255 found.")},
         "The movement has a pair number larger than 255."},
        {"multiStanza", true, {}, okLines({}), {}},
        {"withoutOwnSchema", true, {}, okLines({}, {fillScore}), {}},
        {"withoutClients",
         false,
         {},
         {QStringLiteral("Required table is missing in the score database")},
         {},
         "The table Clients is missing in the score database."},
        {"settingsWithoutColumn", true, {}, okLines({}), {}},
        {"withoutOptionalTables", true, optionalTables(), okLines(optionalTables()), {}},
        {"resultsNeedingRepair", true, {}, okLines({}, {fillScore, fillPass}), {}},
        {"withoutTables",
         false,
         {},
         reportedUpTo({}, QStringLiteral("No table is defined")),
         {},
         "No table is defined in the score database."},
        {"withoutSections",
         false,
         {},
         reportedUpTo({}, QStringLiteral("No section is defined")),
         {},
         "No section is defined in the score database."},
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
            shown << kFailed + QStringLiteral("\r\n") + QLatin1String(c.reason);
        EXPECT_EQ(h.messages.texts(), shown);
        if (!c.ok) {
            // The event was new: a failed start leaves no log file that would make it old.
            EXPECT_FALSE(QFile::exists(h.filePath(QStringLiteral("club.log"))));
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
    const QString noFile = kFailed + QStringLiteral("\r\nNo score database file is given.");
    EXPECT_EQ(h.messages.texts(), QStringList({noFile, noFile}));
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
    EXPECT_EQ(h.messages.shown[1].text,
              kFailed + QStringLiteral("\r\nThe score database file does not exist."));
    EXPECT_FALSE(QFile::exists(h.filePath(QStringLiteral("absent.log"))));
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

enum class Spoil { ZeroBytes, Text, Damaged, ReadOnly, Locked };

// A score database of the Mitchell fixture, spoiled as asked. A locked one stays held by
// another connection (holder) in the middle of a write.
QString spoiledDatabase(EventHarness& h, Spoil spoil, EventHarness& holder) {
    const QString path = h.filePath(QStringLiteral("club.db"));
    if (spoil == Spoil::ZeroBytes)
        return writeFile(path, QByteArray()) ? path : QString();
    if (spoil == Spoil::Text)
        return writeFile(path, "Club evening\r\nSection A, 7 tables\r\n") ? path : QString();
    EventBuilder builder = test::fixtures::mitchell();
    if (h.build(builder).isEmpty())
        return {};
    QByteArray bytes = fileBytes(path);
    const int pageSize = (static_cast<quint8>(bytes[16]) << 8) | static_cast<quint8>(bytes[17]);
    if (spoil == Spoil::Damaged) {
        // The header of the third page and what follows it.
        for (int i = 2 * pageSize; i < 2 * pageSize + 512 && i < bytes.size(); ++i)
            bytes[i] = '\xAB';
        return writeFile(path, bytes) ? path : QString();
    }
    if (spoil == Spoil::ReadOnly) {
        // A file format version above the one SQLite writes: it may only read the file.
        bytes[18] = 3;
        return writeFile(path, bytes) ? path : QString();
    }
    if (!holder.db.open(path) || !holder.db.beginTransaction() ||
        !holder.db.execSQL(QStringLiteral("UPDATE Tables SET LogOnOff=1"), QStringLiteral("holder")))
        return {};
    return path;
}

// A database the program cannot use is refused before anything is written to it, with the
// reason as the second line of the message; a log file that the start created goes again,
// one that was there keeps the reasons.
TEST(StartupSequenceTest, UnusableDatabaseIsRefusedWithItsReasonAndLeftAsItWas) {
    struct Case {
        const char* name;
        Spoil spoil;
        const char* reason;
        /// The log line that tells why, or its start.
        const char* logLine;
    };
    const Case cases[] = {
        {"zero bytes", Spoil::ZeroBytes, "The file is not a score database.",
         "Required table is missing in the score database"},
        {"text", Spoil::Text, "The file is not a score database.", " run-err26 "},
        {"damaged", Spoil::Damaged, "The score database is damaged.", " run-err11 "},
        {"read-only", Spoil::ReadOnly, "The score database is read-only.", " run-err8 "},
        {"locked", Spoil::Locked, "The score database is in use by another program.", " run-err5 "},
    };
    for (const Case& c : cases) {
        for (const bool logExisted : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (logExisted ? ", log file existed" : ""));
            EventHarness h;
            EventHarness holder(h.appFolder);
            const QString path = spoiledDatabase(h, c.spoil, holder);
            ASSERT_FALSE(path.isEmpty());
            const QString logFile = h.filePath(QStringLiteral("club.log"));
            if (logExisted) {
                ASSERT_TRUE(writeFile(logFile, "earlier\r\n"));
            }
            const QByteArray before = fileBytes(path);
            // The test does not wait for the lock the way the program would.
            h.db.setBusyTimeout(0);

            EXPECT_FALSE(h.start(QStringLiteral("/f:") + path));
            EXPECT_EQ(h.messages.texts(),
                      QStringList{kFailed + QStringLiteral("\r\n") + QLatin1String(c.reason)});
            EXPECT_EQ(fileBytes(path), before);
            EXPECT_FALSE(h.db.isOpen());
            EXPECT_EQ(QFile::exists(logFile), logExisted);
            if (logExisted) {
                EXPECT_TRUE(h.logFileText().startsWith(QLatin1String("earlier\r\n")));
                EXPECT_TRUE(h.logFileText().contains(QLatin1String(c.logLine)));
            }
        }
    }
}

TEST(StartupSequenceTest, ScoreRepairThatCannotBeCommittedEndsTheStart) {
    EventHarness h;
    EventBuilder builder = test::fixtures::resultsNeedingRepair();
    const QString path = h.build(builder);
    // A score written by the repair ends its transaction, so that its commit is refused.
    ASSERT_TRUE(
        test::otherProgramRuns(path, QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF custom_qz_score "
                                                    "ON ReceivedData WHEN NEW.custom_qz_score<>0 "
                                                    "BEGIN SELECT RAISE(ROLLBACK, 'refused'); END")));
    // An event opened before, whose log file keeps the reason.
    ASSERT_TRUE(writeFile(h.filePath(QStringLiteral("club.log")), "earlier\r\n"));
    EXPECT_FALSE(h.start(QStringLiteral("/f:") + path));
    EXPECT_TRUE(h.logMessages().contains(
        QStringLiteral("run-err0 cannot commit - no transaction is active (Fill up custom_qz_score)")));
    EXPECT_EQ(
        h.messages.texts(),
        QStringList{kFailed + QStringLiteral("\r\nThe scores of the stored results cannot be written to "
                                             "the score database.")});
}

// The first start failed (the database was held by another program); once it is free the
// next start still opens a new event, with the default game settings.
TEST(StartupSequenceTest, StartAfterAFailedOneIsStillANewEventWithTheDefaults) {
    EventHarness first;
    first.setDefault(QStringLiteral("ScoringType"), QStringLiteral("2"));
    first.setDefault(QStringLiteral("HideGSWindow"), QStringLiteral("1"));
    {
        EventHarness holder(first.appFolder);
        const QString path = spoiledDatabase(first, Spoil::Locked, holder);
        ASSERT_FALSE(path.isEmpty());
        first.db.setBusyTimeout(0);
        ASSERT_FALSE(first.start(QStringLiteral("/f:") + path));
        holder.db.rollback();
        holder.db.closeDatabase();
    }
    EventHarness second(first.appFolder);
    ASSERT_TRUE(second.start(QStringLiteral("/f:") + first.filePath(QStringLiteral("club.db"))));
    EXPECT_TRUE(second.event.isNewEvent);
    EXPECT_EQ(second.settings.getGameSetting(QStringLiteral("custom_qz_scoringtype")), QStringLiteral("2"));
    EXPECT_EQ(second.settings.getGameSetting(QStringLiteral("custom_qz_tdpin")), QStringLiteral("4381"));
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

#include "core/Log.h"

#include "support/FakeClock.h"
#include "support/TempFolder.h"
#include "support/TestCoreApp.h"

#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace qzc {
namespace {

QString readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

class LogTest : public ::testing::Test {
protected:
    test::FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(19, 5, 3, 7))};
    test::TempFolder folder;
    Log log{clock};
    QString logPath = folder.filePath(QStringLiteral("club.log"));

    void SetUp() override { log.setFilePath(logPath); }
};

struct LineCase {
    int number;
    const char* message;
    const char* source;
    bool runError;
    const char* expectedLine;
    bool writtenAtOnce;
};

TEST_F(LogTest, LineFormatsAndImmediateWrites) {
    const LineCase cases[] = {
        {0, "Load settings from score database", "", false,
         "2026-12-07 19:05:03.007 : Load settings from score database", false},
        {0, "", "", false, "2026-12-07 19:05:03.007 ", false},
        {1005, "FF 00 01", "Base Station - ReceiveMessage", false,
         "2026-12-07 19:05:03.007 sys-err1005 Invalid checksum value: FF 00 01 (Base Station - "
         "ReceiveMessage)",
         true},
        {4711, "", "", false, "2026-12-07 19:05:03.007 sys-err4711 ", true},
        {-1, "odd", "", false, "2026-12-07 19:05:03.007 sys-err-1 : odd", false},
        {13, "Type mismatch", "main", true, "2026-12-07 19:05:03.007 run-err13 Type mismatch (main)", true},
        {0, "quit is only a word here", "", false, "2026-12-07 19:05:03.007 : quit is only a word here",
         false},
        {0, "Quit program", "", false, "2026-12-07 19:05:03.007 : Quit program", true},
        {0, "Stop game.", "", false, "2026-12-07 19:05:03.007 : Stop game.", true},
        {0, "Exceeds idle time 5 min", "", false, "2026-12-07 19:05:03.007 : Exceeds idle time 5 min", true},
        {0, "Force flush", "", false, "2026-12-07 19:05:03.007 : Force flush", true},
        // Only the body counts: a source holding a marker writes nothing at once.
        {0, "x", "Quit program", false, "2026-12-07 19:05:03.007 : x (Quit program)", false},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.expectedLine);
        QFile::remove(logPath);
        Log fresh(clock);
        fresh.setFilePath(logPath);
        fresh.writeLog(c.number, QString::fromUtf8(c.message), QString::fromUtf8(c.source), c.runError);
        const QString line = QString::fromUtf8(c.expectedLine) + QStringLiteral("\r\n");
        if (c.writtenAtOnce) {
            EXPECT_EQ(readFile(logPath),
                      line + QStringLiteral("2026-12-07 19:05:03.007 Flush previous log buffer\r\n"));
            EXPECT_TRUE(fresh.bufferedText().isEmpty());
            EXPECT_EQ(fresh.bufferedCount(), 0);
        } else {
            EXPECT_FALSE(QFile::exists(logPath));
            EXPECT_EQ(fresh.bufferedText(), line);
            EXPECT_EQ(fresh.bufferedCount(), 1);
        }
    }
}

TEST_F(LogTest, BufferIsWrittenWhenTheLineLimitIsReached) {
    log.setBufferLimit(3);
    log.writeLog(0, QStringLiteral("one"));
    log.writeLog(0, QStringLiteral("two"));
    EXPECT_FALSE(QFile::exists(logPath));
    clock.advance(1);
    log.writeLog(0, QStringLiteral("three"));
    EXPECT_EQ(readFile(logPath), QStringLiteral("2026-12-07 19:05:03.007 : one\r\n"
                                                "2026-12-07 19:05:03.007 : two\r\n"
                                                "2026-12-07 19:05:03.008 : three\r\n"
                                                "2026-12-07 19:05:03.008 Flush previous log buffer\r\n"));
    // Later blocks are appended, never written over.
    log.writeLog(2001, QString());
    EXPECT_TRUE(
        readFile(logPath).endsWith(QStringLiteral("sys-err2001 COM port is not open.\r\n"
                                                  "2026-12-07 19:05:03.008 Flush previous log buffer\r\n")));
}

TEST_F(LogTest, LinesWaitInMemoryUntilTheFileIsKnownOrWritable) {
    Log early(clock);
    early.writeLog(9001, QStringLiteral("no Section table"));
    EXPECT_EQ(early.bufferedCount(), 1);

    // A folder that does not exist cannot take the file: the lines are kept.
    early.setFilePath(folder.filePath(QStringLiteral("missing/club.log")));
    early.writeLog(1007, QStringLiteral("A1"));
    EXPECT_EQ(early.bufferedCount(), 2);

    early.setFilePath(logPath);
    early.flush();
    const QString text = readFile(logPath);
    EXPECT_TRUE(
        text.contains(QStringLiteral("sys-err9001 Invalid score database structure.: no Section table")));
    EXPECT_TRUE(text.contains(QStringLiteral("sys-err1007 Fail to write board result: A1")));
    EXPECT_EQ(early.bufferedCount(), 0);

    // Flushing an empty buffer writes nothing.
    early.flush();
    EXPECT_EQ(readFile(logPath), text);
}

TEST_F(LogTest, RefusedWriteKeepsTheBufferAndNoLineIsWrittenTwice) {
    // The file may grow by 20 bytes only: the block reaches it in part and is taken back.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{20, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    log.writeLog(0, QStringLiteral("one"));
    log.writeLog(1007, QStringLiteral("A1"));
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    EXPECT_EQ(readFile(logPath), QString());
    EXPECT_EQ(log.bufferedCount(), 2);

    const QString kept = log.bufferedText();
    log.flush();
    EXPECT_EQ(readFile(logPath),
              kept + QStringLiteral("2026-12-07 19:05:03.007 Flush previous log buffer\r\n"));
}

// Once timed writes are on, a line logged waits at most a second: the timer's tick writes
// what waits as it is, with no line of its own.
TEST_F(LogTest, TimedWritesLeaveNoLineInMemoryForLongerThanASecond) {
    test::TestCoreApp app;
    log.writeLog(0, QStringLiteral("Show settings dialog"));
    EXPECT_FALSE(log.writeTimer().isActive());
    log.startTimedWrites();
    log.writeLog(0, QStringLiteral("RX 01 0B"));
    log.writeLog(0, QStringLiteral("TX 01 0C"));
    EXPECT_FALSE(QFile::exists(logPath));
    ASSERT_TRUE(log.writeTimer().isActive());
    EXPECT_LE(log.writeTimer().interval(), 1000);
    // The second passes.
    log.writeWaitingLines();
    EXPECT_EQ(readFile(logPath), QStringLiteral("2026-12-07 19:05:03.007 : Show settings dialog\r\n"
                                                "2026-12-07 19:05:03.007 : RX 01 0B\r\n"
                                                "2026-12-07 19:05:03.007 : TX 01 0C\r\n"));
    EXPECT_EQ(log.bufferedCount(), 0);
}

class FakeLogWindow : public LogWindowSink {
public:
    QString text() const override { return shown; }
    void keepLast(qsizetype count) override { shown = shown.right(count); }
    void appendLine(const QString& line) override {
        if (!shown.isEmpty())
            shown += QStringLiteral("\r\n");
        shown += line;
    }
    QString shown;
};

TEST_F(LogTest, LogWindowIsCappedBeforeTheLineIsAdded) {
    FakeLogWindow window;
    log.setWindowSink(&window);
    log.writeLog(0, QStringLiteral("hidden"));
    EXPECT_TRUE(window.shown.isEmpty()) << "mirroring is off";

    log.setMirroring(true);
    window.shown = QString(65500, QLatin1Char('x')) + QStringLiteral("tail");
    log.writeLog(0, QStringLiteral("new line"));
    EXPECT_EQ(window.shown.size(), 40000 + 2 + 34);
    EXPECT_TRUE(window.shown.endsWith(QStringLiteral("tail\r\n2026-12-07 19:05:03.007 : new line")));

    window.shown = QStringLiteral("short");
    log.writeLog(0, QStringLiteral("next"));
    EXPECT_EQ(window.shown, QStringLiteral("short\r\n2026-12-07 19:05:03.007 : next"));
}

TEST(VersionTextTest, TitleAndTwoDigitRevision) {
    EXPECT_TRUE(getVersionText().startsWith(QStringLiteral("QZC v1.0.00 ")));
}

} // namespace
} // namespace qzc

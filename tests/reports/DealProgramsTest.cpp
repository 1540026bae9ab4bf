#include "core/Log.h"
#include "reports/CompanionPrograms.h"
#include "support/FakeClock.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(DealProgramsTest, StartsTheChosenProgramOnlyWhenItCan) {
    test::TempFolder folder;
    const QString handrecords = folder.filePath(QStringLiteral("handrecords.exe"));
    const QString kestrow = folder.filePath(QStringLiteral("Kestrow.exe"));
    for (const QString& program : {handrecords, kestrow}) {
        QFile file(program);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString events = folder.path() + QStringLiteral("events/");
    const DealProgramPaths paths{folder.filePath(QStringLiteral("alldeal.txt")), kestrow, handrecords,
                                 QStringLiteral("Spring"), events};
    const QStringList args = {QStringLiteral("Event=Spring"), QStringLiteral("Session=1"),
                              QStringLiteral("ORV=") +
                                  QDir::toNativeSeparators(folder.path() + QStringLiteral("events"))};
    const QString missing = folder.filePath(QStringLiteral("none.exe"));

    struct Case {
        const char* name;
        bool handRecordProgram;
        DealProgramPaths paths;
        bool launcherFails;
        QString started;
        QString message;
        QString logLine;
    };
    const Case cases[] = {
        {"hand-record program", true, paths, false, handrecords, QString(),
         QStringLiteral("Execute command: ") + handrecords + QLatin1Char(' ') + args.join(QLatin1Char(' '))},
        {"Kestrow", false, paths, false, kestrow, QString(),
         QStringLiteral("Execute command: ") + kestrow + QLatin1Char(' ') + args.join(QLatin1Char(' '))},
        {"no all-deal file named", true, DealProgramPaths{QString(), kestrow, handrecords, {}, events}, false,
         QString(), QStringLiteral("QZCPath is empty."),
         QStringLiteral("QZCPath is empty. (Execute_AllDeal)")},
        {"program missing", false, DealProgramPaths{paths.qzcPath, missing, handrecords, {}, events}, false,
         QString(), QStringLiteral("Path not found: ") + missing,
         QStringLiteral("Path not found: ") + missing},
        {"no program path", false, DealProgramPaths{paths.qzcPath, QString(), handrecords, {}, events}, false,
         QString(), QString(), QString()},
        {"start refused", true, paths, true, QString(), handrecords + QStringLiteral(": Permission denied"),
         QStringLiteral("run-err0 ") + handrecords + QStringLiteral(": Permission denied (Execute_AllDeal)")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeClock clock;
        Log log(clock);
        test::RecordingLauncher launcher;
        launcher.fail = c.launcherFails;
        const ProgramStart outcome =
            DealPrograms(log, launcher).Execute_AllDeal(c.handRecordProgram, c.paths);
        EXPECT_EQ(outcome.started, !c.started.isEmpty());
        EXPECT_EQ(outcome.message, c.message);
        if (!c.started.isEmpty()) {
            EXPECT_EQ(launcher.started, QStringList{c.started});
            EXPECT_EQ(launcher.lastArgs, args);
        }
        const QString logged = log.bufferedText();
        if (c.logLine.isEmpty())
            EXPECT_TRUE(logged.isEmpty()) << logged.toStdString();
        else
            EXPECT_TRUE(logged.contains(c.logLine + QStringLiteral("\r\n"))) << logged.toStdString();
    }
}

} // namespace
} // namespace qzc

#include "platform/ProcessList.h"

#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(ProcessListTest, FindsThisTestProgram) {
    const QString self = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).fileName();
    const ProcProcessList processes;
    EXPECT_TRUE(processes.IsProcessRunning(self));
    EXPECT_TRUE(processes.IsProcessRunning(self + QStringLiteral(".exe")));
    EXPECT_FALSE(processes.IsProcessRunning(self.toUpper()));
    EXPECT_FALSE(processes.IsProcessRunning(QStringLiteral("no-such-program-4711.exe")));
}

TEST(ProcessListTest, MatchesExeOrCommandLineOrElseCommNames) {
    test::TempFolder folder;
    // pid, exe link target (none: unreadable), comm, command line words (none: unreadable)
    const struct {
        const char* pid;
        const char* exe;
        const char* comm;
        const char* cmdline = nullptr;
    } processes[] = {
        {"101", "/opt/tools/preventsleep", "wrong-comm"},
        {"102", "/usr/bin/scorer (deleted)", "scorer"}, // replaced on disk while running
        {"103", nullptr, "averylongprogra"},            // comm is cut to 15 bytes
        {"104", nullptr, "Upper.exe"},
        {"105", "/usr/bin/dash", "guard.exe", "/bin/sh /opt/qzc/guard.exe"}, // a script
        {"106", "/usr/bin/keepawake", "linked.exe", "/opt/qzc/linked.exe -q"},
        {"107", "/usr/bin/dash", "sh", "sh -c x"},
        {"self", "/usr/bin/notapid", "notapid"},
    };
    for (const auto& p : processes) {
        const QString dir = folder.filePath(QString::fromLatin1(p.pid));
        ASSERT_TRUE(QDir().mkpath(dir));
        if (p.exe) {
            ASSERT_TRUE(QFile::link(QString::fromLatin1(p.exe), dir + QStringLiteral("/exe")));
        }
        QFile comm(dir + QStringLiteral("/comm"));
        ASSERT_TRUE(comm.open(QIODevice::WriteOnly));
        comm.write(QByteArray(p.comm) + '\n');
        QFile cmdline(dir + QStringLiteral("/cmdline"));
        if (p.cmdline) {
            ASSERT_TRUE(cmdline.open(QIODevice::WriteOnly) &&
                        cmdline.write(QByteArray(p.cmdline).replace(' ', '\0')));
        }
    }

    const struct {
        const char* name;
        bool running;
    } cases[] = {
        {"preventsleep.exe", true},
        {"preventsleep.EXE", true},
        {"preventsleep", true},
        {"PreventSleep.exe", false},
        {"prevent", false},
        {"scorer", true},
        {"wrong-comm", false},
        {"averylongprogra", true},
        {"averylongprogram.exe", true},
        {"averylongprogrb", false},
        {"Upper.exe", true},
        {"Upper", false},
        {"guard.exe", true},
        {"linked.exe", true},
        {"x", false},
        {"notapid", false},
        {".exe", false},
        {"", false},
    };
    const ProcProcessList list(folder.path());
    for (const auto& c : cases)
        EXPECT_EQ(list.IsProcessRunning(QString::fromLatin1(c.name)), c.running) << c.name;
}

} // namespace
} // namespace qzc

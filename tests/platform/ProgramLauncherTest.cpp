#include "platform/ProgramLauncher.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(ProgramLauncherTest, ReportsWhyAProgramDidNotStart) {
    test::TempFolder folder;
    const struct {
        QString program;
        QString workingDir;
        bool started;
    } cases[] = {
        {QStringLiteral("true"), folder.path(), true},
        {folder.filePath(QStringLiteral("missing-program")), folder.path(), false},
        {QStringLiteral("true"), folder.filePath(QStringLiteral("no-such-folder")), false},
    };
    DetachedProgramLauncher launcher;
    for (const auto& c : cases) {
        QString error;
        EXPECT_EQ(launcher.start(c.program, {}, c.workingDir, &error), c.started) << c.program.toStdString();
        EXPECT_EQ(error.isEmpty(), c.started) << error.toStdString();
    }
}

} // namespace
} // namespace qzc

#include "platform/ShellFolders.h"

#include "support/QtPrinters.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(SpecialFolderTest, DesktopOnlyWhenItExists) {
    test::TempFolder folder;
    test::ScopedEnv home("HOME", folder.path().chopped(1).toUtf8());
    test::ScopedEnv config("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toUtf8());
    EXPECT_EQ(GetSpecialFolder(desktopDirectoryFolderId), QString());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Desktop")));
    EXPECT_EQ(GetSpecialFolder(desktopDirectoryFolderId), folder.filePath(QStringLiteral("Desktop")));
    EXPECT_EQ(GetSpecialFolder(5), QString());
}

} // namespace
} // namespace qzc

#include "platform/AppFolder.h"

#include "support/QtPrinters.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"
#include "support/TestCoreApp.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(AppFolderTest, IsQzcHomeOrTheExecutablesFolder) {
    test::TestCoreApp app;
    test::TempFolder folder;
    const QString base = folder.path(); // ends with "/"
    const struct {
        std::optional<QByteArray> home;
        QString expected;
    } cases[] = {
        {std::nullopt,
         QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section(u'/', 0, -2) + u'/'},
        {base.chopped(1).toUtf8(), base},
        {(base + QStringLiteral("demo\\event")).toUtf8(), base + QStringLiteral("demo/event/")},
        {"relative", QDir::currentPath() + QStringLiteral("/relative/")},
    };
    for (const auto& c : cases) {
        test::ScopedEnv home("QZC_HOME", c.home);
        EXPECT_EQ(appFolder(), c.expected);
    }
}

} // namespace
} // namespace qzc

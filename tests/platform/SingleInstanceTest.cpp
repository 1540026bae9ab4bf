#include "platform/SingleInstance.h"

#include "support/TempFolder.h"
#include "support/TestCoreApp.h"

#include <QEventLoop>
#include <QFile>
#include <QSysInfo>
#include <QTimer>
#include <gtest/gtest.h>

namespace qzc {
namespace {

const QString appName = QStringLiteral("QZC");

/// A second instance asks the first one to come to the front; returns how many requests
/// the first one received. The timer only keeps a broken build from hanging.
int activateFrom(SingleInstance& first, const QString& folder) {
    SingleInstance second(appName, folder);
    EXPECT_FALSE(second.tryBecomeFirst());
    if (!second.activatePrevInstance())
        return 0;
    int count = 0;
    QEventLoop loop;
    QObject::connect(&first, &SingleInstance::activationRequested, &loop, [&] {
        ++count;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return count;
}

TEST(SingleInstanceTest, SecondInstanceActivatesTheFirstUntilItEnds) {
    test::TestCoreApp app;
    test::TempFolder folder;
    {
        SingleInstance first(appName, folder.path());
        ASSERT_TRUE(first.tryBecomeFirst());
        ASSERT_TRUE(first.isListening()) << first.serverError().toStdString();
        EXPECT_EQ(activateFrom(first, folder.path()), 1);
    }
    SingleInstance next(appName, folder.path());
    EXPECT_FALSE(next.activatePrevInstance());
    EXPECT_TRUE(next.tryBecomeFirst());
}

TEST(SingleInstanceTest, RecoversFromACrashedFirstInstance) {
    test::TestCoreApp app;
    test::TempFolder folder;
    SingleInstance instance(appName, folder.path());
    // A killed instance leaves its lock file, naming a process that is gone, and its socket.
    QFile lock(instance.lockFilePath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("2147483000\nqzc\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QFile socket(instance.serverName());
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();

    ASSERT_TRUE(instance.tryBecomeFirst());
    ASSERT_TRUE(instance.isListening()) << instance.serverError().toStdString();
    EXPECT_EQ(activateFrom(instance, folder.path()), 1);
}

} // namespace
} // namespace qzc

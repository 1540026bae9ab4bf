#include "core/SecondInstance.h"

#include "platform/SingleInstance.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempFolder.h"
#include "support/TestCoreApp.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(SecondInstanceTest, SecondStartIsRefusedAndFrontsTheFirst) {
    test::TestCoreApp app;
    test::TempFolder runtimeFolder;
    test::TempFolder programFolder;
    const QString name = QStringLiteral("QZC");

    SingleInstance first(name, runtimeFolder.path());
    test::ScriptedMessageBox firstMessages;
    ASSERT_TRUE(claimSingleInstance(first, firstMessages));
    EXPECT_TRUE(firstMessages.shown.empty());

    int activations = 0;
    QEventLoop loop;
    QObject::connect(&first, &SingleInstance::activationRequested, &loop, [&] {
        ++activations;
        loop.quit();
    });

    SingleInstance second(name, runtimeFolder.path());
    test::ScriptedMessageBox messages;
    EXPECT_FALSE(claimSingleInstance(second, messages));
    QTimer::singleShot(10000, &loop, &QEventLoop::quit); // only keeps a broken build from hanging
    loop.exec();

    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(
        messages.shown[0].text,
        QStringLiteral("QZC is already open. Please close the current session before starting a new one."));
    EXPECT_TRUE(messages.shown[0].standard);
    EXPECT_TRUE(messages.shown[0].caption.isEmpty());
    EXPECT_EQ(activations, 1);
    EXPECT_TRUE(QDir(programFolder.path()).isEmpty()) << "the refused start touches no file";
}

} // namespace
} // namespace qzc

#include "core/Log.h"
#include "desktop/frmdesktop.h"
#include "support/FakeClock.h"
#include "support/ScriptedMessageBox.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace qzc {
namespace {

class FrmdesktopLinkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_desktop";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr)
            app_ = new QApplication(argc, argv);
    }
    static void TearDownTestSuite() {
        delete app_;
        app_ = nullptr;
    }

    test::FakeClock clock;
    Log log{clock};
    test::ScriptedMessageBox messages;
    frmdesktop window{log, messages};

private:
    static inline QApplication* app_ = nullptr;
};

TEST_F(FrmdesktopLinkTest, ChannelMenuHoldsExactlyOneTickedChannel) {
    EXPECT_EQ(window.firstCheckedChannel(), 16) << "none ticked reads as 16";
    const qint16 reports[] = {5, 1, 16, 7};
    for (qint16 channel : reports) {
        window.setChannelChecked(channel);
        EXPECT_EQ(window.firstCheckedChannel(), channel);
    }
    // Values outside 1..16 change nothing.
    window.setChannelChecked(0);
    window.setChannelChecked(17);
    EXPECT_EQ(window.firstCheckedChannel(), 7);
}

TEST_F(FrmdesktopLinkTest, StatusBoxFollowsTheLink) {
    auto* status = window.findChild<QLineEdit*>(QStringLiteral("txtbaseStationStatus"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QStringLiteral("N/A"));
    EXPECT_FALSE(window.linkIsUp());

    window.showLinkStatus(true);
    EXPECT_EQ(status->text(), QStringLiteral("OK"));
    EXPECT_EQ(status->palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_TRUE(window.linkIsUp());

    window.showLinkStatus(false);
    EXPECT_EQ(status->text(), QStringLiteral("N/A"));
    EXPECT_EQ(status->palette().color(QPalette::Base), QColor(255, 0, 0));
}

TEST_F(FrmdesktopLinkTest, NestedBusyPeriodsKeepTheHourglassUntilTheLastEnds) {
    window.setBusy(true);
    window.setBusy(true);
    window.setBusy(false);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    window.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    window.setBusy(false); // an extra end is harmless
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace qzc

#include "ProgramRig.h"
#include "desktop/frmdesktop.h"
#include "platform/BusyPointer.h"
#include "session/GameSession.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/TestGuiApp.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace qzc {
namespace {

class FrmdesktopLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.prepare(test::fixtures::mitchell()));
        ASSERT_TRUE(rig.make().start());
    }
    frmdesktop& window() { return rig.program->desktop(); }

    test::TestGuiApp app;
    test::FakeClock clock;
    test::ProgramRig rig{clock};
};

TEST_F(FrmdesktopLinkTest, ChannelMenuHoldsExactlyOneTickedChannel) {
    const qint16 reports[] = {5, 1, 16, 7};
    for (qint16 channel : reports) {
        window().setChannelChecked(channel);
        EXPECT_EQ(window().firstCheckedChannel(), channel);
    }
    // Values outside 1..16 change nothing.
    window().setChannelChecked(0);
    window().setChannelChecked(17);
    EXPECT_EQ(window().firstCheckedChannel(), 7);
}

TEST_F(FrmdesktopLinkTest, StatusBoxFollowsTheLink) {
    auto* status = window().findChild<QLineEdit*>(QStringLiteral("txtbaseStationStatus"));
    ASSERT_NE(status, nullptr);
    // No base station: the director was asked to reconnect it.
    EXPECT_EQ(status->text(), QStringLiteral("N/A"));
    EXPECT_EQ(rig.messages.texts(),
              QStringList{QStringLiteral("No response from base station. Please reconnect it.")});
    EXPECT_FALSE(rig.program->session().linkIsUp());

    window().showLinkStatus(true);
    EXPECT_EQ(status->text(), QStringLiteral("OK"));
    EXPECT_EQ(status->palette().color(QPalette::Base), QColor(0, 255, 0));

    window().showLinkStatus(false);
    EXPECT_EQ(status->text(), QStringLiteral("N/A"));
    EXPECT_EQ(status->palette().color(QPalette::Base), QColor(255, 0, 0));
}

TEST(BusyPointerTest, NestedBusyPeriodsKeepTheHourglassUntilTheLastEnds) {
    test::TestGuiApp app;
    {
        const BusyPointer outer;
        { const BusyPointer inner; }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace qzc

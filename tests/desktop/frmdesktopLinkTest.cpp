#include "LoadedWindow.h"
#include "platform/BusyPointer.h"
#include "session/GameSession.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/TestGuiApp.h"
#include "terminal/BaseStation.h"

#include <QAction>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace qzc {
namespace {

class FrmdesktopLinkTest : public test::LoadedWindow {
protected:
    /// The ticked items of the channel menu.
    QList<int> tickedChannels() {
        QList<int> ticked;
        for (int channel = 0; channel <= 16; ++channel) {
            if (window()
                    .findChild<QAction*>(QStringLiteral("mnu_sys_channel_no_%1").arg(channel))
                    ->isChecked())
                ticked << channel;
        }
        return ticked;
    }
};

// The base station's channel reports tick the channel menu, one channel at a time, and the
// link uses the ticked channel; a report outside 1..16 changes nothing.
TEST_F(FrmdesktopLinkTest, ChannelReportsTickTheChannelMenu) {
    BaseStation& station = rig.program->baseStation();
    EXPECT_EQ(tickedChannels(), QList<int>{1});
    for (const qint16 channel : {5, 1, 16, 7}) {
        station.setChannelDisplay(channel);
        EXPECT_EQ(tickedChannels(), QList<int>{channel});
        EXPECT_EQ(window().firstCheckedChannel(), channel);
    }
    station.setChannelDisplay(0);
    station.setChannelDisplay(17);
    EXPECT_EQ(tickedChannels(), QList<int>{7});
}

TEST_F(FrmdesktopLinkTest, WithoutABaseStationTheLinkStaysDown) {
    auto* status = window().findChild<QLineEdit*>(QStringLiteral("txtbaseStationStatus"));
    ASSERT_NE(status, nullptr);
    // No base station: the director was asked to reconnect it.
    EXPECT_EQ(status->text(), QStringLiteral("N/A"));
    EXPECT_EQ(status->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(rig.messages.texts(),
              QStringList{QStringLiteral("No response from base station. Please reconnect it.")});
    EXPECT_FALSE(rig.program->session().linkIsUp());
    EXPECT_EQ(window().findChild<QAction*>(QStringLiteral("mnusyscomm_start"))->text(),
              QStringLiteral("Start base station"));
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

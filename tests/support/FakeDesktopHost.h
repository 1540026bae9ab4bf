#pragma once

#include "terminal/DesktopHost.h"

#include <array>

namespace qzc::test {

/// The main window as the base-station link sees it, with everything recorded.
class FakeDesktopHost final : public DesktopHost {
public:
    qint16 gameMode() const override { return mode; }
    void startTimerResetbaseStation() override { ++resetStarts; }
    qint16 firstCheckedChannel() const override {
        for (qint16 channel = 1; channel <= 16; ++channel) {
            if (channelChecked[static_cast<std::size_t>(channel)])
                return channel;
        }
        return 16;
    }
    void setChannelChecked(qint16 channel) override {
        channelChecked.fill(false);
        channelChecked[static_cast<std::size_t>(channel)] = true;
    }
    bool antiChecksum() const override { return antiChecksumOn; }
    void showLinkStatus(bool up) override { linkUp = up; }

    qint16 mode = 0;
    int resetStarts = 0;
    std::array<bool, 17> channelChecked{};
    bool antiChecksumOn = false;
    bool linkUp = false;
};

} // namespace qzc::test

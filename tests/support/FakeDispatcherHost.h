#pragma once

#include "core/GameControl.h"
#include "terminal/DispatcherHost.h"

#include <QStringList>
#include <vector>

namespace qzc::test {

/// The main window as the request dispatcher sees it, with everything recorded.
class FakeDispatcherHost final : public DispatcherHost, public GameControl {
public:
    struct Notice {
        QString caption;
        QString text;
    };

    qint16 gameMode() const override { return mode; }
    void startTimerResetbaseStation() override {}
    bool isDesktopLoaded() const override { return loaded; }
    void RefreshTableStatus() override { ++tableStatusRefreshes; }
    QString gridPlayTag() const override { return gridTag; }
    void setGridPlayTag(const QString& tag) override { gridTag = tag; }
    void restartAnalyzeTimer(int intervalMs) override {
        if (analyzeTimerOn)
            analyzeRestarts.push_back(intervalMs);
    }
    void showStanzaState(StanzaState state, const QString& source) override {
        stanzaStates.emplace_back(state, source);
    }
    std::optional<qint16> selectedSectionId() const override { return selectedSection; }
    void showNotice(const QString& caption, const QString& text) override {
        notices.push_back({caption, text});
    }
    void letEventsRun() override { ++eventRuns; }

    qint16 mode = 1;
    bool loaded = true;
    int tableStatusRefreshes = 0;
    QString gridTag;
    bool analyzeTimerOn = false;
    std::vector<int> analyzeRestarts;
    std::optional<qint16> selectedSection;
    std::vector<std::pair<StanzaState, QString>> stanzaStates;
    std::vector<Notice> notices;
    int eventRuns = 0;
};

} // namespace qzc::test

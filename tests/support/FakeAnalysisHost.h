#pragma once

#include "core/GameControl.h"
#include "gamedata/AnalysisHost.h"

#include <functional>
#include <vector>

namespace qzc::test {

/// The main window as the game-data analysis sees it, with everything recorded.
class FakeAnalysisHost final : public AnalysisHost, public GameControl {
public:
    void InitGrid() override {
        ++initGridCalls;
        if (sections)
            entries = sections();
        listIndex = entries.empty() ? -1 : 0;
        if (listIndex == 0)
            cboSection_Click();
    }
    int cboSectionListCount() const override { return static_cast<int>(entries.size()); }
    int cboSectionListIndex() const override { return listIndex; }
    void setCboSectionListIndex(int index) override {
        if (index == listIndex)
            return;
        listIndex = index;
        cboSection_Click();
    }
    qint16 cboSectionItemData(int index) const override {
        return entries.at(static_cast<std::size_t>(index));
    }
    void cboSection_Click() override {
        clickedSections.push_back(entries.at(static_cast<std::size_t>(listIndex)));
    }

    bool cmdUpdateMoveVisible() const override { return updateMoveVisible; }
    void setCmdUpdateMoveVisible(bool visible) override { updateMoveVisible = visible; }
    void setForcedStartEnabled(bool enabled) override { forcedStartEnabled = enabled ? 1 : 0; }
    qint16 gameMode() const override { return 1; }
    void startTimerResetbaseStation() override {}
    void restartAnalyzeTimer(int intervalMs) override {
        if (timerEnabled)
            timerRestarts.push_back(intervalMs);
    }
    void showUFRDialog() override { ++ufrDialogShown; }

    /// The section IDs InitGrid fills the combo box with.
    std::function<std::vector<qint16>()> sections;
    std::vector<qint16> entries;
    int listIndex = -1;
    int initGridCalls = 0;
    /// The section shown by each cboSection_Click, in order.
    std::vector<qint16> clickedSections;
    bool updateMoveVisible = false;
    /// -1 never set, else 0 or 1.
    int forcedStartEnabled = -1;
    bool timerEnabled = false;
    std::vector<int> timerRestarts;
    int ufrDialogShown = 0;
};

} // namespace qzc::test

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

    qint16 gameMode() const override { return 1; }
    void startTimerResetbaseStation() override {}
    void restartAnalyzeTimer(int) override {}
    void showStanzaState(StanzaState state, const QString& source) override {
        stanzaStates.emplace_back(state, source);
    }
    void showUFRDialog() override { ++ufrDialogShown; }

    /// The section IDs InitGrid fills the combo box with.
    std::function<std::vector<qint16>()> sections;
    std::vector<qint16> entries;
    int listIndex = -1;
    int initGridCalls = 0;
    /// The section shown by each cboSection_Click, in order.
    std::vector<qint16> clickedSections;
    /// The stanza states shown, with the source of each.
    std::vector<std::pair<StanzaState, QString>> stanzaStates;
    int ufrDialogShown = 0;
};

} // namespace qzc::test

#pragma once

#include "desktop/PlayGrid.h"
#include "desktop/PlayGridHost.h"

#include <QStringList>
#include <optional>

namespace qzc::test {

/// The main window as the play grid sees it: the choosers are plain values, everything the
/// grid switches is recorded. Filling the section chooser selects its first entry and runs
/// the grid's cboSection_Click, as the real chooser does.
class FakePlayGridHost final : public PlayGridHost {
public:
    std::optional<SectionListEntry> selectedSection() const override { return section; }
    std::optional<GridView> selectedView() const override { return view; }
    void fillSectionChoice(const QList<SectionListEntry>& entries) override {
        sections = entries;
        section = entries.isEmpty() ? std::nullopt : std::optional<SectionListEntry>(entries.first());
        if (grid != nullptr)
            grid->cboSection_Click();
    }
    void Close_PopUp() override { ++popUpCloses; }
    void showStanzaState(StanzaState state, const QString& source) override {
        stanzaStates.emplace_back(state, source);
    }
    void enablePersonalRecaps(bool enabled) override { personalRecapsEnabled = enabled; }
    void enablePickPair(bool enabled) override { pickPairEnabled = enabled; }
    void enableEWPair(bool enabled) override { ewPairEnabled = enabled; }
    void showGridMessage(const QString& caption) override {
        gridMessage = caption;
        gridMessageShown = true;
    }
    void hideGridMessage() override { gridMessageShown = false; }
    void setViewCaption(const QString& caption) override { viewCaption = caption; }

    /// Chooses the section of the list by its letters; false when it is not there.
    bool choose(const QString& letters) {
        for (const SectionListEntry& entry : sections) {
            if (entry.text == letters) {
                section = entry;
                return true;
            }
        }
        return false;
    }

    PlayGrid* grid = nullptr;
    QList<SectionListEntry> sections;
    std::optional<SectionListEntry> section;
    std::optional<GridView> view;
    int popUpCloses = 0;
    std::vector<std::pair<StanzaState, QString>> stanzaStates;
    std::optional<bool> personalRecapsEnabled;
    std::optional<bool> pickPairEnabled;
    std::optional<bool> ewPairEnabled;
    QString gridMessage;
    bool gridMessageShown = false;
    QString viewCaption;
};

} // namespace qzc::test

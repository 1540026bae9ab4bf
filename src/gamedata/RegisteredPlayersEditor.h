#pragma once

#include "gamedata/NameMaintenance.h"
#include "gamedata/RegisteredPlayerChange.h"
#include "gamedata/SeatNameList.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

namespace qzc {

class GameData;

/// The registered-players dialog without its window: the round chosen and its range, the
/// source and direction filters, the sorted list with its search, and the changes of a
/// player's ID or name. The window shows its state and hands it every click; before a step
/// it sets searchTexts from its four search boxes, which every refill uses.
class RegisteredPlayersEditor {
public:
    struct Services {
        RegisteredPlayerChange::Services change;
        const GameData& gameData;
    };

    static constexpr qint16 helpTopic = 20;

    explicit RegisteredPlayersEditor(const Services& services);

    /// The load step: the rounds of the event (none: the round selector is off and round 1
    /// is listed), the first round shown (the highest round with results of the section the
    /// main window shows, when one is shown), sorted by table, listed and filled.
    void Form_Load(std::optional<qint16> shownSectionId);

    /// The typed round: a number outside the event's rounds (text that is no number counts
    /// as 0) becomes the nearest of them, then the list is rebuilt for it. Returns the text
    /// the round box shows. Nothing happens while the event has no rounds.
    QString txtRoundNo_Change(const QString& text);
    /// The direction filters: at least one stays ticked (unticking the only one ticks the
    /// other). The list is rebuilt.
    void chkNSPair_Click(bool ticked);
    void chkEWPair_Click(bool ticked);
    void optSource_Click(NameListSource source);
    /// Fills the grid with the shown entries that match every non-empty search text.
    void cmdSearch_Click();
    /// A press on a column heading: sorts by that column, descending when it is sorted
    /// ascending already.
    void headingPressed(int column);
    /// A press on a data row (from 1) of the grid: the change of its member ID (column 3) or
    /// name (column 4) in the current seating; nothing for any other cell.
    std::optional<NameChangePrompt> cellPressed(int row, int column) const;
    /// The edit dialog's Yes for the seat of the prompt's entry; a change written, or refused
    /// because the seats changed meanwhile, rebuilds the list.
    RegisteredPlayerChange::Outcome applyChange(const NameChangePrompt& prompt, const QString& typed);
    /// The registered players were read again: the current seating is listed afresh.
    void registeredPlayersChanged();

    std::array<QString, 4> searchTexts;

    qint16 round() const { return choice_.round; }
    qint16 roundMin() const { return roundMin_; }
    qint16 roundMax() const { return roundMax_; }
    bool nsTicked() const { return choice_.showNS; }
    bool ewTicked() const { return choice_.showEW; }
    NameListSource source() const { return choice_.source; }
    /// The direction filters and Print serve the current seating only; the round selector
    /// needs rounds too.
    bool filtersEnabled() const { return choice_.source == NameListSource::Current; }
    bool roundEnabled() const { return filtersEnabled() && roundMin_ >= 1; }
    qint16 nameGridSortKey() const { return sortKey_; }
    std::array<QString, SeatNameList::columnCount> headings() const {
        return SeatNameList::gridHeadings(sortKey_);
    }
    const NameGridFill& gridFill() const { return fill_; }
    const SeatNameList& list() const { return list_; }

private:
    /// SetupNameList, SortNameList and cmdSearch_Click, as every change of the choice runs them.
    void rebuild();
    void sortAndFill();

    ScoreDb& db_;
    const GameData& gameData_;
    RegisteredPlayerChange change_;
    SeatNameList list_;
    NameListChoice choice_;
    qint16 roundMin_ = 0;
    qint16 roundMax_ = 0;
    qint16 sortKey_ = 1;
    NameGridFill fill_;
};

} // namespace qzc

#include "gamedata/RegisteredPlayersEditor.h"

#include "core/NumberText.h"
#include "core/ScoreDb.h"
#include "gamedata/GameData.h"

namespace qzc {

RegisteredPlayersEditor::RegisteredPlayersEditor(const Services& services)
    : db_(services.change.db), gameData_(services.gameData), change_(services.change),
      list_(services.gameData, services.change.names) {}

void RegisteredPlayersEditor::Form_Load(std::optional<qint16> shownSectionId) {
    sortKey_ = 1;
    qint16 first = 1;
    if (shownSectionId)
        first = gameData_.getSectionMaxRound(*shownSectionId);
    qint16 highest = 0;
    if (!db_.getDBValue(QStringLiteral("SELECT MAX(Round) AS maxround FROM RoundData"),
                        QStringLiteral("maxround"), highest) ||
        highest == 0)
        db_.getDBValue(QStringLiteral("SELECT MAX(Round) AS maxround FROM ReceivedData WHERE NOT Erased"),
                       QStringLiteral("maxround"), highest);
    if (highest < 1) {
        roundMin_ = 0;
        roundMax_ = 0;
        choice_.round = 1;
    } else {
        roundMin_ = 1;
        roundMax_ = highest;
        choice_.round = std::clamp(first, roundMin_, roundMax_);
    }
    rebuild();
}

void RegisteredPlayersEditor::rebuild() {
    list_.SetupNameList(choice_);
    sortAndFill();
}

void RegisteredPlayersEditor::sortAndFill() {
    sortKey_ = list_.SortNameList(sortKey_);
    cmdSearch_Click();
}

QString RegisteredPlayersEditor::txtRoundNo_Change(const QString& text) {
    if (roundMin_ == 0 || roundMax_ == 0)
        return text;
    const qint16 typed = StrToInt(text);
    choice_.round = std::clamp(typed, roundMin_, roundMax_);
    rebuild();
    return typed == choice_.round ? text : QString::number(choice_.round);
}

void RegisteredPlayersEditor::chkNSPair_Click(bool ticked) {
    choice_.showNS = ticked;
    if (!ticked && !choice_.showEW)
        choice_.showEW = true;
    rebuild();
}

void RegisteredPlayersEditor::chkEWPair_Click(bool ticked) {
    choice_.showEW = ticked;
    if (!ticked && !choice_.showNS)
        choice_.showNS = true;
    rebuild();
}

void RegisteredPlayersEditor::optSource_Click(NameListSource source) {
    choice_.source = source;
    rebuild();
}

void RegisteredPlayersEditor::cmdSearch_Click() {
    std::array<QString, 4> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = searchTexts[i].trimmed();
    fill_ = NameMaintenance::searchPlayerName(list_.shownNameList(), texts, sortKey_);
}

void RegisteredPlayersEditor::headingPressed(int column) {
    if (column < 1 || column >= SeatNameList::columnCount)
        return;
    const bool ascending = headings()[static_cast<std::size_t>(column)].endsWith(QLatin1Char('+'));
    sortKey_ = static_cast<qint16>(ascending ? -column : column);
    sortAndFill();
}

std::optional<NameChangePrompt> RegisteredPlayersEditor::cellPressed(int row, int column) const {
    if (choice_.source != NameListSource::Current || (column != 3 && column != 4) || row < 1 ||
        row > static_cast<int>(fill_.rows.size()))
        return std::nullopt;
    const qint32 index = StrToLong(fill_.rows[static_cast<std::size_t>(row - 1)][0]);
    return NameMaintenance::confirmPlayerChange(index, list_.shownNameList(), column == 3);
}

RegisteredPlayerChange::Outcome RegisteredPlayersEditor::applyChange(const NameChangePrompt& prompt,
                                                                     const QString& typed) {
    // Not by the row pressed: a round or filter chosen since has rebuilt and re-sorted the list.
    const RegisteredPlayerChange::Outcome outcome =
        change_.cmdButton_Click(prompt.mode, typed, prompt.seat, list_.seatNameList());
    if (outcome == RegisteredPlayerChange::Outcome::Written ||
        outcome == RegisteredPlayerChange::Outcome::Changed)
        rebuild();
    return outcome;
}

void RegisteredPlayersEditor::registeredPlayersChanged() {
    // The names on file do not change with the seats, and may be many.
    if (choice_.source == NameListSource::Current)
        rebuild();
}

} // namespace qzc

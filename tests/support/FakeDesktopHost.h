#pragma once

#include "core/DesktopHost.h"
#include "core/GameControl.h"
#include "reports/GridRefreshQueue.h"
#include "support/TransactionWatch.h"

#include <array>
#include <functional>
#include <vector>

namespace qzc::test {

/// The main window and the game session as the engine sees them, with everything recorded.
/// The section choice behaves as the window's: refilling it shows its first section, and
/// every section shown rebuilds the grid (recorded in clickedSections).
class FakeDesktopHost final : public DesktopHost, public GameControl {
public:
    // DesktopHost
    void showLinkStatus(bool up) override { linkUp = up; }
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
    void showGameRunning(bool running) override { gameShownRunning = running; }
    void showGameCommand(std::optional<GameCommand> command) override { tickedCommand = command; }
    void askBoardCounts(qint16& boardsPerRound, qint16& totalBoards) override {
        transactions.checkClosed(QStringLiteral("the movement dialog"));
        ++boardCountQuestions;
        if (boardCountAnswer) {
            boardsPerRound = boardCountAnswer->first;
            totalBoards = boardCountAnswer->second;
        }
    }
    void showFirstSectionAndView() override { ++firstSectionShown; }
    void showGridMessage(const QString& caption) override {
        gridMessage = caption;
        gridMessageShown = true;
    }
    void hideGridMessage() override { gridMessageShown = false; }
    void paintNow() override { ++paints; }
    void showNextStanzaControls(StanzaState state) override { stanzaControls = state; }
    bool isDesktopLoaded() const override { return loaded; }
    std::optional<qint16> shownSectionId() const override {
        if (listIndex < 0)
            return std::nullopt;
        return entries.at(static_cast<std::size_t>(listIndex));
    }
    void refillSections() override {
        ++initGridCalls;
        if (sections)
            entries = sections();
        listIndex = entries.empty() ? -1 : 0;
        if (listIndex == 0)
            clickedSections.push_back(entries.front());
    }
    void showSection(qint16 sectionId) override {
        if (entries.empty())
            return;
        const qint16 wanted = sectionId != 0 ? sectionId : entries.front();
        for (std::size_t index = 0; index < entries.size(); ++index) {
            if (entries[index] == wanted) {
                listIndex = static_cast<int>(index);
                clickedSections.push_back(wanted);
                return;
            }
        }
    }
    void RefreshTableStatus() override { ++tableStatusRefreshes; }
    void queueGridRefresh(qint16 round) override { gridQueue.appendOnce(round); }
    void showNotice(const QString& caption, const QString& text) override {
        notices.push_back({caption, text});
    }
    void showUFRDialog() override { ++ufrDialogShown; }

    // GameControl
    qint16 gameMode() const override { return mode; }
    void startTimerResetbaseStation() override { ++resetStarts; }
    void restartAnalyzeTimer(int intervalMs) override {
        if (analyzeTimerOn)
            analyzeRestarts.push_back(intervalMs);
    }
    void showStanzaState(StanzaState state, const QString& source) override {
        stanzaStates.emplace_back(state, source);
    }

    bool linkUp = false;
    std::array<bool, 17> channelChecked{};
    bool gameShownRunning = false;
    std::optional<GameCommand> tickedCommand;
    /// What the director enters in the movement dialog; nothing: the dialog is quit.
    std::optional<std::pair<qint16, qint16>> boardCountAnswer;
    int boardCountQuestions = 0;
    TransactionWatch transactions;
    int firstSectionShown = 0;
    QString gridMessage;
    bool gridMessageShown = false;
    int paints = 0;
    /// The next-stanza controls shown; the window starts with neither.
    StanzaState stanzaControls = StanzaState::NoFurtherRounds;

    struct Notice {
        QString caption;
        QString text;
    };
    bool loaded = true;
    /// The section IDs refillSections fills the choice with.
    std::function<std::vector<qint16>()> sections;
    std::vector<qint16> entries;
    int listIndex = -1;
    int initGridCalls = 0;
    /// The section of every grid rebuild, in order.
    std::vector<qint16> clickedSections;
    int tableStatusRefreshes = 0;
    GridRefreshQueue gridQueue;
    std::vector<Notice> notices;
    int ufrDialogShown = 0;

    qint16 mode = 0;
    int resetStarts = 0;
    bool analyzeTimerOn = false;
    std::vector<int> analyzeRestarts;
    std::vector<std::pair<StanzaState, QString>> stanzaStates;
};

} // namespace qzc::test

#pragma once

#include "core/DesktopHost.h"
#include "core/GameControl.h"

#include <array>
#include <vector>

namespace qzc::test {

/// The main window and the game session as the engine sees them, with everything recorded.
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
    int firstSectionShown = 0;
    QString gridMessage;
    bool gridMessageShown = false;
    int paints = 0;
    /// The next-stanza controls shown; the window starts with neither.
    StanzaState stanzaControls = StanzaState::NoFurtherRounds;

    qint16 mode = 0;
    int resetStarts = 0;
    bool analyzeTimerOn = false;
    std::vector<int> analyzeRestarts;
    std::vector<std::pair<StanzaState, QString>> stanzaStates;
};

} // namespace qzc::test

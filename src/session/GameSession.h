#pragma once

#include "core/GameControl.h"

#include <QTimer>
#include <QtGlobal>

namespace qzc {

class BaseStation;
class Config;
class DesktopHost;
class GameData;
class GameDataAnalysis;
class GameSettings;
class Log;
class MessageBox;
class PlayerNames;
class ProcessList;
class ProgramLauncher;
class ScoreDb;
struct EventInfo;

/// The game of the event: whether it runs (the game state that the dispatcher and the link
/// supervision read), its start and stop with the board counts and the movement blocks,
/// the base-station link's start with retries, the automatic reset of a silent base
/// station and the periodic game-data analysis. The main window shows it and hands it the
/// director's commands; it keeps no state of its own for these.
class GameSession final : public GameControl {
public:
    /// What the session works with; every object outlives it.
    struct Services {
        Config& config;
        Log& log;
        ScoreDb& db;
        GameSettings& settings;
        EventInfo& event;
        GameData& gameData;
        PlayerNames& names;
        MessageBox& messages;
        ProcessList& processes;
        ProgramLauncher& launcher;
    };

    /// The game-data timer ticks every second; the analysis runs on every 60th tick.
    static constexpr int analyzeIntervalMs = 1000;
    static constexpr int analyzeEveryTicks = 60;
    /// The automatic reset's tick.
    static constexpr int resetIntervalMs = 1000;

    GameSession(const Services& services, DesktopHost& desktop);
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    /// The link that the session starts, stops and resets; set once, before the first command.
    void attachBaseStation(BaseStation& baseStation) { baseStation_ = &baseStation; }
    /// The game-data analysis of the game start and of the game-data timer.
    void attachAnalysis(GameDataAnalysis& analysis) { analysis_ = &analysis; }

    /// A command of the game-mode menu. Stop: the game stops ("Stop game." when it ran).
    /// Pause: the state becomes 2, nothing else. Start: player names, board counts (asked
    /// of the director when the event has neither counts nor movement; no answer, no
    /// start), analysis and movement blocks, the first section and view, then the link;
    /// the game runs when the link is up.
    void command(GameCommand command);
    bool isRunning() const { return gameMode_ == 1; }

    /// Whether the base-station link is up.
    bool linkIsUp() const;
    /// Brings the link up: two attempts, then asks the director to reconnect the base
    /// station and tries again for as long as the director answers OK.
    void startLink();
    /// Takes the link down when it is up, else brings it up; true when done.
    bool toggleLink();
    /// A director's command that takes the port from the program (Upgrade firmware) ends a
    /// pending automatic reset: it neither brings the link back nor restarts the game.
    void endReset();
    /// The program is ending: the game-data analysis and the automatic reset stop, and no
    /// reset starts again.
    void endSession();

    /// One tick of the game-data timer: the analysis runs on every 60th tick.
    void timerAnalyzeGameDB_Timer();
    /// One tick of the automatic base-station reset: the link goes down at the first tick,
    /// is tried again after the reset wait and after twice the wait, and a game that ran when
    /// the reset began restarts once the link is back (keeping the section and view shown);
    /// when it stays down the director is asked to reconnect the base station.
    void timerResetbaseStation_Timer();
    const QTimer& timerAnalyzeGameDB() const { return timerAnalyzeGameDB_; }
    const QTimer& timerResetbaseStation() const { return timerResetbaseStation_; }

    // GameControl
    qint16 gameMode() const override { return gameMode_; }
    /// The game-mode command whose item shows the game's state.
    GameCommand commandOfState() const {
        return gameMode_ == 1 ? GameCommand::Start : gameMode_ == 2 ? GameCommand::Pause : GameCommand::Stop;
    }
    void startTimerResetbaseStation() override;
    void restartAnalyzeTimer(int intervalMs) override;
    /// Ready for the next stanza: "Start New Movement" appears (logged as shown, the
    /// game-data timer back at one second while it runs). Results owed: "Forced start"
    /// is enabled and a shown button goes (logged as hidden). No further rounds: neither.
    /// The lines are logged only when the button changes.
    void showStanzaState(StanzaState state, const QString& source) override;

private:
    void stopGame();
    void startGame();
    /// The board counts of an event without a movement, asked when one is 0; counts already
    /// set put their stanza edge in force. False when the director gave none or they or
    /// their edge could not be stored (counts not stored are asked again at the next start).
    bool ensureBoardCounts();
    /// Stores the counts in the settings row and the current settings; false (logged) when
    /// they could not be written.
    bool saveBoardCounts();
    /// Writes the stanza edge the board counts give to every section and reloads the
    /// sections; unless always, only when a section's edge differs. False (logged) when the
    /// edge could not be written.
    bool putStanzaEdgeInForce(bool always);
    void startSleepPrevention();
    void resetTick();
    /// After the reset: while the link stays down the director is asked to reconnect the base
    /// station; a game that ran restarts once the link is back.
    void finishReset();

    Config& config_;
    Log& log_;
    ScoreDb& db_;
    GameSettings& settings_;
    EventInfo& event_;
    GameData& gameData_;
    PlayerNames& names_;
    MessageBox& messages_;
    ProcessList& processes_;
    ProgramLauncher& launcher_;
    DesktopHost& desktop_;
    BaseStation* baseStation_ = nullptr;
    GameDataAnalysis* analysis_ = nullptr;

    qint16 gameMode_ = 0;
    /// Set only while the automatic reset restarts the game.
    bool gameModeByTimer_ = false;
    int analyzeTickCount_ = 0;
    qint32 resetElapsedMs_ = 0;
    bool resetRestartOk_ = false;
    /// The game ran when the automatic reset began and the director has not changed it
    /// since: it restarts with the link.
    bool resetOfRunningGame_ = false;
    /// The program is ending (endSession).
    bool ended_ = false;
    /// The reset's tick is bringing the link back.
    bool bringingLinkBack_ = false;
    /// The stanza state the window shows; the window starts without the button.
    StanzaState shownStanza_ = StanzaState::NoFurtherRounds;
    QTimer timerAnalyzeGameDB_;
    QTimer timerResetbaseStation_;
};

} // namespace qzc

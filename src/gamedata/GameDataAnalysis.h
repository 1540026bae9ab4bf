#pragma once

#include "core/OwnScoreColumns.h"
#include "gamedata/MovementChange.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class DbTransaction;
class DesktopHost;
class GameControl;
class GameData;
class Log;
class MessageBox;
class PlayerNames;
class ScoreDb;
struct EventInfo;

/// The game-data analysis: brings the program's own columns, the stanza of every section
/// and the data in memory in line with what the scoring program changed in the score
/// database (player names, new sections, table counts, changed movements, changed results).
///
/// It runs at start-up, every minute while the game runs, at game start and from the
/// menu. It never runs inside itself: a call that comes while it runs (for instance from a
/// timer tick while the director is asked about a changed movement) is skipped.
class GameDataAnalysis {
public:
    /// Movement-change decisions.
    static constexpr qint16 keepStanza = 1;
    static constexpr qint16 newStanza = 2;

    /// The director's question about a changed movement.
    static constexpr qint16 questionStyle = 52;
    static constexpr qint16 questionHelpTopic = 14;

    GameDataAnalysis(GameData& gameData, PlayerNames& names, ScoreDb& db, Log& log, const EventInfo& event,
                     MessageBox& messages, DesktopHost& host, GameControl& game)
        : gameData_(gameData), names_(names), db_(db), log_(log), event_(event), messages_(messages),
          host_(host), game_(game) {}

    /// Runs the analysis; false when it was skipped because it is running already.
    bool AnalyzeGameDB();
    /// Puts saved game settings in force at once: the movement in memory and its blocks follow
    /// them (GameData::followMovementSettings), and once the analysis has filled the seats'
    /// pair numbers, a game type followed anew reaches those and the names read from them.
    void followSavedSettings();
    bool isRunning() const { return running_; }

    /// The text of the question about a movement changed from round lastOldRound + 1 on.
    static QString movementChangeQuestion(qint16 lastOldRound);

private:
    /// What became of one section's movement change in a run.
    enum class Decision {
        /// Nothing to decide: no change, a change pending already, or one outside the stanza.
        None,
        /// The decision was stored.
        Stored,
        /// A change was left undecided: its facts could not be read, its decision could not
        /// be stored, or the change stored when the decision was to be written was no longer
        /// the one asked about or decided on. Its tables keep their marks, so that the next
        /// check decides it on them.
        Left,
    };

    /// The flags that steps set to have the data in memory reloaded at the end.
    struct Reload {
        bool sections = false;
        bool movement = false;
        void set() { sections = movement = true; }
    };

    void run();
    /// True when a seat's name was taken up (written to its row).
    bool fillPlayerNames();
    /// Gives every seat the number round 1 of the movement in memory gives it; true when a
    /// pair number was written.
    bool fillPairNumbers();
    void initializeNewStanzas(Reload& reload);
    void checkTableCounts(Reload& reload);
    void settleAlteredMovements();
    /// Clears UpdateFromRound and the set-up flag of the section's flagged tables that have no
    /// terminal; false when that could not be written.
    bool resetLeftTables(qint16 sectionId);
    qint32 countBoundTerminals();
    void decideMovementChanges(qint32 boundTerminals, Reload& reload);
    /// Decides and applies one section's movement change.
    Decision decideMovementChange(qint16 sectionId, qint32 boundTerminals);
    /// The first table of the section that plays boards in the stanza's edge round and has a
    /// result for each, as "A3"; empty when none.
    QString completedTable(qint16 sectionId) const;
    /// Stores the choice made on a change from round lastOldRound + 1 in one transaction,
    /// only while the change stored under its write lock is still that one.
    Decision storeDecision(qint16 sectionId, qint16 lastOldRound, qint16 choice, bool asked);
    /// The stanza edge and mode, the section's set-up flags and (for a new stanza) the
    /// cleared results, written inside the decision's transaction.
    bool applyNewStanza(const MovementChange& change, qint16 lastOldRound);
    bool applyKeepStanza(const MovementChange& change);
    /// Commits a decision's transaction; false (logged) when the commit is refused.
    bool commitDecision(DbTransaction& transaction);
    /// Logs every result of the section from round fromRound on in full, then deletes them;
    /// nothing is deleted when they cannot be read.
    bool clearResultsFrom(qint16 sectionId, qint16 fromRound);
    /// Clears UpdateFromRound and the set-up flag of every table without a terminal, except
    /// in the sections whose change is still to be decided, as stored under the write lock.
    void resetVacantTables();
    void reloadGameData(const Reload& reload);
    void showStanzaState();
    void logDbError(const QString& source) const;

    GameData& gameData_;
    PlayerNames& names_;
    ScoreDb& db_;
    Log& log_;
    const EventInfo& event_;
    MessageBox& messages_;
    DesktopHost& host_;
    GameControl& game_;
    bool running_ = false;
    /// The seats' pair numbers have been filled by a run.
    bool seatPairsFilled_ = false;
    OwnScoreColumns ownScores_{db_, log_, QStringLiteral("AnalyzeGameDB")};
};

} // namespace qzc

#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

class DesktopHost;
class GameData;
class GameSession;
class Log;
class ScoreDb;

/// The start of a section's next stanza, once the scoring program has added rounds to its
/// movement ("Start New Movement", "Update movement" and the forced start): the stanza
/// becomes the rounds after the old edge round up to the movement's last round, the
/// section's tables are logged off and unbound from their terminals (each terminal logs in
/// again and gets the new stanza), the movement is reloaded and the game goes on, or
/// starts when it was stopped.
class NewMovement {
public:
    NewMovement(ScoreDb& db, Log& log, GameData& gameData, GameSession& session, DesktopHost& desktop);

    /// What became of one start; message tells the director why nothing changed.
    struct Outcome {
        bool started = false;
        QString message;
    };

    /// Starts the next stanza of the section. The three changes of the score database
    /// stand or fall together; nothing changes when the movement has no round beyond the
    /// stanza's edge round.
    Outcome mnuplay_updatemove_Click(qint16 sectionId, const QString& letters);

private:
    ScoreDb& db_;
    Log& log_;
    GameData& gameData_;
    GameSession& session_;
    DesktopHost& desktop_;
};

} // namespace qzc

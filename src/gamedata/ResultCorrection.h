#pragma once

#include "gamedata/GameDataTypes.h"

#include <QString>
#include <QtGlobal>

namespace qzc {

class DesktopHost;
class GameData;
class Log;
class MessageBox;
struct ResultEntry;
struct ResultSeat;

/// The one way the director's corrections reach the score database, for the result
/// pop-up of the main window and the result edit dialog alike: the result store
/// (markResult, which checks the result against the movement and stores it with its score
/// in one transaction), then the log line of the change and the grid columns of the round
/// and every earlier round queued for a refresh. A result that is not stored is told to the
/// director and logged as not changed.
class ResultCorrection {
public:
    static inline const QString mismatchMessage =
        QStringLiteral("Result not saved: it does not match the movement.");
    static inline const QString storageMessage =
        QStringLiteral("Result not saved: the score database did not accept it.");
    static inline const QString outdatedMessage = QStringLiteral(
        "Result not saved: another result of this board was stored meanwhile; it is shown now.");

    ResultCorrection(GameData& gameData, Log& log, MessageBox& messages, DesktopHost& desktop);

    /// What an emptied result becomes: "not played" when the seat's round comes before the
    /// section's highest round with a stored result (the table was passed over), else
    /// nothing, which erases the stored result.
    ResultEntry annulled(const ResultSeat& seat) const;

    /// Stores record for the seat over shown, the stored result the director was shown (a
    /// cleared record: none). The store checks under the write lock that shown is still the
    /// result stored; when it is not, nothing is stored and, once the store has ended, the
    /// director is told (outdatedMessage). After a store logs logLine ("Modify board result:"
    /// and the place) and queues the grid refreshes; otherwise tells the director why (a
    /// message with help topic helpTopic) and leaves everything as it was.
    MarkResultOutcome store(const ResultSeat& seat, const ResultEntry& record, const ResultEntry& shown,
                            const QString& logLine, qint16 helpTopic);

private:
    GameData& gameData_;
    Log& log_;
    MessageBox& messages_;
    DesktopHost& desktop_;
};

} // namespace qzc

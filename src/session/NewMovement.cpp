#include "session/NewMovement.h"

#include "core/DbTransaction.h"
#include "core/DesktopHost.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "gamedata/GameData.h"
#include "platform/BusyPointer.h"
#include "session/GameSession.h"

namespace qzc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

NewMovement::NewMovement(ScoreDb& db, Log& log, GameData& gameData, GameSession& session,
                         DesktopHost& desktop)
    : db_(db), log_(log), gameData_(gameData), session_(session), desktop_(desktop) {}

NewMovement::Outcome NewMovement::mnuplay_updatemove_Click(qint16 sectionId, const QString& letters) {
    Outcome outcome;
    const QString section = QStringLiteral("Section ") + letters;
    const qint16 edge = gameData_.getSectionEdgeRound(sectionId);

    // The stanza, the tables and the terminals' links move together or not at all, to the
    // last round of the movement as stored once the write lock is held: the scoring program
    // may add rounds until then.
    {
        DbTransaction transaction(db_);
        if (!transaction.isActive()) {
            outcome.message =
                QStringLiteral("The score database could not begin the change; nothing was changed.");
            log_.writeLog(0, outcome.message, QStringLiteral("Database - updatemove"));
            return outcome;
        }
        qint16 lastRound = 0;
        if (!db_.getDBValue(QStringLiteral("SELECT MAX(Round) AS maxround FROM RoundData WHERE Section=?"),
                            QStringLiteral("maxround"), lastRound, {sectionId})) {
            outcome.message =
                QStringLiteral("The movement of ") + section + QStringLiteral(" could not be read.");
            log_.writeLog(0, outcome.message, QStringLiteral("Database - updatemove"));
            return outcome;
        }
        if (lastRound <= edge) {
            outcome.message = section + QStringLiteral(" has no round after round ") + QString::number(edge) +
                              QStringLiteral(": the scoring program has not added the next stanza yet.");
            log_.writeLog(0, QStringLiteral("No new movement started: ") + outcome.message);
            return outcome;
        }
        const struct {
            QString sql;
            QVariantList params;
            const char* label;
        } steps[] = {
            {QStringLiteral(
                 "UPDATE Section SET custom_qz_StanazBeginGameRound=?, custom_qz_StanazEdgeGameRound=?, "
                 "custom_qz_UFRmode=0 WHERE ID=?"),
             {static_cast<qint16>(edge + 1), lastRound, sectionId},
             "Database - updatemove"},
            {QStringLiteral("UPDATE Tables SET UpdateFromRound=0, LogOnOff=2 WHERE Section=?"),
             {sectionId},
             "Database - updatemove, reset UpdateFromRound "},
            {QStringLiteral("DELETE FROM custom_qz_TQZ WHERE Section=?"),
             {sectionId},
             "Database - updatemove, clear link between table and TQZ"},
        };
        for (const auto& step : steps) {
            if (!db_.execSQL(step.sql, QLatin1String(step.label), false, step.params)) {
                outcome.message = QStringLiteral("The new movement of ") + section +
                                  QStringLiteral(" could not be stored; nothing was changed.") + kCrLf +
                                  db_.lastErrorDescription();
                return outcome;
            }
        }
        if (!transaction.commit()) {
            outcome.message = QStringLiteral("The new movement of ") + section +
                              QStringLiteral(" could not be stored; nothing was changed.");
            log_.writeLog(0, outcome.message, QStringLiteral("Database - updatemove"));
            return outcome;
        }
    }
    log_.writeLog(0, QStringLiteral("Clear link between table and TQZ in Section ") + letters);
    session_.showStanzaState(StanzaState::NoFurtherRounds, QStringLiteral("updatemove"));

    // The sections and the movement of the new stanza; the window shows the first section.
    gameData_.loadsectiondata();
    gameData_.loadrounddata();
    desktop_.refillSections();
    if (session_.isRunning()) {
        const BusyPointer busy;
        gameData_.preloadMovementMessage();
    } else {
        session_.command(GameCommand::Start);
    }
    outcome.started = true;
    return outcome;
}

} // namespace qzc

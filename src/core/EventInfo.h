#pragma once

#include "core/ScoreDb.h"
#include "core/SharedTables.h"

#include <QString>
#include <QtGlobal>

namespace qzc {

/// The event's names, folders and start-up facts, fixed once while the score database is
/// opened and read by everything that writes files or asks what the database holds.
/// Folders use "/" and end with "/".
struct EventInfo {
    QString scoreDbPath;
    /// Holds the log and the result files.
    QString scoreDbFolder;
    /// Base name of the log and the result files, blanks as "_".
    QString eventFileName;
    QString eventName;
    QString eventPath;
    QString eventDataPath;
    QString eventDumpPath;
    /// Rejected names-import lines go here.
    QString dumpFolder;
    /// The event's result files go here.
    QString dataFolder;
    QString kestrowProgram;
    QString handrecordsProgram;
    /// The event's log file did not exist at start (the settings dialog may set it too).
    bool isNewEvent = false;
    TablePresence tablePresent;
    /// The movement numbers its pairs in hundreds bands; pair numbers sent to the
    /// terminals are then converted.
    bool bandedPairNumbering = false;
    /// The database when the start-up repair left every played result's own score and
    /// declarer in line: the analysis takes that look as its first while nothing else was
    /// committed since. Invalid when the repair did not.
    ScoreDb::ChangeMark ownScoresInLine;
    /// Boards per round and total boards of the event; 0 while not set.
    qint16 boardsPerRound = 0;
    qint16 totalBoards = 0;
    /// The last round of the stanza that the board counts give a section without a
    /// movement (total boards over boards per round), as its edge column takes it; empty
    /// while either count is not above 0.
    QString boardCountsEdgeRound() const {
        if (boardsPerRound < 1 || totalBoards < 1)
            return {};
        return QString::number(static_cast<double>(totalBoards) / boardsPerRound);
    }
    /// The mode in which the game settings dialog opens.
    QString settingsDialogMode;

    /// scoreDbFolder & eventFileName & ".log"; empty while the names are not fixed.
    QString logFilePath() const {
        return eventFileName.isEmpty() && scoreDbFolder.isEmpty()
                   ? QString()
                   : scoreDbFolder + eventFileName + QStringLiteral(".log");
    }
};

} // namespace qzc

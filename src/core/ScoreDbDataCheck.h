#pragma once

#include "core/ScoreDb.h"

#include <QString>

namespace qzc {

class Log;
class MessageBox;

/// The start-up checks of the event's data and the repairs of what a scoring program or
/// an older version of this program left incomplete.
class ScoreDbDataCheck {
public:
    ScoreDbDataCheck(ScoreDb& db, Log& log, MessageBox& messages) : db_(db), log_(log), messages_(messages) {}

    /// Sections and tables must be defined; detects banded pair numbering (written to
    /// bandedPairNumbering only when the movement has rows); refuses pair numbers above
    /// 255 unless banded; normalises South and West; makes sure of the own settings row.
    bool checkDBData(bool& bandedPairNumbering);
    /// Why checkDBData refused the data, in one line for the director.
    const QString& failureReason() const { return failureReason_; }

    /// The result repairs in their order: declarer letters, missing scores, passed boards,
    /// then the own score and declarer of every played result that another program changed
    /// (OwnScoreColumns). A failed statement is logged and otherwise ignored; false, after
    /// its log line, when the scores cannot be committed.
    bool repairResults();
    /// The database when repairResults last left every own score and declarer in line;
    /// invalid when it did not.
    const ScoreDb::ChangeMark& ownScoresInLine() const { return ownScoresInLine_; }

    void fillDeclarers();
    bool fillScores();
    void fillPassScores();

private:
    bool detectBandedNumbering();

    ScoreDb& db_;
    Log& log_;
    MessageBox& messages_;
    QString failureReason_;
    ScoreDb::ChangeMark ownScoresInLine_;
};

} // namespace qzc

#pragma once

#include "core/ScoreDb.h"

#include <QString>
#include <utility>

namespace qzc {

class Log;

/// The program's own score and declarer of a played result (custom_qz_score and
/// custom_qz_declarer of ReceivedData) follow the contract, result and declarer stored beside
/// them, which the scoring program may change, or write without the own columns. A played
/// result is a row without remarks whose contract is bid (a level 1 to 7) and whose declarer
/// names a seat, or a passed board (scored 0). Every other row keeps what it holds: adjusted
/// scores, not played and late play, rows without a contract.
class OwnScoreColumns {
public:
    /// source names the caller in the log lines.
    OwnScoreColumns(ScoreDb& db, Log& log, QString source) : db_(db), log_(log), source_(std::move(source)) {}

    /// Scores again, in one transaction, every played result whose own columns differ from
    /// what its contract, result and declarer give, and logs each; where they agree nothing
    /// is written. What is written is read inside that transaction, under the write lock. No
    /// look is taken while no other program has committed since the last one that left every
    /// row in line, this object's or lookedAtElsewhere (the mark that another object's look
    /// left, as inLine() gives it): this program stores a result with its own columns. False,
    /// logged, when the results cannot be read or the scores not written; nothing is then
    /// written and the next call looks again.
    bool followSharedColumns(const ScoreDb::ChangeMark& lookedAtElsewhere = {});
    /// The database when this object's last look left every own column in line; invalid
    /// before such a look.
    const ScoreDb::ChangeMark& inLine() const { return inLine_; }

private:
    ScoreDb& db_;
    Log& log_;
    QString source_;
    /// The database when the last look left every own column in line.
    ScoreDb::ChangeMark inLine_;
};

} // namespace qzc

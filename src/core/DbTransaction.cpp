#include "core/DbTransaction.h"

#include "core/ScoreDb.h"

namespace qzc {

DbTransaction::DbTransaction(ScoreDb& db) : db_(db) {
    if (db.inTransaction())
        state_ = State::Joined;
    else if (db.beginTransaction())
        state_ = State::Begun;
}

DbTransaction::~DbTransaction() {
    if (state_ == State::Begun)
        db_.rollback();
}

bool DbTransaction::commit() {
    if (state_ == State::Joined)
        return true;
    if (state_ != State::Begun)
        return false;
    state_ = State::Ended;
    if (db_.commit())
        return true;
    db_.rollbackRefusedCommit();
    return false;
}

} // namespace qzc

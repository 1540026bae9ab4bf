#include "core/DbTransaction.h"

#include "core/ScoreDb.h"

namespace qzc {

DbTransaction::DbTransaction(ScoreDb& db) : db_(db), active_(db.beginTransaction()) {}

DbTransaction::~DbTransaction() {
    if (active_)
        db_.rollback();
}

bool DbTransaction::commit() {
    if (!active_)
        return false;
    active_ = false;
    if (db_.commit())
        return true;
    db_.rollbackRefusedCommit();
    return false;
}

} // namespace qzc

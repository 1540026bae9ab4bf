#pragma once

namespace qzc {

class ScoreDb;

/// Changes that stand or fall together: begun on construction, rolled back on destruction
/// unless commit() succeeded. Only for writes: it takes the write lock at its start (waiting
/// up to the busy timeout while another program writes), so that no statement inside it is
/// refused the lock halfway. Begun inside a transaction already open, it is part of that
/// one, whose owner commits or rolls back.
class DbTransaction {
public:
    explicit DbTransaction(ScoreDb& db);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;

    /// False when the transaction could not be begun (the reason in the database's
    /// lastError): the caller writes nothing and fails.
    bool isActive() const { return state_ == State::Begun || state_ == State::Joined; }
    /// Makes the changes stand; false (and rolled back) when that fails, the reason left
    /// in the database's lastError. False when it was never begun. Part of an open
    /// transaction, it leaves the outcome to that one's owner.
    bool commit();

private:
    enum class State { Refused, Begun, Joined, Ended };

    ScoreDb& db_;
    State state_ = State::Refused;
};

} // namespace qzc

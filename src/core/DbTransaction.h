#pragma once

namespace qzc {

class ScoreDb;

/// Changes that stand or fall together: begun on construction, rolled back on destruction
/// unless commit() succeeded.
class DbTransaction {
public:
    explicit DbTransaction(ScoreDb& db);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;

    /// False when the transaction could not be begun; its statements then run one by one.
    bool isActive() const { return active_; }
    /// Makes the changes stand; false (and rolled back) when that fails, the reason left
    /// in the database's lastError.
    bool commit();

private:
    ScoreDb& db_;
    bool active_ = false;
};

} // namespace qzc

#pragma once

#include <QString>

namespace qzc {
class ScoreDb;
}

namespace qzc::test {

/// Held by the fakes of a message box or dialog that runs an event loop. The terminals are
/// answered while such a box is up, and what they store into a transaction still open would
/// be lost with its rollback: a fake shown while the watched score database has one open
/// fails the running test.
class TransactionWatch {
public:
    void watch(const ScoreDb& db) { db_ = &db; }
    /// shown names what is shown, for the failure.
    void checkClosed(const QString& shown) const;

private:
    const ScoreDb* db_ = nullptr;
};

} // namespace qzc::test

#pragma once

#include <QString>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace qzc::test {

/// Another program's write transaction on the score database, as the scoring program holds
/// one while it imports names or changes the movement: BEGIN IMMEDIATE and one statement, on
/// a connection and a thread of its own, so that the program under test waits in its busy
/// handler meanwhile. The transaction is committed by release(), by the destructor, or on
/// its own once releaseAfter has passed.
class OtherProgramLock {
public:
    /// Returns once the lock is held (or could not be taken: see held()). statement runs
    /// inside the transaction when given.
    explicit OtherProgramLock(const QString& databasePath,
                              std::optional<std::chrono::milliseconds> releaseAfter = std::nullopt,
                              const QString& statement = QString());
    ~OtherProgramLock();
    OtherProgramLock(const OtherProgramLock&) = delete;
    OtherProgramLock& operator=(const OtherProgramLock&) = delete;

    /// The write lock was taken and its statement ran.
    bool held() const { return held_; }
    /// Commits the transaction (if still open) and waits until the connection is closed.
    void release();

private:
    void hold(const QString& databasePath, std::optional<std::chrono::milliseconds> releaseAfter,
              const QString& statement);

    std::mutex mutex_;
    std::condition_variable changed_;
    bool started_ = false;
    bool held_ = false;
    bool releaseAsked_ = false;
    std::thread thread_;
};

} // namespace qzc::test

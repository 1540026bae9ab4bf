#include "support/OtherProgramLock.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

namespace qzc::test {

OtherProgramLock::OtherProgramLock(const QString& databasePath,
                                   std::optional<std::chrono::milliseconds> releaseAfter,
                                   const QString& statement) {
    thread_ = std::thread(
        [this, databasePath, releaseAfter, statement] { hold(databasePath, releaseAfter, statement); });
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return started_; });
}

OtherProgramLock::~OtherProgramLock() {
    release();
}

void OtherProgramLock::release() {
    {
        std::lock_guard lock(mutex_);
        releaseAsked_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void OtherProgramLock::hold(const QString& databasePath,
                            std::optional<std::chrono::milliseconds> releaseAfter, const QString& statement) {
    // A connection belongs to the thread that made it: made, used and removed here.
    const QString name =
        QStringLiteral("qzc-test-other-lock-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        bool taken = false;
        if (db.open()) {
            QSqlQuery query(db);
            taken = query.exec(QStringLiteral("BEGIN IMMEDIATE")) &&
                    (statement.isEmpty() || query.exec(statement));
            query.finish();
        }
        {
            std::unique_lock lock(mutex_);
            held_ = taken;
            started_ = true;
            changed_.notify_all();
            if (releaseAfter)
                changed_.wait_for(lock, *releaseAfter, [this] { return releaseAsked_; });
            else
                changed_.wait(lock, [this] { return releaseAsked_; });
        }
        if (taken) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("COMMIT"));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace qzc::test

#pragma once

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace qzc {

class Clock;
class Log;

/// The one connection to the event's score database. Every statement of the program runs
/// here: execSQL for changes, getDBValue for one value, select for reading rows.
/// Statements keep the common SQL form ([Table] in brackets, IS NULL, yes/no as 0 and -1);
/// text from users, files or the radio goes in as a bound parameter ("?") or through
/// sqlQuote.
class ScoreDb {
public:
    /// The state of the database's contents at one moment: two marks differ when anything may
    /// have changed in between, through this connection or committed by another program
    /// (the scoring program). Memory that mirrors the database keeps the mark it was read at.
    struct ChangeMark {
        qint64 ownChanges = -1;
        qint64 otherChanges = -1;

        bool isValid() const { return ownChanges >= 0 && otherChanges >= 0; }
        /// Memory that was read at this mark and still matches the database at now.
        bool holdsAt(const ChangeMark& now) const { return isValid() && *this == now; }
        /// Between this mark and later only this connection changed the database: memory
        /// that held here and took in those changes holds at later.
        bool onlyOwnChangesUntil(const ChangeMark& later) const {
            return isValid() && later.isValid() && otherChanges == later.otherChanges;
        }
        bool operator==(const ChangeMark&) const = default;
    };

    /// One column of a table as the catalog describes it.
    struct Column {
        QString name;
        /// The declared type in upper case, as "INTEGER", "TEXT(4)" or "YESNO".
        QString declaredType;
    };

    /// Why the score database could not be opened; None after a successful opening.
    enum class OpenFailure { None, NotADatabase, InUse, ReadOnly, Damaged, Unusable };

    ScoreDb(Log& log, Clock& clock);
    ~ScoreDb();
    ScoreDb(const ScoreDb&) = delete;
    ScoreDb& operator=(const ScoreDb&) = delete;

    /// Extra attempts of a failing execSQL (the ini key DatabaseRetry).
    void setRetry(qint16 databaseRetry) { databaseRetry_ = databaseRetry; }

    /// How long a statement waits for a lock another program holds (5000 ms unless set);
    /// taken at the next opening.
    void setBusyTimeout(int milliseconds) { busyTimeoutMs_ = milliseconds; }

    /// Opens the score database file (which must exist) and checks it without writing to
    /// it: no other program may hold it for writing (a write transaction begun and rolled
    /// back within the busy timeout) and SQLite's quick check must find it sound. Logs
    /// "Database open succeed", or a run-time error line with the reason (see openFailure).
    bool openForCheck(const QString& path);
    /// The first write: switches the database opened by openForCheck to WAL with
    /// synchronous=FULL, so that a statement that returned has reached the disk, and
    /// proves with a change rolled back that it can be written. Run it only once the
    /// structure has been checked. A failure is logged; the connection stays open.
    bool startWriting();
    /// openForCheck, then startWriting; the connection is closed again when either fails.
    bool open(const QString& path);
    OpenFailure openFailure() const { return openFailure_; }
    bool isOpen() const;
    const QString& path() const { return path_; }

    /// Closes the connection and logs "Database closed"; does nothing when none is open.
    void closeDatabase();

    /// Runs one statement. A failure is logged under label (unless silent) and tried
    /// again databaseRetry times, 10 ms apart. An empty statement gives false at once.
    bool execSQL(const QString& sql, const QString& label, bool silent = false,
                 const QVariantList& params = {});

    /// Runs a query and copies field of its first row into value. True when the query
    /// gave a row; a Null, or a value the target cannot hold, leaves value unchanged. A
    /// failing query gives false. Nothing is logged.
    bool getDBValue(const QString& sql, const QString& field, QVariant& value,
                    const QVariantList& params = {});
    bool getDBValue(const QString& sql, const QString& field, qint16& value, const QVariantList& params = {});
    bool getDBValue(const QString& sql, const QString& field, qint32& value, const QVariantList& params = {});
    bool getDBValue(const QString& sql, const QString& field, double& value, const QVariantList& params = {});
    bool getDBValue(const QString& sql, const QString& field, QString& value,
                    const QVariantList& params = {});
    /// True when the query gives at least one row.
    bool hasRows(const QString& sql, const QVariantList& params = {});

    /// Runs a query and hands its rows to row in order, then lets the statement go; a query
    /// with parameters is kept prepared for the next call (row must not run it again).
    /// False when the query fails.
    bool readRows(const QString& sql, const QVariantList& params,
                  const std::function<void(const QSqlQuery&)>& row);

    /// A forward-only query over the rows of sql, or nothing when it fails (see
    /// lastError). Finish with the query before the next change of the schema.
    std::optional<QSqlQuery> select(const QString& sql, const QVariantList& params = {});

    /// The error of the last statement or query that failed.
    const QSqlError& lastError() const { return lastError_; }
    /// The error number and text of the last failure as the log shows them.
    int lastErrorNumber() const;
    QString lastErrorDescription() const;
    /// "ADO error #" with the number, CRLF and the description of the last failure.
    QString getADOErrorText() const;

    /// The value as an SQL literal: a number as its digits, a text in single quotes with
    /// every quote doubled, anything else (Null, dates, Booleans) as the empty text.
    static QString sqlQuote(const QVariant& value);

    /// Names of the database's tables (system tables excluded); nothing when they cannot be read.
    std::optional<QStringList> tableNames() const;
    /// Columns of one table in their order; nothing when the table cannot be read.
    std::optional<QList<Column>> columns(const QString& table) const;

    /// Begins a write transaction: the write lock is taken here, waiting up to the busy
    /// timeout while another program holds it. False, with the reason in lastError, when it
    /// cannot be had (or a transaction is open already).
    bool beginTransaction();
    /// Ends the transaction; a failure leaves its reason in lastError.
    bool commit();
    bool rollback();
    /// Rolls back after a refused commit, whose reason stays lastError: the refusal may have
    /// ended the transaction already, and then the roll-back fails too.
    void rollbackRefusedCommit();
    /// A transaction begun here has not ended yet (commit or rollback).
    bool inTransaction() const { return inTransaction_; }

    /// How many statements execSQL has run (each attempt counts).
    qint64 executedStatements() const { return executedStatements_; }

    /// The current mark; an invalid one (never equal to a valid one) when no database is open.
    ChangeMark changeMark();

private:
    /// Runs a statement whose rows are read at once: kept prepared when it has parameters.
    std::optional<QSqlQuery> run(const QString& sql, const QVariantList& params);
    std::optional<QSqlQuery> runOnce(const QString& sql, const QVariantList& params);
    /// A statement prepared once and kept; each run binds new values. Only callers that read
    /// its rows at once use it, and reset it when done.
    std::optional<QSqlQuery> runKept(const QString& sql, const QVariantList& params);
    bool endTransaction(bool commit);
    std::optional<QVariant> firstValue(const QString& sql, const QString& field, const QVariantList& params);
    /// Logs the reason of a failed opening as a run-time error line and keeps it.
    bool refuseOpening(OpenFailure fallback);
    template <typename Integer>
    bool getIntegerValue(const QString& sql, const QString& field, Integer& value,
                         const QVariantList& params);

    Log& log_;
    Clock& clock_;
    QString connectionName_;
    QString path_;
    QSqlError lastError_;
    qint16 databaseRetry_ = 0;
    qint64 executedStatements_ = 0;
    int busyTimeoutMs_ = 5000;
    OpenFailure openFailure_ = OpenFailure::None;
    bool inTransaction_ = false;
    /// Statements and roll-backs through this connection: anything that may change data.
    qint64 ownChanges_ = 0;
    /// Prepared statements by their text.
    QHash<QString, QSqlQuery> kept_;
};

} // namespace qzc

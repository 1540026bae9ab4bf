#include "core/ScoreDb.h"

#include "core/Log.h"
#include "core/NumberText.h"
#include "platform/Clock.h"

#include <QMetaType>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QUuid>
#include <limits>

namespace qzc {

namespace {

const QString kOpenSource = QStringLiteral("Database - Open ADO");

// Prepared statements kept at most; the program runs a few dozen with parameters.
constexpr int maxKeptStatements = 128;
constexpr int retryPauseMs = 10;

// SQLite's primary result codes that tell why a database cannot be used.
constexpr int sqliteBusy = 5;
constexpr int sqliteLocked = 6;
constexpr int sqliteReadOnly = 8;
constexpr int sqliteCorrupt = 11;
constexpr int sqliteNotADatabase = 26;

ScoreDb::OpenFailure failureOfCode(int code, ScoreDb::OpenFailure fallback) {
    switch (code & 0xFF) {
    case sqliteBusy:
    case sqliteLocked:
        return ScoreDb::OpenFailure::InUse;
    case sqliteReadOnly:
        return ScoreDb::OpenFailure::ReadOnly;
    case sqliteCorrupt:
        return ScoreDb::OpenFailure::Damaged;
    case sqliteNotADatabase:
        return ScoreDb::OpenFailure::NotADatabase;
    default:
        return fallback;
    }
}

} // namespace

ScoreDb::ScoreDb(Log& log, Clock& clock)
    : log_(log), clock_(clock),
      connectionName_(QStringLiteral("qzc-scoredb-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

ScoreDb::~ScoreDb() {
    kept_.clear();
    if (QSqlDatabase::contains(connectionName_)) {
        QSqlDatabase::database(connectionName_, false).close();
        QSqlDatabase::removeDatabase(connectionName_);
    }
}

bool ScoreDb::refuseOpening(OpenFailure fallback) {
    openFailure_ = failureOfCode(lastErrorNumber(), fallback);
    log_.writeLog(lastErrorNumber(), lastErrorDescription(), kOpenSource, true);
    return false;
}

bool ScoreDb::openForCheck(const QString& path) {
    closeDatabase();
    openFailure_ = OpenFailure::None;
    // The one place that picks the driver: another backend would be chosen here.
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_));
        if (!db.open()) {
            lastError_ = db.lastError();
            refuseOpening(OpenFailure::Unusable);
        } else {
            QSqlQuery check(db);
            // SQLite opens any file lazily: the first statements show what it is. A write
            // transaction that another program holds makes this one wait its busy timeout
            // and fail, so the start-up ends at once instead of waiting on every statement.
            if (!check.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
                lastError_ = check.lastError();
                refuseOpening(OpenFailure::Unusable);
            } else if (!check.exec(QStringLiteral("ROLLBACK")) ||
                       !check.exec(QStringLiteral("PRAGMA quick_check"))) {
                lastError_ = check.lastError();
                refuseOpening(OpenFailure::Damaged);
            } else if (!check.next() ||
                       check.value(0).toString().compare(QStringLiteral("ok"), Qt::CaseInsensitive) != 0) {
                lastError_ = QSqlError(QString(), QStringLiteral("Quick check: ") + check.value(0).toString(),
                                       QSqlError::StatementError, QString::number(sqliteCorrupt));
                refuseOpening(OpenFailure::Damaged);
            } else {
                ok = true;
            }
        }
        if (!ok)
            db.close();
    }
    if (!ok) {
        QSqlDatabase::removeDatabase(connectionName_);
        return false;
    }
    path_ = path;
    log_.writeLog(0, QStringLiteral("Database open succeed"));
    return true;
}

bool ScoreDb::startWriting() {
    if (!isOpen()) {
        lastError_ = QSqlError(QString(), QStringLiteral("The score database is not open"),
                               QSqlError::ConnectionError);
        return refuseOpening(OpenFailure::Unusable);
    }
    QSqlQuery pragma(QSqlDatabase::database(connectionName_, false));
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !pragma.next()) {
        lastError_ = pragma.lastError();
        return refuseOpening(OpenFailure::Unusable);
    }
    if (pragma.value(0).toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0) {
        lastError_ = QSqlError(QString(), QStringLiteral("The file cannot be opened in WAL mode"),
                               QSqlError::ConnectionError);
        return refuseOpening(OpenFailure::Unusable);
    }
    if (!pragma.exec(QStringLiteral("PRAGMA synchronous=FULL")) ||
        !pragma.exec(QStringLiteral("PRAGMA user_version")) || !pragma.next()) {
        lastError_ = pragma.lastError();
        return refuseOpening(OpenFailure::Unusable);
    }
    // A change of the file's header, rolled back: a database that SQLite may only read
    // (file mode, read-only medium, a newer file format) refuses it here.
    const QString version = QString::number(pragma.value(0).toLongLong());
    pragma.finish();
    if (!pragma.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        lastError_ = pragma.lastError();
        return refuseOpening(OpenFailure::Unusable);
    }
    const bool written = pragma.exec(QStringLiteral("PRAGMA user_version=") + version);
    if (!written)
        lastError_ = pragma.lastError();
    pragma.exec(QStringLiteral("ROLLBACK"));
    if (!written)
        return refuseOpening(OpenFailure::ReadOnly);
    return true;
}

bool ScoreDb::open(const QString& path) {
    if (!openForCheck(path))
        return false;
    if (startWriting())
        return true;
    const OpenFailure failure = openFailure_;
    closeDatabase();
    openFailure_ = failure;
    return false;
}

bool ScoreDb::isOpen() const {
    return QSqlDatabase::contains(connectionName_) && QSqlDatabase::database(connectionName_, false).isOpen();
}

void ScoreDb::closeDatabase() {
    kept_.clear();
    // Memory read from this database never holds for the next one.
    ++ownChanges_;
    // Closing rolls back what is still open.
    inTransaction_ = false;
    if (!QSqlDatabase::contains(connectionName_))
        return;
    const bool wasOpen = QSqlDatabase::database(connectionName_, false).isOpen();
    QSqlDatabase::database(connectionName_, false).close();
    QSqlDatabase::removeDatabase(connectionName_);
    path_.clear();
    if (wasOpen)
        log_.writeLog(0, QStringLiteral("Database closed"));
}

std::optional<QSqlQuery> ScoreDb::run(const QString& sql, const QVariantList& params) {
    if (!params.isEmpty())
        return runKept(sql, params);
    return runOnce(sql, params);
}

std::optional<QSqlQuery> ScoreDb::runOnce(const QString& sql, const QVariantList& params) {
    if (!isOpen()) {
        lastError_ = QSqlError(QString(), QStringLiteral("The score database is not open"),
                               QSqlError::ConnectionError);
        return std::nullopt;
    }
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    bool ok;
    if (params.isEmpty()) {
        ok = query.exec(sql);
    } else {
        ok = query.prepare(sql);
        if (ok) {
            for (const QVariant& p : params)
                query.addBindValue(p);
            ok = query.exec();
        }
    }
    if (!ok) {
        lastError_ = query.lastError();
        return std::nullopt;
    }
    return query;
}

std::optional<QSqlQuery> ScoreDb::runKept(const QString& sql, const QVariantList& params) {
    if (!isOpen()) {
        lastError_ = QSqlError(QString(), QStringLiteral("The score database is not open"),
                               QSqlError::ConnectionError);
        return std::nullopt;
    }
    auto found = kept_.find(sql);
    if (found == kept_.end()) {
        if (kept_.size() >= maxKeptStatements)
            kept_.clear();
        QSqlQuery query(QSqlDatabase::database(connectionName_, false));
        query.setForwardOnly(true);
        if (!query.prepare(sql)) {
            lastError_ = query.lastError();
            return std::nullopt;
        }
        found = kept_.insert(sql, query);
    }
    QSqlQuery& query = found.value();
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params.at(i));
    if (!query.exec()) {
        lastError_ = query.lastError();
        query.finish();
        return std::nullopt;
    }
    return query;
}

bool ScoreDb::execSQL(const QString& sql, const QString& label, bool silent, const QVariantList& params) {
    if (sql.isEmpty())
        return false;
    int attempt = 0;
    do {
        ++attempt;
        if (attempt > 1)
            clock_.sleepMs(retryPauseMs);
        ++executedStatements_;
        ++ownChanges_;
        if (std::optional<QSqlQuery> done = run(sql, params)) {
            done->finish();
            return true;
        }
        if (silent)
            return false;
        log_.writeLog(lastErrorNumber(), lastErrorDescription(), label, true);
        log_.writeLog(0, getADOErrorText(), label, true);
    } while (attempt <= databaseRetry_);
    return false;
}

std::optional<QVariant> ScoreDb::firstValue(const QString& sql, const QString& field,
                                            const QVariantList& params) {
    std::optional<QSqlQuery> query = run(sql, params);
    if (!query)
        return std::nullopt;
    if (!query->next()) {
        query->finish();
        return std::nullopt;
    }
    QVariant value;
    if (!field.isEmpty()) {
        const int index = query->record().indexOf(field);
        if (index >= 0)
            value = query->value(index);
    }
    query->finish();
    return value;
}

bool ScoreDb::getDBValue(const QString& sql, const QString& field, QVariant& value,
                         const QVariantList& params) {
    const std::optional<QVariant> found = firstValue(sql, field, params);
    if (!found)
        return false;
    if (found->isValid())
        value = *found;
    return true;
}

bool ScoreDb::getDBValue(const QString& sql, const QString& field, qint16& value,
                         const QVariantList& params) {
    return getIntegerValue(sql, field, value, params);
}

bool ScoreDb::getDBValue(const QString& sql, const QString& field, qint32& value,
                         const QVariantList& params) {
    return getIntegerValue(sql, field, value, params);
}

template <typename Integer>
bool ScoreDb::getIntegerValue(const QString& sql, const QString& field, Integer& value,
                              const QVariantList& params) {
    const std::optional<QVariant> found = firstValue(sql, field, params);
    if (!found)
        return false;
    // A Null, a text that is no number or a number too large for the target leaves it as it was.
    bool ok = false;
    const qlonglong n = found->isNull() ? 0 : found->toLongLong(&ok);
    if (ok && n >= std::numeric_limits<Integer>::min() && n <= std::numeric_limits<Integer>::max())
        value = static_cast<Integer>(n);
    return true;
}

bool ScoreDb::getDBValue(const QString& sql, const QString& field, double& value,
                         const QVariantList& params) {
    const std::optional<QVariant> found = firstValue(sql, field, params);
    if (!found)
        return false;
    bool ok = false;
    const double d = found->isNull() ? 0 : found->toDouble(&ok);
    if (ok)
        value = d;
    return true;
}

bool ScoreDb::getDBValue(const QString& sql, const QString& field, QString& value,
                         const QVariantList& params) {
    const std::optional<QVariant> found = firstValue(sql, field, params);
    if (!found)
        return false;
    if (found->isValid() && !found->isNull())
        value = found->toString();
    return true;
}

bool ScoreDb::hasRows(const QString& sql, const QVariantList& params) {
    return firstValue(sql, QString(), params).has_value();
}

bool ScoreDb::readRows(const QString& sql, const QVariantList& params,
                       const std::function<void(const QSqlQuery&)>& row) {
    std::optional<QSqlQuery> query = run(sql, params);
    if (!query)
        return false;
    while (query->next())
        row(*query);
    query->finish();
    return true;
}

std::optional<QSqlQuery> ScoreDb::select(const QString& sql, const QVariantList& params) {
    // The caller reads the rows as long as it likes: a statement of its own.
    return runOnce(sql, params);
}

int ScoreDb::lastErrorNumber() const {
    bool ok = false;
    const int n = lastError_.nativeErrorCode().toInt(&ok);
    return ok ? n : 0;
}

QString ScoreDb::lastErrorDescription() const {
    const QString text = lastError_.databaseText();
    return text.isEmpty() ? lastError_.driverText() : text;
}

QString ScoreDb::getADOErrorText() const {
    if (lastError_.type() == QSqlError::NoError)
        return {};
    return QStringLiteral("ADO error #") + QString::number(lastErrorNumber()) + QStringLiteral("\r\n") +
           lastErrorDescription();
}

QString ScoreDb::sqlQuote(const QVariant& value) {
    if (value.isNull())
        return {};
    if (isNumberVariant(value)) {
        if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
            return QString::number(value.toDouble(), 'g', 15);
        return value.toString();
    }
    if (value.typeId() == QMetaType::QString) {
        QString text = value.toString();
        text.replace(QLatin1Char('\''), QStringLiteral("''"));
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    }
    return {};
}

std::optional<QStringList> ScoreDb::tableNames() const {
    if (!isOpen())
        return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    if (!query.exec(QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY name")))
        return std::nullopt;
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

std::optional<QList<ScoreDb::Column>> ScoreDb::columns(const QString& table) const {
    if (!isOpen())
        return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    QString quoted = table;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(quoted)))
        return std::nullopt;
    QList<Column> result;
    while (query.next())
        result.append(Column{query.value(1).toString(), query.value(2).toString().trimmed().toUpper()});
    if (result.isEmpty())
        return std::nullopt;
    return result;
}

bool ScoreDb::beginTransaction() {
    // The write lock at the start, where the busy timeout applies: a transaction that read
    // before it wrote would be refused the lock at once while another program writes.
    std::optional<QSqlQuery> begun = runOnce(QStringLiteral("BEGIN IMMEDIATE"), {});
    if (!begun)
        return false;
    begun->finish();
    inTransaction_ = true;
    return true;
}

bool ScoreDb::commit() {
    const bool committed = endTransaction(true);
    inTransaction_ = inTransaction_ && !committed;
    return committed;
}

bool ScoreDb::rollback() {
    // What was read inside the transaction no longer holds.
    ++ownChanges_;
    inTransaction_ = false;
    return endTransaction(false);
}

bool ScoreDb::endTransaction(bool commit) {
    if (!isOpen()) {
        lastError_ = QSqlError(QString(), QStringLiteral("The score database is not open"),
                               QSqlError::ConnectionError);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    if (commit ? db.commit() : db.rollback())
        return true;
    lastError_ = db.lastError();
    return false;
}

void ScoreDb::rollbackRefusedCommit() {
    const QSqlError refused = lastError_;
    rollback();
    lastError_ = refused;
}

ScoreDb::ChangeMark ScoreDb::changeMark() {
    std::optional<QSqlQuery> query = runKept(QStringLiteral("PRAGMA data_version"), {});
    if (!query)
        return {};
    const qint64 other = query->next() ? query->value(0).toLongLong() : -1;
    // A statement left open would hold its read snapshot.
    query->finish();
    return {ownChanges_, other};
}

} // namespace qzc

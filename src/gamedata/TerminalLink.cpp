// The binding of terminals to tables: custom_qz_TQZ rows and the login flag Tables.LogOnOff.
#include "core/DbTransaction.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/FieldValues.h"
#include "gamedata/GameData.h"

#include <QSqlQuery>
#include <algorithm>

namespace qzc {

namespace {

const QString kRegisterLabel = QStringLiteral("Database - register TQZ");
const QString kLoginLabel = QStringLiteral("Database - markTQZno");
const QString kBindLabel = QStringLiteral("Database - mark TQZ table number");
const QString kClearLabel = QStringLiteral("Database - clear table login");

QString number(qint64 n) {
    return QString::number(n);
}

QString whereTable(qint16 sectionId, qint16 table) {
    return QStringLiteral("Section=") + number(sectionId) + QStringLiteral(" AND [Table]=") + number(table);
}

} // namespace

// ResultGot of the table's terminal becomes the count of its stored results, all rounds.
std::optional<qint32> GameData::refreshResultGot(qint16 sectionId, qint16 table, const QString& label) {
    const QString where = QStringLiteral(" WHERE Section=? AND [Table]=?");
    const QVariantList tableValues{int{sectionId}, int{table}};
    qint32 count = 0;
    if (!db_.getDBValue(QStringLiteral("SELECT COUNT(Board) AS resultcnt FROM ReceivedData") + where +
                            QStringLiteral(" AND NOT Erased"),
                        QStringLiteral("resultcnt"), count, tableValues))
        return std::nullopt;
    if (!db_.execSQL(QStringLiteral("UPDATE custom_qz_TQZ SET ResultGot=?") + where, label, false,
                     QVariantList{count} + tableValues))
        return std::nullopt;
    return count;
}

bool GameData::registerTQZ(qint32 tqzId, qint16 versionMajor, qint16 versionMinor) {
    const QString id = number(tqzId);
    const bool known = db_.hasRows(QStringLiteral("SELECT TQZ_ID FROM custom_qz_TQZ WHERE TQZ_ID=") + id);
    const QString sql =
        known ? QStringLiteral(
                    "UPDATE custom_qz_TQZ SET Section=0, [Table]=0,ResultExpected=0,ResultGot=0,Lock=0"
                    ",VersionMajor=") +
                    number(versionMajor) + QStringLiteral(",VersionMinor=") + number(versionMinor) +
                    QStringLiteral(" WHERE TQZ_ID=") + id
              : QStringLiteral(
                    "INSERT INTO custom_qz_TQZ "
                    "(TQZ_ID,Section,[Table],ResultExpected,ResultGot,VersionMajor,VersionMinor,Lock) "
                    "VALUES (") +
                    id + QStringLiteral(",0,0,0,0,") + number(versionMajor) + QLatin1Char(',') +
                    number(versionMinor) + QStringLiteral(",0)");
    if (!db_.execSQL(sql, kRegisterLabel)) {
        logDbError(kRegisterLabel);
        return false;
    }
    // 3.20 reads "3.2", 2.05 "2.05".
    const QString version = QString::number(versionMajor + versionMinor / 100.0, 'g', 15);
    log_.writeLog(0, QStringLiteral("register TQZ ") + id + QStringLiteral(" of v") + version);
    return true;
}

qint16 GameData::markTQZno(const QString& tableId, bool force) {
    log_.writeLog(0, QStringLiteral("Login Table ") + tableId);
    const qint16 sectionId = getSectionID(tableIdLetter(tableId));
    const qint16 table = tableIdNumber(tableId);
    // With one section the table number alone names the table. Whether another section
    // exists is asked by the statement itself: the scoring program may add one while the
    // login waits for the write lock.
    const QString condition = QStringLiteral("[Table]=") + number(table) + QStringLiteral(" AND (Section=") +
                              number(sectionId) +
                              QStringLiteral(" OR NOT EXISTS (SELECT ID FROM Section WHERE ID<>") +
                              number(sectionId) + QStringLiteral("))");

    qint16 logOnOff = 0;
    if (!db_.getDBValue(QStringLiteral("SELECT LogOnOff FROM Tables WHERE ") + condition +
                            QStringLiteral(" ORDER BY Section ASC"),
                        QStringLiteral("LogOnOff"), logOnOff))
        return tableUnknown;
    if (!isTableInSection(tableId))
        return tableUnknown;

    bool loggedIn = logOnOff != 2;
    if (loggedIn) {
        // Logged in counts only while a terminal holds the table locked.
        qint16 lock = 0;
        const bool bound =
            db_.getDBValue(QStringLiteral("SELECT Lock FROM custom_qz_TQZ WHERE ") +
                               whereTable(sectionId, table) + QStringLiteral(" ORDER BY Lock DESC"),
                           QStringLiteral("Lock"), lock);
        loggedIn = bound && lock != 0;
    }
    if (!force && loggedIn)
        return tableBusy;
    if (!db_.execSQL(QStringLiteral("UPDATE Tables SET LogOnOff=1 WHERE ") + condition, kLoginLabel)) {
        logDbError(kLoginLabel);
        return loginFailed;
    }
    return loginGranted;
}

bool GameData::isTableInSection(const QString& tableId) const {
    const SectionRecord* section = findSection(getSectionID(tableIdLetter(tableId)));
    return section && section->tableNumbers.contains(tableIdNumber(tableId));
}

bool GameData::markTQZTableNo(qint32 tqzId, const QString& tableId, bool force, qint16 versionMajor) {
    log_.writeLog(0, QStringLiteral("Mark Table and TQZ"));
    const QString id = number(tqzId);
    const qint16 sectionId = getSectionID(tableIdLetter(tableId));
    const qint16 table = tableIdNumber(tableId);
    const QString where = whereTable(sectionId, table);
    if (!force) {
        // Another terminal holds the table: any bound one for the older firmware, from
        // firmware 3 on only a locked one.
        const QString held = QStringLiteral("SELECT TQZ_ID FROM custom_qz_TQZ WHERE ") + where +
                             QStringLiteral(" AND TQZ_ID>0 AND TQZ_ID<>") + id +
                             (versionMajor >= 3 ? QStringLiteral(" AND Lock=1") : QString());
        if (db_.hasRows(held))
            return false;
    }

    // Unbinding the table's other terminals, logging off the table this one leaves and
    // binding it stand or fall together.
    DbTransaction transaction(db_);
    auto fail = [this] {
        logDbError(kBindLabel);
        return false;
    };
    if (!transaction.isActive() || !clearTableLogin(sectionId, table, false))
        return fail();
    std::optional<QSqlQuery> current =
        db_.select(QStringLiteral("SELECT Section, [Table] FROM custom_qz_TQZ WHERE TQZ_ID=") + id);
    if (!current)
        return fail();
    const bool known = current->next();
    const qint16 oldSection = known ? fields::toInt16(current->value(0)).value_or(0) : 0;
    const qint16 oldTable = known ? fields::toInt16(current->value(1)).value_or(0) : 0;
    current.reset();
    if (oldSection > 0 && oldTable > 0 && !clearTableLogin(oldSection, oldTable, true))
        return fail();
    const QString bind =
        known ? QStringLiteral("UPDATE custom_qz_TQZ SET Section=") + number(sectionId) +
                    QStringLiteral(",[Table]=") + number(table) +
                    QStringLiteral(",ResultExpected=0,ResultGot=0,Lock=0 WHERE TQZ_ID=") + id
              : QStringLiteral(
                    "INSERT INTO custom_qz_TQZ "
                    "(TQZ_ID,Section,[Table],ResultExpected,ResultGot,VersionMajor,VersionMinor,Lock) "
                    "VALUES (") +
                    id + QLatin1Char(',') + number(sectionId) + QLatin1Char(',') + number(table) +
                    QStringLiteral(",0,0,0,0,0)");
    if (!db_.execSQL(bind, kBindLabel))
        return fail();

    const qint32 expected = resultsExpected(sectionId, table, roundsPlayed(sectionId));
    db_.execSQL(QStringLiteral("UPDATE custom_qz_TQZ SET ResultExpected=") + number(expected) +
                    QStringLiteral(" WHERE ") + where,
                QStringLiteral("Setup result expected"));
    refreshResultGot(sectionId, table, QStringLiteral("Refresh result got"));
    if (!transaction.commit())
        return fail();
    return true;
}

bool GameData::clearTableLogin(const QString& tableId, bool logOff) {
    return clearTableLogin(getSectionID(tableIdLetter(tableId)), tableIdNumber(tableId), logOff);
}

bool GameData::clearTableLogin(qint16 sectionId, qint16 table, bool logOff) {
    const QString where = whereTable(sectionId, table);
    if (logOff && !db_.execSQL(QStringLiteral("UPDATE Tables SET LogOnOff=2 WHERE ") + where, kClearLabel))
        return false;
    return db_.execSQL(
        QStringLiteral(
            "UPDATE custom_qz_TQZ SET Section=0,[Table]=0,ResultExpected=0,ResultGot=0,Lock=0 WHERE ") +
            where,
        kClearLabel);
}

bool GameData::lockTQZTable(const QString& tableId) {
    const qint16 sectionId = getSectionID(tableIdLetter(tableId));
    const qint16 table = tableIdNumber(tableId);
    const ScoreDb::ChangeMark before = db_.changeMark();
    bool unlocked = false;
    if (const std::vector<TerminalRows::Row>* rows = terminalRows_.at(before)) {
        unlocked = std::any_of(rows->begin(), rows->end(), [&](const TerminalRows::Row& row) {
            return row.isTable(sectionId, table) && row.lock == 0;
        });
    } else {
        unlocked = db_.hasRows(QStringLiteral("SELECT Lock FROM custom_qz_TQZ WHERE ") +
                               whereTable(sectionId, table) + QStringLiteral(" AND Lock=0"));
    }
    if (!unlocked)
        return true;
    log_.writeLog(0, QStringLiteral("Lock table association: ") + tableId);
    if (db_.execSQL(QStringLiteral("UPDATE custom_qz_TQZ SET Lock=1 WHERE ") + whereTable(sectionId, table),
                    QStringLiteral("Lock TQZ and table"))) {
        const ScoreDb::ChangeMark after = db_.changeMark();
        terminalRows_.changedTable(sectionId, table, before, after,
                                   [](TerminalRows::Row& row) { row.lock = 1; });
        progress_.unrelatedChange(before, after);
    }
    return true;
}

TerminalBinding GameData::getTQZTableLabel(qint32 tqzId) {
    TerminalBinding binding;
    const std::vector<TerminalRows::Row>* rows = terminalRows_.at(db_.changeMark());
    if (!rows) {
        logDbError(QStringLiteral("Database - getTQZtable"));
        return binding;
    }
    // The first row of the terminal that names a section gives the table, the first row
    // of all the version.
    bool labelled = false;
    bool versioned = false;
    for (const TerminalRows::Row& row : *rows) {
        if (row.id != tqzId)
            continue;
        if (!versioned) {
            binding.versionMajor = fields::toInt16(row.versionMajor).value_or(0);
            binding.versionMinor = fields::toInt16(row.versionMinor).value_or(0);
            versioned = true;
        }
        if (!labelled && row.sectionFound) {
            const std::optional<qint16> tableNo = fields::toInt16(row.tableValue);
            if (!row.letters.isNull() && tableNo)
                binding.tableId = row.letters.toString().trimmed() + number(*tableNo);
            labelled = true;
        }
        if (labelled)
            break;
    }
    return binding;
}

TerminalCompletion GameData::countCompleteTerminals() {
    TerminalCompletion completion;
    const std::vector<TerminalRows::Row>* rows = terminalRows_.at(db_.changeMark());
    if (!rows)
        return completion;
    for (const TerminalRows::Row& row : *rows) {
        const bool bound = row.section > 0 && row.table > 0 && row.id > 0;
        if (!bound || !(row.expected > 0))
            continue;
        ++completion.expecting;
        if (row.got && *row.got >= *row.expected)
            ++completion.complete;
    }
    return completion;
}

} // namespace qzc

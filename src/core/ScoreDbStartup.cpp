#include "core/ScoreDbStartup.h"

#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/ScoreDb.h"
#include "core/ScoreDbDataCheck.h"
#include "core/ScoreDbSchema.h"
#include "core/SharedTables.h"

#include <QFileInfo>

namespace qzc {

namespace {

// A folder that exists (a plain file of that name is accepted too), with its "/", or
// fallback when there is none.
QString existingFolderOr(const QString& folder, const QString& fallback) {
    return QFileInfo::exists(folder) ? folder + QLatin1Char('/') : fallback;
}

QString openingReason(ScoreDb::OpenFailure failure, const QString& description) {
    switch (failure) {
    case ScoreDb::OpenFailure::NotADatabase:
        return QStringLiteral("The file is not a score database.");
    case ScoreDb::OpenFailure::InUse:
        return QStringLiteral("The score database is in use by another program.");
    case ScoreDb::OpenFailure::ReadOnly:
        return QStringLiteral("The score database is read-only.");
    case ScoreDb::OpenFailure::Damaged:
        return QStringLiteral("The score database is damaged.");
    case ScoreDb::OpenFailure::None:
    case ScoreDb::OpenFailure::Unusable:
        break;
    }
    return QStringLiteral("The score database cannot be opened: ") + description;
}

// Why the structure check refused the database: none of the shared tables (an empty
// file, or one whose catalog cannot be read), or the first required table that it lacks.
QString structureReason(const TablePresence& present) {
    QString missing;
    bool anyShared = false;
    for (int i = 1; i <= sharedTableCount; ++i) {
        const auto table = static_cast<SharedTable>(i);
        anyShared = anyShared || present.present(table);
        if (missing.isEmpty() && isRequiredTable(table) && !present.present(table))
            missing = sharedTableName(table);
    }
    if (!anyShared)
        return QStringLiteral("The file is not a score database.");
    return QStringLiteral("The table ") + missing + QStringLiteral(" is missing in the score database.");
}

} // namespace

void ScoreDbStartup::fixEventNames() {
    const qsizetype p = event_.scoreDbPath.lastIndexOf(QLatin1Char('/'));
    event_.scoreDbFolder = p < 0 ? config_.appFolder : event_.scoreDbPath.left(p + 1);
    QString fileName = QStringLiteral("Bridge_game");
    if (p >= 0)
        fileName = event_.scoreDbPath.mid(p + 1).section(QLatin1Char('.'), 0, 0);
    event_.eventName = config_.eventName.isEmpty() ? fileName : config_.eventName;
    event_.eventFileName = fileName.replace(QLatin1Char(' '), QLatin1Char('_'));
}

void ScoreDbStartup::fixEventFolders() {
    event_.eventPath = existingFolderOr(config_.eventsFolder + event_.eventName, event_.scoreDbFolder);
    event_.eventDataPath = existingFolderOr(event_.eventPath + QStringLiteral("data"), event_.scoreDbFolder);
    event_.eventDumpPath = existingFolderOr(event_.eventPath + QStringLiteral("dump"), event_.scoreDbFolder);
}

void ScoreDbStartup::logStartupBlock() {
    const std::pair<const char*, QString> lines[] = {
        {"", getVersionText()},
        {"Trace level: ", QString::number(config_.traceLevel)},
        {"Command line argument:", commandLine_},
        {"Score database:", event_.scoreDbPath},
        {"ORV path:", config_.orvFolder},
        {"Registry key, qzcpath:", config_.qzcPath},
        {"Kestrow path:", config_.kestrowFolder},
        {"Handrecords path:", config_.handrecordsFolder},
        {"Events path:", config_.eventsFolder},
        {"Event name:", event_.eventName},
        {"Event path:", event_.eventPath},
        {"Event data path:", event_.eventDataPath},
        {"Event dump path:", event_.eventDumpPath},
        {"Language for Help file:", config_.helpLanguage},
    };
    for (const auto& [text, value] : lines)
        log_.writeLog(0, QString::fromLatin1(text) + value);
}

bool ScoreDbStartup::fail(const QString& reason) {
    failureReason_ = reason;
    return false;
}

bool ScoreDbStartup::DB_Initialize() {
    event_.tablePresent.clear();
    event_.ownScoresInLine = {};
    failureReason_.clear();

    event_.scoreDbPath =
        config_.scoreDbArg.isEmpty() ? config_.readMain(QStringLiteral("ScoreDBPath")) : config_.scoreDbArg;
    // A path from the ini file may use Windows separators.
    event_.scoreDbPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (event_.scoreDbPath.isEmpty())
        return fail(QStringLiteral("No score database file is given."));
    if (!QFileInfo(event_.scoreDbPath).isFile()) {
        messages_.showStandardMsg(QStringLiteral("Game file is not found, ") + event_.scoreDbPath,
                                  Config::appTitle, MessageBox::StandardIcon::None);
        return fail(QStringLiteral("The score database file does not exist."));
    }

    fixEventNames();
    log_.setFilePath(event_.logFilePath());
    if (!QFileInfo::exists(event_.logFilePath()))
        event_.isNewEvent = true;
    fixEventFolders();
    logStartupBlock();

    event_.dumpFolder = event_.eventDumpPath;
    event_.dataFolder = event_.eventDataPath;
    event_.kestrowProgram = config_.kestrowFolder + QStringLiteral("Kestrow.exe");
    event_.handrecordsProgram = config_.handrecordsFolder + QStringLiteral("handrecords.exe");

    if (!db_.openForCheck(event_.scoreDbPath))
        return fail(openingReason(db_.openFailure(), db_.lastErrorDescription()));
    ScoreDbSchema schema(db_, log_);
    if (!schema.checkscoreDB(event_.tablePresent))
        return fail(structureReason(event_.tablePresent));
    log_.writeLog(0, QStringLiteral("Score database structure: ok"));
    // Only now is anything written to the file, beginning with its journal mode.
    if (!db_.startWriting())
        return fail(openingReason(db_.openFailure(), db_.lastErrorDescription()));

    if (!schema.IntegrateScoreDB())
        return fail(QStringLiteral("The program's own tables and columns cannot be added to the score "
                                   "database."));
    schema.createIndexes(event_.tablePresent);
    log_.writeLog(0, QStringLiteral("Score database intergation: ok"));

    for (int i = 1; i <= sharedTableCount; ++i) {
        const auto table = static_cast<SharedTable>(i);
        log_.writeLog(0, QStringLiteral("Table ") + sharedTableName(table) +
                             (event_.tablePresent.present(table) ? QStringLiteral(" found")
                                                                 : QStringLiteral(" not found")));
    }

    ScoreDbDataCheck check(db_, log_, messages_);
    if (!check.checkDBData(event_.bandedPairNumbering))
        return fail(check.failureReason());
    if (!check.repairResults())
        return fail(QStringLiteral("The scores of the stored results cannot be written to the score "
                                   "database."));
    event_.ownScoresInLine = check.ownScoresInLine();

    log_.writeLog(0, QStringLiteral("Score database data verification: ok"));
    return true;
}

} // namespace qzc

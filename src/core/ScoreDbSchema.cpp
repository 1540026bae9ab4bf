#include "core/ScoreDbSchema.h"

#include "core/Log.h"
#include "core/ScoreDb.h"

#include <QSet>
#include <optional>
#include <span>

namespace qzc {

namespace {

const QString kIntegrateLabel = QStringLiteral("Database - IntegrateScoreDB ");
const QString kIntegrateSource = QStringLiteral("Database - IntegrateScoreDB");

struct OwnColumn {
    const char* name;
    const char* type;
};

// An added yes/no column holds 0 in the rows already there, as a yes/no column never
// holds Null.
constexpr OwnColumn tqzColumns[] = {{"ResultExpected", "INTEGER"},
                                    {"ResultGot", "INTEGER"},
                                    {"VersionMajor", "INTEGER"},
                                    {"VersionMinor", "INTEGER"},
                                    {"Lock", "INTEGER"}};
constexpr OwnColumn pinColumns[] = {{"Section", "INTEGER"}};
constexpr OwnColumn settingsColumns[] = {{"custom_qz_shownames", "INTEGER"},
                                         {"custom_qz_gametype", "INTEGER"},
                                         {"custom_qz_topranking", "INTEGER"},
                                         {"custom_qz_showgoto", "INTEGER"},
                                         {"custom_qz_askpincode", "INTEGER"},
                                         {"custom_qz_askdeal", "INTEGER"},
                                         {"custom_qz_askbid", "INTEGER"},
                                         {"custom_qz_askplay", "INTEGER"},
                                         {"custom_qz_scoringtype", "INTEGER"},
                                         {"custom_qz_scoreacrosspair", "INTEGER"},
                                         {"custom_qz_tdpin", "TEXT(255)"},
                                         {"custom_qz_feedbackstyle", "INTEGER"},
                                         {"custom_qz_recapresult", "INTEGER"},
                                         {"custom_qz_roundsummary", "INTEGER"},
                                         {"custom_qz_permitresultchange", "INTEGER"},
                                         {"custom_qz_askplayerid", "INTEGER"},
                                         {"custom_qz_asklead", "INTEGER"},
                                         {"custom_qz_inputmethod", "INTEGER"},
                                         {"custom_qz_askconfirmation", "INTEGER"},
                                         {"custom_qz_includedeal", "INTEGER"},
                                         {"custom_qz_rotatedirections", "INTEGER"},
                                         {"custom_qz_overridedefault", "INTEGER"},
                                         {"custom_qz_pointtodeclarer", "INTEGER"},
                                         {"custom_qz_skipcheckIDexist", "INTEGER"},
                                         {"custom_qz_autowebpublish", "INTEGER"},
                                         {"custom_qz_includemakable", "INTEGER"},
                                         {"custom_qz_makableformat", "INTEGER"},
                                         {"custom_qz_showboardmatrix", "INTEGER"}};
constexpr OwnColumn receivedDataColumns[] = {{"custom_qz_score", "INTEGER"},
                                             {"custom_qz_declarer", "TEXT(2)"},
                                             {"South", "INTEGER"},
                                             {"West", "INTEGER"},
                                             {"custom_qz_scalepoint", "DOUBLE"},
                                             {"custom_qz_scalepointmax", "INTEGER"},
                                             {"custom_qz_firstid", "INTEGER"}};
constexpr OwnColumn roundDataColumns[] = {
    {"CustomBoards", "TEXT(255)"}, {"South", "INTEGER"}, {"West", "INTEGER"}};
constexpr OwnColumn tablesColumns[] = {{"custom_qz_flagSettingChanged", "INTEGER"},
                                       {"custom_qz_movementLoaded", "INTEGER"},
                                       {"custom_qz_roundNameSent", "INTEGER"},
                                       {"custom_qz_roundNameSentTime", "DATETIME"},
                                       {"custom_qz_loadsetup", "INTEGER"}};
constexpr OwnColumn sectionColumns[] = {{"custom_qz_StanazBeginGameRound", "INTEGER"},
                                        {"custom_qz_StanazEdgeGameRound", "INTEGER"},
                                        {"custom_qz_UFRmode", "INTEGER"}};
constexpr OwnColumn playerNumbersColumns[] = {{"custom_qz_names", "TEXT(20)"},
                                              {"Updated", "YESNO NOT NULL DEFAULT 0"},
                                              {"custom_qz_pair", "INTEGER"},
                                              {"TimeLog", "DATETIME"},
                                              {"name", "TEXT(20)"}};

// The program's indexes on its lookups; no column of a shared table changes.
struct OwnIndex {
    const char* name;
    const char* table;
    const char* columns;
    /// The shared table that must be present; none for the program's own table.
    std::optional<SharedTable> shared;
};
const OwnIndex ownIndexes[] = {
    // One table's results (storing, counting, the stored results) and deal entry.
    {"qzc_ReceivedData_table", "ReceivedData", "Section, [Table], Board", SharedTable::ReceivedData},
    // One board's results (feedback, scales, ranking, result files).
    {"qzc_ReceivedData_board", "ReceivedData", "Board, Section", SharedTable::ReceivedData},
    // The movement of a section or table, in its order.
    {"qzc_RoundData_table", "RoundData", "Section, [Table], Round", SharedTable::RoundData},
    // A section's rounds (its last round, the tables of a round).
    {"qzc_RoundData_round", "RoundData", "Section, Round", SharedTable::RoundData},
    {"qzc_Tables_table", "Tables", "Section, [Table]", SharedTable::Tables},
    {"qzc_HandRecord_board", "HandRecord", "Section, Board", SharedTable::HandRecord},
    // One table's auction and play of a board, in their order (the last call or card stored).
    {"qzc_BiddingData_board", "BiddingData", "Section, [Table], Round, Board, Counter",
     SharedTable::BiddingData},
    {"qzc_PlayData_board", "PlayData", "Section, [Table], Round, Board, Counter", SharedTable::PlayData},
    // The registered players of a pair (the result file's contestants).
    {"qzc_PlayerNumbers_pair", "PlayerNumbers", "Section, custom_qz_pair", SharedTable::PlayerNumbers},
    // The terminal of a table.
    {"qzc_TQZ_table", "custom_qz_TQZ", "Section, [Table]", std::nullopt},
};

struct OwnColumnsOf {
    const char* table;
    std::span<const OwnColumn> columns;
};

// The shared tables that get own columns, in the order in which they are integrated.
const OwnColumnsOf sharedTablesWithOwnColumns[] = {{"ReceivedData", receivedDataColumns},
                                                   {"RoundData", roundDataColumns},
                                                   {"Tables", tablesColumns},
                                                   {"Section", sectionColumns},
                                                   {"PlayerNumbers", playerNumbersColumns}};

const char* const kCreateTqz = "CREATE TABLE custom_qz_TQZ(TQZ_ID INTEGER,Section INTEGER,[Table] "
                               "INTEGER,ResultExpected INTEGER,ResultGot INTEGER,VersionMajor "
                               "INTEGER,VersionMinor INTEGER,Lock INTEGER)";
const char* const kCreatePin =
    "CREATE TABLE custom_qz_PlayerPIN(Section INTEGER, Pair INTEGER,Direction TEXT(2),PIN TEXT(4))";
const char* const kCreateSettings =
    "CREATE TABLE custom_qz_Settings(custom_qz_roundboard INTEGER,custom_qz_totalboard "
    "INTEGER,custom_qz_gamekey TEXT(1),custom_qz_topranking INTEGER, custom_qz_feedbackstyle "
    "INTEGER,custom_qz_showgoto INTEGER,custom_qz_askpincode INTEGER,custom_qz_askdeal "
    "INTEGER,custom_qz_tdpin TEXT(4), custom_qz_scoreacrosspair INTEGER, custom_qz_scoringtype "
    "INTEGER,custom_qz_gametype INTEGER,custom_qz_recapresult INTEGER,custom_qz_roundsummary "
    "INTEGER,custom_qz_permitresultchange INTEGER,custom_qz_askbid INTEGER, custom_qz_askplay "
    "INTEGER,custom_qz_shownames INTEGER, custom_qz_askplayerid INTEGER, custom_qz_asklead "
    "INTEGER,custom_qz_inputmethod INTEGER, custom_qz_askconfirmation INTEGER,custom_qz_includedeal "
    "INTEGER, custom_qz_rotatedirections INTEGER,custom_qz_overridedefault "
    "INTEGER,custom_qz_pointtodeclarer INTEGER,custom_qz_skipcheckIDexist "
    "INTEGER,custom_qz_autowebpublish INTEGER,custom_qz_includemakable "
    "INTEGER,custom_qz_makableformat INTEGER,custom_qz_showboardmatrix INTEGER)";
const char* const kInsertSettingsRow =
    "INSERT INTO custom_qz_Settings "
    "(custom_qz_roundboard,custom_qz_totalboard,custom_qz_gamekey,custom_qz_topranking,custom_qz_"
    "feedbackstyle,custom_qz_showgoto,custom_qz_askpincode,custom_qz_askdeal,custom_qz_tdpin,custom_"
    "qz_scoreacrosspair,custom_qz_scoringtype,custom_qz_gametype,custom_qz_recapresult,custom_qz_"
    "roundsummary,custom_qz_permitresultchange,custom_qz_askbid,custom_qz_askplay,custom_qz_"
    "shownames,custom_qz_askplayerid,custom_qz_asklead,custom_qz_inputmethod,custom_qz_"
    "askconfirmation,custom_qz_includedeal,custom_qz_rotatedirections,custom_qz_overridedefault,"
    "custom_qz_pointtodeclarer,custom_qz_skipcheckIDexist,custom_qz_autowebpublish,custom_qz_"
    "includemakable,custom_qz_makableformat,custom_qz_showboardmatrix) VALUES "
    "(0,0,'',0,0,0,0,0,'',0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0)";

QSet<QString> upperNames(const QStringList& names) {
    QSet<QString> set;
    for (const QString& name : names)
        set.insert(name.toUpper());
    return set;
}

} // namespace

void ScoreDbSchema::createIndexes(const TablePresence& present) {
    for (const OwnIndex& index : ownIndexes) {
        if (index.shared && !present.present(*index.shared))
            continue;
        db_.execSQL(QStringLiteral("CREATE INDEX IF NOT EXISTS ") + QLatin1String(index.name) +
                        QStringLiteral(" ON [") + QLatin1String(index.table) + QStringLiteral("] (") +
                        QLatin1String(index.columns) + QLatin1Char(')'),
                    QStringLiteral("Database - create indexes"));
    }
}

bool ScoreDbSchema::checkscoreDB(TablePresence& present) {
    present.clear();
    const std::optional<QStringList> tables = db_.tableNames();
    if (!tables) {
        log_.writeLog(9001, QString(), QStringLiteral("Database - checkscoreDB"));
        return false;
    }
    const QSet<QString> names = upperNames(*tables);
    for (int i = 1; i <= sharedTableCount; ++i) {
        const auto table = static_cast<SharedTable>(i);
        present.set(table, names.contains(sharedTableName(table).toUpper()));
    }
    for (int i = 1; i <= sharedTableCount; ++i) {
        const auto table = static_cast<SharedTable>(i);
        if (isRequiredTable(table) && !present.present(table)) {
            log_.writeLog(0, QStringLiteral("Required table is missing in the score database"));
            return false;
        }
    }
    return true;
}

bool ScoreDbSchema::IntegrateScoreDB() {
    auto fail = [this](const QString& description) {
        log_.writeLog(9002, description, kIntegrateSource);
        return false;
    };
    auto exec = [this](const QString& sql) {
        return db_.execSQL(sql, kIntegrateLabel);
    };
    // Adds the tested columns that table lacks, in their order.
    auto addMissing = [&](const QString& table, std::span<const OwnColumn> tested) -> bool {
        const auto columns = db_.columns(table);
        if (!columns)
            return fail(QStringLiteral("Table %1 cannot be read").arg(table));
        QStringList names;
        for (const ScoreDb::Column& column : *columns)
            names << column.name;
        const QSet<QString> present = upperNames(names);
        for (const OwnColumn& column : tested) {
            const QString name = QString::fromLatin1(column.name);
            if (present.contains(name.toUpper()))
                continue;
            if (!exec(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD ") + name +
                      QLatin1Char(' ') + QString::fromLatin1(column.type)))
                return fail(db_.lastErrorDescription());
        }
        return true;
    };

    const std::optional<QStringList> tables = db_.tableNames();
    if (!tables)
        return fail(db_.lastErrorDescription());
    const QSet<QString> names = upperNames(*tables);

    if (!names.contains(QStringLiteral("CUSTOM_QZ_TQZ"))) {
        if (!exec(QString::fromLatin1(kCreateTqz)))
            return fail(db_.lastErrorDescription());
    } else if (!addMissing(QStringLiteral("custom_qz_TQZ"), tqzColumns)) {
        return false;
    }

    if (!names.contains(QStringLiteral("CUSTOM_QZ_PLAYERPIN"))) {
        if (!exec(QString::fromLatin1(kCreatePin)))
            return fail(db_.lastErrorDescription());
    } else if (!addMissing(QStringLiteral("custom_qz_PlayerPIN"), pinColumns)) {
        return false;
    }

    if (!names.contains(QStringLiteral("CUSTOM_QZ_SETTINGS"))) {
        if (!exec(QString::fromLatin1(kCreateSettings)) || !exec(QString::fromLatin1(kInsertSettingsRow)))
            return fail(db_.lastErrorDescription());
    } else if (!addMissing(QStringLiteral("custom_qz_Settings"), settingsColumns)) {
        return false;
    }

    for (const OwnColumnsOf& shared : sharedTablesWithOwnColumns) {
        if (!addMissing(QString::fromLatin1(shared.table), shared.columns))
            return false;
    }
    return true;
}

} // namespace qzc

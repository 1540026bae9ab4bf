#include "core/ScoreDbSchema.h"

#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/Fixtures.h"

#include <QHash>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using namespace Qt::StringLiterals;

using test::EventBuilder;
using test::EventHarness;

QHash<QString, QString> declaredTypes(ScoreDb& db, const QString& table) {
    QHash<QString, QString> types;
    for (const ScoreDb::Column& c : db.columns(table).value_or(QList<ScoreDb::Column>{}))
        types.insert(c.name, c.declaredType);
    return types;
}

TEST(ScoreDbSchemaTest, CheckFindsTablesWithoutRegardToCaseAndNeedsTheRequiredOnes) {
    struct Case {
        const char* name;
        std::function<void(ScoreDb&)> change;
        bool expected;
        QList<SharedTable> present;
    };
    const QList<SharedTable> usual = {
        SharedTable::BiddingData,  SharedTable::PlayData,         SharedTable::Clients,
        SharedTable::HandRecord,   SharedTable::IntermediateData, SharedTable::PlayerNumbers,
        SharedTable::ReceivedData, SharedTable::RoundData,        SharedTable::Section,
        SharedTable::Settings,     SharedTable::Tables,           SharedTable::PlayerNames};
    auto without = [&usual](std::initializer_list<SharedTable> gone) {
        QList<SharedTable> list = usual;
        for (SharedTable t : gone)
            list.removeAll(t);
        return list;
    };
    auto exec = [](const char* sql) {
        return [sql](ScoreDb& db) {
            ASSERT_TRUE(db.execSQL(QString::fromLatin1(sql), QStringLiteral("t")));
        };
    };
    const Case cases[] = {
        {"complete", [](ScoreDb&) {}, true, usual},
        {"without Tables", exec("ALTER TABLE Tables RENAME TO tables_x"), false,
         without({SharedTable::Tables})},
        {"renamed back lower case",
         [](ScoreDb& db) {
             db.execSQL(QStringLiteral("ALTER TABLE Tables RENAME TO t_tmp"), QStringLiteral("t"));
             db.execSQL(QStringLiteral("ALTER TABLE t_tmp RENAME TO tables"), QStringLiteral("t"));
             db.execSQL(QStringLiteral("ALTER TABLE Section RENAME TO s_tmp"), QStringLiteral("t"));
             db.execSQL(QStringLiteral("ALTER TABLE s_tmp RENAME TO SECTION"), QStringLiteral("t"));
         },
         true, usual},
        {"without Clients", exec("DROP TABLE Clients"), false, without({SharedTable::Clients})},
        {"without ReceivedData", exec("DROP TABLE ReceivedData"), false,
         without({SharedTable::ReceivedData})},
        {"optional ones missing",
         [](ScoreDb& db) {
             for (const char* t :
                  {"HandRecord", "Settings", "PlayerNames", "IntermediateData", "BiddingData", "PlayData"})
                 db.execSQL(QStringLiteral("DROP TABLE ") + QLatin1String(t), QStringLiteral("t"));
         },
         true,
         without({SharedTable::HandRecord, SharedTable::Settings, SharedTable::PlayerNames,
                  SharedTable::IntermediateData, SharedTable::BiddingData, SharedTable::PlayData})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EventHarness h;
        EventBuilder builder = test::fixtures::mitchell();
        ASSERT_TRUE(h.db.open(h.build(builder)));
        c.change(h.db);
        TablePresence present;
        present.set(SharedTable::Clients, true);
        EXPECT_EQ(ScoreDbSchema(h.db, h.log).checkscoreDB(present), c.expected);
        for (int i = 1; i <= sharedTableCount; ++i) {
            const auto table = static_cast<SharedTable>(i);
            EXPECT_EQ(present.present(table), c.present.contains(table))
                << sharedTableName(table).toStdString();
        }
        EXPECT_EQ(h.logMessages().contains(QStringLiteral("Required table is missing in the score database")),
                  !c.expected);
    }
}

TEST(ScoreDbSchemaTest, OlderDatabaseGetsEveryOwnTableAndColumn) {
    EventHarness h;
    EventBuilder builder = test::fixtures::withoutOwnSchema();
    builder.addPlayerNumber(1, 1, QStringLiteral("N"), QStringLiteral("20101"));
    ASSERT_TRUE(h.db.open(h.build(builder)));
    ScoreDbSchema schema(h.db, h.log);
    ASSERT_TRUE(schema.IntegrateScoreDB());
    // 3 tables, the settings row, and 7 + 3 + 5 + 3 + 5 columns of the shared tables.
    EXPECT_EQ(h.db.executedStatements(), 3 + 1 + 23);

    struct Expected {
        const char* table;
        const char* column;
        const char* type;
    };
    const Expected expected[] = {
        {"custom_qz_TQZ", "Lock", "INTEGER"},
        {"custom_qz_PlayerPIN", "PIN", "TEXT(4)"},
        {"custom_qz_Settings", "custom_qz_tdpin", "TEXT(4)"},
        {"custom_qz_Settings", "custom_qz_gamekey", "TEXT(1)"},
        {"ReceivedData", "custom_qz_scalepoint", "DOUBLE"},
        {"ReceivedData", "custom_qz_declarer", "TEXT(2)"},
        {"ReceivedData", "custom_qz_firstid", "INTEGER"},
        {"RoundData", "CustomBoards", "TEXT(255)"},
        {"Tables", "custom_qz_roundNameSentTime", "DATETIME"},
        {"Section", "custom_qz_UFRmode", "INTEGER"},
        {"PlayerNumbers", "Updated", "YESNO"},
        {"PlayerNumbers", "name", "TEXT(20)"},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(declaredTypes(h.db, QString::fromLatin1(e.table)).value(QString::fromLatin1(e.column)),
                  QString::fromLatin1(e.type))
            << e.table << "." << e.column;
    }
    // The new settings table holds one row of zeros and two empty texts.
    qint32 rows = 0;
    h.db.getDBValue(QStringLiteral("SELECT COUNT(*) AS n FROM custom_qz_Settings"), QStringLiteral("n"),
                    rows);
    EXPECT_EQ(rows, 1);
    qint32 zeros = 0;
    h.db.getDBValue(
        QStringLiteral("SELECT COUNT(*) AS n FROM custom_qz_Settings WHERE custom_qz_gamekey='' AND "
                       "custom_qz_tdpin='' AND custom_qz_showboardmatrix=0 AND custom_qz_roundboard=0"),
        QStringLiteral("n"), zeros);
    EXPECT_EQ(zeros, 1);
    // A yes/no column added to a table with rows holds 0 there, never Null.
    qint32 updated = -5;
    h.db.getDBValue(QStringLiteral("SELECT Updated FROM PlayerNumbers"), QStringLiteral("Updated"), updated);
    EXPECT_EQ(updated, 0);

    const qint64 afterFirst = h.db.executedStatements();
    EXPECT_TRUE(schema.IntegrateScoreDB());
    EXPECT_EQ(h.db.executedStatements(), afterFirst);
}

TEST(ScoreDbSchemaTest, MissingOwnColumnsAreAddedOneByOne) {
    struct Case {
        const char* table;
        const char* dropped;
        const char* addedType;
    };
    const Case cases[] = {
        {"custom_qz_Settings", "custom_qz_tdpin", "TEXT(255)"},
        {"custom_qz_Settings", "custom_qz_showboardmatrix", "INTEGER"},
        {"custom_qz_TQZ", "VersionMinor", "INTEGER"},
        {"custom_qz_PlayerPIN", "Section", "INTEGER"},
        {"ReceivedData", "custom_qz_score", "INTEGER"},
        {"Section", "custom_qz_StanazEdgeGameRound", "INTEGER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dropped);
        EventHarness h;
        EventBuilder builder = test::fixtures::mitchell();
        ASSERT_TRUE(h.db.open(h.build(builder)));
        ASSERT_TRUE(h.db.execSQL(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2")
                                     .arg(QLatin1String(c.table), QLatin1String(c.dropped)),
                                 QStringLiteral("t")));
        const qint64 before = h.db.executedStatements();
        ASSERT_TRUE(ScoreDbSchema(h.db, h.log).IntegrateScoreDB());
        EXPECT_EQ(h.db.executedStatements() - before, 1);
        EXPECT_EQ(declaredTypes(h.db, QString::fromLatin1(c.table)).value(QString::fromLatin1(c.dropped)),
                  QString::fromLatin1(c.addedType));
    }
}

TEST(ScoreDbSchemaTest, FailingStatementStopsWithError9002) {
    EventHarness h;
    EventBuilder builder = test::fixtures::withoutOwnSchema();
    ASSERT_TRUE(h.db.open(h.build(builder)));
    // A view of the name of an own table cannot take the table's columns.
    ASSERT_TRUE(
        h.db.execSQL(QStringLiteral("CREATE VIEW custom_qz_TQZ AS SELECT 1 AS TQZ_ID"), QStringLiteral("t")));
    EXPECT_FALSE(ScoreDbSchema(h.db, h.log).IntegrateScoreDB());
    const QStringList lines = h.logMessages();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(
        lines.last().startsWith(QLatin1String("sys-err9002 Fails to insert customized field for Talvane.")));
    EXPECT_TRUE(lines.last().endsWith(QLatin1String("(Database - IntegrateScoreDB)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("run-err0 ADO error #1")));
}

TEST(ScoreDbSchemaTest, StartUpIndexesTheTablesPresentAndGoesOnWhenAnIndexFails) {
    auto indexes = [](ScoreDb& db) {
        QStringList names;
        std::optional<QSqlQuery> q =
            db.select(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index' AND name LIKE "
                                     "'qzc!_%' ESCAPE '!' ORDER BY name"));
        while (q && q->next())
            names << q->value(0).toString();
        return names;
    };
    EventHarness h;
    EventBuilder builder = test::fixtures::withoutOptionalTables(); // no HandRecord
    const QString path = h.build(builder);
    ASSERT_FALSE(path.isEmpty());
    // A table holds the name of one index: that index cannot be made.
    ASSERT_TRUE(h.db.open(path));
    ASSERT_TRUE(
        h.db.execSQL(QStringLiteral("CREATE TABLE qzc_Tables_table (x INTEGER)"), QStringLiteral("t")));
    const QHash<QString, QString> receivedBefore = declaredTypes(h.db, QStringLiteral("ReceivedData"));
    h.db.closeDatabase();

    ASSERT_TRUE(h.start(QStringLiteral("/f:\"") + path + QLatin1Char('"')));
    const QStringList expected{u"qzc_PlayerNumbers_pair"_s, u"qzc_ReceivedData_board"_s,
                               u"qzc_ReceivedData_table"_s, u"qzc_RoundData_round"_s,
                               u"qzc_RoundData_table"_s,    u"qzc_TQZ_table"_s};
    EXPECT_EQ(indexes(h.db), expected);
    EXPECT_EQ(h.logMessages().filter(QStringLiteral("(Database - create indexes)")).size(), 2);
    EXPECT_EQ(declaredTypes(h.db, QStringLiteral("ReceivedData")), receivedBefore);

    // The next start finds them.
    TablePresence present;
    ScoreDbSchema schema(h.db, h.log);
    ASSERT_TRUE(schema.checkscoreDB(present));
    schema.createIndexes(present);
    EXPECT_EQ(indexes(h.db), expected);
    for (const QString& line : h.logMessages().filter(QStringLiteral("(Database - create indexes)")))
        EXPECT_TRUE(line.contains(QLatin1String("qzc_Tables_table"))) << line.toStdString();
}

} // namespace
} // namespace qzc

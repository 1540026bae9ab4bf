#include "core/ScoreDb.h"

#include "core/DbTransaction.h"
#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/Fixtures.h"
#include "support/OtherProgram.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qzc {
namespace {

using test::EventHarness;

class ScoreDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EventBuilder builder = test::fixtures::mitchell();
        path = h.build(builder);
        ASSERT_FALSE(path.isEmpty());
        ASSERT_TRUE(h.db.open(path));
    }

    qint32 count(const QString& sql) {
        qint32 n = -1;
        h.db.getDBValue(sql, QStringLiteral("n"), n);
        return n;
    }

    EventHarness h;
    QString path;
};

TEST_F(ScoreDbTest, FailingStatementsAreLoggedAndRetriedAsConfigured) {
    struct Case {
        QString sql;
        bool silent;
        qint16 retry;
        bool expected;
        int logLines;
        qint64 attempts;
        qint64 waitedMs;
    };
    const QString bad = QStringLiteral("UPDATE NoSuchTable SET x=1");
    const Case cases[] = {
        {QString(), false, 2, false, 0, 0, 0},
        {bad, true, 3, false, 0, 1, 0},
        {bad, false, 0, false, 3, 1, 0},
        {bad, false, 2, false, 9, 3, 20},
        {QStringLiteral("UPDATE Tables SET LogOnOff=2"), false, 2, true, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        h.db.setRetry(c.retry);
        const int linesBefore = static_cast<int>(h.logMessages().size());
        const qint64 before = h.db.executedStatements();
        const qint64 clockBefore = h.clock.monotonicMs();
        EXPECT_EQ(h.db.execSQL(c.sql, QStringLiteral("Test label"), c.silent), c.expected);
        const QStringList lines = h.logMessages().mid(linesBefore);
        EXPECT_EQ(lines.size(), c.logLines);
        EXPECT_EQ(h.db.executedStatements() - before, c.attempts);
        EXPECT_EQ(h.clock.monotonicMs() - clockBefore, c.waitedMs);
        // Per attempt: the error line, then the driver's error list, whose number and
        // text stand on two lines of the file.
        for (int i = 0; i + 2 < lines.size(); i += 3) {
            EXPECT_EQ(lines[i], QStringLiteral("run-err1 no such table: NoSuchTable (Test label)"));
            EXPECT_EQ(lines[i + 1], QStringLiteral("run-err0 ADO error #1"));
            EXPECT_EQ(lines[i + 2], QStringLiteral("no such table: NoSuchTable (Test label)"));
        }
    }
}

TEST_F(ScoreDbTest, GetDBValueLeavesTheTargetAloneWithoutAValue) {
    struct Case {
        const char* sql;
        const char* field;
        bool row;
        qint16 expected; // starting from 77
    };
    const Case cases[] = {
        {"SELECT MAX(Round) AS maxround FROM RoundData WHERE Section=9", "maxround", true, 77},
        {"SELECT MAX(Round) AS maxround FROM RoundData WHERE Section=1", "maxround", true, 7},
        {"SELECT Round FROM RoundData WHERE Section=9", "Round", false, 77},
        {"SELECT Round FROM RoundData WHERE Section=1 ORDER BY Round", "nosuchfield", true, 77},
        {"SELECT 'abc' AS t", "t", true, 77},
        {"SELECT 70000 AS big", "big", true, 77},
        {"SELECT x FROM NoSuchTable", "x", false, 77},
        {"SELECT 5 AS five", "", true, 77},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        qint16 value = 77;
        EXPECT_EQ(h.db.getDBValue(QString::fromLatin1(c.sql), QString::fromLatin1(c.field), value), c.row);
        EXPECT_EQ(value, c.expected);
    }
    QString text = QStringLiteral("kept");
    EXPECT_TRUE(h.db.getDBValue(QStringLiteral("SELECT NULL AS n"), QStringLiteral("n"), text));
    EXPECT_EQ(text, QStringLiteral("kept"));
    EXPECT_TRUE(h.db.getDBValue(QStringLiteral("SELECT Letter FROM Section WHERE ID=1"),
                                QStringLiteral("Letter"), text));
    EXPECT_EQ(text, QStringLiteral("A"));
    EXPECT_TRUE(h.db.hasRows(QStringLiteral("SELECT * FROM Section")));
    EXPECT_FALSE(h.db.hasRows(QStringLiteral("SELECT * FROM Section WHERE ID=0")));
}

TEST(SqlQuoteTest, LiteralsByType) {
    struct Case {
        QVariant value;
        const char* expected;
    };
    const Case cases[] = {
        {QVariant(5), "5"},
        {QVariant(qint16(-12)), "-12"},
        {QVariant(qint64(70000)), "70000"},
        {QVariant(2.5), "2.5"},
        {QVariant(QStringLiteral("O'Brien")), "'O''Brien'"},
        {QVariant(QString()), "''"},
        {QVariant(), ""},
        {QVariant(true), ""},
        {QVariant(QDate(2026, 12, 7)), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScoreDb::sqlQuote(c.value), QString::fromLatin1(c.expected)) << c.expected;
}

TEST_F(ScoreDbTest, UserTextGoesInUnchanged) {
    const QString name = QStringLiteral("O'Neil; DROP TABLE Section --");
    ASSERT_TRUE(h.db.execSQL(QStringLiteral("INSERT INTO PlayerNames (ID, Name) VALUES (?, ?)"),
                             QStringLiteral("t"), false, {42, name}));
    ASSERT_TRUE(h.db.execSQL(QStringLiteral("INSERT INTO PlayerNames (ID, Name) VALUES (43, ") +
                                 ScoreDb::sqlQuote(name) + QLatin1Char(')'),
                             QStringLiteral("t")));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) AS n FROM PlayerNames WHERE Name=?")
                        .replace(QStringLiteral("?"), ScoreDb::sqlQuote(name))),
              2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) AS n FROM Section")), 1);
}

TEST_F(ScoreDbTest, TransactionRollsBackUnlessCommitted) {
    {
        DbTransaction transaction(h.db);
        ASSERT_TRUE(transaction.isActive());
        ASSERT_TRUE(h.db.execSQL(QStringLiteral("DELETE FROM ReceivedData"), QStringLiteral("t")));
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) AS n FROM ReceivedData")), 0);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) AS n FROM ReceivedData")), 3);
    {
        DbTransaction transaction(h.db);
        ASSERT_TRUE(
            h.db.execSQL(QStringLiteral("DELETE FROM ReceivedData WHERE Board=1"), QStringLiteral("t")));
        EXPECT_TRUE(transaction.commit());
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) AS n FROM ReceivedData")), 2);
}

TEST_F(ScoreDbTest, RefusedCommitAndRollbackLeaveTheirReason) {
    h.db.execSQL(QStringLiteral("UPDATE NoSuchTable SET x=1"), QStringLiteral("t"), true);
    EXPECT_FALSE(h.db.commit());
    EXPECT_EQ(h.db.lastErrorDescription(), QStringLiteral("cannot commit - no transaction is active"));
    EXPECT_FALSE(h.db.rollback());
    EXPECT_EQ(h.db.lastErrorDescription(), QStringLiteral("cannot rollback - no transaction is active"));
}

TEST_F(ScoreDbTest, ChangeMarkMovesWithEveryPossibleChange) {
    struct Case {
        const char* name;
        std::function<void()> act;
        bool changed;
    };
    const Case cases[] = {
        {"a read", [&] { count(QStringLiteral("SELECT COUNT(*) AS n FROM ReceivedData")); }, false},
        {"a read with values",
         [&] {
             qint32 n = 0;
             h.db.getDBValue(QStringLiteral("SELECT COUNT(*) AS n FROM ReceivedData WHERE Board=?"),
                             QStringLiteral("n"), n, {1});
         },
         false},
        {"a statement",
         [&] { h.db.execSQL(QStringLiteral("UPDATE Tables SET LogOnOff=2"), QStringLiteral("t")); }, true},
        {"a rolled-back transaction", [&] { DbTransaction transaction(h.db); }, true},
        {"another program's change",
         [&] {
             ASSERT_TRUE(
                 test::otherProgramRuns(path, QStringLiteral("DELETE FROM ReceivedData WHERE Board=1")));
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScoreDb::ChangeMark before = h.db.changeMark();
        ASSERT_TRUE(before.isValid());
        c.act();
        EXPECT_EQ(before.holdsAt(h.db.changeMark()), !c.changed);
    }
    h.db.closeDatabase();
    EXPECT_FALSE(h.db.changeMark().isValid());
}

TEST_F(ScoreDbTest, KeptStatementsTakeNewValuesOnEveryRun) {
    // Boards 1, 2 and 4 have one result each; the same statement runs again and again.
    const QString byBoard = QStringLiteral("SELECT COUNT(*) AS n FROM ReceivedData WHERE Board=?");
    for (const int board : {1, 3, 2, 4, 1}) {
        qint32 n = -1;
        ASSERT_TRUE(h.db.getDBValue(byBoard, QStringLiteral("n"), n, {board}));
        EXPECT_EQ(n, board == 3 ? 0 : 1) << board;
    }
    QList<int> boards;
    auto readBoards = [&](int fromBoard) {
        boards.clear();
        return h.db.readRows(QStringLiteral("SELECT Board FROM ReceivedData WHERE Board>=? ORDER BY Board"),
                             {fromBoard}, [&](const QSqlQuery& row) { boards << row.value(0).toInt(); });
    };
    ASSERT_TRUE(readBoards(2));
    EXPECT_EQ(boards, (QList<int>{2, 4}));
    ASSERT_TRUE(readBoards(1));
    EXPECT_EQ(boards, (QList<int>{1, 2, 4}));
    // A kept statement whose first row alone was read holds no read snapshot: another
    // program can write and checkpoint.
    qint32 first = 0;
    ASSERT_TRUE(
        h.db.getDBValue(QStringLiteral("SELECT Board FROM ReceivedData WHERE Board>=? ORDER BY Board"),
                        QStringLiteral("Board"), first, {1}));
    EXPECT_EQ(first, 1);
    EXPECT_TRUE(test::otherProgramRuns(path, QStringLiteral("DELETE FROM ReceivedData WHERE Board=4")));
    QVariant busy;
    EXPECT_TRUE(test::otherProgramRuns(path, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), &busy));
    EXPECT_EQ(busy.toInt(), 0);
    ASSERT_TRUE(readBoards(1));
    EXPECT_EQ(boards, (QList<int>{1, 2}));
    EXPECT_FALSE(
        h.db.readRows(QStringLiteral("SELECT x FROM NoSuchTable WHERE x=?"), {1}, [](const QSqlQuery&) {}));
}

TEST_F(ScoreDbTest, CloseLogsOnlyWhenAConnectionWasOpen) {
    h.db.closeDatabase();
    h.db.closeDatabase();
    ScoreDb never(h.log, h.clock);
    never.closeDatabase();
    EXPECT_EQ(h.logMessages(),
              QStringList({QStringLiteral("Database open succeed"), QStringLiteral("Database closed")}));
    EXPECT_FALSE(h.db.isOpen());
    EXPECT_FALSE(h.db.execSQL(QStringLiteral("UPDATE Tables SET LogOnOff=2"), QStringLiteral("t"), true));
}

TEST_F(ScoreDbTest, ConnectionsOfSeveralInstancesStayApart) {
    EventHarness other;
    test::EventBuilder builder = test::fixtures::twoSections();
    const QString otherPath = other.build(builder);
    ASSERT_TRUE(other.db.open(otherPath));
    qint32 sections = 0;
    other.db.getDBValue(QStringLiteral("SELECT COUNT(*) AS n FROM Section"), QStringLiteral("n"), sections);
    EXPECT_EQ(sections, 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) AS n FROM Section")), 1);
}

TEST_F(ScoreDbTest, CatalogListsTablesAndDeclaredTypes) {
    const QStringList tables = h.db.tableNames().value_or(QStringList());
    EXPECT_TRUE(tables.contains(QStringLiteral("ReceivedData")));
    EXPECT_TRUE(tables.contains(QStringLiteral("custom_qz_Settings")));
    EXPECT_FALSE(tables.contains(QStringLiteral("sqlite_sequence")));
    const auto columns = h.db.columns(QStringLiteral("receiveddata"));
    ASSERT_TRUE(columns.has_value());
    QString erased;
    for (const ScoreDb::Column& c : *columns) {
        if (c.name == QLatin1String("Erased"))
            erased = c.declaredType;
    }
    EXPECT_EQ(erased, QStringLiteral("YESNO"));
    EXPECT_FALSE(h.db.columns(QStringLiteral("NoSuchTable")).has_value());
}

TEST_F(ScoreDbTest, OpensInWalModeWithFullSync) {
    QString mode;
    qint32 synchronous = -1;
    h.db.getDBValue(QStringLiteral("PRAGMA journal_mode"), QStringLiteral("journal_mode"), mode);
    h.db.getDBValue(QStringLiteral("PRAGMA synchronous"), QStringLiteral("synchronous"), synchronous);
    EXPECT_EQ(mode, QStringLiteral("wal"));
    EXPECT_EQ(synchronous, 2);
}

TEST_F(ScoreDbTest, StoredResultSurvivesAKillRightAfterTheStatementReturns) {
    h.db.closeDatabase();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The program as the terminal's result comes in: store it, then die at once,
        // without closing the connection or running any destructor.
        test::FakeClock clock;
        Log log(clock);
        ScoreDb db(log, clock);
        const bool stored =
            db.open(path) &&
            db.execSQL(
                QStringLiteral("INSERT INTO ReceivedData (Section,[Table],Round,Board,PairNS,PairEW,Contract,"
                               "Result,Remarks,custom_qz_score) VALUES (1,3,1,7,3,10,?,'=','',420)"),
                QStringLiteral("Database - markResult"), false, {QStringLiteral("4 H")});
        if (stored)
            kill(getpid(), SIGKILL);
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child could not store the result";
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    ASSERT_TRUE(h.db.open(path));
    qint32 score = 0;
    EXPECT_TRUE(h.db.getDBValue(QStringLiteral("SELECT custom_qz_score FROM ReceivedData WHERE Board=7"),
                                QStringLiteral("custom_qz_score"), score));
    EXPECT_EQ(score, 420);
}

TEST_F(ScoreDbTest, OpeningSomethingElseFailsWithARunTimeErrorLine) {
    h.db.closeDatabase();
    const QString junk = h.filePath(QStringLiteral("junk.db"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2048, '\x07'));
    file.close();
    const int before = static_cast<int>(h.logMessages().size());
    EXPECT_FALSE(h.db.open(junk));
    EXPECT_FALSE(h.db.isOpen());
    const QStringList lines = h.logMessages().mid(before);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("run-err26 ")));
    EXPECT_TRUE(lines[0].endsWith(QLatin1String("(Database - Open ADO)")));
}

} // namespace
} // namespace qzc

#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/OtherProgramLock.h"

#include <QSqlQuery>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::GameDataHarness;

QString text(bool b) {
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

// The terminal rows ("502=A1 21/2 locked v2.5": bound table, results expected/got, lock,
// firmware; "501=- v3.20" unbound) and LogOnOff of tables A1 to A3.
QString linkState(GameDataHarness& data) {
    QStringList terminals;
    std::optional<QSqlQuery> rows = data.harness.db.select(QStringLiteral(
        "SELECT TQZ_ID, Section, [Table], ResultExpected, ResultGot, Lock, VersionMajor, VersionMinor "
        "FROM custom_qz_TQZ ORDER BY TQZ_ID"));
    while (rows && rows->next()) {
        QString row = rows->value(0).toString() + QLatin1Char('=');
        if (rows->value(1).toInt() == 0 && rows->value(2).toInt() == 0 && rows->value(3).toInt() == 0 &&
            rows->value(4).toInt() == 0 && rows->value(5).toInt() == 0) {
            row += QLatin1Char('-');
        } else {
            row += data.gameData.mem_GetSectionLetter(static_cast<qint16>(rows->value(1).toInt())) +
                   rows->value(2).toString() + QLatin1Char(' ') + rows->value(3).toString() +
                   QLatin1Char('/') + rows->value(4).toString();
            if (rows->value(5).toInt() != 0)
                row += QStringLiteral(" locked");
        }
        row +=
            QStringLiteral(" v") + rows->value(6).toString() + QLatin1Char('.') + rows->value(7).toString();
        terminals << row;
    }
    QStringList tables;
    for (int t = 1; t <= 3; ++t)
        tables << QStringLiteral("A%1=%2").arg(t).arg(
            data.value(QStringLiteral("SELECT LogOnOff FROM Tables WHERE Section=1 AND [Table]=%1").arg(t))
                .toInt());
    return terminals.join(QStringLiteral("; ")) + QStringLiteral(" | ") + tables.join(QLatin1Char(' '));
}

struct Step {
    const char* action;
    std::function<QString(GameData&)> run;
    const char* result;
    const char* state;
};

// Section A of the Mitchell fixture: 7 rounds of 3 boards per table; A1 has two results
// stored, A2 one, A3 none. Every table starts logged off.
TEST(TerminalLinkTest, RegisterLoginMoveLockAndReleaseSequence) {
    GameDataHarness data;
    test::EventBuilder b = test::fixtures::mitchell();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    const QString A1 = QStringLiteral("A1");
    const QString A2 = QStringLiteral("A2");
    const QString A3 = QStringLiteral("A3");
    const Step steps[] = {
        {"register 501", [](GameData& g) { return text(g.registerTQZ(501, 3, 20)); }, "true",
         "501=- v3.20 | A1=2 A2=2 A3=2"},
        {"login A1", [&](GameData& g) { return QString::number(g.markTQZno(A1, false)); }, "2",
         "501=- v3.20 | A1=1 A2=2 A3=2"},
        {"501 takes A1", [&](GameData& g) { return text(g.markTQZTableNo(501, A1, false, 3)); }, "true",
         "501=A1 21/2 v3.20 | A1=1 A2=2 A3=2"},
        {"lock A1", [&](GameData& g) { return text(g.lockTQZTable(A1)); }, "true",
         "501=A1 21/2 locked v3.20 | A1=1 A2=2 A3=2"},
        {"register 502", [](GameData& g) { return text(g.registerTQZ(502, 2, 5)); }, "true",
         "501=A1 21/2 locked v3.20; 502=- v2.5 | A1=1 A2=2 A3=2"},
        {"502 logs in at locked A1", [&](GameData& g) { return QString::number(g.markTQZno(A1, false)); },
         "4", "501=A1 21/2 locked v3.20; 502=- v2.5 | A1=1 A2=2 A3=2"},
        {"502 takes locked A1", [&](GameData& g) { return text(g.markTQZTableNo(502, A1, false, 2)); },
         "false", "501=A1 21/2 locked v3.20; 502=- v2.5 | A1=1 A2=2 A3=2"},
        {"502 forces the login", [&](GameData& g) { return QString::number(g.markTQZno(A1, true)); }, "2",
         "501=A1 21/2 locked v3.20; 502=- v2.5 | A1=1 A2=2 A3=2"},
        {"502 forces A1", [&](GameData& g) { return text(g.markTQZTableNo(502, A1, true, 2)); }, "true",
         "501=- v3.20; 502=A1 21/2 v2.5 | A1=1 A2=2 A3=2"},
        {"login A2", [&](GameData& g) { return QString::number(g.markTQZno(A2, false)); }, "2",
         "501=- v3.20; 502=A1 21/2 v2.5 | A1=1 A2=1 A3=2"},
        {"502 moves to A2", [&](GameData& g) { return text(g.markTQZTableNo(502, A2, false, 2)); }, "true",
         "501=- v3.20; 502=A2 21/1 v2.5 | A1=2 A2=1 A3=2"},
        {"502 logs in again at A2", [&](GameData& g) { return text(g.markTQZTableNo(502, A2, false, 2)); },
         "true", "501=- v3.20; 502=A2 21/1 v2.5 | A1=2 A2=1 A3=2"},
        {"label of 502",
         [](GameData& g) {
             const TerminalBinding t = g.getTQZTableLabel(502);
             return t.tableId + QStringLiteral(" v%1.%2").arg(t.versionMajor).arg(t.versionMinor);
         },
         "A2 v2.5", "501=- v3.20; 502=A2 21/1 v2.5 | A1=2 A2=1 A3=2"},
        {"release A2", [&](GameData& g) { return text(g.clearTableLogin(A2, false)); }, "true",
         "501=- v3.20; 502=- v2.5 | A1=2 A2=1 A3=2"},
        // Logged in, but no terminal holds it locked: free for any login.
        {"login at A2 without a lock", [&](GameData& g) { return QString::number(g.markTQZno(A2, false)); },
         "2", "501=- v3.20; 502=- v2.5 | A1=2 A2=1 A3=2"},
        {"register 503", [](GameData& g) { return text(g.registerTQZ(503, 2, 0)); }, "true",
         "501=- v3.20; 502=- v2.5; 503=- v2.0 | A1=2 A2=1 A3=2"},
        {"503 takes A3", [&](GameData& g) { return text(g.markTQZTableNo(503, A3, false, 2)); }, "true",
         "501=- v3.20; 502=- v2.5; 503=A3 21/0 v2.0 | A1=2 A2=1 A3=2"},
        // From firmware 3 on only a locked binding keeps a table.
        {"501 takes A3 from unlocked 503",
         [&](GameData& g) { return text(g.markTQZTableNo(501, A3, false, 3)); }, "true",
         "501=A3 21/0 v3.20; 502=- v2.5; 503=- v2.0 | A1=2 A2=1 A3=2"},
        {"older 502 may not take bound A3",
         [&](GameData& g) { return text(g.markTQZTableNo(502, A3, false, 2)); }, "false",
         "501=A3 21/0 v3.20; 502=- v2.5; 503=- v2.0 | A1=2 A2=1 A3=2"},
        {"lock A3", [&](GameData& g) { return text(g.lockTQZTable(A3)); }, "true",
         "501=A3 21/0 locked v3.20; 502=- v2.5; 503=- v2.0 | A1=2 A2=1 A3=2"},
        {"501 registers again", [](GameData& g) { return text(g.registerTQZ(501, 3, 25)); }, "true",
         "501=- v3.25; 502=- v2.5; 503=- v2.0 | A1=2 A2=1 A3=2"},
        {"label of unbound 501",
         [](GameData& g) {
             const TerminalBinding t = g.getTQZTableLabel(501);
             return t.tableId + QStringLiteral(" v%1.%2").arg(t.versionMajor).arg(t.versionMinor);
         },
         " v3.25", "501=- v3.25; 502=- v2.5; 503=- v2.0 | A1=2 A2=1 A3=2"},
        {"label of an unknown terminal",
         [](GameData& g) {
             const TerminalBinding t = g.getTQZTableLabel(999);
             return t.tableId + QStringLiteral(" v%1.%2").arg(t.versionMajor).arg(t.versionMinor);
         },
         " v0.0", "501=- v3.25; 502=- v2.5; 503=- v2.0 | A1=2 A2=1 A3=2"},
        {"login at an unknown table",
         [](GameData& g) { return QString::number(g.markTQZno(QStringLiteral("A9"), false)); }, "8",
         "501=- v3.25; 502=- v2.5; 503=- v2.0 | A1=2 A2=1 A3=2"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        EXPECT_EQ(step.run(data.gameData).toStdString(), step.result);
        EXPECT_EQ(linkState(data).toStdString(), step.state);
    }
    const QStringList log = data.logMessages();
    for (const char* line : {"register TQZ 501 of v3.2", "register TQZ 502 of v2.05", "Login Table A1",
                             "Mark Table and TQZ", "Lock table association: A1"})
        EXPECT_TRUE(log.contains(QLatin1String(line))) << line;
}

TEST(TerminalLinkTest, LoginNamesTheTableOfItsSectionOnly) {
    GameDataHarness data;
    test::EventBuilder b = test::fixtures::twoSections();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    EXPECT_EQ(data.gameData.markTQZno(QStringLiteral("B1"), false), GameData::loginGranted);
    EXPECT_EQ(data.value(QStringLiteral("SELECT LogOnOff FROM Tables WHERE Section=1 AND [Table]=1")).toInt(),
              2);
    EXPECT_EQ(data.value(QStringLiteral("SELECT LogOnOff FROM Tables WHERE Section=2 AND [Table]=1")).toInt(),
              1);
    EXPECT_EQ(data.gameData.sqlSectionTable(QStringLiteral("B12")),
              QStringLiteral("Section=2 AND [Table]=12"));
    EXPECT_EQ(data.gameData.sqlSectionTable(QStringLiteral("C1")), QStringLiteral("Section=0 AND [Table]=1"));

    // A row of Tables that the section's table list in memory does not hold.
    ASSERT_TRUE(
        data.exec(QStringLiteral("INSERT INTO Tables (Section, [Table], LogOnOff) VALUES (1, 7, 2)")));
    data.reload();
    EXPECT_FALSE(data.gameData.isTableInSection(QStringLiteral("A7")));
    EXPECT_EQ(data.gameData.markTQZno(QStringLiteral("A7"), false), GameData::tableUnknown);
    EXPECT_TRUE(data.gameData.isTableInSection(QStringLiteral("A6")));
}

// A second section that the scoring program adds while a login waits for the write lock
// keeps its table logged off: the login names its table by number alone only while its
// section is the event's one section.
TEST(TerminalLinkTest, LoginWhileASectionIsAddedLeavesTheNewSectionsTable) {
    GameDataHarness data;
    test::EventBuilder b = test::fixtures::mitchell();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    ASSERT_TRUE(
        data.exec(QStringLiteral("INSERT INTO Tables (Section, [Table], LogOnOff) VALUES (2, 1, 2)")));
    {
        const test::OtherProgramLock scoringProgram(
            data.harness.db.path(), std::chrono::milliseconds(300),
            QStringLiteral("INSERT INTO Section (ID, Letter) VALUES (2, 'B')"));
        ASSERT_TRUE(scoringProgram.held());
        EXPECT_EQ(data.gameData.markTQZno(QStringLiteral("A1"), false), GameData::loginGranted);
    }
    EXPECT_EQ(data.value(QStringLiteral("SELECT LogOnOff FROM Tables WHERE Section=1 AND [Table]=1")).toInt(),
              1);
    EXPECT_EQ(data.value(QStringLiteral("SELECT LogOnOff FROM Tables WHERE Section=2 AND [Table]=1")).toInt(),
              2);
}

} // namespace
} // namespace qzc

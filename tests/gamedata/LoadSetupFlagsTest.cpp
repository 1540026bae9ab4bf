#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"

#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::GameDataHarness;

// "A1=0/0 A2=1/4 A3=0/0": set-up flag and UpdateFromRound of tables A1 to A3.
QString flags(GameDataHarness& data) {
    QStringList tables;
    for (int t = 1; t <= 3; ++t) {
        const QString table = QStringLiteral("A%1").arg(t);
        tables << table + QLatin1Char('=') + (data.gameData.getLoadSetupTables(table) ? u"1"_s : u"0"_s) +
                      QLatin1Char('/') +
                      data.value(QStringLiteral("SELECT UpdateFromRound FROM Tables WHERE [Table]=%1").arg(t))
                          .toString();
    }
    return tables.join(QLatin1Char(' '));
}

// Section A of the Mitchell fixture; only A2 has a terminal, and the scoring program
// changed A2's movement from round 4: a change still to be decided, whose mark a clear keeps.
TEST(LoadSetupFlagsTest, SetAndClearBySectionTableOrEvent) {
    GameDataHarness data;
    test::EventBuilder b = test::fixtures::mitchell();
    b.setStanza(1, 1, 7);
    b.addTerminal(0x52, 1, 2);
    b.setUpdateFromRound(1, 2, 4);
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    struct Step {
        bool clear;
        const char* table;
        qint16 section;
        const char* state;
    };
    const Step steps[] = {
        {false, "A3", 0, "A1=0/0 A2=0/4 A3=0/0"}, // no terminal: nothing to reload
        {false, "A2", 0, "A1=0/0 A2=1/4 A3=0/0"},
        {true, "A2", 0, "A1=0/0 A2=0/4 A3=0/0"},
        {false, "", 1, "A1=1/0 A2=1/4 A3=1/0"},
        {true, "A9", 1, "A1=0/0 A2=0/4 A3=0/0"},  // the section wins over the table
        {false, "Z3", 0, "A1=0/0 A2=0/4 A3=0/0"}, // letters of no section
        {false, "", 0, "A1=1/0 A2=1/4 A3=1/0"},   // every table of the event
        {true, "A1", 0, "A1=0/0 A2=1/4 A3=1/0"},
    };
    for (const Step& s : steps) {
        data.gameData.setflagloadsetup(s.clear, QLatin1String(s.table), s.section);
        EXPECT_EQ(flags(data), QLatin1String(s.state)) << s.clear << " " << s.table << " " << s.section;
    }
}

TEST(LoadSetupFlagsTest, StanzaState) {
    // Two tables, two rounds of two boards in the stanza, a third round beyond it; both
    // tables have a terminal.
    const auto event = [](int edge) {
        test::EventBuilder b;
        const int a = b.addSection(QStringLiteral("A"));
        for (int r = 1; r <= 3; ++r) {
            b.addRound(test::RoundRow{a, 1, r, 1, 2, 0, 0, 2 * r - 1, 2 * r});
            b.addRound(test::RoundRow{a, 2, r, 3, 4, 0, 0, 2 * r - 1, 2 * r});
        }
        b.setStanza(a, 1, edge);
        b.addTerminal(0x11, a, 1);
        b.addTerminal(0x12, a, 2);
        return b;
    };
    struct Case {
        const char* name;
        int edge;
        int resultsPerTable;
        std::function<void(GameDataHarness&)> change;
        StanzaState state;
    };
    const Case cases[] = {
        {"no round beyond the stanza", 3, 0, nullptr, StanzaState::NoFurtherRounds},
        {"results missing", 2, 3, nullptr, StanzaState::ResultsOwed},
        {"every result in", 2, 4, nullptr, StanzaState::ReadyForNextStanza},
        {"a table with a pending set-up still owes results", 2, 4,
         [](GameDataHarness& d) {
             d.exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=1 WHERE [Table]=2"));
             d.exec(QStringLiteral("UPDATE custom_qz_TQZ SET ResultGot=0 WHERE TQZ_ID=18"));
         },
         StanzaState::ResultsOwed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameDataHarness data;
        test::EventBuilder b = event(c.edge);
        for (int table = 1; table <= 2; ++table) {
            for (int i = 0; i < c.resultsPerTable; ++i)
                b.addResult(test::ResultRow::played(1, table, 1 + i / 2, 1 + i, table == 1 ? 1 : 3,
                                                    table == 1 ? 2 : 4, QStringLiteral("3NT"),
                                                    QStringLiteral("N"), 9));
        }
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        if (c.change)
            c.change(data);
        EXPECT_EQ(data.gameData.getSectionStanzaState(1), c.state);
    }
}

} // namespace
} // namespace qzc

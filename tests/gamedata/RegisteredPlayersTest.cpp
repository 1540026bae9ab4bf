#include "gamedata/PlayerSeats.h"
#include "gamedata/RegisteredPlayersEditor.h"
#include "support/EventBuilder.h"
#include "support/GameDataHarness.h"
#include "support/QtPrinters.h"
#include "support/QueryRows.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

// Section A, a Mitchell of 3 tables and 2 rounds: NS pairs 1-3 stay, EW pairs 4-6 move
// up a table (round 2: tables 1, 2, 3 hold EW 6, 4, 5). Registered: Smith at 1 N, a seat that
// shows only its number at 1 S, Adams at 2 E, and Ghost at 3 W, whose pair 9 never plays.
class RegisteredPlayersTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EventBuilder b;
        const int a = b.addSection(QStringLiteral("A"));
        b.addMitchellMovement(a, 3, 2, 2);
        b.addRegisteredPlayer(a, 1, u"N"_s, u"12"_s, u"Smith"_s, 1);
        b.addRegisteredPlayer(a, 1, u"S"_s, u"14"_s, u"14"_s, 1);
        b.addRegisteredPlayer(a, 2, u"E"_s, u"30"_s, u"Adams"_s, 5);
        b.addRegisteredPlayer(a, 3, u"W"_s, u"77"_s, u"Ghost"_s, 9);
        b.addPlayerName(40, u"Zed"_s);
        b.addPlayerName(12, u"Smith"_s);
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        names.loadPlayerNameList();
        names.loadRegisteredNames(true);
        editor.Form_Load(1);
    }

    /// The grid as "table|pair|ID|name" rows, the blanks of the pair column left out.
    QStringList grid() const {
        QStringList rows;
        for (const auto& row : editor.gridFill().rows)
            rows << QStringList{row[1], QString(row[2]).remove(u' '), row[3], row[4]}.join(u'|');
        return rows;
    }
    int rowOf(const QString& table, const QString& pair) const {
        const QStringList rows = grid();
        for (int i = 0; i < rows.size(); ++i) {
            if (rows[i].startsWith(table + u'|' + pair + u'|'))
                return i + 1;
        }
        return 0;
    }
    QString seats() {
        return test::queryRows(data.harness.db,
                               u"SELECT [Table], Direction, [Number], custom_qz_names, name,"
                               " custom_qz_pair FROM PlayerNumbers ORDER BY [Table], Direction"_s);
    }
    /// Changes the ID (column 3) or the name (column 4) of the seat shown at table and pair.
    RegisteredPlayerChange::Outcome change(const char* table, const char* pair, int column,
                                           const QString& typed) {
        const std::optional<NameChangePrompt> prompt =
            editor.cellPressed(rowOf(QLatin1String(table), QLatin1String(pair)), column);
        return prompt ? editor.applyChange(*prompt, typed) : RegisteredPlayerChange::Outcome::NotWritten;
    }

    test::GameDataHarness data;
    test::EventHarness& h = data.harness;
    PlayerNames names{h.db, h.log, h.event, h.config, h.clock};
    RegisteredPlayersEditor editor{{{h.db, h.log, h.messages, names, h.config, h.clock}, data.gameData}};
};

TEST_F(RegisteredPlayersTest, ListsTheSeatsOfTheRoundByTableAndFilters) {
    EXPECT_EQ(editor.roundMin(), 1);
    EXPECT_EQ(editor.roundMax(), 2);
    EXPECT_EQ(editor.round(), 1); // no result yet in the section shown
    // Registered players take their pair's seat (the member who registered at N or E the
    // first); seats without one show the pair seated there in round 1; Ghost sits nowhere.
    EXPECT_EQ(grid(), (QStringList{u"A1|N1|12|Smith"_s, u"A1|E4|n/a|"_s, u"A1|S1|14|14"_s, u"A1|W4|n/a|"_s,
                                   u"A2|N2|n/a|"_s, u"A2|E5|30|Adams"_s, u"A2|S2|n/a|"_s, u"A2|W5|n/a|"_s,
                                   u"A3|N3|n/a|"_s, u"A3|E6|n/a|"_s, u"A3|S3|n/a|"_s}));
    EXPECT_EQ(editor.headings()[1], u"Table+"_s);

    // Round 2: the EW pairs moved up a table; a round beyond the event's becomes its last.
    EXPECT_EQ(editor.txtRoundNo_Change(u"9"_s), u"2"_s);
    EXPECT_EQ(grid().filter(u"|E"_s), (QStringList{u"A1|E6|n/a|"_s, u"A2|E4|n/a|"_s, u"A3|E5|30|Adams"_s}));
    EXPECT_EQ(editor.txtRoundNo_Change(u"x"_s), u"1"_s);

    editor.chkEWPair_Click(false);
    EXPECT_EQ(grid().size(), 6);
    EXPECT_TRUE(grid().filter(u"|E"_s).isEmpty());
    // Unticking the only ticked filter ticks the other.
    editor.chkNSPair_Click(false);
    EXPECT_TRUE(editor.ewTicked());
    EXPECT_EQ(grid(), (QStringList{u"A1|E4|n/a|"_s, u"A1|W4|n/a|"_s, u"A2|E5|30|Adams"_s, u"A2|W5|n/a|"_s,
                                   u"A3|E6|n/a|"_s}));

    editor.searchTexts = {QString(), u" w "_s, QString(), QString()};
    editor.cmdSearch_Click();
    EXPECT_EQ(grid(), (QStringList{u"A1|W4|n/a|"_s, u"A2|W5|n/a|"_s}));
    EXPECT_EQ(editor.gridFill().markedColumn, 2);
}

TEST_F(RegisteredPlayersTest, EachSortOrderAndItsHeading) {
    struct Case {
        int pressed;
        const char* heading;
        QStringList first;
    };
    // Each press starts from the order the press before left.
    const Case cases[] = {
        {1, "Table-", {u"A3|S3|n/a|"_s, u"A3|E6|n/a|"_s, u"A3|N3|n/a|"_s}},
        {2, "Pair+", {u"A1|N1|12|Smith"_s, u"A1|S1|14|14"_s, u"A2|N2|n/a|"_s}},
        {2, "Pair-", {u"A3|E6|n/a|"_s, u"A2|W5|n/a|"_s, u"A2|E5|30|Adams"_s}},
        {3, "Member ID+", {}},
        {3, "Member ID-", {u"A2|E5|30|Adams"_s, u"A1|S1|14|14"_s, u"A1|N1|12|Smith"_s}},
        {4, "Name+", {}},
        {4, "Name-", {u"A1|N1|12|Smith"_s, u"A2|E5|30|Adams"_s, u"A1|S1|14|14"_s}},
    };
    for (const Case& c : cases) {
        editor.headingPressed(c.pressed);
        const auto headings = editor.headings();
        EXPECT_EQ(headings[static_cast<std::size_t>(c.pressed)], QLatin1String(c.heading));
        // No other heading carries a mark.
        EXPECT_EQ(QStringList(headings.begin(), headings.end()).join(u"").count(u'+') +
                      QStringList(headings.begin(), headings.end()).join(u"").count(u'-'),
                  1);
        if (!c.first.isEmpty())
            EXPECT_EQ(grid().mid(0, 3), c.first) << c.heading;
        else
            EXPECT_EQ(grid().last().section(u'|', c.pressed - 1, c.pressed - 1),
                      c.pressed == 3 ? u"30"_s : u"Smith"_s)
                << c.heading;
    }

    // Names on file have no table: sorting by it sorts by name.
    editor.headingPressed(1);
    editor.optSource_Click(NameListSource::OnFile);
    EXPECT_FALSE(editor.filtersEnabled());
    EXPECT_FALSE(editor.roundEnabled());
    EXPECT_EQ(editor.headings()[4], u"Name+"_s);
    EXPECT_EQ(grid(), (QStringList{u"---||12|Smith"_s, u"---||40|Zed"_s}));
    EXPECT_FALSE(editor.cellPressed(1, 3));
}

TEST_F(RegisteredPlayersTest, IdAndNameChangesWriteTheSeat) {
    struct Step {
        const char* table;
        const char* pair;
        int column;
        const char* typed;
        bool answer;
        RegisteredPlayerChange::Outcome outcome;
        const char* seats;
    };
    using O = RegisteredPlayerChange::Outcome;
    const Step steps[] = {
        // An unnamed seat given a known ID takes the known name (a new row).
        {"A2", "N2", 3, "40", false, O::Written,
         "1|N|12|Smith||1 1|S|14|14||1 2|E|30|Adams||5 2|N|40|Zed|Zed|2 3|W|77|Ghost||9"},
        // An unknown ID, typed with leading zeros, is its own name.
        {"A3", "N3", 3, "0055", false, O::Written,
         "1|N|12|Smith||1 1|S|14|14||1 2|E|30|Adams||5 2|N|40|Zed|Zed|2 3|N|0055|0055|0055|3 "
         "3|W|77|Ghost||9"},
        // "n/a" clears the ID and keeps the name; "#" is dropped from a name.
        {"A1", "N1", 3, "N/A", false, O::Written,
         "1|N|0|Smith||1 1|S|14|14||1 2|E|30|Adams||5 2|N|40|Zed|Zed|2 3|N|0055|0055|0055|3 3|W|77|Ghost||9"},
        {"A2", "E5", 4, " Brown# ", false, O::Written,
         "1|N|0|Smith||1 1|S|14|14||1 2|E|30|Brown|Brown|5 2|N|40|Zed|Zed|2 3|N|0055|0055|0055|3 "
         "3|W|77|Ghost||9"},
        // An ID held at another seat swaps the two players (the question answered Yes).
        {"A1", "S1", 3, "30", true, O::Written,
         "1|N|0|Smith||1 1|S|30|Brown|Brown|1 2|E|14|14|14|5 2|N|40|Zed|Zed|2 3|N|0055|0055|0055|3 "
         "3|W|77|Ghost||9"},
        // The swap question answered No writes nothing.
        {"A2", "E5", 3, "30", false, O::NotWritten,
         "1|N|0|Smith||1 1|S|30|Brown|Brown|1 2|E|14|14|14|5 2|N|40|Zed|Zed|2 3|N|0055|0055|0055|3 "
         "3|W|77|Ghost||9"},
    };
    for (const Step& s : steps) {
        h.messages.answers = {s.answer};
        EXPECT_EQ(change(s.table, s.pair, s.column, QLatin1String(s.typed)), s.outcome) << s.typed;
        EXPECT_EQ(seats().toStdString(), s.seats) << s.typed;
    }
    EXPECT_EQ(h.messages.shown.size(), 2u);
    EXPECT_EQ(h.messages.shown[0].caption, u"Swap players?"_s);
    EXPECT_EQ(h.messages.shown[0].text,
              u"Do you really want to swap positions of\r\nID 14, 14\r\n and \r\nID 30, Brown"_s);
    // The list was rebuilt after each change.
    EXPECT_TRUE(grid().contains(u"A2|E5|14|14"_s));
    EXPECT_TRUE(data.logMessages().contains(u"Updated registered player name for pair #1:30"_s));
}

TEST_F(RegisteredPlayersTest, RefusedValuesWriteNothing) {
    const QString before = seats();
    struct Case {
        int column;
        const char* typed;
        const char* message;
    };
    const char* idMessage = "ID must be a number of at most 12 digit";
    const Case cases[] = {
        {3, "-5", idMessage},
        {3, "1.5", idMessage},
        {3, "1e3", idMessage},
        {3, "12 3", idMessage},
        {3, "1234567890123", idMessage},
        {3, "12", nullptr}, // unchanged
        {4, "Bartholomew Featherst", "Name must not be longer than 20"},
        // Another seat's name asks first (answered No); the same name in other case does not.
        {4, "Adams", "Adams is already linked to\r\nID 30, Adams, @Table A2 E, #5\r\nUse it anyway?"},
    };
    for (const Case& c : cases) {
        h.messages.shown.clear();
        EXPECT_EQ(change("A1", "N1", c.column, QLatin1String(c.typed)),
                  RegisteredPlayerChange::Outcome::NotWritten)
            << c.typed;
        EXPECT_EQ(h.messages.texts(), c.message ? QStringList{QLatin1String(c.message)} : QStringList())
            << c.typed;
    }
    EXPECT_EQ(seats(), before);
    EXPECT_EQ(change("A1", "N1", 3, u"123456789012"_s), RegisteredPlayerChange::Outcome::Written);
    EXPECT_EQ(change("A1", "N1", 4, u"adams"_s), RegisteredPlayerChange::Outcome::Written);
}

TEST_F(RegisteredPlayersTest, ASwapRefusedHalfWayChangesNothing) {
    // The second statement (Smith's seat taking Adams' ID) fails after the first has run.
    ASSERT_TRUE(
        data.exec(u"CREATE TRIGGER refuse BEFORE UPDATE ON PlayerNumbers"
                  " WHEN NEW.[Table]=1 AND NEW.[Number]='30' BEGIN SELECT RAISE(ABORT, 'refused'); END"_s));
    const QString before = seats();
    h.messages.answers = {true};
    // While the director reads the message the terminals are answered: the first statement
    // must be undone by then.
    QString whileTold;
    h.messages.whileShown = [&] {
        whileTold = seats();
    };

    EXPECT_EQ(change("A1", "N1", 3, u"30"_s), RegisteredPlayerChange::Outcome::Failed);

    EXPECT_EQ(whileTold, before);
    EXPECT_EQ(seats(), before);
    EXPECT_EQ(h.messages.texts().last(),
              u"The score database refused the change; the registered player is unchanged."_s);
    EXPECT_TRUE(data.logMessages().filter(u"Updated registered player"_s).isEmpty());
}

TEST_F(RegisteredPlayersTest, ASwapAskedWhileATableRegistersWritesOnlySeatsAsShown) {
    PlayerSeats terminal{h.db, h.log, h.clock, h.config, data.gameData, names, h.event};
    struct Case {
        const char* pair; // at table A1, its ID typed
        const char* typed;
        const char* table; // registers N, E, S and W while the question is up
        std::array<double, 4> registered;
        RegisteredPlayerChange::Outcome outcome;
        const char* seats;
    };
    using O = RegisteredPlayerChange::Outcome;
    const Case cases[] = {
        // Swapping Smith (A1 N) with Adams (A2 E) while A1 registers 55 at N.
        {"N1", "30", "A1", {55, 0, 14, 0}, O::Changed, "1|N|55 1|S|14 2|E|30 3|W|77"},
        // Swapping A1 S with Adams while A2 registers 66 at E and Adams at S.
        {"S1", "30", "A2", {0, 66, 30, 0}, O::Changed, "1|N|55 1|S|14 2|E|66 2|S|30 3|W|77"},
        // Another table registering leaves the swap as it was.
        {"S1", "66", "A3", {88, 0, 0, 0}, O::Written, "1|N|55 1|S|66 2|E|14 2|S|30 3|N|88"},
    };
    for (const Case& c : cases) {
        h.messages.shown.clear();
        h.messages.answers = {true};
        h.messages.whileShown = [&] {
            terminal.clearTablePlayerID(QLatin1String(c.table));
            for (std::size_t k = 0; k < 4; ++k)
                terminal.markPlayerID(QLatin1String(c.table), c.registered[k], QString(QChar(u"NESW"[k])));
            names.loadRegisteredNames(true);
        };
        EXPECT_EQ(change("A1", c.pair, 3, QLatin1String(c.typed)), c.outcome) << c.typed;
        EXPECT_EQ(test::queryRows(h.db, u"SELECT [Table], Direction, [Number] FROM PlayerNumbers"
                                        " WHERE [Number] NOT IN ('', '0') ORDER BY [Table], Direction"_s)
                      .toStdString(),
                  c.seats);
        EXPECT_EQ(h.messages.texts().last().startsWith(u"The seats have changed"_s), c.outcome == O::Changed);
    }
}

} // namespace
} // namespace qzc

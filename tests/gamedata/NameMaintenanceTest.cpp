#include "gamedata/NameMaintenance.h"

#include "support/Fixtures.h"
#include "support/GameDataHarness.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

class NameMaintenanceTest : public ::testing::Test {
protected:
    bool start(test::EventBuilder& builder) {
        if (!data.start(builder))
            return false;
        names.loadPlayerNameList();
        names.loadRegisteredNames(true);
        return true;
    }
    /// "Table Direction Number name" of the section's seats.
    QStringList seats() {
        QStringList list;
        std::optional<QSqlQuery> q = data.harness.db.select(
            QStringLiteral("SELECT [Table], Direction, [Number], custom_qz_names FROM PlayerNumbers"
                           " ORDER BY [Table], Direction"));
        while (q && q->next())
            list << QStringLiteral("%1 %2 %3 %4")
                        .arg(q->value(0).toString(), q->value(1).toString(), q->value(2).toString(),
                             q->value(3).toString());
        return list;
    }

    test::GameDataHarness data;
    PlayerNames names{data.harness.db, data.harness.log, data.harness.event, data.harness.config,
                      data.harness.clock};
    NameMaintenance upkeep{names, data.harness.db, data.harness.log, data.harness.event, data.harness.config};
};

TEST_F(NameMaintenanceTest, SeatsThatShowTheirNumberGetTheKnownName) {
    test::EventBuilder b = test::fixtures::mitchell();
    b.addPlayerName(12, QStringLiteral("Annabelle Marie Christensen"));
    b.addPlayerName(14, QStringLiteral("Se\u00E1n O'Brien"));
    b.addPlayerName(13, QStringLiteral("Other"));
    b.addRegisteredPlayer(1, 1, QStringLiteral("N"), QStringLiteral("12"), QStringLiteral("12"), 1);
    b.addRegisteredPlayer(1, 1, QStringLiteral("S"), QStringLiteral("14"), QStringLiteral("14"), 1);
    b.addRegisteredPlayer(1, 1, QStringLiteral("E"), QStringLiteral("99"), QStringLiteral("99"), 8);
    b.addRegisteredPlayer(1, 1, QStringLiteral("W"), QStringLiteral("13"), QStringLiteral("Kept"), 8);
    ASSERT_TRUE(start(b)) << data.failure().toStdString();

    upkeep.updatePlayerNames();

    // Cut to the 20 characters of the column; an unknown number keeps its number.
    EXPECT_EQ(seats(), (QStringList{u"1 E 99 99"_s, u"1 N 12 Annabe M Christensen"_s,
                                    u"1 S 14 Se\u00E1n O'Brien"_s, u"1 W 13 Kept"_s}));
    // The registered names are read again.
    QStringList registered;
    for (const PlayerNameRecord& record : names.registeredNameList())
        registered << record.name;
    EXPECT_TRUE(registered.contains(QStringLiteral("Annabe M Christensen")));
}

TEST_F(NameMaintenanceTest, PrintedNameListByNumberOrByName) {
    test::EventBuilder b = test::fixtures::mitchell();
    b.addRegisteredPlayer(1, 1, QStringLiteral("N"), QStringLiteral("12"), QStringLiteral("Smith"), 1);
    b.addRegisteredPlayer(1, 2, QStringLiteral("E"), QStringLiteral("5"), QStringLiteral("Adams"), 9);
    ASSERT_TRUE(start(b)) << data.failure().toStdString();
    // A Null pair number reads as 0; the seat stays in the list.
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE PlayerNumbers SET custom_qz_pair=NULL WHERE [Table]=2")));
    names.loadRegisteredNames(true);
    ASSERT_EQ(names.registeredNameList().size(), 2u);

    data.harness.config.NameListSorting = true;
    EXPECT_EQ(upkeep.namesListText(), QStringLiteral("5............Adams\r\n12...........Smith\r\n"));
    data.harness.config.NameListSorting = false;
    EXPECT_EQ(upkeep.namesListText(),
              QStringLiteral("Adams................5\r\nSmith................12\r\n"));
}

PlayerNameRecord seat(const char* table, const char* seatLabel, qint16 pair, double number,
                      const char* name) {
    PlayerNameRecord record;
    record.tableLabel = QString::fromLatin1(table);
    record.seatLabel = QString::fromLatin1(seatLabel);
    record.pair = pair;
    record.number = number;
    record.name = QString::fromLatin1(name);
    return record;
}

TEST(NameSearchTest, MatchesEveryNonEmptyTextAndMarksTheFirstSearchedColumn) {
    const std::vector<PlayerNameRecord> list = {
        seat("A1", "NS", 5, 12, "Smith"),      seat("A12", "EW", 3, 123, "Jones"),
        seat("AB3", "N", 5, 1200, "Smithers"), seat("B2", "W", 0, 312, "Brown"),
        seat("A2", "NS", 12, 0, "Nobody"),
    };
    // Search texts: Table, Pair, Member ID, Name ("" for none).
    struct Case {
        const char* texts[4];
        const char* found;
        int marked;
    };
    const Case cases[] = {
        {{"", "", "", ""}, "12345", 3},   {{"", "", "12", ""}, "123", 3},    {{"a", "", "", ""}, "1235", 1},
        {{"", "ew", "", ""}, "2", 2},     {{"", "NS 5", "", ""}, "1", 2},    {{"", " 5 ", "", ""}, "13", 2},
        {{"", "  ", "", ""}, "12345", 2}, {{"a1", "", "", "smith"}, "1", 1},
    };
    for (const Case& c : cases) {
        std::array<QString, 4> texts;
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i] = QString::fromLatin1(c.texts[i]);
        const NameGridFill fill = NameMaintenance::searchPlayerName(list, texts, -3);
        QString found;
        for (const auto& row : fill.rows)
            found += row[0];
        EXPECT_EQ(found, QLatin1String(c.found)) << texts[0].toStdString() << "|" << texts[1].toStdString();
        EXPECT_EQ(fill.markedColumn, c.marked);
        EXPECT_FALSE(fill.limitReached);
    }
    const NameGridFill all = NameMaintenance::searchPlayerName(list, {}, 1);
    EXPECT_EQ(all.rows[1], (std::array<QString, 5>{u"2"_s, u"A12"_s, u"EW     3"_s, u"123"_s, u"Jones"_s}));
    EXPECT_EQ(all.rows[3][2], QString());
    EXPECT_EQ(all.rows[4][3], QStringLiteral("n/a"));

    const std::vector<PlayerNameRecord> many(70000, seat("A1", "N", 1, 7, "Same"));
    const NameGridFill capped = NameMaintenance::searchPlayerName(many, {}, 1);
    EXPECT_EQ(capped.rows.size(), 69999u);
    EXPECT_TRUE(capped.limitReached);
}

TEST(NameSearchTest, ChangePromptsForAnIdOrAName) {
    const std::vector<PlayerNameRecord> list = {seat("A12", "EW", 3, 123, "Jones")};
    EXPECT_FALSE(NameMaintenance::confirmPlayerChange(0, list, true));
    EXPECT_FALSE(NameMaintenance::confirmPlayerChange(2, list, true));

    const std::optional<NameChangePrompt> id = NameMaintenance::confirmPlayerChange(1, list, true);
    ASSERT_TRUE(id);
    EXPECT_EQ(id->mode, QStringLiteral("ID"));
    EXPECT_EQ(id->caption, QStringLiteral("Change ID?"));
    EXPECT_EQ(id->value, QStringLiteral("123"));
    EXPECT_EQ(id->message, QStringLiteral("Do you want to replace the registered ID @Table: A12 EW, #3"));
    EXPECT_EQ(id->helpTopic, 16);

    const std::optional<NameChangePrompt> name = NameMaintenance::confirmPlayerChange(1, list, false);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->value, QStringLiteral("Jones"));
    EXPECT_EQ(name->message,
              QStringLiteral("Do you want to change the name linked to:\r\nID 123\r\n\r\n\r\n"));
    EXPECT_EQ(name->labelBelow, QStringLiteral("(A change here will only affect the current event)"));
    EXPECT_EQ(name->helpTopic, 18);
}

} // namespace
} // namespace qzc

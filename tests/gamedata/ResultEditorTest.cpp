#include "gamedata/ResultEditor.h"

#include "reports/PopUpResults.h"
#include "support/FakeDesktopHost.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/MovementChangeRig.h"
#include "support/QueryRows.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::EventBuilder;

// The result edit dialog's Save over every kind of entry: what it asks, whether it stays
// open, and what the board's result becomes. Board 1 at table A1 holds 4S by North, 11
// tricks; round 1 is the section's last played round.
TEST(ResultEditorTest, SaveAsksAndStoresByTheEntry) {
    const QString board1 =
        QStringLiteral("SELECT Contract, Remarks FROM ReceivedData WHERE Board=1 AND [Table]=1");
    const struct {
        const char* name;
        bool ruling;
        const char* contract;
        const char* made;
        int option;
        const char* remark;
        std::vector<bool> answers;
        const char* question;
        ResultEditor::SaveOutcome outcome;
        const char* stored;
    } cases[] = {
        {"a valid result asks nothing",
         false,
         "4S",
         "10",
         -1,
         "",
         {},
         "",
         ResultEditor::SaveOutcome::Stored,
         "4 S|"},
        {"boxes that are no result, kept as a remark",
         false,
         "4S",
         "x",
         -1,
         "",
         {true},
         "<4SNx>\r\nis not a valid result entry.\r\nDo you want to save it as ruling remark?",
         ResultEditor::SaveOutcome::Stored,
         "|4SNx"},
        {"No keeps the dialog",
         false,
         "4S",
         "x",
         -1,
         "",
         {false},
         "<4SNx>",
         ResultEditor::SaveOutcome::StayOpen,
         "4 S|"},
        {"emptied boxes annul after a question",
         false,
         "",
         "",
         -1,
         "",
         {true},
         "Do you really want to annul (erase) the current result?",
         ResultEditor::SaveOutcome::Stored,
         ""},
        {"an option is stored without a question",
         true,
         "",
         "",
         16,
         "",
         {},
         "",
         ResultEditor::SaveOutcome::Stored,
         "|40%-50%"},
        {"not played", true, "", "", 18, "", {}, "", ResultEditor::SaveOutcome::Stored, "|Not played"},
        {"a free remark is asked for",
         true,
         "",
         "",
         -1,
         "director's ruling",
         {true},
         "Do you want to save\r\n<director's ruling>\r\nas ruling remark?",
         ResultEditor::SaveOutcome::Stored,
         "|director's ruling"},
        {"nothing chosen closes", true, "", "", -1, "", {}, "", ResultEditor::SaveOutcome::Close, "4 S|"},
    };
    for (const auto& c : cases) {
        test::GameDataHarness data;
        EventBuilder builder = test::fixtures::mitchell();
        ASSERT_TRUE(data.start(builder)) << data.failure().toStdString();
        test::FakeDesktopHost desktop;
        ResultEditor editor(
            {data.gameData, data.harness.settings, data.harness.log, data.harness.messages, desktop});
        ASSERT_TRUE(editor.describeResult(
            1, {QStringLiteral("1"), QStringLiteral("8"), QStringLiteral("A1"), {}, {}}));
        EXPECT_EQ(editor.declarer, QStringLiteral("N")) << c.name;
        if (c.ruling)
            editor.cmdRuling_Click();
        editor.contract = QLatin1String(c.contract);
        editor.made = QLatin1String(c.made);
        if (QLatin1String(c.contract).isEmpty())
            editor.declarer.clear();
        editor.ruling = c.option;
        editor.freeRemark = !QLatin1String(c.remark).isEmpty();
        editor.remark = QLatin1String(c.remark);
        data.harness.messages.answers.assign(c.answers.begin(), c.answers.end());

        EXPECT_EQ(editor.save(), c.outcome) << c.name;
        const QStringList asked = data.harness.messages.texts();
        EXPECT_EQ(asked.join(QString()).left(static_cast<qsizetype>(qstrlen(c.question))),
                  QLatin1String(c.question))
            << c.name;
        EXPECT_EQ(asked.size(), c.answers.size()) << c.name;
        EXPECT_EQ(test::queryRows(data.harness.db, board1), QLatin1String(c.stored)) << c.name;
    }
}

// A stored remark opens on the ruling panel: an adjusted score on its option, anything
// else, not played included, in the free remark.
TEST(ResultEditorTest, StoredRulingsReopenOnTheRulingPanel) {
    const struct {
        const char* remark;
        int option;
    } cases[] = {{"60%-40%", 10}, {" a / a- ", 15}, {"NP", -1}, {"Not played", -1}, {"slow play", -1}};
    test::GameDataHarness data;
    EventBuilder builder = test::fixtures::mitchell();
    ASSERT_TRUE(data.start(builder)) << data.failure().toStdString();
    test::FakeDesktopHost desktop;
    for (const auto& c : cases) {
        ResultEditor editor(
            {data.gameData, data.harness.settings, data.harness.log, data.harness.messages, desktop});
        editor.showRuling(QLatin1String(c.remark));
        EXPECT_EQ(editor.ruling, c.option) << c.remark;
        EXPECT_EQ(editor.freeRemark, c.option < 0) << c.remark;
        EXPECT_EQ(editor.remark, c.option < 0 ? QLatin1String(c.remark) : QString()) << c.remark;
    }
}

// Table A1's round 1 holds board 1 under two pairs: in the Mitchell 1/8's 4S and 2/9's 3NT,
// which the scoring program added a minute later; without a movement 1/2's 4S and then 1/3's
// 3NT. The pop-up's line shows the newest row and its edit replaces that row; the editor
// describes and saves the traveller row picked. The other pairs' row stays.
TEST(ResultEditorTest, EachWindowCorrectsTheRowItShowed) {
    const struct {
        const char* name;
        bool movement;
        /// The editor's pick, and its new lead; the pop-up's line when 0, and what is typed.
        int ns, ew;
        const char* typed;
        const char* shown;
        const char* after;
    } cases[] = {
        {"PopUpWithoutMovement", false, 0, 0, "2dn=", "3NT", "1-2|4 S|=| 1-3|2 D|=|"},
        {"PopUpAnnulsItsLine", true, 0, 0, "", "3NT", "1-8|4 S|+1|"},
        {"EditorOnTheTablesRow", true, 1, 8, "D2", "4S", "1-8|4 S|+1|D2 2-9|3 NT|=|"},
        {"EditorOnTheAddedRow", true, 2, 9, "D2", "3NT", "1-8|4 S|+1| 2-9|3 NT|=|D2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EventBuilder b =
            c.movement ? test::fixtures::mitchell() : test::MovementChangeRig::withoutMovement(3, 3);
        if (!c.movement)
            b.addResult(test::ResultRow::played(1, 1, 1, 1, 1, 2, u"4S"_s, u"N"_s, 10));
        test::ResultRow added =
            test::ResultRow::played(1, 1, 1, 1, c.movement ? 2 : 1, c.movement ? 9 : 3, u"3NT"_s, u"N"_s, 9);
        added.timeLog = c.movement ? u"19:46:00"_s : added.timeLog;
        b.addResult(added);
        test::GameDataHarness data;
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        test::FakeDesktopHost desktop;
        data.harness.messages.answers = {true};
        if (c.ns == 0) {
            PopUpResults popUp(data.gameData, data.harness.log, data.harness.messages, desktop);
            const PopUpLine line = popUp.resultLine(u"A1"_s, 1, 1);
            EXPECT_EQ(line.stored.contract, QLatin1String(c.shown));
            EXPECT_EQ(popUp.saveEdit(u"A1"_s, 1, line, QLatin1String(c.typed)),
                      PopUpResults::EditOutcome::Stored);
        } else {
            ResultEditor editor(
                {data.gameData, data.harness.settings, data.harness.log, data.harness.messages, desktop});
            ASSERT_TRUE(
                editor.describeResult(1, {QString::number(c.ns), QString::number(c.ew), u"A1"_s, {}, {}}));
            EXPECT_EQ(editor.contract, QLatin1String(c.shown));
            editor.lead = QLatin1String(c.typed);
            EXPECT_EQ(editor.save(), ResultEditor::SaveOutcome::Stored);
        }
        EXPECT_EQ(test::queryRows(data.harness.db,
                                  u"SELECT PairNS || '-' || PairEW, Contract, Result, LeadCard FROM "
                                  "ReceivedData WHERE [Table]=1 AND Board=1 ORDER BY PairNS"_s),
                  QLatin1String(c.after));
    }
}

} // namespace
} // namespace qzc

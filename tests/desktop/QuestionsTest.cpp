// Every Yes/No question the program asks (the showMsg calls whose style has the Yes/No
// bit), each asked the way the program asks it and answered No.
#include "ProgramRig.h"
#include "core/GameSettingsEditor.h"
#include "desktop/frmdesktop.h"
#include "gamedata/RegisteredPlayersEditor.h"
#include "gamedata/ResultEditor.h"
#include "reports/PopUpResults.h"
#include "session/GameSession.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/TestGuiApp.h"

#include <QAction>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

/// Section A of 7 Mitchell tables; Smith (ID 12) registered at table 1 North, Adams (ID 30)
/// at table 2 East; with the results of the Mitchell fixture or none.
test::EventBuilder registered(test::EventBuilder b) {
    b.addRegisteredPlayer(1, 1, u"N"_s, u"12"_s, u"Smith"_s, 1);
    b.addRegisteredPlayer(1, 2, u"E"_s, u"30"_s, u"Adams"_s, 9);
    return b;
}
test::EventBuilder played() {
    return registered(test::fixtures::mitchell());
}
test::EventBuilder notPlayed() {
    test::EventBuilder b;
    b.addMitchellMovement(b.addSection(u"A"_s), 7, 7, 3);
    return registered(std::move(b));
}

struct Asking {
    enum class Entry { NoResult, Emptied, FreeRemark };

    /// Save in the result edit dialog of board 1 at table A1 (NS 1, EW 8).
    void editResult(Entry entry) {
        ResultEditor editor({p.gameData(), p.settings(), p.log(), rig.messages, p.desktop()});
        editor.describeResult(1, {u"1"_s, u"8"_s, u"A1"_s, {}, {}});
        if (entry == Entry::NoResult)
            editor.made = u"x"_s;
        if (entry == Entry::Emptied)
            editor.contract = editor.declarer = editor.made = editor.lead = QString();
        if (entry == Entry::FreeRemark) {
            editor.cmdRuling_Click();
            editor.freeRemark = true;
            editor.remark = u"late arrival"_s;
        }
        editor.save();
    }
    /// The pop-up's line of board 1 at table A1 in round 1, typed over.
    void editPopUp(const QString& typed) {
        PopUpResults popUp(p.gameData(), p.log(), rig.messages, p.desktop());
        popUp.saveEdit(u"A1"_s, 1, popUp.resultLine(u"A1"_s, 1, 1), typed);
    }
    /// Smith's member ID (column 3) or name (column 4) typed over.
    void changeSmith(int column, const QString& typed) {
        RegisteredPlayersEditor editor{
            {{p.db(), p.log(), rig.messages, p.names(), p.config(), clock}, p.gameData()}};
        editor.Form_Load(1);
        const auto& rows = editor.gridFill().rows;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::optional<NameChangePrompt> prompt =
                editor.cellPressed(static_cast<int>(i) + 1, column);
            if (rows[i][4] == u"Smith"_s && prompt)
                editor.applyChange(*prompt, typed);
        }
    }
    void askForIds() {
        p.settings().setGameSetting(u"custom_qz_askplayerid"_s, u"1"_s);
        GameSettingsEditor({p.settings(), p.db(), p.config(), p.log(), rig.messages, p.event(), p})
            .checkPlayerIDentered();
    }
    /// The scoring program changes the movement; the game-data timer finds it.
    void changeMovement() {
        p.db().execSQL(u"UPDATE Tables SET UpdateFromRound=4 WHERE [Table] IN (2, 5)"_s, {});
        for (int tick = 0; tick < GameSession::analyzeEveryTicks; ++tick)
            p.session().timerAnalyzeGameDB_Timer();
    }
    void trigger(const char* item) {
        auto* action = p.desktop().findChild<QAction*>(QLatin1String(item));
        action->setEnabled(true);
        action->trigger();
    }
    void exportDealsAgain() {
        QFile(p.event().scoreDbFolder + p.event().eventFileName + u"#1.brk"_s).open(QIODevice::WriteOnly);
        trigger("mnu_exportdeal");
    }

    test::ProgramRig& rig;
    const Clock& clock;
    Program& p;
};

TEST(QuestionsTest, EveryYesNoQuestionOffersNo) {
    using Entry = Asking::Entry;
    using std::placeholders::_1;
    const struct {
        /// The caption of the question, or the start of its text.
        const char* question;
        /// 308: No has the focus.
        qint16 style;
        test::EventBuilder (*event)();
        std::function<void(Asking&)> ask;
    } questions[] = {
        {"Save entry as remark?", 308, played, std::bind(&Asking::editResult, _1, Entry::NoResult)},
        {"Annul entry?", 308, played, std::bind(&Asking::editResult, _1, Entry::Emptied)},
        {"Save remark", 36, played, std::bind(&Asking::editResult, _1, Entry::FreeRemark)},
        {"Save changed result?", 36, played, std::bind(&Asking::editPopUp, _1, u"3NTS="_s)},
        {"<x> is not a valid result entry.", 36, played, std::bind(&Asking::editPopUp, _1, u"x"_s)},
        {"Do you really want to annul", 36, played, std::bind(&Asking::editPopUp, _1, QString())},
        {"Permit identical name?", 308, played, std::bind(&Asking::changeSmith, _1, 4, u"Adams"_s)},
        {"Swap players?", 308, played, std::bind(&Asking::changeSmith, _1, 3, u"30"_s)},
        {"Ask players for ID", 36, notPlayed, &Asking::askForIds},
        {"The scoring program has changed the movement", 52, test::fixtures::multiStanza,
         &Asking::changeMovement},
        {"WARNING", 308, played, std::bind(&Asking::trigger, _1, "mnu_sys_forcedstart")},
        {"The file, ", 52, played, &Asking::exportDealsAgain},
    };
    test::TestGuiApp app;
    for (const auto& q : questions) {
        SCOPED_TRACE(q.question);
        test::FakeClock clock;
        test::ProgramRig rig{clock};
        ASSERT_TRUE(rig.prepare(q.event()));
        ASSERT_TRUE(rig.make().start());
        Asking asking{rig, clock, *rig.program};
        q.ask(asking);
        const QString key = QString::fromUtf8(q.question);
        const auto& shown = rig.messages.shown;
        const auto asked = std::find_if(shown.begin(), shown.end(), [&key](const auto& s) {
            return s.caption == key || s.text.startsWith(key);
        });
        ASSERT_NE(asked, shown.end());
        EXPECT_TRUE(asked->secondButton);
        EXPECT_EQ(asked->style, q.style);
    }
}

} // namespace
} // namespace qzc

#include "dialogs/frmSettings.h"

#include "core/SettingsDialogHost.h"
#include "core/SettingsRow.h"
#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/Fixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Readable QString values in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace qzc {
namespace {

using test::EventBuilder;

class FakeSettingsHost final : public SettingsDialogHost {
public:
    void RefreshTableStatus() override { ++refreshes; }
    void gameSettingsSaved() override {}
    void showHelp(qint16 topic) override { helpTopics.push_back(topic); }
    void endProgram() override { ++programEnds; }

    int refreshes = 0;
    std::vector<qint16> helpTopics;
    int programEnds = 0;
};

const QString kGameMode = QStringLiteral("Game Settings");
const QString kDefaultMode = QStringLiteral("Default Game Settings");
const QString kSaveFailed = QStringLiteral("The game settings could not be saved. Please check.");
const QString kPinRule = QStringLiteral("The TD PIN must be four digits.");
// What happens while a dialog loaded before the game started is open.
const char* const kTerminalLogsIn = "INSERT INTO custom_qz_TQZ (TQZ_ID, Section, [Table]) VALUES (501, 1, 1)";
const char* const kLaterStanzaBegins = "UPDATE Section SET custom_qz_StanazBeginGameRound=4";

// A store the dialog shows without changing anything, and its SET list.
const char* const kBaseline = "topranking=0 showgoto=0 askpincode=0 askdeal=0 askbid=0 askplay=0 "
                              "askconfirmation=1 scoringtype=0 gametype=0 scoreacrosspair=0 tdpin=4381 "
                              "askplayerid=0 asklead=0 includedeal=0 makableformat=0 includemakable=0 "
                              "pointtodeclarer=0 showboardmatrix=0 rotatedirections=0 overridedefault=0 "
                              "autowebpublish=0 inputmethod=0 feedbackstyle=1 recapresult=0 roundsummary=0 "
                              "permitresultchange=0 shownames=0";
const QString kBaselineSetList = QStringLiteral(
    "custom_qz_topranking=0,custom_qz_showgoto=0,custom_qz_askpincode=0,custom_qz_askdeal=0,"
    "custom_qz_askbid=0,custom_qz_askplay=0,custom_qz_askconfirmation=1,custom_qz_scoringtype=0,"
    "custom_qz_gametype=0,custom_qz_scoreacrosspair=0,custom_qz_tdpin='4381',custom_qz_askplayerid=0,"
    "custom_qz_skipcheckIDexist=0,custom_qz_asklead=0,custom_qz_includedeal=0,custom_qz_makableformat=0,"
    "custom_qz_includemakable=0,custom_qz_pointtodeclarer=0,custom_qz_showboardmatrix=0,"
    "custom_qz_rotatedirections=0,custom_qz_overridedefault=0,custom_qz_autowebpublish=0,"
    "custom_qz_inputmethod=0,custom_qz_feedbackstyle=1,custom_qz_recapresult=0,custom_qz_roundsummary=0,"
    "custom_qz_permitresultchange=0,custom_qz_shownames=0");

// Every setting on: the mappings of ranking (10), scoring (2), input, feedback and format.
const char* const kAllOn = "topranking=10 showgoto=1 askpincode=1 askdeal=1 askbid=1 askplay=1 "
                           "askconfirmation=1 scoringtype=2 gametype=1 scoreacrosspair=1 tdpin=0042 "
                           "askplayerid=1 asklead=1 includedeal=1 makableformat=1 includemakable=1 "
                           "pointtodeclarer=1 showboardmatrix=1 rotatedirections=1 overridedefault=1 "
                           "autowebpublish=1 inputmethod=2 feedbackstyle=2 recapresult=1 roundsummary=1 "
                           "permitresultchange=1 shownames=1";
// "Play" is ticked, so "Lead" is saved unticked; "Player ID" ticked adds no skip item.
const QString kAllOnSetList = QStringLiteral(
    "custom_qz_topranking=10,custom_qz_showgoto=1,custom_qz_askpincode=1,custom_qz_askdeal=1,"
    "custom_qz_askbid=1,custom_qz_askplay=1,custom_qz_askconfirmation=1,custom_qz_scoringtype=2,"
    "custom_qz_gametype=1,custom_qz_scoreacrosspair=1,custom_qz_tdpin='0042',custom_qz_askplayerid=1,"
    "custom_qz_asklead=0,custom_qz_includedeal=1,custom_qz_makableformat=1,custom_qz_includemakable=1,"
    "custom_qz_pointtodeclarer=1,custom_qz_showboardmatrix=1,custom_qz_rotatedirections=1,"
    "custom_qz_overridedefault=1,custom_qz_autowebpublish=1,custom_qz_inputmethod=2,"
    "custom_qz_feedbackstyle=2,custom_qz_recapresult=1,custom_qz_roundsummary=1,"
    "custom_qz_permitresultchange=1,custom_qz_shownames=1");

QString baselineWith(const QString& from, const QString& to) {
    return QString(kBaselineSetList).replace(from, to);
}

class SettingsDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_dialogs";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr)
            app_ = new QApplication(argc, argv);
    }
    static void TearDownTestSuite() {
        delete app_;
        app_ = nullptr;
    }

    // Starts the program anew on the event, a second opening unless newEvent.
    bool start(EventBuilder builder, bool newEvent = false) {
        harness_ = std::make_unique<test::EventHarness>();
        host = FakeSettingsHost();
        if (!h().buildAndStart(builder))
            return false;
        h().event.isNewEvent = newEvent;
        return true;
    }
    test::EventHarness& h() { return *harness_; }

    // "scoringtype=2 tdpin=" sets custom_qz_scoringtype and custom_qz_tdpin.
    void setStore(const char* values, bool defaults = false) {
        for (const QString& item : QString::fromLatin1(values).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QStringList parts = item.split(QLatin1Char('='));
            h().settings.setGameSetting(QStringLiteral("custom_qz_") + parts[0], parts.value(1), defaults);
        }
    }
    // proposeDefaults: opened as the game settings command opens it.
    std::unique_ptr<frmSettings> open(const QString& mode = kGameMode, bool proposeDefaults = false) {
        h().event.settingsDialogMode = mode;
        auto dialog = std::make_unique<frmSettings>(GameSettingsEditor::Services{
            h().settings, h().db, h().config, h().log, h().messages, h().event, host, proposeDefaults});
        dialog->show();
        return dialog;
    }
    static QAbstractButton* button(frmSettings& dialog, const QString& name) {
        auto* found = dialog.findChild<QAbstractButton*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static void click(frmSettings& dialog, const char* names) {
        for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (QAbstractButton* b = button(dialog, name))
                b->click();
        }
    }
    // "chkFeedback+ optFeedback_0-g": ticked (+) or not (-), greyed when "g" follows.
    static void expectControls(frmSettings& dialog, const char* expected, const char* context) {
        for (QString item : QString::fromLatin1(expected).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const bool greyed = item.endsWith(QLatin1Char('g'));
            if (greyed)
                item.chop(1);
            const bool ticked = item.endsWith(QLatin1Char('+'));
            item.chop(1);
            if (QAbstractButton* b = button(dialog, item)) {
                EXPECT_EQ(b->isChecked(), ticked) << context << ": " << item.toStdString();
                EXPECT_EQ(b->isEnabled(), !greyed) << context << ": " << item.toStdString() << " enabled";
            }
        }
    }
    static QLineEdit* pinBox(frmSettings& dialog) {
        return dialog.findChild<QLineEdit*>(QStringLiteral("txtTDPIN"));
    }
    qint32 count(const QString& sql) {
        qint32 n = -1;
        h().db.getDBValue(sql, QStringLiteral("n"), n);
        return n;
    }
    // The 27 saved columns of the settings row, as text.
    QStringList storedRow() {
        QStringList values;
        std::optional<QSqlQuery> row = h().db.select(QStringLiteral("SELECT * FROM custom_qz_Settings"));
        if (!row || !row->next())
            return values;
        for (const char* column : savedSettingColumns)
            values << row->value(QString::fromLatin1(column)).toString();
        return values;
    }

    // Saves once the statement (if any) of what happened while the dialog was open has run;
    // answers the saved columns named by their index in savedSettingColumns.
    std::string saveAfter(frmSettings& dialog, const char* meanwhile,
                          std::initializer_list<qsizetype> columns) {
        if (*meanwhile != '\0') {
            EXPECT_TRUE(h().db.execSQL(QString::fromLatin1(meanwhile), QStringLiteral("test")));
        }
        click(dialog, "OKButton");
        EXPECT_FALSE(dialog.isVisible());
        const QStringList row = storedRow();
        QStringList saved;
        for (const qsizetype column : columns)
            saved << row.value(column);
        return saved.join(u' ').toStdString();
    }
    static std::string keptMessage(const std::string& kept) {
        return kept.empty()
                   ? kept
                   : "The game is under way, so these settings keep their stored values: " + kept + ".";
    }

    FakeSettingsHost host;

private:
    std::unique_ptr<test::EventHarness> harness_;
    static inline QApplication* app_ = nullptr;
};

TEST_F(SettingsDialogTest, LoadShowsTheStoredSettingsWithTheRulesApplied) {
    struct Case {
        const char* name;
        const char* store;
        const char* expected;
    };
    // Over an empty store; the database holds every table, so "Deal", "Bidding" and "Play" are offered.
    const Case cases[] = {
        {"empty store", "",
         "chkMovement_1- chkGameType- chkAsk_0- chkAsk_1- chkAsk_2- chkAsk_3- chkAsk_4- chkAsk_5- "
         "chkAsk_6- "
         "optInput_0+ optScoring_0+ optScoring_2- chkFeedback+ optFeedback_0-g optFeedback_1+ "
         "optFeedback_2-g "
         "chkIncludeDeal- chkIncludeMakable-g optMakableFormat_0+g optMakableFormat_1-g chkRanking- "
         "chkRankingTop10-g chkRoundSummary- chkChangeResult-g chkShowNames-"},
        {"MP keeps every feedback style", "scoringtype=2 feedbackstyle=0",
         "optScoring_2+ optFeedback_0+ optFeedback_2-"},
        {"Play unticks and greys Lead", "askplay=1 asklead=1", "chkAsk_5+ chkAsk_2-g"},
        {"ranking 10", "topranking=10", "chkRanking+ chkRankingTop10+"},
        {"ranking 99", "topranking=99", "chkRanking+ chkRankingTop10-"},
        {"ranking 5", "topranking=5", "chkRanking+ chkRankingTop10-"},
        {"no feedback", "feedbackstyle=-1 includedeal=1",
         "chkFeedback- optFeedback_0-g optFeedback_1-g optFeedback_2-g chkIncludeDeal-g chkIncludeMakable-g"},
        {"deal with makable contracts",
         "scoringtype=2 feedbackstyle=2 includedeal=1 includemakable=1 makableformat=1",
         "optFeedback_2+ chkIncludeDeal+ chkIncludeMakable+ optMakableFormat_0- optMakableFormat_1+"},
        {"makable without deal", "includedeal=0 includemakable=1",
         "chkIncludeMakable-g optMakableFormat_1-g"},
        {"permit without round summary", "roundsummary=0 permitresultchange=1", "chkChangeResult+g"},
        {"input method out of range", "inputmethod=7", "optInput_0+"},
    };
    ASSERT_TRUE(start(test::fixtures::mitchell()));
    for (const Case& c : cases) {
        for (const char* column : savedSettingColumns)
            h().settings.setGameSetting(QString::fromLatin1(column), QString());
        setStore(c.store);
        auto dialog = open();
        EXPECT_EQ(dialog->windowTitle(), kGameMode) << c.name;
        expectControls(*dialog, c.expected, c.name);
        EXPECT_TRUE(dialog->findChild<QWidget*>(QStringLiteral("chkOverrideDefault"))->isHidden()) << c.name;
    }
    setStore("tdpin=0042");
    EXPECT_EQ(pinBox(*open())->text(), QStringLiteral("0042"));
}

TEST_F(SettingsDialogTest, DefaultModeShowsTheDefaultsAndGreysWhatTheDatabaseCannotRecord) {
    ASSERT_TRUE(start(test::fixtures::withoutOptionalTables()));
    setStore(kBaseline);
    setStore(kBaseline, true);
    setStore("shownames=1 askdeal=1 overridedefault=1", true);
    auto dialog = open(kDefaultMode);
    EXPECT_EQ(dialog->windowTitle(), kDefaultMode);
    // No HandRecord, BiddingData or PlayData table: "Deal", "Bidding" and "Play" are greyed.
    expectControls(*dialog, "chkShowNames+ chkAsk_3+g chkAsk_4-g chkAsk_5-g chkOverrideDefault+", "defaults");
    EXPECT_FALSE(dialog->findChild<QWidget*>(QStringLiteral("chkOverrideDefault"))->isHidden());
}

TEST_F(SettingsDialogTest, ClicksKeepTheControlsConsistent) {
    struct Case {
        const char* name;
        const char* store;
        const char* clicks;
        const char* expected;
    };
    const Case cases[] = {
        {"unticking feedback clears the deal boxes",
         "scoringtype=2 feedbackstyle=2 includedeal=1 includemakable=1", "chkFeedback",
         "optFeedback_0-g optFeedback_2+g chkIncludeDeal-g chkIncludeMakable-g optMakableFormat_0+g"},
        {"feedback without a stored style picks both under MP", "scoringtype=2 feedbackstyle=-1",
         "chkFeedback", "optFeedback_0+ chkIncludeDeal-"},
        {"feedback without a stored style picks the traveller under IMP", "feedbackstyle=-1", "chkFeedback",
         "optFeedback_0-g optFeedback_1+ optFeedback_2-g"},
        {"IMP moves frequencies to the traveller; MP offers both again", "scoringtype=2 feedbackstyle=2",
         "optScoring_0 optScoring_2", "optScoring_2+ optFeedback_0- optFeedback_1+ optFeedback_2-"},
        {"unticking ranking greys top 10 and keeps its tick", "topranking=10", "chkRanking",
         "chkRankingTop10+g"},
        {"unticking round summary greys permit", "roundsummary=1 permitresultchange=1", "chkRoundSummary",
         "chkChangeResult+g"},
        {"deal, then makable, opens the formats", "scoringtype=2 feedbackstyle=0",
         "chkIncludeDeal chkIncludeMakable optMakableFormat_1",
         "chkIncludeMakable+ optMakableFormat_0- optMakableFormat_1+"},
    };
    ASSERT_TRUE(start(test::fixtures::mitchell()));
    for (const Case& c : cases) {
        setStore(kBaseline);
        setStore(c.store);
        auto dialog = open();
        click(*dialog, c.clicks);
        expectControls(*dialog, c.expected, c.name);
    }
}

TEST_F(SettingsDialogTest, TdPinBoxKeepsNumbersOnly) {
    // Each text of keys arrives in one key event, as a paste does.
    const std::pair<std::vector<const char*>, const char*> cases[] = {{{"1", "2", "a", "4"}, "124"},
                                                                      {{"-12"}, "-12"},
                                                                      {{"-"}, ""},
                                                                      {{"1", "2", "3", "4", "5"}, "1234"},
                                                                      {{"12", "x"}, "12"}};
    ASSERT_TRUE(start(test::fixtures::mitchell()));
    setStore(kBaseline);
    for (const auto& [typed, shown] : cases) {
        setStore("tdpin=");
        auto dialog = open();
        QLineEdit* box = pinBox(*dialog);
        for (const char* keys : typed) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(keys));
            QApplication::sendEvent(box, &press);
        }
        EXPECT_EQ(box->text(), QString::fromLatin1(shown)) << shown;
        EXPECT_EQ(dialog->editor().controls().txtTDPIN, QString::fromLatin1(shown)) << shown;
    }
}

TEST_F(SettingsDialogTest, StartedGameLocksWhatMustNotChange) {
    struct Case {
        const char* name;
        std::function<void(EventBuilder&)> setUp;
        bool started;
        const char* expected;
    };
    // "PIN codes" and "Reconfirmation" are ticked; "Lead" and "Reconfirmation" are never locked.
    const Case cases[] = {
        {"nothing started", [](EventBuilder&) {}, false,
         "chkAsk_1- chkAsk_3- chkGameType- optScoring_0+ optScoring_2-"},
        {"a terminal not at a table", [](EventBuilder& b) { b.addTerminal(501, 0, 0); }, false,
         "chkAsk_1- chkGameType-"},
        {"two terminals logged in",
         [](EventBuilder& b) {
             b.addTerminal(501, 1, 1);
             b.addTerminal(502, 1, 2);
         },
         true, "chkAsk_1-g chkAsk_2- chkAsk_3-g chkAsk_6+ chkGameType-g optScoring_0+g optScoring_2-g"},
        {"section past its first stanza", [](EventBuilder& b) { b.setStanza(1, 4, 7); }, false,
         "chkAsk_1-g chkAsk_2- chkAsk_3-g chkGameType- optScoring_0+"},
    };
    for (const Case& c : cases) {
        EventBuilder builder = test::fixtures::mitchell();
        c.setUp(builder);
        ASSERT_TRUE(start(builder)) << c.name;
        setStore(kBaseline);
        setStore("askpincode=1");
        auto dialog = open();
        EXPECT_EQ(dialog->windowTitle(),
                  c.started ? kGameMode + QStringLiteral(" - Round is started!") : kGameMode)
            << c.name;
        expectControls(*dialog, c.expected, c.name);
        // A ticked ask box can still be switched off.
        click(*dialog, "chkAsk_0");
        expectControls(*dialog, "chkAsk_0-", c.name);
    }
}

// The dialog is loaded before the game starts and saved after: the lock holds as it stands at
// the Save. The director switched to MP and Individual, asked for bidding and no longer for
// PIN codes, and ticked "Show names".
TEST_F(SettingsDialogTest, SaveKeepsWhatTheGameLockedSinceTheLoad) {
    const struct {
        const char* name;
        const char* meanwhile;
        /// custom_qz_ scoringtype, gametype, askbid, askpincode and shownames as saved.
        const char* saved;
        const char* kept;
    } cases[] = {
        {"nothing started", "", "2 1 1 0 1", ""},
        {"a terminal logged in", kTerminalLogsIn, "0 0 0 0 1", "Individual, Scoring, Bidding"},
        {"a section past its first stanza", kLaterStanzaBegins, "2 1 0 0 1", "Bidding"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(start(test::fixtures::mitchell()));
        setStore(kBaseline);
        setStore("askpincode=1");
        auto dialog = open();
        click(*dialog, "optScoring_2 chkGameType chkAsk_4 chkAsk_0 chkShowNames");
        EXPECT_EQ(saveAfter(*dialog, c.meanwhile, {7, 8, 4, 2, 26}), c.saved);
        EXPECT_EQ(h().messages.texts().join(u'|').toStdString(), keptMessage(c.kept));
    }
}

// In force: Lead asked, Play not, MP with traveller and frequencies. Before the game starts the
// director ticks Play (which unticks Lead) and picks IMP (which moves the feedback to the
// traveller), and ticks "Show names". A kept Play or scoring is kept with what its click changed.
TEST_F(SettingsDialogTest, SaveKeepsALockedSettingWithWhatItsClickChanged) {
    const struct {
        const char* name;
        const char* meanwhile;
        const char* thenClicked;
        /// custom_qz_ askplay, scoringtype, asklead, feedbackstyle and shownames as saved.
        const char* saved;
        const char* kept;
    } cases[] = {
        {"nothing started", "", "", "1 0 0 1 1", ""},
        {"a terminal logged in", kTerminalLogsIn, "", "0 2 1 0 1", "Scoring, Play"},
        {"a terminal logged in, feedback switched off by hand", kTerminalLogsIn, "chkFeedback", "0 2 1 -1 1",
         "Scoring, Play"},
        {"a section past its first stanza", kLaterStanzaBegins, "", "0 0 1 1 1", "Play"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(start(test::fixtures::mitchell()));
        setStore(kBaseline);
        setStore("asklead=1 scoringtype=2 feedbackstyle=0");
        auto dialog = open();
        click(*dialog, "chkAsk_5 optScoring_0 chkShowNames");
        click(*dialog, c.thenClicked);
        EXPECT_EQ(saveAfter(*dialog, c.meanwhile, {5, 7, 12, 22, 26}), c.saved);
        EXPECT_EQ(h().messages.texts().join(u'|').toStdString(), keptMessage(c.kept));
    }
}

TEST_F(SettingsDialogTest, SaveWritesTheRowAndFlagsEveryTableOnlyWhenNeeded) {
    struct Case {
        const char* name;
        bool withoutRow;
        bool newEvent;
        const char* store;
        const char* clicks;
        /// The SET list written; empty when nothing may be written.
        QString setList;
        qint64 statements;
        /// Refused: the message shown, the dialog stays open.
        QString refusal = {};
    };
    const QString namesOn = baselineWith(QStringLiteral("shownames=0"), QStringLiteral("shownames=1"));
    const Case cases[] = {
        {"nothing changed", false, false, "", "", {}, 0},
        {"nothing changed on a new event", false, true, "", "", kBaselineSetList, 2},
        {"one box changed", false, false, "", "chkShowNames", namesOn, 2},
        {"no settings row yet", true, false, "", "chkShowNames", namesOn, 3},
        {"empty TD PIN saves 4381", false, false, "tdpin=", "", kBaselineSetList, 2},
        {"permit is saved only with round summary", false, false, "roundsummary=1 permitresultchange=1",
         "chkRoundSummary", kBaselineSetList, 2},
        {"every setting on", false, true, kAllOn, "", kAllOnSetList, 2},
        {"TD PIN with a sign", false, false, "tdpin=-12", "chkShowNames", {}, 0, kPinRule},
        {"TD PIN of three digits", false, false, "tdpin=123", "chkShowNames", {}, 0, kPinRule},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(start(test::fixtures::mitchell(), c.newEvent)) << c.name;
        if (c.withoutRow) {
            ASSERT_TRUE(
                h().db.execSQL(QStringLiteral("DELETE FROM custom_qz_Settings"), QStringLiteral("test")));
        }
        h().event.boardsPerRound = 3;
        h().event.totalBoards = 21;
        setStore(kBaseline);
        setStore(c.store);
        // In the store only: the reload of the shared Settings row after a save replaces it.
        h().settings.setGameSetting(QStringLiteral("ShowResults"), QStringLiteral("unsaved"));
        const QStringList rowBefore = storedRow();
        auto dialog = open();
        click(*dialog, c.clicks);
        const QStringList saved = dialog->editor().savedValues();
        if (!c.setList.isEmpty()) {
            EXPECT_EQ(dialog->editor().settingsSetList(), c.setList) << c.name;
        }

        const qint64 before = h().db.executedStatements();
        click(*dialog, "OKButton");

        const bool written = !c.setList.isEmpty();
        EXPECT_EQ(h().db.executedStatements() - before, c.statements) << c.name;
        EXPECT_EQ(dialog->isVisible(), !c.refusal.isEmpty()) << c.name;
        EXPECT_EQ(h().messages.texts(), c.refusal.isEmpty() ? QStringList() : QStringList{c.refusal})
            << c.name;
        EXPECT_EQ(storedRow(), written ? saved : rowBefore) << c.name;
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) AS n FROM custom_qz_Settings")),
                  written || !c.withoutRow ? 1 : 0)
            << c.name;
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) AS n FROM [Tables] WHERE custom_qz_loadsetup=1")),
                  written ? count(QStringLiteral("SELECT COUNT(*) AS n FROM [Tables]")) : 0)
            << c.name;
        EXPECT_EQ(host.refreshes, written ? 1 : 0) << c.name;
        EXPECT_EQ(h().settings.getGameSetting(QStringLiteral("ShowResults")) != QStringLiteral("UNSAVED"),
                  written)
            << c.name;
        EXPECT_EQ(h().event.boardsPerRound, 3) << c.name;
        EXPECT_EQ(h().event.totalBoards, 21) << c.name;
    }
}

TEST_F(SettingsDialogTest, FailedSaveKeepsTheDialogOpenAndFlagsNothing) {
    ASSERT_TRUE(start(test::fixtures::mitchell()));
    // The flags of the tables cannot be written, so the row must not be either.
    ASSERT_TRUE(h().db.execSQL(QStringLiteral("CREATE TRIGGER refuseFlags BEFORE UPDATE ON [Tables] "
                                              "BEGIN SELECT RAISE(ABORT, 'locked'); END"),
                               QStringLiteral("test")));
    setStore(kBaseline);
    h().settings.setGameSetting(QStringLiteral("ShowResults"), QStringLiteral("unsaved"));
    const QStringList rowBefore = storedRow();
    // A terminal's result stored while the director reads the message stays stored.
    h().messages.whileShown = [this] {
        h().db.execSQL(
            QStringLiteral("INSERT INTO ReceivedData (Section, [Table], Round, Board, PairNS, "
                           "PairEW, Contract, Remarks) VALUES (1, 7, 6, 16, 7, 9, '3NT', 'meanwhile')"),
            QStringLiteral("test"));
    };
    auto dialog = open();
    click(*dialog, "chkShowNames OKButton");

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(h().messages.texts(), QStringList{kSaveFailed});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) AS n FROM ReceivedData WHERE Remarks='meanwhile'")), 1);
    EXPECT_EQ(storedRow(), rowBefore);
    EXPECT_EQ(host.refreshes, 0);
    EXPECT_EQ(h().settings.getGameSetting(QStringLiteral("ShowResults")), QStringLiteral("UNSAVED"));
}

TEST_F(SettingsDialogTest, DefaultModeSavesEveryIniKeyAndReloadsTheDefaults) {
    const char* const keys =
        "ShowRanking=10 ShowGoto=1 AskPIN=1 AskDeal=1 AskBidding=1 AskPlay=1 "
        "AskConfirmation=1 ScoringType=2 GameType=1 ScoreAcrossPair=1 TDPIN=4381 "
        "AskPlayerID=1 AskLead=0 IncludeDeal=1 makableFormat=1 Includemakable=1 "
        "PointToDeclarer=1 ShowBoardMatrix=1 RotateDirections=1 ScoringOverrideDefault=1 "
        "AutoWebPublish=1 InputMethod=2 Feedback=2 RecapResult=1 RoundSummary=1 "
        "PermitResultChange=1 ShowNames=1";
    ASSERT_TRUE(start(test::fixtures::mitchell()));
    setStore(kBaseline);
    setStore(kAllOn, true);
    setStore("tdpin=", true);
    auto dialog = open(kDefaultMode);
    const qint64 before = h().db.executedStatements();
    click(*dialog, "OKButton");

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(h().db.executedStatements(), before);
    EXPECT_EQ(host.refreshes, 0);
    for (const QString& item : QString::fromLatin1(keys).split(QLatin1Char(' '))) {
        const QStringList parts = item.split(QLatin1Char('='));
        EXPECT_EQ(h().config.readDefault(parts[0]), parts[1]) << parts[0].toStdString();
    }
    EXPECT_EQ(h().settings.getGameSetting(QStringLiteral("custom_qz_tdpin"), true), QStringLiteral("4381"));
}

TEST_F(SettingsDialogTest, UnwritableIniFileKeepsTheDefaultsDialogOpen) {
    ASSERT_TRUE(start(test::fixtures::mitchell()));
    setStore(kBaseline, true);
    setStore("shownames=1", true);
    // A folder where the ini file should be cannot be written.
    QFile::remove(h().config.ini().path());
    ASSERT_TRUE(QDir().mkpath(h().config.ini().path()));
    auto dialog = open(kDefaultMode);
    click(*dialog, "OKButton");

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(h().messages.texts(), QStringList{kSaveFailed});
    EXPECT_EQ(h().settings.getGameSetting(QStringLiteral("custom_qz_shownames"), true), QStringLiteral("1"));
}

TEST_F(SettingsDialogTest, AsksBeforePlayersEnterIdsAgain) {
    struct Case {
        const char* name;
        bool results;
        const char* storedAskId;
        std::deque<bool> answers;
        const char* button;
        bool asked;
        bool closes;
        qint32 skipCheck;
        /// "Player ID" of the defaults for new events, which the dialog shows for a row never
        /// saved.
        const char* defaultAskId = "";
    };
    const Case cases[] = {
        {"IDs not asked so far", false, "askplayerid=0", {}, "OKButton", false, true, 0},
        {"director says No", false, "askplayerid=1", {false}, "OKButton", true, false, 0},
        {"director says Yes", false, "askplayerid=1", {true}, "OKButton", true, true, 1},
        {"results received already", true, "askplayerid=1", {}, "OKButton", false, true, 0},
        {"Cancel asks too", false, "askplayerid=1", {false}, "CancelButton", true, false, 0},
        // A row never saved: the question follows the defaults that the dialog shows.
        {"unsaved row, no IDs shown", false, "askplayerid=1 tdpin=", {}, "CancelButton", false, true, 0, "0"},
        {"unsaved row, IDs shown", false, "askplayerid=0 tdpin=", {false}, "OKButton", true, false, 0, "1"},
    };
    for (const Case& c : cases) {
        EventBuilder builder;
        const int a = builder.addSection(QStringLiteral("A"));
        builder.addMitchellMovement(a, 3, 3, 2);
        builder.addPlayerNumber(a, 2, QStringLiteral("N"), QStringLiteral("0"));
        builder.addPlayerNumber(a, 1, QStringLiteral("E"), QStringLiteral("10234"));
        if (c.results)
            builder.addResult(
                test::ResultRow::played(a, 1, 1, 1, 1, 4, QStringLiteral("4S"), QStringLiteral("N"), 10));
        ASSERT_TRUE(start(builder)) << c.name;
        setStore(kBaseline);
        setStore(c.storedAskId);
        h().settings.setGameSetting(QStringLiteral("custom_qz_askplayerid"), QLatin1String(c.defaultAskId),
                                    true);
        h().messages.answers = c.answers;
        auto dialog = open(kGameMode, true);
        if (QLatin1String(c.button) == QLatin1String("OKButton") &&
            !button(*dialog, QStringLiteral("chkAsk_1"))->isChecked())
            click(*dialog, "chkAsk_1");
        click(*dialog, c.button);

        ASSERT_EQ(h().messages.shown.size(), c.asked ? 1u : 0u) << c.name;
        if (c.asked) {
            const test::ScriptedMessageBox::Shown& shown = h().messages.shown[0];
            EXPECT_EQ(shown.text,
                      QStringLiteral("Player IDs has already been entered.\r\n"
                                     "Are you sure that you want the players to enter ID anyway?"));
            EXPECT_EQ(shown.caption, QStringLiteral("Ask players for ID"));
            EXPECT_EQ(shown.style, 36);
            EXPECT_EQ(shown.helpTopic, 19);
        }
        EXPECT_EQ(dialog->isVisible(), !c.closes) << c.name;
        EXPECT_EQ(count(QStringLiteral("SELECT custom_qz_skipcheckIDexist AS n FROM custom_qz_Settings")),
                  c.skipCheck)
            << c.name;
    }
}

TEST_F(SettingsDialogTest, QuitOnANewEventEndsTheProgramAsIfTheEventWasNeverOpened) {
    ASSERT_TRUE(start(test::fixtures::mitchell(), true));
    setStore(kBaseline);
    auto dialog = open();
    dialog->offerQuitInsteadOfCancel();
    EXPECT_TRUE(button(*dialog, QStringLiteral("CancelButton"))->isHidden());
    EXPECT_FALSE(button(*dialog, QStringLiteral("cmdQuit"))->isHidden());

    QKeyEvent f1(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &f1);
    click(*dialog, "cmdHelp");
    EXPECT_EQ(host.helpTopics, (std::vector<qint16>{2, 2}));

    dialog->reject(); // Esc and the close button: Save or Quit only
    EXPECT_TRUE(dialog->isVisible());

    const QString logFile = h().event.logFilePath();
    click(*dialog, "cmdQuit");
    EXPECT_EQ(host.programEnds, 1);
    EXPECT_FALSE(h().db.isOpen());
    EXPECT_FALSE(dialog->isVisible());
    h().log.writeLog(0, QStringLiteral("Quit program")); // nothing brings the file back
    EXPECT_FALSE(QFile::exists(logFile));
}

} // namespace
} // namespace qzc

#include "core/GameSettings.h"

#include "core/ScoreDbSchema.h"
#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::EventHarness;

class GameSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { EXPECT_EQ(h.settings.setup_SettingsStructure2(), 18); }

    // Opens the built event and records which shared tables it has.
    void open(EventBuilder& builder) {
        ASSERT_TRUE(h.db.open(h.build(builder)));
        ScoreDbSchema(h.db, h.log).checkscoreDB(present);
    }
    QString get(const char* name, bool defaults = false) {
        return h.settings.getGameSetting(QString::fromLatin1(name), defaults);
    }
    void set(const char* name, const char* value) {
        h.settings.setGameSetting(QString::fromLatin1(name), QString::fromLatin1(value));
    }

    EventHarness h;
    TablePresence present;
};

TEST_F(GameSettingsTest, StructureNamesTheEntriesInOrder) {
    const std::pair<int, const char*> names[] = {{1, "ShowResults"},
                                                 {8, "BM2AuoShowScoreRecap"},
                                                 {18, "BM2EnterHandRecord"},
                                                 {19, "custom_qz_shownames"},
                                                 {29, "custom_qz_tdpin"},
                                                 {42, "custom_qz_skipcheckIDexist"},
                                                 {46, "custom_qz_showboardmatrix"},
                                                 {47, ""}};
    for (const auto& [index, name] : names)
        EXPECT_EQ(h.settings.entryName(index), QString::fromLatin1(name)) << index;
    EXPECT_EQ(h.logMessages(), QStringList({QStringLiteral("Create Game Settings structure"),
                                            QStringLiteral("46 fields created")}));
}

TEST_F(GameSettingsTest, DefaultsComeFromTheIniFile) {
    struct Case {
        const char* key;
        const char* entry;
        const char* iniValue;
        const char* expected;
    };
    const Case cases[] = {
        {"ShowNames", "custom_qz_shownames", "1", "1"},
        {"GameType", "custom_qz_gametype", "1", "1"},
        {"ShowRanking", "custom_qz_topranking", "99", "99"},
        {"ShowGoto", "custom_qz_showgoto", "1", "1"},
        {"AskPIN", "custom_qz_askpincode", "1", "1"},
        {"AskDeal", "custom_qz_askdeal", "1", "1"},
        {"AskBidding", "custom_qz_askbid", "1", "1"},
        {"AskPlay", "custom_qz_askplay", "1", "1"},
        {"ScoringType", "custom_qz_scoringtype", "2", "2"},
        {"ScoreAcrossPair", "custom_qz_scoreacrosspair", "1", "1"},
        {"TDPIN", "custom_qz_tdpin", "ab12", "4381"},
        {"Feedback", "custom_qz_feedbackstyle", "-1", "-1"},
        {"RecapResult", "custom_qz_recapresult", "1", "1"},
        {"RoundSummary", "custom_qz_roundsummary", "1", "1"},
        {"PermitResultChange", "custom_qz_permitresultchange", "1", "1"},
        {"AskPlayerID", "custom_qz_askplayerid", "1", "1"},
        {"AskLead", "custom_qz_asklead", "1", "1"},
        {"InputMethod", "custom_qz_inputmethod", "2", "2"},
        {"AskConfirmation", "custom_qz_askconfirmation", "0", "0"},
        {"IncludeDeal", "custom_qz_includedeal", "1", "1"},
        {"RotateDirections", "custom_qz_rotatedirections", "1", "1"},
        {"ScoringOverrideDefault", "custom_qz_overridedefault", "1", "1"},
        {"PointToDeclarer", "custom_qz_pointtodeclarer", "1", "1"},
        {"AutoWebPublish", "custom_qz_autowebpublish", "1", "1"},
        {"Includemakable", "custom_qz_includemakable", "1", "1"},
        {"makableFormat", "custom_qz_makableformat", "1", "1"},
        {"ShowBoardMatrix", "custom_qz_showboardmatrix", "1", "1"},
    };
    h.settings.loadDefaultGameSettings(h.config);
    for (int i = 19; i <= 46; ++i) {
        const QString name = h.settings.entryName(i);
        const QString expected = name == QLatin1String("custom_qz_tdpin")             ? QStringLiteral("4381")
                                 : name == QLatin1String("custom_qz_askconfirmation") ? QStringLiteral("1")
                                                                                      : QString();
        EXPECT_EQ(h.settings.getGameSetting(name, true), expected) << name.toStdString();
    }

    for (const Case& c : cases)
        h.setDefault(QString::fromLatin1(c.key), QString::fromLatin1(c.iniValue));
    h.settings.loadDefaultGameSettings(h.config);
    for (const Case& c : cases) {
        EXPECT_EQ(get(c.entry, true), QString::fromLatin1(c.expected)) << c.key;
        EXPECT_EQ(get(c.entry), QString()) << "the current list is left alone";
    }
    EXPECT_EQ(get("custom_qz_skipcheckIDexist", true), QString());
}

TEST_F(GameSettingsTest, NamesMatchWithoutCaseAndUnknownNamesHoldNothing) {
    h.settings.setGameSetting(QStringLiteral("custom_qz_askdeal"), QStringLiteral("1"), true);
    EXPECT_EQ(get("CUSTOM_QZ_ASKDEAL", true), QStringLiteral("1"));
    EXPECT_EQ(get("custom_qz_askdeal"), QString());
    set("Custom_QZ_TDPin", "xy");
    EXPECT_EQ(get("custom_qz_tdpin"), QStringLiteral("XY"));
    set("custom_qz_nosuchthing", "1");
    EXPECT_EQ(get("custom_qz_nosuchthing"), QString());
    EXPECT_EQ(get(""), QString());
}

TEST_F(GameSettingsTest, DatabaseValuesReadByTheirColumnsDeclaredType) {
    struct Case {
        const char* entry;
        const char* column;
        QVariant stored;
        bool own;
        const char* expected;
    };
    const Case cases[] = {
        {"ShowResults", "ShowResults", -1, false, "TRUE"},
        {"LeadCard", "LeadCard", 0, false, "FALSE"},
        {"BM2RecordPlay", "BM2RecordPlay", 1, false, "TRUE"},
        {"BM2ResultsOverview", "BM2ResultsOverview", 4, false, "4"},
        {"BM2Ranking", "BM2Ranking", -1, false, "-1"},
        {"BM2PINcode", "BM2PINcode", QStringLiteral("x9z1"), false, "X9Z1"},
        {"custom_qz_tdpin", "custom_qz_tdpin", QStringLiteral("ab12"), true, "4381"},
        {"custom_qz_feedbackstyle", "custom_qz_feedbackstyle", -1, true, "-1"},
        {"custom_qz_topranking", "custom_qz_topranking", QVariant(), true, ""},
        {"custom_qz_showgoto", "custom_qz_showgoto", 1, true, "1"},
    };
    EventBuilder builder = test::fixtures::mitchell();
    for (const Case& c : cases) {
        if (c.own)
            builder.setOwnSetting(QString::fromLatin1(c.column), c.stored);
        else
            builder.setSetting(QString::fromLatin1(c.column), c.stored);
    }
    open(builder);
    set("custom_qz_topranking", "99");
    h.settings.loadSettings(h.db, true, present);
    h.settings.loadSettings(h.db, false, present);
    for (const Case& c : cases)
        EXPECT_EQ(get(c.entry), QString::fromLatin1(c.expected)) << c.entry;
    EXPECT_FALSE(h.logMessages().join(QLatin1Char('\n')).contains(QLatin1String("run-err")));
}

TEST_F(GameSettingsTest, AskDealNeedsTheHandRecordTable) {
    for (const bool withHandRecord : {true, false}) {
        EventHarness other;
        other.settings.setup_SettingsStructure2();
        EventBuilder builder = test::fixtures::mitchell();
        builder.setOwnSetting(QStringLiteral("custom_qz_askdeal"), 1);
        if (!withHandRecord)
            builder.withoutTable(QStringLiteral("HandRecord"));
        ASSERT_TRUE(other.db.open(other.build(builder)));
        TablePresence tables;
        ScoreDbSchema(other.db, other.log).checkscoreDB(tables);
        other.settings.loadSettings(other.db, true, tables);
        EXPECT_EQ(other.settings.getGameSetting(QStringLiteral("custom_qz_askdeal")),
                  withHandRecord ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

TEST_F(GameSettingsTest, SettingsColumnTheScoringProgramLacksLeavesItsEntryNameless) {
    EventBuilder builder = test::fixtures::settingsWithoutColumn();
    builder.setSetting(QStringLiteral("BM2ShowPlayerNames"), 2);
    open(builder);
    set("custom_qz_topranking", "99");
    h.settings.loadSettings(h.db, false, present);
    EXPECT_EQ(h.settings.entryName(12), QString());
    EXPECT_EQ(get("BM2Ranking"), QString());
    set("BM2Ranking", "5");
    EXPECT_EQ(get("BM2Ranking"), QString());
    h.settings.overrideSettingsByScoringProgram();
    EXPECT_EQ(get("custom_qz_topranking"), QStringLiteral("99"));
    EXPECT_EQ(get("custom_qz_shownames"), QStringLiteral("1"));
}

TEST_F(GameSettingsTest, MissingSettingsTableIsSkippedQuietly) {
    EventBuilder builder = test::fixtures::withoutOptionalTables();
    open(builder);
    const int before = static_cast<int>(h.logMessages().size());
    h.settings.loadSettings(h.db, false, present);
    EXPECT_EQ(h.logMessages().size(), before);
    EXPECT_EQ(get("ShowResults"), QString());

    // The own table is not optional: its failure is logged.
    ASSERT_TRUE(h.db.execSQL(QStringLiteral("DROP TABLE custom_qz_Settings"), QStringLiteral("t")));
    h.settings.loadSettings(h.db, true, present);
    const QStringList lines = h.logMessages().mid(before);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("run-err1 no such table")));
    EXPECT_TRUE(lines[0].endsWith(QLatin1String("(Database - loadSettings)")));
}

TEST_F(GameSettingsTest, CopyOfTheDefaultsReplacesTheCurrentValues) {
    h.settings.setGameSetting(QStringLiteral("custom_qz_tdpin"), QStringLiteral("9999"), true);
    set("custom_qz_tdpin", "1111");
    set("custom_qz_gametype", "1");
    set("ShowResults", "TRUE");
    h.settings.copyDefaultGameSettings();
    EXPECT_EQ(get("custom_qz_tdpin"), QStringLiteral("9999"));
    EXPECT_EQ(get("custom_qz_gametype"), QString());
    EXPECT_EQ(get("ShowResults"), QString());
}

TEST_F(GameSettingsTest, OverrideRulesOfTheScoringProgram) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> shared;
        const char* own;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {{{"ShowResults", "FALSE"}, {"BM2ResultsOverview", "1"}}, "custom_qz_feedbackstyle", "0", "-1"},
        {{{"ShowResults", "TRUE"}, {"BM2ResultsOverview", "4"}}, "custom_qz_feedbackstyle", "0", "1"},
        {{{"ShowResults", "TRUE"}, {"BM2ResultsOverview", "0"}}, "custom_qz_feedbackstyle", "-1", "2"},
        {{{"ShowResults", "TRUE"}, {"BM2ResultsOverview", "7"}}, "custom_qz_feedbackstyle", "0", "-1"},
        {{{"ShowResults", "TRUE"}}, "custom_qz_feedbackstyle", "1", "2"},
        {{{"BM2ResultsOverview", "5"}}, "custom_qz_feedbackstyle", "0", "1"},
        {{{"BM2ResultsOverview", "5"}}, "custom_qz_feedbackstyle", "-1", "-1"},
        {{}, "custom_qz_feedbackstyle", "0", "0"},
        {{{"MemberNumbers", "FALSE"}}, "custom_qz_askplayerid", "1", "0"},
        {{{"MemberNumbers", "TRUE"}}, "custom_qz_askplayerid", "0", "1"},
        {{{"LeadCard", "TRUE"}}, "custom_qz_asklead", "0", "1"},
        {{{"EnterResultsMethod", "2"}}, "custom_qz_inputmethod", "0", "2"},
        {{{"GroupSections", "FALSE"}}, "custom_qz_scoreacrosspair", "1", "0"},
        {{{"BM2NextSeatings", "TRUE"}}, "custom_qz_showgoto", "0", "1"},
        {{{"BM2ScoreCorrection", "TRUE"}}, "custom_qz_permitresultchange", "0", "1"},
        {{{"BM2ShowPlayerNames", "0"}}, "custom_qz_shownames", "1", "0"},
        {{{"BM2ShowPlayerNames", "2"}}, "custom_qz_shownames", "0", "1"},
        {{{"BM2ShowPlayerNames", "abc"}}, "custom_qz_shownames", "1", "0"},
        {{{"BM2Ranking", "3"}}, "custom_qz_topranking", "99", "10"},
        {{{"BM2Ranking", "0"}}, "custom_qz_topranking", "99", "0"},
        {{{"BM2GameSummary", "TRUE"}}, "custom_qz_recapresult", "0", "1"},
        {{{"BM2ViewHandRecord", "FALSE"}}, "custom_qz_includedeal", "1", "0"},
        {{{"BM2EnterHandRecord", "TRUE"}}, "custom_qz_askdeal", "0", "1"},
        {{{"BM2RecordBidding", "TRUE"}}, "custom_qz_askbid", "0", "1"},
        {{{"BM2RecordPlay", "FALSE"}}, "custom_qz_askplay", "1", "0"},
        {{{"BM2PINcode", "5678"}}, "custom_qz_tdpin", "4381", "5678"},
        {{{"BM2PINcode", ""}}, "custom_qz_tdpin", "4381", "4381"},
        {{{"ScorePoints", "1"}}, "custom_qz_pointtodeclarer", "0", "1"},
        {{{"BM2AuoShowScoreRecap", "TRUE"}}, "custom_qz_roundsummary", "0", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.own << " from " << c.before);
        GameSettings settings(h.log);
        settings.setup_SettingsStructure2();
        settings.setGameSetting(QString::fromLatin1(c.own), QString::fromLatin1(c.before));
        for (const auto& [name, value] : c.shared)
            settings.setGameSetting(QString::fromLatin1(name), QString::fromLatin1(value));
        settings.overrideSettingsByScoringProgram();
        EXPECT_EQ(settings.getGameSetting(QString::fromLatin1(c.own)), QString::fromLatin1(c.after));
    }
    EXPECT_TRUE(h.logMessages().contains(QStringLiteral("Override settings by scoring program")));
}

TEST_F(GameSettingsTest, StoredSettingsReadBackTheSame) {
    EventBuilder builder = test::fixtures::mitchell();
    builder.setOwnSetting(QStringLiteral("custom_qz_skipcheckIDexist"), 1);
    open(builder);
    for (int i = 19; i <= 46; ++i)
        h.settings.setGameSetting(h.settings.entryName(i), QString::number(i % 2));
    set("custom_qz_tdpin", "");
    set("custom_qz_feedbackstyle", "-1");
    ASSERT_TRUE(h.settings.storeGameSettings(h.db));

    GameSettings reread(h.log);
    reread.setup_SettingsStructure2();
    reread.loadSettings(h.db, true, present);
    for (int i = 19; i <= 46; ++i) {
        const QString name = h.settings.entryName(i);
        if (name == QLatin1String("custom_qz_skipcheckIDexist"))
            continue;
        EXPECT_EQ(reread.getGameSetting(name), h.settings.getGameSetting(name)) << name.toStdString();
    }
    EXPECT_EQ(reread.getGameSetting(QStringLiteral("custom_qz_tdpin")), QStringLiteral("4381"));
}

TEST_F(GameSettingsTest, StoringWithoutPlayerIdsClearsTheConfirmationOfExistingIds) {
    EventBuilder builder = test::fixtures::mitchell();
    builder.setOwnSetting(QStringLiteral("custom_qz_skipcheckIDexist"), 1);
    open(builder);
    for (const auto& [askPlayerId, skipCheck] : {std::pair{"1", 1}, std::pair{"0", 0}}) {
        set("custom_qz_askplayerid", askPlayerId);
        ASSERT_TRUE(h.settings.storeGameSettings(h.db));
        qint32 stored = -1;
        h.db.getDBValue(QStringLiteral("SELECT custom_qz_skipcheckIDexist FROM custom_qz_Settings"),
                        QStringLiteral("custom_qz_skipcheckIDexist"), stored);
        EXPECT_EQ(stored, skipCheck) << askPlayerId;
    }
}

TEST_F(GameSettingsTest, StoringCreatesAMissingSettingsRowOnce) {
    EventBuilder builder = test::fixtures::mitchell();
    builder.withoutOwnSettingsRow();
    open(builder);
    set("custom_qz_showgoto", "1");
    ASSERT_TRUE(h.settings.storeGameSettings(h.db));
    ASSERT_TRUE(h.settings.storeGameSettings(h.db));
    qint32 rows = 0;
    h.db.getDBValue(QStringLiteral("SELECT COUNT(*) AS n FROM custom_qz_Settings WHERE custom_qz_showgoto=1"),
                    QStringLiteral("n"), rows);
    EXPECT_EQ(rows, 1);
}

} // namespace
} // namespace qzc

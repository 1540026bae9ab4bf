#include "support/FakeHelp.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::HelpRig;

struct TargetCase {
    const char* name;
    qint16 topic;
    const char* page;
    /// The ini key of the online help folder; empty for none.
    const char* onlineFolder;
    bool reachable;
    const char* language;
    const char* translator;
    /// "{local}" stands for the program's help folder.
    const char* expected;
    int onlineChecks;
};

TEST(HelpTest, TargetOfEachTopic) {
    const char* const site = "https://help.example.org/Help/";
    const TargetCase cases[] = {
        {"LocalTopicPage", 2, "", "", false, "en", "", "{local}html/game_settings.html", 0},
        {"LocalFirstTopic", 1, "", "", false, "en", "", "{local}talvane_help.html", 0},
        {"LocalLastTopic", 27, "", "", false, "en", "", "{local}html/restart_after_change.html", 0},
        {"MovementChange", 14, "", "", false, "en", "", "{local}html/movement_change.html", 0},
        {"TopicZeroIsTheIndex", 0, "", "", false, "en", "", "{local}index.html", 0},
        {"UnknownTopicIsTheIndex", 28, "", "", false, "en", "", "{local}index.html", 0},
        {"NegativeTopicIsTheIndex", -1, "", "", false, "en", "", "{local}index.html", 0},
        {"APageWithATopicIsIgnored", 3, "other.html", "", false, "en", "", "{local}html/base_station.html",
         0},
        {"TopicZeroOpensThePageAsGiven", 0, "https://maker.example.org", site, true, "en", "",
         "https://maker.example.org", 0},
        {"OnlineInEnglish", 1, "", site, true, "en", "", "https://help.example.org/Help/talvane_help.html",
         1},
        {"OnlineFolderWithoutSlash", 2, "", "https://help.example.org/Help", true, "en", "",
         "https://help.example.org/Help/html/game_settings.html", 1},
        {"UnreachableSiteFallsBackToLocal", 2, "", site, false, "en", "", "{local}html/game_settings.html",
         1},
        {"OnlineTranslated", 2, "", site, true, "de", "https://translate.example.net/translate?",
         "https://translate.example.net/translate?h1=en&sl=en&tl=de&u="
         "https%3A%2F%2Fhelp.example.org%2FHelp%2Fhtml%2Fgame_settings.html",
         1},
        {"NoTranslatorGivesTheEnglishPages", 2, "", site, true, "de", "",
         "https://help.example.org/Help/html/game_settings.html", 1},
    };
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(c.name);
        HelpRig rig;
        if (*c.onlineFolder != '\0')
            rig.config.writeMain(Help::onlineHelpKey, QString::fromUtf8(c.onlineFolder));
        if (*c.translator != '\0')
            rig.config.writeMain(Help::translatorKey, QString::fromUtf8(c.translator));
        rig.config.helpLanguage = QString::fromUtf8(c.language);
        rig.online.reachable = c.reachable;

        rig.help.showHelp(c.topic, QString::fromUtf8(c.page));
        QString expected = QString::fromUtf8(c.expected);
        expected.replace(QStringLiteral("{local}"), rig.config.appFolder + QStringLiteral("Help/"));
        EXPECT_EQ(rig.shell.opened, QStringList{expected});
        EXPECT_EQ(rig.online.asked.size(), c.onlineChecks);
    }
}

// A page that no program opens is logged, and the director is told where it is.
TEST(HelpTest, APageThatCannotBeOpenedIsLoggedAndItsPathShown) {
    HelpRig rig;
    rig.shell.succeeds = false;
    const QString page = rig.config.appFolder + QStringLiteral("Help/html/incorrect_database.html");
    rig.help.showHelp(5);
    ASSERT_TRUE(QDir().mkpath(rig.config.appFolder + QStringLiteral("Help/html")) &&
                QFile(page).open(QIODevice::WriteOnly));
    rig.help.showHelp(5);
    EXPECT_TRUE(rig.log.bufferedText().contains(QStringLiteral("Help page could not be opened: ") + page +
                                                QStringLiteral(" (showHelp)")));
    EXPECT_EQ(
        rig.messages.texts(),
        (QStringList{QStringLiteral("The help page is not found:\r\n") + QDir::toNativeSeparators(page),
                     QStringLiteral("No program could open the help page. Open it in a web browser:\r\n") +
                         QDir::toNativeSeparators(page)}));
}

} // namespace
} // namespace qzc

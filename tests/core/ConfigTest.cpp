#include "core/Config.h"

#include "platform/RegistryKey.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>
#include <ostream>

namespace qzc {
namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

struct ArgCase {
    const char* text;
    const char* key;
    const char* expected;
};

void PrintTo(const ArgCase& c, std::ostream* os) {
    *os << c.key << " in " << c.text;
}

class GetArgValueTest : public ::testing::TestWithParam<ArgCase> {};

TEST_P(GetArgValueTest, FollowsTheCommandLineGrammar) {
    const ArgCase& c = GetParam();
    EXPECT_EQ(Config::GetArgValue(QString::fromUtf8(c.text), QString::fromUtf8(c.key)),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GetArgValueTest,
    ::testing::Values(ArgCase{"", "/f:", ""}, ArgCase{"/f:a.db", "", ""},
                      ArgCase{"/f:\"/data/My Events/club.db\" /m1", "/f:", "/data/My Events/club.db"},
                      ArgCase{"/f:\"/data/My Events/club.db\" /m1", "/m", "1"},
                      ArgCase{"/F:/data/club.db", "/f:", "/data/club.db"},
                      ArgCase{"/f:/data/My Events/club.db", "/f:", "/data/My"},
                      ArgCase{"/f:[/data/x y.db] /m", "/f:", "/data/x y.db"},
                      ArgCase{"/f:\"/data/unclosed", "/f:", "\"/data/unclosed"},
                      ArgCase{"/f:[/data/unclosed", "/f:", "[/data/unclosed"}, ArgCase{"x/m1", "/m", ""},
                      ArgCase{"/m", "/m", ""}, ArgCase{"/m /f:a", "/m", ""}, ArgCase{"/f:a.db", "/m", ""},
                      // A path holding "/m" inside a word does not hide a later switch.
                      ArgCase{"/f:/mnt/events/club.db /m1", "/m", "1"},
                      ArgCase{"/f:/mnt/events/club.db", "/m", ""}));

struct VersionCase {
    const char* text;
    double expected;
};

void PrintTo(const VersionCase& c, std::ostream* os) {
    *os << "\"" << c.text << "\"";
}

class ParseVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ParseVersionTest, ReadsMajorAndFraction) {
    const VersionCase& c = GetParam();
    EXPECT_DOUBLE_EQ(Config::parseVersion(QString::fromUtf8(c.text)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseVersionTest,
    ::testing::Values(VersionCase{"3.20", 3.2}, VersionCase{"3.05", 3.05}, VersionCase{"3.5", 3.5},
                      VersionCase{"4", 4}, VersionCase{"", 0}, VersionCase{"abc", 0}, VersionCase{"3.x", 3},
                      VersionCase{"2.5.7", 2.5},
                      VersionCase{"2.123456789012345678901234567890", 2.1234567890123456},
                      VersionCase{"99999999999.5", 0.5}));

TEST(ParseVersionTest, FractionOfAnyLengthStaysFinite) {
    const double version = Config::parseVersion(QStringLiteral("2.") + QString(1000, QLatin1Char('9')));
    EXPECT_TRUE(std::isfinite(version));
    EXPECT_GE(version, 2);
    EXPECT_LT(version, 3.0 + 1e-9);
}

// What readStartupSettings leaves in memory.
struct Expected {
    qint16 comPort = 0;
    double tqzMinVersion = 2;
    double tqzMaxVersion = 0;
    double tqzOptVersion = 0;
    qint32 logBufferLimit = 100000;
    qint16 databaseRetry = 0;
    qint16 traceLevel = 0;
    bool hideGSWindow = false;
    bool hideFinishedWindow = false;
    bool nameListSorting = false;
    bool nameToScoring = true;
    qint16 boardResultSorting = -4;
    qint16 namePreference = 0;
};

struct StartupCase {
    const char* name;
    QByteArray before; // "<missing>" for no ini file
    QByteArray after;
    Expected expected;
};

void PrintTo(const StartupCase& c, std::ostream* os) {
    *os << c.name;
}

const QByteArray notUsedKeys =
    "QZCVersion=NOT used\r\nRequiredVersion=NOT used\r\nRecommendedVersion=NOT used\r\n"
    "Show UpgradeMessage=NOT used\r\nSkipCheckIDexist=NOT used\r\n";

const QByteArray handWritten = "; QZC settings, edited by hand\r\n"
                               "[QZC]\r\n"
                               "ComPort=3\r\n"
                               "TQZMinVersion=3.05\r\n"
                               "TQZMaxVersion = 4.2\r\n"
                               "; the version the terminals should run\r\n"
                               "TQZOptVersion=3.5\r\n"
                               "qzcversion=1.2\r\n"
                               "LogBuffer=250000\r\n"
                               "DatabaseRetry=5\r\n"
                               "TraceLevel=2\r\n"
                               "Channel=7\r\n"
                               "\r\n"
                               "[Other Program]\r\n"
                               "LogBuffer=1\r\n"
                               "PCOffline=keep\r\n"
                               "\r\n"
                               "[QZC Default Game Settings]\r\n"
                               "HideGSWindow=1\r\n"
                               "HideFinishedWindow=1\r\n"
                               "PCOffline=yes\r\n"
                               "NameListSorting=1\r\n"
                               "NameToScoring=2\r\n"
                               "BoardResultSorting=3\r\n"
                               "Player name preference=2\r\n"
                               "custom_qz_tdpin=4381\r\n";

const QByteArray handWrittenAfter = "; QZC settings, edited by hand\r\n"
                                    "[QZC]\r\n"
                                    "ComPort=3\r\n"
                                    "TQZMinVersion=3.05\r\n"
                                    "TQZMaxVersion = 4.2\r\n"
                                    "; the version the terminals should run\r\n"
                                    "TQZOptVersion=3.5\r\n"
                                    "qzcversion=NOT used\r\n"
                                    "LogBuffer=250000\r\n"
                                    "DatabaseRetry=5\r\n"
                                    "TraceLevel=2\r\n"
                                    "Channel=7\r\n"
                                    "RequiredVersion=NOT used\r\n"
                                    "RecommendedVersion=NOT used\r\n"
                                    "Show UpgradeMessage=NOT used\r\n"
                                    "SkipCheckIDexist=NOT used\r\n"
                                    "\r\n"
                                    "[Other Program]\r\n"
                                    "LogBuffer=1\r\n"
                                    "PCOffline=keep\r\n"
                                    "\r\n"
                                    "[QZC Default Game Settings]\r\n"
                                    "HideGSWindow=1\r\n"
                                    "HideFinishedWindow=1\r\n"
                                    "PCOffline=Not used\r\n"
                                    "NameListSorting=1\r\n"
                                    "NameToScoring=2\r\n"
                                    "BoardResultSorting=3\r\n"
                                    "Player name preference=2\r\n"
                                    "custom_qz_tdpin=4381\r\n";

Expected handWrittenExpected() {
    Expected e;
    e.comPort = 3;
    e.tqzMinVersion = 3.05;
    e.tqzMaxVersion = 4.2;
    e.tqzOptVersion = 3.5;
    e.logBufferLimit = 250000;
    e.databaseRetry = 5;
    e.traceLevel = 2;
    e.hideGSWindow = true;
    e.hideFinishedWindow = true;
    e.nameListSorting = true;
    e.nameToScoring = false;
    e.boardResultSorting = 3;
    e.namePreference = 2;
    return e;
}

Expected oddValuesExpected() {
    Expected e;
    e.logBufferLimit = 100000; // 50 is raised to the floor
    return e;
}

class StartupSettingsTest : public ::testing::TestWithParam<StartupCase> {};

TEST_P(StartupSettingsTest, ReadsEveryKeyAndWritesBackOnlyItsOwnLines) {
    const StartupCase& c = GetParam();
    test::TempFolder folder;
    const QString iniPath = folder.filePath(Config::iniFileName);
    if (c.before != "<missing>") {
        writeBytes(iniPath, c.before);
    }
    Config config(folder.path());
    config.readStartupSettings(QString(), RegistryKey(folder.filePath(QStringLiteral("ORV.conf"))));

    EXPECT_EQ(readBytes(iniPath), c.after);
    const Expected& e = c.expected;
    EXPECT_EQ(config.comPort, e.comPort);
    EXPECT_DOUBLE_EQ(config.tqzMinVersion, e.tqzMinVersion);
    EXPECT_DOUBLE_EQ(config.tqzMaxVersion, e.tqzMaxVersion);
    EXPECT_DOUBLE_EQ(config.tqzOptVersion, e.tqzOptVersion);
    EXPECT_EQ(config.logBufferLimit, e.logBufferLimit);
    EXPECT_EQ(config.databaseRetry, e.databaseRetry);
    EXPECT_EQ(config.traceLevel, e.traceLevel);
    EXPECT_EQ(config.HideGSWindow, e.hideGSWindow);
    EXPECT_EQ(config.HideFinishedWindow, e.hideFinishedWindow);
    EXPECT_EQ(config.NameListSorting, e.nameListSorting);
    EXPECT_EQ(config.NameToScoring, e.nameToScoring);
    EXPECT_EQ(config.boardResultSorting, e.boardResultSorting);
    EXPECT_EQ(config.namePreference, e.namePreference);
    EXPECT_EQ(config.playerGridSortKey, 1);
    EXPECT_TRUE(config.logWindowMirroring);
    EXPECT_TRUE(config.namesImportAtStart);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupSettingsTest,
    ::testing::Values(
        StartupCase{"MissingFile", "<missing>",
                    QByteArray("[QZC]\r\nTQZMinVersion=2\r\nTQZMaxVersion=\r\nTQZOptVersion=\r\n") +
                        notUsedKeys + "LogBuffer=100000\r\n",
                    Expected{}},
        StartupCase{"HandWritten", handWritten, handWrittenAfter, handWrittenExpected()},
        StartupCase{
            "OddValuesLf",
            "[qzc]\nComPort=abc\nTQZMinVersion=\nTQZMaxVersion=\nLogBuffer=50\nDatabaseRetry=70000\n"
            "[qzc default game settings]\nHideGSWindow=2\nNameToScoring=yes\nBoardResultSorting=0\n"
            "PCOffline=\n",
            QByteArray(
                "[qzc]\nComPort=abc\nTQZMinVersion=2\nTQZMaxVersion=\nLogBuffer=50\nDatabaseRetry=70000\n"
                "TQZOptVersion=\n") +
                QByteArray(notUsedKeys).replace("\r\n", "\n") +
                "[qzc default game settings]\nHideGSWindow=2\nNameToScoring=yes\nBoardResultSorting=0\n"
                "PCOffline=\n",
            oddValuesExpected()},
        StartupCase{
            "LogBufferZeroIsWrittenBack", QByteArray("[QZC]\r\nLogBuffer=0\r\n"),
            QByteArray(
                "[QZC]\r\nLogBuffer=100000\r\nTQZMinVersion=2\r\nTQZMaxVersion=\r\nTQZOptVersion=\r\n") +
                notUsedKeys,
            Expected{}}),
    [](const ::testing::TestParamInfo<StartupCase>& p) { return std::string(p.param.name); });

TEST(StartupSettingsTest, CommandLineGivesDatabaseAndMinimise) {
    test::TempFolder folder;
    Config config(folder.path());
    const RegistryKey registry(folder.filePath(QStringLiteral("ORV.conf")));
    config.readStartupSettings(QStringLiteral("/F: \"x\""), registry);
    EXPECT_EQ(config.scoreDbArg, QString());
    config.readStartupSettings(QStringLiteral("/f:\" /data/My Events/club.db \" /m1"), registry);
    EXPECT_EQ(config.scoreDbArg, QStringLiteral("/data/My Events/club.db"));
    EXPECT_EQ(config.minimiseArg, QStringLiteral("1"));
    config.readStartupSettings(QString(), registry);
    EXPECT_EQ(config.scoreDbArg, QString());
    EXPECT_EQ(config.minimiseArg, QString());
}

TEST(StartupSettingsTest, AppFolderGetsItsSlash) {
    test::TempFolder folder;
    const QString withoutSlash = folder.path().chopped(1);
    const Config config(withoutSlash);
    EXPECT_EQ(config.appFolder, folder.path());
    EXPECT_EQ(config.ini().path(), folder.path() + QStringLiteral("qzcontrol.ini"));
}

struct RegistryCase {
    const char* name;
    const char* language;
    const char* orvPath;
    const char* qzcPath;
    const char* appSubFolder; // below the temp folder
    QString helpLanguage;
    QString orvFolder; // "<temp>" stands for the temp folder
    QString qzcPathValue;
    QString eventName;
};

void PrintTo(const RegistryCase& c, std::ostream* os) {
    *os << c.name;
}

class RegistryDerivationTest : public ::testing::TestWithParam<RegistryCase> {};

TEST_P(RegistryDerivationTest, DerivesFoldersAndEventName) {
    const RegistryCase& c = GetParam();
    test::TempFolder folder;
    const QString appFolder = folder.path() + QString::fromUtf8(c.appSubFolder);
    ASSERT_TRUE(QDir().mkpath(appFolder));
    const QString registryFile = folder.filePath(QStringLiteral("ORV.conf"));
    {
        QSettings settings(registryFile, QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Settings"));
        const auto put = [&settings](const char* key, const char* value) {
            if (value != nullptr) {
                settings.setValue(QString::fromUtf8(key), QString::fromUtf8(value));
            }
        };
        put("Language", c.language);
        put("ORV_path", c.orvPath);
        put("QZCPath", c.qzcPath);
    }
    Config config(appFolder);
    config.readStartupSettings(QString(), RegistryKey(registryFile));

    const QString orvFolder = QString(c.orvFolder).replace(QStringLiteral("<temp>"), folder.path());
    EXPECT_EQ(config.helpLanguage, c.helpLanguage);
    EXPECT_EQ(config.orvFolder, orvFolder);
    EXPECT_EQ(config.handrecordsFolder, orvFolder + QStringLiteral("handrecords/"));
    EXPECT_EQ(config.eventsFolder, orvFolder + QStringLiteral("events/"));
    EXPECT_EQ(config.kestrowFolder, orvFolder + QStringLiteral("kestrow/"));
    EXPECT_EQ(config.qzcPath, c.qzcPathValue);
    EXPECT_EQ(config.eventName, c.eventName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryDerivationTest,
    ::testing::Values(RegistryCase{"NoKey", nullptr, nullptr, nullptr, "qzc/", QStringLiteral("en"),
                                   QStringLiteral("<temp>qzc/"), QString(), QString()},
                      RegistryCase{"ProductFolder", "", " ", "", "Programs/Talvane/Control/",
                                   QStringLiteral("en"), QStringLiteral("<temp>Programs/"), QString(),
                                   QString()},
                      RegistryCase{"ProductFolderAnyCase", nullptr, nullptr, nullptr, "a/TALVANE/talvane/",
                                   QStringLiteral("en"), QStringLiteral("<temp>a/"), QString(), QString()},
                      RegistryCase{"WindowsValues", " DE ", "D:\\Orv", "D:\\Orv\\events\\Club night\\all.txt",
                                   "qzc/", QStringLiteral("de"), QStringLiteral("D:/Orv/"),
                                   QStringLiteral("D:/Orv/events/Club night/all.txt"),
                                   QStringLiteral("Club night")},
                      RegistryCase{"SlashValues", "NL", "/srv/orv/", "/srv/orv/EVENTS/Tuesday", "qzc/",
                                   QStringLiteral("nl"), QStringLiteral("/srv/orv/"),
                                   QStringLiteral("/srv/orv/EVENTS/Tuesday"), QStringLiteral("Tuesday")},
                      RegistryCase{"NoEventsFolder", nullptr, "/srv/orv", "/srv/orv/eventsx/Tuesday/a.txt",
                                   "qzc/", QStringLiteral("en"), QStringLiteral("/srv/orv/"),
                                   QStringLiteral("/srv/orv/eventsx/Tuesday/a.txt"), QString()}),
    [](const ::testing::TestParamInfo<RegistryCase>& p) { return std::string(p.param.name); });

} // namespace
} // namespace qzc

#include "gamedata/PlayerNames.h"
#include "platform/Ansi.h"
#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/FakeHelp.h"
#include "support/Fixtures.h"

#include <QFile>
#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// An event whose PlayerNames table knows 1001 and 3003, with its names loaded.
class NamesRig {
public:
    NamesRig() {
        test::EventBuilder builder = test::fixtures::mitchell();
        builder.addPlayerName(3003, QStringLiteral("Cleo Known"));
        builder.addPlayerName(1001, QStringLiteral("Abe Known"));
        started = harness.buildAndStart(builder);
        names.loadPlayerNameList();
    }
    QString rejectsPath() const { return harness.event.dumpFolder + PlayerNames::rejectsFileName; }

    test::EventHarness harness;
    bool started = false;
    PlayerNames names{harness.db, harness.log, harness.event, harness.config, harness.clock};
    test::FakeShellOpener shell;
};

struct ImportCase {
    const char* name;
    QByteArray file;
    bool keepRejects;
    std::vector<std::pair<double, QString>> accepted;
    /// The content of invalid_name.txt; null when none is written.
    QByteArray rejects;
};

const QByteArray kFortyOne(41, 'x');

const ImportCase kImportCases[] = {
    {"CommaFileWithEveryKindOfBadLine",
     "1234,Ann Lee\r\n1001,Abe Again\r\n0,Nobody\r\n1234567890123,Too Long\r\n12ab,Bad\r\n"
     "77,###\r\n5,a,b\r\n,No Number\r\n42\r\n",
     true,
     {{1234, u"Ann Lee"_s}},
     "1001,Abe Again\r\n0,Nobody\r\n1234567890123,Too Long\r\n12ab,Bad\r\n77,###\r\n5,a,b\r\n,No Number\r\n"
     "42\r\n"},
    {"SemicolonFromTheFirstLine",
     "10;Bo#b\r\n11,Carl\r\n12;" + kFortyOne + "\r\n 13 ;Dee",
     true,
     {{10, u"Bob"_s}, {12, QString(40, QLatin1Char('x'))}, {13, u"Dee"_s}},
     "11,Carl\r\n"},
    {"RejectsKeptOnlyWhenAsked", "1234,Ann Lee\r\n1001,Abe Again\r\n", false, {{1234, u"Ann Lee"_s}}, {}},
    {"Windows1252Name", "20,J\xF6rg\r\n", true, {{20, QString::fromUtf8("J\xC3\xB6rg")}}, {}},
    {"Utf8Name", "21,J\xC3\xB6rg\r\n", true, {{21, QString::fromUtf8("J\xC3\xB6rg")}}, {}},
};

class PlayerNamesImportTest : public ::testing::TestWithParam<ImportCase> {};

TEST_P(PlayerNamesImportTest, AcceptsNewNumbersAndKeepsTheRejectedLines) {
    const ImportCase& c = GetParam();
    NamesRig rig;
    ASSERT_TRUE(rig.started);
    const QString path = rig.harness.filePath(QStringLiteral("picked.txt"));
    ASSERT_TRUE(writeBytes(path, c.file));

    const double count = rig.names.importPlayerNames(path, false, c.keepRejects, rig.shell);

    EXPECT_EQ(count, static_cast<double>(c.accepted.size()));
    const std::vector<PlayerNameRecord>& list = rig.names.fileNameList();
    ASSERT_EQ(list.size(), c.accepted.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].number, c.accepted[i].first) << i;
        EXPECT_EQ(list[i].name, c.accepted[i].second) << i;
    }
    EXPECT_EQ(readBytes(rig.rejectsPath()), c.rejects);
    EXPECT_EQ(rig.shell.opened, c.rejects.isNull() ? QStringList() : QStringList{rig.rejectsPath()});
    // Nothing asked for a new names file.
    EXPECT_FALSE(QFile::exists(rig.harness.filePath(PlayerNames::namesFileName)));
}

INSTANTIATE_TEST_SUITE_P(Cases, PlayerNamesImportTest, ::testing::ValuesIn(kImportCases),
                         [](const ::testing::TestParamInfo<ImportCase>& p) {
                             return std::string(p.param.name);
                         });

TEST(PlayerNamesImportTest, MoreThanAThousandRejectsVoidTheImport) {
    NamesRig rig;
    ASSERT_TRUE(rig.started);
    QByteArray file = "1234,Ann Lee\r\n";
    for (int i = 0; i < 1001; ++i)
        file += "bad line\r\n";
    const QString path = rig.harness.filePath(QStringLiteral("picked.txt"));
    ASSERT_TRUE(writeBytes(path, file));

    EXPECT_EQ(rig.names.importPlayerNames(path, true, true, rig.shell), 0.0);
    EXPECT_TRUE(rig.names.fileNameList().empty());
    EXPECT_EQ(readBytes(rig.rejectsPath()), file);
    EXPECT_FALSE(QFile::exists(rig.harness.filePath(PlayerNames::namesFileName)));
}

TEST(PlayerNamesImportTest, RewritesTheNamesFileUnlessItIsTheOneRead) {
    NamesRig rig;
    ASSERT_TRUE(rig.started);
    const QString picked = rig.harness.filePath(QStringLiteral("picked.txt"));
    const QString namesFile = rig.harness.filePath(PlayerNames::namesFileName);
    ASSERT_TRUE(writeBytes(picked, QByteArray("1234;J\xC3\xB6rg\r\n99;Zed\r\nbad\r\n")));

    EXPECT_EQ(rig.names.importPlayerNames(picked, true, false, rig.shell), 2.0);
    EXPECT_EQ(readBytes(namesFile), QByteArray("1234;J\xF6rg\r\n99;Zed\r\n"));

    // Importing names.txt itself leaves it as it is.
    ASSERT_TRUE(writeBytes(namesFile, QByteArray("5,Eve\r\n")));
    EXPECT_EQ(rig.names.importPlayerNames(namesFile, true, false, rig.shell), 1.0);
    EXPECT_EQ(readBytes(namesFile), QByteArray("5,Eve\r\n"));

    // A file that cannot be read changes nothing.
    EXPECT_EQ(
        rig.names.importPlayerNames(rig.harness.filePath(QStringLiteral("none.txt")), true, true, rig.shell),
        0.0);
    ASSERT_EQ(rig.names.fileNameList().size(), 1u);
}

TEST(PlayerNamesImportTest, MergedNamesAreSortedAndFound) {
    NamesRig rig;
    ASSERT_TRUE(rig.started);
    const QString path = rig.harness.filePath(QStringLiteral("picked.txt"));
    ASSERT_TRUE(writeBytes(path, "5000,Eve\r\n2002,Bea\r\n"));
    ASSERT_EQ(rig.names.importPlayerNames(path, false, false, rig.shell), 2.0);

    rig.names.Setup_memoryPlayerName();

    std::vector<double> numbers;
    for (const PlayerNameRecord& record : rig.names.playerNameList())
        numbers.push_back(record.number);
    EXPECT_EQ(numbers, (std::vector<double>{1001, 2002, 3003, 5000}));
    const QStringList log = rig.harness.logMessages();
    EXPECT_TRUE(log.contains(QStringLiteral("Search time: 0ms (Time_SearchPlayer)")))
        << log.join(u'\n').toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Player name list in memory: 4")));
}

TEST(PlayerNamesImportTest, SortsARangeByNumberOrByName) {
    std::vector<PlayerNameRecord> list(4);
    const std::pair<double, const char*> records[] = {{9, "c"}, {3, "b"}, {7, "a"}, {1, "d"}};
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i].number = records[i].first;
        list[i].name = QString::fromLatin1(records[i].second);
    }
    quickSortPlayers(list, 1, 3, false);
    EXPECT_EQ(list[0].number, 9);
    EXPECT_EQ(list[1].number, 1);
    EXPECT_EQ(list[3].number, 7);
    quickSortPlayers(list, 0, 99, true);
    EXPECT_EQ(list[0].name, u"a"_s);
    EXPECT_EQ(list[3].name, u"d"_s);
}

} // namespace
} // namespace qzc

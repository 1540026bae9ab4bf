#include "gamedata/PlayerNames.h"
#include "platform/Ansi.h"
#include "support/CaseNames.h"
#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/FakeHelp.h"
#include "support/Fixtures.h"

#include <QFile>
#include <gtest/gtest.h>
#include <tuple>
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

/// A member number as the terminals send it: bytes of two decimal digits each.
QByteArray digitPairs(std::initializer_list<int> pairs) {
    QByteArray bytes;
    for (int pair : pairs)
        bytes.append(static_cast<char>(pair));
    return bytes;
}

/// An event whose PlayerNames table knows 1001 and 3003, with its names loaded.
class NamesRig {
public:
    NamesRig() {
        test::EventBuilder builder = test::fixtures::mitchell();
        builder.addPlayerName(3003, QStringLiteral("Cleo Known"));
        builder.addPlayerName(1001, QStringLiteral("Abe Known"));
        builder.addPlayerName(4004, QStringLiteral("Christopher Alexander Montgomery"));
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
    {"RepeatedNumberKeepsTheFirstLine",
     "30,Ann\r\n30,Ann Again\r\n31,Bo\r\n",
     true,
     {{30, u"Ann"_s}, {31, u"Bo"_s}},
     "30,Ann Again\r\n"},
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
    const std::vector<KnownPlayer>& list = rig.names.fileNameList();
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

// Printed by its name, not as a dump of its bytes.
void PrintTo(const ImportCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PlayerNamesImportTest, ::testing::ValuesIn(kImportCases), test::CaseName());

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

TEST(PlayerNamesImportTest, MenuImportAddsToTheNamesFileAndKeepsWhatItHeld) {
    NamesRig rig;
    ASSERT_TRUE(rig.started);
    const QString namesFile = rig.harness.filePath(PlayerNames::namesFileName);
    // names.txt as an earlier import wrote it, in Windows-1252, read at start.
    ASSERT_TRUE(writeBytes(namesFile, "1234;J\xF6rg\r\n"));
    ASSERT_EQ(rig.names.importPlayerNames(namesFile, false, false, rig.shell), 1.0);
    rig.names.Setup_memoryPlayerName();

    // In UTF-8: a new name (with a letter Windows-1252 lacks), numbers known from names.txt
    // and from the database, a repeated number and a line without a number.
    const QString picked = rig.harness.filePath(QStringLiteral("picked.txt"));
    ASSERT_TRUE(writeBytes(picked, "77,Ma\xC5\x82gorzata\r\n1234,J\xC3\xB6rg Again\r\n1001,Abe Again\r\n"
                                   "77,Repeat\r\nbad\r\n"));
    EXPECT_EQ(rig.names.importFromMenu(picked, rig.shell), 1.0);
    EXPECT_EQ(readBytes(namesFile), QByteArray("1234;J\xC3\xB6rg\r\n77;Ma\xC5\x82gorzata\r\n"));
    EXPECT_EQ(readBytes(rig.rejectsPath()),
              QByteArray("1234,J\xF6rg Again\r\n1001,Abe Again\r\n77,Repeat\r\nbad\r\n"));
    EXPECT_TRUE(
        rig.harness.logMessages().contains(QStringLiteral("1 player names imported. (Import player name)")));

    // A second import, in Windows-1252: nothing imported before is lost, in the file or in
    // the list that joins the known names at game start.
    ASSERT_TRUE(writeBytes(picked, "88,Zo\xEB\r\n"));
    EXPECT_EQ(rig.names.importFromMenu(picked, rig.shell), 1.0);
    EXPECT_EQ(readBytes(namesFile),
              QByteArray("1234;J\xC3\xB6rg\r\n77;Ma\xC5\x82gorzata\r\n88;Zo\xC3\xAB\r\n"));
    std::vector<double> numbers;
    for (const KnownPlayer& record : rig.names.fileNameList())
        numbers.push_back(record.number);
    EXPECT_EQ(numbers, (std::vector<double>{1234, 77, 88}));

    // Importing names.txt itself leaves it as it is; a file that cannot be read changes nothing.
    EXPECT_EQ(rig.names.importFromMenu(namesFile, rig.shell), 0.0);
    EXPECT_EQ(rig.names.importFromMenu(rig.harness.filePath(QStringLiteral("none.txt")), rig.shell), 0.0);
    EXPECT_EQ(readBytes(namesFile),
              QByteArray("1234;J\xC3\xB6rg\r\n77;Ma\xC5\x82gorzata\r\n88;Zo\xC3\xAB\r\n"));
    EXPECT_EQ(rig.names.fileNameList().size(), 3u);
}

TEST(PlayerNamesImportTest, LooksUpTheNameOfANumberAsTheTerminalsSendIt) {
    NamesRig rig;
    ASSERT_TRUE(rig.started);
    struct Case {
        QByteArray bytes;
        double number;
        const char* name;
        const char* shortName;
        bool notFound;
    };
    const Case cases[] = {
        {digitPairs({0, 0, 0, 0, 10, 1}), 0, "Abe Known", "Abe Known", false},
        {digitPairs({0, 0}), 0, "n/a", "n/a", false},
        {digitPairs({0, 0, 0, 0, 0, 0}), 0, "n/a", "n/a", false},
        {digitPairs({10}), 0, "n/a", "n/a", false},
        {digitPairs({0, 0, 0, 0, 99, 99}), 0, "9999", "9999", true},
        {digitPairs({0, 0, 0, 0, 40, 4}), 0, "Christo A Montgomery", "Chris A Montgomery", false},
        {{}, 3003, "Cleo Known", "Cleo Known", false},
    };
    for (const Case& c : cases) {
        const PlayerNameLookup found = rig.names.getPlayerName(c.bytes, c.number);
        EXPECT_EQ(found.name, QLatin1String(c.name)) << c.bytes.toHex().toStdString();
        EXPECT_EQ(found.shortName, QLatin1String(c.shortName)) << c.bytes.toHex().toStdString();
        EXPECT_EQ(found.notFound, c.notFound) << c.bytes.toHex().toStdString();
    }
}

TEST(PlayerNamesImportTest, SortsTheEditingListByAGridColumn) {
    // name, gridSortValue, pair, number
    const std::tuple<const char*, double, qint16, double> records[] = {
        {"b", 3, 2, 40}, {"d", 1, 2, 10}, {"a", 2, 1, 30}, {"c", 4, 1, 20}};
    const std::pair<qint16, const char*> orders[] = {{1, "dabc"},  {-1, "cbad"}, {2, "acdb"},
                                                     {-2, "bdca"}, {3, "dcab"},  {-3, "bacd"},
                                                     {4, "abcd"},  {-4, "dcba"}, {9, "bdac"}};
    for (const auto& [key, order] : orders) {
        std::vector<PlayerNameRecord> list;
        for (const auto& [name, sortValue, pair, number] : records) {
            PlayerNameRecord record;
            record.name = QString::fromLatin1(name);
            record.gridSortValue = sortValue;
            record.pair = pair;
            record.number = number;
            list.push_back(record);
        }
        quickSortPlayersBy(list, 0, list.size() - 1, key);
        QString names;
        for (const PlayerNameRecord& record : list)
            names += record.name;
        EXPECT_EQ(names, QLatin1String(order)) << "key " << key;
    }
}

TEST(PlayerNamesImportTest, MergedNamesAreSortedAndFound) {
    NamesRig rig;
    ASSERT_TRUE(rig.started);
    const QString path = rig.harness.filePath(QStringLiteral("picked.txt"));
    ASSERT_TRUE(writeBytes(path, "5000,Eve\r\n2002,Bea\r\n"));
    ASSERT_EQ(rig.names.importPlayerNames(path, false, false, rig.shell), 2.0);

    rig.names.Setup_memoryPlayerName();

    std::vector<double> numbers;
    for (const KnownPlayer& record : rig.names.playerNameList())
        numbers.push_back(record.number);
    EXPECT_EQ(numbers, (std::vector<double>{1001, 2002, 3003, 4004, 5000}));
    const QStringList log = rig.harness.logMessages();
    EXPECT_TRUE(log.contains(QStringLiteral("Search time: 0ms (Time_SearchPlayer)")))
        << log.join(u'\n').toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Player name list in memory: 5")));
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
    // A range that starts past the list's end sorts nothing.
    quickSortPlayers(list, 5, 9, false);
    EXPECT_EQ(list[0].name, u"a"_s);
    EXPECT_EQ(list[3].name, u"d"_s);
}

} // namespace
} // namespace qzc

#include "gamedata/PlayerNameMemory.h"

#include "support/CaseNames.h"
#include "support/EventHarness.h"
#include "support/FakeClock.h"
#include "support/LogLines.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

struct Player {
    double number = 0;
    QString name;
    /// Filled only by other parts of the program; a merged file entry leaves it unset.
    qint16 section = 0;
};

struct MergeCase {
    const char* name;
    qsizetype fromDatabase;
    qsizetype fromFile;
    bool searchFastEnough;
    qsizetype inMemory;
    bool merged;
};

class PlayerNameMemoryTest : public ::testing::TestWithParam<MergeCase> {};

// Database numbers are even, file numbers odd, both descending, so a merge must sort.
std::vector<Player> players(qsizetype count, double first, const QString& source) {
    std::vector<Player> list(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i)
        list[static_cast<std::size_t>(i)] =
            Player{first - 2.0 * static_cast<double>(i), source + QString::number(i), 5};
    return list;
}

TEST_P(PlayerNameMemoryTest, MergesSortsAndChecksTheSearch) {
    const MergeCase& c = GetParam();
    test::FakeClock clock;
    Log log(clock);
    std::vector<Player> list = players(c.fromDatabase, 2.0 * static_cast<double>(c.fromDatabase), u"db"_s);
    const std::vector<Player> file =
        players(c.fromFile, 2.0 * static_cast<double>(c.fromFile) + 1, u"file"_s);
    int searches = 0;
    Setup_memoryPlayerName(list, file, log, [&] {
        ++searches;
        return c.searchFastEnough;
    });

    EXPECT_EQ(static_cast<qsizetype>(list.size()), c.inMemory);
    EXPECT_EQ(searches, c.merged ? 1 : 0);
    if (c.merged && c.searchFastEnough) {
        EXPECT_TRUE(std::is_sorted(list.begin(), list.end(),
                                   [](const Player& a, const Player& b) { return a.number < b.number; }));
        const qsizetype taken = c.inMemory - c.fromDatabase;
        const auto fromFile = std::count_if(list.begin(), list.end(), [](const Player& p) {
            return p.name.startsWith(QLatin1String("file"));
        });
        EXPECT_EQ(fromFile, taken);
        // The first file entries are kept, only number and name copied.
        const auto last = std::find_if(list.begin(), list.end(), [&](const Player& p) {
            return p.name == QStringLiteral("file") + QString::number(taken - 1);
        });
        ASSERT_NE(last, list.end());
        EXPECT_EQ(last->section, 0);
    }

    QStringList expected = {QStringLiteral("Player name list from database: ") +
                                QString::number(c.fromDatabase),
                            QStringLiteral("Player name list from file: ") + QString::number(c.fromFile)};
    if (c.merged) {
        expected << QStringLiteral("Merge player name list from database and file")
                 << QStringLiteral("Sorting player name by QuickSort")
                 << QStringLiteral("Checking name search performance");
    }
    if (c.fromDatabase < maxPlayerNames)
        expected << QStringLiteral("Player name list in memory: ") + QString::number(c.inMemory);
    EXPECT_EQ(test::logMessages(log), expected);
}

const MergeCase kMergeCases[] = {
    {"both", 3, 2, true, 5, true},
    {"file only", 0, 2, true, 2, true},
    {"database only", 3, 0, true, 3, false},
    {"none", 0, 0, true, 0, false},
    {"search too slow", 3, 2, false, 0, true},
    {"file cut to the room left", 499990, 20, true, 500000, true},
    {"database full", 500000, 5, true, 500000, false},
};

// Printed by its name, not as a dump of its bytes.
void PrintTo(const MergeCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PlayerNameMemoryTest, ::testing::ValuesIn(kMergeCases), test::CaseName());

} // namespace
} // namespace qzc

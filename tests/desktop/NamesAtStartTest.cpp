#include "ProgramRig.h"
#include "desktop/frmdesktop.h"
#include "support/CaseNames.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/TestGuiApp.h"

#include <QFile>
#include <QLabel>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

struct NamesAtStartCase {
    const char* name;
    bool namesFile;
    /// Log lines of the start-up in this order; "!" before a line means it must be absent.
    QStringList lines;
    qint64 pausedMs;
};

const NamesAtStartCase kCases[] = {
    {"ImportsAndMerges",
     true,
     {u"Load player name list from database"_s, u"Load player name list from file (Import player name)"_s,
      u"Lines read 3 (Import player name)"_s, u"Player name loaded. (Import player name)"_s,
      u"Player name list from database: 1"_s, u"Player name list from file: 2"_s,
      u"Merge player name list from database and file"_s, u"Player name list in memory: 3"_s},
     3000},
    {"NoNamesFile",
     false,
     {u"Player name list from file: 0"_s, u"!Load player name list from file (Import player name)"_s,
      u"Player name list in memory: 1"_s},
     0},
};

class NamesAtStartTest : public ::testing::TestWithParam<NamesAtStartCase> {};

TEST_P(NamesAtStartTest, ReadsTheNamesFileWithANoticeAndMergesIt) {
    const NamesAtStartCase& c = GetParam();
    test::TestGuiApp app;
    test::FakeClock clock;
    test::ProgramRig rig(clock);
    test::EventBuilder builder = test::fixtures::mitchell();
    builder.addPlayerName(1001, QStringLiteral("Abe Known"));
    ASSERT_TRUE(rig.prepare(builder));
    if (c.namesFile) {
        QFile file(rig.folder.filePath(QStringLiteral("names.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("2002,Bea\r\n1001,Abe Again\r\n900,Cy\r\n");
    }
    Program& program = rig.make();
    const qint64 before = clock.monotonicMs();
    ASSERT_TRUE(program.start());

    EXPECT_EQ(program.names().playerNameList().size(), c.namesFile ? 3u : 1u);
    auto* notice = program.desktop().findChild<QLabel*>(QStringLiteral("labGridMsg"));
    ASSERT_NE(notice, nullptr);
    if (c.namesFile) {
        EXPECT_EQ(notice->text(), QStringLiteral("Loading names from file......2"));
    }
    EXPECT_FALSE(program.desktop().findChild<QWidget*>(QStringLiteral("frameGridMsg"))->isVisible());
    EXPECT_GE(clock.monotonicMs() - before, c.pausedMs);

    const QString log = rig.logText() + program.log().bufferedText();
    qsizetype at = 0;
    for (const QString& line : c.lines) {
        if (line.startsWith(QLatin1Char('!'))) {
            EXPECT_FALSE(log.contains(line.mid(1))) << line.toStdString();
            continue;
        }
        const qsizetype found = log.indexOf(line, at);
        EXPECT_GE(found, 0) << "missing or out of order: " << line.toStdString();
        if (found >= 0)
            at = found;
    }
}

// Printed by its name, not as a dump of its bytes.
void PrintTo(const NamesAtStartCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, NamesAtStartTest, ::testing::ValuesIn(kCases), test::CaseName());

} // namespace
} // namespace qzc

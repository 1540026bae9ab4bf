#include "core/ResultEntry.h"
#include "gamedata/GameData.h"
#include "reports/BoardResultGrid.h"
#include "reports/PersonalRecapFile.h"
#include "reports/TravellerFile.h"
#include "scoring/ScoreFrequency.h"
#include "support/EventBuilder.h"
#include "support/FakeHelp.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/GoldenFile.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;

ResultRow remark(int section, int table, int round, int board, int ns, int ew, const char* text) {
    ResultRow row = ResultRow::played(section, table, round, board, ns, ew, QString(), QString(), 0);
    row.contract = QString();
    row.result = QString();
    row.remarks = QLatin1String(text);
    row.nsEw = QString();
    row.qzDeclarer = QString();
    row.declarerNo.reset();
    row.score = 0;
    return row;
}

// Sections A and B of 6 tables, 5 rounds of 3 boards, results on boards 1 to 7: played,
// passed, remarks in either case, an adjusted score, an erased result; pair A1 plays one
// board as EW.
EventBuilder resultSheets() {
    EventBuilder b = test::fixtures::twoSections();
    const auto s = QStringLiteral("S");
    const auto n = QStringLiteral("N");
    b.addResult(ResultRow::played(1, 1, 1, 1, 1, 7, QStringLiteral("4S"), n, 10));
    b.addResult(ResultRow::played(1, 1, 1, 2, 1, 7, QStringLiteral("3NT"), QStringLiteral("E"), 9));
    b.addResult(remark(1, 1, 1, 3, 1, 7, "np"));
    b.addResult(ResultRow::played(1, 6, 2, 1, 6, 11, QStringLiteral("4S"), n, 11));
    b.addResult(ResultRow::played(1, 6, 2, 2, 6, 11, QStringLiteral("2H"), s, 7));
    b.addResult(ResultRow::played(1, 6, 2, 3, 6, 11, QStringLiteral("PASS"), QString(), 0));
    b.addResult(ResultRow::played(1, 2, 1, 4, 2, 8, QStringLiteral("1NT"), n, 7));
    b.addResult(ResultRow::played(1, 2, 1, 5, 2, 8, QStringLiteral("6HX"), QStringLiteral("W"), 12));
    b.addResult(ResultRow::played(1, 1, 2, 4, 1, 12, QStringLiteral("3C"), s, 9));
    b.addResult(remark(1, 1, 2, 5, 1, 12, "lp"));
    ResultRow erased = ResultRow::played(1, 1, 2, 6, 1, 12, QStringLiteral("4S"), n, 10);
    erased.erased = true;
    b.addResult(erased);
    b.addResult(ResultRow::played(1, 4, 3, 6, 4, 1, QStringLiteral("3NT"), s, 8));
    b.addResult(remark(1, 3, 1, 7, 3, 9, "60%-40%"));
    b.addResult(ResultRow::played(2, 1, 1, 1, 1, 7, QStringLiteral("2S"), n, 8));
    return b;
}

class ResultSheetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        EventBuilder builder = resultSheets();
        ASSERT_TRUE(data.start(builder)) << data.failure().toStdString();
    }
    EventInfo& event() { return data.harness.event; }

    test::GameDataHarness data;
    test::FakeShellOpener shell;
    ScoreFrequency frequencies{data.harness.db, data.harness.log, data.harness.settings};
    TravellerFile traveller{data.gameData, data.harness.db, data.harness.log, frequencies, event(), shell};
    BoardResultGrid grid{data.gameData, data.harness.db, data.harness.log, frequencies};
};

// The traveller file byte for byte (checked by hand once), opened once written.
void expectTravellerFile(TravellerFile& traveller, test::FakeShellOpener& shell, qint16 columns,
                         qint16 section, qint16 board, const QString& expectedPath, const char* golden) {
    const QString path = traveller.makeResultFile(columns, section, board, -4);
    ASSERT_EQ(path, expectedPath);
    EXPECT_EQ(shell.opened.last(), path);
    QZC_EXPECT_GOLDEN(test::readFileBytes(path), test::goldenPath(__FILE__, golden));
}

// Five boards a band, the second band under the longest board of the first, an empty line
// between the sections; results by score, highest first.
TEST_F(ResultSheetsTest, TravellerFileOfAllBoards) {
    expectTravellerFile(traveller, shell, 5, 0, 0, event().scoreDbFolder + QStringLiteral("club_result.txt"),
                        "traveller_all_boards.txt");
}

// One board of one section in one column; a section that is not in the event writes and
// opens nothing.
TEST_F(ResultSheetsTest, TravellerFileOfOneBoard) {
    EXPECT_TRUE(traveller.makeResultFile(1, 9, 1, -4).isEmpty());
    EXPECT_TRUE(shell.opened.isEmpty());
    expectTravellerFile(traveller, shell, 1, 1, 2,
                        event().scoreDbFolder + QStringLiteral("club_result_list.txt"),
                        "traveller_one_board.txt");
}

// Pair 1 of section A on both sides, checked by hand once: its seat on every board, the
// remarks in words, the erased result left out.
TEST_F(ResultSheetsTest, PersonalRecapSheet) {
    test::ScriptedMessageBox& messages = data.harness.messages;
    PersonalRecapFile recaps(data.harness.db, data.harness.log, messages, event(), shell);
    const QString path = recaps.PersonalRecaps(1, 1, PersonalRecapFile::bothSides);
    ASSERT_EQ(path, recaps.filePath());
    EXPECT_EQ(shell.opened, QStringList{path});
    QZC_EXPECT_GOLDEN(test::readFileBytes(path), test::goldenPath(__FILE__, "personal_recap.txt"));

    // As EW the pair has one result; pair 5 has none; pair 0 is no pair.
    EXPECT_TRUE(recaps.recapText(1, 1, PersonalRecapFile::eastWest)
                    ->startsWith(QStringLiteral("RECAP FOR PAIR EW #1\r\nBrd   Contract  By   Made Lead Pts  "
                                                "     \r\n6     3NT       S    8    ")));
    EXPECT_TRUE(recaps.PersonalRecaps(1, 5, PersonalRecapFile::northSouth).isEmpty());
    EXPECT_TRUE(recaps.PersonalRecaps(1, 0, PersonalRecapFile::northSouth).isEmpty());
    EXPECT_EQ(messages.texts(), QStringList{PersonalRecapFile::noResultMessage});
    EXPECT_EQ(shell.opened.size(), 1);
}

QString column(const BoardResultTable& table, int col) {
    QStringList cells;
    for (const auto& row : table.rows)
        cells << (row[3].isEmpty() ? QStringLiteral("-") : row[static_cast<std::size_t>(col)]);
    return cells.join(QLatin1Char(' '));
}

// Board 1 across both sections (pairs with their section letter), each key both ways:
// the heading marked and coloured, the places of tables that do not play it empty.
TEST_F(ResultSheetsTest, BoardResultGridSortedByEachKeyBothWays) {
    const struct {
        qint16 sorting;
        const char* heading;
        int sortColumn;
        const char* tables;
    } cases[] = {
        {1, "NS+", 1, "- - A1 A3 A4 A5 A6 B1 B3 B4 B5 B6"},
        {-1, "NS-", 1, "B6 B5 B4 B3 B1 A6 A5 A4 A3 A1 - -"},
        {2, "EW+", 2, "- - A1 A5 A3 A6 A4 B1 B5 B3 B6 B4"},
        {-2, "EW-", 2, "B4 B6 B3 B5 B1 A4 A6 A3 A5 A1 - -"},
        {3, "Table+", 3, "- - A1 A3 A4 A5 A6 B1 B3 B4 B5 B6"},
        {-3, "Table-", 3, "B6 B5 B4 B3 B1 A6 A5 A4 A3 A1 - -"},
        {4, "Result+", 4, "A3 A4 A5 B3 B4 B5 B6 - - B1 A1 A6"},
        {-4, "Result-", 4, "A6 A1 B1 - - B6 B5 B4 B3 A5 A4 A3"},
        {5, "Mpts+", 5, "B1 A1 A3 A4 A5 B3 B4 B5 B6 - - A6"},
        {-5, "Mpts-", 5, "A6 - - B6 B5 B4 B3 A5 A4 A3 A1 B1"},
    };
    for (const auto& c : cases) {
        const std::optional<BoardResultTable> table = grid.ShowBoardResult(1, c.sorting);
        ASSERT_TRUE(table) << c.sorting;
        EXPECT_EQ(table->headings[static_cast<std::size_t>(c.sortColumn)], QLatin1String(c.heading));
        EXPECT_EQ(table->sortColumn, c.sortColumn);
        EXPECT_EQ(column(*table, 3).toStdString(), c.tables) << c.sorting;
    }
    const std::optional<BoardResultTable> table = grid.ShowBoardResult(1, 3);
    EXPECT_EQ(column(*table, 1).toStdString(), "- - A1 A3 A4 A5 A6 B1 B3 B4 B5 B6");
    EXPECT_EQ(column(*table, 4).toStdString(), "- - +420    +450 +110    ");
    EXPECT_EQ(column(*table, 5).toStdString(), "- - 0/2 0/0 0/0 0/0 2/2  0/0 0/0 0/0 0/0");
}

// Remarks, passes and boards that the movement does not list.
TEST_F(ResultSheetsTest, BoardResultGridShowsRemarksAndBoardsBeyondTheMovement) {
    std::optional<BoardResultTable> table = grid.ShowBoardResult(3, 3);
    ASSERT_TRUE(table);
    // The remark at A1 and the pass at A6 are not scaled; the tables without a result are.
    EXPECT_EQ(column(*table, 4).toStdString(), "- - ***np    0     ");
    EXPECT_EQ(column(*table, 5).toStdString(), "- -  0/0 0/0 0/0  0/0 0/0 0/0 0/0 0/0");

    // Board 40: stored at table A2, no table of the movement plays it.
    ASSERT_TRUE(data.exec(QStringLiteral(
        "INSERT INTO ReceivedData (Section,[Table],Round,Board,PairNS,PairEW,Contract,Result,Remarks,"
        "custom_qz_score,DateLog,TimeLog) VALUES (1,2,1,40,2,8,'1 NT','=','',90,'2026-12-07','19:45:00')")));
    table = grid.ShowBoardResult(40, -4);
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rows.size(), 1U);
    EXPECT_EQ(QStringList(table->rows[0].begin() + 1, table->rows[0].end()),
              (QStringList{QStringLiteral("A2"), QStringLiteral("A8"), QStringLiteral("A2"),
                           QStringLiteral("+90"), QString(), QStringLiteral("A0"), QStringLiteral("A0")}));
}

// Five pairs on 3 tables, boards held by rows that sit out as well as by rows that play them.
// The traveller of a board lists the tables whose rows play it, each result on the row of the
// pairs that played it.
TEST(BoardResultGridTest, ListsTheRowsThatPlayTheBoardEachWithItsPairsResult) {
    using test::RoundRow;
    const struct {
        const char* name;
        std::vector<RoundRow> rows;
        qint16 board;
        /// "table NS-EW result" of each row, table order; "-" for an empty place.
        const char* shown;
    } cases[] = {
        // Boards 1-2 held by four rows, two of them sit-outs, before A3's row that plays them.
        {"four rows hold the board",
         {{1, 1, 1, 5, 0, 0, 0, 5, 6},
          {1, 2, 1, 3, 4, 0, 0, 3, 4},
          {1, 3, 1, 1, 2, 0, 0, 1, 2},
          {1, 1, 2, 5, 4, 0, 0, 1, 2},
          {1, 2, 2, 2, 0, 0, 0, 1, 2},
          {1, 3, 2, 1, 3, 0, 0, 3, 4},
          {1, 1, 3, 3, 0, 0, 0, 1, 2},
          {1, 2, 3, 2, 5, 0, 0, 3, 4},
          {1, 3, 3, 4, 1, 0, 0, 5, 6}},
         1,
         "A1 5-4 430, A3 1-2 400, -"},
        // A3 sits out round 1 holding boards 1-2 and plays them in round 2.
        {"a sit-out before the round that plays the board",
         {{1, 1, 1, 1, 2, 0, 0, 3, 4},
          {1, 2, 1, 3, 4, 0, 0, 5, 6},
          {1, 3, 1, 5, 0, 0, 0, 1, 2},
          {1, 1, 2, 2, 3, 0, 0, 5, 6},
          {1, 2, 2, 1, 0, 0, 0, 7, 8},
          {1, 3, 2, 5, 4, 0, 0, 1, 2},
          {1, 1, 3, 4, 5, 0, 0, 3, 4},
          {1, 2, 3, 1, 3, 0, 0, 7, 8},
          {1, 3, 3, 2, 0, 0, 0, 9, 10}},
         1,
         "A3 5-4 430, -, -"},
        // A1 plays boards 1-2 twice, its round-3 result stored first.
        {"a table that plays the board twice",
         {{1, 1, 3, 3, 4, 0, 0, 1, 2},
          {1, 1, 1, 1, 2, 0, 0, 1, 2},
          {1, 2, 1, 3, 4, 0, 0, 3, 4},
          {1, 2, 3, 1, 2, 0, 0, 3, 4}},
         1,
         "A1 1-2 400, A1 3-4 460"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EventBuilder b;
        b.addSection(QStringLiteral("A"));
        b.setStanza(1, 1, 3);
        for (const RoundRow& row : c.rows) {
            b.addRound(row);
            // The rows that play enter their boards: 3NT by North, 8 tricks and the round.
            for (int board = row.lowBoard; board <= row.highBoard && row.ewPair > 0; ++board)
                b.addResult(ResultRow::played(1, row.table, row.round, board, row.nsPair, row.ewPair,
                                              QStringLiteral("3NT"), QStringLiteral("N"), 8 + row.round));
        }
        test::GameDataHarness data;
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        ScoreFrequency frequencies{data.harness.db, data.harness.log, data.harness.settings};
        BoardResultGrid grid{data.gameData, data.harness.db, data.harness.log, frequencies};
        QStringList shown;
        for (const BoardResultRow& row : grid.boardRows(c.board)) {
            shown << (row.tableId.isEmpty() ? QStringLiteral("-")
                                            : QStringLiteral("%1 %2-%3 %4")
                                                  .arg(row.tableId)
                                                  .arg(row.nsPair)
                                                  .arg(row.ewPair)
                                                  .arg(row.hasResult ? QStringLiteral("%1").arg(row.score)
                                                                     : QStringLiteral("none")));
        }
        EXPECT_EQ(shown.join(QStringLiteral(", ")), QLatin1String(c.shown));
        // The board index itself tells the rows that play the board from those that hold it.
        const BoardIndexEntry* entry = data.gameData.boardIndex(c.board);
        ASSERT_NE(entry, nullptr);
        for (const BoardSlot& slot : entry->tables)
            EXPECT_EQ(slot.plays, slot.ewPair > 0) << slot.tableId.toStdString();
    }
}

} // namespace
} // namespace qzc

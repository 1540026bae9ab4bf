#include "desktop/PlayGrid.h"

#include "core/ResultEntry.h"
#include "support/EventBuilder.h"
#include "support/FakePlayGridHost.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/TestGuiApp.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <utility>

namespace qzc {
namespace {

using test::EventBuilder;
using test::GameDataHarness;
using test::ResultRow;
using test::RoundRow;

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kCyan(0, 255, 255);
const QColor kWhite(255, 255, 255);

std::string cellText(const QString& list, const QString& shown) {
    const QString blanks(20, QLatin1Char(' '));
    return QStringLiteral("(%1)%2%3%2(%1)").arg(list, blanks, shown).toStdString();
}

// The Mitchell fixture played in one stanza of 7 rounds (table t: NS t against EW
// 8 + (t - r) mod 7 on boards of set (t + r - 2) mod 7), with table 3 complete in round 1
// and one board of table 1 in round 2, so round 2 is the highest round with a result.
// Table 8 seats NS 15 against nobody in round 1 only, so it is not in play.
EventBuilder mitchellEvent() {
    EventBuilder b = test::fixtures::mitchell();
    b.setStanza(1, 1, 7);
    for (int board = 7; board <= 9; ++board)
        b.addResult(ResultRow::played(1, 3, 1, board, 3, 10, QStringLiteral("1NT"), QStringLiteral("N"), 7));
    b.addResult(ResultRow::played(1, 1, 2, 4, 1, 14, QStringLiteral("2S"), QStringLiteral("N"), 8));
    b.addRound(RoundRow{1, 8, 1, 15, 0, 0, 0, 1, 3});
    return b;
}

ResultEntry played(qint16 board) {
    ResultEntry entry;
    entry.board = board;
    entry.contract = QStringLiteral("3NT");
    entry.declarer = QStringLiteral("S");
    entry.tricks = 9;
    entry.valid = -1;
    return entry;
}

class PlayGridTest : public ::testing::Test {
protected:
    /// Starts the event and builds the grid around it, with 3 boards per round.
    bool start(EventBuilder builder) {
        if (!data.start(builder)) {
            ADD_FAILURE() << data.failure().toStdString();
            return false;
        }
        data.harness.event.boardsPerRound = 3;
        grid = std::make_unique<PlayGrid>(data.gameData, data.harness.db, data.harness.log,
                                          data.harness.event, host);
        host.grid = grid.get();
        return true;
    }

    /// The cells that are bold and underlined; a cell with only one of the two fails.
    std::set<std::pair<int, int>> highlighted() const {
        std::set<std::pair<int, int>> cells;
        for (int row = 1; row < grid->Rows(); ++row) {
            for (int col = 1; col < grid->Cols(); ++col) {
                const bool bold = grid->CellFontBold(row, col);
                EXPECT_EQ(bold, grid->CellFontUnderline(row, col)) << row << "," << col;
                if (bold)
                    cells.emplace(row, col);
            }
        }
        return cells;
    }

    QStringList logFrom(qsizetype first) const { return data.logMessages().mid(first); }

    test::TestGuiApp app;
    GameDataHarness data;
    test::FakePlayGridHost host;
    std::unique_ptr<PlayGrid> grid;
};

TEST_F(PlayGridTest, StartsEmptyWithTheTableHeading) {
    ASSERT_TRUE(start(mitchellEvent()));
    EXPECT_EQ(grid->objectName(), QStringLiteral("gridPlay"));
    EXPECT_EQ(grid->Rows(), 1);
    EXPECT_EQ(grid->Cols(), 1);
    EXPECT_EQ(grid->TextMatrix(0, 0), QStringLiteral("Tbl"));
}

struct CellCase {
    int row;
    int col;
    const char* list;
    const char* boards;
    QColor boardsColour;
    const char* pairs;
    QColor pairsColour;
};

TEST_F(PlayGridTest, CellTextsAndColoursInBothViews) {
    ASSERT_TRUE(start(mitchellEvent()));
    host.view = GridView::Boards;
    grid->InitGrid();
    ASSERT_EQ(grid->Rows(), 8);
    ASSERT_EQ(grid->Cols(), 8);
    for (int row = 1; row <= 7; ++row)
        EXPECT_EQ(grid->TextMatrix(row, 0), QString::number(row));
    for (int col = 1; col <= 7; ++col)
        EXPECT_EQ(grid->TextMatrix(0, col), QStringLiteral("Rd %1").arg(col));
    // The "Boards" texts below assume that "7,8,9" fits a column of 600 twips and
    // "10,11,12" does not.
    ASSERT_LT(grid->TextWidth(QStringLiteral("7,8,9")) * 1.2, 600);
    ASSERT_GE(grid->TextWidth(QStringLiteral("10,11,12")) * 1.2, 600);

    const CellCase cases[] = {
        // Round 1 is overdue: red unless complete.
        {1, 1, "1,2,3", "3", kRed, "1/8", kRed},
        {3, 1, "7,8,9", "7,8,9", kGreen, "3/10", kGreen},
        {4, 1, "10,11,12", "10..", kRed, "4/11", kRed},
        // Round 2 is being played: yellow.
        {1, 2, "4,5,6", "5,6", kYellow, "1/14", kYellow},
        {2, 2, "7,8,9", "7,8,9", kYellow, "2/8", kYellow},
        // Later rounds: white.
        {5, 3, "19,20,21", "19..", kWhite, "5/10", kWhite},
        {7, 7, "16,17,18", "16..", kWhite, "7/8", kWhite},
    };
    for (GridView view : {GridView::Boards, GridView::Pairs}) {
        host.view = view;
        grid->cboView_Click();
        const bool boards = view == GridView::Boards;
        EXPECT_EQ(host.viewCaption, boards ? QStringLiteral("Boards") : QStringLiteral("Pairs"));
        EXPECT_EQ(host.gridMessage, QStringLiteral("Loading movement......"));
        EXPECT_FALSE(host.gridMessageShown);
        for (const CellCase& c : cases) {
            const QString shown = QString::fromLatin1(boards ? c.boards : c.pairs);
            EXPECT_EQ(grid->TextMatrix(c.row, c.col).toStdString(),
                      cellText(QString::fromLatin1(c.list), shown))
                << "view " << static_cast<int>(view) << " cell " << c.row << "," << c.col;
            EXPECT_EQ(grid->CellBackColor(c.row, c.col), boards ? c.boardsColour : c.pairsColour)
                << "view " << static_cast<int>(view) << " cell " << c.row << "," << c.col;
        }
    }
    // A seating needs its width plus a margin; every "Pairs" column is at least 600 twips.
    for (int col = 1; col < grid->Cols(); ++col)
        EXPECT_GE(grid->ColWidth(col), 600);
}

TEST_F(PlayGridTest, AnExpandedColumnShowsItsWholeLists) {
    ASSERT_TRUE(start(mitchellEvent()));
    host.view = GridView::Boards;
    grid->InitGrid();
    ASSERT_EQ(grid->ColWidth(4), 600);
    ASSERT_EQ(grid->TextMatrix(1, 4).toStdString(),
              cellText(QStringLiteral("10,11,12"), QStringLiteral("10..")));

    grid->RefreshPlayGrid(QStringLiteral("A"), 4, true);
    EXPECT_GT(grid->ColWidth(4), 600);
    EXPECT_EQ(grid->TextMatrix(1, 4).toStdString(),
              cellText(QStringLiteral("10,11,12"), QStringLiteral("10,11,12")));

    // Refreshed without expanding (a result came in), the widened column keeps its width.
    const int wide = grid->ColWidth(4);
    grid->RefreshPlayGrid(QStringLiteral("A"), 4, false);
    EXPECT_EQ(grid->ColWidth(4), wide);
}

TEST_F(PlayGridTest, AnotherSectionRebuildsTheGrid) {
    ASSERT_TRUE(start(test::fixtures::twoSections()));
    data.harness.event.totalBoards = 15;
    host.view = GridView::Boards;
    grid->InitGrid();
    ASSERT_EQ(grid->Rows(), 7);
    ASSERT_EQ(grid->Cols(), 6);
    EXPECT_EQ(grid->TextMatrix(3, 1).toStdString(),
              cellText(QStringLiteral("7,8,9"), QStringLiteral("7,8,9")));
    EXPECT_EQ(grid->CellBackColor(3, 1), kWhite);

    ASSERT_TRUE(host.choose(QStringLiteral("B")));
    grid->cboSection_Click();
    ASSERT_EQ(grid->Rows(), 7);
    EXPECT_EQ(grid->TextMatrix(3, 1).toStdString(), cellText(QStringLiteral("7,8,9"), QStringLiteral("8,9")));
    EXPECT_EQ(grid->CellBackColor(3, 1), kYellow);
    EXPECT_EQ(grid->CellBackColor(3, 2), kWhite);
}

TEST_F(PlayGridTest, TableColumnColoursFollowTheTerminalLinks) {
    EventBuilder b = mitchellEvent();
    b.addTerminal(102, 1, 2);
    b.addTerminal(103, 1, 3);
    b.addTerminal(1, 1, 4);
    ASSERT_TRUE(start(b));
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=0")));
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=1 WHERE [Table]=3")));

    struct Step {
        const char* sql;
        std::vector<QColor> colours;
    };
    const Step steps[] = {
        // No terminal, or the terminal id 1, is red; a set-up still owed is cyan.
        {nullptr, {kRed, kGreen, kCyan, kRed, kRed, kRed, kRed}},
        {"UPDATE Tables SET custom_qz_loadsetup=0 WHERE [Table]=3",
         {kRed, kGreen, kGreen, kRed, kRed, kRed, kRed}},
        {"INSERT INTO custom_qz_TQZ (TQZ_ID, Section, [Table]) VALUES (107, 1, 7)",
         {kRed, kGreen, kGreen, kRed, kRed, kRed, kGreen}},
        {"UPDATE Tables SET custom_qz_loadsetup=1 WHERE [Table]=7",
         {kRed, kGreen, kGreen, kRed, kRed, kRed, kCyan}},
        {"DELETE FROM custom_qz_TQZ WHERE TQZ_ID=102", {kRed, kRed, kGreen, kRed, kRed, kRed, kCyan}},
    };
    host.view = GridView::Boards;
    grid->InitGrid();
    for (const Step& step : steps) {
        if (step.sql != nullptr) {
            ASSERT_TRUE(data.exec(QString::fromLatin1(step.sql))) << step.sql;
            grid->RefreshTableStatus();
        }
        for (int row = 1; row <= 7; ++row)
            EXPECT_EQ(grid->CellBackColor(row, 0), step.colours[static_cast<std::size_t>(row - 1)])
                << (step.sql ? step.sql : "start") << ", table " << row;
    }
}

TEST_F(PlayGridTest, RefreshTokensRefreshOneRoundPerTick) {
    ASSERT_TRUE(start(mitchellEvent()));
    host.view = GridView::Boards;
    grid->InitGrid();
    ASSERT_EQ(grid->CellBackColor(2, 2), kYellow);

    // Table 2 completes round 2 (EW 8, boards 7-9); table 1 starts round 3 (EW 13, boards 7-9).
    for (qint16 board = 7; board <= 9; ++board)
        ASSERT_TRUE(data.gameData.markResult(QStringLiteral("A2"), played(board), 2, 2, 8, 0, 0).succeeded());
    ASSERT_TRUE(data.gameData.markResult(QStringLiteral("A1"), played(7), 3, 1, 13, 0, 0).succeeded());
    for (qint16 round : {2, 3, 2})
        grid->refreshQueue().append(round);

    struct Tick {
        const char* tagAfter;
        QColor round2Table2;
        QColor round2Table1;
        const char* round3Table1;
        QColor round3Table1Colour;
    };
    const Tick ticks[] = {
        // Round 2 is refreshed once; the new highest round 3 makes its open cells overdue.
        {"[3]", kGreen, kRed, "7,8,9", kWhite},
        {"", kGreen, kRed, "8,9", kYellow},
        {"", kGreen, kRed, "8,9", kYellow},
    };
    for (const Tick& tick : ticks) {
        grid->timerRefreshGrid_Timer();
        EXPECT_EQ(grid->refreshQueue().text(), QString::fromLatin1(tick.tagAfter));
        EXPECT_EQ(grid->CellBackColor(2, 2), tick.round2Table2);
        EXPECT_EQ(grid->CellBackColor(1, 2), tick.round2Table1);
        EXPECT_EQ(grid->TextMatrix(1, 3).toStdString(),
                  cellText(QStringLiteral("7,8,9"), QString::fromLatin1(tick.round3Table1)));
        EXPECT_EQ(grid->CellBackColor(1, 3), tick.round3Table1Colour);
    }

    // Without a chosen section the queue waits.
    grid->refreshQueue().append(4);
    host.section.reset();
    grid->timerRefreshGrid_Timer();
    EXPECT_EQ(grid->refreshQueue().text(), QStringLiteral("[4]"));
}

struct PairStep {
    enum Kind { Click, Type, NewSection, NoSection } kind;
    const char* text;
    bool ewOnly;
    std::set<std::pair<int, int>> cells;
    const char* tag;
};

std::set<std::pair<int, int>> diagonal() {
    std::set<std::pair<int, int>> cells;
    for (int r = 1; r <= 7; ++r)
        cells.emplace(r, r);
    return cells;
}

std::set<std::pair<int, int>> tableRow(int row) {
    std::set<std::pair<int, int>> cells;
    for (int r = 1; r <= 7; ++r)
        cells.emplace(row, r);
    return cells;
}

TEST_F(PlayGridTest, PairHighlight) {
    ASSERT_TRUE(start(mitchellEvent()));
    host.view = GridView::Boards;
    grid->InitGrid();
    const PairStep steps[] = {
        // EW 8 meets table r in round r.
        {PairStep::Click, "8", true, diagonal(), "highlight"},
        // A second click only clears; a third highlights again.
        {PairStep::Click, "8", true, {}, ""},
        {PairStep::Click, "8", true, diagonal(), "highlight"},
        {PairStep::Click, "3", false, {}, ""},
        // NS 3 stays at table 3; as EW it sits nowhere.
        {PairStep::Click, "3", false, tableRow(3), "highlight"},
        {PairStep::Click, "3", true, {}, ""},
        {PairStep::Click, "3", true, {}, "highlight"},
        {PairStep::Click, "3", true, {}, ""},
        // Pair 15 sits only at table 8, which is not in play and has no row.
        {PairStep::Click, "15", false, {}, "highlight"},
        {PairStep::Click, "15", false, {}, ""},
        {PairStep::Click, "0", false, {}, ""},
        {PairStep::Click, "x", false, {}, ""},
        // Typing a number keeps the marks; typing 0 clears them.
        {PairStep::Click, "8", false, diagonal(), "highlight"},
        {PairStep::Type, "9", false, diagonal(), "highlight"},
        {PairStep::Type, "0", false, {}, ""},
        // A new section clears the marks, and the next click highlights.
        {PairStep::Click, "8", false, diagonal(), "highlight"},
        {PairStep::NewSection, nullptr, false, {}, ""},
        {PairStep::Click, "8", false, diagonal(), "highlight"},
        // Without a chosen section a click changes nothing.
        {PairStep::NoSection, "8", false, diagonal(), "highlight"},
    };
    int index = 0;
    for (const PairStep& step : steps) {
        const QString text = step.text ? QString::fromLatin1(step.text) : QString();
        switch (step.kind) {
        case PairStep::Click:
            grid->cmdPickPair_Click(text, step.ewOnly);
            break;
        case PairStep::Type:
            grid->txtPairNo_Change(text);
            break;
        case PairStep::NewSection:
            grid->cboSection_Click();
            break;
        case PairStep::NoSection:
            host.section.reset();
            grid->cmdPickPair_Click(text, step.ewOnly);
            break;
        }
        EXPECT_EQ(highlighted(), step.cells) << "step " << index;
        EXPECT_EQ(grid->pickPairTag(), QString::fromLatin1(step.tag)) << "step " << index;
        ++index;
    }
}

TEST_F(PlayGridTest, PairBoxEnablesTheHighlightButtonAndThePersonalRecaps) {
    ASSERT_TRUE(start(mitchellEvent()));
    struct Case {
        const char* text;
        bool enabled;
    };
    const Case cases[] = {{"7", true},   {"0", false}, {"", false},
                          {"-3", false}, {"12", true}, {"abc", false}};
    for (const Case& c : cases) {
        grid->txtPairNo_Change(QString::fromLatin1(c.text));
        EXPECT_EQ(host.pickPairEnabled, c.enabled) << c.text;
        EXPECT_EQ(host.personalRecapsEnabled, c.enabled) << c.text;
    }
}

TEST_F(PlayGridTest, SectionChoiceLogsItsStepsAndSetsTheWindowControls) {
    ASSERT_TRUE(start(mitchellEvent()));
    // Without a chosen view the grid gets its rows and columns but no cells yet.
    const qsizetype first = data.logMessages().size();
    grid->InitGrid();
    EXPECT_EQ(grid->Cols(), 8);
    EXPECT_EQ(grid->TextMatrix(1, 1), QString());
    EXPECT_EQ(host.personalRecapsEnabled, false);
    EXPECT_GE(host.popUpCloses, 1);
    EXPECT_FALSE(host.ewPairEnabled.has_value());

    host.view = GridView::Boards;
    grid->cboSection_Click();
    QStringList steps;
    for (const QString& line : logFrom(first)) {
        if (line.endsWith(QStringLiteral("(cboSection)")) || line.endsWith(QStringLiteral("(cboView)")))
            steps << line;
    }
    const QStringList expected = {
        QStringLiteral("Setup grid (cboSection)"),
        QStringLiteral("Setup grid completed (cboSection)"),
        QStringLiteral("Setup grid (cboSection)"),
        QStringLiteral("Setup grid completed (cboSection)"),
        QStringLiteral("Load data to grid (cboView)"),
        QStringLiteral("Load data to grid compeleted (cboView)"),
    };
    EXPECT_EQ(steps, expected);
    for (int col = 0; col < grid->Cols(); ++col)
        EXPECT_EQ(grid->ColWidth(col), 600) << col;
}

TEST_F(PlayGridTest, EWChoiceOnlyForSectionsWithSeparatePairs) {
    struct Case {
        const char* name;
        EventBuilder (*make)();
        bool separate;
    };
    const Case cases[] = {{"mitchell", test::fixtures::mitchell, true},
                          {"howell", test::fixtures::howell, false}};
    for (const Case& c : cases) {
        GameDataHarness own;
        EventBuilder b = c.make();
        ASSERT_TRUE(own.start(b)) << own.failure().toStdString();
        own.harness.event.boardsPerRound = 2;
        own.harness.event.totalBoards = 18;
        test::FakePlayGridHost ownHost;
        PlayGrid ownGrid(own.gameData, own.harness.db, own.harness.log, own.harness.event, ownHost);
        ownHost.grid = &ownGrid;
        ownHost.view = GridView::Pairs;
        ownGrid.InitGrid();
        EXPECT_EQ(ownHost.ewPairEnabled, c.separate) << c.name;
    }
}

// The table status and the view show the stanza state of the section chosen, each under
// its own name in the log.
TEST_F(PlayGridTest, TableStatusAndViewShowTheStanzaState) {
    ASSERT_TRUE(start(mitchellEvent()));
    host.view = GridView::Boards;
    grid->InitGrid();
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE Section SET custom_qz_StanazEdgeGameRound=3")));
    data.reload();
    host.stanzaStates.clear();
    grid->RefreshTableStatus();
    grid->cboView_Click();
    using Shown = std::vector<std::pair<StanzaState, QString>>;
    // Rounds 4 to 7 lie beyond the stanza and no table has a terminal that owes results.
    EXPECT_EQ(host.stanzaStates,
              (Shown{{StanzaState::ReadyForNextStanza, QStringLiteral("Refresh table status")},
                     {StanzaState::ReadyForNextStanza, QStringLiteral("View click")}}));
}

} // namespace
} // namespace qzc

// The director corrects results: in the pop-up of a grid cell, and in the board traveller
// with the result edit dialog, each the way the program goes, down to the score database,
// the log and the grid.
#include "ProgramRig.h"
#include "desktop/PlayGrid.h"
#include "desktop/ResultMenuCommands.h"
#include "desktop/ResultPopUp.h"
#include "desktop/frmdesktop.h"
#include "dialogs/frmDialog.h"
#include "dialogs/frmEditResultDialog.h"
#include "gamedata/ResultCorrection.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/OtherProgramLock.h"
#include "support/QueryRows.h"
#include "support/TestGuiApp.h"
#include "support/WidgetInput.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <ostream>
#include <utility>

// Readable texts in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;

/// The Mitchell fixture in one stanza of 7 rounds, with a result of round 2 (table 1, NS 1
/// against EW 14, board 4), so round 2 is the section's highest round with a result.
EventBuilder roundTwoPlayed() {
    EventBuilder b = test::fixtures::mitchell();
    b.setStanza(1, 1, 7);
    b.addResult(ResultRow::played(1, 1, 2, 4, 1, 14, QStringLiteral("2S"), QStringLiteral("N"), 8));
    return b;
}

class ResultEditingTest : public ::testing::Test {
protected:
    /// Starts the program on the event, a new one, whose settings are the ini file's
    /// defaults (GameType 1 for an individual game).
    void start(EventBuilder builder, bool individual = false) {
        ASSERT_TRUE(rig.prepare(std::move(builder)));
        if (individual)
            rig.writeDefault(QStringLiteral("GameType"), QStringLiteral("1"));
        ASSERT_TRUE(rig.make().start());
        // The "Boards" view, which the game start would choose.
        test::click(window().findChild<QPushButton*>(QStringLiteral("cmdView")));
        window().activateWindow();
        QApplication::processEvents();
        // Without a base station the start said so.
        rig.messages.shown.clear();
    }
    frmdesktop& window() { return rig.program->desktop(); }
    ResultPopUp& popUp() { return window().popUp(); }
    QString stored(const QString& where) {
        return test::queryRows(
            rig.program->db(),
            QStringLiteral("SELECT Contract, Result, Remarks, custom_qz_score FROM ReceivedData "
                           "WHERE NOT Erased AND ") +
                where);
    }
    bool logged(const QString& line) { return rig.program->log().bufferedText().contains(line); }
    /// Table A1 (NS 1, EW 8) sends 3NT by South, 10 tricks, for board 1 of round 1.
    void terminalSendsBoardOne() {
        const ResultEntry entry{{}, 1, QStringLiteral("3NT"), QStringLiteral("S"), 10, {}, -1, 0};
        EXPECT_TRUE(
            rig.program->gameData().markResult(QStringLiteral("A1"), entry, 1, 1, 8, 0, 0).succeeded());
    }

    /// Clicks the grid cell of row (table) and col (round).
    void clickCell(int row, int col) {
        PlayGrid& grid = window().grid();
        const QRect cell = grid.visualRect(grid.model()->index(row - 1, col - 1));
        test::click(grid.viewport(), cell.center());
    }
    /// Clicks line (from 1) of the pop-up; its edit box, which has the focus.
    QLineEdit* editLine(int line) {
        test::click(popUp().labResultLine.at(static_cast<std::size_t>(line - 1)));
        QLineEdit* box = popUp().textContract.at(static_cast<std::size_t>(line - 1));
        EXPECT_TRUE(box->isVisible());
        EXPECT_TRUE(box->hasFocus());
        return box;
    }

    test::TestGuiApp app;
    test::FakeClock clock;
    test::ProgramRig rig{clock};
};

// Click a cell, type a result over the board that is missing, confirm with Enter: stored
// with its score, logged, queued for the grid, and the cell shows the round complete.
TEST_F(ResultEditingTest, TypedResultInThePopUpReachesTheDatabaseAndTheGrid) {
    start(roundTwoPlayed());
    PlayGrid& grid = window().grid();
    EXPECT_TRUE(grid.TextMatrix(1, 1).contains(QStringLiteral("(1,2,3)") + QString(20, QLatin1Char(' ')) +
                                               QStringLiteral("3") + QString(20, QLatin1Char(' '))));
    clickCell(1, 1);
    ASSERT_TRUE(popUp().isVisible());
    EXPECT_EQ(popUp().labResultTitle->text(), QStringLiteral("Table A1; Round 1; Pair 1/8"));
    ASSERT_EQ(popUp().labResultLine.size(), 3U);
    EXPECT_EQ(popUp().labResultLine[0]->text(), QStringLiteral("  1    4S  N    11          450"));
    EXPECT_EQ(popUp().labResultLine[2]->text(), QStringLiteral("  3"));

    QLineEdit* box = editLine(3);
    test::typeText(box, QStringLiteral("3ns="));
    rig.messages.answers = {true};
    test::pressKey(box, Qt::Key_Return);

    EXPECT_EQ(rig.messages.texts(), QStringList{QStringLiteral("Save changed result?")});
    EXPECT_EQ(rig.messages.shown.front().style, 36);
    EXPECT_EQ(rig.messages.shown.front().helpTopic, 13);
    EXPECT_EQ(stored(QStringLiteral("Round=1 AND [Table]=1 AND Board=3")), QStringLiteral("3 NT|=||400"));
    EXPECT_TRUE(logged(QStringLiteral(": Modify board result:A1,1,1,8\r\n")));
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(popUp().labResultLine[2]->text(), QStringLiteral("  3   3NT  S     9          400"));
    EXPECT_EQ(grid.refreshQueue().text(), QStringLiteral("[1]"));
    grid.timerRefreshGrid_Timer();
    EXPECT_TRUE(grid.TextMatrix(1, 1).contains(QString(20, QLatin1Char(' ')) + QStringLiteral("1,2,3") +
                                               QString(20, QLatin1Char(' '))));
    EXPECT_EQ(grid.CellBackColor(1, 1), QColor(0, 255, 0));
}

// A result sent while the change is asked is neither overwritten nor hidden.
TEST_F(ResultEditingTest, PopUpStoresNothingOverANewerResult) {
    start(roundTwoPlayed());
    clickCell(1, 1);
    QLineEdit* box = editLine(1);
    test::typeText(box, QStringLiteral("4SN10"));
    rig.messages.answers = {true};
    rig.messages.whileShown = [this] {
        terminalSendsBoardOne();
    };
    test::pressKey(box, Qt::Key_Return);
    EXPECT_EQ(rig.messages.texts().last(), ResultCorrection::outdatedMessage);
    EXPECT_EQ(stored(QStringLiteral("Round=1 AND [Table]=1 AND Board=1")), QStringLiteral("3 NT|+1||430"));
    EXPECT_EQ(popUp().labResultLine[0]->text(), QStringLiteral("  1   3NT  S    10          430"));
}

// An emptied line asks to annul: before the section's last played round the board becomes
// "not played", in that round it is erased. A remark that is no result is kept as a ruling
// remark; a No keeps the box and stores nothing; a second focus change while the question
// is open asks nothing more. A click on the pair box closes the pop-up.
TEST_F(ResultEditingTest, AnnulNotPlayedAndRemarksInThePopUp) {
    start(roundTwoPlayed());
    clickCell(1, 1);
    QLineEdit* box = editLine(1);
    rig.messages.answers = {true};
    bool focusChanged = false;
    rig.messages.whileShown = [box, &focusChanged] {
        if (std::exchange(focusChanged, true))
            return;
        QFocusEvent again(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(box, &again);
    };
    test::pressKey(box, Qt::Key_Return);
    EXPECT_EQ(rig.messages.texts(),
              QStringList{QStringLiteral("Do you really want to annul (erase) the current result?")});
    EXPECT_EQ(stored(QStringLiteral("Round=1 AND [Table]=1 AND Board=1")), QStringLiteral("||Not played|0"));
    EXPECT_EQ(popUp().labResultLine[0]->text(), QStringLiteral("  1    Not played"));
    rig.messages.whileShown = nullptr;

    clickCell(1, 2);
    box = editLine(1);
    rig.messages.answers = {true};
    test::pressKey(box, Qt::Key_Return);
    EXPECT_EQ(stored(QStringLiteral("Round=2 AND [Table]=1 AND Board=4")), QString());
    EXPECT_EQ(window().grid().refreshQueue().text(), QStringLiteral("[1][2]"));

    box = editLine(2);
    test::typeText(box, QStringLiteral("late arrival"));
    rig.messages.answers = {false};
    test::pressKey(box, Qt::Key_Return);
    EXPECT_EQ(rig.messages.texts().last(), QStringLiteral("<late arrival> is not a valid result entry.\r\n"
                                                          "Do you want to save it as ruling remark?"));
    EXPECT_EQ(stored(QStringLiteral("Round=2 AND [Table]=1 AND Board=5")), QString());
    box = editLine(2);
    EXPECT_EQ(box->text(), QStringLiteral("late arrival"));
    rig.messages.answers = {true};
    test::pressKey(box, Qt::Key_Return);
    EXPECT_EQ(stored(QStringLiteral("Round=2 AND [Table]=1 AND Board=5")),
              QStringLiteral("||late arrival|0"));
    EXPECT_EQ(popUp().labResultLine[1]->text(), QStringLiteral("  5 ***late arrival"));

    // Esc puts the line back: nothing to ask, nothing to store.
    const qsizetype questions = rig.messages.shown.size();
    box = editLine(2);
    test::typeText(box, QStringLiteral("1CN="));
    test::pressKey(box, Qt::Key_Escape);
    EXPECT_EQ(rig.messages.shown.size(), questions);
    EXPECT_FALSE(box->isVisible());

    ASSERT_TRUE(popUp().isVisible());
    test::click(window().findChild<QLineEdit*>(QStringLiteral("txtPairNo")));
    EXPECT_FALSE(popUp().isVisible());
}

// The grid's tooltips, and a click on a round's heading: a column whose lists are cut is
// widened, a widened one narrowed again, one whose lists fit is left alone.
TEST_F(ResultEditingTest, GridTooltipsAndRoundHeadings) {
    start(roundTwoPlayed());
    PlayGrid& grid = window().grid();
    // Table 4 plays boards 10 to 12 in round 1, too wide for a narrow column.
    EXPECT_EQ(grid.toolTipAt(4, 1), QStringLiteral("Details for 10,11,12"));
    EXPECT_EQ(grid.toolTipAt(1, 0), QStringLiteral("Highlight table"));
    EXPECT_EQ(grid.toolTipAt(0, 3), QStringLiteral("Enlarge/reduce round"));
    EXPECT_EQ(grid.toolTipAt(1, 2), QString());

    const QPoint somewhere(5, 5);
    grid.gridPlay_MouseUp(0, 1, somewhere);
    EXPECT_GT(grid.ColWidth(1), 600);
    EXPECT_EQ(grid.TextMatrix(4, 1).trimmed(),
              QStringLiteral("(10,11,12)") + QString(20, QLatin1Char(' ')) + QStringLiteral("10,11,12") +
                  QString(20, QLatin1Char(' ')) + QStringLiteral("(10,11,12)"));
    grid.gridPlay_MouseUp(0, 1, somewhere);
    EXPECT_EQ(grid.ColWidth(1), 600);

    grid.setColWidth(1, 600);
    for (int row = 1; row < grid.Rows(); ++row)
        grid.setTextMatrix(row, 1, QStringLiteral("(1)    1    (1)"));
    grid.gridPlay_MouseUp(0, 1, somewhere);
    EXPECT_EQ(grid.ColWidth(1), 600);
    EXPECT_EQ(grid.TextMatrix(4, 1), QStringLiteral("(1)    1    (1)"));
}

frmDialog& openTraveller(frmdesktop& window) {
    window.findChild<QAction*>(QStringLiteral("mnu_resultperboard"))->trigger();
    frmDialog* traveller = window.resultCommands().boardTraveller();
    EXPECT_NE(traveller, nullptr);
    // The window system activates the traveller.
    QApplication::processEvents();
    return *traveller;
}

/// Double-clicks the traveller row whose table cell reads tableId; the edit dialog.
frmEditResultDialog* editRow(frmDialog& traveller, const QString& tableId) {
    FlexGrid& grid = *traveller.gridResult;
    for (int row = 1; row < grid.Rows(); ++row) {
        if (grid.TextMatrix(row, 3) != tableId)
            continue;
        const QRect cell = grid.visualRect(grid.model()->index(row - 1, 3));
        test::doubleClick(grid.viewport(), cell.center());
        // The window system activates the dialog, which puts the focus in its first box.
        QApplication::processEvents();
        return traveller.editDialog();
    }
    return nullptr;
}

QString rowOf(frmDialog& traveller, const QString& tableId) {
    FlexGrid& grid = *traveller.gridResult;
    for (int row = 1; row < grid.Rows(); ++row) {
        if (grid.TextMatrix(row, 3) == tableId) {
            QStringList cells;
            for (int col = 1; col <= 5; ++col)
                cells << grid.TextMatrix(row, col);
            return cells.join(QLatin1Char('|'));
        }
    }
    return {};
}

// The traveller of board 1: a changed result through the edit dialog, a ruling, an
// annulment by the not-played rule, and a sort by a heading both ways.
TEST_F(ResultEditingTest, BoardTravellerEditsAndRulings) {
    start(roundTwoPlayed());
    frmDialog& traveller = openTraveller(window());
    EXPECT_EQ(traveller.txtBoardNo->text(), QStringLiteral("1"));
    EXPECT_EQ(traveller.gridResult->TextMatrix(0, 4), QStringLiteral("Result-"));
    EXPECT_EQ(rowOf(traveller, QStringLiteral("A1")), QStringLiteral("1|8|A1|+450|"));

    frmEditResultDialog* edit = editRow(traveller, QStringLiteral("A1"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->labMsg->text(),
              QStringLiteral("Board 1\r\nTable A1; Round 1\r\nNS #1; EW #8\r\nNorth 4S; 11 tricks; +450"));
    EXPECT_EQ(edit->textMade->text(), QStringLiteral("11"));
    // Enter steps from box to box, each taken whole, and from the last to Save; Enter saves.
    const auto enter = [edit] {
        test::pressKey(edit->focusWidget(), Qt::Key_Return);
    };
    enter();
    enter();
    test::typeText(edit->focusWidget(), QStringLiteral("10"));
    enter();
    enter();
    EXPECT_EQ(edit->focusWidget(), edit->cmdButton[0]);
    enter();
    EXPECT_EQ(rig.messages.texts().join(QLatin1Char('#')).toStdString(), "");
    EXPECT_EQ(stored(QStringLiteral("Round=1 AND [Table]=1 AND Board=1")), QStringLiteral("4 S|=||420"));
    EXPECT_TRUE(logged(QStringLiteral(": Modify board result:1,1,1,8\r\n")));
    EXPECT_EQ(rowOf(traveller, QStringLiteral("A1")), QStringLiteral("1|8|A1|+420|"));
    EXPECT_EQ(window().grid().refreshQueue().text(), QStringLiteral("[1]"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(traveller.editDialog(), nullptr);

    // A ruling: stored as its remark without a question.
    edit = editRow(traveller, QStringLiteral("A1"));
    test::click(edit->cmdRuling);
    EXPECT_EQ(edit->windowTitle(), QStringLiteral("Ruling"));
    edit->optRulings[14]->setChecked(true);
    test::click(edit->cmdButton[0]);
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_EQ(stored(QStringLiteral("Round=1 AND [Table]=1 AND Board=1")), QStringLiteral("||50%-40%|0"));
    EXPECT_EQ(rowOf(traveller, QStringLiteral("A1")), QStringLiteral("1|8|A1|***50%-40%|"));

    // Opened again on its ruling; "Annul" in a round before the last played round stores
    // "not played".
    edit = editRow(traveller, QStringLiteral("A1"));
    EXPECT_TRUE(edit->optRulings[14]->isChecked());
    EXPECT_TRUE(edit->frameRuling->isVisibleTo(edit));
    edit->optRulings[ResultEditor::annulOption]->setChecked(true);
    rig.messages.answers = {true};
    test::click(edit->cmdButton[0]);
    EXPECT_EQ(rig.messages.shown.front().caption, QStringLiteral("Annul entry?"));
    EXPECT_EQ(stored(QStringLiteral("Round=1 AND [Table]=1 AND Board=1")), QStringLiteral("||Not played|0"));

    // Sorting by a heading: ascending, then descending.
    QHeaderView* heading = traveller.gridResult->horizontalHeader();
    const int nsX = heading->sectionViewportPosition(1) + 5;
    test::sendMouse(heading->viewport(), QEvent::MouseButtonPress, QPoint(nsX, 5));
    EXPECT_EQ(traveller.gridResult->TextMatrix(0, 1), QStringLiteral("NS+"));
    EXPECT_EQ(traveller.gridResult->CellBackColor(0, 1), QColor(0, 255, 255));
    EXPECT_EQ(traveller.gridResult->TextMatrix(0, 4), QStringLiteral("Result"));
    test::sendMouse(heading->viewport(), QEvent::MouseButtonPress, QPoint(nsX, 5));
    EXPECT_EQ(traveller.gridResult->TextMatrix(0, 1), QStringLiteral("NS-"));
    EXPECT_EQ(rig.program->config().boardResultSorting, -1);
}

// A result sent while the dialog is open is neither overwritten nor hidden.
TEST_F(ResultEditingTest, BoardTravellerStoresNothingOverANewerResult) {
    start(roundTwoPlayed());
    frmEditResultDialog* edit = editRow(openTraveller(window()), QStringLiteral("A1"));
    ASSERT_NE(edit, nullptr);
    terminalSendsBoardOne();
    edit->textLead->setText(QStringLiteral("HK"));
    test::click(edit->cmdButton[0]);
    EXPECT_EQ(rig.messages.texts(), QStringList{ResultCorrection::outdatedMessage});
    EXPECT_EQ(stored(QStringLiteral("Round=1 AND [Table]=1 AND Board=1")), QStringLiteral("3 NT|+1||430"));
    EXPECT_TRUE(edit->labMsg->text().endsWith(QStringLiteral("South 3NT; 10 tricks; +430")));

    // The scoring program changes it while the Save waits for the write lock: refused too.
    edit->textLead->setText(QStringLiteral("D2"));
    const test::OtherProgramLock lock(
        rig.program->db().path(), std::chrono::milliseconds(300),
        QStringLiteral("UPDATE ReceivedData SET Result='+2', LeadCard='CA' WHERE [Table]=1 AND Board=1"));
    test::click(edit->cmdButton[0]);
    EXPECT_EQ(rig.messages.texts().size(), 2);
    EXPECT_EQ(stored(QStringLiteral("Round=1 AND [Table]=1 AND Board=1")), QStringLiteral("3 NT|+2||430"));
    EXPECT_EQ(edit->textLead->text(), QStringLiteral("CA"));

    // Only the declarer changes, before the own columns follow it: refused, and shown, all the same.
    edit->textLead->setText(QStringLiteral("D2"));
    {
        const test::OtherProgramLock declarer(
            rig.program->db().path(), std::chrono::milliseconds(300),
            QStringLiteral("UPDATE ReceivedData SET [NS/EW]='E' WHERE [Table]=1 AND Board=1"));
        test::click(edit->cmdButton[0]);
    }
    EXPECT_EQ(rig.messages.texts().size(), 3);
    EXPECT_EQ(edit->textDeclarer->text(), QStringLiteral("E"));
    EXPECT_EQ(edit->textLead->text(), QStringLiteral("CA"));
}

// Annul in the section's last played round erases; a board the movement does not list is
// shown and refused when edited, the dialog staying open with its entries.
TEST_F(ResultEditingTest, BoardTravellerErasesAndRefusesWhatTheMovementDoesNotHold) {
    EventBuilder builder = roundTwoPlayed();
    ResultRow beyond = ResultRow::played(1, 2, 1, 40, 2, 9, QStringLiteral("1NT"), QStringLiteral("N"), 7);
    builder.addResult(beyond);
    start(std::move(builder));
    frmDialog& traveller = openTraveller(window());
    traveller.txtBoardNo->setText(QStringLiteral("4"));
    frmEditResultDialog* edit = editRow(traveller, QStringLiteral("A1"));
    ASSERT_NE(edit, nullptr);
    edit->textContract->clear();
    edit->textDeclarer->clear();
    edit->textMade->clear();
    rig.messages.answers = {true};
    test::click(edit->cmdButton[0]);
    EXPECT_EQ(stored(QStringLiteral("Round=2 AND [Table]=1 AND Board=4")), QString());

    traveller.txtBoardNo->setText(QStringLiteral("99"));
    EXPECT_EQ(traveller.txtBoardNo->text(), QStringLiteral("40"));
    EXPECT_EQ(rowOf(traveller, QStringLiteral("A2")), QStringLiteral("2|9|A2|+90|"));
    edit = editRow(traveller, QStringLiteral("A2"));
    ASSERT_NE(edit, nullptr);
    rig.messages.shown.clear();
    // Its stored result is described, but the movement does not let it change.
    EXPECT_EQ(edit->textContract->text(), QStringLiteral("1NT"));
    edit->textContract->setText(QStringLiteral("1NT"));
    edit->textDeclarer->setText(QStringLiteral("N"));
    edit->textMade->setText(QStringLiteral("8"));
    test::click(edit->cmdButton[0]);
    EXPECT_EQ(rig.messages.texts(), QStringList{ResultCorrection::mismatchMessage});
    EXPECT_EQ(traveller.editDialog(), edit);
    EXPECT_EQ(edit->textMade->text(), QStringLiteral("8"));
    EXPECT_EQ(stored(QStringLiteral("Board=40")), QStringLiteral("1 NT|=||90"));
    EXPECT_FALSE(logged(QStringLiteral("Modify board result:40")));
}

// In an individual game the edit keeps the South and West players of the result.
TEST_F(ResultEditingTest, EditInAnIndividualGameKeepsSouthAndWest) {
    EventBuilder builder = test::fixtures::individual();
    builder.setStanza(1, 1, 4);
    start(std::move(builder), true);
    frmDialog& traveller = openTraveller(window());
    frmEditResultDialog* edit = editRow(traveller, QStringLiteral("A1"));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->labMsg->text().contains(QStringLiteral("NS #1/#11; EW #6/#16")));
    edit->textMade->setText(QStringLiteral("9"));
    test::click(edit->cmdButton[0]);
    EXPECT_EQ(
        test::queryRows(rig.program->db(), QStringLiteral("SELECT South, West, Result FROM ReceivedData "
                                                          "WHERE Board=1 AND NOT Erased")),
        QStringLiteral("11|16|+2"));
}

} // namespace
} // namespace qzc

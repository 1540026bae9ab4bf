#include "widgets/FlexGrid.h"

#include "support/TestGuiApp.h"

#include <QHeaderView>
#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(FlexGridTest, CellsOfTheFixedRowAndColumnAndOfTheData) {
    test::TestGuiApp app;
    FlexGrid grid;
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.setRows(4);
    grid.setCols(3);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.columnCount(), 2);

    struct Case {
        int row;
        int col;
        const char* text;
        QColor colour;
    };
    const Case cases[] = {
        {0, 0, "Tbl", QColor()},
        {0, 2, "Rd 2", QColor()},
        {3, 0, "7", QColor(255, 0, 0)},
        {1, 1, "(1)", QColor(0, 255, 0)},
        {3, 2, "(2,3)", QColor(255, 255, 0)},
    };
    for (const Case& c : cases) {
        grid.setTextMatrix(c.row, c.col, QString::fromLatin1(c.text));
        if (c.colour.isValid())
            grid.setCellBackColor(c.row, c.col, c.colour);
    }
    for (const Case& c : cases) {
        EXPECT_EQ(grid.TextMatrix(c.row, c.col), QString::fromLatin1(c.text)) << c.row << "," << c.col;
        EXPECT_EQ(grid.CellBackColor(c.row, c.col), c.colour) << c.row << "," << c.col;
    }
    // The fixed cells are the headers, which stay in view while the data scrolls.
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Rd 2"));
    EXPECT_EQ(grid.verticalHeaderItem(2)->text(), QStringLiteral("7"));
    EXPECT_EQ(grid.item(2, 1)->text(), QStringLiteral("(2,3)"));
    // Rows without a text show nothing, not a row number.
    EXPECT_EQ(grid.TextMatrix(2, 0), QString());
    EXPECT_EQ(grid.verticalHeaderItem(1)->text(), QString());
    // Cells out of range read as empty and take nothing.
    grid.setTextMatrix(9, 9, QStringLiteral("x"));
    EXPECT_EQ(grid.TextMatrix(9, 9), QString());
}

TEST(FlexGridTest, FewerRowsAndColumnsDropTheirCells) {
    test::TestGuiApp app;
    FlexGrid grid;
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.setRows(4);
    grid.setCols(4);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            grid.setTextMatrix(row, col, QStringLiteral("%1%2").arg(row).arg(col));
            grid.setCellBackColor(row, col, QColor(0, 255, 255));
        }
    }
    grid.setRows(2);
    grid.setCols(2);
    grid.setRows(4);
    grid.setCols(4);
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("11"));
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("01"));
    for (const auto& [row, col] : {std::pair{3, 3}, {2, 0}, {0, 2}, {1, 3}}) {
        EXPECT_EQ(grid.TextMatrix(row, col), QString()) << row << "," << col;
        EXPECT_FALSE(grid.CellBackColor(row, col).isValid()) << row << "," << col;
    }
}

TEST(FlexGridTest, ColumnWidthsInTwipsReadBackAsSet) {
    test::TestGuiApp app;
    FlexGrid grid;
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.setRows(3);
    grid.setCols(3);
    for (int twips : {600, 700, 1234, 2000}) {
        for (int col = 0; col < 3; ++col) {
            grid.setColWidth(col, twips);
            EXPECT_EQ(grid.ColWidth(col), twips) << "column " << col;
        }
        const int pixels = grid.twipsToPixels(twips);
        EXPECT_EQ(grid.columnWidth(1), pixels);
        EXPECT_EQ(grid.verticalHeader()->maximumWidth(), pixels);
    }
    // A column resized on screen reads back its new width.
    grid.setColumnWidth(0, grid.twipsToPixels(600) + 30);
    EXPECT_EQ(grid.ColWidth(1), grid.pixelsToTwips(grid.twipsToPixels(600) + 30));
    EXPECT_EQ(grid.twipsToPixels(1440), grid.logicalDpiX());
}

TEST(FlexGridTest, FontFlagsAndAlignmentOfCells) {
    test::TestGuiApp app;
    FlexGrid grid;
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.setRows(3);
    grid.setCols(3);
    grid.setTextMatrix(1, 1, QStringLiteral("a"));
    grid.setColAlignment(1, Qt::AlignCenter);
    grid.setTextMatrix(2, 1, QStringLiteral("b"));
    EXPECT_EQ(grid.item(0, 0)->textAlignment(), static_cast<int>(Qt::AlignCenter));
    EXPECT_EQ(grid.item(1, 0)->textAlignment(), static_cast<int>(Qt::AlignCenter));

    grid.setCellFontBold(2, 2, true);
    grid.setCellFontUnderline(2, 2, true);
    EXPECT_TRUE(grid.CellFontBold(2, 2));
    EXPECT_TRUE(grid.CellFontUnderline(2, 2));
    grid.setCellFontBold(2, 2, false);
    EXPECT_FALSE(grid.CellFontBold(2, 2));
    EXPECT_TRUE(grid.CellFontUnderline(2, 2));
    // Clearing a cell that was never touched makes no item for it.
    grid.setCellFontUnderline(1, 2, false);
    EXPECT_EQ(grid.item(0, 1), nullptr);

    {
        FlexGrid::RedrawPause pause(grid);
        EXPECT_FALSE(grid.Redraw());
        { FlexGrid::RedrawPause inner(grid); }
        EXPECT_FALSE(grid.Redraw());
    }
    EXPECT_TRUE(grid.Redraw());
}

} // namespace
} // namespace qzc

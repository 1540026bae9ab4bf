#pragma once

#include <QColor>
#include <QString>
#include <QTableWidget>
#include <vector>

class QAbstractButton;

namespace qzc {

/// A grid of text cells addressed as a flex grid addresses them: row 0 and column 0 are
/// the fixed heading row and column when there are fixed ones (at most one of each), the
/// data cells follow. The fixed row and column are the table's headers, so they stay in
/// view while the data scrolls; the fixed top-left cell is the corner. Sizes are in twips
/// (px = twips x logicalDpi / 1440). Cells are read only.
class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    /// Fixed rows and columns: 0 or 1 each; set them before the grid holds anything.
    void setFixedRows(int rows);
    void setFixedCols(int cols);
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }

    /// Rows and columns, the fixed ones included. Removed rows and columns lose their
    /// cells; added ones start empty.
    int Rows() const { return rowCount() + fixedRows_; }
    void setRows(int rows);
    int Cols() const { return columnCount() + fixedCols_; }
    void setCols(int cols);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    /// An invalid colour for a cell that was never coloured.
    QColor CellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor& colour);

    bool CellFontBold(int row, int col) const;
    void setCellFontBold(int row, int col, bool bold);
    bool CellFontUnderline(int row, int col) const;
    void setCellFontUnderline(int row, int col, bool underline);

    /// Column width in twips.
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);

    /// Alignment of every cell of the column, those made later included.
    void setColAlignment(int col, Qt::Alignment alignment);

    /// Whether the grid repaints; switched off while many cells change.
    bool Redraw() const { return updatesEnabled(); }
    void setRedraw(bool on);

    /// Width of text in the grid's font, in twips.
    int TextWidth(const QString& text) const;

    int twipsToPixels(int twips) const;
    int pixelsToTwips(int pixels) const;

    /// Switches redraw off for its lifetime and restores the earlier state.
    class RedrawPause {
    public:
        explicit RedrawPause(FlexGrid& grid) : grid_(grid), was_(grid.Redraw()) { grid_.setRedraw(false); }
        ~RedrawPause() { grid_.setRedraw(was_); }
        RedrawPause(const RedrawPause&) = delete;
        RedrawPause& operator=(const RedrawPause&) = delete;

    private:
        FlexGrid& grid_;
        bool was_;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isCorner(int row, int col) const { return row < fixedRows_ && col < fixedCols_; }
    bool inRange(int row, int col) const { return row >= 0 && col >= 0 && row < Rows() && col < Cols(); }
    /// The item behind a cell (a header item for the fixed row and column); nullptr for the
    /// corner, a cell out of range, or a missing item when create is false.
    QTableWidgetItem* cellItem(int row, int col, bool create);
    const QTableWidgetItem* cellItem(int row, int col) const;
    QTableWidgetItem* newItem(int col) const;
    void applyWidth(int col);
    void setFontFlag(int row, int col, bool bold, bool on);
    void paintCorner();

    int fixedRows_ = 0;
    int fixedCols_ = 0;
    QString cornerText_;
    QAbstractButton* corner_ = nullptr;
    /// Per column (fixed ones included): the width set in twips, kept so that reading it
    /// back gives the same number while the column keeps its pixel width.
    std::vector<int> colTwips_;
    std::vector<Qt::Alignment> colAlignment_;
};

} // namespace qzc

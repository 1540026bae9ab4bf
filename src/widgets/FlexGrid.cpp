#include "widgets/FlexGrid.h"

#include "platform/Twips.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

namespace qzc {

namespace {

constexpr int kUnset = -1;

} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setCornerButtonEnabled(false);
    // A cell shows its text on one line, cut at the cell's edges without an ellipsis: a
    // centred text wider than its column shows its middle part.
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_ != nullptr)
        corner_->installEventFilter(this);
}

void FlexGrid::setFixedRows(int rows) {
    const int data = rowCount();
    fixedRows_ = qBound(0, rows, 1);
    horizontalHeader()->setVisible(fixedRows_ == 1);
    setRowCount(data);
}

void FlexGrid::setFixedCols(int cols) {
    fixedCols_ = qBound(0, cols, 1);
    verticalHeader()->setVisible(fixedCols_ == 1);
    setCols(Cols());
}

void FlexGrid::setRows(int rows) {
    const int data = qMax(rows, fixedRows_) - fixedRows_;
    const int before = rowCount();
    setRowCount(data);
    // A header without an item would show a row number.
    for (int r = before; r < data; ++r)
        setVerticalHeaderItem(r, newItem(0));
}

void FlexGrid::setCols(int cols) {
    const int total = qMax(cols, fixedCols_);
    const int data = total - fixedCols_;
    const int before = columnCount();
    setColumnCount(data);
    colTwips_.resize(static_cast<std::size_t>(total), kUnset);
    colAlignment_.resize(static_cast<std::size_t>(total), Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = before; c < data; ++c) {
        colTwips_[static_cast<std::size_t>(c + fixedCols_)] = kUnset;
        setHorizontalHeaderItem(c, newItem(c + fixedCols_));
    }
}

QTableWidgetItem* FlexGrid::newItem(int col) const {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (col >= 0 && col < static_cast<int>(colAlignment_.size()))
        item->setTextAlignment(colAlignment_[static_cast<std::size_t>(col)]);
    else
        item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QTableWidgetItem* FlexGrid::cellItem(int row, int col, bool create) {
    if (!inRange(row, col) || isCorner(row, col))
        return nullptr;
    if (row < fixedRows_) {
        QTableWidgetItem* item = horizontalHeaderItem(col - fixedCols_);
        if (item == nullptr && create) {
            setHorizontalHeaderItem(col - fixedCols_, newItem(col));
            item = horizontalHeaderItem(col - fixedCols_);
        }
        return item;
    }
    if (col < fixedCols_) {
        QTableWidgetItem* item = verticalHeaderItem(row - fixedRows_);
        if (item == nullptr && create) {
            setVerticalHeaderItem(row - fixedRows_, newItem(col));
            item = verticalHeaderItem(row - fixedRows_);
        }
        return item;
    }
    QTableWidgetItem* item = this->item(row - fixedRows_, col - fixedCols_);
    if (item == nullptr && create) {
        setItem(row - fixedRows_, col - fixedCols_, newItem(col));
        item = this->item(row - fixedRows_, col - fixedCols_);
    }
    return item;
}

const QTableWidgetItem* FlexGrid::cellItem(int row, int col) const {
    if (!inRange(row, col) || isCorner(row, col))
        return nullptr;
    if (row < fixedRows_)
        return horizontalHeaderItem(col - fixedCols_);
    if (col < fixedCols_)
        return verticalHeaderItem(row - fixedRows_);
    return item(row - fixedRows_, col - fixedCols_);
}

QString FlexGrid::TextMatrix(int row, int col) const {
    if (isCorner(row, col))
        return cornerText_;
    const QTableWidgetItem* item = cellItem(row, col);
    return item == nullptr ? QString() : item->text();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (isCorner(row, col)) {
        cornerText_ = text;
        if (corner_ != nullptr)
            corner_->update();
        return;
    }
    if (QTableWidgetItem* item = cellItem(row, col, !text.isEmpty()))
        item->setText(text);
}

QColor FlexGrid::CellBackColor(int row, int col) const {
    const QTableWidgetItem* item = cellItem(row, col);
    if (item == nullptr || item->background().style() == Qt::NoBrush)
        return {};
    return item->background().color();
}

void FlexGrid::setCellBackColor(int row, int col, const QColor& colour) {
    if (QTableWidgetItem* item = cellItem(row, col, true))
        item->setBackground(colour);
}

bool FlexGrid::CellFontBold(int row, int col) const {
    const QTableWidgetItem* item = cellItem(row, col);
    return item != nullptr && item->font().bold();
}

void FlexGrid::setCellFontBold(int row, int col, bool bold) {
    setFontFlag(row, col, true, bold);
}

bool FlexGrid::CellFontUnderline(int row, int col) const {
    const QTableWidgetItem* item = cellItem(row, col);
    return item != nullptr && item->font().underline();
}

void FlexGrid::setCellFontUnderline(int row, int col, bool underline) {
    setFontFlag(row, col, false, underline);
}

void FlexGrid::setFontFlag(int row, int col, bool bold, bool on) {
    // Clearing a cell that has no item changes nothing, so no item is made for it.
    QTableWidgetItem* item = cellItem(row, col, on);
    if (item == nullptr)
        return;
    QFont font = item->font();
    if (bold)
        font.setBold(on);
    else
        font.setUnderline(on);
    item->setFont(font);
}

int FlexGrid::ColWidth(int col) const {
    if (col < 0 || col >= Cols())
        return 0;
    const int set = colTwips_[static_cast<std::size_t>(col)];
    if (col < fixedCols_)
        return set != kUnset ? set : pixelsToTwips(verticalHeader()->sizeHint().width());
    const int pixels = columnWidth(col - fixedCols_);
    return set != kUnset && twipsToPixels(set) == pixels ? set : pixelsToTwips(pixels);
}

void FlexGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= Cols())
        return;
    colTwips_[static_cast<std::size_t>(col)] = qMax(twips, 0);
    applyWidth(col);
}

void FlexGrid::applyWidth(int col) {
    const int pixels = twipsToPixels(colTwips_[static_cast<std::size_t>(col)]);
    if (col < fixedCols_)
        verticalHeader()->setFixedWidth(pixels);
    else
        setColumnWidth(col - fixedCols_, pixels);
}

void FlexGrid::setColAlignment(int col, Qt::Alignment alignment) {
    if (col < 0 || col >= Cols())
        return;
    colAlignment_[static_cast<std::size_t>(col)] = alignment;
    for (int row = 0; row < Rows(); ++row) {
        if (QTableWidgetItem* item = cellItem(row, col, false))
            item->setTextAlignment(alignment);
    }
}

void FlexGrid::setRedraw(bool on) {
    setUpdatesEnabled(on);
}

int FlexGrid::TextWidth(const QString& text) const {
    return pixelsToTwips(fontMetrics().horizontalAdvance(text));
}

int FlexGrid::twipsToPixels(int twips) const {
    return qzc::twipsToPixels(twips, logicalDpiX());
}

int FlexGrid::pixelsToTwips(int pixels) const {
    return qzc::pixelsToTwips(pixels, logicalDpiX());
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

void FlexGrid::paintCorner() {
    // The corner as a heading section that carries the fixed top-left cell's text.
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.rect = corner_->rect();
    option.text = cornerText_;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.state |= QStyle::State_Raised;
    QPainter painter(corner_);
    corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
}

} // namespace qzc

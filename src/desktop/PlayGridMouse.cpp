// The play grid under the pointer: clicks on cells and headings, and the tooltips.
#include "core/Guarded.h"
#include "desktop/PlayGrid.h"
#include "desktop/PlayGridHost.h"
#include "gamedata/GameData.h"
#include "reports/PopUpResults.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace qzc {

namespace {

void showTip(const QHelpEvent* help, const QString& tip, QWidget* widget) {
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, widget);
}

} // namespace

void PlayGrid::watchHeadings() {
    horizontalHeader()->viewport()->installEventFilter(this);
    verticalHeader()->viewport()->installEventFilter(this);
}

QString PlayGrid::toolTipAt(int row, int col) const {
    if (row < 0 || col < 0)
        return {};
    if (col == 0)
        return row == 0 ? QString() : QStringLiteral("Highlight table");
    if (row == 0)
        return QStringLiteral("Enlarge/reduce round");
    const QString text = TextMatrix(row, col);
    if (!text.contains(QLatin1Char('.')))
        return {};
    QString boards = text.left(text.indexOf(QLatin1Char(')')));
    boards.remove(QLatin1Char('('));
    return QStringLiteral("Details for ") + boards;
}

void PlayGrid::gridPlay_MouseUp(int row, int col, const QPoint& position) {
    if (Cols() <= 1 || Rows() <= 1)
        return;
    if (row >= 1 && col >= 1) {
        const std::optional<SectionListEntry> section = host_.selectedSection();
        const QString letters = section ? section->text.trimmed() : QString();
        const QString boardList = PopUpResults::cellBoardList(TextMatrix(row, col));
        if (boardList.isEmpty())
            return;
        const qint16 table = gameData_.mem_GetSectionListItem(gameData_.getSectionID(letters),
                                                              static_cast<qint16>(row), false);
        Q_EMIT cellDetailsWanted(letters, table, static_cast<qint16>(col), boardList, position);
        return;
    }
    host_.Close_PopUp();
    if (row == 0 && col >= 1)
        roundHeading_Click(col);
}

void PlayGrid::roundHeading_Click(int col) {
    const std::optional<SectionListEntry> section = host_.selectedSection();
    if (!section || host_.selectedView() != GridView::Boards)
        return;
    const QString letters = section->text.trimmed();
    const int narrow = PlayGridData::minColumnTwips;
    if (ColWidth(col) != narrow) {
        setColWidth(col, narrow);
        RefreshPlayGrid(letters, static_cast<qint16>(col), false);
        return;
    }
    bool cut = false;
    for (int row = 0; row < Rows() && !cut; ++row)
        cut = TextMatrix(row, col).contains(QLatin1Char('.'));
    if (!cut)
        return;
    // One column at a time is widened: the others go back to their narrow width first.
    for (int other = 0; other < Cols(); ++other) {
        if (ColWidth(other) != narrow) {
            setColWidth(other, narrow);
            RefreshPlayGrid(letters, static_cast<qint16>(other), false);
        }
    }
    RefreshPlayGrid(letters, static_cast<qint16>(col), true);
}

void PlayGrid::mouseReleaseEvent(QMouseEvent* event) {
    FlexGrid::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    const int row = index.isValid() ? index.row() + FixedRows() : -1;
    const int col = index.isValid() ? index.column() + FixedCols() : -1;
    guarded(log_, QStringLiteral("gridPlay"),
            [&] { gridPlay_MouseUp(row, col, viewport()->mapTo(this, at)); });
}

bool PlayGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        showTip(help,
                index.isValid() ? toolTipAt(index.row() + FixedRows(), index.column() + FixedCols())
                                : QString(),
                viewport());
        return true;
    }
    return FlexGrid::viewportEvent(event);
}

bool PlayGrid::eventFilter(QObject* watched, QEvent* event) {
    const bool heading = watched == horizontalHeader()->viewport();
    const bool tableColumn = watched == verticalHeader()->viewport();
    if ((heading || tableColumn) &&
        (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::ToolTip)) {
        const QHeaderView* header = heading ? horizontalHeader() : verticalHeader();
        const QPoint at = event->type() == QEvent::ToolTip
                              ? static_cast<QHelpEvent*>(event)->pos()
                              : static_cast<QMouseEvent*>(event)->position().toPoint();
        const int section = header->logicalIndexAt(heading ? at.x() : at.y());
        const int row = heading ? 0 : (section < 0 ? -1 : section + FixedRows());
        const int col = heading ? (section < 0 ? -1 : section + FixedCols()) : 0;
        if (event->type() == QEvent::ToolTip) {
            showTip(static_cast<QHelpEvent*>(event), toolTipAt(row, col), header->viewport());
            return true;
        }
        guarded(log_, QStringLiteral("gridPlay"),
                [&] { gridPlay_MouseUp(row, col, header->viewport()->mapTo(this, at)); });
        return false;
    }
    return FlexGrid::eventFilter(watched, event);
}

} // namespace qzc

#pragma once

#include "reports/GridRefreshQueue.h"
#include "reports/PlayGridData.h"
#include "widgets/FlexGrid.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

class GameData;
class Log;
class PlayGridHost;
class ScoreDb;
struct EventInfo;

/// The play grid gridPlay of the main window: one row per table of the chosen section, one
/// column per round of its current stanza. In the "Boards" view a cell shows the boards
/// still missing (all of them once complete), in the "Pairs" view who sits there; the
/// colours tell complete, overdue, current and later rounds, and the table column tells
/// which tables have a terminal. Stored results queue their round in refreshQueue(); the
/// main window's timerRefreshGrid calls timerRefreshGrid_Timer every refreshIntervalMs.
class PlayGrid final : public FlexGrid {
    Q_OBJECT
public:
    static constexpr int refreshIntervalMs = 2000;
    /// cmdPickPair's tag while a pair is highlighted.
    static QString highlightTag() { return QStringLiteral("highlight"); }

    PlayGrid(GameData& gameData, ScoreDb& db, Log& log, const EventInfo& event, PlayGridHost& host,
             QWidget* parent = nullptr);

    /// Fills the section chooser and selects its first section.
    void InitGrid();
    /// Rebuilds rows and columns for the chosen section, refreshes the table status, then
    /// fills the grid for the chosen view.
    void cboSection_Click();
    /// Fills every round column for the chosen view, then sets the next-stanza controls and
    /// the EW choice of the pair box.
    void cboView_Click();
    /// Recolours the table column from the terminal links and applies the next-stanza rule.
    void RefreshTableStatus();

    /// Fills one round column (round 0: all of them) of the section; the view is the chosen
    /// one. expanded lets a "Boards" column grow to its widest list instead of cutting it.
    void RefreshPlayGrid(const QString& letters, qint16 round, bool expanded);
    /// Text and colour of one cell; the width in twips the cell needs, when it needs one.
    std::optional<int> RefreshPlay_cell(const QString& tableId, qint16 round, GridView view, bool expanded,
                                        qint16 maxRound);
    /// Colours the table column: red no terminal, cyan terminal awaiting its set-up, green
    /// terminal set up.
    void check_grid_Table(qint16 sectionId);

    /// Highlights (bold and underline) every cell where the pair sits, as EW only when
    /// ewOnly; a click while a highlight is on only clears it.
    void cmdPickPair_Click(const QString& pairText, bool ewOnly);
    /// The pair box changed: a number below 1 clears the highlight and disables the
    /// highlight button and the personal recaps, any other number enables them.
    void txtPairNo_Change(const QString& text);
    /// Clears bold and underline of every data cell.
    void clearHighlight();
    /// "highlight" while a pair is highlighted, else empty.
    const QString& pickPairTag() const { return pickPairTag_; }

    /// One tick of timerRefreshGrid: refreshes the first queued round of the chosen section.
    void timerRefreshGrid_Timer();
    /// The grid's tag: round columns waiting for a refresh.
    GridRefreshQueue& refreshQueue() { return refreshQueue_; }

    /// A click released on the cell at row and col (-1 outside the cells), at position in
    /// the grid: a data cell that lists boards asks for its result pop-up; a click anywhere
    /// else closes the pop-up, and on a round's heading in the "Boards" view narrows a
    /// widened column or widens a column whose lists are cut.
    void gridPlay_MouseUp(int row, int col, const QPoint& position);
    /// What the pointer over a cell tells: "Highlight table" on a table number, "Enlarge/
    /// reduce round" on a round's heading, "Details for " and the boards on a cut list.
    QString toolTipAt(int row, int col) const;

Q_SIGNALS:
    /// The director clicked the cell of the table and round, which lists boardList (ended by
    /// ","), at position in the grid.
    void cellDetailsWanted(const QString& letters, qint16 table, qint16 round, const QString& boardList,
                           const QPoint& position);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Clicks and tooltips of the heading row and the table column.
    void watchHeadings();
    void roundHeading_Click(int col);
    void SetupGridTables(qint16 sectionId);
    void SetupGridRounds(qint16 sectionId);
    /// Refreshes every table's cell in the round; widens needed to the widest need.
    void fillColumn(const QString& letters, qint16 round, GridView view, bool expanded, qint16 maxRound,
                    int& needed);
    void applyNextStanzaRule(qint16 sectionId, const QString& source);
    GridView currentView() const;

    GameData& gameData_;
    Log& log_;
    PlayGridHost& host_;
    PlayGridData data_;
    GridRefreshQueue refreshQueue_;
    QString pickPairTag_;
};

} // namespace qzc

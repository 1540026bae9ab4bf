#include "desktop/PlayGrid.h"

#include "core/Guarded.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "desktop/PlayGridHost.h"
#include "gamedata/GameData.h"
#include "platform/BusyPointer.h"

#include <cmath>

namespace qzc {

namespace {

const QString kSectionSource = QStringLiteral("cboSection");
const QString kViewSource = QStringLiteral("cboView");

/// Room around a seating text in the "Pairs" view.
constexpr int kPairsMarginTwips = 90;
/// A "Boards" text needs this factor of its width; a longer one is cut.
constexpr double kBoardsFitFactor = 1.2;

} // namespace

PlayGrid::PlayGrid(GameData& gameData, ScoreDb& db, Log& log, const EventInfo& event, PlayGridHost& host,
                   QWidget* parent)
    : FlexGrid(parent), gameData_(gameData), log_(log), host_(host), data_(gameData, db, log, event) {
    setObjectName(QStringLiteral("gridPlay"));
    setSelectionMode(QAbstractItemView::NoSelection);
    setFixedRows(1);
    setFixedCols(1);
    setRows(1);
    setCols(1);
    setColAlignment(0, Qt::AlignCenter);
    setTextMatrix(0, 0, QStringLiteral("Tbl"));
    watchHeadings();
}

void PlayGrid::InitGrid() {
    host_.fillSectionChoice(gameData_.fillSectionList());
}

void PlayGrid::cboSection_Click() {
    host_.Close_PopUp();
    const std::optional<SectionListEntry> section = host_.selectedSection();
    if (!section)
        return;
    {
        const BusyPointer busy;
        RedrawPause pause(*this);
        log_.writeLog(0, QStringLiteral("Setup grid"), kSectionSource);
        SetupGridTables(section->sectionId);
        SetupGridRounds(section->sectionId);
        host_.enablePersonalRecaps(false);
        clearHighlight();
        // The marks are gone, so the next click of the highlight button must highlight.
        pickPairTag_.clear();
        log_.writeLog(0, QStringLiteral("Setup grid completed"), kSectionSource);
        RefreshTableStatus();
        for (int col = 0; col < Cols(); ++col)
            setColWidth(col, PlayGridData::minColumnTwips);
    }
    cboView_Click();
}

void PlayGrid::SetupGridTables(qint16 sectionId) {
    setRows(2);
    setTextMatrix(1, 0, QString());
    if (Cols() >= 2)
        setTextMatrix(1, 1, QString());
    qint16 tables = 0;
    for (const SectionRecord& record : gameData_.sectionList()) {
        if (record.ID == sectionId) {
            tables = qMax<qint16>(record.tableCount, 0);
            break;
        }
    }
    setRows(tables + 1);
    for (qint16 row = 1; row <= tables; ++row)
        setTextMatrix(row, 0, QString::number(gameData_.mem_GetSectionListItem(sectionId, row, false)));
    check_grid_Table(sectionId);
}

void PlayGrid::SetupGridRounds(qint16 sectionId) {
    if (Rows() < 2)
        return;
    setCols(2);
    setTextMatrix(0, 1, QString());
    setTextMatrix(1, 1, QString());
    const qint16 rounds = data_.roundColumns(sectionId);
    setCols(rounds + 1);
    for (qint16 round = 1; round <= rounds; ++round) {
        setColAlignment(round, Qt::AlignCenter);
        setTextMatrix(0, round, QStringLiteral("Rd ") + QString::number(round));
    }
}

void PlayGrid::cboView_Click() {
    const std::optional<SectionListEntry> section = host_.selectedSection();
    if (!section || !host_.selectedView())
        return;
    log_.writeLog(0, QStringLiteral("Load data to grid"), kViewSource);
    RefreshPlayGrid(section->text.trimmed(), 0, false);
    // "compeleted" as programs that read the log expect it.
    log_.writeLog(0, QStringLiteral("Load data to grid compeleted"), kViewSource);
    applyNextStanzaRule(section->sectionId, QStringLiteral("View click"));
    host_.enableEWPair(gameData_.mem_GetSectionField(section->sectionId));
}

void PlayGrid::RefreshTableStatus() {
    const std::optional<SectionListEntry> section = host_.selectedSection();
    if (!section)
        return;
    check_grid_Table(section->sectionId);
    applyNextStanzaRule(section->sectionId, QStringLiteral("Refresh table status"));
}

void PlayGrid::applyNextStanzaRule(qint16 sectionId, const QString& source) {
    host_.showStanzaState(gameData_.getSectionStanzaState(sectionId), source);
}

GridView PlayGrid::currentView() const {
    return host_.selectedView().value_or(GridView::Boards);
}

void PlayGrid::RefreshPlayGrid(const QString& letters, qint16 round, bool expanded) {
    const BusyPointer busy;
    const qint16 sectionId = gameData_.getSectionID(letters);
    const qint16 maxRound = gameData_.getSectionMaxRound(sectionId);
    host_.showGridMessage(QStringLiteral("Loading movement......"));
    const GridView view = currentView();
    if (view == GridView::Pairs)
        expanded = false;
    {
        RedrawPause pause(*this);
        const int first = round == 0 ? 1 : round;
        const int last = round == 0 ? Cols() - 1 : qMin<int>(round, Cols() - 1);
        for (int col = qMax(first, 1); col <= last; ++col) {
            int needed = PlayGridData::minColumnTwips;
            fillColumn(letters, static_cast<qint16>(col), view, expanded, maxRound, needed);
            if (needed != ColWidth(col))
                setColWidth(col, needed);
        }
    }
    host_.hideGridMessage();
    host_.setViewCaption(view == GridView::Pairs ? QStringLiteral("Pairs") : QStringLiteral("Boards"));
}

void PlayGrid::fillColumn(const QString& letters, qint16 round, GridView view, bool expanded, qint16 maxRound,
                          int& needed) {
    for (int row = 1; row < Rows(); ++row) {
        const qint16 table = StrToInt(TextMatrix(row, 0));
        if (table <= 0)
            continue;
        const std::optional<int> width =
            RefreshPlay_cell(PlayGridData::gridTableId(letters, table), round, view, expanded, maxRound);
        if (width)
            needed = qMax(needed, *width);
    }
}

std::optional<int> PlayGrid::RefreshPlay_cell(const QString& tableId, qint16 round, GridView view,
                                              bool expanded, qint16 maxRound) {
    const PlayCell cell = data_.cell(tableId, round, view, maxRound);
    QString shown = cell.displayText;
    std::optional<int> needed;
    const int textWidth = TextWidth(shown);
    if (view == GridView::Pairs) {
        needed = textWidth + kPairsMarginTwips;
    } else if (textWidth * kBoardsFitFactor >= ColWidth(round)) {
        if (expanded) {
            needed = static_cast<int>(std::ceil(textWidth * kBoardsFitFactor));
        } else {
            shown = GetField(shown, 1, QStringLiteral(",")) + QStringLiteral("..");
            needed = ColWidth(round);
        }
    }
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
    const int row = gameData_.mem_GetSectionListItem(sectionId, tableIdNumber(tableId), true);
    if (row > 0 && row < Rows() && round >= 1 && round < Cols()) {
        setTextMatrix(row, round, PlayCell::cellText(cell.boardList, shown));
        setCellBackColor(row, round, toColor(cell.colour));
    }
    return needed;
}

void PlayGrid::check_grid_Table(qint16 sectionId) {
    for (const TableCellColour& table : data_.tableColours(sectionId)) {
        if (table.row < Rows())
            setCellBackColor(table.row, 0, toColor(table.colour));
    }
}

void PlayGrid::clearHighlight() {
    RedrawPause pause(*this);
    for (int row = 1; row < Rows(); ++row) {
        for (int col = 1; col < Cols(); ++col) {
            setCellFontBold(row, col, false);
            setCellFontUnderline(row, col, false);
        }
    }
}

void PlayGrid::cmdPickPair_Click(const QString& pairText, bool ewOnly) {
    host_.Close_PopUp();
    const std::optional<SectionListEntry> section = host_.selectedSection();
    if (!section)
        return;
    clearHighlight();
    if (!pickPairTag_.isEmpty()) {
        pickPairTag_.clear();
        return;
    }
    const qint16 pair = StrToInt(pairText);
    if (pair == 0)
        return;
    for (const GridCellRef& cell : data_.pairCells(section->sectionId, pair, ewOnly)) {
        // Tables beyond those in play have no row.
        if (cell.row > 0 && cell.row < Rows() && cell.col < Cols()) {
            setCellFontBold(cell.row, cell.col, true);
            setCellFontUnderline(cell.row, cell.col, true);
        }
    }
    pickPairTag_ = highlightTag();
}

void PlayGrid::txtPairNo_Change(const QString& text) {
    const bool pairGiven = StrToInt(text) >= 1;
    if (!pairGiven) {
        pickPairTag_.clear();
        clearHighlight();
    }
    host_.enablePickPair(pairGiven);
    host_.enablePersonalRecaps(pairGiven);
}

void PlayGrid::timerRefreshGrid_Timer() {
    guarded(log_, QStringLiteral("timerRefreshGrid"), [this] {
        if (refreshQueue_.isEmpty())
            return;
        const std::optional<SectionListEntry> section = host_.selectedSection();
        if (!section)
            return;
        const std::optional<qint16> round = refreshQueue_.takeNext();
        if (round && *round != 0)
            RefreshPlayGrid(section->text.trimmed(), *round, false);
    });
}

} // namespace qzc

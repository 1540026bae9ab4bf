#include "reports/PlayGridData.h"

#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "gamedata/FieldValues.h"
#include "gamedata/GameData.h"

#include <QSqlQuery>
#include <QStringList>

namespace qzc {

namespace {

const QString kComma = QStringLiteral(",");
const QString kSlash = QStringLiteral("/");
const QString kPadding = QString(20, QLatin1Char(' '));

int boardCount(const QString& list) {
    return list.isEmpty() ? 0 : CountOccurrences(list, kComma) + 1;
}

} // namespace

QColor toColor(GridColour colour) {
    switch (colour) {
    case GridColour::Green:
        return {0, 255, 0};
    case GridColour::Red:
        return {255, 0, 0};
    case GridColour::Yellow:
        return {255, 255, 0};
    case GridColour::Cyan:
        return {0, 255, 255};
    case GridColour::White:
        break;
    }
    return {255, 255, 255};
}

QString PlayCell::cellText(const QString& boardList, const QString& shownText) {
    const QString list = QLatin1Char('(') + boardList + QLatin1Char(')');
    return list + kPadding + shownText + kPadding + list;
}

PlayGridData::PlayGridData(GameData& gameData, ScoreDb& db, Log& log, const EventInfo& event)
    : gameData_(gameData), db_(db), log_(log), event_(event) {}

QString PlayGridData::takeout_Number(const QString& list, const QString& numbers) {
    if (list.isEmpty())
        return {};
    if (numbers.isEmpty())
        return list;
    QList<qint16> entries;
    for (const QString& entry : list.split(kComma))
        entries.append(StrToInt(entry));
    for (const QString& text : numbers.split(kComma)) {
        const qint16 n = StrToInt(text);
        const qsizetype at = entries.indexOf(n);
        if (at >= 0)
            entries[at] = 0;
    }
    QStringList left;
    for (qint16 entry : entries) {
        if (entry > 0)
            left << QString::number(entry);
    }
    return left.join(kComma);
}

QString PlayGridData::gridTableId(const QString& letters, qint16 table) {
    return letters + QStringLiteral("%1").arg(table, 3, 10, QLatin1Char('0'));
}

PlayCell PlayGridData::cell(const QString& tableId, qint16 round, GridView view, qint16 maxRound) const {
    const QString planned = gameData_.mem_GetBoardList(tableId, round);
    QString played = gameData_.getPlayedBoardList(tableId, round, false);

    // Who played the round: its stored results tell, else the movement. Asked only where the
    // cell needs it.
    std::optional<RoundSeating> seating;
    const bool needsSeating = view == GridView::Pairs || (!planned.isEmpty() && played != planned);
    if (needsSeating)
        seating = gameData_.roundSeating(tableId, round);
    PlayCell cell;
    cell.boardList = planned.isEmpty() ? played : planned;
    if (!planned.isEmpty()) {
        if (played == planned) {
            cell.complete = true;
        } else if (seating && !seating->plays) {
            // A table with an empty seat is done with whatever results it has, unless its
            // stored results show it played the round.
            played = planned;
            cell.complete = true;
        }
    } else if (!played.isEmpty()) {
        cell.complete = boardCount(played) >= event_.boardsPerRound;
    }

    if (planned.isEmpty() || cell.complete)
        cell.displayText = played;
    else if (view == GridView::Boards)
        cell.displayText = takeout_Number(planned, played);

    if (view == GridView::Pairs) {
        cell.displayText = seating ? gameData_.seatingText(seating->seats) : QStringLiteral("?");
    } else if (cell.displayText.isEmpty()) {
        cell.displayText = QString(qMax<qint16>(event_.boardsPerRound, 0), QLatin1Char('?'));
    }

    if (cell.complete)
        cell.colour = GridColour::Green;
    else if (maxRound > round)
        cell.colour = GridColour::Red;
    else if (maxRound == round && !cell.displayText.contains(QLatin1Char('?')))
        cell.colour = GridColour::Yellow;
    else
        cell.colour = GridColour::White;
    return cell;
}

qint16 PlayGridData::roundColumns(qint16 sectionId) const {
    const qint16 edge = gameData_.getSectionEdgeRound(sectionId);
    if (edge != 0)
        return edge;
    if (event_.boardsPerRound >= 1 && event_.totalBoards >= 1 &&
        event_.totalBoards % event_.boardsPerRound == 0)
        return static_cast<qint16>(event_.totalBoards / event_.boardsPerRound);
    return 0;
}

std::vector<TableCellColour> PlayGridData::tableColours(qint16 sectionId) const {
    std::vector<TableCellColour> colours;
    std::optional<QSqlQuery> query = db_.select(
        QStringLiteral("SELECT Tables.[Table], TQZ_ID, Tables.custom_qz_loadsetup FROM Tables LEFT JOIN "
                       "custom_qz_TQZ ON Tables.section=custom_qz_TQZ.section AND "
                       "Tables.[table]=custom_qz_TQZ.[table] WHERE Tables.Section=") +
        QString::number(sectionId) + QStringLiteral(" ORDER BY Tables.[Table]"));
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), QStringLiteral("check_grid_table"),
                      true);
        return colours;
    }
    while (query->next()) {
        const qint16 table = fields::toInt16(query->value(0)).value_or(0);
        const qint32 terminal = query->value(1).isNull() ? 0 : query->value(1).toInt();
        const bool setupPending = fields::toInt16(query->value(2)).value_or(0) == 1;
        if (table == 0)
            continue;
        const int row = gameData_.mem_GetSectionListItem(sectionId, table, true);
        if (row <= 0)
            continue;
        GridColour colour = GridColour::Red;
        if (terminal > 1)
            colour = setupPending ? GridColour::Cyan : GridColour::Green;
        colours.push_back(TableCellColour{row, colour});
    }
    return colours;
}

std::vector<GridCellRef> PlayGridData::pairCells(qint16 sectionId, qint16 pair, bool ewOnly) const {
    std::vector<GridCellRef> cells;
    for (const MovementRow& row : gameData_.movementRows()) {
        if (row.Section != sectionId)
            continue;
        if (row.EWPair != pair && (ewOnly || row.NSPair != pair))
            continue;
        const int position = gameData_.mem_GetSectionListItem(sectionId, row.Table, true);
        if (position > 0)
            cells.push_back(GridCellRef{position, row.Round});
    }
    return cells;
}

} // namespace qzc

#include "reports/BoardResultGrid.h"

#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/FieldValues.h"
#include "gamedata/GameData.h"
#include "scoring/ScoreFrequency.h"

#include <QLocale>
#include <QSqlQuery>
#include <QSqlRecord>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("Database - ShowBoardResult");
const std::array<const char*, BoardResultTable::columnCount> kHeadings = {"",       "NS",   "EW",    "Table",
                                                                          "Result", "Mpts", "South", "West"};

QString number(qint64 n) {
    return QString::number(n);
}

QString resultText(const BoardResultRow& row) {
    if (!row.hasResult)
        return {};
    if (row.score > 0)
        return QLatin1Char('+') + number(row.score);
    if (row.score < 0)
        return number(row.score);
    return row.remarks.trimmed().isEmpty() ? QStringLiteral("0") : QStringLiteral("***") + row.remarks;
}

QString scaleText(const BoardResultRow& row) {
    if (row.scalePoint < 0)
        return {};
    return QLocale::system().toString(row.scalePoint, 'g', QLocale::FloatingPointShortest) +
           QLatin1Char('/') + number(row.scalePointMax);
}

} // namespace

BoardResultGrid::BoardResultGrid(const GameData& gameData, ScoreDb& db, Log& log, ScoreFrequency& frequencies)
    : gameData_(gameData), db_(db), log_(log), frequencies_(frequencies) {}

std::vector<BoardResultRow> BoardResultGrid::boardRows(qint16 board) {
    std::vector<BoardResultRow> rows;
    const BoardIndexEntry* entry = gameData_.boardIndex(board);
    if (entry != nullptr) {
        for (const BoardSlot& slot : entry->tables) {
            BoardResultRow row;
            row.letters = tableIdLetter(slot.tableId);
            row.tableId = slot.tableId;
            row.nsPair = slot.nsPair;
            row.ewPair = slot.ewPair;
            row.south = slot.south;
            row.west = slot.west;
            rows.push_back(row);
        }
        // One place per table of the event; the tables that do not play the board leave
        // theirs empty.
        qint32 places = 0;
        for (const SectionRecord& section : gameData_.sectionList())
            places += section.tableRows;
        while (static_cast<qint32>(rows.size()) < places)
            rows.emplace_back();
    }

    std::optional<QSqlQuery> query = db_.select(
        QStringLiteral(
            "SELECT Section.Letter, ReceivedData.[Table], PairNS, PairEW, South, West, custom_qz_score, "
            "Remarks, custom_qz_scalepoint, custom_qz_scalepointmax FROM ReceivedData"
            " INNER JOIN Section ON ReceivedData.Section=Section.ID"
            " WHERE NOT Erased AND Board=? ORDER BY Section.Letter, ReceivedData.[Table]"),
        {board});
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kSource, true);
        return rows;
    }
    while (query->next()) {
        const QSqlRecord record = query->record();
        const QString letters = fields::text(record, QStringLiteral("Letter")).trimmed();
        const QString key = letters + number(fields::int16Or(record, QStringLiteral("Table")));
        BoardResultRow* row = nullptr;
        if (entry != nullptr) {
            for (BoardResultRow& candidate : rows) {
                if (!candidate.tableId.isEmpty() && candidate.tableId == key) {
                    row = &candidate;
                    break;
                }
            }
            // A result of a table that the movement does not give the board is not shown.
            if (row == nullptr)
                continue;
        } else {
            // A board that the movement in memory does not list: its results as stored.
            row = &rows.emplace_back();
            row->letters = letters;
            row->tableId = key;
            row->nsPair = fields::int16Or(record, QStringLiteral("PairNS"));
            row->ewPair = fields::int16Or(record, QStringLiteral("PairEW"));
            row->south = fields::int16Or(record, QStringLiteral("South"));
            row->west = fields::int16Or(record, QStringLiteral("West"));
        }
        row->score = fields::int16Or(record, QStringLiteral("custom_qz_score"));
        const QVariant scale = record.value(QStringLiteral("custom_qz_scalepoint"));
        row->scalePoint = scale.isNull() ? 0 : scale.toDouble();
        row->scalePointMax = fields::int16Or(record, QStringLiteral("custom_qz_scalepointmax"));
        row->remarks = fields::text(record, QStringLiteral("Remarks"));
        row->hasResult = true;
    }
    return rows;
}

std::optional<BoardResultTable> BoardResultGrid::ShowBoardResult(qint16 board, qint16 sorting) {
    if (gameData_.boardIndexSize() == 0)
        return std::nullopt;
    std::vector<qint16> sectionIds;
    for (const SectionRecord& section : gameData_.sectionList())
        sectionIds.push_back(section.ID);
    frequencies_.WriteScalePoint(board, sectionIds);

    BoardResultTable table;
    const int sortColumn = qAbs(sorting);
    for (int col = 0; col < BoardResultTable::columnCount; ++col)
        table.headings[static_cast<std::size_t>(col)] =
            QLatin1String(kHeadings[static_cast<std::size_t>(col)]);
    if (sortColumn >= 1 && sortColumn < BoardResultTable::columnCount) {
        table.sortColumn = sortColumn;
        table.headings[static_cast<std::size_t>(sortColumn)] +=
            sorting > 0 ? QLatin1Char('+') : QLatin1Char('-');
    }

    std::vector<BoardResultRow> rows = boardRows(board);
    sortTravellerRows(rows, static_cast<qint16>(sortColumn), sorting > 0);
    qint32 sections = 0;
    db_.getDBValue(QStringLiteral("SELECT COUNT(*) AS cntSection FROM Section"), QStringLiteral("cntSection"),
                   sections);
    for (const BoardResultRow& row : rows) {
        std::array<QString, BoardResultTable::columnCount>& cells = table.rows.emplace_back();
        if (row.tableId.isEmpty())
            continue;
        const QString prefix = sections > 1 ? row.letters : QString();
        cells[1] = prefix + number(row.nsPair);
        cells[2] = prefix + number(row.ewPair);
        cells[3] = row.tableId;
        cells[4] = resultText(row);
        cells[5] = scaleText(row);
        cells[6] = prefix + number(row.south);
        cells[7] = prefix + number(row.west);
    }
    return table;
}

} // namespace qzc

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
#include <algorithm>

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
    std::vector<BoardResultRow> results = storedResults(board);
    const BoardIndexEntry* entry = gameData_.boardIndex(board);
    if (entry == nullptr) {
        // A board that the movement in memory does not list: its results as stored.
        return results;
    }
    // Each row of the movement that holds the board, under the pairs that played it there.
    std::vector<Place> places;
    for (const BoardSlot& slot : entry->tables) {
        const std::optional<RoundSeating> seating = gameData_.roundSeating(slot.tableId, slot.round, board);
        if (!seating)
            continue;
        Place& place = places.emplace_back();
        place.plays = seating->plays;
        place.row.letters = tableIdLetter(slot.tableId);
        place.row.tableId = slot.tableId;
        const auto& [ns, ew, south, west] = seating->seats;
        place.row.nsPair = ns;
        place.row.ewPair = ew;
        place.row.south = south;
        place.row.west = west;
    }
    std::vector<BoardResultRow> rows = placeResults(std::move(places), results);
    // One place per table of the event; the tables that do not play the board leave theirs
    // empty.
    qint32 tables = 0;
    for (const SectionRecord& section : gameData_.sectionList())
        tables += section.tableRows;
    while (static_cast<qint32>(rows.size()) < tables)
        rows.emplace_back();
    return rows;
}

std::vector<BoardResultRow> BoardResultGrid::storedResults(qint16 board) {
    std::vector<BoardResultRow> results;
    std::optional<QSqlQuery> query = db_.select(
        QStringLiteral(
            "SELECT Section.Letter, ReceivedData.[Table], PairNS, PairEW, South, West, custom_qz_score, "
            "Remarks, custom_qz_scalepoint, custom_qz_scalepointmax FROM ReceivedData"
            " INNER JOIN Section ON ReceivedData.Section=Section.ID"
            " WHERE NOT Erased AND Board=? ORDER BY Section.Letter, ReceivedData.[Table]"),
        {board});
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kSource, true);
        return results;
    }
    while (query->next()) {
        const QSqlRecord record = query->record();
        BoardResultRow& result = results.emplace_back();
        result.letters = fields::text(record, QStringLiteral("Letter")).trimmed();
        result.tableId = result.letters + number(fields::int16Or(record, QStringLiteral("Table")));
        result.nsPair = fields::int16Or(record, QStringLiteral("PairNS"));
        result.ewPair = fields::int16Or(record, QStringLiteral("PairEW"));
        result.south = fields::int16Or(record, QStringLiteral("South"));
        result.west = fields::int16Or(record, QStringLiteral("West"));
        result.score = fields::int16Or(record, QStringLiteral("custom_qz_score"));
        const QVariant scale = record.value(QStringLiteral("custom_qz_scalepoint"));
        result.scalePoint = scale.isNull() ? 0 : scale.toDouble();
        result.scalePointMax = fields::int16Or(record, QStringLiteral("custom_qz_scalepointmax"));
        result.remarks = fields::text(record, QStringLiteral("Remarks"));
        result.hasResult = true;
    }
    return results;
}

std::vector<BoardResultRow> BoardResultGrid::placeResults(std::vector<Place> places,
                                                          const std::vector<BoardResultRow>& results) {
    const auto samePlay = [](const BoardResultRow& row, const BoardResultRow& result) {
        return row.tableId == result.tableId && row.nsPair == result.nsPair && row.ewPair == result.ewPair &&
               row.south == result.south && row.west == result.west;
    };
    std::vector<BoardResultRow> ownRows;
    for (const BoardResultRow& result : results) {
        // Each result stands on the row of the table and pairs that played it.
        const auto place = std::find_if(places.begin(), places.end(), [&](const Place& candidate) {
            return !candidate.row.hasResult && samePlay(candidate.row, result);
        });
        if (place != places.end()) {
            place->row.score = result.score;
            place->row.scalePoint = result.scalePoint;
            place->row.scalePointMax = result.scalePointMax;
            place->row.remarks = result.remarks;
            place->row.hasResult = true;
            continue;
        }
        // A result stored in a round in which the movement no longer has its table hold the
        // board stands on a row of its own; a table that holds the board in no round shows
        // none.
        if (std::any_of(places.begin(), places.end(),
                        [&](const Place& candidate) { return candidate.row.tableId == result.tableId; }))
            ownRows.push_back(result);
    }
    // A row that holds the board without playing it is shown only with its result.
    std::vector<BoardResultRow> rows;
    for (Place& place : places) {
        if (place.plays || place.row.hasResult)
            rows.push_back(std::move(place.row));
    }
    rows.insert(rows.end(), ownRows.begin(), ownRows.end());
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

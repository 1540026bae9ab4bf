#include "reports/ContestantTotals.h"

#include "core/Log.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "reports/ResultFileGameData.h"
#include "reports/ResultFileText.h"
#include "reports/ResultRows.h"

#include <QSqlRecord>
#include <algorithm>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("makeresultfile_v1");
const QString kNs = QStringLiteral("NS");
const QString kEw = QStringLiteral("EW");

const char* const kListFromMovement =
    "SELECT DISTINCT Section.Letter,RoundData.Section,RoundData.NSPair AS NSpairNo,RoundData.EWPair AS "
    "EWpairNo"
    ",RoundData.South AS SouthNo,RoundData.West AS WestNo FROM RoundData"
    " INNER JOIN Section ON RoundData.Section=Section.ID ORDER BY RoundData.Section ASC";
const char* const kListFromResults =
    "SELECT DISTINCT Section.Letter,ReceivedData.Section,ReceivedData.PairNS AS NSpairNo,ReceivedData.PairEW "
    "AS EWpairNo"
    ",ReceivedData.South AS SouthNo,ReceivedData.West AS WestNo FROM ReceivedData"
    " INNER JOIN Section ON ReceivedData.Section=Section.ID ORDER BY ReceivedData.Section ASC";

bool listed(const std::vector<ContestantTotal>& list, qint16 section, qint16 number, bool separated,
            const QString& side) {
    return std::any_of(list.begin(), list.end(), [&](const ContestantTotal& entry) {
        return entry.sectionId == section && entry.number == number && (!separated || entry.side == side);
    });
}

// The side of a pair nobody registered for: the direction of its first round, East-West
// when it started both ways at once.
QString sideOfFirstRounds(qint16 firstNs, qint16 firstEw) {
    if (firstEw > firstNs) {
        if (firstNs != 0)
            return kNs;
        if (firstEw > 0)
            return kEw;
    } else {
        if (firstEw != 0)
            return kEw;
        if (firstNs > 0)
            return kNs;
    }
    return QStringLiteral("  ");
}

} // namespace

ContestantTotals::ContestantTotals(ScoreDb& db, Log& log) : db_(db), log_(log) {}

void ContestantTotals::logDatabaseError() {
    log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kSource, true);
}

std::optional<std::vector<ContestantTotal>>
ContestantTotals::buildContestantList(const ResultFileGameData& game, bool individual) {
    std::optional<QSqlQuery> query = db_.select(QString::fromLatin1(kListFromMovement));
    bool hasRow = query && query->next();
    if (query && !hasRow) {
        query = db_.select(QString::fromLatin1(kListFromResults));
        hasRow = query && query->next();
    }
    if (!query) {
        logDatabaseError();
        return std::nullopt;
    }
    const QSqlRecord record = query->record();
    const int sectionColumn = record.indexOf(QStringLiteral("Section"));
    const int columns[] = {
        record.indexOf(QStringLiteral("NSpairNo")), record.indexOf(QStringLiteral("EWpairNo")),
        record.indexOf(QStringLiteral("SouthNo")), record.indexOf(QStringLiteral("WestNo"))};
    const QString sides[] = {kNs, kEw, kNs, kEw};
    // South and West hold players only in an individual game; elsewhere they may hold
    // left-overs that name no contestant.
    const int candidates = individual ? 4 : 2;

    std::vector<ContestantTotal> list;
    for (; hasRow; hasRow = query->next()) {
        const qint16 section = queryInt16(*query, sectionColumn);
        const bool separated = game.separateNsEw(section);
        for (int i = 0; i < candidates; ++i) {
            const qint16 number = queryInt16(*query, columns[i]);
            if (number == 0 || listed(list, section, number, separated, sides[i]))
                continue;
            ContestantTotal entry;
            entry.sectionId = section;
            entry.number = number;
            if (separated)
                entry.side = sides[i];
            list.push_back(entry);
        }
    }
    std::stable_sort(list.begin(), list.end(), [](const ContestantTotal& a, const ContestantTotal& b) {
        if (a.sectionId != b.sectionId)
            return a.sectionId < b.sectionId;
        if (a.number != b.number)
            return a.number < b.number;
        return a.side != kEw && b.side == kEw;
    });
    return list;
}

void ContestantTotals::addTotals(std::vector<ContestantTotal>& contestants,
                                 const std::vector<ResultFileRow>& rows) {
    for (ContestantTotal& entry : contestants) {
        const bool mayBeNs = entry.side != kEw;
        const bool mayBeEw = entry.side != kNs;
        for (const ResultFileRow& row : rows) {
            if (row.noContract || row.sectionId != entry.sectionId)
                continue;
            const bool sitsNs = mayBeNs && (entry.number == row.nsPair || entry.number == row.south);
            const bool sitsEw = mayBeEw && (entry.number == row.ewPair || entry.number == row.west);
            if (!(sitsNs || sitsEw) || !(row.matchpoints.top > row.matchpoints.base))
                continue;
            ++entry.countedBoards;
            entry.topSum += row.matchpoints.top;
            entry.baseSum += row.matchpoints.base;
            entry.matchpointSum += sitsEw ? row.matchpoints.ew : row.matchpoints.ns;
        }
        if (entry.topSum > 0 && entry.countedBoards > 0) {
            const double range = entry.topSum - entry.baseSum;
            entry.ratio = (entry.matchpointSum - entry.baseSum) / range;
            // Multiplied first, so that an exact half of a percent stays a half.
            entry.percentage = 100 * (entry.matchpointSum - entry.baseSum) / range;
        } else {
            entry.ratio = 0;
            entry.percentage = 0;
        }
    }
}

std::optional<qint16> ContestantTotals::firstRound(const QString& table, const QString& column, qint16 number,
                                                   qint16 section) {
    // Pair numbers repeat from section to section: only the pair's own section counts.
    const QString sql = QStringLiteral("SELECT MIN(Round) AS minround FROM ") + table +
                        QStringLiteral(" WHERE ") + column + QStringLiteral("=? AND Section=?");
    qint16 first = 0;
    if (!db_.readRows(sql, {int{number}, int{section}},
                      [&](const QSqlQuery& row) { first = queryInt16(row, 0); })) {
        logDatabaseError();
        return std::nullopt;
    }
    return first;
}

std::optional<QStringList> ContestantTotals::contestantLines(const std::vector<ContestantTotal>& contestants,
                                                             const ResultFileGameData& game) {
    const bool movementLoaded = !game.movementRows.empty();
    QStringList lines;
    for (const ContestantTotal& entry : contestants) {
        const QString letter = resultFileField(game.sectionLetter(entry.sectionId));
        const QString number = QString::number(entry.number);
        const QString totals = roundedText(entry.matchpointSum) + QLatin1Char(';') +
                               roundedText(entry.percentage) + QStringLiteral(";;");
        QString sql = QStringLiteral(
            "SELECT custom_qz_names,Direction FROM PlayerNumbers WHERE custom_qz_pair=? AND Section=?");
        if (entry.side == kNs)
            sql += QStringLiteral(" AND Direction IN ('N', 'S')");
        else if (entry.side == kEw)
            sql += QStringLiteral(" AND Direction IN ('E', 'W')");
        sql += QStringLiteral(" ORDER BY [Table], Direction");
        bool named = false;
        const bool read =
            db_.readRows(sql, {int{entry.number}, int{entry.sectionId}}, [&](const QSqlQuery& names) {
                named = true;
                lines << letter + QLatin1Char(';') + number + QLatin1Char(';') +
                             resultFileField(queryText(names, 1)) + QStringLiteral(";\"") +
                             resultFileField(queryText(names, 0)) + QStringLiteral("\";") + totals;
            });
        if (!read) {
            logDatabaseError();
            return std::nullopt;
        }
        if (named)
            continue;
        QString side = entry.side;
        if (side.isEmpty()) {
            const QString table =
                movementLoaded ? QStringLiteral("RoundData") : QStringLiteral("ReceivedData");
            const std::optional<qint16> firstNs =
                firstRound(table, movementLoaded ? QStringLiteral("NSPair") : QStringLiteral("PairNS"),
                           entry.number, entry.sectionId);
            const std::optional<qint16> firstEw =
                firstRound(table, movementLoaded ? QStringLiteral("EWPair") : QStringLiteral("PairEW"),
                           entry.number, entry.sectionId);
            if (!firstNs || !firstEw)
                return std::nullopt;
            side = sideOfFirstRounds(*firstNs, *firstEw);
        }
        for (int k = 0; k < 2; ++k) {
            lines << letter + QLatin1Char(';') + number + QLatin1Char(';') + side.mid(k, 1).trimmed() +
                         QStringLiteral(";;") + totals;
        }
    }
    return lines;
}

} // namespace qzc

// The movement in memory: movementRows, the board index and the terminals' counters.
#include "core/DbTransaction.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "gamedata/EmptySeats.h"
#include "gamedata/FieldValues.h"
#include "gamedata/GameData.h"

#include <QSqlQuery>

namespace qzc {

namespace {

const QString kLoadSource = QStringLiteral("loadrounddata");
const QString kLoadErrorSource = QStringLiteral("Database - loadrounddata");

QString number(qint64 n) {
    return QString::number(n);
}

} // namespace

void GameData::loadrounddata() {
    log_.writeLog(0, QStringLiteral("Load movement data into memory"));
    rows_.clear();
    boardIndex_.clear();

    qint32 tableSlots = 0;
    db_.getDBValue(QStringLiteral("SELECT COUNT([Table]) AS cnttbl FROM Tables"), QStringLiteral("cnttbl"),
                   tableSlots);
    tableSlots = qMax(tableSlots, 1);

    std::vector<QSqlRecord> raw;
    {
        std::optional<QSqlQuery> query = db_.select(QStringLiteral(
            "SELECT RoundData.*, Section.Letter FROM RoundData LEFT JOIN Section ON "
            "RoundData.Section=Section.ID ORDER BY RoundData.Section ASC, RoundData.[Table] ASC, "
            "RoundData.Round ASC"));
        if (!query) {
            logDbError(kLoadErrorSource);
            indexRows();
            return;
        }
        while (query->next())
            raw.push_back(query->record());
    }

    // The board count of a section's first row with a board range, for rows without one.
    QHash<qint16, qint16> borrowedCounts;
    auto borrowedCount = [&](qint16 sectionId) {
        const auto known = borrowedCounts.constFind(sectionId);
        if (known != borrowedCounts.constEnd())
            return known.value();
        qint16 count = 0;
        db_.getDBValue(
            QStringLiteral("SELECT (HighBoard - LowBoard + 1) AS brdcnt FROM RoundData WHERE Section=") +
                number(sectionId) +
                QStringLiteral(" AND HighBoard>0 AND LowBoard>0 ORDER BY [Table] ASC, Round ASC"),
            QStringLiteral("brdcnt"), count);
        borrowedCounts.insert(sectionId, count);
        return count;
    };

    // The results each table owes, written once the movement is in memory.
    struct ExpectedResults {
        qint16 section = 0;
        qint16 table = 0;
        qint32 boards = 0;
    };
    std::vector<ExpectedResults> expected;
    qint16 groupSection = 0;
    qint16 groupTable = 0;
    qint32 groupBoards = 0;
    auto writeGroup = [&] {
        if (groupSection > 0 && groupTable > 0)
            expected.push_back({groupSection, groupTable, groupBoards});
    };

    playReadAsIndividual_ = isIndividualGame();
    // Whether four players sit at a row is a question of its section's whole movement: a row
    // of an individual movement without a South or West player sits out, a row of a pairs
    // movement plays whatever the game type.
    MovementSeats movementSeats;
    if (!raw.empty()) {
        // The rows of one statement share their columns: each is looked up once.
        const QSqlRecord& columns = raw.front();
        const int section = columns.indexOf(QStringLiteral("Section"));
        const int south = columns.indexOf(QStringLiteral("South"));
        const int west = columns.indexOf(QStringLiteral("West"));
        auto at = [](const QSqlRecord& record, int column) {
            return column < 0 ? qint16{0} : fields::toInt16(record.value(column)).value_or(0);
        };
        for (const QSqlRecord& record : raw)
            movementSeats.add(at(record, section), at(record, south), at(record, west));
    }
    movementSeats_ = movementSeats;
    const QSet<quint64> played = roundsPlayed(0);
    for (const QSqlRecord& record : raw) {
        const std::optional<qint16> sectionId = fields::int16(record, QStringLiteral("Section"));
        const std::optional<qint16> table = fields::int16(record, QStringLiteral("Table"));
        const std::optional<qint16> round = fields::int16(record, QStringLiteral("Round"));
        const QString letter = fields::text(record, QStringLiteral("Letter")).trimmed();
        auto logRow = [&](const QString& what, const QString& reason) {
            log_.writeLog(0,
                          QStringLiteral("Movement row ") + what + QStringLiteral(", table ") + letter +
                              number(table.value_or(0)) + QStringLiteral(" round ") +
                              number(round.value_or(0)) + QStringLiteral(": ") + reason,
                          kLoadSource);
        };
        if (!sectionId || !table || !round) {
            logRow(QStringLiteral("skipped"), QStringLiteral("no section, table or round"));
            continue;
        }
        if (*sectionId != groupSection || *table != groupTable) {
            writeGroup();
            groupSection = *sectionId;
            groupTable = *table;
            groupBoards = 0;
        }

        if (const SectionRecord* section = findSection(*sectionId)) {
            const bool inSection = section->tableNumbers.contains(*table);
            const bool afterStanza = section->stanzaEdge >= 1 && *round > section->stanzaEdge;
            if (section->tableNumbers.isEmpty() || !inSection || afterStanza)
                continue;
        }

        // A row is never left out for its boards. Null or 0 is how a row (a sit-out) is
        // written without a range of its own; a bound outside 1 to 63 is taken the same way.
        const std::optional<qint16> low = fields::int16(record, QStringLiteral("LowBoard"));
        const std::optional<qint16> high = fields::int16(record, QStringLiteral("HighBoard"));
        auto onBoard = [](const std::optional<qint16>& bound) {
            return bound && *bound >= 1 && *bound <= maxBoardNumber;
        };
        bool outside = (low.value_or(0) != 0 && !onBoard(low)) || (high.value_or(0) != 0 && !onBoard(high));
        qint16 first = 0;
        qint16 count = 0;
        if (onBoard(low) && onBoard(high)) {
            first = *low;
            count = static_cast<qint16>(qMax(0, *high - *low + 1));
        } else {
            // A row without its own range plays as many boards as the section's ranged rows,
            // numbered at the top of the range.
            count = qMax<qint16>(borrowedCount(*sectionId), 0);
            first = static_cast<qint16>(maxBoardNumber - count + 1);
            if (count > 0 && first < 1) {
                outside = true;
                count = 0;
            }
        }
        if (outside)
            logRow(QStringLiteral("without a board range"), QStringLiteral("board outside 1 to 63"));

        MovementRow row;
        row.Section = *sectionId;
        row.Letter = letter;
        row.Round = *round;
        row.Table = *table;
        row.NSPair = fields::int16Or(record, QStringLiteral("NSPair"));
        row.EWPair = fields::int16Or(record, QStringLiteral("EWPair"));
        row.South = fields::int16Or(record, QStringLiteral("South"));
        row.West = fields::int16Or(record, QStringLiteral("West"));
        row.play = rowPlay(row.seats(), seatsFourPlayers(row.Section));
        for (qint16 j = 0; j < count; ++j)
            row.boards.append(static_cast<qint16>(first + j));
        // A sit-out's boards are offered to its terminal, but no result of them is owed unless
        // its stored results show that the table played the round.
        if (owesResults(row, played))
            groupBoards += count;
        rows_.push_back(std::move(row));
    }
    writeGroup();

    boardSlots_ = tableSlots;
    indexBoards();
    indexRows();

    // The results got of every bound terminal, over all rounds of its table.
    std::vector<std::pair<qint16, qint16>> bound;
    if (std::optional<QSqlQuery> terminals = db_.select(
            QStringLiteral("SELECT Section, [Table] FROM custom_qz_TQZ WHERE Section>0 AND [Table]>0 AND "
                           "TQZ_ID>0 ORDER BY Section ASC, [Table] ASC"))) {
        while (terminals->next()) {
            const std::optional<qint16> sectionId = fields::toInt16(terminals->value(0));
            const std::optional<qint16> table = fields::toInt16(terminals->value(1));
            if (sectionId && table)
                bound.emplace_back(*sectionId, *table);
        }
    } else {
        logDbError(kLoadErrorSource);
    }
    // The terminals' counters stand or fall together; the memory is loaded either way.
    DbTransaction counters(db_);
    if (counters.isActive()) {
        for (const ExpectedResults& owed : expected)
            db_.execSQL(
                QStringLiteral(
                    "UPDATE custom_qz_TQZ SET ResultExpected=?,ResultGot=0 WHERE Section=? AND [Table]=?"),
                QStringLiteral("Setup total results for table"), false,
                {owed.boards, int{owed.section}, int{owed.table}});
        for (const auto& [sectionId, table] : bound)
            refreshResultGot(sectionId, table, QStringLiteral("Refresh result got"));
    }
    if (!counters.commit())
        logDbError(kLoadErrorSource);

    log_.writeLog(0, number(static_cast<qint64>(rows_.size())) + QStringLiteral(" movement data loaded"),
                  kLoadSource);
}

void GameData::indexBoards() {
    // Positions up to the highest board a row holds, also one that only sit-outs hold.
    qint16 maxBoard = 0;
    for (const MovementRow& row : rows_) {
        for (const qint16 board : row.boards)
            maxBoard = qMax(maxBoard, board);
    }
    boardIndex_.assign(static_cast<std::size_t>(maxBoard), BoardIndexEntry{});
    std::vector<qint32> playing(static_cast<std::size_t>(maxBoard), 0);
    for (const MovementRow& row : rows_) {
        const QString tableId = row.Letter + number(row.Table);
        const bool plays = row.playsBoards();
        for (const qint16 board : row.boards) {
            const auto at = static_cast<std::size_t>(board - 1);
            if (plays && playing[at]++ >= boardSlots_)
                continue;
            boardIndex_[at].tables.push_back(
                BoardSlot{tableId, row.Round, row.NSPair, row.EWPair, row.South, row.West, plays});
        }
    }
}

bool GameData::followGameType() {
    // The numbering first: rows that play for one game type beside a numbering read for the
    // other would mix the two.
    if (!followGameTypeInSections())
        return false;
    const bool individual = isIndividualGame();
    if (individual == playReadAsIndividual_)
        return false;
    playReadAsIndividual_ = individual;
    for (MovementRow& row : rows_)
        row.play = rowPlay(row.seats(), seatsFourPlayers(row.Section));
    indexBoards();
    // The ResultExpected of the bound terminals needs no recount: the game settings keep the
    // game type while a terminal is bound, and one that binds later counts these rows.
    return true;
}

const BoardIndexEntry* GameData::boardIndex(qint16 board) const {
    if (board < 1 || board > static_cast<qint16>(boardIndex_.size()))
        return nullptr;
    return &boardIndex_[static_cast<std::size_t>(board - 1)];
}

} // namespace qzc

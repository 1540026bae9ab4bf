// Board results in ReceivedData: store, replace, erase, read back, count and clear.
#include "core/DbTransaction.h"
#include "core/Log.h"
#include "core/PlayedResultScores.h"
#include "core/ResultEntry.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/FieldValues.h"
#include "gamedata/GameData.h"
#include "platform/Clock.h"
#include "scoring/ContractScore.h"

#include <QSqlQuery>
#include <array>
#include <optional>

namespace qzc {

namespace {

const QString kMarkLabel = QStringLiteral("Database - markResult");
/// Of several rows of a board at a table and round (stored under other pairs too), the newest
/// comes first: the pick that every reader of them makes.
const QString kNewestFirst = QStringLiteral(" ORDER BY DateLog DESC, TimeLog DESC, ID DESC");

const std::array<const char*, 9> kAdjustedScores = {"60%-40%", "50%-40%", "50%-50%", "40%-40%", "40%-60%",
                                                    "40%-50%", "60%-60%", "60%-50%", "50%-60%"};

QString number(qint64 n) {
    return QString::number(n);
}

// Bound as an empty text, never as Null: other programs read these columns as text.
QVariant textValue(const QString& text) {
    return text.isNull() ? QVariant(QString::fromLatin1("", 0)) : QVariant(text);
}

bool isAdjustedScore(const QString& text) {
    for (const char* adjusted : kAdjustedScores) {
        if (text == QLatin1String(adjusted))
            return true;
    }
    return false;
}

// "4SX" is stored as "4 S x", "6HXX" as "6 H xx", "3NT" as "3 NT"; no trump typed as "3N"
// is stored as "3 NT" too, the one form that readers of the column know.
QString storedContract(const QString& contract) {
    QString strain = contract.mid(1);
    if (strain.startsWith(QLatin1Char('N')) && !strain.startsWith(QLatin1String("NT")))
        strain.insert(1, QLatin1Char('T'));
    QString stored = contract.left(1) + QLatin1Char(' ') + strain;
    if (stored.contains(QLatin1String("XX")))
        stored.replace(QLatin1String("XX"), QLatin1String(" xx"));
    else
        stored.replace(QLatin1Char('X'), QLatin1String(" x"));
    return stored;
}

// What one result-entry record is stored as.
struct StoredResult {
    QString contract;
    QString declarer;
    QString result;
    QString lead;
    QString remarks;
    qint16 score = 0;
};

StoredResult storedResult(const ResultEntry& record, const QString& contractText) {
    StoredResult stored;
    if (record.valid == 0) {
        stored.remarks = record.remarks;
        return stored;
    }
    stored.lead = record.lead;
    if (contractText.isEmpty() || contractText == QLatin1String("LP") ||
        contractText == QLatin1String("NP")) {
        stored.remarks = contractText == QLatin1String("NP") ? QStringLiteral("Not played") : contractText;
    } else if (contractText == QLatin1String("PASS")) {
        stored.contract = contractText;
    } else if (isAdjustedScore(contractText)) {
        stored.remarks = contractText;
    } else {
        stored.declarer = record.declarer;
        stored.score = calcContractScore(record.board, contractText, record.declarer, record.tricks);
        stored.contract = storedContract(contractText);
        stored.result = formatResultText(stored.contract, record.tricks);
    }
    return stored;
}

} // namespace

MarkResultOutcome GameData::markResult(const QString& tableId, const ResultEntry& record, qint16 round,
                                       qint16 nsPair, qint16 ewPair, qint16 south, qint16 west,
                                       const ResultEntry* shown) {
    using Status = MarkResultOutcome::Status;
    const qint16 sectionId = getSectionID(tableIdLetter(tableId));
    const qint16 table = tableIdNumber(tableId);
    const qint16 board = record.board;
    const QString seats = tableId + QLatin1Char(',') + number(board) + QLatin1Char(',') + number(nsPair) +
                          QLatin1Char(',') + number(ewPair);
    const bool roundsInMemory = mem_HasRound(sectionId);
    // A terminal's result comes placed in the stanza already; the director may correct a result
    // of any round of the evening.
    if (roundsInMemory &&
        !findResultPlace(tableId, board, ResultSeats::ofMovement({nsPair, ewPair, south, west}),
                         PlaceRounds::Evening)) {
        log_.writeLog(0, QStringLiteral("Submitted board result mismatch:") + seats);
        return {Status::Mismatch, 0};
    }
    if (round == 0 || board == 0)
        return {Status::Incomplete, 0};
    log_.writeLog(0, QStringLiteral("Save board result, ") + seats);

    // The earlier result of the table, pairs and board; with four players of the same players.
    const QString base =
        QStringLiteral(" WHERE Section=? AND [Table]=? AND PairNS=? AND PairEW=? AND Board=?");
    const QVariantList baseValues{int{sectionId}, int{table}, int{nsPair}, int{ewPair}, int{board}};
    const bool fourPlayers = south > 0 && west > 0;
    const QString samePlayers = base + QStringLiteral(" AND South=? AND West=?");
    const QVariantList samePlayersValues = baseValues + QVariantList{int{south}, int{west}};

    QString contractText = record.contract.toUpper();
    contractText.remove(QLatin1Char(' '));
    if (nsPair == 0 && ewPair == 0)
        contractText = QStringLiteral("NP");
    const StoredResult stored = storedResult(record, contractText);
    // The declaring pair, or in an individual game the declaring player.
    qint16 declarerNo = 0;
    if (stored.declarer == QLatin1String("N") || stored.declarer == QLatin1String("S"))
        declarerNo = stored.declarer == QLatin1String("S") && south > 0 ? south : nsPair;
    else if (stored.declarer == QLatin1String("E") || stored.declarer == QLatin1String("W"))
        declarerNo = stored.declarer == QLatin1String("W") && west > 0 ? west : ewPair;
    const QDateTime now = clock_.now();

    // What is kept in memory of the table's counts follows the change below.
    const ScoreDb::ChangeMark before = db_.changeMark();
    // The earlier row goes only together with the new one: a refused insert keeps it, and a
    // transaction that could not begin (another program's write outlasted the busy timeout)
    // writes nothing.
    DbTransaction transaction(db_);
    auto fail = [this] {
        logDbError(kMarkLabel);
        return MarkResultOutcome{Status::StorageFailed, 0};
    };
    if (!transaction.isActive())
        return fail();
    // A correction by the director is made over the result shown: read again now that the
    // write lock is held, so that nothing another program or a table stored meanwhile is
    // written over. A board shown without a result must still have none, under any pairs.
    const bool showedResult = shown != nullptr && (shown->valid != 0 || !shown->remarks.isEmpty());
    if (shown != nullptr) {
        ResultEntry storedNow;
        const std::optional<SeatNumbers> nowSeats =
            getBoardResult(tableId, round, board, storedNow,
                           showedResult ? std::optional<SeatNumbers>(SeatNumbers{nsPair, ewPair, south, west})
                                        : std::nullopt);
        if (showedResult ? (!nowSeats || storedNow != *shown) : nowSeats.has_value()) {
            log_.writeLog(0, QStringLiteral("Board result changed meanwhile, not saved:") + seats);
            return {Status::Outdated, 0};
        }
    }
    const bool sameFour =
        fourPlayers &&
        db_.hasRows(QStringLiteral("SELECT Board FROM ReceivedData") + samePlayers, samePlayersValues);
    const QString earlier = sameFour ? samePlayers : base;
    const QVariantList earlierValues = sameFour ? samePlayersValues : baseValues;
    // A table plays a board once in a round: what it holds there goes too, also a row stored
    // under pairs that the movement has renumbered since. Only where the round comes from the
    // movement; without one it is counted from the results and tells no plays apart. A
    // correction of a result shown replaces that row alone: a row of other pairs stays.
    const bool wholeRound = roundsInMemory && !showedResult;
    const QString inRound = QStringLiteral(" WHERE Section=? AND [Table]=? AND Round=? AND Board=?");
    const QVariantList inRoundValues{int{sectionId}, int{table}, int{round}, int{board}};
    // A correction keeps the place of the result it replaces in the order in which the
    // round's results first came (who sits at a table without a movement row goes by it):
    // that of the earliest row deleted below that was stored in this round.
    std::optional<qint64> firstCame;
    if (!db_.readRows(QStringLiteral("SELECT ID, custom_qz_firstid FROM ReceivedData") +
                          (wholeRound ? inRound : earlier + QStringLiteral(" AND Round=?")),
                      wholeRound ? inRoundValues : earlierValues + QVariantList{int{round}},
                      [&firstCame](const QSqlQuery& row) {
                          const qint64 came = firstCameOrder(row.value(0), row.value(1));
                          if (!firstCame || came < *firstCame)
                              firstCame = came;
                      }))
        return fail();
    if (!db_.execSQL(QStringLiteral("DELETE FROM ReceivedData") + earlier, kMarkLabel, false, earlierValues))
        return fail();
    if (wholeRound &&
        !db_.execSQL(QStringLiteral("DELETE FROM ReceivedData") + inRound, kMarkLabel, false, inRoundValues))
        return fail();

    const bool insert = !stored.remarks.isEmpty() || !stored.contract.isEmpty();
    if (insert) {
        QString columns = QStringLiteral("Section,[Table],Round,Board,PairNS,PairEW");
        QVariantList values{int{sectionId}, int{table}, int{round}, int{board}, int{nsPair}, int{ewPair}};
        if (declarerNo > 0) {
            columns += QStringLiteral(",Declarer");
            values << int{declarerNo};
        }
        columns += QStringLiteral(
            ",[NS/EW],Contract,Result,LeadCard,Remarks,DateLog,TimeLog,custom_qz_score,custom_qz_declarer");
        for (const QString& t :
             {stored.declarer, stored.contract, stored.result, stored.lead, stored.remarks,
              now.toString(QStringLiteral("yyyy-MM-dd")), now.toString(QStringLiteral("hh:mm:ss"))})
            values << textValue(t);
        values << int{stored.score} << textValue(stored.declarer);
        if (fourPlayers) {
            columns += QStringLiteral(",South,West");
            values << int{south} << int{west};
        }
        // A correction too is a new row, with a new ID and its processed flags at their
        // defaults (the scoring program reads and marks rows by ID, so it reads the correction
        // as new); it carries only the place of the result it replaces.
        if (firstCame) {
            columns += QStringLiteral(",custom_qz_firstid");
            values << QVariant::fromValue(*firstCame);
        }
        QString marks = QStringLiteral("?");
        for (qsizetype i = 1; i < values.size(); ++i)
            marks += QStringLiteral(",?");
        if (!db_.execSQL(QStringLiteral("INSERT INTO ReceivedData (") + columns +
                             QStringLiteral(") VALUES (") + marks + QLatin1Char(')'),
                         kMarkLabel, false, values))
            return fail();
    }
    // A recount, so that a replaced result does not count twice.
    const std::optional<qint32> got =
        refreshResultGot(sectionId, table, QStringLiteral("Add result got for table"));
    // A round whose row takes no entries owes its boards exactly while a result shows that it
    // was played there: what the table owes follows.
    const MovementRow* row = mem_GetTableRow(tableId, round);
    const bool owedChanges = roundsInMemory && row != nullptr && !row->takesEntries();
    std::optional<qint32> expected;
    if (owedChanges) {
        expected = resultsExpected(sectionId, table, roundsPlayed(sectionId));
        db_.execSQL(QStringLiteral("UPDATE custom_qz_TQZ SET ResultExpected=? WHERE Section=? AND [Table]=?"),
                    QStringLiteral("Setup result expected"), false, {*expected, int{sectionId}, int{table}});
    }
    if (!transaction.commit())
        return fail();
    const ScoreDb::ChangeMark after = db_.changeMark();
    if (got)
        terminalRows_.changedTable(sectionId, table, before, after, [&](TerminalRows::Row& terminal) {
            terminal.got = *got;
            if (expected)
                terminal.expected = *expected;
        });
    else
        terminalRows_.forget();
    progress_.resultsChanged(sectionId, table, before, after, owedChanges);
    return {insert ? Status::Stored : Status::Erased, round};
}

qint64 GameData::firstCameOrder(const QVariant& id, const QVariant& firstId) {
    return firstId.isNull() ? id.toLongLong() : firstId.toLongLong();
}

std::optional<SeatNumbers> GameData::getBoardResult(const QString& tableId, qint16 round, qint16 board,
                                                    ResultEntry& record,
                                                    const std::optional<SeatNumbers>& under) const {
    QString sql = QStringLiteral("SELECT * FROM ReceivedData WHERE ") + sqlSectionTable(tableId) +
                  QStringLiteral(" AND Round=") + number(round) + QStringLiteral(" AND Board=") +
                  number(board) + QStringLiteral(" AND NOT Erased");
    QVariantList values;
    if (under) {
        const auto& [ns, ew, south, west] = *under;
        sql += QStringLiteral(" AND PairNS=? AND PairEW=?");
        values << int{ns} << int{ew};
        if (south != 0 || west != 0) {
            sql += QStringLiteral(" AND South=? AND West=?");
            values << int{south} << int{west};
        }
    }
    std::optional<QSqlQuery> query = db_.select(sql + kNewestFirst, values);
    if (!query) {
        logDbError(QStringLiteral("Database - roundResult"));
        return std::nullopt;
    }
    if (!query->next())
        return std::nullopt;
    const QSqlRecord row = query->record();
    // A row without its date counts as no result.
    if (fields::text(row, QStringLiteral("DateLog")).trimmed().isEmpty())
        return std::nullopt;
    const QString remarks = fields::text(row, QStringLiteral("Remarks"));
    const QString result = fields::text(row, QStringLiteral("Result"));
    QString contract = fields::text(row, QStringLiteral("Contract"));
    contract.remove(QLatin1Char(' '));
    const QString remark = remarks.trimmed().toUpper();
    const bool valid = remark.isEmpty() || remark == QLatin1String("PASS") || remark == QLatin1String("NP") ||
                       remark == QLatin1String("LP");
    record.valid = valid ? -1 : 0;
    if (valid) {
        record.tricks = calcTricksMade(contract, result);
        record.declarer = fields::text(row, QStringLiteral("custom_qz_declarer"));
        record.lead = fields::text(row, QStringLiteral("LeadCard"));
        record.score = fields::int16Or(row, QStringLiteral("custom_qz_score"));
        record.contract = contract;
        // A played result is shown, and checked before a correction is stored over it, with the
        // declarer and score its shared columns give now: another program may have changed
        // them since the own columns were last brought in line.
        if (remarks.trimmed().isEmpty()) {
            if (const std::optional<OwnColumnValues> own =
                    ownColumnValues(board, contract, result, fields::text(row, QStringLiteral("NS/EW")))) {
                record.declarer = own->declarer;
                record.score = own->score;
            }
        }
    } else {
        record.tricks = 0;
        record.declarer.clear();
        record.lead.clear();
        record.score = 0;
        record.contract.clear();
    }
    record.remarks = remarks;
    record.board = board;
    return SeatNumbers{
        fields::int16Or(row, QStringLiteral("PairNS")), fields::int16Or(row, QStringLiteral("PairEW")),
        fields::int16Or(row, QStringLiteral("South")), fields::int16Or(row, QStringLiteral("West"))};
}

qint16 GameData::countTableResultsPlayed(const QString& tableId) const {
    qint16 count = 0;
    db_.getDBValue(
        QStringLiteral("SELECT COUNT(Contract) AS cntresult FROM ReceivedData WHERE ") +
            sqlSectionTable(tableId) +
            QStringLiteral(" AND NOT Erased AND (Remarks IN ('','NP','Not played','LP','LATE PLAY') OR "
                           "Remarks IS NULL OR (NOT Remarks='' AND NOT Contract=''))"),
        QStringLiteral("cntresult"), count);
    return count;
}

bool GameData::tableClearResult(qint16 round, qint16 sectionId) {
    const QString source = QStringLiteral("Database - tableClearResult");
    if (round < 1)
        return false;
    QStringList tables;
    std::vector<qint16> bound;
    {
        std::optional<QSqlQuery> query =
            db_.select(QStringLiteral("SELECT [Table] FROM Tables WHERE Section=") + number(sectionId));
        if (!query) {
            logDbError(source);
            return false;
        }
        while (query->next())
            tables << number(fields::toInt16(query->value(0)).value_or(0));
        query = db_.select(QStringLiteral("SELECT [Table] FROM custom_qz_TQZ WHERE Section=") +
                           number(sectionId) + QStringLiteral(" AND [Table]>0"));
        while (query && query->next())
            bound.push_back(fields::toInt16(query->value(0)).value_or(0));
    }
    if (tables.isEmpty())
        return true;
    const QString clear = QStringLiteral("DELETE FROM ReceivedData WHERE Section=") + number(sectionId) +
                          QStringLiteral(" AND Round>=") + number(round) +
                          QStringLiteral(" AND [Table] IN (") + tables.join(QLatin1Char(',')) +
                          QLatin1Char(')');
    // Inside a caller's transaction the delete stands or falls with the caller's changes.
    DbTransaction transaction(db_);
    if (!transaction.isActive() || !db_.execSQL(clear, source)) {
        logDbError(source);
        return false;
    }
    for (qint16 table : bound)
        refreshResultGot(sectionId, table, QStringLiteral("Refresh result got"));
    if (!transaction.commit()) {
        logDbError(source);
        return false;
    }
    log_.writeLog(0, QStringLiteral("Clear result since round ") + number(round));
    return true;
}

} // namespace qzc

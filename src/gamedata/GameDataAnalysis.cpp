#include "gamedata/GameDataAnalysis.h"

#include "core/DbTransaction.h"
#include "core/DesktopHost.h"
#include "core/EventInfo.h"
#include "core/GameControl.h"
#include "core/Guarded.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "gamedata/FieldValues.h"
#include "gamedata/GameData.h"
#include "gamedata/PlayerNames.h"
#include "platform/BusyPointer.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <map>
#include <vector>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("AnalyzeGameDB");
const QString kCrLf = QStringLiteral("\r\n");

QString number(qint64 n) {
    return QString::number(n);
}

qint16 int16Value(const QSqlQuery& query, int index) {
    return fields::toInt16(query.value(index)).value_or(0);
}

// Clears the running flag on every way out of the analysis.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

// Every column of a result row, as "Name=value" joined with ", " (Null as empty).
QString describeRow(const QSqlRecord& row) {
    QStringList parts;
    for (int i = 0; i < row.count(); ++i) {
        const QVariant value = row.value(i);
        parts << row.fieldName(i) + QLatin1Char('=') + (value.isNull() ? QString() : value.toString());
    }
    return parts.join(QStringLiteral(", "));
}

// One seat of PlayerNumbers and the value to write there.
struct SeatValue {
    qint16 section = 0;
    qint16 table = 0;
    QString direction;
    QVariant value;
};

// Writes set (one bound value) at each seat that read() gives, all in one transaction. The
// seats are read again under the write lock: a value the scoring program committed while
// this waited for the lock, or since the first read, is the one written, and nothing it
// changed meanwhile is written over with what was read before. No lock is taken when the
// first read finds nothing to write. True when a seat was written.
template <typename Read>
bool writeSeatsUnderLock(ScoreDb& db, Log& log, const Read& read, const QString& set, const QString& label) {
    const auto logDbError = [&db, &log] {
        log.writeLog(db.lastErrorNumber(), db.lastErrorDescription(), kSource, true);
    };
    std::optional<std::vector<SeatValue>> seats = read();
    if (!seats) {
        logDbError();
        return false;
    }
    if (seats->empty())
        return false;
    DbTransaction transaction(db);
    if (!transaction.isActive() || !(seats = read())) {
        logDbError();
        return false;
    }
    bool written = false;
    for (const SeatValue& seat : *seats) {
        if (db.execSQL(QStringLiteral("UPDATE PlayerNumbers SET ") + set +
                           QStringLiteral(" WHERE Section=? AND [Table]=? AND Direction=?"),
                       label, false, {seat.value, seat.section, seat.table, seat.direction}))
            written = true;
    }
    if (!written)
        return false;
    if (!transaction.commit()) {
        logDbError();
        return false;
    }
    return true;
}

} // namespace

QString GameDataAnalysis::movementChangeQuestion(qint16 lastOldRound) {
    return QStringLiteral("The scoring program has changed the movement from round ") +
           number(lastOldRound + 1) + kCrLf + kCrLf +
           QStringLiteral("Do you want to update the movement in the TABLETOP UNITs") + kCrLf +
           QStringLiteral("via the safe \"Start with updated movement\" procedure?") + kCrLf;
}

void GameDataAnalysis::logDbError(const QString& source) const {
    log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), source, true);
}

bool GameDataAnalysis::AnalyzeGameDB() {
    if (running_) {
        log_.writeLog(0, QStringLiteral("Check game data skipped, the check is still running"), kSource);
        return false;
    }
    RunningFlag flag(running_);
    guarded(log_, QStringLiteral("QZControl - AnalyzeGameDB"), [this] { run(); });
    return true;
}

void GameDataAnalysis::followSavedSettings() {
    if (gameData_.followMovementSettings() && seatPairsFilled_ &&
        event_.tablePresent.present(SharedTable::PlayerNumbers))
        names_.loadRegisteredNames(fillPairNumbers());
}

void GameDataAnalysis::run() {
    log_.writeLog(0, QStringLiteral("Check game data"));
    // A saved game type whose numbering could not be read at its Save follows it now; a table
    // that loaded its set-up meanwhile got blocks of the old numbering, so every table loads
    // the new ones, as after the Save.
    if (gameData_.followMovementSettings())
        gameData_.setflagloadsetup(false, QString(), 0);
    if (event_.tablePresent.present(SharedTable::PlayerNumbers)) {
        // A name or pair number taken up reaches the names in memory in the same check.
        const bool namesTaken = fillPlayerNames();
        const bool pairsTaken = fillPairNumbers();
        names_.loadRegisteredNames(namesTaken || pairsTaken);
        seatPairsFilled_ = true;
    }
    ownScores_.followSharedColumns(event_.ownScoresInLine);
    Reload reload;
    initializeNewStanzas(reload);
    checkTableCounts(reload);
    settleAlteredMovements();
    decideMovementChanges(countBoundTerminals(), reload);
    // The program ended while a question was up: nothing more is read or written.
    if (messages_.programEnded())
        return;
    if (reload.sections)
        reloadGameData(reload);
    else
        showStanzaState();
}

// Seats that the scoring program marked as updated or that have no name yet get the name
// it wrote, or the known player's name when it wrote none (or only a placeholder). Updated
// is cleared together with the name it marked, both under the write lock.
bool GameDataAnalysis::fillPlayerNames() {
    const auto namesToTakeUp = [this]() -> std::optional<std::vector<SeatValue>> {
        const std::vector<KnownPlayer>& known = names_.playerNameList();
        std::vector<SeatValue> seats;
        const bool read = db_.readRows(
            QStringLiteral("SELECT Section, [Table], Direction, [Number], Name, Updated FROM PlayerNumbers"
                           " WHERE Updated<>0 OR custom_qz_names='' OR custom_qz_names IS NULL"),
            {}, [&](const QSqlQuery& row) {
                const QString numberText = queryText(row, 3);
                QString name = queryText(row, 4).trimmed();
                const bool updated = row.value(5).toLongLong() != 0;
                // "1234 ???": the scoring program's placeholder for a number without a name.
                if (name.size() > 3 && name.startsWith(numberText) && name.endsWith(QStringLiteral("???")))
                    name.clear();
                if (name.isEmpty()) {
                    if (const std::optional<std::size_t> index =
                            searchNameList(known, StrToDouble(numberText)))
                        name = known[*index].name;
                }
                if (name.isEmpty() && !updated)
                    return;
                seats.push_back(SeatValue{int16Value(row, 0), int16Value(row, 1), queryText(row, 2),
                                          names_.seatName(name)});
            });
        if (!read)
            return std::nullopt;
        return seats;
    };
    return writeSeatsUnderLock(db_, log_, namesToTakeUp, QStringLiteral("custom_qz_names=?, Updated=0"),
                               QStringLiteral("Update player names"));
}

// Every seat holds the number that round 1 of the movement in memory gives it
// (GameData::mem_GetSeatNumber): who sits there, under the game type in force. A seat that
// round 1 gives to nobody (an empty seat, a table without a row) keeps what it holds.
bool GameDataAnalysis::fillPairNumbers() {
    const auto pairsToFollow = [this]() -> std::optional<std::vector<SeatValue>> {
        std::vector<SeatValue> seats;
        const bool read = db_.readRows(
            QStringLiteral("SELECT Section, [Table], Direction, custom_qz_pair FROM PlayerNumbers"), {},
            [&](const QSqlQuery& row) {
                const SeatValue seat{int16Value(row, 0), int16Value(row, 1), queryText(row, 2), QVariant()};
                // The movement in memory answers, so its letters name the table too.
                const QString tableId = gameData_.mem_GetSectionLetter(seat.section) + number(seat.table);
                const qint16 pair = gameData_.mem_GetSeatNumber(tableId, seat.direction);
                if (pair < 1 || pair == int16Value(row, 3))
                    return;
                seats.push_back(SeatValue{seat.section, seat.table, seat.direction, int{pair}});
            });
        if (!read)
            return std::nullopt;
        return seats;
    };
    return writeSeatsUnderLock(db_, log_, pairsToFollow, QStringLiteral("custom_qz_pair=?"),
                               QStringLiteral("Update player pair number"));
}

void GameDataAnalysis::initializeNewStanzas(Reload& reload) {
    std::vector<std::pair<qint16, QString>> sections;
    {
        std::optional<QSqlQuery> query =
            db_.select(QStringLiteral("SELECT ID, Letter FROM Section WHERE custom_qz_StanazBeginGameRound=0"
                                      " OR custom_qz_StanazBeginGameRound IS NULL ORDER BY ID"));
        if (!query) {
            logDbError(kSource);
            return;
        }
        while (query->next())
            sections.emplace_back(int16Value(*query, 0), queryText(*query, 1).trimmed());
    }
    for (const auto& [id, letter] : sections) {
        qint16 maxround = 0;
        const bool read = db_.getDBValue(
            QStringLiteral("SELECT MAX(Round) AS maxround FROM RoundData WHERE Section=") + number(id),
            QStringLiteral("maxround"), maxround);
        QString edge = number(maxround);
        // A section without a movement plays the rounds its results count, up to the last
        // round the board counts give: an edge of 0 would store none of them.
        if (read && maxround == 0 && !event_.boardCountsEdgeRound().isEmpty())
            edge = event_.boardCountsEdgeRound();
        // The label's "Initailize" as programs that read the log expect it.
        if (db_.execSQL(QStringLiteral("UPDATE Section SET custom_qz_StanazBeginGameRound=1,"
                                       " custom_qz_StanazEdgeGameRound=") +
                            edge + QStringLiteral(", custom_qz_UFRmode=0 WHERE ID=") + number(id),
                        QStringLiteral("Initailize stanza")))
            log_.writeLog(0,
                          QStringLiteral("Initialize stanza for ") + letter + QStringLiteral(": 1,") + edge,
                          kSource);
    }
    if (!sections.empty())
        reload.set();
}

// A section whose Tables count changed reloads when it has no movement (every table of its
// list is in play), or when the new count is a table that plays the stanza's edge round. The
// count is compared with the rows of Tables at the last load, not with the tables in play,
// which a table sitting out the edge round cuts short: that would reload on every run.
void GameDataAnalysis::checkTableCounts(Reload& reload) {
    if (reload.sections && reload.movement)
        return;
    for (const SectionRecord& section : gameData_.sectionList()) {
        qint32 tables = 0;
        // A count that cannot be read changes nothing.
        if (!db_.getDBValue(QStringLiteral("SELECT COUNT([Table]) AS tblcnt FROM Tables WHERE Section=") +
                                number(section.ID),
                            QStringLiteral("tblcnt"), tables) ||
            tables == section.tableRows)
            continue;
        qint32 movementRows = 0;
        if (!db_.getDBValue(QStringLiteral("SELECT COUNT(*) AS cnt FROM RoundData WHERE Section=") +
                                number(section.ID),
                            QStringLiteral("cnt"), movementRows))
            continue;
        if (movementRows > 0 &&
            !db_.hasRows(QStringLiteral("SELECT [Table] FROM RoundData WHERE Round=") +
                         number(section.stanzaEdge) + QStringLiteral(" AND Section=") + number(section.ID) +
                         QStringLiteral(" AND [Table]=") + number(tables)))
            continue;
        reload.set();
        log_.writeLog(0,
                      QStringLiteral("Section ") + section.Letter + QStringLiteral(" table changes from ") +
                          number(section.tableRows) + QStringLiteral(" to ") + number(tables),
                      kSource);
        break;
    }
}

// An altered movement is settled once no table of its section still has to load its set-up.
// Only a table with a terminal counts: nothing would ever clear the flag of a vacant one (a
// save of the game settings flags every table), and a terminal that logs in there later gets
// the movement as it stands. A flagged table whose terminal left is cleared as a vacant table
// is when the change is decided: its UpdateFromRound would be read as a change still to decide.
void GameDataAnalysis::settleAlteredMovements() {
    std::vector<qint16> sections;
    {
        std::optional<QSqlQuery> query =
            db_.select(QStringLiteral("SELECT ID FROM Section WHERE custom_qz_UFRmode=1 ORDER BY ID"));
        if (!query) {
            logDbError(kSource);
            return;
        }
        while (query->next())
            sections.push_back(int16Value(*query, 0));
    }
    for (qint16 id : sections) {
        const QString letter = gameData_.getSectionLetter(id);
        // "stanaz" as programs that read the log expect it.
        log_.writeLog(0,
                      QStringLiteral("Section ") + letter +
                          QStringLiteral(": UFR mode=1(change without new stanaz)"),
                      kSource);
        std::optional<QSqlQuery> pending = db_.select(
            QStringLiteral("SELECT Tables.[Table] FROM Tables INNER JOIN custom_qz_TQZ ON "
                           "Tables.Section=custom_qz_TQZ.Section AND Tables.[Table]=custom_qz_TQZ.[Table] "
                           "WHERE Tables.Section=") +
            number(id) + QStringLiteral(" AND Tables.custom_qz_loadsetup=1 AND custom_qz_TQZ.TQZ_ID<>0"));
        // A failed look-up settles nothing.
        if (!pending) {
            logDbError(kSource);
            continue;
        }
        if (pending->next())
            continue;
        if (!resetLeftTables(id))
            continue;
        if (db_.execSQL(QStringLiteral("UPDATE Section SET custom_qz_UFRmode=0 WHERE ID=") + number(id),
                        QStringLiteral("reset UFRmode")))
            log_.writeLog(0, QStringLiteral("Section ") + letter + QStringLiteral(": reset UFRmode"));
    }
}

bool GameDataAnalysis::resetLeftTables(qint16 sectionId) {
    return db_.execSQL(
        QStringLiteral("UPDATE Tables SET UpdateFromRound=0, custom_qz_loadsetup=0 WHERE Section=") +
            number(sectionId) +
            QStringLiteral(
                " AND custom_qz_loadsetup=1 AND NOT EXISTS (SELECT TQZ_ID FROM custom_qz_TQZ"
                " WHERE custom_qz_TQZ.Section=Tables.Section AND custom_qz_TQZ.[Table]=Tables.[Table]"
                " AND custom_qz_TQZ.TQZ_ID<>0)"),
        QStringLiteral("AnalyzeGameDB, reset UFR for vacant table"));
}

qint32 GameDataAnalysis::countBoundTerminals() {
    qint32 count = 0;
    db_.getDBValue(
        QStringLiteral("SELECT COUNT(TQZ_ID) AS cntTQZ FROM custom_qz_TQZ INNER JOIN Tables"
                       " ON Tables.Section=custom_qz_TQZ.Section AND Tables.[Table]=custom_qz_TQZ.[Table]"),
        QStringLiteral("cntTQZ"), count);
    return count;
}

void GameDataAnalysis::decideMovementChanges(qint32 boundTerminals, Reload& reload) {
    std::vector<qint16> sections;
    {
        std::optional<QSqlQuery> query =
            db_.select(QStringLiteral("SELECT Section FROM Tables GROUP BY Section ORDER BY Section ASC"));
        if (!query) {
            logDbError(kSource);
            return;
        }
        while (query->next())
            sections.push_back(int16Value(*query, 0));
    }
    // The vacant tables are reset once, after the last decision: reset earlier, they would
    // erase the UpdateFromRound of the sections still to be decided.
    bool decided = false;
    for (const qint16 section : sections) {
        const Decision decision = decideMovementChange(section, boundTerminals);
        if (messages_.programEnded())
            return;
        decided = decided || decision == Decision::Stored;
    }
    if (!decided)
        return;
    resetVacantTables();
    reload.set();
}

// The facts are read just before the section is decided, and again when the decision is
// written: while a question is up the terminals store results and other events run, and
// the scoring program may change the movement until this program holds the write lock.
GameDataAnalysis::Decision GameDataAnalysis::decideMovementChange(qint16 sectionId, qint32 boundTerminals) {
    const std::optional<MovementChange> change = readMovementChange(db_, log_, kSource, sectionId);
    if (!change)
        return Decision::Left;
    const std::optional<qint16> lastRound = change->lastOldRound();
    if (!lastRound)
        return Decision::None;

    qint16 choice = keepStanza;
    bool asked = false;
    if (boundTerminals > 0) {
        const QString completed = completedTable(sectionId);
        if (!completed.isEmpty()) {
            log_.writeLog(0, QStringLiteral("At least, table ") + completed + QStringLiteral(" completed"),
                          kSource);
            choice = newStanza;
        } else {
            MessageBox::Request question;
            question.text = movementChangeQuestion(*lastRound);
            question.labelStyle = 2;
            question.secondButton = true;
            question.helpTopic = questionHelpTopic;
            question.style = questionStyle;
            const bool answeredYes = messages_.showMsg(question);
            // The program ended while the question was up: no answer was given.
            if (messages_.programEnded())
                return Decision::Left;
            asked = true;
            choice = answeredYes ? newStanza : keepStanza;
        }
    }
    return storeDecision(sectionId, *lastRound, choice, asked);
}

QString GameDataAnalysis::completedTable(qint16 sectionId) const {
    for (const SectionRecord& section : gameData_.sectionList()) {
        if (section.ID != sectionId)
            continue;
        for (qint16 table = 1; table <= section.tableCount; ++table) {
            const QString tableId = section.Letter + number(table);
            // A table that plays no board in the edge round has completed nothing there: not
            // one without boards, nor one whose row has an empty seat, also where what was
            // entered for its boards is stored as not played; unless its stored results show
            // that it played the round.
            const std::optional<RoundSeating> edgeRound = gameData_.roundSeating(tableId, section.stanzaEdge);
            if (!edgeRound || !edgeRound->plays)
                continue;
            const QString boards = gameData_.mem_GetBoardList(tableId, section.stanzaEdge);
            if (!boards.isEmpty() &&
                boards == gameData_.getPlayedBoardList(tableId, section.stanzaEdge, false))
                return tableId;
        }
        break;
    }
    return {};
}

// A stanza edge without the set-up flags would leave the terminals on the old movement, and
// cleared results without the edge would lose them: the decision is stored whole or not at
// all, and a section not stored is decided again at the next check. It is stored only on the
// change as read with the write lock held: a change the scoring program wrote after the
// question or the decision was made is asked about or decided at the next check.
GameDataAnalysis::Decision GameDataAnalysis::storeDecision(qint16 sectionId, qint16 lastOldRound,
                                                           qint16 choice, bool asked) {
    const QString section = QStringLiteral("Section ") + gameData_.getSectionLetter(sectionId);
    const auto notStored = [this, &section] {
        log_.writeLog(0, section + QStringLiteral(": movement change not stored, left undecided"), kSource);
        return Decision::Left;
    };
    DbTransaction transaction(db_);
    if (!transaction.isActive()) {
        logDbError(kSource);
        return notStored();
    }
    const std::optional<MovementChange> change = readMovementChange(db_, log_, kSource, sectionId);
    if (!change || change->ufrMode != 0) {
        log_.writeLog(0,
                      section + QStringLiteral(": UFR mode is ") +
                          (change ? number(change->ufrMode) : QStringLiteral("unknown")) +
                          QStringLiteral(", movement change left undecided"),
                      kSource);
        return Decision::Left;
    }
    const std::optional<qint16> lastRoundNow = change->lastOldRound();
    if (lastRoundNow != lastOldRound) {
        log_.writeLog(0,
                      section + QStringLiteral(": movement change from round ") + number(lastOldRound + 1) +
                          (asked ? QStringLiteral(" asked, ") : QStringLiteral(" decided, ")) +
                          (lastRoundNow ? QStringLiteral("now from round ") + number(*lastRoundNow + 1)
                                        : QStringLiteral("now none to decide")) +
                          QStringLiteral(", movement change left undecided"),
                      kSource);
        return Decision::Left;
    }
    if (!(choice == newStanza ? applyNewStanza(*change, lastOldRound) : applyKeepStanza(*change)) ||
        !commitDecision(transaction))
        return notStored();
    if (asked && choice == newStanza)
        host_.showUFRDialog();
    return Decision::Stored;
}

bool GameDataAnalysis::applyNewStanza(const MovementChange& change, qint16 lastOldRound) {
    if (!db_.execSQL(QStringLiteral("UPDATE Section SET custom_qz_StanazEdgeGameRound=") +
                         number(lastOldRound) + QStringLiteral(", custom_qz_UFRmode=2 WHERE ID=") +
                         number(change.section),
                     QStringLiteral("AnalyzeGameDB, set Stanza Edge round")))
        return false;
    log_.writeLog(0, QStringLiteral("Section ") + gameData_.getSectionLetter(change.section) +
                         QStringLiteral(": set UFRmode to 2 (new stanza from round ") +
                         number(change.stanzaBegin) + QStringLiteral(" to ") + number(lastOldRound));
    return gameData_.setflagloadsetup(false, QString(), change.section) &&
           clearResultsFrom(change.section, static_cast<qint16>(lastOldRound + 1));
}

bool GameDataAnalysis::applyKeepStanza(const MovementChange& change) {
    if (!db_.execSQL(QStringLiteral("UPDATE Section SET custom_qz_StanazEdgeGameRound=") +
                         number(change.maxRound) + QStringLiteral(", custom_qz_UFRmode=1 WHERE ID=") +
                         number(change.section),
                     QStringLiteral("AnalyzeGameDB, set UFRmode to 1")))
        return false;
    log_.writeLog(0, QStringLiteral("Section ") + gameData_.getSectionLetter(change.section) +
                         QStringLiteral(": set UFRmode to 1 (movement altered)"));
    return gameData_.setflagloadsetup(false, QString(), change.section);
}

bool GameDataAnalysis::commitDecision(DbTransaction& transaction) {
    if (transaction.commit())
        return true;
    logDbError(kSource);
    return false;
}

bool GameDataAnalysis::clearResultsFrom(qint16 sectionId, qint16 fromRound) {
    QStringList lines;
    {
        // The rows that tableClearResult deletes: the section's tables, from the round on.
        std::optional<QSqlQuery> query =
            db_.select(QStringLiteral("SELECT * FROM ReceivedData WHERE Section=") + number(sectionId) +
                       QStringLiteral(" AND Round>=") + number(fromRound) +
                       QStringLiteral(" AND [Table] IN (SELECT [Table] FROM Tables WHERE Section=") +
                       number(sectionId) + QStringLiteral(") ORDER BY [Table], Round, Board"));
        if (!query) {
            logDbError(kSource);
            log_.writeLog(0,
                          QStringLiteral("Results of section ") + gameData_.getSectionLetter(sectionId) +
                              QStringLiteral(" from round ") + number(fromRound) +
                              QStringLiteral(" kept: they could not be read"),
                          kSource);
            return false;
        }
        while (query->next())
            lines << QStringLiteral("Clear board result: ") + describeRow(query->record());
    }
    // Written ahead of the delete, so that no cleared result is lost for good.
    for (const QString& line : lines)
        log_.writeLog(0, line, kSource);
    if (!lines.isEmpty())
        log_.flush();
    return gameData_.tableClearResult(fromRound, sectionId);
}

// Read and written under the write lock: a section whose change the scoring program
// committed after it was passed over, or whose decision was not stored, keeps its vacant
// tables' marks and is decided on them at the next check.
void GameDataAnalysis::resetVacantTables() {
    struct Table {
        qint16 section = 0;
        qint16 table = 0;
        qint64 terminal = 0;
    };
    DbTransaction transaction(db_);
    if (!transaction.isActive()) {
        logDbError(kSource);
        return;
    }
    std::vector<Table> tables;
    {
        std::optional<QSqlQuery> query = db_.select(
            QStringLiteral("SELECT Tables.Section, Tables.[Table], custom_qz_TQZ.TQZ_ID FROM Tables"
                           " LEFT JOIN custom_qz_TQZ ON Tables.Section=custom_qz_TQZ.Section"
                           " AND Tables.[Table]=custom_qz_TQZ.[Table]"));
        if (!query) {
            logDbError(kSource);
            return;
        }
        while (query->next())
            tables.push_back(
                Table{int16Value(*query, 0), int16Value(*query, 1), query->value(2).toLongLong()});
    }
    std::map<qint16, bool> undecided;
    for (const Table& table : tables) {
        if (table.terminal != 0)
            continue;
        auto known = undecided.find(table.section);
        if (known == undecided.end())
            known =
                undecided.emplace(table.section, movementChangeUndecided(db_, log_, kSource, table.section))
                    .first;
        if (known->second)
            continue;
        db_.execSQL(
            QStringLiteral("UPDATE Tables SET UpdateFromRound=0, custom_qz_loadsetup=0 WHERE Section=") +
                number(table.section) + QStringLiteral(" AND [Table]=") + number(table.table),
            QStringLiteral("AnalyzeGameDB, reset UFR for vacant table"));
    }
    commitDecision(transaction);
}

void GameDataAnalysis::reloadGameData(const Reload& reload) {
    gameData_.loadsectiondata();
    if (!reload.movement)
        return;
    const qint16 remembered = host_.shownSectionId().value_or(0);
    host_.refillSections();
    gameData_.loadrounddata();
    // The seats follow round 1 of the movement just loaded in this same check: what reads the
    // players by their pair number (the result files, the player names dialog) names the
    // players who sit there.
    if (event_.tablePresent.present(SharedTable::PlayerNumbers) && fillPairNumbers())
        names_.loadRegisteredNames(true);
    host_.showSection(remembered);
    const BusyPointer busy;
    gameData_.preloadMovementMessage();
}

void GameDataAnalysis::showStanzaState() {
    if (const std::optional<qint16> section = host_.shownSectionId())
        game_.showStanzaState(gameData_.getSectionStanzaState(*section), kSource);
}

} // namespace qzc

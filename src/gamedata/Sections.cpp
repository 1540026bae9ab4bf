// The sections of the event in memory: the load and the lookups on sectionList.
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "gamedata/FieldValues.h"
#include "gamedata/GameData.h"

#include <QSet>
#include <QSqlQuery>

namespace qzc {

namespace {

const QString kLoadSource = QStringLiteral("loadsectiondata");
const QString kLoadErrorSource = QStringLiteral("Database - loadsectiondata");

QString number(qint64 n) {
    return QString::number(n);
}

// Rows of a query that gives one count; nothing when the query fails.
std::optional<qint64> countRows(ScoreDb& db, const QString& sql) {
    qint32 count = 0;
    if (!db.getDBValue(QStringLiteral("SELECT COUNT(*) AS cnt FROM (") + sql + QStringLiteral(") AS counted"),
                       QStringLiteral("cnt"), count))
        return std::nullopt;
    return count;
}

// The section whose movement numbers the pairs of section: the first of sections with the
// same letters, else section itself; nothing (the whole event) for a section without letters.
std::optional<qint16> numberingScope(const SectionRecord& section, const QList<SectionRecord>& sections) {
    if (section.Letter.isEmpty())
        return std::nullopt;
    for (const SectionRecord& other : sections) {
        if (other.Letter == section.Letter)
            return other.ID;
    }
    return section.ID;
}

} // namespace

void GameData::loadsectiondata() {
    log_.writeLog(0, QStringLiteral("Load section data into memory"));
    sectionsReadAsIndividual_ = isIndividualGame();
    QList<SectionRecord> loaded;
    // Each section's numbering asks whether its movement seats four players: read here, as the
    // movement itself is loaded after the sections.
    std::optional<MovementSeats> movementSeats = readMovementSeats();
    if (!movementSeats) {
        logDbError(kLoadErrorSource);
        sections_ = loaded;
        return;
    }
    movementSeats_ = *movementSeats;
    std::vector<QSqlRecord> rows;
    {
        std::optional<QSqlQuery> query = db_.select(QStringLiteral("SELECT * FROM Section ORDER BY ID ASC"));
        if (!query) {
            logDbError(kLoadErrorSource);
            sections_ = loaded;
            return;
        }
        while (query->next()) {
            if (static_cast<int>(rows.size()) == maxSections) {
                log_.writeLog(0, QStringLiteral("Too many section data, >100"), kLoadSource, true);
                break;
            }
            rows.push_back(query->record());
        }
    }
    for (const QSqlRecord& row : rows) {
        std::optional<SectionRecord> section = readSection(row, loaded);
        if (!section) {
            // Only whole sections stay in memory; the count line is left out, as the load
            // did not finish.
            logDbError(kLoadErrorSource);
            sections_ = loaded;
            return;
        }
        loaded.append(*section);
    }
    sections_ = loaded;
    log_.writeLog(0, number(sections_.size()) + QStringLiteral(" section data loaded"), kLoadSource);
}

std::optional<SectionRecord> GameData::readSection(const QSqlRecord& row,
                                                   const QList<SectionRecord>& loaded) const {
    SectionRecord section;
    section.ID = fields::int16Or(row, QStringLiteral("ID"));
    section.Letter = fields::text(row, QStringLiteral("Letter")).trimmed();
    section.missingPair = fields::int16Or(row, QStringLiteral("missingpair"));
    section.stanzaBegin = fields::int16Or(row, QStringLiteral("custom_qz_stanazBeginGameRound"));
    const std::optional<qint16> edge = fields::int16(row, QStringLiteral("custom_qz_stanazEdgeGameRound"));
    section.stanzaEdge = edge.value_or(0);

    const std::optional<bool> separate = separatePairs(numberingScope(section, loaded));
    if (!separate)
        return std::nullopt;
    section.separatePairs = *separate;

    qint32 count = 0;
    if (!db_.getDBValue(QStringLiteral("SELECT COUNT([Table]) AS cnttbl FROM Tables WHERE Section=") +
                            number(section.ID),
                        QStringLiteral("cnttbl"), count))
        return std::nullopt;
    section.tableCount = static_cast<qint16>(qBound(0, count, 32767));
    section.tableRows = section.tableCount;
    if (count < 1)
        return section;

    std::optional<TableNumbers> tables = readTableNumbers(section, count);
    if (!tables)
        return std::nullopt;
    section.tableNumbers = tables->numbers;

    // Without a movement no table has a round to be cut by: every table of the list plays
    // the rounds its results count.
    if (tables->fromMovement && edge && *edge > 0) {
        // Only the leading tables that play the stanza's last round are in play.
        std::optional<QSqlQuery> query = db_.select(
            QStringLiteral("SELECT [Table] FROM RoundData WHERE Round=") + number(*edge) +
            QStringLiteral(" AND Section=") + number(section.ID) + QStringLiteral(" GROUP BY [Table]"));
        if (!query)
            return std::nullopt;
        QSet<qint16> playing;
        while (query->next()) {
            if (const std::optional<qint16> table = fields::toInt16(query->value(0)))
                playing.insert(*table);
        }
        for (int i = 0; i < section.tableNumbers.size(); ++i) {
            const qint16 table = section.tableNumbers.at(i);
            if (table > 0 && !playing.contains(table)) {
                section.tableCount = static_cast<qint16>(i);
                break;
            }
        }
    }
    return section;
}

std::optional<GameData::TableNumbers> GameData::readTableNumbers(const SectionRecord& section,
                                                                 qint32 tableRows) const {
    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT [Table] FROM RoundData WHERE Section=") + number(section.ID) +
                   QStringLiteral(" GROUP BY [Table] ORDER BY [Table] ASC"));
    if (!query)
        return std::nullopt;
    QList<qint16> tables;
    bool anyRow = false;
    while (query->next()) {
        anyRow = true;
        const std::optional<qint16> table = fields::toInt16(query->value(0));
        if (!table || *table < 1) {
            log_.writeLog(0,
                          QStringLiteral("Invalid table number in RoundData of section ") + section.Letter +
                              QStringLiteral(", skipped"),
                          kLoadSource);
            continue;
        }
        if (tables.size() >= tableRows) {
            log_.writeLog(0,
                          QStringLiteral("Table ") + section.Letter + number(*table) +
                              QStringLiteral(" of RoundData has no row in Tables, skipped"),
                          kLoadSource);
            continue;
        }
        tables.append(*table);
    }
    if (!anyRow) {
        for (qint32 t = 1; t <= tableRows; ++t)
            tables.append(static_cast<qint16>(t));
        return TableNumbers{tables, false};
    }
    while (tables.size() < tableRows)
        tables.append(0);
    return TableNumbers{tables, true};
}

bool GameData::followGameTypeInSections() {
    const bool individual = isIndividualGame();
    if (individual == sectionsReadAsIndividual_)
        return true;
    // All sections or none: on a failure every section keeps its numbering, and the next
    // call tries again.
    QList<bool> separate;
    for (const SectionRecord& section : std::as_const(sections_)) {
        const std::optional<bool> answer = separatePairs(numberingScope(section, sections_));
        if (!answer) {
            logDbError(QStringLiteral("Database - hasSeparateNSEWPairs"));
            return false;
        }
        separate.append(*answer);
    }
    for (qsizetype i = 0; i < sections_.size(); ++i)
        sections_[i].separatePairs = separate.at(i);
    sectionsReadAsIndividual_ = individual;
    return true;
}

bool GameData::hasSeparateNSEWPairs(const QString& letters) const {
    std::optional<qint16> scope;
    if (!letters.isEmpty())
        scope = getSectionID(letters);
    const std::optional<bool> separate = separatePairs(scope);
    if (!separate) {
        logDbError(QStringLiteral("Database - hasSeparateNSEWPairs"));
        return false;
    }
    return *separate;
}

std::optional<bool> GameData::separatePairs(std::optional<qint16> sectionId) const {
    // Where four players sit nobody keeps a direction; a section played by pairs is numbered as
    // in a pairs game.
    if (sectionId ? seatsFourPlayers(*sectionId) : eventSeatsFourPlayers())
        return false;
    if (event_.bandedPairNumbering)
        return true;
    const QString section = sectionId ? QStringLiteral(" AND Section=") + number(*sectionId) : QString();

    qint32 movementRows = 0;
    if (!db_.getDBValue(QStringLiteral("SELECT COUNT(NSPair) AS CNT FROM RoundData") +
                            (sectionId ? QStringLiteral(" WHERE Section=") + number(*sectionId) : QString()),
                        QStringLiteral("CNT"), movementRows))
        return std::nullopt;

    // Pair and round of every seat taken, from the movement or else from the stored results;
    // and whether a pair number sits North-South and (anywhere) East-West, found through an
    // IN list, which SQLite builds once, rather than a join of the table with itself.
    QString ns;
    QString ew;
    QString bothDirections;
    if (movementRows >= 1) {
        ns = QStringLiteral("SELECT NSPair,Round FROM RoundData WHERE NSPair>0") + section;
        ew = QStringLiteral("SELECT EWPair,Round FROM RoundData WHERE EWPair>0") + section;
        bothDirections = QStringLiteral("SELECT NSPair FROM RoundData WHERE NSPair>0") + section +
                         QStringLiteral(" AND NSPair IN (SELECT EWPair FROM RoundData WHERE EWPair>0") +
                         section + QLatin1Char(')');
    } else {
        const QString played =
            QStringLiteral(" AND NOT Erased AND (Remarks='' OR Remarks IS NULL) AND (NOT Remarks='' "
                           "OR NOT Contract='')");
        ns = QStringLiteral("SELECT PairNS,Round FROM ReceivedData WHERE PairNS>0") + played + section;
        ew = QStringLiteral("SELECT PairEW,Round FROM ReceivedData WHERE PairEW>0") + played + section;
        const QString noRemark = QStringLiteral(" AND NOT Erased AND (Remarks='' OR Remarks IS NULL)");
        bothDirections = QStringLiteral("SELECT PairNS FROM ReceivedData WHERE PairNS>0") + noRemark +
                         section +
                         QStringLiteral(" AND PairNS IN (SELECT PairEW FROM ReceivedData WHERE PairEW>0") +
                         noRemark + section + QLatin1Char(')');
    }

    const std::optional<qint64> all = countRows(db_, ns + QStringLiteral(" UNION ALL ") + ew);
    const std::optional<qint64> distinct = countRows(db_, ns + QStringLiteral(" UNION ") + ew);
    if (!all || !distinct)
        return std::nullopt;
    // A number seated twice in one round: NS and EW count their pairs independently.
    if (*all != *distinct)
        return true;
    std::optional<QSqlQuery> both = db_.select(bothDirections);
    if (!both)
        return std::nullopt;
    // No pair number ever plays both directions.
    return !both->next();
}

qint16 GameData::getSectionCount() const {
    return static_cast<qint16>(sections_.size());
}

qint16 GameData::getSectionID(const QString& letters) const {
    const QString wanted = letters.trimmed();
    for (const SectionRecord& section : sections_) {
        if (section.Letter == wanted)
            return section.ID;
    }
    return 0;
}

QString GameData::mem_GetSectionLetter(qint16 sectionId) const {
    const SectionRecord* section = findSection(sectionId);
    return section ? section->Letter : QString();
}

bool GameData::mem_GetSectionField(qint16 sectionId) const {
    const SectionRecord* section = findSection(sectionId);
    return section && section->separatePairs;
}

qint16 GameData::getSectionBeginRound(qint16 sectionId) const {
    const SectionRecord* section = findSection(sectionId);
    return section ? section->stanzaBegin : 0;
}

qint16 GameData::getSectionEdgeRound(qint16 sectionId) const {
    const SectionRecord* section = findSection(sectionId);
    return section ? section->stanzaEdge : 0;
}

qint16 GameData::mem_GetSectionListItem(qint16 sectionId, qint16 item, bool byTable) const {
    const SectionRecord* section = findSection(sectionId);
    if (!section || section->tableNumbers.isEmpty())
        return 0;
    if (!byTable)
        return item >= 1 && item <= section->tableNumbers.size() ? section->tableNumbers.at(item - 1) : 0;
    if (item < 1)
        return 0;
    const qsizetype position = section->tableNumbers.indexOf(item);
    return position < 0 ? 0 : static_cast<qint16>(position + 1);
}

} // namespace qzc

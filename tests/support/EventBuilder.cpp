#include "support/EventBuilder.h"

#include "core/DbTransaction.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/ScoreDbSchema.h"
#include "platform/Clock.h"
#include "scoring/ContractScore.h"
#include "support/SharedLayout.h"

#include <QFile>
#include <QHash>
#include <QSet>

namespace qzc::test {

namespace {

using Values = std::vector<std::pair<QString, QVariant>>;

QVariant optionalValue(const std::optional<int>& value) {
    return value ? QVariant(*value) : QVariant();
}

// The contract as results are stored: "4SX" becomes "4 S x", "6HXX" "6 H xx", "3NT" "3 NT".
QString storedContract(const QString& contract) {
    const QString upper = contract.trimmed().toUpper();
    if (upper.isEmpty() || upper == QLatin1String("PASS"))
        return upper;
    QString stored = upper.left(1) + QLatin1Char(' ') + upper.mid(1);
    if (stored.contains(QLatin1String("XX")))
        stored.replace(QLatin1String("XX"), QLatin1String(" xx"));
    else
        stored.replace(QLatin1Char('X'), QLatin1String(" x"));
    return stored;
}

// The default Settings row of a scoring program: feedback on, everything else off.
std::map<QString, QVariant> defaultSharedSettings() {
    std::map<QString, QVariant> row;
    for (const QString& column : sharedSettingsColumns())
        row[column] = 0;
    row[QStringLiteral("ShowResults")] = -1;
    row[QStringLiteral("BM2NextSeatings")] = -1;
    row[QStringLiteral("BM2ResultsOverview")] = 1;
    row[QStringLiteral("BM2PINcode")] = QString();
    return row;
}

class Writer {
public:
    Writer(ScoreDb& db, QString& error) : db_(db), error_(error) {}

    bool insert(const QString& table, const Values& values) {
        QStringList names;
        QStringList marks;
        QVariantList params;
        for (const auto& [name, value] : values) {
            if (!value.isValid())
                continue;
            if (!hasColumn(table, name)) {
                error_ = QStringLiteral("%1 has no column %2").arg(table, name);
                return false;
            }
            names << QLatin1Char('[') + name + QLatin1Char(']');
            marks << QStringLiteral("?");
            // An empty text is stored as such; only an unset value stays Null.
            const bool emptyText = value.typeId() == QMetaType::QString && value.toString().isEmpty();
            params << (emptyText ? QVariant(QStringLiteral("")) : value);
        }
        return exec(QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                        .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                    params);
    }

    bool exec(const QString& sql, const QVariantList& params = {}) {
        if (db_.execSQL(sql, QStringLiteral("EventBuilder"), true, params))
            return true;
        error_ = sql + QStringLiteral(": ") + db_.lastErrorDescription();
        return false;
    }

    bool hasColumn(const QString& table, const QString& column) {
        const QString key = table.toUpper();
        if (!columns_.contains(key)) {
            QSet<QString> names;
            for (const ScoreDb::Column& c : db_.columns(table).value_or(QList<ScoreDb::Column>{}))
                names.insert(c.name.toUpper());
            columns_.insert(key, names);
        }
        return columns_.value(key).contains(column.toUpper());
    }

private:
    ScoreDb& db_;
    QString& error_;
    QHash<QString, QSet<QString>> columns_;
};

} // namespace

ResultRow ResultRow::played(int section, int table, int round, int board, int ns, int ew,
                            const QString& contract, const QString& declarer, int tricks) {
    ResultRow row;
    row.section = section;
    row.table = table;
    row.round = round;
    row.board = board;
    row.pairNs = ns;
    row.pairEw = ew;
    const bool nsDeclares = declarer == QLatin1String("N") || declarer == QLatin1String("S");
    row.declarerNo = nsDeclares ? ns : ew;
    row.nsEw = declarer;
    row.qzDeclarer = declarer;
    const QString stored = storedContract(contract);
    row.contract = stored;
    row.remarks = QString();
    row.leadCard = QString();
    const auto taken = static_cast<qint16>(tricks);
    row.result = formatResultText(stored, taken);
    row.score = calcContractScore(static_cast<qint16>(board), contract, declarer, taken);
    return row;
}

ResultRow ResultRow::scored(int section, int table, int round, int board, int score) {
    ResultRow row = played(section, table, round, board, table, table + 50, QStringLiteral("3NT"),
                           QStringLiteral("N"), 9);
    row.score = score;
    return row;
}

EventBuilder::EventBuilder() : settings_(defaultSharedSettings()) {}

int EventBuilder::addSection(const QString& letter) {
    const int id = static_cast<int>(sections_.size()) + 1;
    sections_.push_back(SectionRow{id, letter, 0, {}, {}, {}});
    return id;
}

void EventBuilder::setMissingPair(int section, int missingPair) {
    for (SectionRow& row : sections_) {
        if (row.id == section)
            row.missingPair = missingPair;
    }
}

void EventBuilder::setStanza(int section, int beginRound, int edgeRound, int ufrMode) {
    for (SectionRow& row : sections_) {
        if (row.id == section) {
            row.stanzaBegin = beginRound;
            row.stanzaEdge = edgeRound;
            row.ufrMode = ufrMode;
        }
    }
}

EventBuilder::TableRow* EventBuilder::findTable(int section, int table) {
    for (TableRow& row : tables_) {
        if (row.section == section && row.table == table)
            return &row;
    }
    return nullptr;
}

void EventBuilder::addTable(int section, int table) {
    if (findTable(section, table) == nullptr)
        tables_.push_back(TableRow{section, table, {}});
}

void EventBuilder::setUpdateFromRound(int section, int table, int round) {
    addTable(section, table);
    findTable(section, table)->updateFromRound = round;
}

int EventBuilder::tableCount(int section) const {
    return static_cast<int>(std::count_if(tables_.begin(), tables_.end(),
                                          [section](const TableRow& row) { return row.section == section; }));
}

void EventBuilder::addRound(const RoundRow& row) {
    addTable(row.section, row.table);
    rounds_.push_back(row);
}

void EventBuilder::addMitchellMovement(int section, int tables, int rounds, int boardsPerRound,
                                       PairNumbering pairs) {
    const int firstEw = pairs.firstEw > 0 ? pairs.firstEw : pairs.firstNs + tables;
    const bool skip = tables % 2 == 0;
    for (int t = 1; t <= tables; ++t) {
        for (int r = 1; r <= rounds; ++r) {
            const int moved = (r - 1) + (skip && r > tables / 2 ? 1 : 0);
            const int ewIndex = (((t - 1) - moved) % tables + tables) % tables;
            const int boardSet = ((t - 1) + (r - 1)) % tables;
            addRound(RoundRow{section, t, r, pairs.firstNs + t - 1, firstEw + ewIndex, 0, 0,
                              boardSet * boardsPerRound + 1, (boardSet + 1) * boardsPerRound});
        }
    }
}

void EventBuilder::addHowellMovement(int section, int pairs, int rounds, int boardsPerRound) {
    // An odd number of pairs plays as one more: the pair that is not there is EW 0.
    const int seated = pairs + pairs % 2;
    const int n = seated - 1;
    const int tables = seated / 2;
    for (int r = 0; r < rounds; ++r) {
        for (int t = 1; t <= tables; ++t) {
            int first;
            int second;
            if (t == 1) {
                first = seated;
                second = r % n + 1;
                // The fixed pair changes direction every round.
                if (r % 2 == 1)
                    std::swap(first, second);
            } else {
                first = (r + t - 1) % n + 1;
                second = ((r - (t - 1)) % n + n) % n + 1;
            }
            // The pairs of a round sum to the same value, so all tables share one set, and
            // every pair meets every set once.
            if (first > pairs)
                std::swap(first, second);
            const int boardSet = (2 * r) % n;
            addRound(RoundRow{section, t, r + 1, first, second > pairs ? 0 : second, 0, 0,
                              boardSet * boardsPerRound + 1, (boardSet + 1) * boardsPerRound});
        }
    }
}

void EventBuilder::addIndividualMovement(int section, int tables, int rounds, int boardsPerRound) {
    for (int t = 1; t <= tables; ++t) {
        for (int r = 1; r <= rounds; ++r) {
            auto seat = [&](int group, int step) {
                return group * tables + ((t - 1) + step * (r - 1)) % tables + 1;
            };
            const int boardSet = (((t - 1) - (r - 1)) % tables + tables) % tables;
            addRound(RoundRow{section, t, r, t, seat(1, 1), seat(2, 2), seat(3, 3),
                              boardSet * boardsPerRound + 1, (boardSet + 1) * boardsPerRound});
        }
    }
}

void EventBuilder::addResult(const ResultRow& row) {
    results_.push_back(row);
}

void EventBuilder::addPlayerName(qint64 id, const QString& name) {
    playerNames_.emplace_back(id, name);
}

void EventBuilder::addPlayerNumber(int section, int table, const QString& direction, const QString& number) {
    playerNumbers_.push_back(PlayerNumberRow{section, table, direction, number, {}, {}});
}

void EventBuilder::addRegisteredPlayer(int section, int table, const QString& direction,
                                       const QString& number, const QString& names, int pair) {
    playerNumbers_.push_back(PlayerNumberRow{section, table, direction, number, names, pair});
}

void EventBuilder::addTerminal(int tqzId, int section, int table) {
    terminals_.push_back(TerminalRow{tqzId, section, table});
}

void EventBuilder::setSetting(const QString& column, const QVariant& value) {
    settings_[column] = value;
}

void EventBuilder::setOwnSetting(const QString& column, const QVariant& value) {
    ownSettings_[column] = value;
}

void EventBuilder::withoutTable(const QString& table) {
    skippedTables_ << table;
}

void EventBuilder::withoutSettingsColumn(const QString& column) {
    skippedSettingsColumns_ << column;
}

void EventBuilder::withoutOwnSchema() {
    ownSchema_ = false;
}

void EventBuilder::withoutOwnSettingsRow() {
    ownSettingsRow_ = false;
}

void EventBuilder::addHandRecord(int section, int board, const QStringList& hands) {
    QStringList holdings;
    for (const QString& hand : hands) {
        QStringList suits = hand.split(QLatin1Char('.'));
        suits.resize(4);
        for (QString& suit : suits)
            holdings << (suit == QLatin1String("-") ? QString() : suit);
    }
    holdings.resize(16);
    handRecords_.emplace_back(section, board, holdings);
}

bool EventBuilder::build(const QString& path) {
    error_.clear();
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));

    SystemClock clock;
    Log log(clock);
    ScoreDb db(log, clock);
    if (!db.open(path)) {
        error_ = QStringLiteral("cannot create ") + path + QStringLiteral(": ") + db.lastErrorDescription();
        return false;
    }
    Writer writer(db, error_);

    for (const LayoutTable& table : sharedLayout()) {
        if (skippedTables_.contains(table.name, Qt::CaseInsensitive))
            continue;
        const QStringList skipped =
            table.name == QLatin1String("Settings") ? skippedSettingsColumns_ : QStringList();
        if (!writer.exec(table.createStatement(skipped)))
            return false;
    }
    if (ownSchema_ && !ScoreDbSchema(db, log).IntegrateScoreDB()) {
        error_ = QStringLiteral("own schema: ") + db.lastErrorDescription();
        return false;
    }

    DbTransaction transaction(db);
    for (const SectionRow& s : sections_) {
        if (!writer.insert(QStringLiteral("Section"),
                           {{QStringLiteral("ID"), s.id},
                            {QStringLiteral("Letter"), s.letter},
                            {QStringLiteral("Tables"), tableCount(s.id)},
                            {QStringLiteral("MissingPair"), s.missingPair},
                            {QStringLiteral("custom_qz_StanazBeginGameRound"), optionalValue(s.stanzaBegin)},
                            {QStringLiteral("custom_qz_StanazEdgeGameRound"), optionalValue(s.stanzaEdge)},
                            {QStringLiteral("custom_qz_UFRmode"), optionalValue(s.ufrMode)}}))
            return false;
    }
    for (const TableRow& t : tables_) {
        if (!writer.insert(QStringLiteral("Tables"),
                           {{QStringLiteral("Section"), t.section},
                            {QStringLiteral("Table"), t.table},
                            {QStringLiteral("LogOnOff"), 2},
                            {QStringLiteral("UpdateFromRound"), t.updateFromRound.value_or(0)}}))
            return false;
    }
    for (const RoundRow& r : rounds_) {
        const bool fourSeats = r.south != 0 || r.west != 0;
        if (!writer.insert(QStringLiteral("RoundData"),
                           {{QStringLiteral("Section"), r.section},
                            {QStringLiteral("Table"), r.table},
                            {QStringLiteral("Round"), r.round},
                            {QStringLiteral("NSPair"), r.nsPair},
                            {QStringLiteral("EWPair"), r.ewPair},
                            {QStringLiteral("South"), fourSeats ? QVariant(r.south) : QVariant()},
                            {QStringLiteral("West"), fourSeats ? QVariant(r.west) : QVariant()},
                            {QStringLiteral("LowBoard"), r.lowBoard},
                            {QStringLiteral("HighBoard"), r.highBoard}}))
            return false;
    }
    for (const ResultRow& r : results_) {
        if (!writer.insert(QStringLiteral("ReceivedData"),
                           {{QStringLiteral("Section"), r.section},
                            {QStringLiteral("Table"), r.table},
                            {QStringLiteral("Round"), r.round},
                            {QStringLiteral("Board"), r.board},
                            {QStringLiteral("PairNS"), r.pairNs},
                            {QStringLiteral("PairEW"), r.pairEw},
                            {QStringLiteral("Declarer"), optionalValue(r.declarerNo)},
                            {QStringLiteral("NS/EW"), r.nsEw},
                            {QStringLiteral("Contract"), r.contract},
                            {QStringLiteral("Result"), r.result},
                            {QStringLiteral("LeadCard"), r.leadCard},
                            {QStringLiteral("Remarks"), r.remarks},
                            {QStringLiteral("DateLog"), r.dateLog},
                            {QStringLiteral("TimeLog"), r.timeLog},
                            {QStringLiteral("Erased"), r.erased ? -1 : 0},
                            {QStringLiteral("custom_qz_score"), optionalValue(r.score)},
                            {QStringLiteral("custom_qz_declarer"), r.qzDeclarer},
                            {QStringLiteral("South"), optionalValue(r.south)},
                            {QStringLiteral("West"), optionalValue(r.west)}}))
            return false;
    }
    for (const auto& [id, name] : playerNames_) {
        if (!writer.insert(QStringLiteral("PlayerNames"),
                           {{QStringLiteral("ID"), id}, {QStringLiteral("Name"), name}}))
            return false;
    }
    for (const PlayerNumberRow& p : playerNumbers_) {
        if (!writer.insert(QStringLiteral("PlayerNumbers"), {{QStringLiteral("Section"), p.section},
                                                             {QStringLiteral("Table"), p.table},
                                                             {QStringLiteral("Direction"), p.direction},
                                                             {QStringLiteral("Number"), p.number},
                                                             {QStringLiteral("custom_qz_names"), p.names},
                                                             {QStringLiteral("custom_qz_pair"), p.pair}}))
            return false;
    }
    for (const auto& [section, board, holdings] : handRecords_) {
        Values row{{QStringLiteral("Section"), section}, {QStringLiteral("Board"), board}};
        int column = 0;
        for (const char* hand : {"North", "East", "South", "West"}) {
            for (const char* suit : {"Spades", "Hearts", "Diamonds", "Clubs"})
                row.emplace_back(QString::fromLatin1(hand) + QLatin1String(suit), holdings.at(column++));
        }
        if (!writer.insert(QStringLiteral("HandRecord"), row))
            return false;
    }
    for (const TerminalRow& t : terminals_) {
        if (!writer.insert(QStringLiteral("custom_qz_TQZ"), {{QStringLiteral("TQZ_ID"), t.tqzId},
                                                             {QStringLiteral("Section"), t.section},
                                                             {QStringLiteral("Table"), t.table},
                                                             {QStringLiteral("ResultExpected"), 0},
                                                             {QStringLiteral("ResultGot"), 0},
                                                             {QStringLiteral("VersionMajor"), 3},
                                                             {QStringLiteral("VersionMinor"), 0},
                                                             {QStringLiteral("Lock"), 0}}))
            return false;
    }
    if (!skippedTables_.contains(QStringLiteral("Settings"), Qt::CaseInsensitive)) {
        Values row;
        for (const auto& [column, value] : settings_) {
            if (!skippedSettingsColumns_.contains(column, Qt::CaseInsensitive))
                row.emplace_back(column, value);
        }
        if (!writer.insert(QStringLiteral("Settings"), row))
            return false;
    }
    if (!ownSettings_.empty() && !ownSchema_) {
        error_ = QStringLiteral("own settings need the own schema");
        return false;
    }
    for (const auto& [column, value] : ownSettings_) {
        if (!writer.hasColumn(QStringLiteral("custom_qz_Settings"), column)) {
            error_ = QStringLiteral("custom_qz_Settings has no column ") + column;
            return false;
        }
        if (!writer.exec(QStringLiteral("UPDATE custom_qz_Settings SET [%1]=?").arg(column), {value}))
            return false;
    }
    if (ownSchema_ && !ownSettingsRow_ && !writer.exec(QStringLiteral("DELETE FROM custom_qz_Settings")))
        return false;
    if (!transaction.commit()) {
        error_ = QStringLiteral("commit failed");
        return false;
    }
    db.closeDatabase();
    return true;
}

} // namespace qzc::test

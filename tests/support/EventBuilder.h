#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace qzc::test {

/// One row of the movement: who sits at a table in a round and which boards it plays.
struct RoundRow {
    int section = 0;
    int table = 0;
    int round = 0;
    int nsPair = 0;
    int ewPair = 0;
    /// South and West players of an individual game; 0 in a pairs game.
    int south = 0;
    int west = 0;
    int lowBoard = 0;
    int highBoard = 0;
};

/// One stored board result as the shared ReceivedData table holds it. Values left unset
/// (an invalid QVariant, an empty optional) stay Null, as an older program or a scoring
/// program leaves them; a text, even an empty one, is stored as text.
struct ResultRow {
    int section = 0;
    int table = 0;
    int round = 0;
    int board = 0;
    int pairNs = 0;
    int pairEw = 0;
    /// The declaring player's number; unset when the result has none.
    std::optional<int> declarerNo;
    /// The declarer's seat letter in the shared [NS/EW] column.
    QVariant nsEw;
    /// As stored: "4 S x", "3 NT", "PASS", or empty for a remark.
    QVariant contract;
    QVariant result;
    QVariant leadCard;
    QVariant remarks;
    QString dateLog = QStringLiteral("2026-12-07");
    QString timeLog = QStringLiteral("19:45:00");
    bool erased = false;
    std::optional<int> score;
    QVariant qzDeclarer;
    std::optional<int> south;
    std::optional<int> west;

    /// A played result in the stored form: contract text such as "4SX" or "3NT", declarer
    /// letter, tricks taken by the declaring side; score and own declarer filled in.
    static ResultRow played(int section, int table, int round, int board, int ns, int ew,
                            const QString& contract, const QString& declarer, int tricks);
    /// 3NT by North of pairs table and table + 50, stored with the given North-South score.
    static ResultRow scored(int section, int table, int round, int board, int score);
};

/// Pair numbers of a two-field movement.
struct PairNumbering {
    int firstNs = 1;
    /// 0: right after the last NS pair.
    int firstEw = 0;
};

/// Builds score databases of the shared layout: the scoring program's tables, the
/// program's own schema (created by the program's own integration code, unless switched
/// off) and the event's rows. Used by the tests, the benchmarks and the sample-event tool.
class EventBuilder {
public:
    EventBuilder();

    /// A new section with the next free ID (1, 2, ...); returns the ID.
    int addSection(const QString& letter);
    void setMissingPair(int section, int missingPair);
    /// Stanza rounds and mode of a section (own columns).
    void setStanza(int section, int beginRound, int edgeRound, int ufrMode = 0);
    /// A row of Tables; added by the movement helpers for every table they use.
    void addTable(int section, int table);
    void setUpdateFromRound(int section, int table, int round);
    void addRound(const RoundRow& row);

    /// NS pairs stay, EW pairs move up a table and the boards down a table each round
    /// (EW skip a table halfway with an even number of tables). Rounds at most tables, at most
    /// tables - 1 with an even number of tables.
    void addMitchellMovement(int section, int tables, int rounds, int boardsPerRound,
                             PairNumbering pairs = {});
    /// An all-play-all of pairs on (pairs + 1) / 2 tables, all tables of a round on one board
    /// set (the boards duplicated); pairs change direction. With an odd number of pairs the
    /// pair that sits out keeps table 1 with EW 0. Rounds at most pairs - 1 (pairs if odd).
    void addHowellMovement(int section, int pairs, int rounds, int boardsPerRound);
    /// Four players per table (North, East, South, West), all but North moving, the boards
    /// moving down a table. With 5 or 7 tables nobody plays a board twice.
    void addIndividualMovement(int section, int tables, int rounds, int boardsPerRound);

    void addResult(const ResultRow& row);
    void addPlayerName(qint64 id, const QString& name);
    /// A registered player at a seat (direction "N", "E", "S" or "W").
    void addPlayerNumber(int section, int table, const QString& direction, const QString& number);
    /// A registered player at a seat with the names and pair number that the program stores
    /// (custom_qz_names, custom_qz_pair).
    void addRegisteredPlayer(int section, int table, const QString& direction, const QString& number,
                             const QString& names, int pair);
    /// One board's hand record: the hands of north, east, south and west, each its spades,
    /// hearts, diamonds and clubs joined by "." ("AKQ.T98.-.J2", "-" or nothing for a void).
    void addHandRecord(int section, int board, const QStringList& hands);
    /// A terminal bound to a table (custom_qz_TQZ).
    void addTerminal(int tqzId, int section, int table);

    /// A column of the scoring program's Settings row (yes/no columns take 0 or -1).
    void setSetting(const QString& column, const QVariant& value);
    /// A column of the program's own custom_qz_Settings row.
    void setOwnSetting(const QString& column, const QVariant& value);

    /// Leaves a shared table out of the database.
    void withoutTable(const QString& table);
    /// Leaves a column out of the Settings table.
    void withoutSettingsColumn(const QString& column);
    /// No own tables and no own columns: the database as an older program left it.
    void withoutOwnSchema();
    /// The own settings table without its row.
    void withoutOwnSettingsRow();

    /// Writes the database to path (an earlier file there is replaced). False with
    /// lastError() when a row cannot be written.
    bool build(const QString& path);
    const QString& lastError() const { return error_; }

    int tableCount(int section) const;
    /// The movement rows added so far, in their order.
    const std::vector<RoundRow>& rounds() const { return rounds_; }

private:
    struct SectionRow {
        int id = 0;
        QString letter;
        int missingPair = 0;
        std::optional<int> stanzaBegin;
        std::optional<int> stanzaEdge;
        std::optional<int> ufrMode;
    };
    struct TableRow {
        int section = 0;
        int table = 0;
        std::optional<int> updateFromRound;
    };
    struct PlayerNumberRow {
        int section = 0;
        int table = 0;
        QString direction;
        QString number;
        /// Own columns; unset stays Null.
        QVariant names;
        QVariant pair;
    };
    struct TerminalRow {
        int tqzId = 0;
        int section = 0;
        int table = 0;
    };

    TableRow* findTable(int section, int table);

    std::vector<SectionRow> sections_;
    std::vector<TableRow> tables_;
    std::vector<RoundRow> rounds_;
    std::vector<ResultRow> results_;
    std::vector<std::pair<qint64, QString>> playerNames_;
    std::vector<PlayerNumberRow> playerNumbers_;
    std::vector<TerminalRow> terminals_;
    /// Section, board and the sixteen holdings, north's spades first.
    std::vector<std::tuple<int, int, QStringList>> handRecords_;
    std::map<QString, QVariant> settings_;
    std::map<QString, QVariant> ownSettings_;
    QStringList skippedTables_;
    QStringList skippedSettingsColumns_;
    bool ownSchema_ = true;
    bool ownSettingsRow_ = true;
    QString error_;
};

} // namespace qzc::test

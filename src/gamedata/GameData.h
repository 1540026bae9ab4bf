#pragma once

#include "core/StanzaState.h"
#include "gamedata/GameDataTypes.h"
#include "gamedata/ResultProgress.h"
#include "gamedata/TerminalRows.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

class QSqlRecord;

namespace qzc {

class Clock;
class GameSettings;
class Log;
class ScoreDb;
class SectionDealInput;
struct EventInfo;
struct ResultEntry;

/// The event's game data: the sections and the movement in memory with their lookups, the
/// board index and the movement blocks for the terminals, and the procedures on the score
/// database that keep terminals bound to tables and store, count and query board results.
///
/// The data in memory is rebuilt whole by its loaders, always in this order:
/// loadsectiondata, loadrounddata, then preloadMovementMessage; between two loads only
/// followMovementSettings changes it, to follow saved settings. Table ids are the letter(s)
/// of a section followed by the table number ("A12"). Nothing here throws; failures are
/// logged and come back as values.
class GameData {
public:
    /// markTQZno answers.
    static constexpr qint16 loginFailed = 0;
    static constexpr qint16 loginGranted = 2;
    static constexpr qint16 tableBusy = 4;
    static constexpr qint16 tableUnknown = 8;

    /// Capacities of the data in memory.
    static constexpr int maxSections = 100;
    static constexpr qint16 maxBoardNumber = 63;
    /// Offset of the last byte a movement block may use.
    static constexpr int maxBlockOffset = 1560;
    /// Sections that fit the game status of a terminal.
    static constexpr int maxStatusSections = 18;

    GameData(ScoreDb& db, Log& log, const GameSettings& settings, const EventInfo& event, const Clock& clock);

    // ---- Sections in memory -------------------------------------------------------------

    /// Replaces sectionList from the Section, Tables and RoundData tables.
    void loadsectiondata();
    /// True when the pairs of the section (empty letters: of the whole event) keep one
    /// direction for the whole game, so that NS and EW form separate fields; never where four
    /// players sit (seatsFourPlayers). Read from the database at each call: the numbering the
    /// terminals are told at login.
    bool hasSeparateNSEWPairs(const QString& letters) const;
    qint16 getSectionCount() const;
    /// The ID of the first section whose letters equal the trimmed argument (exact case);
    /// 0 when none.
    qint16 getSectionID(const QString& letters) const;
    QString mem_GetSectionLetter(qint16 sectionId) const;
    /// separatePairs of the section, for the game type in force since the last load or
    /// followMovementSettings; false when it is unknown.
    bool mem_GetSectionField(qint16 sectionId) const;
    qint16 getSectionBeginRound(qint16 sectionId) const;
    qint16 getSectionEdgeRound(qint16 sectionId) const;
    /// byTable false: the table number at position item (from 1) of the section's tables.
    /// byTable true: the position of table number item. 0 when there is no such entry.
    qint16 mem_GetSectionListItem(qint16 sectionId, qint16 item, bool byTable) const;
    const QList<SectionRecord>& sectionList() const { return sections_; }

    // ---- Movement in memory -------------------------------------------------------------

    /// Replaces movementRows and the board index from RoundData (rounds up to each
    /// section's stanza edge, tables of the section's table list) and recounts the
    /// ResultExpected and ResultGot counters of custom_qz_TQZ. Needs sectionList.
    void loadrounddata();
    /// Ordered by section, table and round; each row's play fixed for the game type.
    const std::vector<MovementRow>& movementRows() const { return rows_; }
    /// The rows that hold board (1 to 63), with the pairs that meet on it and whether they
    /// play it; nullptr for a board that no row names.
    const BoardIndexEntry* boardIndex(qint16 board) const;
    /// The highest board number of the index; 0 when it is empty.
    qint16 boardIndexSize() const { return static_cast<qint16>(boardIndex_.size()); }

    // ---- Movement lookups ---------------------------------------------------------------

    /// True in an individual game (custom_qz_gametype 1): four players a table, South and
    /// West seats of their own.
    bool isIndividualGame() const;
    /// Four players sit at each row of the section's movement, South and West in seats of their
    /// own: an individual game, unless the section's movement (its rows of RoundData, as last
    /// loaded) names no South or West player: such a section is played by pairs, whatever the
    /// game type. A section without a movement seats four players in an individual game.
    /// Every reader that numbers, seats, names or recaps a section's players asks this.
    bool seatsFourPlayers(qint16 sectionId) const;
    bool mem_HasRound(qint16 sectionId) const;
    qint16 mem_GetMaxRound(qint16 sectionId) const;
    /// The round in which the table plays board with these pairs (and, when either is
    /// given, South and West); 0 when none. Only a row that takes entries is found: a sit-out
    /// is not, a row that seats no one is (its boards are stored as not played).
    qint16 mem_GetRound(const QString& tableId, qint16 nsPair, qint16 ewPair, qint16 board, qint16 south,
                        qint16 west) const;
    /// The round in which the table plays board, where its bidding and play are filed; 0
    /// when none. A table that plays the board in one round: that round, when it is not before
    /// its section's begin round nor before the earliest round the table has a result stored
    /// for. A table that plays it in several rounds (a movement in which the boards stay, or
    /// one changed mid-game): the round being played, as the table's stored results (and the
    /// bidding and play of a board left without one) show (roundBeingPlayed); when they settle
    /// none, as for one round. A row that plays the board is found first; a row that seats no
    /// one only when none plays it; a sit-out never.
    qint16 mem_GetNextRound(const QString& tableId, qint16 board) const;
    /// The rounds findResultPlace looks in beyond the movement in memory: those of the stanza
    /// under way (what a terminal may enter), or every round of the evening (a correction by
    /// the director, a result rebuilt from the log).
    enum class PlaceRounds { Stanza, Evening };
    /// Where a result of board sent by the table is filed, found in this order:
    /// 1. the movement in memory: the row that seats exactly these numbers (mem_GetRound);
    /// 2. a changed movement not yet taken up: the table's row of RoundData that seats these
    ///    numbers with no seat empty, in a round whose row in memory holds the board (the
    ///    boards its terminal was given);
    /// 3. the round under way: the latest round whose row in memory holds the board and whose
    ///    stored results show that these numbers played it (roundSeating).
    /// Steps 2 and 3 look in the rounds that rounds names. Numbers are compared as sent
    /// (banded: a movement number converts to the number sent), South and West only when
    /// either was sent. Nothing when none places the result.
    std::optional<ResultPlace> findResultPlace(const QString& tableId, qint16 board, const ResultSeats& seats,
                                               PlaceRounds rounds = PlaceRounds::Stanza) const;
    /// Who played (or plays) the table's round, and board there: the seats of the table's
    /// stored results of the round where it has some, else those of its row in the movement in
    /// memory; nothing when neither. Of the stored results: the board's own result first; else
    /// the seating that those naming both pairs name; where they name several (the scoring
    /// program changed the round under way, or a section without a movement counted two
    /// seatings into one round), who sits there now (seatedNow); where none names both pairs,
    /// the lowest board's.
    /// Whatever shows, corrects, places or counts a stored result reads this one answer.
    std::optional<RoundSeating> roundSeating(const QString& tableId, qint16 round, qint16 board = 0) const;
    /// The round in which the table played board with these seats (South and West compared
    /// only when either is given): the round of its stored result of the board under them,
    /// else of its row holding the board whose roundSeating they are and plays; 0 when none.
    qint16 playedRound(const QString& tableId, qint16 board, const SeatNumbers& seats) const;
    /// "3/10" (individual game "1/5/9/13"), "---" for an empty seat; South and West only in
    /// an individual game and when both are filled.
    QString seatingText(const SeatNumbers& seats) const;
    /// The round of the table's bidding and play of board, found as its result is: the row
    /// in memory (mem_GetNextRound), else a row of RoundData not yet taken up, else the round
    /// under way, whoever sits there. 0 when none.
    qint16 findBoardRound(const QString& tableId, qint16 board) const;
    /// "3/10" (individual game "1/5/9/13"), "---" for an empty seat; empty when none.
    QString mem_GetTablePairs(const QString& tableId, qint16 round) const;
    /// The table's row of the round; nullptr when none.
    const MovementRow* mem_GetTableRow(const QString& tableId, qint16 round) const;
    /// The seats of mem_GetTablePairs as numbers: an empty seat, or one the text leaves out, is 0.
    SeatNumbers mem_GetTableSeats(const QString& tableId, qint16 round) const;
    /// The number a seat of the table keeps (PlayerNumbers.custom_qz_pair): who sits there in
    /// round 1, where four players sit (seatsFourPlayers) the seat's own player, where pairs
    /// play the pair of its line (North and South the NS pair, East and West the EW pair).
    /// direction "N", "E", "S" or "W", blanks and case ignored; 0 for another direction or a
    /// seat nobody holds.
    qint16 mem_GetSeatNumber(const QString& tableId, const QString& direction) const;
    /// "A5NS", "B3E" (a seat of its own where four players sit, seatsFourPlayers); "Out" when
    /// the number does not play in the round; empty when the round or the number is 0 or less.
    QString mem_GetPairSeat(qint16 sectionId, qint16 round, qint16 number, const QString& seat) const;
    /// The boards of the round (0: of all rounds), joined with ","; empty when none.
    QString mem_GetBoardList(const QString& tableId, qint16 round) const;
    /// The one other table that plays board in the round; 0 none; -1 two or more.
    qint16 mem_GetBoardSet(qint16 sectionId, qint16 round, qint16 board, qint16 table) const;
    /// A pair (or player) that plays in round + 1 but not in round: the index-th of them,
    /// or the only one; 0 when none. direction "NS", "EW" or empty.
    qint16 mem_GetSitoutPair(qint16 sectionId, qint16 round, const QString& direction, qint16 index) const;
    /// The table where number sits in the round, 0 when absent; seatCode becomes 0 not
    /// found, 1 North/NS, 2 East/EW, 3 South, 4 West (South and West only where four players
    /// sit, seatsFourPlayers).
    qint16 mem_GetPairPosition(qint16 sectionId, qint16 round, qint16 number, const QString& direction,
                               qint16& seatCode) const;
    /// True when the hand records of the board set are incomplete and the table has not
    /// yet stored a result for its first board.
    bool DB_Ask_dealInput(qint16 sectionId, qint16 table, qint16 firstBoard, qint16 boardCount) const;
    /// True when this table, in this round, is the first to play the board set that
    /// begins with firstBoard; a row with an empty seat plays no board and never counts.
    bool mem_Round_dealInput(qint16 sectionId, qint16 table, qint16 firstBoard, qint16 round) const;
    /// The number of rounds of the table (table 0: of the section's first table) in
    /// RoundData.
    qint16 getRoundTotal(qint16 sectionId, qint16 table) const;

    // ---- Movement blocks for the terminals ----------------------------------------------

    /// Rebuilds the movement block of every table of every section.
    void preloadMovementMessage();
    /// Puts saved settings that shape the movement in force before the next terminal asks:
    /// each section's NS/EW numbering, each row's play and the board index follow the game
    /// type, and then the blocks are rebuilt when they were built under another game type,
    /// numbering or board matrix setting (blocks not built yet are left to their first build).
    /// When the numbering cannot be read again, nothing follows the game type but the blocks'
    /// record layout, and the next call (the next analysis at the latest) tries again. True
    /// when the game data now follows a game type it did not follow before.
    bool followMovementSettings();
    /// A copy of the table's block; the single byte 0 when it has none. Terminals of the
    /// older firmware (below 3.20) get the deal-entry board in byte 1.
    QByteArray getMovementFromMemory(const QString& tableId, qint16 versionMajor, qint16 versionMinor) const;
    const std::vector<MovementMessage>& movementMessages() const { return messages_; }

    // ---- Terminal-to-table link ---------------------------------------------------------

    /// Creates or resets the terminal's row (unbound) with its firmware version.
    bool registerTQZ(qint32 tqzId, qint16 versionMajor, qint16 versionMinor);
    /// Logs the table in: loginGranted, tableBusy, tableUnknown or loginFailed.
    qint16 markTQZno(const QString& tableId, bool force);
    bool isTableInSection(const QString& tableId) const;
    /// "Section=" id " AND [Table]=" number: the condition of one table's rows.
    QString sqlSectionTable(const QString& tableId) const;
    /// Binds the terminal to the table (logging off the table it held before) and sets the
    /// table's counters; false when another terminal holds the table or the database
    /// refused the change.
    bool markTQZTableNo(qint32 tqzId, const QString& tableId, bool force, qint16 versionMajor);
    /// Unbinds every terminal of the table; with logOff the table is logged off first.
    bool clearTableLogin(const QString& tableId, bool logOff);
    /// Locks the binding of the table's terminal.
    bool lockTQZTable(const QString& tableId);
    /// The table the terminal is bound to and its firmware version.
    TerminalBinding getTQZTableLabel(qint32 tqzId);
    /// The bound terminals (section, table and id above 0) that expect results, and how
    /// many of them have got all they expect.
    TerminalCompletion countCompleteTerminals();

    // ---- Result intake and storage ------------------------------------------------------

    /// Stores one board result of the table (replacing the earlier result of the same
    /// pairs and board and, with the movement in memory, whatever the table holds for the
    /// board in that round) with its score, or erases it when the record holds nothing, and
    /// sets the terminal's ResultGot to the recount; all in one transaction. Every stored row
    /// gets a new ID; one that replaces a result stored in the same round keeps that result's
    /// place in the order in which results first came (custom_qz_firstid; the earliest,
    /// should two go). With shown, a correction of the result the director was shown (as
    /// getBoardResult read it under these seats; a cleared record: the board had none there):
    /// read again once the write lock is held, it must still be the one stored, else nothing
    /// is written (Outdated); and it replaces that row alone, not a row of other pairs.
    MarkResultOutcome markResult(const QString& tableId, const ResultEntry& record, qint16 round,
                                 qint16 nsPair, qint16 ewPair, qint16 south, qint16 west,
                                 const ResultEntry* shown = nullptr);
    /// Reads the stored result of the board into record and gives the seats it is stored
    /// under; nothing (record unchanged) when there is none. Where the table's round holds the
    /// board under several pairs, the newest row (DateLog, TimeLog, then the higher ID), as
    /// roundSeating picks it; with under, the row stored under those seats (South and West
    /// compared when either is above 0).
    std::optional<SeatNumbers> getBoardResult(const QString& tableId, qint16 round, qint16 board,
                                              ResultEntry& record,
                                              const std::optional<SeatNumbers>& under = std::nullopt) const;
    /// Results of the table that count as played, over all rounds.
    qint16 countTableResultsPlayed(const QString& tableId) const;
    /// Deletes the section's results from round on, within the caller's transaction when
    /// one is open; false for a round below 1 or a failed delete.
    bool tableClearResult(qint16 round, qint16 sectionId);

    // ---- Result completeness and queries ------------------------------------------------

    /// True when the section (ID above 0: the tables that have a terminal) or the one
    /// table of tableId (section ID 0) has every result of rounds first to last.
    bool DB_check_BoardResult(qint16 sectionId, qint16 lastRound, const QString& tableId,
                              qint16 firstRound) const;
    /// True when the table's section has every result of its current stanza on the tables
    /// that have a terminal.
    bool checkResultProgress(const QString& tableId) const;
    /// The boards with a result in the round, each once, joined with ","; upTo: up to the
    /// round, a board stored in two rounds listed twice.
    QString getPlayedBoardList(const QString& tableId, qint16 round, bool upTo) const;
    qint16 getMaxRound(const QString& tableId) const;
    /// Section ID below 0: over all sections.
    qint16 getSectionMaxRound(qint16 sectionId) const;
    /// One fixed-width line per result of the board in the section, sorted by sortKey:
    /// its size picks the column (1 NS, 2 EW, 3 table, 5 scale points, else score), its
    /// sign the direction (below 1 descending).
    QString getBoardResultText(qint16 board, qint16 sectionId, qint16 sortKey) const;

    // ---- Stanzas and set-up flags --------------------------------------------------------

    /// Whether the section is ready for its next stanza: no round after the stanza's edge;
    /// ready when every result of the stanza is in and no table with a terminal and a
    /// pending set-up still owes results; else results owed.
    StanzaState getSectionStanzaState(qint16 sectionId) const;
    /// True when the table's terminal must load its set-up again (custom_qz_loadsetup=1).
    bool getLoadSetupTables(const QString& tableId) const;
    /// Sets (clear false) or clears the set-up flag of every table of the section (ID 1 or
    /// more), else of the one table (which must have a terminal to be set; clearing it also
    /// clears its UpdateFromRound, unless the analysis is still to decide the section's
    /// movement change), else of every table of the event. A table id of an unknown section
    /// writes nothing. False when nothing was written or the write failed.
    bool setflagloadsetup(bool clear, const QString& tableId, qint16 sectionId);

    // ---- Section lists and labels -------------------------------------------------------

    /// The section choice of the main window, in the text order of the letters.
    QList<SectionListEntry> fillSectionList() const;
    /// The section numbers of a terminal's game status; nothing when Section cannot be
    /// read.
    std::optional<SectionNumberList> getSectionLetters() const;
    /// The trimmed letter(s) of the section in the database; empty when unknown.
    QString getSectionLetter(qint16 sectionId) const;

private:
    /// The settings that a movement block is built under.
    struct BlockSettings {
        bool individual = false;
        bool showBoardMatrix = false;
        /// The game type the sections' numbering was read for (sectionsReadAsIndividual_).
        bool numberingReadAsIndividual = false;
        bool operator==(const BlockSettings&) const = default;
    };
    struct RowRange {
        int first = 0;
        int end = 0;
    };

    const SectionRecord* findSection(qint16 sectionId) const;
    RowRange sectionRows(qint16 sectionId) const;
    const std::vector<int>* roundRows(qint16 sectionId, qint16 round) const;
    const std::vector<int>* tableRows(const QString& tableId) const;
    void indexRows();
    /// Rebuilds the board index from the rows, as each row's play says.
    void indexBoards();
    /// Reads each section's NS/EW numbering (followGameTypeInSections), then each row's play
    /// and the board index, again when the game type is no longer the one they were read for.
    /// When the numbering cannot be read, nothing changes. True when they were read again.
    bool followGameType();
    /// Reads each section's separatePairs again, as a load would, when the game type is no
    /// longer the one it was read for; on a database failure (logged) keeps it and returns
    /// false.
    bool followGameTypeInSections();
    /// The blocks of every table, for the settings in force.
    void buildMovementMessages();
    /// hasSeparateNSEWPairs of one section (nothing: of the whole event); nothing when the
    /// database fails.
    std::optional<bool> separatePairs(std::optional<qint16> sectionId) const;
    /// One section of the Section table; nothing when the database fails.
    std::optional<SectionRecord> readSection(const QSqlRecord& row, const QList<SectionRecord>& loaded) const;
    /// A section's table numbers, and whether its movement gave them (else 1 to its rows of
    /// Tables).
    struct TableNumbers {
        QList<qint16> numbers;
        bool fromMovement = false;
    };
    std::optional<TableNumbers> readTableNumbers(const SectionRecord& section, qint32 tableRows) const;
    /// Of the rounds (ascending) in which the table plays board, the one being played, by the
    /// table's stored results, erased or not: the table is in its latest round with a result
    /// while it has not played every board of it (stillInRound), and moves on once it has. So
    /// the round is the first at or after that latest round in which the board has no result
    /// yet (bidding and play before the result), or that latest round itself while the table
    /// is still in it; else the latest round in which the board has its result (bidding and
    /// play sent after it). 0 when none of them is; also when the database fails (logged).
    qint16 roundBeingPlayed(const QString& tableId, qint16 board, const std::vector<qint16>& playedIn) const;
    /// The table has not played every board of its row of round: one has no result stored
    /// (withResult lists those that have one) and no bidding or play filed there. Nothing when
    /// the database fails.
    std::optional<bool> stillInRound(const QString& tableId, qint16 round,
                                     const QSet<qint16>& withResult) const;
    /// Steps 2 and 3 of findResultPlace and findBoardRound (sent: nothing for any numbers).
    std::optional<ResultPlace> placeOutsideMemory(const QString& tableId, qint16 board,
                                                  const std::optional<ResultSeats>& sent,
                                                  PlaceRounds rounds) const;
    /// The seats of the table's stored results of the round, as roundSeating picks them;
    /// nothing when it has none there or the database fails.
    std::optional<SeatNumbers> storedRoundSeats(const QString& tableId, qint16 round, qint16 board) const;
    /// Where a stored row stands in the order in which results first came: the ID its result
    /// first had (custom_qz_firstid, copied to each correction), else its own ID (a result as
    /// it first came, or a row another program wrote), given the row's ID and that column.
    static qint64 firstCameOrder(const QVariant& id, const QVariant& firstId);
    /// A seating that stored results of a round name, and where the latest of them stands in
    /// the order in which results first came (firstCameOrder).
    struct StoredSeating {
        SeatNumbers seats{};
        qint64 latestId = 0;
    };
    /// Who sits at the table in a round whose stored results name several seatings: its row
    /// as the movement now stands (of RoundData, a change waiting or taken up; the row in
    /// memory only where RoundData has none), as the stored seating that names its pairs,
    /// else its own seats when it plays boards. Where no row seats both pairs, the seating of
    /// the round's latest result.
    SeatNumbers seatedNow(const QString& tableId, qint16 round,
                          const std::vector<StoredSeating>& seatings) const;
    /// The rounds that stored results show a table played (a result with both pairs), of the
    /// section (0: of every section), as playedRoundKey gives them.
    QSet<quint64> roundsPlayed(qint16 sectionId) const;
    static quint64 playedRoundKey(qint16 sectionId, qint16 table, qint16 round);
    /// A row owes the results of its boards when it takes entries, or when the table's stored
    /// results show it played the round (played: roundsPlayed).
    static bool owesResults(const MovementRow& row, const QSet<quint64>& played);
    /// The results the table owes in the movement in memory (owesResults).
    qint32 resultsExpected(qint16 sectionId, qint16 table, const QSet<quint64>& played) const;
    /// mem_GetBoardSet; with onlyRowsThatPlay, a row with an empty seat does not count.
    qint16 otherTableWithBoard(qint16 sectionId, qint16 round, qint16 board, qint16 table,
                               bool onlyRowsThatPlay) const;
    BlockSettings blockSettings() const;
    /// dealInput: the deal-input answers of the section, shared by its tables.
    MovementMessage buildMovementMessage(const SectionRecord& section, qint16 table, bool individual,
                                         bool showBoardMatrix, SectionDealInput& dealInput) const;
    /// DB_Ask_dealInput from the section's answers, or from the database when they cannot be
    /// read.
    bool askDealInput(SectionDealInput& dealInput, qint16 table, qint16 firstBoard, qint16 boardCount) const;
    bool clearTableLogin(qint16 sectionId, qint16 table, bool logOff);
    /// Sets ResultGot of the table's terminal to the count of its results; the count
    /// written, nothing when the database failed.
    std::optional<qint32> refreshResultGot(qint16 sectionId, qint16 table, const QString& label);
    void logDbError(const QString& source) const;

    ScoreDb& db_;
    Log& log_;
    const GameSettings& settings_;
    const EventInfo& event_;
    const Clock& clock_;

    QList<SectionRecord> sections_;
    std::vector<MovementRow> rows_;
    /// Index of board b at b - 1.
    std::vector<BoardIndexEntry> boardIndex_;
    /// Tables a board's entry lists at most: the rows of Tables of the event.
    qint32 boardSlots_ = 1;
    /// The game type the sections' separatePairs was read for.
    bool sectionsReadAsIndividual_ = false;
    /// The game type the rows' play was read for.
    bool playReadAsIndividual_ = false;
    /// Which sections have a movement and which of them name a South or West player: read from
    /// RoundData by either load (the sections are loaded before the movement, and their
    /// numbering asks seatsFourPlayers).
    struct MovementSeats {
        QSet<qint16> withMovement;
        QSet<qint16> namingSouthWest;
        void add(qint16 sectionId, qint16 south, qint16 west);
    };
    /// RoundData's MovementSeats; nothing when the database fails.
    std::optional<MovementSeats> readMovementSeats() const;
    /// seatsFourPlayers of the whole event: an individual game, unless the event's movement names
    /// no South or West player.
    bool eventSeatsFourPlayers() const;
    MovementSeats movementSeats_;
    std::vector<MovementMessage> messages_;
    /// The settings of the last build of the blocks; nothing before the first.
    std::optional<BlockSettings> blocksBuiltUnder_;
    QHash<QString, int> messageByTable_;
    QHash<qint16, RowRange> sectionRanges_;
    QHash<quint32, std::vector<int>> roundIndex_;
    QHash<QString, std::vector<int>> tableIndex_;

    // What terminal requests read again and again, kept while the database is unchanged.
    TerminalRows terminalRows_;
    mutable ResultProgress progress_;
};

} // namespace qzc

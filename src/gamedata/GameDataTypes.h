#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

namespace qzc {

/// One section of the event in memory.
struct SectionRecord {
    qint16 ID = 0;
    /// Section.Letter without blanks around it.
    QString Letter;
    /// Tables in play: the section's rows of Tables, cut to the leading tables that play
    /// the stanza's last round.
    qint16 tableCount = 0;
    /// The section's rows of Tables when the list was loaded, before that cut.
    qint16 tableRows = 0;
    /// The pairs keep one direction for the whole game (NS and EW are separate fields).
    /// Never where four players sit (GameData::seatsFourPlayers): read at the load and again
    /// when a saved game type comes in force (GameData::followMovementSettings).
    bool separatePairs = false;
    qint16 missingPair = 0;
    qint16 stanzaBegin = 0;
    qint16 stanzaEdge = 0;
    /// The section's table numbers, ascending; trailing 0 entries count as no table.
    QList<qint16> tableNumbers;
};

/// The numbers of a table's four seats: NS pair (North), EW pair (East), South, West.
using SeatNumbers = std::array<qint16, 4>;

/// How a row of the movement takes part in play, fixed when the row is read (rowPlay).
enum class RowPlay {
    /// Every seat is filled: the row plays its boards.
    Boards,
    /// Someone sits at the row but a seat is empty: it holds its boards without playing them.
    SitOut,
    /// No one sits at the row: it plays no board, and what is entered for its boards is
    /// stored as not played.
    NoOne,
};

/// One row of the movement in memory: who sits at a table in a round, and its boards.
struct MovementRow {
    qint16 Section = 0;
    /// The section's letter(s), trimmed; empty when Section has no such ID.
    QString Letter;
    qint16 Round = 0;
    qint16 Table = 0;
    /// NS pair, or the North player in an individual game.
    qint16 NSPair = 0;
    /// EW pair, or the East player in an individual game.
    qint16 EWPair = 0;
    /// South and West players of an individual game; 0 in a pairs game.
    qint16 South = 0;
    qint16 West = 0;
    /// The boards played in this round, ascending (numbers 1 to 63).
    QList<qint16> boards;
    /// Whether the row plays its boards; set with the seats, for the game type they were
    /// read for.
    RowPlay play = RowPlay::Boards;

    SeatNumbers seats() const { return {NSPair, EWPair, South, West}; }
    /// Every seat is filled: the row plays its boards.
    bool playsBoards() const { return play == RowPlay::Boards; }
    /// Entries for its boards are taken: the row plays them, or it seats no one and they are
    /// stored as not played. A sit-out takes none.
    bool takesEntries() const { return play != RowPlay::SitOut; }
};

/// The numbers of a result's seats as a table's terminal sent them, and as the movement's own
/// (read through the table's rows that play the board, see boardSeatNumbers). Without banded
/// pair numbering the two are the same.
struct ResultSeats {
    SeatNumbers own{};
    SeatNumbers sent{};
    bool banded = false;

    /// Numbers that are the movement's own already (the director's, a stored result's).
    static ResultSeats ofMovement(const SeatNumbers& seats) { return {seats, seats, false}; }
};

/// Where a board result of a table is filed: the round, and the movement's own numbers of its
/// seats (South and West 0 unless sent).
struct ResultPlace {
    qint16 round = 0;
    SeatNumbers seats{};
};

/// Who played (or plays) a table's round: the one answer that the result intake and every reader
/// that shows, corrects or counts a stored result share (GameData::roundSeating).
struct RoundSeating {
    SeatNumbers seats{};
    /// The seats come from the table's stored results of the round (where they name several
    /// seatings, the pairs sitting there now); else from its row in the movement in memory.
    bool stored = false;
    /// The round's boards are played there: stored results with both pairs, or a row of the
    /// movement with every seat filled.
    bool plays = false;
};

/// One row of the movement that holds a board, as the board index lists it.
struct BoardSlot {
    /// Letter(s) and table number, as "A12".
    QString tableId;
    /// The round in which the table plays the board.
    qint16 round = 0;
    qint16 nsPair = 0;
    qint16 ewPair = 0;
    qint16 south = 0;
    qint16 west = 0;
    /// The row plays the board (every seat filled); else it holds it while a seat is empty.
    bool plays = true;
};

/// The rows that hold one board, in movement order: at most one that plays it per table of
/// the event, and the rows that hold it without playing it, which take no place.
struct BoardIndexEntry {
    std::vector<BoardSlot> tables;
};

/// The movement block of one table, built ahead of time for its terminal.
struct MovementMessage {
    QString tableId;
    QByteArray block;
    /// Sent in place of byte 1 to terminals of the older firmware: the first board of the
    /// first round whose deal the table must enter; 0 when none.
    qint16 dealEntryBoard = 0;
};

/// One entry of the main window's section choice.
struct SectionListEntry {
    /// The trimmed letter(s).
    QString text;
    qint16 sectionId = 0;
};

/// The section numbers sent with a terminal's game status.
struct SectionNumberList {
    /// One byte per section (1 for "A" ... 78 for "ZZZ"), in the text order of the letters;
    /// the single byte 0 when there is no section.
    QByteArray numbers;
    /// Index of the last byte that names a section; -1 when there is none.
    qint16 lastIndex = -1;
};

/// The table a terminal is bound to and the firmware it reported at registration.
struct TerminalBinding {
    /// As "A12"; empty when the terminal is not bound or unknown.
    QString tableId;
    qint16 versionMajor = 0;
    qint16 versionMinor = 0;
};

/// The bound terminals that expect results, and those of them that have got them all.
struct TerminalCompletion {
    qint32 expecting = 0;
    qint32 complete = 0;
};

/// What became of a board result handed to markResult.
struct MarkResultOutcome {
    enum class Status {
        /// A row was inserted (any earlier row of the same table, pairs and board replaced).
        Stored,
        /// The record held nothing to store: the earlier row was deleted.
        Erased,
        /// The table, pairs and board do not match the movement in memory; nothing changed.
        Mismatch,
        /// Round or board 0; nothing changed.
        Incomplete,
        /// The database refused a change; everything was rolled back.
        StorageFailed,
        /// A correction over a result that is no longer the one stored; nothing changed.
        Outdated,
    };

    Status status = Status::Incomplete;
    /// The round stored or erased; 0 for the other outcomes.
    qint16 round = 0;

    bool succeeded() const { return status == Status::Stored || status == Status::Erased; }
    /// A refusal by the check against the movement or of an incomplete result (the
    /// database was not asked).
    bool refused() const { return status == Status::Mismatch || status == Status::Incomplete; }
};

} // namespace qzc

#pragma once

#include "core/ResultEntry.h"
#include "gamedata/ResultCorrection.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class DesktopHost;
class GameData;
class Log;
class MessageBox;

/// One line of the result pop-up: a board of the table and round with its stored result.
struct PopUpLine {
    qint16 board = 0;
    /// The line as shown: board, contract, declarer, tricks, lead and score in fixed
    /// columns, or the board and the remark.
    QString caption;
    /// The result part of the line: what an edit is compared with and Esc puts back.
    QString tag;
    /// The stored result the line shows; an edit over any other is not stored.
    ResultEntry stored;
    /// The seats that result is stored under, which an edit of the line is stored under too;
    /// nothing when the board has no result there.
    std::optional<SeatNumbers> seats;
};

/// What the pop-up of one play-grid cell shows.
struct CellDetails {
    /// "Table A3; Round 2; Pair 3/10".
    QString title;
    /// As "A3".
    QString tableId;
    qint16 round = 0;
    std::vector<PopUpLine> lines;
};

/// The result pop-up of the main window without its widgets: the results of one table and
/// round, line by line, and the director's edit of one line, confirmed and stored.
class PopUpResults {
public:
    static constexpr qint16 helpTopic = 13;

    /// What became of an edit when its box lost the focus.
    enum class EditOutcome {
        /// The box holds what the line shows: nothing to save.
        Unchanged,
        /// The director answered No; the box keeps its text.
        Declined,
        Stored,
        /// The store refused it (the director was told); the box keeps its text.
        NotStored,
        /// A table stored another result since the line was shown: nothing was stored, the
        /// director was told; the line shows the stored result afresh.
        Outdated,
    };

    PopUpResults(GameData& gameData, Log& log, MessageBox& messages, DesktopHost& desktop);

    /// The boards a play-grid cell lists: its text up to the first ")" without "(", ended
    /// by ","; empty when it lists none.
    static QString cellBoardList(const QString& cellText);

    /// The title and the lines of the table's results in the round; boardList is
    /// comma-separated and ended by ",". No lines for an empty list.
    CellDetails ShowCellDetails(const QString& letters, qint16 table, qint16 round,
                                const QString& boardList) const;

    /// The line of one board, from its stored result (of several rows of the board there, the
    /// newest).
    PopUpLine resultLine(const QString& tableId, qint16 round, qint16 board) const;
    /// The line of one board for a stored result record (cleared when none is stored).
    static PopUpLine formatLine(qint16 board, const ResultEntry& stored);

    /// The edit box of a line lost the focus holding boxText: unless it still holds the
    /// line's tag, asks the director to save the result, the remark or the annulment, and
    /// stores it through the result correction.
    EditOutcome saveEdit(const QString& tableId, qint16 round, const PopUpLine& line, const QString& boxText);

private:
    /// Four players sit at the table's section (GameData::seatsFourPlayers).
    bool seatsFourPlayers(const QString& tableId) const;
    /// Who played the table's round, as text.
    QString sitting(const QString& tableId, qint16 round) const;

    GameData& gameData_;
    MessageBox& messages_;
    ResultCorrection correction_;
};

} // namespace qzc

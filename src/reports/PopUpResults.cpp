#include "reports/PopUpResults.h"

#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/ResultEntry.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "gamedata/GameData.h"
#include "reports/PlayGridData.h"
#include "scoring/ResultDescription.h"
#include "scoring/ResultEntryParser.h"

namespace qzc {

namespace {

constexpr qint16 kQuestionStyle = 36;
constexpr qint16 kRemarkIndent = 4;

QString number(qint64 n) {
    return QString::number(n);
}

QString right(const QString& text, qint16 width) {
    return FixedWidth(text, width, true);
}

QString withoutBlanks(QString text) {
    return text.remove(QLatin1Char(' '));
}

bool isKnownRemark(const QString& remark) {
    const QString upper = remark.toUpper();
    return upper.isEmpty() || upper == QLatin1String("NOT PLAYED") || upper == QLatin1String("NP") ||
           upper == QLatin1String("LP") || upper == QLatin1String("LATE PLAY");
}

} // namespace

PopUpResults::PopUpResults(GameData& gameData, Log& log, MessageBox& messages, DesktopHost& desktop)
    : gameData_(gameData), messages_(messages), correction_(gameData, log, messages, desktop) {}

bool PopUpResults::seatsFourPlayers(const QString& tableId) const {
    return gameData_.seatsFourPlayers(gameData_.getSectionID(tableIdLetter(tableId)));
}

QString PopUpResults::cellBoardList(const QString& cellText) {
    QString list = cellText.left(cellText.indexOf(QLatin1Char(')')));
    list.remove(QLatin1Char('('));
    if (list.isEmpty())
        return {};
    if (!list.endsWith(QLatin1Char(',')))
        list += QLatin1Char(',');
    return list;
}

QString PopUpResults::sitting(const QString& tableId, qint16 round) const {
    const std::optional<RoundSeating> seating = gameData_.roundSeating(tableId, round);
    return seating ? gameData_.seatingText(seating->seats) : QString();
}

CellDetails PopUpResults::ShowCellDetails(const QString& letters, qint16 table, qint16 round,
                                          const QString& boardList) const {
    CellDetails details;
    details.tableId = letters + number(table);
    details.round = round;
    details.title =
        QStringLiteral("Table ") + details.tableId + QStringLiteral("; Round ") + number(round) +
        QStringLiteral("; ") +
        (seatsFourPlayers(details.tableId) ? QStringLiteral("Player ") : QStringLiteral("Pair ")) +
        sitting(details.tableId, round);
    const qint16 boards = static_cast<qint16>(CountOccurrences(boardList, QStringLiteral(",")));
    const QString storedId = PlayGridData::gridTableId(letters, table);
    for (qint16 i = 1; i <= boards; ++i)
        details.lines.push_back(
            resultLine(storedId, round, StrToInt(GetField(boardList, i, QStringLiteral(",")))));
    return details;
}

PopUpLine PopUpResults::resultLine(const QString& tableId, qint16 round, qint16 board) const {
    ResultEntry stored;
    clearResultEntry(stored);
    const std::optional<SeatNumbers> seats = gameData_.getBoardResult(tableId, round, board, stored);
    PopUpLine line = formatLine(board, stored);
    line.seats = seats;
    return line;
}

PopUpLine PopUpResults::formatLine(qint16 board, const ResultEntry& stored) {
    PopUpLine line;
    line.board = board;
    line.stored = stored;
    const QString boardText = right(number(board), 3);
    if (stored.remarks.isEmpty() && stored.valid == 0) {
        line.caption = boardText;
    } else if (!stored.contract.isEmpty() && stored.valid != 0) {
        line.tag = right(stored.contract, 6) + right(stored.declarer, 3) + right(number(stored.tricks), 6) +
                   right(stored.lead, 7);
        line.caption = boardText + line.tag + right(number(stored.score), 6);
    } else {
        line.tag = right(stored.remarks, static_cast<qint16>(stored.remarks.size() + kRemarkIndent));
        line.caption =
            boardText + (isKnownRemark(stored.remarks) ? line.tag : QStringLiteral(" ***") + stored.remarks);
    }
    return line;
}

PopUpResults::EditOutcome PopUpResults::saveEdit(const QString& tableId, qint16 round, const PopUpLine& line,
                                                 const QString& boxText) {
    if (withoutBlanks(boxText) == withoutBlanks(line.tag))
        return EditOutcome::Unchanged;
    const QString entry = boxText.trimmed();
    ResultEntry record;
    clearResultEntry(record);
    record.board = line.board;
    parseResultEntry(entry, record);

    QString question;
    if (record.valid != 0)
        question = QStringLiteral("Save changed result?");
    else if (!entry.isEmpty())
        question = QLatin1Char('<') + entry + QStringLiteral("> is not a valid result entry.\r\n") +
                   QStringLiteral("Do you want to save it as ruling remark?");
    else
        question = QStringLiteral("Do you really want to annul (erase) the current result?");
    if (!messages_.showMsg(question, QString(), kQuestionStyle, helpTopic))
        return EditOutcome::Declined;

    // The result the line shows is corrected under the pairs it is stored under, a board
    // without one entered under the pairs that played the round.
    const SeatNumbers seated =
        line.seats ? *line.seats
                   : gameData_.roundSeating(tableId, round, line.board).value_or(RoundSeating{}).seats;
    ResultSeat seat;
    seat.tableId = tableId;
    seat.round = round;
    seat.board = line.board;
    seat.nsPair = seated[0];
    seat.ewPair = seated[1];
    if (seatsFourPlayers(tableId)) {
        seat.south = seated[2];
        seat.west = seated[3];
    }
    if (entry.isEmpty())
        record = correction_.annulled(seat);

    const QString logLine = QStringLiteral("Modify board result:") + tableId + QLatin1Char(',') +
                            number(round) + QLatin1Char(',') + number(seat.nsPair) + QLatin1Char(',') +
                            number(seat.ewPair);
    const MarkResultOutcome outcome = correction_.store(seat, record, line.stored, logLine, helpTopic);
    if (outcome.status == MarkResultOutcome::Status::Outdated)
        return EditOutcome::Outdated;
    return outcome.succeeded() ? EditOutcome::Stored : EditOutcome::NotStored;
}

} // namespace qzc

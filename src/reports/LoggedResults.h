#pragma once

#include <QString>
#include <QStringList>

namespace qzc {

class GameData;
class Log;
class MessageBox;
class ShellOpener;
struct EventInfo;

/// The board results that the terminals sent, rebuilt from the radio lines of the event's
/// log ("RX <= FF ..." lines, logged while the ini key History is 1): for when the results
/// in the score database are doubted or lost. Nothing is merged or sorted: a result sent
/// twice gives two lines. The database is only read (the terminals' tables, the sections,
/// the movement and the round estimate).
class LoggedResults {
public:
    /// The 27 headings of the rebuilt text, shaped like the columns of ReceivedData.
    static const QStringList headings;

    LoggedResults(GameData& gameData, const EventInfo& event, Log& log, MessageBox& messages,
                  ShellOpener& shell);

    /// The heading line and one tab-separated line per result record of every received
    /// result frame (codes 52, 54, 72 and 74) of a terminal bound to a table, joined by CRLF;
    /// empty when there is none. A line whose frame is not made of whole hex bytes, or is
    /// too short for a frame, is skipped with a log line; the frames of terminals bound to no
    /// table are counted in one.
    QString DecodeGameLogForResult(const QString& logText);

    /// The director's table of a rebuilt text: section, table, round, board, pairs, seat of
    /// the declarer, contract, result, lead and remarks, each line ended by CRLF.
    static QString summaryTable(const QString& rebuilt);

    /// "Logged results": writes the log, rebuilds the results from it, writes them whole to
    /// the event's folder as <event>_res.txt and the director's table of them to the desktop
    /// folder under the same name (as <event>_res_table.txt when the event is on the desktop,
    /// so that the full results are kept), and opens the desktop copy (the event's copy when
    /// there is no desktop folder). A log without results, or only with results of tabletops
    /// that are logged in to no table now, or a file that cannot be read or written, is told
    /// to the director; without results the ini key History is named when it is off
    /// (historyOn false), as it keeps the received messages out of the log. True when a file
    /// was written.
    bool mnuloggedResults_Click(const QString& desktopFolder, bool historyOn);

private:
    GameData& gameData_;
    const EventInfo& event_;
    Log& log_;
    MessageBox& messages_;
    ShellOpener& shell_;
    /// Result frames of the last decoding whose terminal is bound to no table.
    qsizetype unboundFrames_ = 0;
};

} // namespace qzc

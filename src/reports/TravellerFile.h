#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

class GameData;
class Log;
class ScoreDb;
class ScoreFrequency;
class ShellOpener;
struct EventInfo;

/// The traveller file: the stored results board by board and section by section, for the
/// director to read or print. Boards stand side by side in bands of `columns` boards (the
/// whole event, "result.txt") or one below the other (one board, "result_list.txt"); each
/// board is its heading cell "Bd  7" and its result lines, 13 characters wide in a pairs
/// game. Windows-1252 text with CRLF line ends and a final empty line.
class TravellerFile {
public:
    static constexpr qint16 cellWidth = 13;

    TravellerFile(const GameData& gameData, ScoreDb& db, Log& log, ScoreFrequency& frequencies,
                  const EventInfo& event, ShellOpener& shell);

    /// The text of the file for section (0: every section) and board (0: every board);
    /// sorting orders each board's results (see GameData::getBoardResultText; with the
    /// scale points, 5 or -5, they are first brought up to date). Nothing when no result
    /// is stored or no section matches.
    std::optional<QString> makeResultText(qint16 columns, qint16 section, qint16 board, qint16 sorting);

    /// The file's path in the score database's folder: the event file name with "_result.txt"
    /// (columns above 1) or "_result_list.txt".
    QString filePath(qint16 columns) const;

    /// Writes the file whole over any earlier one and opens it. The path written; empty
    /// when there was nothing to write or the writing failed (logged, source
    /// "makeResultFile").
    QString makeResultFile(qint16 columns, qint16 section, qint16 board, qint16 sorting);

private:
    const GameData& gameData_;
    ScoreDb& db_;
    Log& log_;
    ScoreFrequency& frequencies_;
    const EventInfo& event_;
    ShellOpener& shell_;
};

} // namespace qzc

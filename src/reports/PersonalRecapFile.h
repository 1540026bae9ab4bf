#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

class Log;
class MessageBox;
class ScoreDb;
class ShellOpener;
struct EventInfo;

/// A pair's personal recap sheet: every result the pair has stored in a section, board by
/// board, with contract, declarer, tricks made, lead and North-South points, or the
/// remark. Windows-1252 text with CRLF line ends and a final empty line, in the score
/// database's folder.
class PersonalRecapFile {
public:
    /// The sides a recap covers.
    static constexpr qint16 northSouth = 1;
    static constexpr qint16 eastWest = -1;
    static constexpr qint16 bothSides = 0;

    static inline const QString noResultMessage = QStringLiteral("No result found.");

    PersonalRecapFile(ScoreDb& db, Log& log, MessageBox& messages, const EventInfo& event,
                      ShellOpener& shell);

    /// The sheet of the pair as NS (side 1), as EW (-1) or on both sides (any other value);
    /// erased results are left out. Empty when the pair has no result; nothing when the
    /// database cannot be read (logged, source "PersonalRecaps").
    std::optional<QString> recapText(qint16 section, qint16 pair, qint16 side);

    QString filePath() const;

    /// Writes the sheet whole over any earlier one and opens it; a pair below 1 does
    /// nothing, a pair without results is told "No result found.". The path written, or
    /// empty.
    QString PersonalRecaps(qint16 section, qint16 pair, qint16 side);

private:
    ScoreDb& db_;
    Log& log_;
    MessageBox& messages_;
    const EventInfo& event_;
    ShellOpener& shell_;
};

} // namespace qzc

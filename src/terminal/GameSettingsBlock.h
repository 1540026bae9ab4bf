#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace qzc {

class GameSettings;
class Log;

/// The TD PIN a terminal gets when the setting holds none, or one that is no PIN.
inline constexpr int defaultTdPin = 4381;
/// Size of the game settings block.
inline constexpr int gameSettingsBlockSize = 13;

/// The 13-byte game settings block of a login or reload reply, for the table tableId:
/// byte 0 the questions and the seating flag (separatePairs: the section's pairs keep their
/// direction), byte 1 display and scoring flags (bit 6 left to the caller), byte 2 the
/// input method and result-entry flags, bytes 3-4 the TD PIN in two-digit halves, byte 5
/// 0, bytes 6-12 year (two bytes), month, day, hour, minute and second of now. A flag
/// counts as set for any value but 0; the input method keeps its two bits. A TD PIN that is
/// not a number of at most four digits is logged and replaced by 4381; so no setting can
/// keep a terminal from logging in. Logs "Get game settings data" first.
QByteArray getGameSettingsData(const QString& tableId, const GameSettings& settings, bool separatePairs,
                               const QDateTime& now, Log& log);

} // namespace qzc

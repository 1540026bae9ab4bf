#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

/// Which word of a long player name stays whole (the "Player name preference"): 0 the last,
/// 1 the middle (the first when there is none), 2 the first.
namespace NameStyle {
inline constexpr qint16 keepLast = 0;
inline constexpr qint16 keepMiddle = 1;
inline constexpr qint16 keepFirst = 2;
} // namespace NameStyle

/// The name shortened to at most maxLength characters. A name that fits comes back as it is,
/// a one-word name cut. Otherwise the name's first three words (further words are dropped)
/// are shortened: the word the style keeps stays whole as far as it fits, and the other two
/// share the room left so that each keeps at least its first letter while there is room for
/// it. A name the style cannot shorten (an unknown style, or nothing left of it) comes back
/// as its first three words joined and cut to maxLength; only a blank name comes back blank.
QString truncatePlayerName(const QString& name, qint16 maxLength, qint16 style);

} // namespace qzc

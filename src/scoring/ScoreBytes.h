#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>

namespace qzc {

/// Appends a score in the two bytes the terminals read: sign and magnitude, not two's
/// complement. High byte |s| / 256 plus 128 when s is negative, then |s| mod 256 (-420 is
/// 129, 164). The magnitude has 15 bits.
inline void appendScoreBytes(QByteArray& bytes, qint32 score) {
    const int magnitude = std::min(std::abs(score), 0x7FFF);
    bytes.append(static_cast<char>(magnitude / 256 + (score < 0 ? 128 : 0)));
    bytes.append(static_cast<char>(magnitude % 256));
}

} // namespace qzc

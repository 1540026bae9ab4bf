#pragma once

#include <QtGlobal>

namespace qzc {

/// Sizes of the form designs are given in twips, 1440 to the inch.
inline constexpr int twipsPerInch = 1440;

/// Twips as pixels of a screen with dpi logical dots per inch (px = twips x dpi / 1440),
/// rounded to the nearest pixel.
inline int twipsToPixels(int twips, int dpi) {
    return qRound(static_cast<double>(twips) * dpi / twipsPerInch);
}

/// Pixels of such a screen as twips, rounded to the nearest twip.
inline int pixelsToTwips(int pixels, int dpi) {
    return dpi > 0 ? qRound(static_cast<double>(pixels) * twipsPerInch / dpi) : 0;
}

} // namespace qzc

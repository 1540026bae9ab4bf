#include "platform/Twips.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

// The designs' sizes at the usual 96 and 120 dpi: the nearest pixel, not the pixel below.
TEST(TwipsTest, ConvertsToTheNearestPixelAndBack) {
    struct Case {
        int twips;
        int dpi;
        int pixels;
    };
    const Case cases[] = {{120, 96, 8}, {600, 96, 40}, {4300, 96, 287},  {4000, 96, 267},  {2900, 96, 193},
                          {7, 96, 0},   {8, 96, 1},    {1440, 120, 120}, {4300, 120, 358}, {0, 96, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
        // Back within half a pixel's worth of twips.
        EXPECT_NEAR(pixelsToTwips(c.pixels, c.dpi), c.twips, twipsPerInch / c.dpi / 2 + 1);
    }
    EXPECT_EQ(pixelsToTwips(10, 0), 0);
}

} // namespace
} // namespace qzc

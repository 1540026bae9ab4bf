#include "widgets/WindowPlacement.h"

#include "ProgramRig.h"
#include "desktop/frmdesktop.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/TestGuiApp.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

// A screen of 1280 x 800 whose free area starts below a top panel of 32 pixels.
TEST(WindowPlacement, TheWholeFrameGoesInsideTheFreeArea) {
    const QRect area(0, 32, 1280, 768);
    struct Case {
        const char* name;
        QRect frame;
        QRect expected;
    };
    const Case cases[] = {
        {"fits where it is", QRect(8, 40, 900, 560), QRect(8, 40, 900, 560)},
        {"title bar above the free area", QRect(8, 8, 900, 560), QRect(8, 32, 900, 560)},
        {"off the right and bottom edges", QRect(600, 500, 900, 560), QRect(380, 240, 900, 560)},
        {"left of the screen", QRect(-50, 100, 900, 560), QRect(0, 100, 900, 560)},
        {"wider and taller than the area", QRect(8, 40, 1400, 900), QRect(0, 32, 1280, 768)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect fitted = fitFrameInside(area, c.frame);
        EXPECT_EQ(fitted, c.expected)
            << fitted.x() << "," << fitted.y() << " " << fitted.width() << "x" << fitted.height();
        EXPECT_TRUE(area.contains(fitted));
    }
}

// A window manager decorates the main window only once it is shown: the frame it gets then,
// with a title bar of 20 pixels, brings the window down so that the whole frame lies 120
// twips (8 pixels) from the corner of the free area.
TEST(WindowPlacement, TheMainWindowGoesDownWhenItsFrameIsLearnt) {
    test::TestGuiApp app(QRect(0, 32, 1280, 768), false);
    test::FakeClock clock;
    test::ProgramRig rig(clock);
    ASSERT_TRUE(rig.prepare(test::fixtures::mitchell()));
    ASSERT_TRUE(rig.make().start());
    frmdesktop& window = rig.program->desktop();
    const QMargins frame(1, 20, 1, 5);
    window.findChild<FrameKeeper*>()->frameLearnt(frame);
    EXPECT_EQ(window.geometry().marginsAdded(frame).topLeft(), QPoint(8, 40));
}

} // namespace
} // namespace qzc

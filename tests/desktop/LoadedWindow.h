#pragma once

#include "ProgramRig.h"
#include "desktop/frmdesktop.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/TestGuiApp.h"

#include <gtest/gtest.h>

namespace qzc::test {

/// A program started on event() (the Mitchell fixture) without a base station, its main
/// window loaded.
class LoadedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.prepare(event()));
        ASSERT_TRUE(rig.make().start());
    }
    virtual EventBuilder event() const { return fixtures::mitchell(); }
    frmdesktop& window() { return rig.program->desktop(); }

    TestGuiApp app;
    FakeClock clock;
    ProgramRig rig{clock};
};

} // namespace qzc::test

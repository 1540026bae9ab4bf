#pragma once

#include <QApplication>

namespace qzc::test {

/// A QApplication for one widget test (offscreen under CTest); tests create it before
/// their widgets, one at a time.
class TestGuiApp {
public:
    TestGuiApp() : app_(argc_, argv_) {}
    QApplication& app() { return app_; }

private:
    char name_[9] = "qzc-test";
    char* argv_[2] = {name_, nullptr};
    int argc_ = 1;
    QApplication app_;
};

} // namespace qzc::test

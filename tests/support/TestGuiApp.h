#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

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

/// Runs action once the event loop of a modal window that is about to open is running.
inline void whenShown(std::function<void()> action) {
    QTimer::singleShot(0, std::move(action));
}

} // namespace qzc::test

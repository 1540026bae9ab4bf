#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

namespace qzc::test {

/// A QApplication for one widget test (offscreen under CTest); one at a time, on the stack.
class TestGuiApp {
public:
    TestGuiApp() : app_(argc_, argv_) {}

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

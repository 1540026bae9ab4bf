#pragma once

#include <QCoreApplication>

namespace qzc::test {

/// A QCoreApplication for one test (event loops, sockets, applicationDirPath); tests create
/// it on the stack, one at a time.
class TestCoreApp {
public:
    TestCoreApp() : app_(argc_, argv_) {}
    QCoreApplication& app() { return app_; }

private:
    char name_[9] = "qzc-test";
    char* argv_[2] = {name_, nullptr};
    int argc_ = 1;
    QCoreApplication app_;
};

} // namespace qzc::test

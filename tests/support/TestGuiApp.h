#pragma once

#include <QApplication>
#include <QByteArray>
#include <QRect>
#include <QTemporaryFile>
#include <QTimer>
#include <functional>
#include <utility>

namespace qzc::test {

/// The arguments of a test application: its name, then "-platform" and a platform when
/// one is given.
struct TestAppArguments {
    explicit TestAppArguments(QByteArray platformName) : platform(std::move(platformName)) {
        if (!platform.isEmpty()) {
            argv[1] = option;
            argv[2] = platform.data();
            argc = 3;
        }
    }
    char name[9] = "qzc-test";
    char option[10] = "-platform";
    QByteArray platform;
    char* argv[4] = {name, nullptr, nullptr, nullptr};
    int argc = 1;
};

/// A QApplication for one widget test (offscreen under CTest); tests create it before
/// their widgets, one at a time.
class TestGuiApp {
public:
    TestGuiApp() : args_(QByteArray()), app_(args_.argc, args_.argv) {}
    /// Off screen, on one screen of the given place and size, whose windows have a frame
    /// unless frames is false.
    explicit TestGuiApp(const QRect& screen, bool frames = true)
        : args_(offscreenPlatform(screenFile_, screen, frames)), app_(args_.argc, args_.argv) {}
    QApplication& app() { return app_; }

private:
    static QByteArray offscreenPlatform(QTemporaryFile& file, const QRect& screen, bool frames) {
        if (!file.open())
            return {};
        file.write(
            QStringLiteral("{\"windowFrameMargins\": %5, \"screens\": [{\"name\": \"screen\", \"x\": %1, "
                           "\"y\": %2, \"width\": %3, \"height\": %4, \"logicalDpi\": 96, "
                           "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                .arg(screen.x())
                .arg(screen.y())
                .arg(screen.width())
                .arg(screen.height())
                .arg(frames ? QStringLiteral("true") : QStringLiteral("false"))
                .toUtf8());
        file.flush();
        return "offscreen:configfile=" + file.fileName().toUtf8();
    }

    QTemporaryFile screenFile_;
    TestAppArguments args_;
    QApplication app_;
};

/// Runs action once the event loop of a modal window that is about to open is running.
inline void whenShown(std::function<void()> action) {
    QTimer::singleShot(0, std::move(action));
}

} // namespace qzc::test

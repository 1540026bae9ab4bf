#include "core/SecondInstance.h"
#include "desktop/Program.h"
#include "desktop/frmdesktop.h"
#include "dialogs/PlainMessageBox.h"
#include "dialogs/ProgramMessageBox.h"
#include "platform/AppFolder.h"
#include "platform/Clock.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(qzc::Config::appTitle);
    // The window never closes by itself: the program ends only through a quit path.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second instance is told so in the platform's standard box.
    qzc::PlainMessageBox standard;
    qzc::SingleInstance instance(qzc::Config::appTitle);
    if (!qzc::claimSingleInstance(instance, standard))
        return 0;

    qzc::SystemClock clock;
    qzc::ProgramMessageBox messages;
    qzc::Program program(qzc::appFolder(), qzc::Program::commandLineOf(app.arguments().mid(1)), clock,
                         messages);
    messages.attachHelp(program.help());

    // The session ending from outside (SIGTERM, SIGHUP, the desktop's log-out) runs the
    // exit path without publishing: queue stopped, database closed, log written. It is in
    // force from the start, so a question open during start-up does not lose the log.
    const auto endFromOutside = [&program] {
        program.endFromOutside();
    };
    qzc::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &qzc::TerminationSignals::terminationRequested, &app,
                     endFromOutside);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, endFromOutside);

    if (!program.start())
        return program.endedAtSettings() || program.hasExited() ? 0 : 1;
    QObject::connect(&instance, &qzc::SingleInstance::activationRequested, &program.desktop(),
                     &qzc::frmdesktop::bringToFront);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&program] { program.exitProgram(false); });
    return QApplication::exec();
}

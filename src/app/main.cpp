#include "core/SecondInstance.h"
#include "desktop/Program.h"
#include "desktop/frmdesktop.h"
#include "dialogs/PlainMessageBox.h"
#include "platform/AppFolder.h"
#include "platform/Clock.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(qzc::Config::appTitle);

    qzc::PlainMessageBox messages;
    qzc::SingleInstance instance(qzc::Config::appTitle);
    if (!qzc::claimSingleInstance(instance, messages))
        return 0;

    qzc::SystemClock clock;
    qzc::Program program(qzc::appFolder(), qzc::Program::commandLineOf(app.arguments().mid(1)), clock,
                         messages);
    if (!program.start())
        return 1;
    QObject::connect(&instance, &qzc::SingleInstance::activationRequested, &program.desktop(),
                     &qzc::frmdesktop::bringToFront);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&program] { program.exitProgram(); });

    // The session ending from outside quits as the exit menu does, without publishing.
    qzc::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &qzc::TerminationSignals::terminationRequested, &app,
                     [] { QCoreApplication::quit(); });
    return QApplication::exec();
}

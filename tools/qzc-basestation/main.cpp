// qzc-basestation: a simulated base station on a pseudo-terminal, for running QZC without
// the hardware. It prints the device path, can write it into the ini file's SerialDevices
// key, and answers knocks, channel and firmware-version commands until it is stopped.

#include "core/Config.h"
#include "platform/IniFile.h"
#include "support/BaseStationSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <pthread.h>

using qzc::test::BaseStationSimulator;

int main(int argc, char* argv[]) {
    // Block the stop signals before the simulator's thread starts, then wait for one here.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qzc-basestation"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated base station on a pseudo-terminal; runs until interrupted."));
    parser.addHelpOption();
    const QCommandLineOption iniOption(
        QStringLiteral("ini"), QStringLiteral("Write the device path into the SerialDevices key of <file>."),
        QStringLiteral("file"));
    const QCommandLineOption knockOption(QStringLiteral("knock"),
                                         QStringLiteral("Answer knocks with ack (default), nack or silence."),
                                         QStringLiteral("answer"), QStringLiteral("ack"));
    parser.addOption(iniOption);
    parser.addOption(knockOption);
    parser.process(app);

    BaseStationSimulator station;
    if (!station.isValid()) {
        std::fprintf(stderr, "qzc-basestation: no pseudo-terminal available\n");
        return 1;
    }
    const QString knock = parser.value(knockOption).toLower();
    if (knock == QLatin1String("nack"))
        station.setKnockAnswer(BaseStationSimulator::KnockAnswer::Nack);
    else if (knock == QLatin1String("silence"))
        station.setKnockAnswer(BaseStationSimulator::KnockAnswer::Silence);
    else if (knock != QLatin1String("ack")) {
        std::fprintf(stderr, "qzc-basestation: unknown knock answer '%s'\n", qPrintable(knock));
        return 2;
    }

    if (parser.isSet(iniOption)) {
        qzc::IniFile ini(parser.value(iniOption));
        if (!ini.write(qzc::Config::mainSection, QStringLiteral("SerialDevices"), station.devicePath())) {
            std::fprintf(stderr, "qzc-basestation: cannot write %s\n", qPrintable(parser.value(iniOption)));
            return 1;
        }
    }

    std::printf("%s\n", qPrintable(station.devicePath()));
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    return 0;
}

// qzc-basestation: a simulated base station on a pseudo-terminal, for running QZC without
// the hardware. It prints the device path, can write it into the ini file's SerialDevices
// key, and answers knocks, channel and firmware-version commands until it is stopped. With
// --play it also works the terminals of every table of an event: they wait for the game
// to start, log in and enter a result for every board of their movement.

#include "core/Config.h"
#include "platform/IniFile.h"
#include "support/BaseStationSimulator.h"
#include "support/EveningPlayer.h"
#include "support/EventTables.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>

using qzc::test::BaseStationSimulator;

namespace {

int numberOption(const QCommandLineParser& parser, const QCommandLineOption& option, int fallback) {
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    return ok && value >= 0 ? value : fallback;
}

} // namespace

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
    const QCommandLineOption playOption(
        QStringLiteral("play"),
        QStringLiteral(
            "Play the terminals of every table of the event <file> (read only): they log in once the "
            "game runs and enter a result for every board of their movement."),
        QStringLiteral("file"));
    const QCommandLineOption paceOption(
        QStringLiteral("pace"), QStringLiteral("Pause of a table between two results, in ms (default 500)."),
        QStringLiteral("ms"), QStringLiteral("500"));
    const QCommandLineOption waitOption(
        QStringLiteral("wait"),
        QStringLiteral("Wait for a reply before a request is sent again, in ms (default 2000)."),
        QStringLiteral("ms"), QStringLiteral("2000"));
    const QCommandLineOption firstIdOption(
        QStringLiteral("first-id"), QStringLiteral("Terminal id of the first table (default 32769, 0x8001)."),
        QStringLiteral("id"), QStringLiteral("32769"));
    parser.addOption(iniOption);
    parser.addOption(knockOption);
    parser.addOption(playOption);
    parser.addOption(paceOption);
    parser.addOption(waitOption);
    parser.addOption(firstIdOption);
    parser.process(app);

    std::vector<qzc::test::PlayedTable> tables;
    if (parser.isSet(playOption)) {
        QString error;
        const auto read = qzc::test::readPlayedTables(
            parser.value(playOption), static_cast<quint16>(numberOption(parser, firstIdOption, 32769)),
            error);
        if (!read) {
            std::fprintf(stderr, "qzc-basestation: cannot read the tables: %s\n", qPrintable(error));
            return 1;
        }
        tables = *read;
    }

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

    std::atomic<bool> stop{false};
    std::thread player;
    if (!tables.empty()) {
        qzc::test::EveningOptions options;
        options.paceMs = numberOption(parser, paceOption, 500);
        options.replyWaitMs = std::max(numberOption(parser, waitOption, 2000), 100);
        // A terminal of the evening keeps asking; it gives up only after a long silence.
        options.attempts = 1000;
        std::fprintf(stderr, "qzc-basestation: playing %zu tables; start the game in QZC (F2)\n",
                     tables.size());
        player = std::thread([&station, &stop, tables, options] {
            qzc::test::EveningPlayer evening(station, tables, options);
            const auto outcomes = evening.play(stop, [](const QString& line) {
                std::fprintf(stderr, "qzc-basestation: %s\n", qPrintable(line));
            });
            int results = 0;
            for (const auto& outcome : outcomes)
                results += outcome.resultsEntered;
            if (!stop)
                std::fprintf(stderr, "qzc-basestation: evening played, %d results entered\n", results);
        });
    }

    int received = 0;
    sigwait(&stopSignals, &received);
    stop = true;
    if (player.joinable())
        player.join();
    return 0;
}

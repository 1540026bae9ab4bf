// One board-result request end to end through the serial line: a simulated base station
// on a pseudo-terminal writes the terminal's frame, the program (its event loop running,
// as in real use) reads it, queues it, answers it, and the simulator receives the whole
// reply. The event as in bench_board_result_request: 30 tables, 600 results stored, the
// traveller of 19 other results sent back. A pseudo-terminal has no line speed: the
// figure is the program's own reaction time, without the time the bytes take on a radio
// line.
#include "support/BaseStationSimulator.h"
#include "support/DispatchRig.h"
#include "support/FakeDesktopHost.h"
#include "support/LargeEvents.h"
#include "support/TestCoreApp.h"
#include "terminal/BaseStation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace qzc;

constexpr quint16 kTerminal = 0x0101;
// Start byte, address, length, code 51 and 19 traveller entries of 3 bytes, checksum.
constexpr qsizetype kReplySize = 4 + 1 + 3 * 19 + 2;

// Runs the program's events until the simulator holds count frames; false after the guard
// time (a broken run, not a measurement).
bool pumpUntilFrames(const test::BaseStationSimulator& sim, qsizetype count) {
    QElapsedTimer guard;
    guard.start();
    while (sim.frameCount() < count) {
        if (guard.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

struct LinkedProgram {
    test::TestCoreApp app;
    test::DispatchRig rig;
    test::BaseStationSimulator sim;
    test::FakeDesktopHost linkHost;
    std::unique_ptr<BaseStation> station;

    bool start(QString& failure) {
        test::EventBuilder b = test::large::sectionPlayed(30, 20);
        if (!sim.isValid() || !rig.start(b)) {
            failure = rig.failure();
            return false;
        }
        rig.data.setSetting(QStringLiteral("custom_qz_feedbackstyle"), QStringLiteral("1"));
        rig.data.setSetting(QStringLiteral("custom_qz_scoringtype"), QStringLiteral("0"));
        rig.host.mode = 1;
        rig.data.harness.config.writeMain(QStringLiteral("SerialDevices"), sim.devicePath());
        station = std::make_unique<BaseStation>(rig.data.harness.config, rig.data.harness.log,
                                                rig.data.harness.clock, linkHost, rig.host, rig.dispatcher);
        rig.dispatcher.attachSender(*station);
        station->initQueueSize();
        station->LoadPortSettings();
        station->startTimers();
        // As in the running program: no log line waits in memory for more than a second.
        rig.data.harness.log.startTimedWrites();
        if (!station->bs_OpenCommunication(true)) {
            failure = QStringLiteral("the link did not come up");
            return false;
        }
        // Knock, set channel, ask channel, firmware version; then their answers are read.
        if (!sim.waitForFrames(4)) {
            failure = QStringLiteral("the base-station commands did not arrive");
            return false;
        }
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 100)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        return true;
    }
};

void BM_BoardResultThroughThePort(benchmark::State& state) {
    LinkedProgram program;
    QString failure;
    if (!program.start(failure)) {
        state.SkipWithError(failure.toStdString().c_str());
        return;
    }
    // Table 1, round 1: NS 1 against EW 31 on board 1; 3NT by North, 9 or 10 tricks.
    QByteArray request = QByteArray::fromHex("3401232440011F");
    bool ten = false;
    for (auto _ : state) {
        ten = !ten;
        request[3] = static_cast<char>(4 * (ten ? 10 : 9));
        const qsizetype before = program.sim.frameCount();
        program.sim.sendTerminalFrame(kTerminal, request);
        if (!pumpUntilFrames(program.sim, before + 1)) {
            state.SkipWithError("no reply");
            break;
        }
        if (program.sim.framesReceivedFrom(before).constFirst().size() != kReplySize) {
            state.SkipWithError("the reply is not the traveller");
            break;
        }
    }
}

BENCHMARK(BM_BoardResultThroughThePort)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

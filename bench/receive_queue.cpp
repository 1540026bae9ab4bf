// Throughput of the receive path: bytes read from the port are cut into frames, checked
// and stored in the message queue (ReceiveMessage and msgPut).

#include "core/Log.h"
#include "support/FakeClock.h"
#include "support/FakeDesktopHost.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingRequestHandler.h"
#include "support/SimWire.h"
#include "terminal/LinkSettings.h"
#include "terminal/LinkState.h"
#include "terminal/ProcessQueue.h"
#include "terminal/RadioLink.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qzc;

// framesPerRead frames arrive in one read; the port poll takes every complete frame of it.
void receiveAndQueue(benchmark::State& state) {
    const auto framesPerRead = static_cast<int>(state.range(0));
    test::FakeClock clock;
    Log log(clock);
    LinkSettings settings;
    LinkState linkState;
    test::FakeSerialPort port;
    test::FakeDesktopHost host;
    test::RecordingRequestHandler handler;
    cls_ProcessQueue queue(log, clock, settings, linkState, handler);
    RadioLink link(log, clock, settings, linkState, port, queue, host);

    queue.pp_qSize(32767);
    queue.startProcess();
    // A board result of a terminal: code 52 with its 10 data bytes.
    const QByteArray frame = test::wire::terminalFrame(0x0123, QByteArray::fromHex("340102030405060708090a"));
    QByteArray read;
    for (int i = 0; i < framesPerRead; ++i)
        read += frame;

    int stored = 0;
    std::int64_t frames = 0;
    for (auto _ : state) {
        if (stored + framesPerRead >= 32000) {
            state.PauseTiming();
            queue.startProcess();
            stored = 0;
            state.ResumeTiming();
        }
        link.ReceiveFrames(read);
        stored += framesPerRead;
        frames += framesPerRead;
    }
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

BENCHMARK(receiveAndQueue)->Arg(1)->Arg(10);

} // namespace

// The ranking (request 56), the personal recap (106) and the score frequencies of four
// boards (104) as a terminal asks for them late in the evening: the dispatcher finds the
// table, passes the gate, builds the reply and cuts it into pieces. These run on the
// terminal's request path, so they must stay well below the reply's own time on the wire
// (a 110-byte piece takes about 29 ms at 38400 baud). The event: one Mitchell section of 30
// tables, 9 rounds of 3 boards, a terminal at every table, rounds 1 to 8 played (720
// results, every board played 7 or 8 times).
#include "support/DispatchRig.h"
#include "support/LargeEvents.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using qzc::test::DispatchRig;
using qzc::test::EventBuilder;

constexpr quint16 kTableOne = 1001;

std::unique_ptr<DispatchRig> startRig(const char* scoringType) {
    auto rig = std::make_unique<DispatchRig>();
    EventBuilder b = qzc::test::large::mitchellField(1, 30, 9, 3, true);
    if (!rig->start(b))
        qFatal("%s", qPrintable(rig->failure()));
    // The last round is still being played.
    rig->data.exec(QStringLiteral("DELETE FROM ReceivedData WHERE Round=9"));
    rig->data.setSetting(QStringLiteral("custom_qz_scoringtype"), QString::fromLatin1(scoringType));
    rig->data.setSetting(QStringLiteral("custom_qz_topranking"), QStringLiteral("0"));
    rig->host.mode = 1;
    return rig;
}

// Hands the request of table 1's terminal to the dispatcher; the reply must come back in
// the number of pieces given.
void run(benchmark::State& state, const char* scoringType, const char* hexRequest, int pieces) {
    const std::unique_ptr<DispatchRig> rig = startRig(scoringType);
    const QByteArray request = QByteArray::fromHex(hexRequest);
    for (auto _ : state) {
        rig->sender.sent.clear();
        if (rig->request(kTableOne, request) != 0 || rig->sender.sent.size() != pieces) {
            state.SkipWithError("no reply");
            break;
        }
    }
}

// Both rankings of the section: 30 NS and 30 EW pairs, 181 bytes in two pieces.
void BM_RankingRequestMatchpoints(benchmark::State& state) {
    run(state, "1", "38", 2);
}
BENCHMARK(BM_RankingRequestMatchpoints)->Unit(benchmark::kMillisecond);

void BM_RankingRequestCrossImps(benchmark::State& state) {
    run(state, "0", "38", 2);
}
BENCHMARK(BM_RankingRequestCrossImps)->Unit(benchmark::kMillisecond);

// NS pair 1's 24 boards, 96 bytes in one piece.
void BM_RecapRequestMatchpoints(benchmark::State& state) {
    run(state, "1", "6A01", 1);
}
BENCHMARK(BM_RecapRequestMatchpoints)->Unit(benchmark::kMillisecond);

void BM_RecapRequestCrossImps(benchmark::State& state) {
    run(state, "0", "6A01", 1);
}
BENCHMARK(BM_RecapRequestCrossImps)->Unit(benchmark::kMillisecond);

// NS pair 1's frequencies of boards 1 to 4 (as many as fit 103 bytes).
void BM_ScoreFrequencyRequest(benchmark::State& state) {
    run(state, "1", "68010101", 1);
}
BENCHMARK(BM_ScoreFrequencyRequest)->Unit(benchmark::kMillisecond);

} // namespace

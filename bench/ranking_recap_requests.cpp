// The ranking (request 56), the personal recap (106) and the score frequencies of four
// boards (104) as a terminal asks for them late in the evening: the dispatcher finds the
// table, passes the gate, builds the reply and cuts it into pieces. These run on the
// terminal's request path, so they must stay well below the reply's own time on the wire
// (a 110-byte piece takes about 29 ms at 38400 baud). The event: one Mitchell section of 30
// tables, 9 rounds of 3 boards, a terminal at every table, rounds 1 to 8 played (720
// results, every board played 7 or 8 times).
#include "support/DispatchRig.h"
#include "support/EventBuilder.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using qzc::test::DispatchRig;
using qzc::test::EventBuilder;
using qzc::test::ResultRow;

constexpr int kTables = 30;
constexpr int kRounds = 9;
constexpr int kPlayedRounds = 8;
constexpr int kBoardsPerRound = 3;

EventBuilder lateEvening() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.setStanza(a, 1, kRounds);
    b.addMitchellMovement(a, kTables, kRounds, kBoardsPerRound);
    const char* const contracts[] = {"4S", "3NT", "2H", "4H", "1NT", "3C", "5DX", "2S"};
    const char* const declarers[] = {"N", "E", "S", "W"};
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % range);
    };
    for (int t = 1; t <= kTables; ++t) {
        b.addTerminal(0x0100 + t, a, t);
        // With 30 tables the EW pairs skip no table in the first 15 rounds.
        for (int r = 1; r <= kPlayedRounds; ++r) {
            const int ew = kTables + 1 + ((t - r) % kTables + kTables) % kTables;
            const int boardSet = (t - 1 + r - 1) % kTables;
            for (int k = 1; k <= kBoardsPerRound; ++k) {
                const QString contract = QString::fromLatin1(contracts[next(8)]);
                const int level = contract.left(1).toInt();
                b.addResult(ResultRow::played(a, t, r, boardSet * kBoardsPerRound + k, t, ew, contract,
                                              QString::fromLatin1(declarers[next(4)]),
                                              qMin(13, 5 + level + next(4))));
            }
        }
    }
    return b;
}

std::unique_ptr<DispatchRig> startRig(const char* scoringType) {
    auto rig = std::make_unique<DispatchRig>();
    EventBuilder b = lateEvening();
    if (!rig->start(b))
        qFatal("%s", qPrintable(rig->failure()));
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
        if (rig->request(0x0101, request) != 0 || rig->sender.sent.size() != pieces) {
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

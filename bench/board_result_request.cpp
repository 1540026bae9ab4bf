// One board-result request end to end inside the program: the dispatcher finds the
// terminal's table, passes the gate, locks the table, decodes the result, checks it against
// the movement, stores it with its score (replacing the earlier one), builds the traveller
// and cuts the reply into its piece, then refreshes the main window and checks whether every
// terminal is done. The event: 30 tables of a Mitchell, 20 rounds of one board, a terminal
// at every table and all 600 results stored; every board has 19 other results to show.
#include "support/DispatchRig.h"
#include "support/EventBuilder.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using qzc::test::DispatchRig;
using qzc::test::EventBuilder;
using qzc::test::ResultRow;

constexpr int kTables = 30;
constexpr int kRounds = 20;

EventBuilder thirtyTables() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.setStanza(a, 1, kRounds);
    b.addMitchellMovement(a, kTables, kRounds, 1);
    for (int t = 1; t <= kTables; ++t) {
        b.addTerminal(0x0100 + t, a, t);
        for (int r = 1; r <= kRounds; ++r) {
            // Table t plays board ((t - 1) + (r - 1)) mod 30 + 1 against EW pair 31 + ((t - r) mod 30).
            const int board = (t - 1 + r - 1) % kTables + 1;
            const int ew = kTables + 1 + ((t - r) % kTables + kTables) % kTables;
            const int tricks = 7 + (t + r) % 5;
            b.addResult(
                ResultRow::played(a, t, r, board, t, ew, QStringLiteral("2S"), QStringLiteral("N"), tricks));
        }
    }
    return b;
}

void BM_BoardResultRequest(benchmark::State& state) {
    auto rig = std::make_unique<DispatchRig>();
    EventBuilder b = thirtyTables();
    if (!rig->start(b))
        qFatal("%s", qPrintable(rig->failure()));
    rig->data.setSetting(QStringLiteral("custom_qz_feedbackstyle"), QStringLiteral("1"));
    rig->data.setSetting(QStringLiteral("custom_qz_scoringtype"), QStringLiteral("0"));
    rig->host.mode = 1;
    rig->host.analyzeTimerOn = true;
    rig->host.entries = {1};
    rig->host.listIndex = 0;

    // Table 1, round 1: NS 1 against EW 31 on board 1; 3NT by North, 9 or 10 tricks.
    QByteArray request = QByteArray::fromHex("3401232440011F");
    bool ten = false;
    for (auto _ : state) {
        ten = !ten;
        request[3] = static_cast<char>(4 * (ten ? 10 : 9));
        rig->sender.sent.clear();
        const qint16 result = rig->request(0x0101, request);
        if (result != 0 || rig->sender.sent.size() != 1 || rig->sender.sent[0].body.size() != 4 + 3 * 19)
            state.SkipWithError("the request was not answered with the traveller");
        benchmark::DoNotOptimize(rig->sender.sent);
    }
}

BENCHMARK(BM_BoardResultRequest)->Unit(benchmark::kMicrosecond);

} // namespace

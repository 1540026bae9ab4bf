// One board-result request end to end inside the program: the dispatcher finds the
// terminal's table, passes the gate, locks the table, decodes the result, checks it against
// the movement, stores it with its score (replacing the earlier one), builds the traveller
// and cuts the reply into its piece, then refreshes the main window and checks whether every
// terminal is done. The event: 30 tables of a Mitchell, 20 rounds of one board, a terminal
// at every table and all 600 results stored; every board has 19 other results to show.
#include "support/DispatchRig.h"
#include "support/LargeEvents.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using qzc::test::DispatchRig;
using qzc::test::EventBuilder;

void BM_BoardResultRequest(benchmark::State& state) {
    auto rig = std::make_unique<DispatchRig>();
    EventBuilder b = qzc::test::large::sectionPlayed(30, 20);
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

// The completeness check that runs before every request while the game runs, on a section of
// 11, 31 or 91 tables with 9 rounds played (99, 279 or 819 results).
void BM_CompletenessCheck(benchmark::State& state) {
    auto rig = std::make_unique<DispatchRig>();
    EventBuilder b = qzc::test::large::sectionPlayed(static_cast<int>(state.range(0)), 9);
    if (!rig->start(b))
        qFatal("%s", qPrintable(rig->failure()));
    for (auto _ : state) {
        if (!rig->data.gameData.checkResultProgress(QStringLiteral("A1")))
            state.SkipWithError("the section is not complete");
    }
}

BENCHMARK(BM_CompletenessCheck)->Arg(11)->Arg(31)->Arg(91)->Unit(benchmark::kMicrosecond);

} // namespace

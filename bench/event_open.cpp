// Opening a large event up to a ready main window, the engine's part of the start-up: the
// score database is opened and checked (own schema, data checks, game settings), the
// sections and the movement are loaded, the game data analysed and the terminals'
// movement blocks built. The event: 50 sections of 20 Mitchell tables, 5 rounds of 3
// boards (5,000 movement rows), a terminal at every table and all 15,000 results stored.
// The player names are loaded and sorted in a benchmark of their own. Then the analysis that
// runs every minute while the game runs, on the opened event.
#include "gamedata/GameData.h"
#include "gamedata/GameDataAnalysis.h"
#include "gamedata/PlayerNames.h"
#include "support/EventHarness.h"
#include "support/FakeDesktopHost.h"
#include "support/LargeEvents.h"
#include "support/OtherProgram.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace qzc;

// The program folder with the large event built once, shared by the runs of this file.
const test::EventHarness& builtEvent() {
    static const std::unique_ptr<test::EventHarness> built = [] {
        auto harness = std::make_unique<test::EventHarness>();
        test::EventBuilder b = test::large::mitchellField(50, 20, 5, 3, true);
        if (harness->build(b).isEmpty())
            qFatal("%s", qPrintable(b.lastError()));
        return harness;
    }();
    return *built;
}

// One start of the program on the event, with what it keeps in memory.
struct OpenedEvent {
    explicit OpenedEvent(const QString& folder)
        : harness(folder), gameData(harness.db, harness.log, harness.settings, harness.event, harness.clock),
          names(harness.db, harness.log, harness.event, harness.config, harness.clock),
          analysis(gameData, names, harness.db, harness.log, harness.event, harness.messages, host, host) {}

    test::EventHarness harness;
    GameData gameData;
    PlayerNames names;
    test::FakeDesktopHost host;
    GameDataAnalysis analysis;
};

QString commandLine(const test::EventHarness& built) {
    return QStringLiteral("/f:\"") + built.filePath(QStringLiteral("club.db")) + QLatin1Char('"');
}

// The start-up with what it keeps in memory; false when it failed.
bool open(OpenedEvent& opened, const test::EventHarness& built) {
    if (!opened.harness.start(commandLine(built)))
        return false;
    opened.gameData.loadsectiondata();
    opened.gameData.loadrounddata();
    opened.analysis.AnalyzeGameDB();
    opened.gameData.preloadMovementMessage();
    return true;
}

void BM_OpenLargeEvent(benchmark::State& state) {
    const test::EventHarness& built = builtEvent();
    std::size_t rows = 0;
    for (auto _ : state) {
        OpenedEvent opened(built.appFolder);
        if (!open(opened, built)) {
            state.SkipWithError("the start-up failed");
            break;
        }
        rows = opened.gameData.movementRows().size();
        opened.harness.db.closeDatabase();
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_OpenLargeEvent)->Unit(benchmark::kMillisecond)->UseRealTime();

// The minute's analysis of the opened event; with the argument 1 another program has committed
// a change since the one before (not timed), so that the stored results are looked at again.
void BM_MinuteAnalysis(benchmark::State& state) {
    const test::EventHarness& built = builtEvent();
    OpenedEvent opened(built.appFolder);
    if (!open(opened, built)) {
        state.SkipWithError("the start-up failed");
        return;
    }
    const QString path = built.filePath(QStringLiteral("club.db"));
    int lead = 0;
    for (auto _ : state) {
        if (state.range(0) != 0) {
            state.PauseTiming();
            test::otherProgramRuns(
                path,
                QStringLiteral("UPDATE ReceivedData SET LeadCard='S%1' WHERE ID=1").arg(2 + lead++ % 8));
            state.ResumeTiming();
        }
        opened.analysis.AnalyzeGameDB();
    }
}
BENCHMARK(BM_MinuteAnalysis)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

// Loading the game data of a large event (100 sections, 5,000 movement rows, a terminal at
// every table) and storing board results.
#include "core/ResultEntry.h"
#include "core/SectionLetters.h"
#include "support/EventBuilder.h"
#include "support/GameDataHarness.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using qzc::test::EventBuilder;
using qzc::test::GameDataHarness;

constexpr int kSections = 100;
constexpr int kTables = 10;
constexpr int kRounds = 5;

QString sectionLetters(int section) {
    if (section <= qzc::maxSectionLetterNo)
        return qzc::sectionNoToLetter(static_cast<qint16>(section));
    // Past "ZZZ": two different letters, "AB", "AC", ...
    return QStringLiteral("A") + QChar(u'A' + (section - qzc::maxSectionLetterNo));
}

EventBuilder largeEvent() {
    EventBuilder b;
    for (int s = 1; s <= kSections; ++s) {
        const int id = b.addSection(sectionLetters(s));
        b.setStanza(id, 1, kRounds);
        b.addMitchellMovement(id, kTables, kRounds, 2);
        for (int t = 1; t <= kTables; ++t)
            b.addTerminal(1000 * s + t, id, t);
    }
    return b;
}

// One started program on the large event, shared by the benchmarks of this file.
GameDataHarness& event() {
    static const std::unique_ptr<GameDataHarness> data = [] {
        auto started = std::make_unique<GameDataHarness>();
        EventBuilder b = largeEvent();
        if (!started->start(b))
            qFatal("%s", qPrintable(started->failure()));
        return started;
    }();
    return *data;
}

void BM_LoadSectionsMovementAndBlocks(benchmark::State& state) {
    qzc::GameData& g = event().gameData;
    for (auto _ : state) {
        g.loadsectiondata();
        g.loadrounddata();
        g.preloadMovementMessage();
    }
    state.counters["rows"] = static_cast<double>(g.movementRows().size());
    state.counters["blocks"] = static_cast<double>(g.movementMessages().size());
}
BENCHMARK(BM_LoadSectionsMovementAndBlocks)->Unit(benchmark::kMillisecond);

void BM_loadsectiondata(benchmark::State& state) {
    qzc::GameData& g = event().gameData;
    for (auto _ : state)
        g.loadsectiondata();
}
BENCHMARK(BM_loadsectiondata)->Unit(benchmark::kMillisecond);

void BM_loadrounddata(benchmark::State& state) {
    qzc::GameData& g = event().gameData;
    g.loadsectiondata();
    for (auto _ : state)
        g.loadrounddata();
}
BENCHMARK(BM_loadrounddata)->Unit(benchmark::kMillisecond);

void BM_preloadMovementMessage(benchmark::State& state) {
    qzc::GameData& g = event().gameData;
    g.loadsectiondata();
    g.loadrounddata();
    for (auto _ : state)
        g.preloadMovementMessage();
}
BENCHMARK(BM_preloadMovementMessage)->Unit(benchmark::kMillisecond);

// Stores (and from the second round of boards on replaces) one result of a table of the
// last section: each call is one transaction that reaches the disk.
void BM_markResult(benchmark::State& state) {
    GameDataHarness& data = event();
    qzc::GameData& g = data.gameData;
    g.loadsectiondata();
    g.loadrounddata();
    const QString tableId = sectionLetters(kSections) + QStringLiteral("1");
    qzc::ResultEntry entry;
    entry.contract = QStringLiteral("4S");
    entry.declarer = QStringLiteral("N");
    entry.tricks = 10;
    entry.lead = QStringLiteral("H5");
    entry.valid = -1;
    qint16 next = 0;
    for (auto _ : state) {
        // Round 1 at table 1: NS 1 against EW 11 on boards 1-2.
        entry.board = static_cast<qint16>(next % 2 + 1);
        ++next;
        if (!g.markResult(tableId, entry, 1, 1, 11, 0, 0).succeeded())
            state.SkipWithError("markResult failed");
    }
}
BENCHMARK(BM_markResult)->Unit(benchmark::kMicrosecond);

} // namespace

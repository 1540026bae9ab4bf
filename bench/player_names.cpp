// The known players in memory: loading 500,000 names from the score database, looking a
// member number up as a terminal sends it, and sorting a list of equal numbers.
#include "gamedata/PlayerNames.h"
#include "support/EventBuilder.h"
#include "support/EventHarness.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

using qzc::KnownPlayer;
using qzc::PlayerNames;
using qzc::test::EventHarness;

constexpr int kNames = 500000;

// A started program whose PlayerNames table holds 500,000 twelve-digit member numbers in
// no particular order.
struct NamesEvent {
    EventHarness harness;
    PlayerNames names{harness.db, harness.log, harness.event, harness.config, harness.clock};
};

NamesEvent& event() {
    static const std::unique_ptr<NamesEvent> data = [] {
        auto started = std::make_unique<NamesEvent>();
        qzc::test::EventBuilder b;
        const int a = b.addSection(QStringLiteral("A"));
        b.addMitchellMovement(a, 3, 3, 2);
        if (!started->harness.buildAndStart(b))
            qFatal("the event does not start");
        // Twelve-digit numbers, stored in random order.
        const bool filled = started->harness.db.execSQL(
            QStringLiteral("INSERT INTO PlayerNames (ID, Name) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL"
                           " SELECT i + 1 FROM n WHERE i < ") +
                QString::number(kNames) +
                QStringLiteral(
                    ") SELECT 100000000000 + i * 37, 'Player Number ' || i FROM n ORDER BY random()"),
            QStringLiteral("bench"));
        if (!filled)
            qFatal("the names are not stored");
        started->names.loadPlayerNameList();
        return started;
    }();
    return *data;
}

// At start-up: the list is empty.
void BM_loadPlayerNameList(benchmark::State& state) {
    NamesEvent& e = event();
    for (auto _ : state) {
        state.PauseTiming();
        auto names = std::make_unique<PlayerNames>(e.harness.db, e.harness.log, e.harness.event,
                                                   e.harness.config, e.harness.clock);
        state.ResumeTiming();
        names->loadPlayerNameList();
        state.PauseTiming();
        state.counters["names"] = static_cast<double>(names->playerNameList().size());
        names.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_loadPlayerNameList)->Unit(benchmark::kMillisecond);

// At game start: the list loaded at start-up is replaced.
void BM_reloadPlayerNameList(benchmark::State& state) {
    PlayerNames& names = event().names;
    for (auto _ : state)
        names.loadPlayerNameList();
}
BENCHMARK(BM_reloadPlayerNameList)->Unit(benchmark::kMillisecond);

// The six digit-pair bytes of a number, as request 40 carries them.
QByteArray numberBytes(double number) {
    QByteArray bytes(6, '\0');
    auto n = static_cast<qint64>(number);
    for (int i = 5; i >= 0; --i, n /= 100)
        bytes[i] = static_cast<char>(n % 100);
    return bytes;
}

void BM_getPlayerName(benchmark::State& state) {
    const PlayerNames& names = event().names;
    const std::vector<KnownPlayer>& list = names.playerNameList();
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, list.size() - 1);
    std::vector<QByteArray> wanted;
    for (int i = 0; i < 1024; ++i)
        wanted.push_back(numberBytes(list[pick(random)].number));
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(names.getPlayerName(wanted[next]));
        next = (next + 1) % wanted.size();
    }
}
BENCHMARK(BM_getPlayerName)->Unit(benchmark::kMicrosecond);

void BM_Time_SearchPlayer(benchmark::State& state) {
    PlayerNames& names = event().names;
    for (auto _ : state)
        benchmark::DoNotOptimize(names.Time_SearchPlayer());
}
BENCHMARK(BM_Time_SearchPlayer)->Unit(benchmark::kMicrosecond);

void BM_SortEqualNumbers(benchmark::State& state) {
    std::vector<KnownPlayer> same(kNames);
    for (KnownPlayer& record : same)
        record.number = 7;
    for (auto _ : state) {
        std::vector<KnownPlayer> list = same;
        qzc::quickSortPlayers(list, 0, list.size() - 1, false);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_SortEqualNumbers)->Unit(benchmark::kMillisecond);

} // namespace

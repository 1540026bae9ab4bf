// Ranking, results.txt and the hand-record result file for an event of 100 tables and
// 2,700 results: four Mitchell sections of 25 tables, 9 rounds of 3 boards, names registered
// in three of them.
#include "reports/HandRecordResultFile.h"
#include "reports/ResultFile.h"
#include "scoring/PairScore.h"
#include "support/ScoringEvent.h"

#include <benchmark/benchmark.h>

namespace {

using qzc::test::EventBuilder;
using qzc::test::ResultRow;
using qzc::test::ScoringEvent;

constexpr int kSections = 4;
constexpr int kTables = 25;
constexpr int kRounds = 9;
constexpr int kBoardsPerRound = 3;

EventBuilder hundredTables() {
    EventBuilder b;
    const char* contracts[] = {"4S", "3NT", "2H", "4H", "1NT", "3C", "5DX", "2S"};
    const char* declarers[] = {"N", "E", "S", "W"};
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int s = 1; s <= kSections; ++s) {
        const QString letter = QString(QChar('A' + s - 1));
        b.addSection(letter);
        b.addMitchellMovement(s, kTables, kRounds, kBoardsPerRound);
    }
    // The movement as the builder lays it out, to seat every result where it was played.
    for (int s = 1; s <= kSections; ++s) {
        for (int t = 1; t <= kTables; ++t) {
            for (int r = 1; r <= kRounds; ++r) {
                const int ewIndex = (((t - 1) - (r - 1)) % kTables + kTables) % kTables;
                const int boardSet = ((t - 1) + (r - 1)) % kTables;
                for (int k = 1; k <= kBoardsPerRound; ++k) {
                    const QString contract = QString::fromLatin1(contracts[next(8)]);
                    const int level = contract.left(1).toInt();
                    b.addResult(ResultRow::played(s, t, r, boardSet * kBoardsPerRound + k, t,
                                                  kTables + 1 + ewIndex, contract,
                                                  QString::fromLatin1(declarers[next(4)]),
                                                  qMin(13, 6 + level - 1 + static_cast<int>(next(4)))));
                }
            }
            if (s == kSections)
                continue;
            const int ewPair = kTables + 1 + (((t - 1) - (kRounds - 1)) % kTables + kTables) % kTables;
            const char* seats[] = {"N", "S", "E", "W"};
            for (int i = 0; i < 4; ++i) {
                const int pair = i < 2 ? t : ewPair;
                b.addRegisteredPlayer(s, t, QString::fromLatin1(seats[i]),
                                      QString::number(10000 * s + 10 * t + i),
                                      QStringLiteral("Player %1-%2-%3").arg(s).arg(t).arg(i), pair);
            }
        }
    }
    return b;
}

bool openEvent(ScoringEvent& event, benchmark::State& state, const char* scoringType) {
    EventBuilder builder = hundredTables();
    if (!event.open(builder)) {
        state.SkipWithError(event.error().toStdString().c_str());
        return false;
    }
    event.set(QStringLiteral("custom_qz_scoringtype"), QString::fromLatin1(scoringType));
    return true;
}

void BM_RankSection(benchmark::State& state) {
    ScoringEvent event;
    if (!openEvent(event, state, "1"))
        return;
    qzc::PairRanking ranking(event.db, event.settings, event.log, event.boards);
    for (auto _ : state) {
        auto records = ranking.calcPairScore(1, qzc::RankingSide::NorthSouth, 0, 0, false);
        if (!records || records->size() != static_cast<std::size_t>(kTables))
            state.SkipWithError("ranking failed");
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(BM_RankSection)->Unit(benchmark::kMillisecond);

void BM_RankWholeFieldImps(benchmark::State& state) {
    ScoringEvent event;
    if (!openEvent(event, state, "0"))
        return;
    event.set(QStringLiteral("custom_qz_scoreacrosspair"), QStringLiteral("1"));
    qzc::PairRanking ranking(event.db, event.settings, event.log, event.boards);
    for (auto _ : state) {
        auto records = ranking.calcPairScore(1, qzc::RankingSide::Both, 0, 0, false);
        if (!records || records->size() != static_cast<std::size_t>(2 * kTables * kSections))
            state.SkipWithError("ranking failed");
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(BM_RankWholeFieldImps)->Unit(benchmark::kMillisecond);

void writeResultsTxt(benchmark::State& state, const char* scoringType) {
    ScoringEvent event;
    if (!openEvent(event, state, scoringType))
        return;
    const qzc::ResultFileGameData game = event.gameData();
    qzc::ResultFile file(event.db, event.settings, event.log, event.boards);
    for (auto _ : state) {
        const qzc::ResultFileOutcome outcome = file.makeresultFile_v1(event.folder.path(), game);
        if (!outcome.written())
            state.SkipWithError(outcome.reason.toStdString().c_str());
    }
}

void BM_WriteResultsTxtMatchpoints(benchmark::State& state) {
    writeResultsTxt(state, "1");
}
BENCHMARK(BM_WriteResultsTxtMatchpoints)->Unit(benchmark::kMillisecond);

void BM_WriteResultsTxtCrossImps(benchmark::State& state) {
    writeResultsTxt(state, "0");
}
BENCHMARK(BM_WriteResultsTxtCrossImps)->Unit(benchmark::kMillisecond);

void BM_WriteHandRecordResultFile(benchmark::State& state) {
    ScoringEvent event;
    if (!openEvent(event, state, "1"))
        return;
    qzc::HandRecordResultFile file(event.db, event.log);
    for (auto _ : state) {
        const qzc::ResultFileOutcome outcome = file.HandRecord_resultFile(event.folder.path());
        if (!outcome.written())
            state.SkipWithError(outcome.reason.toStdString().c_str());
    }
}
BENCHMARK(BM_WriteHandRecordResultFile)->Unit(benchmark::kMillisecond);

} // namespace

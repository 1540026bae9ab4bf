// One played-card request inside the program, on an evening where the play is recorded:
// the dispatcher finds the terminal's table and the round of the board, checks that the
// trick is not the one stored last, and appends its card under the next counter. The event:
// 30 tables of a Mitchell, 20 rounds of one board, with 0 or 31,200 played cards stored
// already (every table's 52 cards of every board it played).
#include "support/DispatchRig.h"
#include "support/LargeEvents.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using qzc::test::DispatchRig;
using qzc::test::EventBuilder;

void BM_PlayedCardRequest(benchmark::State& state) {
    auto rig = std::make_unique<DispatchRig>();
    EventBuilder b = qzc::test::large::sectionPlayed(30, 20);
    if (!rig->start(b))
        qFatal("%s", qPrintable(rig->failure()));
    rig->host.mode = 1;
    // 52 cards for each of 30 tables x 20 rounds, i = 0 .. 31199.
    if (state.range(0) != 0 &&
        !rig->data.exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i<31199) "
            "INSERT INTO PlayData (Section, [Table], Round, Board, Counter, Direction, Card) "
            "SELECT 1, 1+i/1040, 1+(i/52)%20, 1+(i/1040+(i/52)%20)%30, 1+i%52, substr('NESW', 1+i%4, 1), "
            "substr('CDHS', 1+(i/13)%4, 1)||substr('A23456789TJQK', 1+i%13, 1) FROM n")))
        qFatal("the played cards could not be stored");

    // Table 1, round 1, board 1: the trick led by North (seat before the leader: West),
    // ace or king of spades, then three small clubs.
    QByteArray request = QByteArray::fromHex("5401030B070F13");
    bool ace = false;
    for (auto _ : state) {
        ace = !ace;
        request[3] = static_cast<char>(ace ? 0x07 : 0x37);
        rig->sender.sent.clear();
        if (rig->request(0x0101, request) != 0 || rig->sender.sent.size() != 1)
            state.SkipWithError("the played card was not acknowledged");
    }
}

BENCHMARK(BM_PlayedCardRequest)->ArgName("stored")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

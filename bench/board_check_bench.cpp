// One full board check, the work of a Timer1 tick after a removal, on a freshly dealt board.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"

namespace tilvara::bench {
namespace {

void BM_BoardCheckDealtBoard(benchmark::State& state) {
    DealtGame dealt(20240611);
    Game& game = dealt.game;
    for (auto _ : state) {
        game.Timer1_Timer();
        benchmark::DoNotOptimize(game.View().Label1.caption.data());
    }
    // The check value: linkable pairs, as the label shows them.
    state.counters["pairs"] = game.CountLinkablePairs(false) / 2;
    state.SetLabel(game.View().Label1.caption);
}
BENCHMARK(BM_BoardCheckDealtBoard);

}  // namespace
}  // namespace tilvara::bench

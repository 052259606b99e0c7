// The link check over every pair the board check tries: each ordered pair of tiles of one
// kind on a freshly dealt board, and on the same board with half the kinds cleared.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_support.h"
#include "game/pair_scan.h"
#include "tests/support/reference_scan.h"

namespace tilvara::bench {
namespace {

constexpr std::uint64_t Seed = 20240611;

struct Pair {
    Cell a, b;
};

std::vector<Pair> EqualKindPairs(const Board& board) {
    std::vector<Pair> pairs;
    reference::ForEachEqualKindPair(board, [&](Cell a, Cell b) {
        pairs.push_back({a, b});
        return false;
    });
    return pairs;
}

// The fast pair scan counts the same pairs from each end, or the figures mean nothing.
void CheckAgainstPairScan(const Board& board, int linkable) {
    int expected = 0;
    PairScan(board).ForEachLinkablePair([&](Cell, Cell) { expected += 2; });
    if (linkable == expected) return;
    std::fprintf(stderr, "link_bench: CanLink accepts %d ordered pairs, the pair scan %d, on\n%s\n",
                 linkable, expected, board.ToPicture().c_str());
    std::abort();
}

void RunCanLink(benchmark::State& state, const Board& board) {
    const std::vector<Pair> pairs = EqualKindPairs(board);
    int linkable = 0;
    for (auto _ : state) {
        linkable = 0;
        for (const Pair& p : pairs) linkable += CanLink(board, p.a.row, p.a.col, p.b.row, p.b.col);
        benchmark::DoNotOptimize(linkable);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pairs.size()));
    state.counters["pairs"] = static_cast<double>(pairs.size());
    CheckAgainstPairScan(board, linkable);
    state.counters["linkable"] = linkable;  // the check value: ordered pairs that link
}

void BM_CanLinkDealtBoard(benchmark::State& state) {
    DealtGame dealt(Seed);
    RunCanLink(state, dealt.game.board);
}
BENCHMARK(BM_CanLinkDealtBoard);

// Mid-game: longer paths through emptied cells, more candidates per pair.
void BM_CanLinkHalfCleared(benchmark::State& state) {
    DealtGame dealt(Seed);
    Board board = dealt.game.board;
    for (int row = 1; row <= Rows; ++row)
        for (int col = 1; col <= Cols; ++col)
            if (board(row, col) % 2 == 0) board(row, col) = 0;
    RunCanLink(state, board);
}
BENCHMARK(BM_CanLinkHalfCleared);

}  // namespace
}  // namespace tilvara::bench

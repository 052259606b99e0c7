// One full board check, the work of a Timer1 tick after a removal, and the hint's search,
// beside the straightforward reference scan on the same dealt and part-cleared boards. The
// two must agree on every board, or the program stops before measuring anything.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "game/pair_scan.h"
#include "tests/support/reference_scan.h"

namespace tilvara::bench {

// Outside any anonymous namespace and never inlined, so that
// scripts/measure-board-check.sh can count their instructions by name under callgrind.
[[gnu::noinline]] void NewBoardCheck(MainForm& game) {
    game.Timer1_Timer();
    benchmark::DoNotOptimize(game.View().Label1.caption.data());
}

[[gnu::noinline]] int ReferenceBoardCheck(const Board& board) {
    const int count = reference::CountLinkablePairs(board);
    benchmark::DoNotOptimize(count);
    return count;
}

namespace {

constexpr std::uint64_t Seeds[] = {20240611, 1, 2, 3, 5, 8, 13, 21};
constexpr int PairsCleared = 30;  // of 72: a board in the middle of a level

using Games = std::vector<std::unique_ptr<DealtGame>>;

// A level-1 board after removing, again and again, the pair the hint would show.
void ClearPairs(MainForm& game, int pairs) {
    Board board = game.board;
    for (int n = 0; n < pairs; ++n) {
        const std::optional<CellPair> pair = reference::FirstLinkablePair(board);
        if (!pair) break;
        board(pair->first.row, pair->first.col) = 0;
        board(pair->second.row, pair->second.col) = 0;
    }
    game.PlaceBoard(board);
}

void Disagree(const Board& board, const char* what) {
    std::fprintf(stderr, "board_check_bench: the pair scan and the reference differ in %s on\n%s\n",
                 what, board.ToPicture().c_str());
    std::abort();
}

// The board check's label and count, the hint's pair and the linkable tiles, each against
// the reference.
void CheckAgreement(MainForm& game) {
    const Board& board = game.board;
    const int expected = reference::CountLinkablePairs(board);
    game.Timer1_Timer();
    if (game.View().Label1.caption != "还有" + std::to_string(expected / 2) + "个连通!")
        Disagree(board, "Label1");
    if (game.CountLinkablePairs(false) != expected) Disagree(board, "the count");
    const PairScan scan(board);
    if (scan.FirstLinkablePair() != reference::FirstLinkablePair(board))
        Disagree(board, "the hint's pair");
    std::vector<Cell> cells;
    bool linked[BoardRows][BoardCols] = {};
    scan.ForEachLinkablePair(
        [&](Cell a, Cell b) { linked[a.row][a.col] = linked[b.row][b.col] = true; });
    for (int n = 1; n <= CellCount; ++n)
        if (const Cell c = CellOf(n); linked[c.row][c.col]) cells.push_back(c);
    if (cells != reference::LinkableCells(board)) Disagree(board, "the linkable tiles");
}

const Games& Boards(bool cleared) {
    static const auto build = [](bool clear) {
        Games games;
        for (const std::uint64_t seed : Seeds) {
            games.push_back(std::make_unique<DealtGame>(seed));
            if (clear) ClearPairs(games.back()->game, PairsCleared);
            CheckAgreement(games.back()->game);
        }
        return games;
    };
    static const Games dealt = build(false);
    static const Games partCleared = build(true);
    return cleared ? partCleared : dealt;
}

// The check values: linkable pairs summed over the boards, and the boards.
void Report(benchmark::State& state, const Games& games, int orderedPairs) {
    state.counters["boards"] = static_cast<double>(games.size());
    state.counters["pairs"] = orderedPairs / 2;
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(games.size()));
}

// range(0): 0 dealt boards, 1 part-cleared boards.
void BM_BoardCheck(benchmark::State& state) {
    const Games& games = Boards(state.range(0) != 0);
    for (auto _ : state)
        for (const auto& g : games) NewBoardCheck(g->game);
    int pairs = 0;
    for (const auto& g : games) pairs += g->game.CountLinkablePairs(false);
    Report(state, games, pairs);
}
BENCHMARK(BM_BoardCheck)->ArgName("cleared")->Arg(0)->Arg(1);

void BM_ReferenceScan(benchmark::State& state) {
    const Games& games = Boards(state.range(0) != 0);
    int pairs = 0;
    for (auto _ : state) {
        pairs = 0;
        for (const auto& g : games) pairs += ReferenceBoardCheck(g->game.board);
    }
    Report(state, games, pairs);
}
BENCHMARK(BM_ReferenceScan)->ArgName("cleared")->Arg(0)->Arg(1);

// The hint's search alone: it stops at the first pair, so the part-cleared boards, where
// that pair lies further in, are the costly case.
void BM_HintPair(benchmark::State& state) {
    const Games& games = Boards(true);
    const bool useReference = state.range(0) != 0;
    for (auto _ : state) {
        for (const auto& g : games) {
            const std::optional<CellPair> pair = useReference
                                                     ? reference::FirstLinkablePair(g->game.board)
                                                     : PairScan(g->game.board).FirstLinkablePair();
            benchmark::DoNotOptimize(pair);
        }
    }
    state.counters["boards"] = static_cast<double>(games.size());
}
BENCHMARK(BM_HintPair)->ArgName("reference")->Arg(0)->Arg(1);

// One check per board, once: what scripts/measure-board-check.sh runs under callgrind.
void BM_OnceEach(benchmark::State& state) {
    const Games& games = Boards(state.range(1) != 0);
    const bool useReference = state.range(0) != 0;
    int pairs = 0;
    for (auto _ : state) {
        pairs = 0;
        for (const auto& g : games) {
            if (useReference) {
                pairs += ReferenceBoardCheck(g->game.board);
            } else {
                NewBoardCheck(g->game);
                pairs += g->game.CountLinkablePairs(false);
            }
        }
    }
    Report(state, games, pairs);
}
BENCHMARK(BM_OnceEach)
    ->ArgNames({"reference", "cleared"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Iterations(1);

}  // namespace
}  // namespace tilvara::bench

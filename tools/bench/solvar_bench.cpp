// Benchmarks of the capture scan, the threat evaluation and the computer's
// move on the largest field (45 x 35), at the opening, the middle (a third of
// the way through a game) and the end of a computer-against-computer game,
// and one whole such game; and the strong computer's random games a second
// on 15 x 15, 31 x 31 and 45 x 35, from the empty field and from the middle of
// a game, on one thread and on every core.

#include <benchmark/benchmark.h>

#include <limits>
#include <thread>
#include <vector>

#include "ai/strong_search.h"
#include "ai/threat.h"
#include "engine/capture_scan.h"
#include "match/match.h"

namespace {

using namespace solvar;

constexpr std::uint64_t GameSeed = 20261208;

engine::Board EmptyField(int width, int height) {
  engine::Board board;
  board.SetFieldSize(width, height);
  engine::FrameBoard(board);
  return board;
}

engine::Board EmptyLargestField() { return EmptyField(engine::MaxFieldWidth, engine::MaxFieldHeight); }

// A game on its own, reporting nothing.
struct QuietMatch {
  explicit QuietMatch(std::uint64_t seed) : Random(seed) {}
  match::MatchObserver Quiet;
  engine::Random Random;
  records::RecordsTable Records;
  match::Match Game{Quiet, Random, Records};
};

// Every position of one whole game, from the empty field to the last move.
std::vector<engine::Board> WholeGame(const engine::Board& empty) {
  QuietMatch quiet(GameSeed);
  quiet.Game.Board() = empty;
  std::vector<engine::Board> all{quiet.Game.Board()};
  engine::Side mover = engine::Side::Own;
  while (quiet.Game.SelfPlay(mover, 1) == 1) all.push_back(quiet.Game.Board());
  return all;
}

const std::vector<engine::Board>& GamePositions() {
  static const std::vector<engine::Board> positions = WholeGame(EmptyLargestField());
  return positions;
}

// 0: opening (10 moves in), 1: middle (a third of the game), 2: end (9/10).
const engine::Board& Position(int phase) {
  const auto& all = GamePositions();
  const std::size_t last = all.size() - 1;
  const std::size_t index = phase == 0 ? 10 : phase == 1 ? last / 3 : last * 9 / 10;
  return all[index];
}

void PhaseArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"phase"})->Arg(0)->Arg(1)->Arg(2);
}

void BM_ScanCaptures(benchmark::State& state) {
  const engine::Board start = Position(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    engine::Board board = start;
    benchmark::DoNotOptimize(engine::ScanCaptures(board, engine::Side::Rival));
  }
}
BENCHMARK(BM_ScanCaptures)->Apply(PhaseArgs);

void BM_EvaluateThreat(benchmark::State& state) {
  const engine::Board& board = Position(static_cast<int>(state.range(0)));
  const engine::BoardMasks masks = engine::SplitBoard(board);
  ai::ThreatWorkspace workspace;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ai::EvaluateThreat(board, masks, engine::Side::Rival, workspace));
  }
}
BENCHMARK(BM_EvaluateThreat)->Apply(PhaseArgs);

void BM_ComputerMove(benchmark::State& state) {
  const engine::Board start = Position(static_cast<int>(state.range(0)));
  QuietMatch quiet(1);
  for (auto _ : state) {
    quiet.Game.Board() = start;
    benchmark::DoNotOptimize(quiet.Game.ComputerMove(engine::Side::Rival));
  }
}
BENCHMARK(BM_ComputerMove)->Apply(PhaseArgs);

void BM_SelfPlayGame(benchmark::State& state) {
  int moves = 0;
  QuietMatch quiet(GameSeed);
  for (auto _ : state) {
    quiet.Random.FixSeed(GameSeed);
    quiet.Game.Board() = EmptyLargestField();
    engine::Side mover = engine::Side::Own;
    moves = quiet.Game.SelfPlay(mover, std::numeric_limits<int>::max());
  }
  state.counters["moves"] = moves;
}
BENCHMARK(BM_SelfPlayGame)->Unit(benchmark::kMillisecond);

// Width 15, 31 or 45 (by 15, 31 or 35); phase 0 the empty field, 1 a third
// of the way through a game. Each thread plays games of its own; the rate is
// games a second over all threads.
void BM_RandomGames(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const engine::Board empty = EmptyField(width, width == 45 ? 35 : width);
  const engine::Board start = state.range(1) == 0 ? empty : [&] {
    const std::vector<engine::Board> game = WholeGame(empty);
    return game[game.size() / 3];
  }();
  ai::RandomGames games(start, engine::Side::Own, 1 + static_cast<std::uint64_t>(state.thread_index()));
  for (auto _ : state) benchmark::DoNotOptimize(games.PlayOne());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RandomGames)
    ->ArgNames({"width", "phase"})
    ->ArgsProduct({{15, 31, 45}, {0, 1}})
    ->Threads(1)
    ->Threads(static_cast<int>(std::max(2U, std::thread::hardware_concurrency())))
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

// Benchmarks of the capture scan, the threat evaluation and the computer's
// move on the largest field (45 x 35), at the opening, the middle (a third of
// the way through a game) and the end of a computer-against-computer game,
// and one whole such game.

#include <benchmark/benchmark.h>

#include <vector>

#include "ai/computer_move.h"
#include "engine/capture_scan.h"

namespace {

using namespace solvar;

constexpr std::uint64_t GameSeed = 20261208;

engine::Board EmptyLargestField() {
  engine::Board board;
  board.SetFieldSize(engine::MaxFieldWidth, engine::MaxFieldHeight);
  engine::FrameBoard(board);
  return board;
}

// Every position of one whole game, from the empty field to the last move.
const std::vector<engine::Board>& GamePositions() {
  static const std::vector<engine::Board> positions = [] {
    std::vector<engine::Board> all{EmptyLargestField()};
    engine::Random random(GameSeed);
    ai::MoveObserver quiet;
    engine::Side mover = engine::Side::Own;
    engine::Board board = all.back();
    while (ai::ComputerMove(board, mover, ai::MoveContext{quiet, random, {}})) {
      all.push_back(board);
      mover = engine::Opponent(mover);
    }
    return all;
  }();
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
  engine::Random random(1);
  engine::CaptureObserver quiet;
  for (auto _ : state) {
    engine::Board board = start;
    benchmark::DoNotOptimize(engine::ScanCaptures(board, engine::Side::Rival,
                                                  engine::ScanContext{quiet, random, false}));
  }
}
BENCHMARK(BM_ScanCaptures)->Apply(PhaseArgs);

void BM_EvaluateThreat(benchmark::State& state) {
  const engine::Board& board = Position(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ai::EvaluateThreat(board, engine::Side::Rival));
  }
}
BENCHMARK(BM_EvaluateThreat)->Apply(PhaseArgs);

void BM_ComputerMove(benchmark::State& state) {
  const engine::Board start = Position(static_cast<int>(state.range(0)));
  engine::Random random(1);
  ai::MoveObserver quiet;
  for (auto _ : state) {
    engine::Board board = start;
    benchmark::DoNotOptimize(
        ai::ComputerMove(board, engine::Side::Rival, ai::MoveContext{quiet, random, {}}));
  }
}
BENCHMARK(BM_ComputerMove)->Apply(PhaseArgs);

void BM_SelfPlayGame(benchmark::State& state) {
  ai::MoveObserver quiet;
  int moves = 0;
  for (auto _ : state) {
    engine::Board board = EmptyLargestField();
    engine::Random random(GameSeed);
    engine::Side mover = engine::Side::Own;
    moves = 0;
    while (ai::ComputerMove(board, mover, ai::MoveContext{quiet, random, {}})) {
      mover = engine::Opponent(mover);
      ++moves;
    }
  }
  state.counters["moves"] = moves;
}
BENCHMARK(BM_SelfPlayGame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// solvar-selfplay-soak: many whole computer-against-computer games on the
// largest field, with the resident memory after each hundred. Built with the
// sanitizers, LeakSanitizer checks at exit that nothing was leaked.
// Usage: solvar-selfplay-soak [GAMES]

#include <cstdio>
#include <cstdlib>

#include "ai/computer_move.h"
#include "memory_use.h"

int main(int argc, char* argv[]) {
  using namespace solvar;
  const int games = argc > 1 ? std::atoi(argv[1]) : 1000;
  long moves = 0;
  long firstHundred = 0;
  for (int game = 1; game <= games; ++game) {
    engine::Board board;
    board.SetFieldSize(engine::MaxFieldWidth, engine::MaxFieldHeight);
    engine::FrameBoard(board);
    engine::Random random(static_cast<std::uint64_t>(game));
    ai::MoveObserver quiet;
    engine::Side mover = engine::Side::Own;
    while (ai::ComputerMove(board, mover, ai::MoveContext{quiet, random, {}})) {
      mover = engine::Opponent(mover);
      ++moves;
    }
    if (engine::CountCells(board).FreeCount != 0) return std::puts("a game stopped with free nodes left"), 1;
    if (game % 100 == 0) {
      const long resident = tools::ResidentKiB();
      if (firstHundred == 0) firstHundred = resident;
      std::printf("games %d  moves %ld  resident %ld KiB\n", game, moves, resident);
    }
  }
  std::printf("done: %d games, %ld moves, resident %ld KiB (after the first hundred: %ld KiB)\n", games, moves,
              tools::ResidentKiB(), firstHundred);
  return 0;
}

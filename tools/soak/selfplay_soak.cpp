// solvar-selfplay-soak: many whole computer-against-computer games on the
// largest field, with the resident memory after each hundred. Built with the
// sanitizers, LeakSanitizer checks at exit that nothing was leaked.
// Usage: solvar-selfplay-soak [GAMES]

#include <cstdio>
#include <cstdlib>

#include <limits>

#include "match/match.h"
#include "memory_use.h"

int main(int argc, char* argv[]) {
  using namespace solvar;
  const int games = argc > 1 ? std::atoi(argv[1]) : 1000;
  long moves = 0;
  long firstHundred = 0;
  for (int game = 1; game <= games; ++game) {
    engine::Random random(static_cast<std::uint64_t>(game));
    match::MatchObserver quiet;
    records::RecordsTable records;
    match::Match play(quiet, random, records);
    play.Board().SetFieldSize(engine::MaxFieldWidth, engine::MaxFieldHeight);
    play.ResetPosition();
    engine::Side mover = engine::Side::Own;
    moves += play.SelfPlay(mover, std::numeric_limits<int>::max());
    if (play.Counts().FreeCount != 0) return std::puts("a game stopped with free nodes left"), 1;
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

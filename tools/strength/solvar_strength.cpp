// solvar-strength: whole games of the strong computer against the standard
// one through the engine driver's commands, half with the strong computer as
// side 1 and half as side 2, side 1 always moving first. The standard
// computer is told the strong one's last dot as the player's last move, as
// in a game at the window. Prints each game and the tally.
// Usage: solvar-strength [GAMES] [WIDTH HEIGHT] [MOVETIME-MS] [PLAYOUTS] [FIRST-GAME] [OPENING]
// (a number of random games a move instead of the time makes a run repeat;
// OPENING is a start of the engine driver's "opening": cross, two, four,
// random, each game's random crosses drawn from its seed)

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "engine_driver/engine_session.h"

namespace {

using solvar::tools::EngineSession;

std::string Ask(EngineSession& session, const std::string& command) {
  const std::string answer = session.Handle(command);
  if (answer.rfind("?", 0) == 0) {
    std::fprintf(stderr, "%s: %s", command.c_str(), answer.c_str());
    std::exit(1);
  }
  return answer.substr(answer.find_first_not_of("= "));
}

}  // namespace

int main(int argc, char* argv[]) {
  const int games = argc > 1 ? std::atoi(argv[1]) : 20;
  const int width = argc > 3 ? std::atoi(argv[2]) : 15;
  const int height = argc > 3 ? std::atoi(argv[3]) : 15;
  const int moveTime = argc > 4 ? std::atoi(argv[4]) : 50;
  const int playouts = argc > 5 ? std::atoi(argv[5]) : 0;
  const int firstGame = argc > 6 ? std::atoi(argv[6]) : 0;
  const std::string opening = argc > 7 ? argv[7] : "empty";
  int strongWins = 0;
  long margin = 0;
  for (int game = firstGame; game < firstGame + games; ++game) {
    EngineSession session;
    const bool strongIsOwn = game % 2 == 0;
    Ask(session, "seed " + std::to_string(1000 + game));
    Ask(session, "boardsize " + std::to_string(width) + " " + std::to_string(height));
    Ask(session, "movetime " + std::to_string(moveTime));
    Ask(session, "playouts " + std::to_string(playouts));
    Ask(session, std::string("level ") + (strongIsOwn ? "own" : "rival") + " strong");
    Ask(session, "opening " + opening + " " + std::to_string(1000 + game));
    std::string side = "own";
    int moves = 0;
    for (;;) {
      std::istringstream counts(Ask(session, "count"));
      int own = 0, rival = 0, free = 0;
      counts >> own >> rival >> free;
      if (free == 0) {
        const int strong = strongIsOwn ? own : rival;
        const int standard = strongIsOwn ? rival : own;
        strongWins += strong > standard ? 1 : 0;
        margin += strong - standard;
        std::printf("game %2d  strong as side %d  strong %3d  standard %3d  moves %d  %s\n", game + 1,
                    strongIsOwn ? 1 : 2, strong, standard, moves,
                    strong > standard ? "won" : strong == standard ? "draw" : "lost");
        if (std::getenv("SOLVAR_STRENGTH_BOARDS") != nullptr) std::printf("%s", Ask(session, "showboard").c_str());
        std::fflush(stdout);
        break;
      }
      if (std::getenv("SOLVAR_STRENGTH_TRACE") != nullptr && moves % 100 == 0) {
        std::printf("after %d moves (%d %d):\n%s", moves, own, rival, Ask(session, "showboard").c_str());
      }
      const std::string node = Ask(session, "genmove " + side);
      ++moves;
      const bool strongMoved = (side == "own") == strongIsOwn;
      if (strongMoved) Ask(session, "last_player_move " + node);
      side = side == "own" ? "rival" : "own";
    }
  }
  // A number of random games a move, when given, is what the strong computer used instead of the time.
  const std::string budget = playouts > 0 ? std::to_string(playouts) + " random games" : std::to_string(moveTime) + " ms";
  std::printf("strong won %d of %d on %d x %d at %s a move, start %s (captures ahead by %.1f a game)\n", strongWins, games,
              width, height, budget.c_str(), opening.c_str(), games > 0 ? static_cast<double>(margin) / games : 0.0);
  return 0;
}

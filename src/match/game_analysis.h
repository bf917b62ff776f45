#pragma once
// The strong computer's analysis of a whole game: every position of the
// record searched in turn, from the empty field to the last move.
//
// The search of a position says which node it would play there and what
// that node is worth: the captures each side has made where its random
// games through that node ended. The value of a position is the value of
// its best node, for the side to move. So for move n the record gets the
// first side's expected lead after it (the value of the position it left),
// and the node the search chose in the position before it with the lead
// after that node (when the move played is that node, the lead after it).
// What a move loses is the difference for the side that played it; the best
// node loses nothing.
//
// Positions are searched with a fixed number of random games (or a fixed
// time) on a fixed number of threads, each side with a search of its own
// that goes on from its last tree, so the same seed gives the same analysis.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/board.h"
#include "match/game_record.h"

namespace solvar::match {

struct AnalysisBudget {
  long Playouts = 2000;  // random games a position; 0: MoveTimeMs a position
  int MoveTimeMs = 0;
  std::uint64_t Seed = 1;
  int Threads = 2;
};

// A move that loses this many dots of expectation or more is a mistake.
constexpr double MistakeLoss = 5.0;

// How many dots of expectation the move loses for the side that played it
// against the best node (none when it is the best node).
double LossOf(const PlayedMove& move, const MoveJudgement& judgement);

class GameAnalysis {
 public:
  // The record must be playable to its end (as an opened game is).
  GameAnalysis(GameRecord record, AnalysisBudget budget);
  ~GameAnalysis();
  GameAnalysis(const GameAnalysis&) = delete;
  GameAnalysis& operator=(const GameAnalysis&) = delete;

  int MoveCount() const { return static_cast<int>(m_record.Moves.size()); }
  // Moves judged so far, from the first.
  const std::vector<MoveJudgement>& Judged() const { return m_judged; }
  bool Finished() const { return static_cast<int>(m_judged.size()) == MoveCount(); }

  // Searches the next position; afterwards one more move is judged (on the
  // first call, none: it searches the position before the first move).
  // `stop` set from another thread ends the search at once, and the step
  // must be taken again.
  void Step(const std::atomic<bool>* stop = nullptr);

 private:
  struct Searches;
  struct Value {
    engine::Node Best;
    double Lead = 0;  // the first side's
  };
  Value Search(const std::atomic<bool>* stop);

  GameRecord m_record;
  AnalysisBudget m_budget;
  std::unique_ptr<Searches> m_searches;
  engine::Board m_board;  // the position to search next
  int m_position = 0;     // moves on m_board
  Value m_before;         // the last position's
  std::vector<MoveJudgement> m_judged;
};

// The whole analysis at once; `judged` hears each move as it is judged.
std::vector<MoveJudgement> AnalyseGame(const GameRecord& record, const AnalysisBudget& budget,
                                       const std::function<void(int move, const MoveJudgement&)>& judged = {});

}  // namespace solvar::match

#pragma once
// How a game came out, as the side at this window sees it.

namespace solvar::match {

enum class Winner { Own, Rival, Draw };

struct GameResult {
  int Own = 0;    // side-2 dots captured by side 1
  int Rival = 0;  // side-1 dots captured by side 2
  Winner Outcome = Winner::Draw;
  bool OnTime = false;  // the loser's time ran out
  friend bool operator==(const GameResult&, const GameResult&) = default;
};

// The side that captured more of the other's dots wins.
constexpr GameResult Judge(int own, int rival) {
  return GameResult{own, rival, own > rival ? Winner::Own : own < rival ? Winner::Rival : Winner::Draw};
}

}  // namespace solvar::match

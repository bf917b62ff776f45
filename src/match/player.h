#pragma once
// Who moves for a side. The match hands a player the turn and tells it what
// happened; each kind of player answers in its own way: the local player
// through the window's clicks, the computer at once or after thinking, the
// remote player when its peer's move arrives.

#include <string>

#include "engine/board.h"
#include "match/game_result.h"

namespace solvar::match {

class Match;

class Player {
 public:
  virtual ~Player() = default;
  // It is this player's move; it plays now or later through the match.
  virtual void TakeTurn(Match& match) = 0;
  // The other side has just played the node.
  virtual void OnOpponentMoved(engine::Node node) { (void)node; }
  // The game ran to its end with this result.
  virtual void OnResult(const GameResult& result) { (void)result; }
  // The game is over or abandoned: stop thinking, close the connection.
  virtual void OnGameEnd() {}
  // A move is being taken back: stop thinking, drop any answer to come.
  virtual void StopThinking() {}
  // The player's name in a saved game, UTF-8.
  virtual std::string Name() const { return "Компьютер"; }
};

// The person at this window: the field takes clicks while it is their turn.
class LocalPlayer : public Player {
 public:
  void TakeTurn(Match&) override {}
  std::string Name() const override { return "Игрок"; }
};

// The second person at the same window, in a game of two players: the field
// takes their clicks on side 2's turn.
class SecondPlayer : public Player {
 public:
  void TakeTurn(Match&) override {}
  std::string Name() const override { return m_name; }
  void SetName(std::string name) { m_name = std::move(name); }

 private:
  std::string m_name = "Игрок 2";
};

}  // namespace solvar::match

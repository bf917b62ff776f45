#pragma once
// The standard computer as the opponent of a game: it answers at once.

#include "match/match.h"
#include "match/player.h"

namespace solvar::match {

class StandardComputerPlayer : public Player {
 public:
  void TakeTurn(Match& match) override {
    if (const auto node = match.ChooseStandardMove(engine::Side::Rival)) match.PlayComputerAnswer(*node);
  }
  std::string Name() const override { return "Компьютер (обычный)"; }
};

}  // namespace solvar::match

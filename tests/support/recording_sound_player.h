#pragma once
// The tests' sound player: it plays nothing and records what was asked.

#include <vector>

#include "game/sounds.h"

namespace solvar::test {

class RecordingSoundPlayer : public game::SoundPlayer {
 public:
  void Play(game::Sound sound) override { played.push_back(sound); }
  std::vector<game::Sound> played;
};

}  // namespace solvar::test

#pragma once
// What the user can change; every run starts from these defaults and nothing
// is kept between runs.

#include "match/remote_player.h"
#include "render/field_painter.h"

namespace solvar::game {

enum class ComputerLevel { Standard, Strong };

struct Settings {
  render::FieldColors Colors;
  net::NetworkOptions Network;
  // The computer of the next game against the computer.
  ComputerLevel Level = ComputerLevel::Standard;
  // The rules of the next game at this window (the network plays classic).
  engine::Rules Rules = engine::Rules::Classic;
};

}  // namespace solvar::game

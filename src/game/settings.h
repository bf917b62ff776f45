#pragma once
// What the user can change; every run starts from these defaults. Only the
// command line of «Другая программа…» is kept between runs, in the program's
// settings file.

#include "match/remote_player.h"
#include "render/field_painter.h"

namespace solvar::game {

enum class ComputerLevel { Standard, Strong, OtherProgram };

struct Settings {
  render::FieldColors Colors;
  net::NetworkOptions Network;
  // The computer of the next game against the computer.
  ComputerLevel Level = ComputerLevel::Standard;
  // The rules of the next game at this window (the network plays classic).
  engine::Rules Rules = engine::Rules::Classic;
};

}  // namespace solvar::game

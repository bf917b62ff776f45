#pragma once
// What the user can change, with the program's defaults. It is kept between
// runs by the settings store (settings_store.h); a first run starts from
// exactly these.

#include <QRect>
#include <QString>

#include <cstdint>

#include "engine/board.h"
#include "match/game_clock.h"
#include "match/openings.h"
#include "match/remote_player.h"
#include "render/field_painter.h"

namespace solvar::game {

enum class ComputerLevel { Standard, Strong, OtherProgram };

// The zoom of the field: 1, 1.5, 2 or 3 times, or the largest that fits the
// window, which can then be resized.
inline constexpr double FitToWindow = 0.0;

struct Settings {
  render::FieldColors Colors;
  net::NetworkOptions Network;
  // The field of the next game (FieldWidth x FieldHeight).
  int FieldWidth = engine::DefaultFieldWidth;
  int FieldHeight = engine::DefaultFieldHeight;
  // Whether a field size was chosen in an earlier run: the size box then
  // offers it, and otherwise offers its own largest field.
  bool FieldSizeKept = false;
  // The computer of the next game against the computer.
  ComputerLevel Level = ComputerLevel::Standard;
  // The rules of the next game at this window (the network plays classic).
  engine::Rules Rules = engine::Rules::Classic;
  double Zoom = 1.0;
  // The time control and the start of the next game at this window.
  match::TimeControl Clock;
  match::Opening Start = match::Opening::Empty;
  // Whether the game makes its sounds («Вид» → «Звук»), and whether the
  // field's edges carry the numbers of its columns and rows («Координаты»).
  bool Sound = true;
  bool Coordinates = false;
  // The list of moves beside the field during a game («Вид» → «Список
  // ходов»); a game shown always has it.
  bool MoveListShown = false;
  // Where the window was last, and its size when it could be resized; empty
  // for where it starts at first.
  QRect WindowPlace;
  std::uint16_t Port = 3333;
  QString LastAddress;  // the host last joined
  QString GamesFolder;  // where saved games were last written or read
  QString EngineCommandLine;  // «Другая программа…»
};

}  // namespace solvar::game

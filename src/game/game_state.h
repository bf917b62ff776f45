#pragma once
// The program's game state: one value, owned by the main window.

#include "engine/board.h"
#include "render/field_painter.h"

namespace solvar::game {

struct NetworkOptions {
  bool ShowRivalMessages = true;   // "Отображать сообщения соперника"
  bool ShowErrorMessages = true;   // "Отображать сообщения об ошибках"
  bool ShowSecondConnection = true;  // "Отображать сообщении об 2 подключении" (affects nothing)
};

// What the user can change; every run starts from these defaults.
struct Settings {
  render::FieldColors Colors;
  NetworkOptions Network;
};

struct GameState {
  engine::Board Board;
  int OwnScore = 0;
  int RivalScore = 0;
  int FreeCount = 0;
  bool GameInProgress = false;
  bool NetworkGame = false;
  bool IsHost = false;
  // A network game waits for the peer's move; only then is one taken.
  bool PeerToMove = false;
  // The local player's most recent dot; x = 0 until the first one. Never reset.
  engine::Node LastPlayerMove{0, 0};
  // The free node under the mouse; x = -1 for none.
  engine::Node SelectedNode{0, 0};
};

}  // namespace solvar::game

#pragma once
// What a message from the peer asks of this side, read the way each role
// reads it, and whether a move or a field size from the peer may touch the
// Board. The window acts on the answer; nothing here changes game state.

#include <string>
#include <string_view>

#include "engine/board.h"
#include "net/message_codec.h"

namespace solvar::net {

enum class Role { Host, Client };

enum class PeerRequest {
  StartWaiting,  // "ME" on the client: the host moves first
  StartMoving,   // "YO" on the client: the client moves first
  Move,          // "PO"
  Chat,          // "MS", shown
  Refusal,       // "ER", shown
  Disconnect,    // "DS"
  GameOver,      // "LU", "WI" or "DR"
  Unknown,       // the client logs that it could not read the message
  Nothing,       // dropped without a trace
};

// The display options of network play; every run starts with all on.
struct NetworkOptions {
  bool ShowRivalMessages = true;     // "Отображать сообщения соперника": the client's "MS"
  bool ShowErrorMessages = true;     // "Отображать сообщения об ошибках": the client's "ER", the host's notice
  bool ShowSecondConnection = true;  // "Отображать сообщении об 2 подключении" (affects nothing)
};

struct PeerMessage {
  PeerRequest Request = PeerRequest::Nothing;
  Pair Numbers;      // the size or the move
  std::string Text;  // the payload of "MS", "ER", "DS", in Windows-1251
};

// Reads one message. A pair that does not convert raises ConversionError.
PeerMessage ReadPeerMessage(Role role, std::string_view message, const NetworkOptions& options);

// A move from the peer is taken only during a network game, on a free
// playable node; a size only within 15..45 by 15..35.
bool IsAcceptableMove(const engine::Board& board, bool networkGame, engine::Node node);
bool IsAcceptableSize(Pair size);

}  // namespace solvar::net

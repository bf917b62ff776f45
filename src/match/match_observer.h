#pragma once
// What a game reports as it goes: the window paints, logs and asks from these
// events, the engine driver and the tests record them. Every hook does
// nothing unless the receiver wants it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ai/threat.h"
#include "engine/board.h"
#include "engine/capture_scan.h"
#include "match/game_result.h"

namespace solvar::match {

// Whose move the game waits for.
enum class Turn { Nobody, Local, Opponent };

class MatchObserver : public ai::ThreatObserver {
 public:
  // A game has started: the field of the current size is framed and empty.
  virtual void OnGameStarted() {}
  // Who moves first in a game against the computer.
  virtual void OnFirstMove(engine::Side side) { (void)side; }
  // A dot to paint: the computer's, the peer's, and the local player's in a
  // network game (in a game against the computer the preview already shows it).
  virtual void OnDotPlaced(engine::Node node, engine::Side side) { (void)node, (void)side; }
  // The last-move marker goes onto the node.
  virtual void OnMarkerMoved(engine::Node node) { (void)node; }
  // The position is about to be played again from the start (a move taken
  // back): the field is cleared to its grid and the marker hidden; every dot
  // and capture of what stands follows, as they were played.
  virtual void OnPositionCleared() {}
  // A capture: its outline, then every dot repainted over it.
  virtual void OnCapture(const engine::Outline& outline) { (void)outline; }
  virtual void OnLogLine(std::string_view utf8Line) { (void)utf8Line; }
  // A move of either side is over: `captured` of the other side's dots were
  // taken with it (by the mover, or by the other side when the dot went into
  // its ring).
  virtual void OnMovePlayed(engine::Side side, int captured) { (void)side, (void)captured; }
  // The peer of a network game wrote a chat line.
  virtual void OnChatReceived() {}
  virtual void OnScoresChanged(const engine::CellCounts& counts) { (void)counts; }
  // Reported when a step of the game is over, so a computer that answers at
  // once never shows as a turn of its own.
  virtual void OnTurnChanged(Turn turn) { (void)turn; }
  // The result of a game that ran to its end or that the peer ended.
  virtual void OnResult(const GameResult& result) { (void)result; }
  // Asks the winner's name for the records. The answer (UTF-8, or none when
  // the box was cancelled) may be given at once or later, when a box that
  // could not be shown at once has been answered.
  using NameAnswer = std::function<void(std::optional<std::string> name)>;
  virtual void AskWinnerName(std::string_view initial, NameAnswer answer) { answer(std::string(initial)); }
  // A computer opponent started thinking (for at most `moveTimeMs`), or
  // stopped.
  virtual void OnComputerThinking(bool thinking, int moveTimeMs) { (void)thinking, (void)moveTimeMs; }
  // A winner was entered into the records table.
  virtual void OnRecordEntered() {}
  // The game is over or abandoned: the Board is cleared.
  virtual void OnGameEnded() {}
};

}  // namespace solvar::match

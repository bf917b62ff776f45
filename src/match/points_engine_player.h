#pragma once
// Another program as the computer opponent, through the dots engines' common
// protocol (see points_protocol.h). At its turn the program is started if it
// is not running, told the field ("init"), brought up to the game's moves
// ("play", or "undo" for moves taken back), and asked for its move
// ("gen_move_with_time", side 2, the strong computer's time). A program that
// cannot be started, ends, refuses a command, answers out of the protocol,
// answers a node that is not free or answers nothing in time is reported
// once through `onFailure`, with a sentence for the player; the window then
// ends the game.
//
// The program itself is reached through an EngineLink: a process in the
// window, a script in the tests.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "match/game_record.h"
#include "match/player.h"

namespace solvar::match {

class EngineLink {
 public:
  virtual ~EngineLink() = default;
  // Starts the program anew; what it writes comes back line by line through
  // `onLine`, and a start that fails, an end of the program, or output that
  // is no line of text through `onFailure`.
  virtual void Start() = 0;
  virtual void Send(const std::string& line) = 0;
  // `onFailure` is called if nothing more is heard for `ms` milliseconds.
  virtual void ExpectWithin(int ms) = 0;
  virtual void StopWaiting() = 0;
  // Asks the program to quit and ends it; nothing more is reported.
  virtual void Stop() = 0;

  std::function<void(const std::string& line)> onLine;
  std::function<void(const std::string& why)> onFailure;
};

class PointsEnginePlayer : public Player {
 public:
  // `moveTimeMs` is the program's time a move; `graceMs` how much longer it
  // may take to answer (and to start) before it is given up.
  PointsEnginePlayer(EngineLink& link, int moveTimeMs, int graceMs);

  void TakeTurn(Match& match) override;
  void OnGameEnd() override;
  // A move taken back: the answer being thought is dropped when it comes.
  void StopThinking() override;
  std::string Name() const override;

  // Told once, with a sentence for the player.
  std::function<void(const std::string& why)> onFailure;
  int MoveTimeMs() const { return m_moveTimeMs; }
  void SetMoveTimeMs(int ms) { m_moveTimeMs = ms; }

 private:
  struct Awaited {
    long Id;
    std::string Command;
    std::string Line;  // as sent, for the message
  };

  void SendCommand(const std::string& command, const std::vector<std::string>& args = {});
  void BringUpToDate(const Match& match);
  void OnLine(const std::string& line);
  void OnAnswer(const Awaited& awaited, const std::vector<std::string>& args);
  void TakeAnswer(const std::vector<std::string>& args);
  void Fail(const std::string& why);

  EngineLink& m_link;
  int m_moveTimeMs;
  int m_graceMs;
  Match* m_match = nullptr;       // the game the program plays, while it runs
  std::vector<PlayedMove> m_told;  // the moves the program has been told
  std::deque<Awaited> m_awaited;
  long m_nextId = 1;
  int m_answersToDrop = 0;  // moves asked for before a take-back
  bool m_failed = false;
  std::string m_name;
};

}  // namespace solvar::match

#pragma once
// A match whose reports are written down in order, one short line each, and
// whose winner's name boxes are answered from a script.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "match/match.h"

namespace solvar::test {

inline std::string NodeText(engine::Node node) { return std::to_string(node.X) + "," + std::to_string(node.Y); }
inline const char* SideText(engine::Side side) { return side == engine::Side::Own ? "own" : "rival"; }

class MatchEvents : public match::MatchObserver {
 public:
  void OnGameStarted() override { Add("started"); }
  void OnFirstMove(engine::Side side) override { Add(std::string("first ") + SideText(side)); }
  void OnDotPlaced(engine::Node node, engine::Side side) override {
    Add("dot " + NodeText(node) + " " + SideText(side));
  }
  void OnMarkerMoved(engine::Node node) override { Add("marker " + NodeText(node)); }
  void OnPositionCleared() override { Add("cleared"); }
  void OnCapture(const engine::Outline& outline) override {
    Add(std::string("capture ") + SideText(outline.Capturer) + " " + std::to_string(outline.DotsInside));
  }
  void OnLogLine(std::string_view line) override {
    lines.emplace_back(line);
    Add("log " + std::string(line));
  }
  void OnScoresChanged(const engine::CellCounts& c) override {
    Add("scores " + std::to_string(c.OwnScore) + " " + std::to_string(c.RivalScore) + " " +
        std::to_string(c.FreeCount));
  }
  void OnTurnChanged(match::Turn turn) override {
    Add(std::string("turn ") + (turn == match::Turn::Local ? "local" : turn == match::Turn::Opponent ? "opponent" : "nobody"));
  }
  void OnResult(const match::GameResult& r) override {
    results.push_back(r);
    Add("result " + std::to_string(r.Own) + " " + std::to_string(r.Rival));
  }
  // Answers at once from the script, or keeps the question for later when
  // `answerLater` is set.
  void AskWinnerName(std::string_view initial, NameAnswer answer) override {
    Add("ask " + std::string(initial));
    if (answerLater) {
      pendingNames.push_back(std::move(answer));
      return;
    }
    if (names.empty()) return answer(std::string(initial));
    const auto name = names.front();
    names.pop_front();
    answer(name);
  }
  void OnRecordEntered() override { Add("record"); }
  void OnGameEnded() override { Add("ended"); }

  // How many reports start with the text.
  int Count(std::string_view prefix) const {
    int n = 0;
    for (const auto& e : events) n += e.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
  }
  void Clear() {
    events.clear();
    lines.clear();
  }

  std::vector<std::string> events;
  std::vector<std::string> lines;
  std::vector<match::GameResult> results;
  std::deque<std::optional<std::string>> names;
  bool answerLater = false;
  std::vector<NameAnswer> pendingNames;

 private:
  void Add(std::string event) { events.push_back(std::move(event)); }
};

// A seed whose first draw gives the first move to the local player (or not).
inline std::uint64_t SeedWhereLocalStarts(bool local) {
  for (std::uint64_t seed = 1;; ++seed) {
    engine::Random random(seed);
    if ((random.NextReal() > 0.5) == local) return seed;
  }
}

// Fills every playable node with `fill` except (W-1, H-1), and puts `special`
// at (3, 3), so that a move on (W-1, H-1) ends the game.
inline void FillAllButLast(engine::Board& board, engine::CellState special, engine::CellState fill) {
  for (int x = 1; x < board.FieldWidth(); ++x)
    for (int y = 1; y < board.FieldHeight(); ++y) board.Set(x, y, fill);
  board.Set(3, 3, special);
  board.Set(board.FieldWidth() - 1, board.FieldHeight() - 1, engine::csFree);
}

}  // namespace solvar::test

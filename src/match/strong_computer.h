#pragma once
// The strong computer as the opponent of a game. It searches on a thread of
// its own, so that the window goes on painting and answering while it
// thinks; its move comes back to the match's thread through `Post`. Ending
// the game stops the search at once, and an answer that comes too late is
// dropped.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "ai/strong_search.h"
#include "match/match.h"
#include "match/player.h"

namespace solvar::match {

// Runs a task later on the thread the match lives on. It may be called from
// any thread.
using Post = std::function<void(std::function<void()>)>;

// One search at a time, on a thread of its own.
class BackgroundSearch {
 public:
  explicit BackgroundSearch(Post post) : m_post(std::move(post)) {}
  ~BackgroundSearch() { Stop(); }
  BackgroundSearch(const BackgroundSearch&) = delete;
  BackgroundSearch& operator=(const BackgroundSearch&) = delete;

  // Searches the position for the mover; `done` runs on the match's thread
  // with the node found, unless the search is stopped first.
  void Start(const engine::Board& board, engine::Side mover, const ai::SearchLimits& limits, std::uint64_t seed,
             std::function<void(std::optional<engine::Node>)> done);
  // Ends the search at once and drops its answer.
  void Stop();
  bool IsBusy() const { return m_busy; }

 private:
  void Finish(std::uint64_t search, std::optional<engine::Node> node,
              const std::function<void(std::optional<engine::Node>)>& done);

  Post m_post;
  // Kept from search to search, so that each goes on from the last one's tree.
  std::shared_ptr<ai::StrongSearch> m_strong = std::make_shared<ai::StrongSearch>();
  std::thread m_thread;
  std::shared_ptr<std::atomic<bool>> m_stop;
  std::uint64_t m_search = 0;  // the search whose answer is awaited
  bool m_busy = false;
  std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

class StrongComputerPlayer : public Player {
 public:
  StrongComputerPlayer(Post post, const ai::SearchLimits& limits) : m_limits(limits), m_search(std::move(post)) {}

  void TakeTurn(Match& match) override;
  void OnGameEnd() override;
  void StopThinking() override { OnGameEnd(); }
  bool IsThinking() const { return m_search.IsBusy(); }
  std::string Name() const override { return "Компьютер (сильный)"; }
  const ai::SearchLimits& Limits() const { return m_limits; }

 private:
  ai::SearchLimits m_limits;
  BackgroundSearch m_search;
};

}  // namespace solvar::match

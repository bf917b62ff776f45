#include "match/strong_computer.h"

namespace solvar::match {

void BackgroundSearch::Start(const engine::Board& board, engine::Side mover, const ai::SearchLimits& limits,
                             std::uint64_t seed, std::function<void(std::optional<engine::Node>)> done) {
  Stop();
  const std::uint64_t search = ++m_search;
  m_busy = true;
  m_stop = std::make_shared<std::atomic<bool>>(false);
  m_thread = std::thread([this, board, mover, limits, seed, search, stop = m_stop, strong = m_strong,
                          alive = std::weak_ptr<int>(m_alive), done = std::move(done)] {
    const auto node = strong->Choose(board, mover, limits, seed, stop.get());
    if (stop->load()) return;
    m_post([this, alive, search, node, done] {
      if (!alive.expired()) Finish(search, node, done);
    });
  });
}

void BackgroundSearch::Finish(std::uint64_t search, std::optional<engine::Node> node,
                              const std::function<void(std::optional<engine::Node>)>& done) {
  if (search != m_search || !m_busy) return;
  if (m_thread.joinable()) m_thread.join();
  m_busy = false;
  done(node);
}

void BackgroundSearch::Stop() {
  if (m_stop) m_stop->store(true);
  if (m_thread.joinable()) m_thread.join();
  ++m_search;
  m_busy = false;
}

// The search's random games follow the rules of the game it plays.
// Under a clock it thinks for what its clock allows.
void StrongComputerPlayer::TakeTurn(Match& match) {
  ai::SearchLimits limits = m_limits;
  limits.Rules = match.Rules();
  const ai::MoveTime time = match.ComputerMoveTime(engine::Side::Rival, m_limits.MoveTimeMs);
  limits.MoveTimeMs = time.UsualMs;
  limits.MostTimeMs = time.MostMs;
  match.ReportThinking(true, limits.MoveTimeMs);
  m_search.Start(match.Board(), engine::Side::Rival, limits, match.RandomSource().NextSeed(),
                 [&match](std::optional<engine::Node> node) {
                   match.ReportThinking(false, 0);
                   if (node) match.PlayComputerAnswer(*node);
                 });
}

void StrongComputerPlayer::OnGameEnd() { m_search.Stop(); }

}  // namespace solvar::match

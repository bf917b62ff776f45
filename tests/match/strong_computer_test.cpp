// The strong computer as an opponent: it thinks on its own thread, answers
// through the match's thread, and an ended game drops its answer.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "match/computer_player.h"
#include "match/strong_computer.h"
#include "match_events.h"

namespace solvar::match {
namespace {

using engine::Node;
using engine::Side;

// The match's thread: tasks posted from the search wait here until run.
class TaskQueue {
 public:
  Post Poster() {
    return [this](std::function<void()> task) {
      const std::lock_guard lock(m_mutex);
      m_tasks.push_back(std::move(task));
      m_posted.notify_all();
    };
  }
  // Waits for a task (up to a minute) and runs every one waiting.
  bool RunNext() {
    std::unique_lock lock(m_mutex);
    if (!m_posted.wait_for(lock, std::chrono::minutes(1), [this] { return !m_tasks.empty(); })) return false;
    std::vector<std::function<void()>> tasks = std::exchange(m_tasks, {});
    lock.unlock();
    for (auto& task : tasks) task();
    return true;
  }
  std::size_t Waiting() {
    const std::lock_guard lock(m_mutex);
    return m_tasks.size();
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_posted;
  std::vector<std::function<void()>> m_tasks;
};

ai::SearchLimits Limits(long playouts, int moveTimeMs = 1000) {
  ai::SearchLimits limits;
  limits.Playouts = playouts;
  limits.MoveTimeMs = moveTimeMs;
  limits.Threads = 2;
  return limits;
}

class MatchStrongComputerTest : public ::testing::Test {
 protected:
  void Start(StrongComputerPlayer& strong, bool localFirst) {
    random.FixSeed(test::SeedWhereLocalStarts(localFirst));
    game.Board().SetFieldSize(15, 15);
    game.StartAgainstComputer(strong);
  }

  test::MatchEvents events;
  engine::Random random{1};
  records::RecordsTable records;
  Match game{events, random, records};
  TaskQueue queue;
};

TEST_F(MatchStrongComputerTest, ThinksOnItsOwnThreadAndAnswersOnTheMatchs) {
  StrongComputerPlayer strong(queue.Poster(), Limits(200));
  Start(strong, /*localFirst=*/false);
  EXPECT_EQ(game.ToMove(), Turn::Opponent);
  EXPECT_EQ(events.events.back(), "turn opponent");
  EXPECT_EQ(events.Count("dot"), 0);  // nothing is played off the match's thread
  ASSERT_TRUE(queue.RunNext());
  EXPECT_EQ(game.Moves().size(), 1u);
  EXPECT_EQ(game.ToMove(), Turn::Local);
  EXPECT_FALSE(strong.IsThinking());
  const Node first = game.Moves()[0].Dot;
  Node mine{first.X == 7 ? 8 : 7, 7};
  EXPECT_EQ(game.PlayLocal(mine), LocalMove::Played);
  EXPECT_TRUE(strong.IsThinking());
  ASSERT_TRUE(queue.RunNext());
  EXPECT_EQ(game.Moves().size(), 3u);
  EXPECT_EQ(game.Moves()[2].Mover, Side::Rival);
  EXPECT_EQ(events.lines.back().rfind("Ход машины->> ", 0), 0u);
}

TEST_F(MatchStrongComputerTest, GivingUpStopsTheSearchAtOnceAndDropsItsAnswer) {
  StrongComputerPlayer strong(queue.Poster(), Limits(0, 60000));
  Start(strong, /*localFirst=*/false);
  ASSERT_TRUE(strong.IsThinking());
  const auto before = std::chrono::steady_clock::now();
  game.End();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));
  EXPECT_FALSE(strong.IsThinking());
  if (queue.Waiting() > 0) queue.RunNext();
  EXPECT_TRUE(game.Moves().empty());
  EXPECT_EQ(events.Count("log Ход машины"), 0);
  EXPECT_EQ(engine::CountCells(game.Board()).FreeCount, 196);
}

TEST_F(MatchStrongComputerTest, AnswerThatComesAfterAnotherGameStartedIsDropped) {
  StrongComputerPlayer strong(queue.Poster(), Limits(50));
  Start(strong, /*localFirst=*/false);
  StandardComputerPlayer standard;
  // The search may already have posted its answer; the new game must not take it.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  random.FixSeed(test::SeedWhereLocalStarts(true));
  game.StartAgainstComputer(standard);
  if (queue.Waiting() > 0) queue.RunNext();
  EXPECT_TRUE(game.Moves().empty());
  EXPECT_EQ(game.ToMove(), Turn::Local);
}

}  // namespace
}  // namespace solvar::match

#include "match/game_clock.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace solvar::match {

Millis SteadyTimeSource::Now() const {
  return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

TimeControl NoTimeControl() { return TimeControl{}; }
TimeControl OneMinutePlusTen() { return TimeControl{TimeControl::Kind::Increment, 60, 10}; }
TimeControl FiveMinutesTwentyFive() { return TimeControl{TimeControl::Kind::FreeSeconds, 300, 25}; }

std::string OvertimeText(const TimeControl& control) {
  if (control.Type == TimeControl::Kind::FreeSeconds) return std::to_string(control.MoveSeconds) + " sec / move";
  return std::to_string(control.MoveSeconds);
}

namespace {

std::string Squeezed(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (std::isspace(static_cast<unsigned char>(c)) == 0) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

// A whole number of seconds and nothing else.
std::optional<int> Seconds(const std::string& text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
    return std::nullopt;
  }
  return std::atoi(text.c_str());
}

}  // namespace

std::optional<TimeControl> ControlFromSgf(double mainSeconds, const std::string& overtime) {
  if (!(mainSeconds >= 0) || mainSeconds > 360000) return std::nullopt;
  const int main = static_cast<int>(mainSeconds + 0.5);
  const std::string squeezed = Squeezed(overtime);
  if (const auto added = Seconds(squeezed)) return TimeControl{TimeControl::Kind::Increment, main, *added};
  // "0+7": no seconds added, seven of each move's own.
  if (const auto plus = squeezed.find('+'); plus != std::string::npos) {
    const auto before = Seconds(squeezed.substr(0, plus));
    const auto after = Seconds(squeezed.substr(plus + 1));
    if (before && after && *before == 0) return TimeControl{TimeControl::Kind::FreeSeconds, main, *after};
    if (before && after && *after == 0) return TimeControl{TimeControl::Kind::Increment, main, *before};
    return std::nullopt;
  }
  for (const char* unit : {"sec/move", "s/move", "sec"}) {
    const std::string tail(unit);
    if (squeezed.size() > tail.size() && squeezed.compare(squeezed.size() - tail.size(), tail.size(), tail) == 0) {
      if (const auto own = Seconds(squeezed.substr(0, squeezed.size() - tail.size()))) {
        return TimeControl{TimeControl::Kind::FreeSeconds, main, *own};
      }
    }
  }
  return std::nullopt;
}

GameClock::GameClock(const TimeSource& time, TimeControl control)
    : m_time(time), m_control(control), m_main{Millis(control.MainSeconds * 1000), Millis(control.MainSeconds * 1000)} {
  if (!control.IsTimed()) m_main[0] = m_main[1] = Millis(0);
}

Millis GameClock::Spent() const { return m_running ? m_time.Now() - m_since : Millis(0); }

// The side's main time once `spent` of its move is counted: thinking time
// adds up when nothing is controlled; free seconds are spent first.
Millis GameClock::MainAfter(engine::Side side, Millis spent) const {
  const Millis main = m_main[Index(side)];
  if (CountsUp()) return main + spent;
  if (m_control.Type == TimeControl::Kind::FreeSeconds) spent = std::max(Millis(0), spent - Millis(m_control.MoveSeconds * 1000));
  return main - spent;
}

void GameClock::Start(engine::Side side) {
  if (m_running) m_main[Index(*m_running)] = MainAfter(*m_running, Spent());
  m_running = side;
  m_since = m_time.Now();
}

void GameClock::Moved(engine::Side mover) {
  if (m_running == mover) {
    Millis& main = m_main[Index(mover)];
    main = MainAfter(mover, Spent());
    if (m_control.Type == TimeControl::Kind::Increment && main > Millis(0)) main += Millis(m_control.MoveSeconds * 1000);
  }
  m_running = engine::Opponent(mover);
  m_since = m_time.Now();
}

void GameClock::Stop() {
  if (!m_running) return;
  m_main[Index(*m_running)] = MainAfter(*m_running, Spent());
  m_running.reset();
}

Millis GameClock::Left(engine::Side side) const {
  const Millis left = m_running == side ? MainAfter(side, Spent()) : m_main[Index(side)];
  return CountsUp() ? left : std::max(Millis(0), left);
}

Millis GameClock::MoveSecondsLeft(engine::Side side) const {
  if (m_control.Type != TimeControl::Kind::FreeSeconds) return Millis(0);
  const Millis free(m_control.MoveSeconds * 1000);
  if (m_running != side) return free;
  return std::max(Millis(0), free - Spent());
}

bool GameClock::RanOut() const { return OutOfTime().has_value(); }

std::optional<engine::Side> GameClock::OutOfTime() const {
  if (CountsUp()) return std::nullopt;
  for (const engine::Side side : {engine::Side::Own, engine::Side::Rival}) {
    const Millis left = m_running == side ? MainAfter(side, Spent()) : m_main[Index(side)];
    if (left <= Millis(0)) return side;
  }
  return std::nullopt;
}

bool HasClocks(const GameRecord& record) {
  if (record.TimeMain || record.StartClock[0] || record.StartClock[1]) return true;
  return std::any_of(record.Moves.begin(), record.Moves.end(), [](const PlayedMove& move) { return move.ClockLeft.has_value(); });
}

std::array<std::optional<double>, 2> RecordedClocks(const GameRecord& record, int moves) {
  std::array<std::optional<double>, 2> left = {record.StartClock[0], record.StartClock[1]};
  for (std::size_t side = 0; side < 2; ++side) {
    if (!left[side]) left[side] = record.TimeMain;
  }
  const auto count = std::min<std::size_t>(record.Moves.size(), static_cast<std::size_t>(std::max(0, moves)));
  for (std::size_t i = 0; i < count; ++i) {
    const PlayedMove& move = record.Moves[i];
    if (move.ClockLeft) left[move.Mover == engine::Side::Own ? 0 : 1] = move.ClockLeft;
  }
  return left;
}

std::string ClockText(Millis left) {
  const long long ms = std::max<long long>(0, left.count());
  char text[32];
  if (ms < 10000) {
    std::snprintf(text, sizeof text, "0:%02lld,%lld", ms / 1000, (ms % 1000) / 100);
  } else {
    const long long seconds = ms / 1000;
    std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
  }
  return text;
}

}  // namespace solvar::match

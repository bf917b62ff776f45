#pragma once
// The clocks of a timed game, as the dots sites keep them: each side has a
// main time, and each move either adds seconds to it once made (Fischer,
// «1 мин + 10 с за ход», written OT[10]) or brings seconds of its own that
// are spent before the main time is touched («5 мин + 25 с на ход», written
// OT[25 sec / move]). Only the clock of the side to move runs; a side whose
// main time is gone has lost. In a game without a time control (a network
// game, or «Без контроля» where clocks are shown at all) the clocks only
// count each side's thinking time up.
//
// Time is read through a TimeSource, so that the tests move it by hand.

#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "engine/board.h"
#include "match/game_record.h"

namespace solvar::match {

using Millis = std::chrono::milliseconds;

class TimeSource {
 public:
  virtual ~TimeSource() = default;
  virtual Millis Now() const = 0;
};

// The program's time: a steady clock.
class SteadyTimeSource : public TimeSource {
 public:
  Millis Now() const override;
};

// A time control. Kind None: no clocks run against anyone.
struct TimeControl {
  enum class Kind { None, Increment, FreeSeconds };
  Kind Type = Kind::None;
  int MainSeconds = 0;
  int MoveSeconds = 0;  // added after a move, or free within it

  bool IsTimed() const { return Type != Kind::None; }
  friend bool operator==(const TimeControl&, const TimeControl&) = default;
};

TimeControl NoTimeControl();
TimeControl OneMinutePlusTen();        // «1 мин + 10 с за ход»
TimeControl FiveMinutesTwentyFive();   // «5 мин + 25 с на ход»

// The OT property as the sites write it: "10" for seconds added, "25 sec /
// move" for seconds of each move.
std::string OvertimeText(const TimeControl& control);
// A control from TM and OT as the sites write them ("10", "0+7", "25 sec /
// move", "20 sec/move"); none when OT is not understood.
std::optional<TimeControl> ControlFromSgf(double mainSeconds, const std::string& overtime);

class GameClock {
 public:
  GameClock(const TimeSource& time, TimeControl control);

  const TimeControl& Control() const { return m_control; }
  // Counting up thinking time only (no control), for a network game.
  bool CountsUp() const { return !m_control.IsTimed(); }

  // The side's clock starts (the other's stops without a move, as when a
  // game begins or a clock is handed over).
  void Start(engine::Side side);
  // The side has moved: its clock stops, the move's seconds are settled, and
  // the other side's clock starts.
  void Moved(engine::Side mover);
  // Every clock stops where it is.
  void Stop();
  // Whose clock runs, if any.
  std::optional<engine::Side> Running() const { return m_running; }

  // The side's main time left now (or its thinking time, counting up).
  Millis Left(engine::Side side) const;
  // What is left of the free seconds of the move being made (0 when none).
  Millis MoveSecondsLeft(engine::Side side) const;
  // The running side's main time is gone.
  bool RanOut() const;
  // The side whose time is gone, if any.
  std::optional<engine::Side> OutOfTime() const;

 private:
  static std::size_t Index(engine::Side side) { return side == engine::Side::Own ? 0 : 1; }
  Millis Spent() const;
  Millis MainAfter(engine::Side side, Millis spent) const;

  const TimeSource& m_time;
  TimeControl m_control;
  Millis m_main[2];
  std::optional<engine::Side> m_running;
  Millis m_since{0};
};

// Each side's time left after the first `moves` moves of a recorded game
// (side 1's, then side 2's): the last BL or WL up to there, else the time
// at the start; none where the record keeps no clocks.
std::array<std::optional<double>, 2> RecordedClocks(const GameRecord& record, int moves);
bool HasClocks(const GameRecord& record);

// "4:35", and under ten seconds "0:09,4", as the score panel shows a clock.
std::string ClockText(Millis left);

}  // namespace solvar::match

#pragma once
// The game's sounds: a dot put by either side, a capture, a chat message, a
// clock's last ten seconds, and the end of a game, won or lost. The window
// asks a SoundPlayer for them; the program's own player plays the sounds it
// carries through Qt Multimedia, and the tests' player records what was
// asked. With «Вид» → «Звук» off nothing is asked.

#include <QString>

namespace solvar::game {

enum class Sound { Dot, Capture, Message, ClockLow, Win, Loss };

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual void Play(Sound sound) = 0;
  // What the log should say once when no sound can be played (no sound
  // device); empty when sound works.
  virtual QString Problem() const { return QString(); }
};

}  // namespace solvar::game

#pragma once
// The sounds the program carries, played through Qt Multimedia's sound
// effects (each loaded once, on first use). A machine without a sound
// output plays nothing and says so once.

#include <QObject>

#include <array>

#include "game/sounds.h"

class QSoundEffect;

namespace solvar::game {

class QtSoundPlayer : public QObject, public SoundPlayer {
  Q_OBJECT
 public:
  explicit QtSoundPlayer(QObject* parent = nullptr);
  void Play(Sound sound) override;
  QString Problem() const override { return m_problem; }

 private:
  std::array<QSoundEffect*, 6> m_effects{};
  QString m_problem;
};

}  // namespace solvar::game

#include "game/qt_sound_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

static void InitSoundResources() { Q_INIT_RESOURCE(sounds); }

namespace solvar::game {

namespace {

const char* FileOf(Sound sound) {
  switch (sound) {
    case Sound::Dot: return "dot";
    case Sound::Capture: return "capture";
    case Sound::Message: return "message";
    case Sound::ClockLow: return "clock";
    case Sound::Win: return "win";
    case Sound::Loss: return "loss";
  }
  return "dot";
}

}  // namespace

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent) {
  InitSoundResources();
  if (QMediaDevices::defaultAudioOutput().isNull()) {
    m_problem = QStringLiteral("INFORM->> Звук недоступен: нет устройства вывода звука.");
  }
}

void QtSoundPlayer::Play(Sound sound) {
  if (!m_problem.isEmpty()) return;
  QSoundEffect*& effect = m_effects[static_cast<std::size_t>(sound)];
  if (effect == nullptr) {
    effect = new QSoundEffect(this);
    effect->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(QLatin1String(FileOf(sound)))));
    effect->setVolume(0.6F);
  }
  effect->play();
}

}  // namespace solvar::game

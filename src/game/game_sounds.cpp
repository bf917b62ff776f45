#include "game/game_sounds.h"

#include <QAction>
#include <QMenu>

#include "game/settings.h"
#include "game/settings_store.h"

namespace solvar::game {

GameSounds::GameSounds(QObject* parent, Settings& settings, SettingsStore& store, std::unique_ptr<SoundPlayer> player,
                       LogLine log)
    : QObject(parent), m_settings(settings), m_store(store), m_player(std::move(player)), m_log(std::move(log)) {}

void GameSounds::AddCommand(QMenu& view) {
  m_command = view.addAction(QStringLiteral("&Звук"));
  m_command->setObjectName(QStringLiteral("SoundOn"));
  m_command->setCheckable(true);
  m_command->setChecked(m_settings.Sound);
  connect(m_command, &QAction::triggered, this, [this](bool on) { TurnOn(on); });
}

void GameSounds::TurnOn(bool on) {
  m_settings.Sound = on;
  m_store.SaveSound(on);
  if (m_command != nullptr) m_command->setChecked(on);
}

void GameSounds::UsePlayer(std::unique_ptr<SoundPlayer> player) { m_player = std::move(player); }

void GameSounds::MovePlayed(int captured) { Play(captured > 0 ? Sound::Capture : Sound::Dot); }
void GameSounds::MessageReceived() { Play(Sound::Message); }
void GameSounds::ClockLow() { Play(Sound::ClockLow); }

void GameSounds::GameOver(const match::GameResult& result, bool atThisWindow) {
  const bool won = result.Outcome == match::Winner::Own || (atThisWindow && result.Outcome == match::Winner::Rival);
  Play(won ? Sound::Win : Sound::Loss);
}

// A player that cannot play says why once, in the log.
void GameSounds::Play(Sound sound) {
  if (!m_settings.Sound || !m_player) return;
  if (const QString problem = m_player->Problem(); !problem.isEmpty()) {
    if (!m_problemSaid && m_log) m_log(problem);
    m_problemSaid = true;
    return;
  }
  m_player->Play(sound);
}

}  // namespace solvar::game

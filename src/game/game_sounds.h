#pragma once
// When the game makes which sound: a dot put by either side (a capture
// instead when the move took dots), a chat message of the network game,
// the clock of the side to move entering its last ten seconds, and the end
// of a game (a win, or at this window a loss or a draw). «Вид» → «Звук»
// turns them on or off, kept for the next run; on by default.

#include <QObject>

#include <functional>
#include <memory>

#include "engine/board.h"
#include "game/sounds.h"
#include "match/game_result.h"

class QAction;
class QMenu;

namespace solvar::game {

class SettingsStore;
struct Settings;

class GameSounds : public QObject {
  Q_OBJECT
 public:
  using LogLine = std::function<void(const QString& line)>;

  GameSounds(QObject* parent, Settings& settings, SettingsStore& store, std::unique_ptr<SoundPlayer> player, LogLine log);

  // «Звук» at the end of the menu.
  void AddCommand(QMenu& view);
  void TurnOn(bool on);
  // Another player from now on (the tests' recorder).
  void UsePlayer(std::unique_ptr<SoundPlayer> player);

  // What happened.
  void MovePlayed(int captured);
  void MessageReceived();
  void ClockLow();
  // `atThisWindow`: both sides play here (two people), so a win is heard
  // whoever wins.
  void GameOver(const match::GameResult& result, bool atThisWindow);

 private:
  void Play(Sound sound);

  Settings& m_settings;
  SettingsStore& m_store;
  std::unique_ptr<SoundPlayer> m_player;
  LogLine m_log;
  bool m_problemSaid = false;
  QAction* m_command = nullptr;
};

}  // namespace solvar::game

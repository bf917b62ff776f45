#pragma once
// Play against the clock: «Настройки» → «Контроль времени» chooses the time
// control of the next game at this window («Без контроля», the default;
// «1 мин + 10 с за ход»; «5 мин + 25 с на ход»; «Другой…», any main time and
// seconds of either kind), kept for the next run. During a timed game each
// side's time left stands on the score panel beside its counter, the clock
// of the side to move running and marked under ten seconds, and a side
// whose time runs out loses (the match ends the game). In a network game
// the same places count each side's thinking time up, and nobody loses on
// time.

#include <QObject>

#include <array>
#include <functional>
#include <optional>

#include "match/game_clock.h"

class QAction;
class QMenu;
class QTimer;
class QWidget;

namespace solvar::match {
class Match;
}

namespace solvar::game {

class ScorePanel;
class SettingsStore;
class WindowBoxes;
struct Settings;

class TimeControls : public QObject {
  Q_OBJECT
 public:
  // Asks for a time control of the player's own («Другой…»), starting from
  // the one chosen; none when cancelled.
  using AskControl = std::function<std::optional<match::TimeControl>(const match::TimeControl& current)>;

  TimeControls(QWidget& window, match::Match& match, Settings& settings, SettingsStore& store, ScorePanel& panel,
               WindowBoxes& boxes, AskControl ask);

  // «Контроль времени» at the end of the menu.
  void AddMenu(QMenu& menu);
  // The time control of the next game.
  void Choose(const match::TimeControl& control);
  // A game starts or ends: the clocks show and run, or stop.
  void GameStarted();
  void GameEnded();
  // One tick of the clocks: a side out of time loses, and the panel shows
  // the times (the window ticks ten times a second).
  void Tick();
  // The clock of the side to move has entered its last ten seconds.
  std::function<void()> onClockLow;

 private:
  void ChooseOther();
  void CheckChoice();
  void ShowClocks();

  match::Match& m_match;
  Settings& m_settings;
  SettingsStore& m_store;
  ScorePanel& m_panel;
  WindowBoxes& m_boxes;
  AskControl m_ask;
  QTimer* m_ticker;
  QAction* m_none = nullptr;
  QAction* m_oneMinute = nullptr;
  QAction* m_fiveMinutes = nullptr;
  QAction* m_other = nullptr;
  std::array<bool, 2> m_lowHeard{};  // each side's last seconds announced
};

// The caption of a time control in the menu and the title: «1 мин + 10 с за
// ход», «5 мин + 25 с на ход», «Без контроля».
QString ControlCaption(const match::TimeControl& control);

}  // namespace solvar::game

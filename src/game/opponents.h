#pragma once
// Whom the player plays at this window, and by what rules: «Настройки» with
// «Уровень компьютера» (the standard computer, the strong one that searches
// on a thread of its own while the status bar counts down its thinking
// time, or another dots program through the engines' common protocol, whose
// command line is kept for the next run) and «Правила» (classic or sport),
// both for the next game; and «Игра вдвоём», two people at this window.

#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <memory>

#include "ai/strong_search.h"
#include "game/settings.h"
#include "match/computer_player.h"
#include "match/match.h"
#include "match/points_engine_player.h"
#include "match/strong_computer.h"

class QAction;
class QMenu;
class QMenuBar;
class QTimer;
class QWidget;

namespace solvar::game {

class ProcessEngineLink;
class SettingsStore;
class StatusPanels;
class WindowBoxes;

class Opponents {
 public:
  using LogLine = std::function<void(const QString& line)>;

  struct Options {
    int StrongMoveTimeMs = 1000;
    int EngineGraceMs = 5000;
  };

  // The choices are kept in `settings` and written to `store`.
  Opponents(QWidget& window, match::Match& match, Settings& settings, SettingsStore& store, const Options& options,
            WindowBoxes& boxes, StatusPanels& status, LogLine log);
  ~Opponents();
  Opponents(const Opponents&) = delete;
  Opponents& operator=(const Opponents&) = delete;

  // «Настройки» with its two submenus, at the end of the menu bar; the menu
  // is returned for the other settings of a game.
  QMenu& AddMenu(QMenuBar& bar);
  // «Игра вдвоём», at the end of the menu.
  void AddTwoPeopleCommand(QMenu& menu);

  // «Начать новую»: after the question while a game is on, a game against
  // the computer of the chosen level, by the chosen rules.
  void StartAgainstComputer();
  // «Игра вдвоём»: the same question, then both names.
  void StartTwoPeople();
  match::Player& ComputerOfNextGame();

  // What the game reports: who moves first, whose turn it is in a game of
  // two people, and a computer's thinking (the status bar counts down).
  void AnnounceFirstMove(engine::Side side);
  void TurnChanged(match::Turn turn);
  void Thinking(bool thinking, int moveTimeMs);
  // The countdown stops where it stands (the game has ended).
  void StopCountdown();

  // The strong computer's limits in the current game, and a way back to the
  // window's thread from its search's.
  ai::SearchLimits StrongLimits() const;
  match::Post PostToWindow();
  // One round of the hidden computer-against-computer mode with the strong
  // computer as side 2; false when the game is over.
  bool SelfPlayRoundAgainstStrong();
  // Every search and program stops (the window closes).
  void StopAll();

  void ChooseLevel(ComputerLevel level);
  void ChooseRules(engine::Rules rules);

 private:
  void ChooseOtherProgram();
  void CheckLevel(ComputerLevel level);
  void EndGameOnOtherProgram(const QString& why);
  bool AskTwoNames();
  void ShowCountdown();
  QAction* AddChoice(QMenu& menu, const char* name, const QString& caption, const std::function<void()>& choose);

  QWidget& m_window;
  match::Match& m_match;
  Settings& m_settings;
  SettingsStore& m_store;
  Options m_options;
  WindowBoxes& m_boxes;
  StatusPanels& m_status;
  LogLine m_log;
  match::StandardComputerPlayer m_standard;
  std::unique_ptr<match::StrongComputerPlayer> m_strong;
  std::unique_ptr<match::BackgroundSearch> m_selfPlaySearch;
  match::SecondPlayer m_secondPerson;
  ProcessEngineLink* m_engineLink;
  std::unique_ptr<match::PointsEnginePlayer> m_otherProgram;
  QTimer* m_countdown;
  QElapsedTimer m_thinkingClock;
  int m_thinkingBudgetMs = 0;
  QAction* m_levelStandard = nullptr;
  QAction* m_levelStrong = nullptr;
  QAction* m_levelOther = nullptr;
};

}  // namespace solvar::game

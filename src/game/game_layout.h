#pragma once
// The window laid out for a game (the field, the score panel beside it and
// the log below) or between games (the log alone), its title, and the
// commands that a game turns on and off.

#include <QString>

#include "match/match.h"

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace solvar::game {

class FieldPresenter;
class GameLog;
class GameViewer;
class ScorePanel;
class StatusPanels;

class GameLayout {
 public:
  // The commands a game turns on («Сдаться», «Послать сообщение» in a
  // network game) and off («Настройки поля», «Вид», «Настоить»).
  struct Commands {
    QAction* Surrender = nullptr;
    QAction* FieldSettings = nullptr;
    QAction* SendMessage = nullptr;
    QMenu* View = nullptr;
    QMenu* Setup = nullptr;
  };

  GameLayout(QMainWindow& window, QWidget& content, GameLog& log, const match::Match& match, FieldPresenter& field,
             ScorePanel& panel, StatusPanels& status, GameViewer& viewer);

  void SetCommands(const Commands& commands) { m_commands = commands; }

  // A game starts: the commands of a game, and the field with the panel.
  void StartLayout();
  // The field, the score panel beside it and the log below, for a field of
  // the given size. A game shown on a field smaller than the smallest one
  // the program plays keeps the panel whole beside it.
  void LayOutField(int fieldWidth, int fieldHeight);
  // The window shrinks to the log again.
  void EndLayout();
  // The window holds its content, and is wider where the status bar needs
  // room to show its three panels whole (on the smallest fields); the log
  // spans it.
  void SetContentSize(int width, int height);
  // The program's title, with the rules of a sport game or the players and
  // result of a game shown.
  void UpdateTitle();

 private:
  void SetMenusForGame(bool inGame);

  QMainWindow& m_window;
  QWidget& m_content;
  GameLog& m_log;
  const match::Match& m_match;
  FieldPresenter& m_field;
  ScorePanel& m_panel;
  StatusPanels& m_status;
  GameViewer& m_viewer;
  Commands m_commands;
};

}  // namespace solvar::game

#pragma once
// Games on the field to look at, not to play: a saved game from an SGF file
// («Открыть партию…»), the game that has just ended («Последняя партия», or
// «Посмотреть партию» in its result box), each stepped through move by move
// with the arrow keys, Home and End or the two buttons that stand in the
// score panel in place of the game's three, and left with Esc or the third
// button («Закрыть»). «Сохранить партию…» writes the game on the field, the
// shown one, or the last one until the next starts.

#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "game/prompts.h"
#include "match/game_replay.h"
#include "match/match.h"
#include "render/field_painter.h"

class QAction;
class QMenu;
class QShortcut;
class QWidget;

namespace solvar::game {

class FieldPresenter;
class ScorePanel;
class StatusPanels;
class WindowBoxes;

class GameViewer {
 public:
  // What the viewer asks of the window round it.
  struct Window {
    std::function<void(int fieldWidth, int fieldHeight)> LayOutField;
    std::function<void()> EndLayout;  // back to the window between games
    std::function<void()> TitleChanged;
    std::function<bool()> AgreeToEndGame;
    std::function<void()> GiveUpGame;
    // The folder of saved games last used, and where it is kept.
    std::function<QString()> GamesFolder;
    std::function<void(const QString& folder)> KeepGamesFolder;
    // A game is shown (before it is laid out), one of its moves is shown, it
    // is left.
    std::function<void()> GameShown;
    std::function<void(int moves)> MoveShown;
    std::function<void()> GameLeft;
  };

  GameViewer(QWidget& window, match::Match& match, FieldPresenter& field, ScorePanel& panel, StatusPanels& status,
             WindowBoxes& boxes, const render::FieldColors& colors, Window hooks);
  ~GameViewer();
  GameViewer(const GameViewer&) = delete;
  GameViewer& operator=(const GameViewer&) = delete;

  // «Сохранить партию…», «Открыть партию…» and «Последняя партия», at the
  // end of the menu.
  void AddCommands(QMenu& menu);

  bool IsShowing() const { return m_game != nullptr; }
  const match::GameReplay* Shown() const { return m_game.get(); }
  void OnSave();
  void OnOpen();
  void OnLastGame();
  // Shows the game of an SGF file; false, after a box that says why, when
  // the file is refused.
  bool Open(const QString& path);
  // The position after `moves` moves, painted as the game painted it.
  void ShowMove(int moves);
  void Leave();
  // The clocks of the game shown at that move, where its file kept them.
  void ShowClocks(int moves);
  // What the status bar's last panel says of the move shown: the player who
  // made it, or at the start the number of moves.
  QString MoveCredit(int moves) const;
  // The analysis of the game shown, kept with it for saving.
  void KeepAnalysis(std::vector<match::MoveJudgement> analysis);

  // The result box of a game, with «Посмотреть партию».
  void OfferResult(const match::GameResult& result);
  // A game starts: a shown game is left, and the game can be saved.
  void GameStarted();
  // The window is back between games: the game that has just ended is shown
  // if its result box asked for it.
  void GameLaidOut();
  void SetMenusForGame(bool inGame);
  // A colour was chosen: a shown game is painted again in it.
  void ColorsChanged();
  // The title's part for a shown game: its players and result, and its rules.
  QString TitlePart() const;

 private:
  void Show(match::GameRecord record);
  std::optional<QString> ChooseFile(FileChoice choice);
  void ViewFinishedGameWhenLaidOut();

  match::Match& m_match;
  FieldPresenter& m_field;
  ScorePanel& m_panel;
  StatusPanels& m_status;
  WindowBoxes& m_boxes;
  const render::FieldColors& m_colors;
  Window m_window;
  std::unique_ptr<match::GameReplay> m_game;
  std::vector<QShortcut*> m_keys;  // on only while a game is shown
  QAction* m_save = nullptr;
  QAction* m_lastGame = nullptr;
  bool m_viewFinishedGame = false;  // «Посмотреть партию» was pressed
  QWidget& m_parent;
};

// The text of a game's result box.
QString ResultText(const match::Match& match, const match::GameResult& result);

}  // namespace solvar::game

#pragma once
// The window laid out for a game (the field, the score panel beside it and
// the log below) or between games (the log alone), its title, the commands
// that a game turns on and off, and the field's zoom («Вид» → «Масштаб
// поля», Ctrl+= and Ctrl++ larger, Ctrl+- smaller, Ctrl+0 at 100 %). The
// window never leaves the screen's available area: a zoom that would not
// fit gives way to the largest step that does (and the status bar says so),
// and a field that does not fit even at 100 % scrolls. With «По размеру
// окна» the window can be resized and the field takes the largest zoom that
// fits it. Where the window stands (and its size when it can be resized)
// is kept for the next run.

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

#include "game/settings.h"
#include "match/match.h"

class QAction;
class QMainWindow;
class QMenu;
class QTimer;
class QWidget;

namespace solvar::game {

class FieldPresenter;
class GameLog;
class GameViewer;
class ScorePanel;
class SettingsStore;
class StatusPanels;

class GameLayout : public QObject {
  Q_OBJECT
 public:
  // The commands a game turns on («Сдаться», «Послать сообщение» in a
  // network game) and off («Настройки поля», the colours of «Вид»,
  // «Настоить»). The rest of «Вид» (the zoom, the list of moves, the
  // coordinates, the sound) stays in reach during a game.
  struct Commands {
    QAction* Surrender = nullptr;
    QAction* FieldSettings = nullptr;
    QAction* SendMessage = nullptr;
    std::vector<QAction*> Colors;
    QMenu* Setup = nullptr;
  };

  // The panels of a game's review: the list of moves beside the score
  // panel and the analysis's graph under the field, each with the room it
  // takes (0 while it is not shown).
  struct ReviewPanels {
    QWidget* List = nullptr;
    QWidget* Graph = nullptr;
    std::function<int()> ListWidth;
    std::function<int()> GraphHeight;
  };

  GameLayout(QMainWindow& window, QWidget& content, GameLog& log, const match::Match& match, FieldPresenter& field,
             ScorePanel& panel, StatusPanels& status, GameViewer& viewer, Settings& settings, SettingsStore& store);

  void SetCommands(const Commands& commands) { m_commands = commands; }
  void SetReviewPanels(ReviewPanels panels) { m_review = std::move(panels); }
  // How the field is drawn again when the zoom changes.
  void SetRepaint(std::function<void()> repaint) { m_repaint = std::move(repaint); }
  // «Масштаб поля» at the end of the menu, its keys on the window.
  void AddZoomMenu(QMenu& view);

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
  // The window where it stood in the last run.
  void PlaceWindow();

  // A zoom chosen: 1, 1.5, 2, 3 or FitToWindow.
  void ChooseZoom(double zoom);
  // One step larger (+1) or smaller (-1).
  void StepZoom(int steps);
  // The window laid out again as it is (a panel was shown or hidden).
  void LayOutAgain();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetMenusForGame(bool inGame);
  // The zoom the field can take: the chosen one, or the largest step below
  // it that fits the screen; in «По размеру окна», the largest that fits
  // the window.
  double ZoomFor(int fieldWidth, int fieldHeight);
  // The room for the window's content on its screen, less the frame, the
  // menu and the status bar.
  QSize RoomOnScreen() const;
  QSize FirstFitSize() const;
  void KeepOnScreen();
  int ListWidth() const { return m_review.ListWidth ? m_review.ListWidth() : 0; }
  int GraphHeight() const { return m_review.GraphHeight ? m_review.GraphHeight() : 0; }
  void PlaceReviewPanels(int fieldWidth, int fieldHeight, int panelHeight);

  QMainWindow& m_window;
  QWidget& m_content;
  GameLog& m_log;
  const match::Match& m_match;
  FieldPresenter& m_field;
  ScorePanel& m_panel;
  StatusPanels& m_status;
  GameViewer& m_viewer;
  Settings& m_settings;
  SettingsStore& m_store;
  Commands m_commands;
  ReviewPanels m_review;
  std::function<void()> m_repaint;
  std::vector<std::pair<double, QAction*>> m_zoomActions;
  QTimer* m_keepPlace;
  QTimer* m_fitAgain;
  int m_fieldWidth = 0;  // the field laid out, in cells; 0 between games
  int m_fieldHeight = 0;
};

}  // namespace solvar::game

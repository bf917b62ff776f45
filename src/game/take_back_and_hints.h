#pragma once
// «Ход назад» (and its button under the score panel) and «Подсказка»: a
// move taken back, or the strong computer asked for the side to move, its
// node ringed on the field until the next move. Neither is offered over the
// network.

#include <memory>

#include "engine/random.h"
#include "match/match.h"
#include "match/strong_computer.h"

class QAction;
class QMenu;
class QToolButton;
class QWidget;

namespace solvar::game {

class FieldPresenter;
class Opponents;
class WindowBoxes;

class TakeBackAndHints {
 public:
  TakeBackAndHints(QWidget& window, match::Match& match, Opponents& opponents, FieldPresenter& field,
                   WindowBoxes& boxes, QToolButton& takeBackButton, engine::Random& random);
  ~TakeBackAndHints();
  TakeBackAndHints(const TakeBackAndHints&) = delete;
  TakeBackAndHints& operator=(const TakeBackAndHints&) = delete;

  // «Ход назад» and «Подсказка», at the end of the menu.
  void AddCommands(QMenu& menu);

  void OnTakeBack();
  void OnHint();
  // Only where the match allows them.
  void UpdateCommands();
  // A hint is for the position it was asked in: a move, a take-back or the
  // end of the game drops it, and a search still going is stopped.
  void DropHint();
  // The hint's search stops for good (the window closes).
  void Stop();

 private:
  bool CanHint() const;
  engine::Side SideToMove() const;

  QWidget& m_window;
  match::Match& m_match;
  Opponents& m_opponents;
  FieldPresenter& m_field;
  WindowBoxes& m_boxes;
  QToolButton& m_button;
  engine::Random& m_random;
  std::unique_ptr<match::BackgroundSearch> m_search;
  QAction* m_takeBack = nullptr;
  QAction* m_hint = nullptr;
};

}  // namespace solvar::game

#pragma once
// Panel1, the score panel beside the field: the legend icons with the
// captures of each side and the free nodes, and its buttons: «Обновить»,
// «Сдаться» and the previous move (BitBtn4, BitBtn2, BitBtn3), «Ход назад»
// under them during a game at this window, and in their place while a game
// is shown, the viewer's back, forward and «Закрыть».

#include <QFrame>

#include "engine/board.h"
#include "render/field_painter.h"

class QLabel;
class QToolButton;

namespace solvar::game {

class ScorePanel : public QFrame {
  Q_OBJECT
 public:
  static constexpr int Width = 108;

  explicit ScorePanel(QWidget* parent);

  void SetCounts(int own, int rival, int free);
  void SetFree(int free);
  // The counters' tooltips: whose captures each counts (`ownName` empty for
  // the player at this window against a computer or a remote player).
  void NameCounters(const QString& ownName, const QString& rivalName);
  // The three legend icons in the field's colours, at the screen's density.
  void DrawLegend(const render::FieldColors& colors);
  // Each side's clock beside its counter (side 1's by the first, side 2's by
  // the second), in a timed or network game and in a shown game that kept
  // its clocks; hidden otherwise.
  void ShowClocks(bool shown);
  // The side's time as text; the running clock in bold, a low one in red.
  void SetClock(engine::Side side, const QString& text, bool running, bool low);
  QLabel* Clock(engine::Side side) const { return side == engine::Side::Own ? m_ownClock : m_rivalClock; }
  // The game's buttons, or the viewer's.
  void ShowGameButtons(bool game);
  // The least height that shows every button in view.
  int LeastHeight() const;

  QToolButton* Refresh() const { return m_refresh; }
  QToolButton* Surrender() const { return m_surrender; }
  QToolButton* PreviousMove() const { return m_previousMove; }
  QToolButton* TakeBack() const { return m_takeBack; }
  QToolButton* ViewBack() const { return m_viewBack; }
  QToolButton* ViewForward() const { return m_viewForward; }
  QToolButton* ViewClose() const { return m_viewClose; }

 private:
  QLabel* m_ownScore;    // Label2
  QLabel* m_rivalScore;  // Label4
  QLabel* m_free;        // Label6
  QLabel* m_ownLegend;   // Image2: a captured dot of side 2
  QLabel* m_rivalLegend; // Image3: a captured dot of side 1
  QLabel* m_freeLegend;  // Image1
  QLabel* m_ownClock;
  QLabel* m_rivalClock;
  QToolButton* m_refresh;
  QToolButton* m_surrender;
  QToolButton* m_previousMove;
  QToolButton* m_takeBack;
  QToolButton* m_viewBack;
  QToolButton* m_viewForward;
  QToolButton* m_viewClose;
};

// The curved arrow of «Ход назад», unlike the plain arrow of the previous
// move next to it.
QIcon TakeBackIcon();

}  // namespace solvar::game

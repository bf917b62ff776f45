#pragma once
// The course of an analysed game under the field: move by move (x) the
// expected lead of the first side (y; above the middle line the first side
// is ahead), its mistakes as dots in its colour and the second side's in
// its own, and the shown move marked by an upright line. A click on the
// graph asks for the move under it. While the analysis runs, its progress
// and a «Отмена» button stand at the top.

#include <QWidget>

#include <functional>
#include <vector>

#include "match/game_record.h"
#include "render/field_painter.h"

class QLabel;
class QProgressBar;
class QToolButton;

namespace solvar::game {

// The graph's caption: whose lead it shows, by name (side 1 is the player
// who is side 1 in the record, not the side that moved first).
QString LeadCaption(const match::GameRecord& record);

class AnalysisGraph : public QWidget {
  Q_OBJECT
 public:
  static constexpr int Height = 120;  // at 100 %

  AnalysisGraph(QWidget* parent, const render::FieldColors& colors);

  // The leads judged so far of a game of `moves` moves.
  void ShowJudgements(const match::GameRecord& record, const std::vector<match::MoveJudgement>& judged);
  void Clear();
  void MarkShown(int moves);
  // The analysis running (judged of total moves), or done.
  void ShowProgress(int judged, int total);
  void HideProgress();
  QToolButton* Cancel() const { return m_cancel; }

  // A click on the graph: the position after that many moves is asked for.
  std::function<void(int moves)> onChosen;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect Plot() const;
  double Scale() const;
  QPointF PointOf(int moves, double lead) const;

  const render::FieldColors& m_colors;
  std::vector<double> m_leads;  // after each move judged
  std::vector<engine::Side> m_mistakeBy;
  std::vector<int> m_mistakes;  // moves, from 1
  int m_moves = 0;              // of the game
  int m_shown = 0;
  QProgressBar* m_progress;
  QToolButton* m_cancel;
  QLabel* m_caption;
};

}  // namespace solvar::game

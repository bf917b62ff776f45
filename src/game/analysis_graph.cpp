#include "game/analysis_graph.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>

#include "game/move_list.h"
#include "match/game_analysis.h"

namespace solvar::game {

namespace {

constexpr int Margin = 6;
constexpr int LeftRoom = 34;  // for the scale's numbers
constexpr int TopRoom = 18;   // for the caption or the progress

}  // namespace

QString LeadCaption(const match::GameRecord& record) {
  return QStringLiteral("Перевес стороны 1 (%1): выше нуля — %1, ниже — %2")
      .arg(SideName(record, engine::Side::Own), SideName(record, engine::Side::Rival));
}

AnalysisGraph::AnalysisGraph(QWidget* parent, const render::FieldColors& colors)
    : QWidget(parent),
      m_colors(colors),
      m_progress(new QProgressBar(this)),
      m_cancel(new QToolButton(this)),
      m_caption(new QLabel(this)) {
  setObjectName(QStringLiteral("AnalysisGraph"));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(0xfb, 0xfb, 0xf6));
  setPalette(palette);
  m_progress->setObjectName(QStringLiteral("AnalysisProgress"));
  m_progress->setTextVisible(true);
  m_cancel->setObjectName(QStringLiteral("AnalysisCancel"));
  m_cancel->setText(QStringLiteral("Отмена"));
  m_cancel->setToolTip(QStringLiteral("Прервать анализ партии"));
  m_caption->setObjectName(QStringLiteral("AnalysisCaption"));
  HideProgress();
}

void AnalysisGraph::Clear() {
  m_leads.clear();
  m_mistakes.clear();
  m_mistakeBy.clear();
  m_moves = 0;
  m_shown = 0;
  update();
}

void AnalysisGraph::ShowJudgements(const match::GameRecord& record, const std::vector<match::MoveJudgement>& judged) {
  m_caption->setText(LeadCaption(record));
  m_moves = static_cast<int>(record.Moves.size());
  m_leads.clear();
  m_mistakes.clear();
  m_mistakeBy.clear();
  for (std::size_t i = 0; i < judged.size() && i < record.Moves.size(); ++i) {
    m_leads.push_back(judged[i].Lead);
    if (match::LossOf(record.Moves[i], judged[i]) >= match::MistakeLoss) {
      m_mistakes.push_back(static_cast<int>(i) + 1);
      m_mistakeBy.push_back(record.Moves[i].Mover);
    }
  }
  update();
}

void AnalysisGraph::MarkShown(int moves) {
  m_shown = moves;
  update();
}

void AnalysisGraph::ShowProgress(int judged, int total) {
  m_caption->hide();
  m_progress->setRange(0, std::max(1, total));
  m_progress->setValue(judged);
  m_progress->setFormat(QStringLiteral("Анализ: %1 из %2").arg(judged).arg(total));
  m_progress->show();
  m_cancel->show();
}

void AnalysisGraph::HideProgress() {
  m_progress->hide();
  m_cancel->hide();
  m_caption->show();
}

void AnalysisGraph::resizeEvent(QResizeEvent*) {
  const int buttonWidth = m_cancel->sizeHint().width();
  m_cancel->setGeometry(width() - Margin - buttonWidth, 1, buttonWidth, TopRoom);
  m_progress->setGeometry(LeftRoom, 2, std::max(20, width() - LeftRoom - 2 * Margin - buttonWidth), TopRoom - 2);
  m_caption->setGeometry(LeftRoom, 1, std::max(20, width() - LeftRoom - Margin), TopRoom);
}

QRect AnalysisGraph::Plot() const {
  return QRect(LeftRoom, TopRoom + 2, std::max(10, width() - LeftRoom - Margin), std::max(10, height() - TopRoom - 2 - Margin));
}

// The largest lead shown, in steps of five dots.
double AnalysisGraph::Scale() const {
  double largest = 5;
  for (const double lead : m_leads) largest = std::max(largest, std::abs(lead));
  return 5.0 * std::ceil(largest / 5.0);
}

QPointF AnalysisGraph::PointOf(int moves, double lead) const {
  const QRect plot = Plot();
  const double x = plot.left() + plot.width() * static_cast<double>(moves) / std::max(1, m_moves);
  const double y = plot.center().y() - (plot.height() / 2.0) * lead / Scale();
  return QPointF(x, y);
}

void AnalysisGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRect plot = Plot();
  painter.setPen(QColor(0xd0, 0xd0, 0xd8));
  painter.drawRect(plot.adjusted(0, 0, -1, -1));
  painter.setPen(QColor(0x90, 0x90, 0xa0));
  painter.drawLine(QPointF(plot.left(), plot.center().y()), QPointF(plot.right(), plot.center().y()));
  QFont small = font();
  small.setPixelSize(10);
  painter.setFont(small);
  const double scale = Scale();
  painter.drawText(QRect(0, plot.top() - 6, LeftRoom - 3, 12), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("+%1").arg(scale));
  painter.drawText(QRect(0, plot.center().y() - 6, LeftRoom - 3, 12), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
  painter.drawText(QRect(0, plot.bottom() - 6, LeftRoom - 3, 12), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("−%1").arg(scale));
  if (m_moves == 0) return;
  if (m_shown > 0) {
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1, Qt::DashLine));
    const double x = PointOf(m_shown, 0).x();
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
  }
  if (m_leads.empty()) return;
  QPainterPath curve(PointOf(0, 0));
  for (std::size_t i = 0; i < m_leads.size(); ++i) curve.lineTo(PointOf(static_cast<int>(i) + 1, m_leads[i]));
  painter.setPen(QPen(QColor(0x20, 0x30, 0x90), 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(curve);
  for (std::size_t i = 0; i < m_mistakes.size(); ++i) {
    const int move = m_mistakes[i];
    const QColor colour(render::ToRgb(m_colors.SideColor(m_mistakeBy[i])));
    painter.setPen(colour.darker(160));
    painter.setBrush(colour);
    painter.drawEllipse(PointOf(move, m_leads[static_cast<std::size_t>(move - 1)]), 3.5, 3.5);
  }
}

void AnalysisGraph::mousePressEvent(QMouseEvent* event) {
  if (m_moves == 0 || event->button() != Qt::LeftButton || !onChosen) return;
  const QRect plot = Plot();
  const double share = (event->position().x() - plot.left()) / std::max(1, plot.width());
  onChosen(std::clamp(static_cast<int>(std::lround(share * m_moves)), 0, m_moves));
}

}  // namespace solvar::game

#include "game/score_panel.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QToolButton>

#include "dialogs/style.h"
#include "render/field_canvas.h"

namespace solvar::game {

namespace {

constexpr int LeastPanelHeight = 168;
constexpr int ClockLeft = 68;  // the clocks stand right of the counters, which keep this much room
constexpr int TakeBackRowHeight = 198;  // the take-back button's row below the three

QLabel* PanelLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(dialogs::ArialFont(13));
  dialogs::SetTextColor(label, dialogs::Blue);
  label->move(x, y);
  label->resize(56, 17);
  return label;
}

QLabel* LegendImage(QWidget* parent, const char* name, int x, int y) {
  auto* image = new QLabel(parent);
  image->setObjectName(QString::fromLatin1(name));
  image->setGeometry(x, y, 25, 25);
  return image;
}

QToolButton* PanelButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, int x, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(x, 136, 27, 27);
  button->setIcon(QApplication::style()->standardIcon(icon));
  button->setToolTip(tip);
  return button;
}

// A legend icon, transparent where it shows its fill colour; the icon's own
// bitmap, before that, is kept as the label's "picture".
void PaintLegend(QLabel* image, const render::FieldColors& colors, render::Color circle) {
  render::FieldCanvas icon(25, 25, image->devicePixelRatioF());
  render::DrawLegendIcon(icon, colors.BackColor, circle, colors.GridColor);
  QImage picture = icon.Shown().convertToFormat(QImage::Format_ARGB32);
  const QRgb fill = render::ToRgb(colors.BackColor);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if ((picture.pixel(x, y) & 0xFFFFFF) == (fill & 0xFFFFFF)) picture.setPixel(x, y, 0);
  image->setPixmap(QPixmap::fromImage(picture));
  image->setProperty("picture", icon.Image());
}

// A side's clock at the right end of its counter's row.
QLabel* ClockLabel(QWidget* parent, const char* name, int y) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(dialogs::ArialFont(12));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setGeometry(ClockLeft, y, ScorePanel::Width - ClockLeft - 3, 17);
  label->hide();
  return label;
}

}  // namespace

QIcon TakeBackIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor green(0x1E, 0x7D, 0x32);
  painter.setPen(QPen(green, 2.0, Qt::SolidLine, Qt::RoundCap));
  QPainterPath curve;
  curve.moveTo(4.5, 6.5);
  curve.lineTo(9.5, 6.5);
  curve.cubicTo(15.0, 6.5, 15.0, 14.0, 9.5, 14.0);
  curve.lineTo(6.0, 14.0);
  painter.drawPath(curve);
  painter.setPen(Qt::NoPen);
  painter.setBrush(green);
  painter.drawPolygon(QPolygonF({QPointF(0.5, 6.5), QPointF(6.0, 2.0), QPointF(6.0, 11.0)}));
  return QIcon(pixmap);
}

ScorePanel::ScorePanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("Panel1"));
  setGeometry(552, 0, Width, render::FieldPictureHeight);
  dialogs::SetBackground(this, dialogs::Cream);
  hide();
  // Centred where a 65-pixel label at 24 is centred, wide enough for the word.
  QLabel* title = PanelLabel(this, "Label1", QStringLiteral("Статистика"), 8, 8);
  title->resize(97, 17);
  title->setAlignment(Qt::AlignCenter);
  m_ownLegend = LegendImage(this, "Image2", 8, 32);
  m_ownScore = PanelLabel(this, "Label2", QStringLiteral("0"), 49, 40);
  m_rivalLegend = LegendImage(this, "Image3", 8, 64);
  m_rivalScore = PanelLabel(this, "Label4", QStringLiteral("0"), 49, 72);
  m_freeLegend = LegendImage(this, "Image1", 8, 96);
  m_free = PanelLabel(this, "Label6", QStringLiteral("0"), 49, 104);
  m_ownClock = ClockLabel(this, "Clock1", 40);
  m_rivalClock = ClockLabel(this, "Clock2", 72);

  m_refresh = PanelButton(this, "BitBtn4", QStyle::SP_BrowserReload, 8, QStringLiteral("Обновить"));
  m_surrender = PanelButton(this, "BitBtn2", QStyle::SP_DialogCancelButton, 40, QStringLiteral("Сдаться"));
  m_previousMove = PanelButton(this, "BitBtn3", QStyle::SP_ArrowBack, 72, QStringLiteral("Просмотр предыдущего хода"));
  m_takeBack = PanelButton(this, "BitBtn5", QStyle::SP_ArrowLeft, 8, QStringLiteral("Ход назад"));
  m_takeBack->setIcon(TakeBackIcon());
  m_takeBack->move(8, 168);
  m_takeBack->setEnabled(false);
  m_takeBack->hide();

  m_viewBack = PanelButton(this, "ViewBack", QStyle::SP_MediaSeekBackward, 8, QStringLiteral("Ход назад"));
  m_viewForward = PanelButton(this, "ViewForward", QStyle::SP_MediaSeekForward, 40, QStringLiteral("Ход вперёд"));
  m_viewClose = PanelButton(this, "ViewClose", QStyle::SP_DialogCloseButton, 72, QStringLiteral("Закрыть"));
  m_viewClose->setAccessibleName(QStringLiteral("Закрыть"));
  for (QToolButton* button : {m_viewBack, m_viewForward, m_viewClose}) button->hide();
  NameCounters(QString(), QStringLiteral("соперник"));
}

void ScorePanel::SetCounts(int own, int rival, int free) {
  m_ownScore->setText(QString::number(own));
  m_rivalScore->setText(QString::number(rival));
  m_free->setText(QString::number(free));
}

void ScorePanel::NameCounters(const QString& ownName, const QString& rivalName) {
  const QString own = ownName.isEmpty() ? QStringLiteral("Ваши захваты") : QStringLiteral("Захваты — %1").arg(ownName);
  const QString rival = QStringLiteral("Захваты — %1").arg(rivalName);
  for (QLabel* label : {m_ownScore, m_ownLegend}) label->setToolTip(own);
  for (QLabel* label : {m_rivalScore, m_rivalLegend}) label->setToolTip(rival);
  for (QLabel* label : {m_free, m_freeLegend}) label->setToolTip(QStringLiteral("Свободные узлы"));
}

void ScorePanel::ShowClocks(bool shown) {
  for (QLabel* clock : {m_ownClock, m_rivalClock}) clock->setVisible(shown);
  for (QLabel* count : {m_ownScore, m_rivalScore}) count->resize(shown ? ClockLeft - 49 : 56, 17);
}

void ScorePanel::SetClock(engine::Side side, const QString& text, bool running, bool low) {
  QLabel* clock = Clock(side);
  clock->setText(text);
  QFont font = clock->font();
  font.setBold(running);
  clock->setFont(font);
  dialogs::SetTextColor(clock, low ? qRgb(0xD0, 0x10, 0x10) : dialogs::Blue);
  clock->setToolTip(running ? QStringLiteral("Время на ходу") : QStringLiteral("Оставшееся время"));
}

void ScorePanel::SetFree(int free) { m_free->setText(QString::number(free)); }

void ScorePanel::DrawLegend(const render::FieldColors& colors) {
  PaintLegend(m_rivalLegend, colors, colors.OwnColor);
  PaintLegend(m_ownLegend, colors, colors.RivalColor);
  PaintLegend(m_freeLegend, colors, colors.BackColor);
}

void ScorePanel::ShowGameButtons(bool game) {
  for (QToolButton* button : {m_refresh, m_surrender, m_previousMove}) button->setVisible(game);
  if (!game) m_takeBack->hide();
  for (QToolButton* button : {m_viewBack, m_viewForward, m_viewClose}) button->setVisible(!game);
}

int ScorePanel::LeastHeight() const { return m_takeBack->isHidden() ? LeastPanelHeight : TakeBackRowHeight; }

}  // namespace solvar::game

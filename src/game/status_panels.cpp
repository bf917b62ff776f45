#include "game/status_panels.h"

#include <QLabel>
#include <QPainter>
#include <QLocale>
#include <QStatusBar>
#include <QTime>

#include <algorithm>

namespace solvar::game {

namespace {

// The time of day in the system's long time format, without a time zone.
QString LongTimeOfDay() {
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return QTime::currentTime().toString(format.trimmed());
}

// A panel whose text, when it is too long for it, loses its beginning (a
// name) rather than its end (the move or the better node), with the whole
// text in its tooltip.
class EndKeepingLabel : public QLabel {
 public:
  EndKeepingLabel(const QString& text, QWidget* parent) : QLabel(parent) { SetWhole(text); }
  void SetWhole(const QString& text) {
    m_whole = text;
    setText(text);  // what the label holds, for whoever reads it
    setToolTip(text);
    updateGeometry();
    update();
  }
  const QString& Whole() const { return m_whole; }
  QSize sizeHint() const override {
    const QFontMetrics metrics(font());
    return QSize(std::min(metrics.horizontalAdvance(m_whole) + 4, MostHintWidth), metrics.height());
  }
  QSize minimumSizeHint() const override { return QSize(0, QFontMetrics(font()).height()); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QString shown = fontMetrics().elidedText(m_whole, Qt::ElideLeft, contentsRect().width());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), static_cast<int>(Qt::AlignRight | Qt::AlignVCenter), shown);
  }

 private:
  static constexpr int MostHintWidth = 260;
  QString m_whole;
};

}  // namespace

StatusPanels::StatusPanels(QStatusBar& bar)
    : m_clock(new QLabel(&bar)), m_selection(new QLabel(&bar)), m_credit(new EndKeepingLabel(QString::fromUtf8(CreditLine), &bar)) {
  bar.setObjectName(QStringLiteral("StatusBar1"));
  bar.setSizeGripEnabled(false);
  bar.setFixedHeight(StatusBarHeight);
  m_clock->setObjectName(QStringLiteral("StatusPanel0"));
  m_clock->setMinimumWidth(50);
  m_selection->setObjectName(QStringLiteral("StatusPanel1"));
  m_selection->setFixedWidth(150);
  m_credit->setObjectName(QStringLiteral("StatusPanel2"));
  m_credit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  bar.addWidget(m_clock);
  bar.addWidget(m_selection);
  bar.addWidget(m_credit, 1);
  ShowTimeOfDay();
}

void StatusPanels::ShowTimeOfDay() { m_clock->setText(LongTimeOfDay()); }
void StatusPanels::Say(const QString& text, const QString& whole) {
  m_selection->setText(text);
  m_selection->setToolTip(whole);
}

void StatusPanels::ClearSaying() {
  m_selection->clear();
  m_selection->setToolTip(QString());
}
QString StatusPanels::Saying() const { return m_selection->text(); }
void StatusPanels::SetCredit(const QString& text) { static_cast<EndKeepingLabel*>(m_credit)->SetWhole(text); }
QString StatusPanels::Credit() const { return static_cast<const EndKeepingLabel*>(m_credit)->Whole(); }
void StatusPanels::ResetCredit() { SetCredit(QString::fromUtf8(CreditLine)); }

}  // namespace solvar::game

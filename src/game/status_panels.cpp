#include "game/status_panels.h"

#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTime>

namespace solvar::game {

namespace {

// The time of day in the system's long time format, without a time zone.
QString LongTimeOfDay() {
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return QTime::currentTime().toString(format.trimmed());
}

}  // namespace

StatusPanels::StatusPanels(QStatusBar& bar)
    : m_clock(new QLabel(&bar)), m_selection(new QLabel(&bar)), m_credit(new QLabel(QString::fromUtf8(CreditLine), &bar)) {
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
void StatusPanels::Say(const QString& text) { m_selection->setText(text); }
void StatusPanels::ClearSaying() { m_selection->clear(); }
QString StatusPanels::Saying() const { return m_selection->text(); }
void StatusPanels::SetCredit(const QString& text) { m_credit->setText(text); }
QString StatusPanels::Credit() const { return m_credit->text(); }
void StatusPanels::ResetCredit() { m_credit->setText(QString::fromUtf8(CreditLine)); }

}  // namespace solvar::game

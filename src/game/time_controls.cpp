#include "game/time_controls.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include "game/score_panel.h"
#include "game/settings.h"
#include "game/settings_store.h"
#include "game/window_boxes.h"
#include "match/match.h"

namespace solvar::game {

namespace {

using match::TimeControl;

constexpr int TickMs = 100;
constexpr auto LowTime = std::chrono::seconds(10);

QString MainText(int seconds) {
  if (seconds % 60 == 0) return QStringLiteral("%1 мин").arg(seconds / 60);
  if (seconds < 60) return QStringLiteral("%1 с").arg(seconds);
  return QStringLiteral("%1 мин %2 с").arg(seconds / 60).arg(seconds % 60);
}

}  // namespace

QString ControlCaption(const TimeControl& control) {
  switch (control.Type) {
    case TimeControl::Kind::None: return QStringLiteral("Без контроля");
    case TimeControl::Kind::Increment:
      return QStringLiteral("%1 + %2 с за ход").arg(MainText(control.MainSeconds)).arg(control.MoveSeconds);
    case TimeControl::Kind::FreeSeconds:
      return QStringLiteral("%1 + %2 с на ход").arg(MainText(control.MainSeconds)).arg(control.MoveSeconds);
  }
  return QString();
}

TimeControls::TimeControls(QWidget& window, match::Match& match, Settings& settings, SettingsStore& store,
                           ScorePanel& panel, WindowBoxes& boxes, AskControl ask)
    : QObject(&window),
      m_match(match),
      m_settings(settings),
      m_store(store),
      m_panel(panel),
      m_boxes(boxes),
      m_ask(std::move(ask)),
      m_ticker(new QTimer(this)) {
  m_ticker->setInterval(TickMs);
  connect(m_ticker, &QTimer::timeout, this, [this] { m_boxes.Guarded([this] { Tick(); }); });
  m_match.SetTimeControl(m_settings.Clock);
}

void TimeControls::AddMenu(QMenu& menu) {
  QMenu* clocks = menu.addMenu(QStringLiteral("&Контроль времени"));
  clocks->menuAction()->setObjectName(QStringLiteral("TimeControl"));
  auto* group = new QActionGroup(this);
  const auto add = [&](const char* name, const QString& caption, std::function<void()> choose) {
    QAction* action = clocks->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, choose = std::move(choose)] { m_boxes.Guarded(choose); });
    return action;
  };
  m_none = add("TimeNone", QStringLiteral("&Без контроля"), [this] { Choose(match::NoTimeControl()); });
  m_oneMinute = add("TimeOneMinute", QStringLiteral("&1 мин + 10 с за ход"), [this] { Choose(match::OneMinutePlusTen()); });
  m_fiveMinutes = add("TimeFiveMinutes", QStringLiteral("&5 мин + 25 с на ход"), [this] { Choose(match::FiveMinutesTwentyFive()); });
  m_other = add("TimeOther", QStringLiteral("&Другой…"), [this] { ChooseOther(); });
  CheckChoice();
}

void TimeControls::Choose(const TimeControl& control) {
  m_settings.Clock = control;
  m_store.SaveTimeControl(control);
  m_match.SetTimeControl(control);
  CheckChoice();
}

// Cancelling keeps the control as it was.
void TimeControls::ChooseOther() {
  const auto chosen = m_ask ? m_ask(m_settings.Clock) : std::nullopt;
  if (chosen) Choose(*chosen);
  CheckChoice();
}

void TimeControls::CheckChoice() {
  if (m_none == nullptr) return;
  const TimeControl& control = m_settings.Clock;
  const bool one = control == match::OneMinutePlusTen();
  const bool five = control == match::FiveMinutesTwentyFive();
  m_none->setChecked(!control.IsTimed());
  m_oneMinute->setChecked(one);
  m_fiveMinutes->setChecked(five);
  m_other->setChecked(control.IsTimed() && !one && !five);
  m_other->setText(m_other->isChecked() ? QStringLiteral("&Другой: %1…").arg(ControlCaption(control))
                                         : QStringLiteral("&Другой…"));
}

void TimeControls::GameStarted() {
  m_lowHeard = {};
  const bool shown = m_match.Clock() != nullptr;
  m_panel.ShowClocks(shown);
  if (!shown) return m_ticker->stop();
  ShowClocks();
  m_ticker->start();
}

void TimeControls::GameEnded() {
  m_ticker->stop();
  m_panel.ShowClocks(false);
}

void TimeControls::Tick() {
  if (m_match.CheckClock()) return;
  if (m_match.Clock() != nullptr && m_match.InProgress()) ShowClocks();
}

void TimeControls::ShowClocks() {
  const match::GameClock& clock = *m_match.Clock();
  for (const engine::Side side : {engine::Side::Own, engine::Side::Rival}) {
    const match::Millis left = clock.Left(side);
    const bool running = clock.Running() == side;
    const bool low = !clock.CountsUp() && left < LowTime;
    m_panel.SetClock(side, QString::fromStdString(match::ClockText(left)), running, low);
    bool& heard = m_lowHeard[side == engine::Side::Own ? 0 : 1];
    if (running && low && !heard) {
      heard = true;
      if (onClockLow) onClockLow();
    }
  }
}

}  // namespace solvar::game

// The level of the computer: the standard one, or the strong one that
// searches on a thread of its own while the status bar counts down its
// thinking time.

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "game/main_window.h"

namespace solvar::game {

// «Настройки» → «Уровень компьютера» with «Обычный» (checked at start),
// «Сильный» and «Другая программа…». The choice takes effect from the next
// game.
void TForm1::CreateLevelMenu() {
  QMenu* settings = menuBar()->addMenu(QStringLiteral("&Настройки"));
  settings->menuAction()->setObjectName(QStringLiteral("N26"));
  QMenu* level = settings->addMenu(QStringLiteral("&Уровень компьютера"));
  level->menuAction()->setObjectName(QStringLiteral("N27"));
  auto* group = new QActionGroup(this);
  m_levelStandard = AddCommand(level, "N28", QStringLiteral("&Обычный"), -1, &TForm1::N28Click);
  m_levelStrong = AddCommand(level, "N29", QStringLiteral("&Сильный"), -1, &TForm1::N29Click);
  m_levelOther = AddCommand(level, "N39", QStringLiteral("&Другая программа…"), -1, &TForm1::N39Click);
  for (QAction* action : {m_levelStandard, m_levelStrong, m_levelOther}) {
    action->setCheckable(true);
    group->addAction(action);
  }
  m_levelStandard->setChecked(true);
  CreateRulesMenu(settings);
}

// «Настройки» → «Правила»: «Классические» (checked at start) or «Спортивные»,
// for the next game at this window.
void TForm1::CreateRulesMenu(QMenu* settings) {
  QMenu* rules = settings->addMenu(QStringLiteral("&Правила"));
  rules->menuAction()->setObjectName(QStringLiteral("N32"));
  auto* group = new QActionGroup(this);
  m_rulesClassic = AddCommand(rules, "N33", QStringLiteral("&Классические"), -1, &TForm1::N33Click);
  m_rulesSport = AddCommand(rules, "N34", QStringLiteral("&Спортивные"), -1, &TForm1::N34Click);
  for (QAction* action : {m_rulesClassic, m_rulesSport}) {
    action->setCheckable(true);
    group->addAction(action);
  }
  m_rulesClassic->setChecked(true);
}

void TForm1::N33Click() { ChooseRules(engine::Rules::Classic); }
void TForm1::N34Click() { ChooseRules(engine::Rules::Sport); }

void TForm1::N28Click() { ChooseLevel(ComputerLevel::Standard); }
void TForm1::N29Click() { ChooseLevel(ComputerLevel::Strong); }

// A choice made during a game says when it takes effect.
void TForm1::ChooseLevel(ComputerLevel level) {
  const bool changed = level != m_settings.Level;
  m_settings.Level = level;
  if (changed && m_match->InProgress()) m_selectionPanel->setText(QStringLiteral("Уровень изменится со следующей партии"));
}

void TForm1::ChooseRules(engine::Rules rules) {
  const bool changed = rules != m_settings.Rules;
  m_settings.Rules = rules;
  if (changed && m_match->InProgress()) m_selectionPanel->setText(QStringLiteral("Правила изменятся со следующей партии"));
}

ai::SearchLimits TForm1::StrongLimits() const {
  ai::SearchLimits limits;
  limits.MoveTimeMs = m_options.StrongMoveTimeMs;
  limits.Rules = m_match->Rules();
  return limits;
}

// A task from the search's thread runs on the window's thread, inside the
// guard; it is dropped when the window is gone.
match::Post TForm1::PostToWindow() {
  return [this](std::function<void()> task) {
    QMetaObject::invokeMethod(this, [this, task = std::move(task)] { Guarded(task); }, Qt::QueuedConnection);
  };
}

void TForm1::OnComputerThinking(bool thinking, int moveTimeMs) {
  m_thinkingBudgetMs = moveTimeMs;
  if (thinking) {
    m_thinkingClock.start();
    m_thinkingTimer->start();
    ShowThinking();
  } else {
    m_thinkingTimer->stop();
    m_selectionPanel->clear();
  }
}

// «Компьютер думает... 0,7 с»: the time it has left.
void TForm1::ShowThinking() {
  const auto left = static_cast<double>(std::max<qint64>(0, m_thinkingBudgetMs - m_thinkingClock.elapsed())) / 1000.0;
  m_selectionPanel->setText(QStringLiteral("Компьютер думает... %1 с").arg(QString::number(left, 'f', 1).replace(
      QLatin1Char('.'), QLatin1Char(','))));
}

// Side 2 of the computer-against-computer mode at the strong level: side 1's
// standard move on the tick, then side 2's search; the ticks wait for it.
void TForm1::SelfPlayAgainstStrong() {
  if (m_selfPlaySearch->IsBusy()) return;
  engine::Side mover = engine::Side::Own;
  if (m_match->SelfPlay(mover, 1) < 1 || m_match->Count()) {
    m_timer1->stop();
    return;
  }
  m_selfPlaySearch->Start(m_match->Board(), engine::Side::Rival, StrongLimits(), m_match->RandomSource().NextSeed(),
                          [this](std::optional<engine::Node> node) {
                            if (!node || !m_match->IsFreeNode(*node)) return;
                            engine::Side rival = engine::Side::Rival;
                            m_match->SelfPlay(rival, 1, m_match->StandardChoice(), [node](engine::Side) { return node; });
                          });
}

}  // namespace solvar::game

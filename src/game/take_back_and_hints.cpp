#include "game/take_back_and_hints.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QWidget>

#include "game/field_presenter.h"
#include "game/opponents.h"
#include "game/score_panel.h"
#include "game/window_boxes.h"

namespace solvar::game {

TakeBackAndHints::TakeBackAndHints(QWidget& window, match::Match& match, Opponents& opponents, FieldPresenter& field,
                                   WindowBoxes& boxes, QToolButton& takeBackButton, engine::Random& random)
    : m_window(window),
      m_match(match),
      m_opponents(opponents),
      m_field(field),
      m_boxes(boxes),
      m_button(takeBackButton),
      m_random(random),
      m_search(std::make_unique<match::BackgroundSearch>(opponents.PostToWindow())) {
  QObject::connect(&m_button, &QToolButton::clicked, &window, [this] { m_boxes.Guarded([this] { OnTakeBack(); }); });
}

TakeBackAndHints::~TakeBackAndHints() = default;

void TakeBackAndHints::AddCommands(QMenu& menu) {
  m_takeBack = menu.addAction(TakeBackIcon(), QStringLiteral("&Ход назад"));
  m_takeBack->setObjectName(QStringLiteral("N35"));
  m_takeBack->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  m_takeBack->setEnabled(false);
  QObject::connect(m_takeBack, &QAction::triggered, &m_window, [this] { m_boxes.Guarded([this] { OnTakeBack(); }); });
  m_hint = menu.addAction(QStringLiteral("&Подсказка"));
  m_hint->setObjectName(QStringLiteral("N36"));
  m_hint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  m_hint->setEnabled(false);
  QObject::connect(m_hint, &QAction::triggered, &m_window, [this] { m_boxes.Guarded([this] { OnHint(); }); });
}

engine::Side TakeBackAndHints::SideToMove() const {
  return m_match.ToMove() == match::Turn::Opponent ? engine::Side::Rival : engine::Side::Own;
}

void TakeBackAndHints::UpdateCommands() {
  const bool takeBack = m_match.CanTakeBack();
  m_takeBack->setEnabled(takeBack);
  m_button.setEnabled(takeBack);
  m_hint->setEnabled(CanHint());
}

void TakeBackAndHints::OnTakeBack() {
  if (!m_match.CanTakeBack()) return;
  DropHint();
  m_match.TakeBack();
}

// A hint for the side to move, when that side is a person at this window.
bool TakeBackAndHints::CanHint() const {
  if (!m_match.InProgress() || m_match.IsNetwork()) return false;
  return m_match.ToMove() == match::Turn::Local || (m_match.IsTwoPlayers() && m_match.ToMove() == match::Turn::Opponent);
}

// The strong computer thinks for the side to move, off the window's thread,
// with its countdown; then its node is ringed on the field and named in the
// status bar. In a timed game the side's clock runs meanwhile: the hint
// costs the time it takes, and takes no more than the clock allows.
void TakeBackAndHints::OnHint() {
  if (!CanHint() || m_search->IsBusy()) return;
  DropHint();
  const engine::Side side = SideToMove();
  ai::SearchLimits limits = m_opponents.StrongLimits();
  limits.MoveTimeMs = m_match.ComputerMoveTime(side, limits.MoveTimeMs).UsualMs;
  m_opponents.Thinking(true, limits.MoveTimeMs);
  m_search->Start(m_match.Board(), side, limits, m_random.NextSeed(), [this, side](std::optional<engine::Node> node) {
    m_opponents.Thinking(false, 0);
    if (node) m_field.ShowHint(*node, side);
  });
}

void TakeBackAndHints::DropHint() {
  if (m_search->IsBusy()) {
    m_search->Stop();
    m_opponents.Thinking(false, 0);
  }
  m_field.HideHint();
}

void TakeBackAndHints::Stop() { m_search->Stop(); }

}  // namespace solvar::game

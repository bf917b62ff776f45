#include "game/opening_choices.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>

#include "game/settings.h"
#include "game/settings_store.h"
#include "game/window_boxes.h"
#include "match/match.h"

namespace solvar::game {

using match::Opening;

OpeningChoices::OpeningChoices(QWidget& window, match::Match& match, Settings& settings, SettingsStore& store,
                               WindowBoxes& boxes)
    : QObject(&window), m_match(match), m_settings(settings), m_store(store), m_boxes(boxes) {
  m_match.SetOpening(m_settings.Start);
}

void OpeningChoices::AddMenu(QMenu& menu) {
  m_menu = menu.addMenu(QStringLiteral("&Начальная позиция"));
  m_menu->menuAction()->setObjectName(QStringLiteral("Opening"));
  auto* group = new QActionGroup(this);
  const std::pair<Opening, QString> choices[] = {{Opening::Empty, QStringLiteral("&Пустое поле")},
                                                 {Opening::Cross, QStringLiteral("&Крест в центре")},
                                                 {Opening::TwoCrosses, QStringLiteral("&Два креста")},
                                                 {Opening::FourCrosses, QStringLiteral("&Четыре креста")},
                                                 {Opening::RandomCrosses, QStringLiteral("&Случайные кресты")}};
  for (const auto& [opening, caption] : choices) {
    QAction* action = m_menu->addAction(caption);
    const std::string_view word = match::OpeningWord(opening);
    action->setObjectName(QStringLiteral("Opening_") + QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
    action->setCheckable(true);
    action->setChecked(opening == m_settings.Start);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, opening = opening] { m_boxes.Guarded([&] { Choose(opening); }); });
    m_choices.emplace_back(opening, action);
  }
  m_menu->addSeparator();
  QAction* note = m_menu->addAction(QStringLiteral("&Игра по сети начинается с пустого поля"));
  note->setObjectName(QStringLiteral("OpeningNetworkNote"));
  note->setEnabled(false);
}

void OpeningChoices::Choose(Opening opening) {
  m_settings.Start = opening;
  m_store.SaveOpening(opening);
  m_match.SetOpening(opening);
  for (const auto& [choice, action] : m_choices) action->setChecked(choice == opening);
}

void OpeningChoices::GameChanged() {
  if (m_menu != nullptr) m_menu->menuAction()->setEnabled(!(m_match.InProgress() && m_match.IsNetwork()));
}

}  // namespace solvar::game

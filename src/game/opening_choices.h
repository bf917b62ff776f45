#pragma once
// «Настройки» → «Начальная позиция»: how the next game at this window
// starts, kept for the next run: «Пустое поле» (the default), «Крест в
// центре», «Два креста», «Четыре креста», «Случайные кресты» (see
// match/openings.h). A network game always starts empty, for the wire
// protocol has no set-up: the menu says so, and is greyed out while a
// network game is on.

#include <QObject>

#include <vector>

#include "match/openings.h"

class QAction;
class QMenu;
class QWidget;

namespace solvar::match {
class Match;
}

namespace solvar::game {

class SettingsStore;
class WindowBoxes;
struct Settings;

class OpeningChoices : public QObject {
  Q_OBJECT
 public:
  OpeningChoices(QWidget& window, match::Match& match, Settings& settings, SettingsStore& store, WindowBoxes& boxes);

  // «Начальная позиция» at the end of the menu.
  void AddMenu(QMenu& menu);
  void Choose(match::Opening opening);
  // A game starts or ends: the menu is greyed out during a network game.
  void GameChanged();

 private:
  match::Match& m_match;
  Settings& m_settings;
  SettingsStore& m_store;
  WindowBoxes& m_boxes;
  QMenu* m_menu = nullptr;
  std::vector<std::pair<match::Opening, QAction*>> m_choices;
};

}  // namespace solvar::game

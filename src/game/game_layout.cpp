#include "game/game_layout.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include <algorithm>

#include "game/field_presenter.h"
#include "game/field_view.h"
#include "game/game_log.h"
#include "game/game_viewer.h"
#include "game/score_panel.h"
#include "game/status_panels.h"
#include "render/field_painter.h"

namespace solvar::game {

namespace {

QString ProgramTitle() { return QStringLiteral("Логическая игра \"Сольвар\""); }

}  // namespace

GameLayout::GameLayout(QMainWindow& window, QWidget& content, GameLog& log, const match::Match& match,
                       FieldPresenter& field, ScorePanel& panel, StatusPanels& status, GameViewer& viewer)
    : m_window(window), m_content(content), m_log(log), m_match(match), m_field(field), m_panel(panel),
      m_status(status), m_viewer(viewer) {
  m_window.setWindowTitle(ProgramTitle());
}

void GameLayout::StartLayout() {
  m_panel.PreviousMove()->setEnabled(false);
  m_panel.TakeBack()->setVisible(!m_match.IsNetwork());
  m_field.PrepareForGame();
  SetMenusForGame(true);
  const engine::Board& board = m_match.Board();
  LayOutField(board.FieldWidth(), board.FieldHeight());
  m_panel.SetFree(board.PlayableCount());
  if (m_match.IsNetwork()) m_commands.SendMessage->setEnabled(true);
}

void GameLayout::LayOutField(int fieldWidth, int fieldHeight) {
  const int width = render::CellSize * fieldWidth + 1;
  const int height = render::CellSize * fieldHeight + 1;
  const int panelHeight = std::max(height, m_panel.LeastHeight());
  m_field.SetFieldSize(fieldWidth, fieldHeight);
  m_panel.setGeometry(width, 0, m_panel.width(), panelHeight);
  const int logHeight = std::max(45, render::RoundEven(0.3 * m_field.Field().height()));
  m_log.setFixedHeight(logHeight);
  SetContentSize(width + m_panel.width(), panelHeight + logHeight);
  m_panel.show();
}

void GameLayout::EndLayout() {
  UpdateTitle();
  m_commands.SendMessage->setEnabled(false);
  m_panel.SetCounts(0, 0, 0);
  SetMenusForGame(false);
  m_field.Hide();
  m_panel.hide();
  m_status.ClearSaying();
  SetContentSize(m_log.width(), m_log.height());
  m_panel.TakeBack()->hide();
  m_status.ResetCredit();
}

void GameLayout::SetContentSize(int width, int height) {
  width = std::max(width, m_window.statusBar()->sizeHint().width());
  m_content.setFixedSize(width, height);
  m_log.setGeometry(0, height - m_log.height(), width, m_log.height());
  const int menuHeight = m_window.menuBar()->sizeHint().height();
  m_window.setFixedSize(width, menuHeight + height + StatusBarHeight);
}

void GameLayout::UpdateTitle() {
  QString title = ProgramTitle();
  if (m_viewer.IsShowing()) {
    title += m_viewer.TitlePart();
  } else if (m_match.InProgress() && m_match.Rules() == engine::Rules::Sport) {
    title += QStringLiteral(" — спортивные правила");
  }
  m_window.setWindowTitle(title);
}

void GameLayout::SetMenusForGame(bool inGame) {
  m_viewer.SetMenusForGame(inGame);
  m_commands.FieldSettings->setEnabled(!inGame);
  m_commands.Surrender->setEnabled(inGame);
  m_commands.View->menuAction()->setEnabled(!inGame);
  m_commands.Setup->menuAction()->setEnabled(!inGame);
}

}  // namespace solvar::game

// Playing from the keyboard: during a game the field keeps the focus, the
// arrows move a cursor over the nodes, and Space or Return plays the node
// under it. The cursor and the mouse share one selection: each selects the
// node it stands on exactly as the other does (a free node shows the preview
// dot, a taken one nothing), and each goes on from where the other left it.

#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

#include "game/field_view.h"
#include "game/main_window.h"
#include "render/field_painter.h"

namespace solvar::game {

namespace {

QString SelectionText(engine::Node node) {
  if (node.X == -1) return QStringLiteral("Точка не выбрана");
  return QStringLiteral("Выбранная точка:%1 %2").arg(node.X).arg(node.Y);
}

}  // namespace

bool TForm1::FieldHoldsTab() const { return m_match->InProgress() && !IsShowingSavedGame(); }

bool TForm1::GamePoleKey(const QKeyEvent& event) {
  if (!FieldHoldsTab() || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
  switch (event.key()) {
    case Qt::Key_Left: MoveCursor(-1, 0); return true;
    case Qt::Key_Right: MoveCursor(1, 0); return true;
    case Qt::Key_Up: MoveCursor(0, -1); return true;
    case Qt::Key_Down: MoveCursor(0, 1); return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!event.isAutoRepeat()) GamePoleClick();  // a key held down plays one dot
      return true;
    default: return false;
  }
}

// The first key shows the cursor where it starts: on the node the mouse
// last pointed at, else on the last dot of the game, else at the centre.
void TForm1::MoveCursor(int dx, int dy) {
  const engine::Board& board = m_match->Board();
  if (!m_cursorPlaced) {
    m_cursor = m_match->Moves().empty() ? engine::Node{board.FieldWidth() / 2, board.FieldHeight() / 2}
                                        : m_match->Moves().back().Dot;
    m_cursorPlaced = true;
  } else {
    m_cursor.X = std::clamp(m_cursor.X + dx, 1, board.FieldWidth() - 1);
    m_cursor.Y = std::clamp(m_cursor.Y + dy, 1, board.FieldHeight() - 1);
  }
  SelectNode(render::NodeUnderMouse(board, render::CellSize * m_cursor.X, render::CellSize * m_cursor.Y));
  m_nodeCursor->move(m_gamePole->pos() + render::MarkerPosition(m_cursor, m_nodeCursor->width(), m_nodeCursor->height()));
  m_nodeCursor->raise();
  m_nodeCursor->show();
}

void TForm1::GamePoleMouseMove(int x, int y) {
  if (IsShowingSavedGame()) return;
  const engine::Board& board = m_match->Board();
  m_cursor = engine::Node{std::clamp(render::RoundEven(static_cast<double>(x) / render::CellSize), 1, board.FieldWidth() - 1),
                          std::clamp(render::RoundEven(static_cast<double>(y) / render::CellSize), 1, board.FieldHeight() - 1)};
  m_cursorPlaced = true;
  m_nodeCursor->hide();
  SelectNode(render::NodeUnderMouse(board, x, y));
}

// The preview dot moves to the node (in the colour of the side to move),
// and the status bar names it; a node that is not free selects nothing.
void TForm1::SelectNode(engine::Node under) {
  const engine::Side mover = m_match->IsTwoPlayers() ? SideToMove() : engine::Side::Own;
  render::MovePreview(*m_canvas, m_settings.Colors, m_match->Board(), m_selectedNode, under, mover);
  m_selectedNode.X = under.X;
  if (under.X != -1) m_selectedNode = under;
  m_selectionPanel->setText(SelectionText(m_selectedNode));
  m_gamePole->update();
}

void TForm1::ForgetCursor() {
  m_cursorPlaced = false;
  m_nodeCursor->hide();
}

}  // namespace solvar::game

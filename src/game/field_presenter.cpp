#include "game/field_presenter.h"

#include <QKeyEvent>
#include <QScrollArea>

#include <algorithm>

#include "dialogs/previous_move_dialog.h"
#include "game/coordinate_marks.h"
#include "game/field_view.h"
#include "game/status_panels.h"
#include "game/window_painter.h"
#include "match/game_replay.h"

namespace solvar::game {

namespace {

QString SelectionText(engine::Node node) {
  if (node.X == -1) return QStringLiteral("Точка не выбрана");
  return QStringLiteral("Выбранная точка:%1 %2").arg(node.X).arg(node.Y);
}

QString NodeText(engine::Node node) { return QStringLiteral("%1 - %2").arg(node.X).arg(node.Y); }

}  // namespace

FieldPresenter::FieldPresenter(QWidget& window, QWidget& content, const match::Match& match,
                               const render::FieldColors& colors, StatusPanels& status, std::function<bool()> inPlay)
    : m_match(match),
      m_colors(colors),
      m_status(status),
      m_inPlay(std::move(inPlay)),
      m_canvas(std::make_unique<render::FieldCanvas>(render::FieldPictureWidth, render::FieldPictureHeight,
                                                     window.devicePixelRatio())),
      m_snapshot(std::make_unique<render::FieldCanvas>(*m_canvas)),
      m_area(new QScrollArea(&content)),
      m_host(new QWidget),
      m_field(new FieldView(*m_canvas, m_host)),
      m_marker(new MarkerShape(m_host)),
      m_hintRing(new HintRing(m_host)),
      m_nodeCursor(new NodeCursor(m_host)),
      m_coordinates(new CoordinateMarks(m_host)),
      m_previousMove(new dialogs::TForm3(&window)),
      m_painter(std::make_unique<WindowPainter>(*m_canvas, colors, match.Board(), *m_field)) {
  m_area->setObjectName(QStringLiteral("FieldArea"));
  m_area->setFrameShape(QFrame::NoFrame);
  m_area->setWidget(m_host);
  m_area->setGeometry(0, 0, render::FieldPictureWidth, render::FieldPictureHeight);
  m_area->hide();
  m_host->setObjectName(QStringLiteral("FieldHost"));
  m_host->setFixedSize(render::FieldPictureWidth, render::FieldPictureHeight);
  m_field->setObjectName(QStringLiteral("GamePole"));
  m_field->setGeometry(0, 0, render::FieldPictureWidth, render::FieldPictureHeight);
  m_field->hide();
  m_marker->setObjectName(QStringLiteral("Shape1"));
  m_marker->hide();
  m_hintRing->setObjectName(QStringLiteral("HintRing"));
  m_hintRing->hide();
  m_nodeCursor->setObjectName(QStringLiteral("NodeCursor"));
  m_nodeCursor->hide();
  // The field takes the keys: in play the arrows, Space and Return, and the
  // Tab stays on it.
  m_field->setFocusPolicy(Qt::StrongFocus);
  m_field->holdsTab = [this] { return m_inPlay(); };
}

FieldPresenter::~FieldPresenter() = default;

void FieldPresenter::PrepareForGame() {
  m_canvas->SetBrush(m_colors.BackColor);
  m_canvas->SetPen(m_colors.GridColor);
  m_canvas->Rectangle(-1, -1, m_field->width() + 1, m_field->height() + 1);
  m_marker->SetFill(m_colors.RivalColor);
}

void FieldPresenter::ShowEmptyField(int extra) {
  const engine::Board& board = m_match.Board();
  m_extra = extra;
  m_area->show();
  m_field->show();
  FitField();
  render::DrawGrid(*m_canvas, m_colors, board.FieldWidth(), board.FieldHeight());
  m_field->update();
  ForgetCursor();
  m_field->setFocus();
}

void FieldPresenter::FitField() {
  m_field->setFixedSize(FieldPixels(m_match.Board().FieldWidth(), m_match.Board().FieldHeight(), m_zoom, m_extra));
  m_host->setFixedSize(m_field->size());
  PlaceCoordinates(m_match.Board().FieldWidth(), m_match.Board().FieldHeight());
}

void FieldPresenter::SetFieldSize(int fieldWidth, int fieldHeight) {
  m_field->setFixedSize(FieldPixels(fieldWidth, fieldHeight, m_zoom));
  m_host->setFixedSize(m_field->size());
  PlaceCoordinates(fieldWidth, fieldHeight);
}

void FieldPresenter::ShowCoordinates(bool shown) {
  m_coordinatesShown = shown;
  m_coordinates->setVisible(shown);
  m_coordinates->raise();
}

// Over the whole field, under the marks of the moves.
void FieldPresenter::PlaceCoordinates(int fieldWidth, int fieldHeight) {
  m_coordinates->setGeometry(QRect(QPoint(0, 0), m_field->size()));
  m_coordinates->SetField(fieldWidth, fieldHeight, m_zoom, m_colors.GridColor, m_colors.BackColor);
  m_coordinates->setVisible(m_coordinatesShown);
  m_coordinates->raise();
  for (QWidget* mark : {static_cast<QWidget*>(m_marker), static_cast<QWidget*>(m_hintRing), static_cast<QWidget*>(m_nodeCursor)}) {
    mark->raise();
  }
}

QSize FieldPresenter::FieldPixels(int fieldWidth, int fieldHeight, double zoom, int extra) {
  return QSize(render::RoundEven(zoom * (render::CellSize * fieldWidth + extra)),
               render::RoundEven(zoom * (render::CellSize * fieldHeight + extra)));
}

int FieldPresenter::Zoomed(int pixels) const { return render::RoundEven(m_zoom * pixels); }

void FieldPresenter::SetZoom(double zoom, const std::function<void()>& repaint) {
  if (zoom == m_zoom) return;
  m_zoom = zoom;
  m_canvas->Rezoom(zoom);
  m_snapshot->Rezoom(zoom);
  SizeMarks();
  if (repaint) repaint();
  m_field->update();
}

// The marks keep their size at 100 % times the zoom.
void FieldPresenter::SizeMarks() {
  m_marker->setFixedSize(Zoomed(10), Zoomed(10));
  m_hintRing->setFixedSize(Zoomed(18), Zoomed(18));
  m_nodeCursor->setFixedSize(Zoomed(12), Zoomed(12));
  if (!m_marker->isHidden()) PlaceOnNode(*m_marker, m_marked);
  if (!m_hintRing->isHidden()) PlaceOnNode(*m_hintRing, m_hinted);
  if (!m_nodeCursor->isHidden()) PlaceOnNode(*m_nodeCursor, m_cursor);
}

void FieldPresenter::RepaintRecord(render::FieldCanvas& canvas, const match::GameRecord& record, std::size_t moves) {
  render::DrawGrid(canvas, m_colors, record.FieldWidth, record.FieldHeight);
  engine::Board board;
  WindowPainter painter(canvas, m_colors, board, *m_field);
  struct Painting : match::MatchObserver {
    explicit Painting(WindowPainter& on) : Painter(on) {}
    void OnDotPlaced(engine::Node node, engine::Side side) override { Painter.Dot(node, side); }
    void OnCapture(const engine::Outline& outline) override { Painter.Capture(outline); }
    WindowPainter& Painter;
  } painting(painter);
  match::ReplayOnto(board, record, static_cast<int>(moves), &painting);
}

void FieldPresenter::RepaintGame() {
  const match::GameRecord record = m_match.Record();
  RepaintRecord(*m_canvas, record, record.Moves.size());
  // The picture before the last move played at this window, with the dot
  // that was about to be played.
  for (std::size_t move = record.Moves.size(); move-- > 0;) {
    const match::PlayedMove& played = record.Moves[move];
    if (played.Mover != engine::Side::Own && !m_match.IsTwoPlayers()) continue;
    RepaintRecord(*m_snapshot, record, move);
    render::DrawDot(*m_snapshot, m_colors, played.Dot, played.Mover == engine::Side::Own);
    break;
  }
  if (m_selected.X != -1 && m_match.IsFreeNode(m_selected)) {
    const engine::Side mover =
        m_match.IsTwoPlayers() && m_match.ToMove() == match::Turn::Opponent ? engine::Side::Rival : engine::Side::Own;
    render::DrawDot(*m_canvas, m_colors, m_selected, mover == engine::Side::Own);
  }
  m_field->update();
}

void FieldPresenter::Show() {
  m_area->show();
  m_field->show();
  m_field->setFocus();
}

void FieldPresenter::Hide() {
  m_area->hide();
  m_field->hide();
  m_marker->hide();
  ForgetCursor();
}

void FieldPresenter::Dot(engine::Node node, engine::Side side) { m_painter->Dot(node, side); }
void FieldPresenter::Capture(const engine::Outline& outline) { m_painter->Capture(outline); }

void FieldPresenter::MarkMove(engine::Node node) {
  if (m_match.IsTwoPlayers()) {
    const bool own = engine::IsTerritoryOf(m_match.Board().At(node), engine::Side::Own);
    m_marker->SetFill(own ? m_colors.OwnColor : m_colors.RivalColor);
  }
  m_marked = node;
  PlaceOnNode(*m_marker, node);
}

void FieldPresenter::MarkMove(engine::Node node, render::Color color) {
  m_marker->SetFill(color);
  m_marked = node;
  PlaceOnNode(*m_marker, node);
}

void FieldPresenter::HideMarker() { m_marker->hide(); }

void FieldPresenter::ClearToGrid(const engine::Board& board) {
  render::DrawGrid(*m_canvas, m_colors, board.FieldWidth(), board.FieldHeight());
  m_marker->hide();
  m_field->update();
}

void FieldPresenter::RepaintDots() { m_painter->AllDots(); }

void FieldPresenter::RedrawGrid() {
  render::DrawGrid(*m_canvas, m_colors, m_match.Board().FieldWidth(), m_match.Board().FieldHeight());
  m_field->update();
}
void FieldPresenter::PaintFrom(const engine::Board& board) { m_painter->PaintFrom(board); }

void FieldPresenter::MouseMoved(int x, int y) {
  const engine::Board& board = m_match.Board();
  const double cell = render::CellSize * m_zoom;
  m_cursor = engine::Node{std::clamp(render::RoundEven(x / cell), 1, board.FieldWidth() - 1),
                          std::clamp(render::RoundEven(y / cell), 1, board.FieldHeight() - 1)};
  m_cursorPlaced = true;
  m_nodeCursor->hide();
  SelectNode(render::NodeUnderMouse(board, x, y, m_zoom));
}

bool FieldPresenter::KeyPressed(const QKeyEvent& event, const std::function<void()>& play) {
  if (!m_inPlay() || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
  switch (event.key()) {
    case Qt::Key_Left: MoveCursor(-1, 0); return true;
    case Qt::Key_Right: MoveCursor(1, 0); return true;
    case Qt::Key_Up: MoveCursor(0, -1); return true;
    case Qt::Key_Down: MoveCursor(0, 1); return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!event.isAutoRepeat()) play();  // a key held down plays one dot
      return true;
    default: return false;
  }
}

// The first key shows the cursor where it starts: on the node the mouse
// last pointed at, else on the last dot of the game, else at the centre.
void FieldPresenter::MoveCursor(int dx, int dy) {
  const engine::Board& board = m_match.Board();
  if (!m_cursorPlaced) {
    m_cursor = m_match.Moves().empty() ? engine::Node{board.FieldWidth() / 2, board.FieldHeight() / 2}
                                       : m_match.Moves().back().Dot;
    m_cursorPlaced = true;
  } else {
    m_cursor.X = std::clamp(m_cursor.X + dx, 1, board.FieldWidth() - 1);
    m_cursor.Y = std::clamp(m_cursor.Y + dy, 1, board.FieldHeight() - 1);
  }
  SelectNode(render::NodeUnderMouse(board, render::CellSize * m_cursor.X, render::CellSize * m_cursor.Y));
  PlaceOnNode(*m_nodeCursor, m_cursor);
  m_area->ensureWidgetVisible(m_nodeCursor);
}

// The preview dot moves to the node (in the colour of the side to move),
// and the status bar names it; a node that is not free selects nothing.
void FieldPresenter::SelectNode(engine::Node under) {
  const engine::Side mover =
      m_match.IsTwoPlayers() && m_match.ToMove() == match::Turn::Opponent ? engine::Side::Rival : engine::Side::Own;
  render::MovePreview(*m_canvas, m_colors, m_match.Board(), m_selected, under, mover);
  m_selected.X = under.X;
  if (under.X != -1) m_selected = under;
  m_status.Say(SelectionText(m_selected));
  m_field->update();
}

void FieldPresenter::ForgetCursor() {
  m_cursorPlaced = false;
  m_nodeCursor->hide();
}

void FieldPresenter::PlaceOnNode(QWidget& mark, engine::Node node) {
  mark.move(m_field->pos() + render::MarkerPosition(node, mark.width(), mark.height(), m_zoom));
  mark.raise();
  mark.show();
}

void FieldPresenter::KeepSnapshot() { *m_snapshot = *m_canvas; }

void FieldPresenter::RestoreSnapshot() {
  m_canvas->Restore(*m_snapshot);
  m_field->update();
}

void FieldPresenter::ShowPreviousMove() {
  m_previousMove->ShowSnapshot(m_snapshot->Shown(), m_field->width(), m_field->height());
  m_previousMove->exec();
}

QString FieldPresenter::HintPrefix() { return QStringLiteral("Подсказка: "); }

void FieldPresenter::ShowHint(engine::Node node, engine::Side side) {
  RingNode(node, side);
  m_status.Say(HintPrefix() + NodeText(node));
}

void FieldPresenter::RingNode(engine::Node node, engine::Side side) {
  m_hinted = node;
  m_hintRing->SetColor(m_colors.SideColor(side));
  PlaceOnNode(*m_hintRing, node);
}

// The hint's ring goes, and its words in the status bar with it.
void FieldPresenter::HideHint() {
  m_hintRing->hide();
  if (m_status.Saying().startsWith(HintPrefix())) m_status.ClearSaying();
}

}  // namespace solvar::game

// The pictures of the help pages: small positions played on a Board of their
// own and painted by the field painter, so that they look exactly like the
// game.

#include <map>
#include <vector>

#include "game/help_window.h"
#include "match/game_record.h"
#include "render/field_painter.h"

namespace solvar::game {

namespace {

using engine::Node;
using engine::Side;

struct Position {
  int Columns = 0;  // the part of the field shown, in cells
  int Rows = 0;
  std::vector<match::PlayedMove> Moves;  // played in order, captures as in a game
};

// A ring of side 2 (red) around the nodes inside, played after them.
std::vector<match::PlayedMove> Ring(std::initializer_list<Node> ring) {
  std::vector<match::PlayedMove> moves;
  for (const Node node : ring) moves.push_back({Side::Rival, node});
  return moves;
}

std::vector<match::PlayedMove> Joined(std::vector<match::PlayedMove> first, const std::vector<match::PlayedMove>& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

const std::map<QString, Position>& Positions() {
  static const std::map<QString, Position> positions{
      // One silver dot ringed by four red ones: taken and crossed out.
      {QStringLiteral("capture"),
       {5, 5, Joined({{Side::Own, {2, 2}}}, Ring({{2, 1}, {1, 2}, {3, 2}, {2, 3}}))}},
      // Two silver dots in a wider ring of red.
      {QStringLiteral("capture-two"),
       {6, 5, Joined({{Side::Own, {2, 2}}, {Side::Own, {3, 2}}},
                     Ring({{2, 1}, {3, 1}, {1, 2}, {4, 2}, {2, 3}, {3, 3}}))}},
      // A red ring around empty nodes: the classic rules take them too.
      {QStringLiteral("area"), {5, 5, Ring({{2, 1}, {1, 2}, {3, 2}, {2, 3}})}},
      // The ring not yet closed: nothing is taken.
      {QStringLiteral("open-ring"),
       {5, 5, Joined({{Side::Own, {2, 2}}}, Ring({{2, 1}, {1, 2}, {3, 2}, {3, 3}}))}},
  };
  return positions;
}

// Paints each capture as the window does: the outline, then every dot.
class PaintedCaptures : public engine::CaptureObserver {
 public:
  PaintedCaptures(render::FieldCanvas& canvas, const render::FieldColors& colors, const engine::Board& board)
      : m_canvas(canvas), m_colors(colors), m_board(board) {}
  void OnCapture(const engine::Outline& outline) override {
    render::DrawOutline(m_canvas, m_colors, outline.Vertices, outline.Capturer);
    render::DrawAllDots(m_canvas, m_colors, m_board);
  }

 private:
  render::FieldCanvas& m_canvas;
  const render::FieldColors& m_colors;
  const engine::Board& m_board;
};

}  // namespace

QImage HelpPicture(const QString& name) {
  const auto found = Positions().find(name);
  if (found == Positions().end()) return QImage();
  const Position& position = found->second;
  engine::Board board;
  board.SetFieldSize(engine::MinFieldWidth, engine::MinFieldHeight);
  engine::FrameBoard(board);
  render::FieldCanvas canvas(render::FieldPictureWidth, render::FieldPictureHeight);
  const render::FieldColors colors;
  PaintedCaptures captures(canvas, colors, board);
  render::DrawGrid(canvas, colors, board.FieldWidth(), board.FieldHeight());
  for (const match::PlayedMove& move : position.Moves) {
    render::DrawDot(canvas, colors, move.Dot, move.Mover == Side::Own);
    match::PlayOrdinaryMove(board, move.Mover, move.Dot, captures);
  }
  // Half a cell of the frame is left out, and the picture is shown at twice
  // its size, pixel for pixel.
  const int half = render::CellSize / 2;
  const QImage part = canvas.Image().copy(half, half, position.Columns * render::CellSize, position.Rows * render::CellSize);
  return part.scaled(part.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace solvar::game

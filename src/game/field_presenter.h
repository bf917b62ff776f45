#pragma once
// The field on the window: the retained picture and the picture before the
// player's last move, the painter of what the game reports, GamePole that
// shows it (in an area that scrolls when the window cannot hold it), the
// last-move marker (Shape1), the hint's ring, the zoom, and the node
// selected by the mouse or by the keyboard's cursor. At zoom Z the field is
// drawn by the same rules at Z times the size, node (x, y) lies at Z times
// its place at 100 %, and the mouse and the keys select as at 100 %. The mouse and the
// cursor share one selection: each selects the node it stands on exactly as
// the other does (a free node shows the preview dot, a taken one nothing),
// and each goes on from where the other left it.

#include <functional>
#include <memory>

#include "engine/board.h"
#include "engine/capture_scan.h"
#include "match/match.h"
#include "render/field_canvas.h"
#include "render/field_painter.h"

class QKeyEvent;
class QScrollArea;
class QWidget;

namespace solvar::dialogs {
class TForm3;
}

namespace solvar::game {

class CoordinateMarks;
class FieldView;
class HintRing;
class MarkerShape;
class NodeCursor;
class StatusPanels;
class WindowPainter;

class FieldPresenter {
 public:
  // The field's controls go into `content`; the previous-move window belongs
  // to `window`. `inPlay` says whether the keys play on the field.
  FieldPresenter(QWidget& window, QWidget& content, const match::Match& match, const render::FieldColors& colors,
                 StatusPanels& status, std::function<bool()> inPlay);
  ~FieldPresenter();
  FieldPresenter(const FieldPresenter&) = delete;
  FieldPresenter& operator=(const FieldPresenter&) = delete;

  FieldView& Field() const { return *m_field; }
  // The area that holds the field and scrolls it, for the layout to place.
  QScrollArea& Area() const { return *m_area; }
  MarkerShape& Marker() const { return *m_marker; }
  const render::FieldCanvas& Picture() const { return *m_canvas; }
  const render::FieldCanvas& Snapshot() const { return *m_snapshot; }

  // A game's field: first the picture cleared to the background and the
  // marker in the computer's colour, then (once laid out) the field shown at
  // FieldWidth x FieldHeight cells plus `extra` pixels, its grid drawn, and
  // the keys on it.
  void PrepareForGame();
  void ShowEmptyField(int extra);
  // The game's field sized again at the zoom (one or two pixels more than
  // its cells, as it was shown).
  void FitField();
  // The field's size, FieldWidth x FieldHeight cells at the zoom.
  void SetFieldSize(int fieldWidth, int fieldHeight);
  // The pixels a field of FieldWidth x FieldHeight cells takes at a zoom.
  static QSize FieldPixels(int fieldWidth, int fieldHeight, double zoom, int extra = 1);

  double Zoom() const { return m_zoom; }
  // The field drawn `zoom` times larger from now on; what it shows is drawn
  // again by `repaint` (the game, or a game shown).
  void SetZoom(double zoom, const std::function<void()>& repaint);
  // The game on the field drawn again from its record: the position, the
  // picture before the player's last move, the preview and the marker.
  void RepaintGame();
  // The field shown as it is, with the keys on it.
  void Show();
  void Hide();

  // What the game reports.
  void Dot(engine::Node node, engine::Side side);
  void Capture(const engine::Outline& outline);
  // The marker on the node: in a game of two people in the colour of the
  // side that played it, else in the computer's.
  void MarkMove(engine::Node node);
  void MarkMove(engine::Node node, render::Color color);
  void HideMarker();
  // The picture back to the grid of the Board (a take-back repaints from it).
  void ClearToGrid(const engine::Board& board);
  void RepaintDots();
  // The grid of the game's field drawn over the picture, nothing else.
  void RedrawGrid();
  // The Board whose dots are repainted over a capture: the game's, or a
  // shown game's.
  void PaintFrom(const engine::Board& board);

  // The mouse over the field, and the keys on it.
  void MouseMoved(int x, int y);
  bool KeyPressed(const QKeyEvent& event, const std::function<void()>& play);
  engine::Node Selected() const { return m_selected; }
  void ForgetCursor();

  // The picture before the player's move, for the previous-move window and
  // the hidden «Назад».
  void KeepSnapshot();
  void RestoreSnapshot();
  void ShowPreviousMove();

  // The numbers of the columns and rows along the field's edges.
  void ShowCoordinates(bool shown);

  void ShowHint(engine::Node node, engine::Side side);
  // The hint's ring on a node, in the side's colour, with nothing said.
  void RingNode(engine::Node node, engine::Side side);
  // What the status bar says of a hint, before the node.
  static QString HintPrefix();
  void HideHint();

 private:
  void MoveCursor(int dx, int dy);
  void SelectNode(engine::Node under);
  void PlaceOnNode(QWidget& mark, engine::Node node);
  void SizeMarks();
  void RepaintRecord(render::FieldCanvas& canvas, const match::GameRecord& record, std::size_t moves);
  int Zoomed(int pixels) const;
  void PlaceCoordinates(int fieldWidth, int fieldHeight);

  const match::Match& m_match;
  const render::FieldColors& m_colors;
  StatusPanels& m_status;
  std::function<bool()> m_inPlay;
  std::unique_ptr<render::FieldCanvas> m_canvas;
  std::unique_ptr<render::FieldCanvas> m_snapshot;
  double m_zoom = 1.0;
  int m_extra = 1;  // pixels right and below the last node (2 in a network game)
  QScrollArea* m_area;
  QWidget* m_host;  // inside the area: the field and its marks
  FieldView* m_field;
  MarkerShape* m_marker;
  HintRing* m_hintRing;
  NodeCursor* m_nodeCursor;
  CoordinateMarks* m_coordinates;
  bool m_coordinatesShown = false;
  dialogs::TForm3* m_previousMove;
  std::unique_ptr<WindowPainter> m_painter;
  // The free node under the mouse or the keyboard's cursor; x = -1 for none.
  engine::Node m_selected{0, 0};
  // The node the keyboard's cursor (or the mouse) last stood on, taken or not.
  engine::Node m_cursor{0, 0};
  bool m_cursorPlaced = false;
  engine::Node m_marked{-1, -1};  // the node under the marker
  engine::Node m_hinted{-1, -1};  // the node in the hint's ring
};

}  // namespace solvar::game

#include "game/window_painter.h"

#include <QPlainTextEdit>

#include "game/field_view.h"
#include "render/field_painter.h"

namespace solvar::game {

namespace {
QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

void TForm1::Painter::OnOutline(const engine::Outline& outline) {
  render::DrawOutline(*m_window.m_canvas, m_window.m_settings.Colors, outline.vertices, outline.side);
  m_window.m_gamePole->update();
}

void TForm1::Painter::OnRepaintDots() {
  render::DrawAllDots(*m_window.m_canvas, m_window.m_settings.Colors, m_window.m_state.Board);
  m_window.m_gamePole->update();
}

void TForm1::Painter::OnLogLine(std::string_view utf8Line) { m_window.Log(FromUtf8(utf8Line)); }

void TForm1::Painter::OnDotPlaced(engine::Node node, engine::Side side) {
  render::DrawDot(*m_window.m_canvas, m_window.m_settings.Colors, node, side == engine::Side::Own);
  m_window.m_gamePole->update();
}

void TForm1::Painter::OnMarkerMoved(engine::Node node) {
  MarkerShape* marker = m_window.m_shape1;
  const QPoint corner = render::MarkerPosition(node, marker->width(), marker->height());
  marker->move(m_window.m_gamePole->pos() + corner);
  marker->raise();
  marker->show();
}

void TForm1::Painter::OnCandidateDump(std::string_view line) { m_window.m_memo2->appendPlainText(FromUtf8(line)); }

}  // namespace solvar::game

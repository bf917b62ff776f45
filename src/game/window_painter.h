#pragma once
// What the engine and the computer report, painted on the field and written
// to the logs of the main window.

#include "ai/computer_move.h"
#include "game/main_window.h"

namespace solvar::game {

class TForm1::Painter : public ai::MoveObserver {
 public:
  explicit Painter(TForm1& window) : m_window(window) {}

  void OnOutline(const engine::Outline& outline) override;
  void OnRepaintDots() override;
  void OnLogLine(std::string_view utf8Line) override;
  void OnDotPlaced(engine::Node node, engine::Side side) override;
  void OnMarkerMoved(engine::Node node) override;
  void OnCandidateDump(std::string_view line) override;

 private:
  TForm1& m_window;
};

}  // namespace solvar::game

#pragma once
// A main window driven as a person would: mouse moves and clicks on the
// field, menu commands, and boxes answered from a script.

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include <cmath>
#include <memory>

#include "engine/random.h"
#include "game/field_view.h"
#include "game/main_window.h"
#include "support/recording_sound_player.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

namespace solvar::test {

// A seed whose first draw gives the first move to the player (or not).
inline std::uint64_t SeedWherePlayerStarts(bool playerStarts) {
  for (std::uint64_t seed = 1;; ++seed) {
    engine::Random random(seed);
    if ((random.NextReal() > 0.5) == playerStarts) return seed;
  }
}

// The first free node of the game, row by row; x = -1 when none is left.
inline engine::Node FirstFreeNode(const match::Match& game) {
  const engine::Board& board = game.Board();
  for (int y = 1; y < board.FieldHeight(); ++y)
    for (int x = 1; x < board.FieldWidth(); ++x)
      if (game.IsFreeNode(engine::Node{x, y})) return engine::Node{x, y};
  return engine::Node{-1, -1};
}

class GameWindow {
 public:
  explicit GameWindow(std::uint64_t seed = SeedWherePlayerStarts(true)) {
    options.Seed = seed;
    options.RecordsFile = QString::fromStdString(dir.File("winner.txt"));
    options.PositionFile = QString::fromStdString(dir.File("123.txt"));
    options.HelpFile = QString::fromStdString(dir.File("help.hlp"));
    options.SettingsFile = QString::fromStdString(dir.File("solvar.ini"));
    options.MakeSoundPlayer = [this] {
      auto player = std::make_unique<RecordingSoundPlayer>();
      sounds = player.get();
      return player;
    };
  }
  game::TForm1& Open() {
    window = std::make_unique<game::TForm1>(options, prompts, desktop);
    return *window;
  }
  game::TForm1& operator*() { return *window; }
  game::TForm1* operator->() { return window.get(); }

  template <class T = QWidget>
  T* Find(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  QAction* Action(const char* name) const { return Find<QAction>(name); }
  game::FieldView* Pole() const { return Find<game::FieldView>("GamePole"); }
  QString Label(const char* name) const { return Find<QLabel>(name)->text(); }
  QStringList LogLines() const { return Find<QPlainTextEdit>("Memo3")->toPlainText().split(QLatin1Char('\n')); }

  // Where a node lies on the field at its zoom.
  QPoint NodePixel(engine::Node node) const {
    const double cell = 12 * window->Field().Zoom();
    return QPoint(static_cast<int>(std::lround(cell * node.X)), static_cast<int>(std::lround(cell * node.Y)));
  }
  void MoveTo(engine::Node node) { MoveToPixel(NodePixel(node)); }
  void MoveToPixel(QPoint pixel) {
    QMouseEvent move(QEvent::MouseMove, pixel, Pole()->mapToGlobal(pixel), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Pole(), &move);
  }
  void Click(engine::Node node) {
    MoveTo(node);
    ClickHere(node);
  }
  // A click without moving the mouse first.
  void ClickHere(engine::Node node) {
    const QPoint pixel = NodePixel(node);
    QMouseEvent press(QEvent::MouseButtonPress, pixel, Pole()->mapToGlobal(pixel), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, pixel, Pole()->mapToGlobal(pixel), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Pole(), &press);
    QCoreApplication::sendEvent(Pole(), &release);
  }
  QRgb FieldPixel(int x, int y) const { return window->Field().Picture().PixelAt(x, y) & 0xFFFFFF; }

  TempDir dir;
  ScriptedPrompts prompts;
  FakeDesktop desktop;
  game::AppOptions options;
  std::unique_ptr<game::TForm1> window;
  RecordingSoundPlayer* sounds = nullptr;  // the window's, once it is open
};

}  // namespace solvar::test

// solvar-click-bench: how long the window takes to answer a click on the
// largest field (the player's dot, the captures, the computer's move and all
// painting), over whole games of clicks. Prints the median and the slowest.
// Run it on the offscreen platform: QT_QPA_PLATFORM=offscreen solvar-click-bench

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "game/main_window.h"

namespace {

class QuietPrompts : public solvar::game::Prompts {
 public:
  bool Message(solvar::game::MessageKind, const QString&, solvar::game::MessageButtons) override { return true; }
  std::optional<QString> InputText(const QString&, const QString&, const QString& initial) override { return initial; }
  std::optional<std::uint32_t> ChooseColor(std::uint32_t) override { return std::nullopt; }
  void Error(const QString&) override {}
};

class NoDesktop : public solvar::game::Desktop {
 public:
  bool OpenAddress(const QString&) override { return false; }
};

void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QTemporaryDir scratch;
  QuietPrompts prompts;
  NoDesktop desktop;
  std::vector<double> micros;
  for (std::uint64_t game = 1; game <= 3; ++game) {
    solvar::game::AppOptions options;
    options.seed = game;
    options.recordsFile = scratch.filePath(QStringLiteral("winner.txt"));
    solvar::game::TForm1 window(options, prompts, desktop);
    window.State().Board.SetFieldSize(45, 35);
    window.N2Click();
    QWidget* field = window.findChild<QWidget*>(QStringLiteral("GamePole"));
    // The player sweeps the field column by column; every click on a free
    // node is a move and is timed with its answer.
    for (int x = 1; x < 45 && window.State().GameInProgress; x += 2) {
      for (int y = 1; y < 35 && window.State().GameInProgress; ++y) {
        if (window.State().Board.At(x, y) != solvar::engine::csFree) continue;
        const QPoint at(12 * x, 12 * y);
        Send(field, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        QElapsedTimer timer;
        timer.start();
        Send(field, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Send(field, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        field->repaint();
        micros.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
      }
    }
  }
  std::sort(micros.begin(), micros.end());
  std::printf("clicks: %zu  median: %.0f us  90%%: %.0f us  slowest: %.0f us\n", micros.size(),
              micros[micros.size() / 2], micros[micros.size() * 9 / 10], micros.back());
  return 0;
}

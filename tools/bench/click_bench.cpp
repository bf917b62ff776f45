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
#include "window_driver/window_driver.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QTemporaryDir scratch;
  solvar::tools::EnterPrompts prompts;
  solvar::tools::NoDesktop desktop;
  std::vector<double> micros;
  for (std::uint64_t game = 1; game <= 3; ++game) {
    solvar::game::AppOptions options;
    options.Seed = game;
    options.RecordsFile = scratch.filePath(QStringLiteral("winner.txt"));
    solvar::game::TForm1 window(options, prompts, desktop);
    window.Game().Board().SetFieldSize(45, 35);
    window.N2Click();
    QWidget* field = window.findChild<QWidget*>(QStringLiteral("GamePole"));
    // The player sweeps the field column by column; every click on a free
    // node is a move and is timed with its answer.
    for (int x = 1; x < 45 && window.Game().InProgress(); x += 2) {
      for (int y = 1; y < 35 && window.Game().InProgress(); ++y) {
        if (window.Game().Board().At(x, y) != solvar::engine::csFree) continue;
        const QPoint at(12 * x, 12 * y);
        solvar::tools::SendMouse(field, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        QElapsedTimer timer;
        timer.start();
        solvar::tools::SendMouse(field, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        solvar::tools::SendMouse(field, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
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

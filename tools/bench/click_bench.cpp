// solvar-click-bench: how long the window takes to answer a click on the
// largest field (the player's dot, the captures, the computer's move and all
// painting), over whole games of clicks. Prints the median and the slowest.
// Run it on the offscreen platform: QT_QPA_PLATFORM=offscreen solvar-click-bench
// With a zoom (1.5, 2 or 3) the field is drawn that much larger, on an
// offscreen screen of 3840 x 2160 that holds it: solvar-click-bench 3

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/board.h"
#include "game/field_presenter.h"
#include "game/main_window.h"
#include "window_driver/window_driver.h"

namespace {

// The zoom's item in «Масштаб поля»: 100, 150, 200 and 300 % are N41 to N44.
const char* ZoomItem(double zoom) {
  if (zoom == 1.5) return "N42";
  if (zoom == 2.0) return "N43";
  if (zoom == 3.0) return "N44";
  return "N41";
}

// An offscreen screen large enough for the largest field at 300 %.
void UseLargeOffscreenScreen(const QTemporaryDir& scratch) {
  const QString path = scratch.filePath(QStringLiteral("screen.json"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 3840, "height": 2160,
      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + path.toLocal8Bit());
}

}  // namespace

int main(int argc, char* argv[]) {
  const double zoom = argc > 1 ? std::atof(argv[1]) : 1.0;
  const QTemporaryDir screenDir;
  if (zoom > 1.0) UseLargeOffscreenScreen(screenDir);
  QApplication app(argc, argv);
  const QTemporaryDir scratch;
  solvar::tools::EnterPrompts prompts;
  solvar::tools::NoDesktop desktop;
  std::vector<double> micros;
  for (std::uint64_t game = 1; game <= 3; ++game) {
    solvar::game::AppOptions options;
    options.Seed = game;
    options.RecordsFile = scratch.filePath(QStringLiteral("winner.txt"));
    options.SettingsFile = scratch.filePath(QStringLiteral("solvar.ini"));  // the defaults, whatever is kept
    solvar::game::TForm1 window(options, prompts, desktop);
    window.findChild<QAction*>(QString::fromLatin1(ZoomItem(zoom)))->trigger();
    window.Game().Board().SetFieldSize(45, 35);
    window.N2Click();
    const double cell = 12 * window.Field().Zoom();
    if (game == 1) std::printf("field drawn at %.0f %%\n", window.Field().Zoom() * 100);
    QWidget* field = window.findChild<QWidget*>(QStringLiteral("GamePole"));
    const int freeAtStart = solvar::engine::CountCells(window.Game().Board()).FreeCount;
    // The player sweeps the field column by column; every click on a free
    // node is a move and is timed with its answer.
    for (int x = 1; x < 45 && window.Game().InProgress(); x += 2) {
      for (int y = 1; y < 35 && window.Game().InProgress(); ++y) {
        if (window.Game().Board().At(x, y) != solvar::engine::csFree) continue;
        const QPoint at(static_cast<int>(std::lround(cell * x)), static_cast<int>(std::lround(cell * y)));
        solvar::tools::SendMouse(field, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        QElapsedTimer timer;
        timer.start();
        solvar::tools::SendMouse(field, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        solvar::tools::SendMouse(field, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        field->repaint();
        micros.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
      }
    }
    // Clicks that play nothing would time nothing.
    if (solvar::engine::CountCells(window.Game().Board()).FreeCount == freeAtStart) {
      std::fprintf(stderr, "game %d: no click played a dot\n", static_cast<int>(game));
      return 1;
    }
  }
  std::sort(micros.begin(), micros.end());
  std::printf("zoom %.0f %%  ", zoom * 100);
  std::printf("clicks: %zu  median: %.0f us  90%%: %.0f us  slowest: %.0f us\n", micros.size(),
              micros[micros.size() / 2], micros[micros.size() * 9 / 10], micros.back());
  return 0;
}

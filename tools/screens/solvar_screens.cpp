// solvar-screens: plays a short scripted game in the real main window and
// saves a picture of the screen, to look at the program as a person sees it.
// Usage: solvar-screens OUTPUT.png   (run it under a display, e.g. Xvfb)

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

#include "game/desktop.h"
#include "game/main_window.h"

namespace {

using solvar::engine::Node;

// Answers every box as a person pressing Enter would.
class EnterPrompts : public solvar::game::Prompts {
 public:
  bool Message(solvar::game::MessageKind, const QString& text, solvar::game::MessageButtons) override {
    std::printf("box: %s\n", text.toUtf8().constData());
    return true;
  }
  std::optional<QString> InputText(const QString&, const QString&, const QString& initial) override {
    return initial;
  }
  std::optional<std::uint32_t> ChooseColor(std::uint32_t) override { return std::nullopt; }
  void Error(const QString& text) override { std::printf("error: %s\n", text.toUtf8().constData()); }
};

class NoDesktop : public solvar::game::Desktop {
 public:
  bool OpenAddress(const QString&) override { return false; }
};

void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

void ClickNode(QWidget* field, Node node) {
  const QPoint at(12 * node.x, 12 * node.y);
  Send(field, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
  Send(field, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  Send(field, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void Pause(int milliseconds) {
  QTimer timer;
  timer.setSingleShot(true);
  timer.start(milliseconds);
  while (timer.isActive()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fputs("usage: solvar-screens OUTPUT.png\n", stderr);
    return 2;
  }
  solvar::game::AppOptions options;
  options.seed = 2;  // the player moves first
  const QTemporaryDir scratch;
  options.recordsFile = scratch.filePath(QStringLiteral("winner.txt"));
  EnterPrompts prompts;
  NoDesktop desktop;
  solvar::game::TForm1 window(options, prompts, desktop);
  window.show();
  Pause(300);
  window.N2Click();
  QWidget* field = window.findChild<QWidget*>(QStringLiteral("GamePole"));
  // The computer rings the lone dot at (5, 5) while the player plays far away;
  // then the player makes a ring of its own around (20, 8).
  for (const Node node : {Node{5, 5}, Node{20, 20}, Node{25, 25}, Node{10, 25}, Node{25, 10}}) {
    ClickNode(field, node);
    Pause(50);
  }
  Send(field, QEvent::MouseMove, QPoint(12 * 15, 12 * 15), Qt::NoButton, Qt::NoButton);
  Pause(500);
  const QPixmap shot = window.screen()->grabWindow(0);
  if (!shot.save(QString::fromLocal8Bit(argv[1]))) return 1;
  std::printf("saved %s\n", argv[1]);
  return 0;
}

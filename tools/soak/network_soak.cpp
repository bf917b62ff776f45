// solvar-network-soak: two complete windows play whole network games on a
// 15 x 15 field over loopback, one after another, each side clicking a free
// node whenever its field takes clicks. Prints the resident memory after
// every game and fails if a game does not finish in time.
// Usage: QT_QPA_PLATFORM=offscreen solvar-network-soak [GAMES] [PORT]

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "game/main_window.h"
#include "memory_use.h"
#include "window_driver/window_driver.h"

namespace {

using solvar::game::TForm1;

// Plays one move for the window if its field takes clicks.
void MoveIfItsTurn(TForm1& window, solvar::engine::Random& random) {
  QWidget* field = window.findChild<QWidget*>(QStringLiteral("GamePole"));
  if (!window.Game().IsNetwork() || !field->isEnabled() || field->isHidden()) return;
  const solvar::engine::Board& board = window.Game().Board();
  for (int tries = 0; tries < 10000; ++tries) {
    const solvar::engine::Node node{1 + random.NextBelow(board.FieldWidth() - 1),
                                    1 + random.NextBelow(board.FieldHeight() - 1)};
    if (board.At(node) == solvar::engine::csFree) return solvar::tools::ClickNode(field, node);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const int games = argc > 1 ? std::atoi(argv[1]) : 50;
  const quint16 port = static_cast<quint16>(argc > 2 ? std::atoi(argv[2]) : 23456);
  QTemporaryDir scratch;
  solvar::tools::EnterPrompts hostPrompts;
  solvar::tools::EnterPrompts clientPrompts(false, QStringLiteral("127.0.0.1"));
  solvar::tools::NoDesktop desktop;
  solvar::game::AppOptions hostOptions;
  hostOptions.Port = port;
  hostOptions.RecordsFile = scratch.filePath(QStringLiteral("host-winner.txt"));
  hostOptions.SettingsFile = scratch.filePath(QStringLiteral("host.ini"));
  solvar::game::AppOptions clientOptions = hostOptions;
  clientOptions.RecordsFile = scratch.filePath(QStringLiteral("client-winner.txt"));
  clientOptions.SettingsFile = scratch.filePath(QStringLiteral("client.ini"));
  TForm1 host(hostOptions, hostPrompts, desktop);
  TForm1 client(clientOptions, clientPrompts, desktop);
  host.Game().Board().SetFieldSize(15, 15);

  // Closes the records window that a win opens.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        dialog && dialog->objectName() != QStringLiteral("TForm2"))
      dialog->reject();
  });
  closer.start(5);

  solvar::engine::Random random(7);
  long firstGame = 0;
  for (int game = 1; game <= games; ++game) {
    QTimer::singleShot(20, [&] { client.N17Click(); });
    host.N16Click();
    QElapsedTimer clock;
    clock.start();
    while ((host.Game().InProgress() || client.Game().InProgress() || !clock.hasExpired(50)) &&
           !clock.hasExpired(60000)) {
      MoveIfItsTurn(host, random);
      MoveIfItsTurn(client, random);
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    if (host.Game().InProgress() || client.Game().InProgress()) {
      std::printf("game %d did not finish within a minute\n", game);
      return 1;
    }
    // Let the closing connections go before the next game.
    for (QElapsedTimer settle; !settle.isValid() || !settle.hasExpired(30);) {
      if (!settle.isValid()) settle.start();
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    // The game log keeps up to 10000 lines by design; it is emptied between
    // games so that what is measured is what a game leaves behind.
    for (TForm1* window : {&host, &client}) window->findChild<QPlainTextEdit*>(QStringLiteral("Memo3"))->clear();
    const long resident = solvar::tools::ResidentKiB();
    if (game == 1) firstGame = resident;
    std::printf("game %d  %lld ms  host records %d  resident %ld KiB\n", game, static_cast<long long>(clock.elapsed()),
                host.Records().Table().RecordCount(), resident);
  }
  std::printf("done: %d network games, resident %ld KiB (after the first: %ld KiB)\n", games,
              solvar::tools::ResidentKiB(), firstGame);
  return 0;
}

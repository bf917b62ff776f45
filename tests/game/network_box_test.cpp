// Every kind of box that network play shows, on the host and on the client,
// with a real nested event loop running while it is open, during which the
// peer closes, resets, sends more, or a stranger connects. The window must
// come through each with its game in a consistent state.

#include <QtTest>

#include <QDialog>

#include "game_window.h"
#include "network_peers.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;
using namespace test::network;

namespace {

enum class Box { PeerFault, ResultOfMove, ResultOfNotice, WinnerName, RecordsWindow, Refusal };
enum class Meanwhile { Fin, Reset, MoreData, Stranger };

const char* BoxName(Box box) {
  switch (box) {
    case Box::PeerFault: return "peer fault";
    case Box::ResultOfMove: return "result of the last move";
    case Box::ResultOfNotice: return "result of a notice";
    case Box::WinnerName: return "winner's name";
    case Box::RecordsWindow: return "records window";
    case Box::Refusal: return "refusal notice";
  }
  return "";
}

const char* MeanwhileName(Meanwhile meanwhile) {
  switch (meanwhile) {
    case Meanwhile::Fin: return "FIN";
    case Meanwhile::Reset: return "RST";
    case Meanwhile::MoreData: return "more data";
    case Meanwhile::Stranger: return "a stranger";
  }
  return "";
}

const QString WinText = QStringLiteral("Вы победили!!!\nВы окружили 1 точек противника.");
// A notice is judged by the counts of this side's last move: none yet.
const QString DrawText = QStringLiteral("Ничья! Так получилось!");

// The window's side of a 15 x 15 field with one free node left, (14, 14), and
// one of the peer's dots taken: the last move wins the game for the window.
void LeaveOneNodeForThePeer(GameWindow& window) {
  engine::Board& board = window->Game().Board();
  for (int x = 1; x < 15; ++x)
    for (int y = 1; y < 15; ++y) board.Set(x, y, engine::csOwn);
  board.Set(3, 3, engine::csRivalCaptured);
  board.Set(14, 14, engine::csFree);
}

// Whether the box this scenario waits in is the one showing.
bool IsTheBox(Box box, const QString& shown) {
  switch (box) {
    case Box::PeerFault: return shown.startsWith(QStringLiteral("'' is not a valid integer value"));
    case Box::ResultOfMove: return shown == WinText;
    case Box::ResultOfNotice: return shown == DrawText;
    case Box::WinnerName: return shown == QStringLiteral("Победа!!!");
    case Box::RecordsWindow: return shown == QStringLiteral("TForm6");
    case Box::Refusal: return shown == RefusalNotice;
  }
  return false;
}

}  // namespace

class NetworkBoxTest : public QObject {
  Q_OBJECT

 private:
  // One scenario: the box opens, and while its nested loop runs the peer
  // does `meanwhile`; the box is answered only after that.
  void Run(bool windowHosts, Box box, Meanwhile meanwhile) {
    const QByteArray what = QByteArray(windowHosts ? "host, " : "client, ") + BoxName(box) + ", " + MeanwhileName(meanwhile);
    const quint16 port = FreePort();
    GameWindow window(test::SeedWherePlayerStarts(false));  // as host: the peer moves first
    window.options.Port = port;
    window.Open();
    FarEnd peer;
    QVERIFY2(peer.Start(window, windowHosts, port, /*peerFirst=*/true), what.constData());
    const bool endsTheGame = box != Box::PeerFault && box != Box::Refusal;
    if (endsTheGame) LeaveOneNodeForThePeer(window);

    RawPeer stranger;
    bool acted = false;
    const auto act = [&] {
      acted = true;
      switch (meanwhile) {
        case Meanwhile::Fin: peer.Fin(); break;
        case Meanwhile::Reset: peer.Reset(); break;
        case Meanwhile::MoreData:
          peer.Send("PO1" + QByteArray("POx~") + "MSодна\r\nINFORM->> Вы выиграли!" + "PO2~2" + "LU" + "DS");
          break;
        case Meanwhile::Stranger: stranger.Connect(port); break;
      }
      QTest::qWait(100);
    };
    bool insideSocketHandler = false;
    const auto inTheBox = [&](const QString& shown) {
      insideSocketHandler = insideSocketHandler || window->Boxes().IsHandlingSocket();
      if (!acted && IsTheBox(box, shown)) act();
    };
    window.prompts.whileOpen = inTheBox;
    test::ModalCloser closer;
    closer.whileOpen = inTheBox;

    RawPeer refused;
    switch (box) {
      case Box::PeerFault: peer.Send("PO1"); break;
      case Box::ResultOfNotice: peer.Send("LU"); break;
      case Box::ResultOfMove:
      case Box::WinnerName:
      case Box::RecordsWindow: peer.Send("PO14~14"); break;
      case Box::Refusal: refused.Connect(port); break;
    }
    QVERIFY2(QTest::qWaitFor([&] { return acted; }), what.constData());
    QTest::qWait(100);

    // Whatever happened meanwhile, the boxes were answered one at a time and
    // the window is in a state it can be in.
    QVERIFY2(!insideSocketHandler, what.constData());
    QVERIFY2(window.prompts.errors.size() <= 1, what.constData());
    if (endsTheGame) {
      QVERIFY2(!window->Game().InProgress(), what.constData());
      QCOMPARE(window.prompts.messages.count(box == Box::ResultOfNotice ? DrawText : WinText), 1);
    }
    if (meanwhile == Meanwhile::Fin || meanwhile == Meanwhile::Reset) {
      QVERIFY2(QTest::qWaitFor([&] { return !window->Game().IsNetwork(); }), what.constData());
    }
    if (!window->Game().InProgress()) QVERIFY2(QTest::qWaitFor([&] { return window.Pole()->isHidden(); }), what.constData());
    QVERIFY2(window.LogLines().filter(QRegularExpression(QStringLiteral("^INFORM->> Вы выиграли!"))).isEmpty(),
             what.constData());
    // The window still plays: a new game against the computer takes a click.
    window.prompts.whileOpen = nullptr;
    window.Action("N2")->trigger();
    QVERIFY2(window->Game().InProgress(), what.constData());
  }

  void RunEvery(bool windowHosts) {
    for (const Box box : {Box::PeerFault, Box::ResultOfMove, Box::ResultOfNotice, Box::WinnerName, Box::RecordsWindow,
                          Box::Refusal}) {
      if (box == Box::Refusal && !windowHosts) continue;
      for (const Meanwhile meanwhile : {Meanwhile::Fin, Meanwhile::Reset, Meanwhile::MoreData, Meanwhile::Stranger}) {
        if (meanwhile == Meanwhile::Stranger && !windowHosts) continue;
        Run(windowHosts, box, meanwhile);
        if (QTest::currentTestFailed()) return;
      }
    }
  }

 private Q_SLOTS:
  // The crash that started this: a move that does not convert, and the
  // connection closed while its error box is open.
  void moveThatDoesNotConvertThenCloseWhileItsBoxIsOpen() {
    for (const bool windowHosts : {true, false}) {
      for (const Meanwhile meanwhile : {Meanwhile::Fin, Meanwhile::Reset}) {
        Run(windowHosts, Box::PeerFault, meanwhile);
        if (QTest::currentTestFailed()) return;
      }
    }
  }

  void everyBoxOfTheHostSurvivesWhatThePeerDoesMeanwhile() { RunEvery(/*windowHosts=*/true); }
  void everyBoxOfTheClientSurvivesWhatThePeerDoesMeanwhile() { RunEvery(/*windowHosts=*/false); }

  // The boxes of a peer's message are shown after its handler has returned,
  // in the order the game asked for them, with the field in view until then.
  void resultNameAndRecordsFollowInOrderWithTheFieldInView() {
    const quint16 port = FreePort();
    GameWindow window(test::SeedWherePlayerStarts(false));
    window.options.Port = port;
    window.Open();
    FarEnd peer;
    QVERIFY(peer.Start(window, /*windowHosts=*/true, port, true));
    LeaveOneNodeForThePeer(window);
    QStringList seen;
    bool fieldShownMeanwhile = true;
    window.prompts.whileOpen = [&](const QString& shown) {
      seen << shown;
      fieldShownMeanwhile = fieldShownMeanwhile && !window.Pole()->isHidden();
    };
    test::ModalCloser closer;
    closer.whileOpen = [&](const QString& name) { seen << name; };
    peer.Send("PO14~14");
    QTRY_COMPARE(seen, (QStringList{WinText, QStringLiteral("Победа!!!"), QStringLiteral("TForm6")}));
    QVERIFY(fieldShownMeanwhile);
    QTRY_VERIFY(window.Pole()->isHidden());
    QCOMPARE(window->Records().Table().RecordCount(), 1);
    QTRY_VERIFY(peer.Received().contains("LU"));  // the host was ahead
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::NetworkBoxTest)
#include "network_box_test.moc"

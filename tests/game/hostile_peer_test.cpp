// A randomised hostile peer against a real window, as host and as client:
// seeded, thousands of steps of valid and invalid messages, partial
// messages, floods, goodbyes, resets, reconnects and strangers, with boxes
// held open at random moments while the peer goes on. After every step the
// window must still stand and its game be consistent.
//
// SOLVAR_HOSTILE_STEPS (steps per role, 1200 by default) and
// SOLVAR_HOSTILE_SEED (1) choose the run; a longer one is, for example,
//   export SOLVAR_HOSTILE_STEPS=20000 QTEST_FUNCTION_TIMEOUT=7200000 QT_QPA_PLATFORM=offscreen
//   build-asan-qt/tests/game/hostile_peer_tests -maxwarnings 0

#include <QtTest>

#include <random>

#include "game_window.h"
#include "network_peers.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;
using namespace test::network;

namespace {

int EnvironmentNumber(const char* name, int fallback) {
  bool ok = false;
  const int value = qEnvironmentVariableIntValue(name, &ok);
  return ok ? value : fallback;
}

// Every dot played in a network game is on the Board, live or captured: the
// Board holds exactly as many dots as the game has moves, and its frame is
// whole.
QString Inconsistency(GameWindow& window) {
  const match::Match& game = window->Game();
  if (!game.InProgress()) return QString();
  if (!game.IsNetwork()) return QStringLiteral("a game on the field that is not the network game");
  if (window.Pole()->isHidden()) return QStringLiteral("a game without its field");
  const engine::Board& board = game.Board();
  std::size_t dots = 0;
  for (int x = 0; x <= board.FieldWidth(); ++x)
    for (int y = 0; y <= board.FieldHeight(); ++y) {
      const engine::CellState cell = board.At(x, y);
      const bool frame = x == 0 || y == 0 || x == board.FieldWidth() || y == board.FieldHeight();
      if (frame != (cell == engine::csBorder)) return QStringLiteral("the frame is broken at %1 - %2").arg(x).arg(y);
      if (cell == engine::csOwn || cell == engine::csRival || cell == engine::csOwnCaptured ||
          cell == engine::csRivalCaptured)
        ++dots;
    }
  if (dots != game.Moves().size()) return QStringLiteral("%1 dots for %2 moves").arg(dots).arg(game.Moves().size());
  return QString();
}

class HostilePeer {
 public:
  HostilePeer(GameWindow& window, bool windowHosts, quint16 port, std::uint64_t seed)
      : m_window(window), m_windowHosts(windowHosts), m_port(port), m_random(seed) {}

  int Below(int n) { return static_cast<int>(m_random() % static_cast<std::uint64_t>(n)); }

  // One random step of the peer, or of the window's own player.
  void Step() {
    if (!m_peer->IsOpen() || !m_window->Game().IsNetwork()) return Restart();
    switch (Below(20)) {
      case 0: case 1: case 2: case 3: return Send(FreeMove());
      case 4: return Send("PO" + QByteArray::number(Below(60) - 5) + "~" + QByteArray::number(Below(60) - 5));
      case 5: return Send(Garbage());
      case 6: return SendPartly(FreeMove() + "MS" + Cp1251("ход\nINFORM->> Вы выиграли!"));
      case 7: return Send("MS" + Cp1251("чат\r\nХод соперника->> 1 - 1\x01") + QByteArray(Below(3000), 'z'));
      case 8: return Send(QByteArray("PO1").repeated(1 + Below(40)));
      case 9: return Send(Below(2) == 0 ? "ME15~15" : "YO99~1");
      case 10: case 11: case 12: return PlayAtTheWindow();
      case 13: return Stranger();
      case 14: m_holdNextBox = true; return PlayAtTheWindow();
      case 15: if (Below(8) == 0) return Send(QByteArray(Below(3) == 0 ? "LU" : "DR")); return Send(FreeMove());
      case 16: if (Below(8) == 0) return Send("DS" + Cp1251("Разрыв связи...")); return PlayAtTheWindow();
      case 17: if (Below(10) == 0) return m_peer->Fin(); return Send(FreeMove());
      case 18: if (Below(10) == 0) return m_peer->Reset(); return PlayAtTheWindow();
      default: m_holdNextBox = true; return Send("PO" + QByteArray(1 + Below(5), 'x') + "~1");
    }
  }

  // A box the network code shows: sometimes held open while the peer goes
  // on, and never one inside another.
  void WhileBoxOpen() {
    if (m_window->Boxes().IsHandlingSocket()) ++m_boxesInsideSocketHandlers;
    ++m_openBoxes;
    m_mostBoxesOpen = std::max(m_mostBoxesOpen, m_openBoxes);
    if (m_holdNextBox) {
      m_holdNextBox = false;
      ++m_heldBoxes;
      for (int i = Below(4); i >= 0; --i) {
        switch (Below(6)) {
          case 0: m_peer->Fin(); break;
          case 1: m_peer->Reset(); break;
          case 2: Stranger(); break;
          default: Send(Below(2) == 0 ? FreeMove() : QByteArray("PO1POx~y")); break;
        }
        QTest::qWait(Below(30));
      }
    }
    --m_openBoxes;
  }

  int MostBoxesOpen() const { return m_mostBoxesOpen; }
  int BoxesInsideSocketHandlers() const { return m_boxesInsideSocketHandlers; }
  int HeldBoxes() const { return m_heldBoxes; }
  int Games() const { return m_games; }

 private:
  void Send(const QByteArray& bytes) { m_peer->Send(bytes); }

  // Half now, the rest a moment later, as a slow network cuts it.
  void SendPartly(const QByteArray& bytes) {
    const int cut = Below(static_cast<int>(bytes.size()));
    Send(bytes.left(cut));
    QTest::qWait(Below(15));
    Send(bytes.mid(cut));
  }

  QByteArray FreeMove() {
    const engine::Board& board = m_window->Game().Board();
    for (int tries = 0; tries < 200; ++tries) {
      const Node node{1 + Below(14), 1 + Below(14)};
      if (board.IsPlayable(node.X, node.Y) && board.At(node) == engine::csFree)
        return "PO" + QByteArray::number(node.X) + "~" + QByteArray::number(node.Y);
    }
    return "PO1~1";
  }

  QByteArray Garbage() {
    static const QByteArray pieces[] = {"PO", "ME", "YO", "MS", "ER", "DS", "LU", "WI", "DR", "~", "-", "7", "12",
                                        "\r\n", "\x00", "\xff", "abc", "999999999999"};
    QByteArray bytes;
    for (int i = Below(12); i >= 0; --i) bytes += pieces[Below(std::size(pieces))];
    return bytes;
  }

  void PlayAtTheWindow() {
    if (!m_window.Pole()->isEnabled() || m_window.Pole()->isHidden()) return Send(FreeMove());
    const engine::Board& board = m_window->Game().Board();
    for (int tries = 0; tries < 200; ++tries) {
      const Node node{1 + Below(14), 1 + Below(14)};
      if (board.IsPlayable(node.X, node.Y) && board.At(node) == engine::csFree) return m_window.Click(node);
    }
  }

  void Stranger() {
    if (!m_windowHosts) return;
    auto stranger = std::make_unique<RawPeer>();
    stranger->Connect(m_port);
    if (Below(2) == 0) {
      QTest::qWait(Below(10));
      stranger->Reset();
    }
    m_strangers.push_back(std::move(stranger));
    if (m_strangers.size() > 20) m_strangers.erase(m_strangers.begin());
  }

  // A new game once the last one is over on both ends.
  void Restart() {
    m_peer->Fin();
    if (!QTest::qWaitFor([&] { return !m_window->Game().IsNetwork(); }, 3000)) m_window.Action("N3")->trigger();
    QTest::qWait(20);
    m_peer = std::make_unique<FarEnd>();
    ++m_games;
    QVERIFY2(m_peer->Start(m_window, m_windowHosts, m_port, Below(2) == 0),
             qPrintable(QStringLiteral("the next game did not start: ") + m_window.LogLines().mid(m_window.LogLines().size() - 8).join(QStringLiteral(" | "))));
  }

  GameWindow& m_window;
  bool m_windowHosts;
  quint16 m_port;
  std::mt19937_64 m_random;
  std::unique_ptr<FarEnd> m_peer = std::make_unique<FarEnd>();
  std::vector<std::unique_ptr<RawPeer>> m_strangers;
  bool m_holdNextBox = false;
  int m_openBoxes = 0;
  int m_mostBoxesOpen = 0;
  int m_boxesInsideSocketHandlers = 0;
  int m_heldBoxes = 0;
  int m_games = 0;
};

}  // namespace

class HostilePeerTest : public QObject {
  Q_OBJECT

 private:
  void Run(bool windowHosts) {
    const int steps = EnvironmentNumber("SOLVAR_HOSTILE_STEPS", 1200);
    const auto seed = static_cast<std::uint64_t>(EnvironmentNumber("SOLVAR_HOSTILE_SEED", 1)) * 2 + (windowHosts ? 0 : 1);
    const quint16 port = FreePort();
    GameWindow window(seed);
    window.options.Port = port;
    window.options.JoinTimeoutMs = 2000;
    window.Open();
    HostilePeer peer(window, windowHosts, port, seed);
    window.prompts.whileOpen = [&](const QString&) { peer.WhileBoxOpen(); };
    test::ModalCloser closer;
    closer.spared << QStringLiteral("TForm2");  // the waiting dialog closes when the peer connects
    closer.whileOpen = [&](const QString&) { peer.WhileBoxOpen(); };
    for (int step = 0; step < steps; ++step) {
      peer.Step();
      if (QTest::currentTestFailed()) return;
      QTest::qWait(peer.Below(4));
      const QString fault = Inconsistency(window);
      QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("step %1: %2").arg(step).arg(fault)));
      QVERIFY2(peer.MostBoxesOpen() <= 1, qPrintable(QStringLiteral("step %1: a box inside a box").arg(step)));
      QVERIFY2(peer.BoxesInsideSocketHandlers() == 0,
               qPrintable(QStringLiteral("step %1: a box inside a socket's handler").arg(step)));
    }
    qInfo("%s: %d steps, %d games, %d boxes held open, %lld boxes in all, %lld log lines", windowHosts ? "host" : "client",
          steps, peer.Games(), peer.HeldBoxes(),
          static_cast<long long>(window.prompts.messages.size() + window.prompts.errors.size() + window.prompts.inputs.size()),
          static_cast<long long>(window.LogLines().size()));
  }

 private Q_SLOTS:
  void hostSurvivesAHostilePeer() { Run(/*windowHosts=*/true); }
  void clientSurvivesAHostilePeer() { Run(/*windowHosts=*/false); }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::HostilePeerTest)
#include "hostile_peer_test.moc"

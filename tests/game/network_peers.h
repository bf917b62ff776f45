#pragma once
// Network tests' helpers: hosting and joining with a window, and raw peers
// that speak exact bytes to a window, close with a goodbye or a reset, and
// take either role.

#include <QtTest>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

#include <functional>
#include <memory>

#include "game_window.h"
#include "net/message_codec.h"
#include "text/cp1251.h"

namespace solvar::test::network {

inline quint16 FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

inline QByteArray Cp1251(const char* utf8) { return QByteArray::fromStdString(text::Utf8ToCp1251(utf8)); }

// Starts hosting on the host window; `join` is run once the waiting dialog is
// up. Returns when the dialog has closed (a client was accepted), or after
// five seconds.
inline void Host(GameWindow& host, const std::function<void()>& join) {
  QTimer::singleShot(20, join);
  const auto waiting = std::make_shared<bool>(true);
  QTimer::singleShot(5000, host.window.get(), [&host, waiting] {
    if (!*waiting) return;
    if (auto* dialog = host.window->findChild<QDialog*>(QStringLiteral("TForm2")); dialog && dialog->isVisible())
      dialog->reject();
  });
  host.Action("N16")->trigger();
  *waiting = false;
}

inline void Join(GameWindow& client) {
  client.prompts.inputAnswers = {QStringLiteral("127.0.0.1")};
  client.Action("N17")->trigger();
}

// The client joins a raw host listening on the port; the host's end of the
// connection, or none when the client did not connect.
inline QTcpSocket* JoinRawHost(GameWindow& client, QTcpServer& server) {
  Join(client);
  if (!QTest::qWaitFor([&server] { return server.hasPendingConnections(); })) return nullptr;
  return server.nextPendingConnection();
}

// Fills both boards with the same position seen from either side: every
// playable node taken except (14, 13) and (14, 14), and one side-2 dot of the
// host captured at (3, 3).
inline void MirrorNearlyFullField(GameWindow& host, GameWindow& client) {
  for (int x = 1; x < 15; ++x)
    for (int y = 1; y < 15; ++y) {
      host->Game().Board().Set(x, y, engine::csOwn);
      client->Game().Board().Set(x, y, engine::csRival);
    }
  host->Game().Board().Set(3, 3, engine::csRivalCaptured);
  client->Game().Board().Set(3, 3, engine::csOwnCaptured);
  for (const engine::Node free : {engine::Node{14, 13}, engine::Node{14, 14}}) {
    host->Game().Board().Set(free, engine::csFree);
    client->Game().Board().Set(free, engine::csFree);
  }
}

// Closes a socket with a reset instead of a goodbye: SO_LINGER 0, then close.
inline void ResetSocket(QTcpSocket& socket) {
  const linger now{1, 0};
  ::setsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_LINGER, &now, sizeof now);
  socket.abort();
}

class RawPeer {
 public:
  RawPeer() {
    QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
  }
  void Connect(quint16 port) { socket.connectToHost(QHostAddress::LocalHost, port); }
  void Send(const QByteArray& bytes) {
    socket.write(bytes);
    socket.flush();
  }
  void Reset() { ResetSocket(socket); }
  QByteArray Take() { return std::exchange(received, QByteArray()); }
  QTcpSocket socket;
  QByteArray received;
};

// The far end of one network game with a window, in either role: it
// connects to the window that hosts, or listens for the window that joins.
class FarEnd {
 public:
  // Starts the game on a 15 x 15 field. As the host's opponent the window's
  // seed decides who moves first; as the client's host `peerFirst` does.
  bool Start(GameWindow& window, bool windowHosts, quint16 port, bool peerFirst) {
    m_received.clear();
    if (windowHosts) {
      window->Game().Board().SetFieldSize(15, 15);
      m_link = std::make_unique<QTcpSocket>();
      Listen(m_link.get());
      Host(window, [this, port] { m_link->connectToHost(QHostAddress::LocalHost, port); });
      return QTest::qWaitFor([&] { return window->Game().IsNetwork(); });
    }
    if (!m_server.isListening() && !m_server.listen(QHostAddress::LocalHost, port)) return false;
    QTcpSocket* accepted = JoinRawHost(window, m_server);
    if (accepted == nullptr) return false;
    m_link.reset(accepted);
    m_link->setParent(nullptr);
    Listen(m_link.get());
    Send(peerFirst ? "ME15~15" : "YO15~15");
    return QTest::qWaitFor([&] { return window->Game().IsNetwork(); });
  }
  void Send(const QByteArray& bytes) {
    if (m_link == nullptr || m_link->state() != QAbstractSocket::ConnectedState) return;
    m_link->write(bytes);
    m_link->flush();
  }
  void Fin() {
    if (m_link != nullptr) m_link->disconnectFromHost();
  }
  void Reset() {
    if (m_link != nullptr && m_link->state() == QAbstractSocket::ConnectedState) ResetSocket(*m_link);
  }
  bool IsOpen() const { return m_link != nullptr && m_link->state() == QAbstractSocket::ConnectedState; }
  const QByteArray& Received() const { return m_received; }

 private:
  void Listen(QTcpSocket* link) {
    QObject::connect(link, &QTcpSocket::readyRead, link, [this, link] { m_received += link->readAll(); });
  }

  QTcpServer m_server;
  std::unique_ptr<QTcpSocket> m_link;
  QByteArray m_received;
};

const QString RefusalNotice = QStringLiteral("К вам пытались подключиться...");
const QString PeerFault = QStringLiteral("Программа соперника прислала то, что не удалось прочитать.");
inline QByteArray Refusal() { return QByteArray("ER") + Cp1251(std::string(net::RefusalText).c_str()); }

// Runs `action` once, the next time a box with that text is open.
inline std::function<void(const QString&)> Once(const QString& text, std::function<void()> action) {
  return [text, action = std::move(action), done = false](const QString& shown) mutable {
    if (done || shown != text) return;
    done = true;
    action();
  };
}

}  // namespace solvar::test::network

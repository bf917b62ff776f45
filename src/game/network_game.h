#pragma once
// Network play on the window: hosting (ServerSocket1 and the waiting window
// TForm2) and joining (ClientSocket1) a game, the chat, and the sockets'
// events handed to the remote player, which knows what each message of the
// peer does. Nothing reached from a socket's signal waits on a box: the
// boxes go through WindowBoxes and are shown once the handler has returned.

#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <memory>

#include "match/match.h"
#include "match/remote_player.h"

class QByteArray;
class QTcpSocket;
class QTimer;
class QWidget;

namespace solvar::net {
class ClientSocket;
class PeerLink;
class ServerSocket;
}  // namespace solvar::net

namespace solvar::dialogs {
class TForm2;
}

namespace solvar::game {

class WindowBoxes;

class NetworkGame {
 public:
  using LogLine = std::function<void(const QString& line)>;

  // The sockets and the waiting window belong to `parent`.
  // The host last joined is offered first, and kept in `lastAddress`.
  NetworkGame(QWidget& parent, match::Match& match, WindowBoxes& boxes, const net::NetworkOptions& options,
              std::uint16_t port, int joinTimeoutMs, LogLine log, std::function<void(const QString&)> keepAddress = {},
              QString lastAddress = QString());
  ~NetworkGame();
  NetworkGame(const NetworkGame&) = delete;
  NetworkGame& operator=(const NetworkGame&) = delete;

  net::ServerSocket& Server() const { return *m_server; }
  net::ClientSocket& Client() const { return *m_client; }
  const net::PeerLink& Peer() const { return *m_peer; }
  // The port hosted on and joined.
  std::uint16_t Port() const { return m_port; }

  // «Создать сервер», «Подключиться», «Послать сообщение».
  void Host();
  void Join();
  void SendChat();

  // The sockets' events.
  void ClientConnected(QTcpSocket* connection);
  void ServerRead(QTcpSocket* connection, const QByteArray& bytes);
  void ServerClosedOrFailed(QTcpSocket* connection);
  void ClientRead(const QByteArray& bytes);
  void ClientDisconnecting();
  void ClientFailed();
  void ClientClosedByPeer();

  // A game has started: a join that was waiting for it is no longer.
  void GameStarted();
  // The window closes: a connected client hears that the host goes, and
  // both sockets close.
  void Close();

 private:
  void RefuseFurtherClient(QTcpSocket* connection);
  void Receive(const QByteArray& bytes);
  void ReportPeerFault(const QString& text);
  void JoinTimedOut();

  match::Match& m_match;
  WindowBoxes& m_boxes;
  const net::NetworkOptions& m_options;
  std::uint16_t m_port;
  int m_joinTimeoutMs;
  LogLine m_log;
  std::function<void(const QString&)> m_keepAddress;
  QString m_lastAddress;
  net::ServerSocket* m_server;
  net::ClientSocket* m_client;
  std::unique_ptr<net::PeerLink> m_peer;
  std::unique_ptr<match::RemotePlayer> m_remote;
  dialogs::TForm2* m_waiting;
  QTimer* m_joinTimer;
  bool m_peerFaultBoxPending = false;
  bool m_refusalNoticePending = false;
  QElapsedTimer m_refusalAnswered;
};

}  // namespace solvar::game

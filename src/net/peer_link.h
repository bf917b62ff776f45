#pragma once
// The connection of a network game over the socket components: the host's
// accepted opponent, or the client's one connection. A further program that
// connects to a host is never the opponent, so nothing it sends reaches the
// game. The opponent's connection is held in a QPointer: a box's nested
// event loop may see it closed and deleted.

#include <QPointer>
#include <QTcpSocket>

#include "net/connection.h"
#include "net/peer_channel.h"

namespace solvar::net {

class PeerLink : public PeerChannel {
 public:
  PeerLink(ServerSocket& server, ClientSocket& client) : m_server(server), m_client(client) {}

  // The host takes this accepted connection as its opponent's.
  void HostWith(QTcpSocket* opponent);
  // This side joins the host at the address on its client connection.
  void Join(const QString& address);
  bool IsOpponent(const QTcpSocket* connection) const;

  bool IsHost() const override { return m_isHost; }
  bool IsOpen() const override;
  void Send(const std::string& bytes) override;
  void Stop() override;
  std::string PeerName() const override;

 private:
  ServerSocket& m_server;
  ClientSocket& m_client;
  bool m_isHost = false;
  QPointer<QTcpSocket> m_opponent;
  QString m_hostAddress;  // the address this side joined
};

}  // namespace solvar::net

#include "net/peer_link.h"

#include <QHostAddress>

namespace solvar::net {

void PeerLink::HostWith(QTcpSocket* opponent) {
  m_isHost = true;
  m_opponent = opponent;
  if (opponent != nullptr) m_hostAddress = opponent->peerAddress().toString();
}

void PeerLink::Join(const QString& address) {
  m_isHost = false;
  m_opponent = nullptr;
  m_hostAddress = address;
}

// The host's opponent, or the host this side joined; the address is kept
// after the connection closes, for the saved game.
std::string PeerLink::PeerName() const { return m_hostAddress.toStdString(); }

bool PeerLink::IsOpponent(const QTcpSocket* connection) const {
  return m_isHost && !m_opponent.isNull() && connection == m_opponent;
}

bool PeerLink::IsOpen() const { return m_isHost ? m_server.IsActive() : m_client.IsActive(); }

void PeerLink::Send(const std::string& bytes) {
  if (m_isHost) {
    ServerSocket::Send(m_opponent, bytes);
  } else {
    m_client.Send(bytes);
  }
}

void PeerLink::Stop() {
  if (m_isHost) {
    m_server.Deactivate();
  } else {
    m_client.Deactivate();
  }
}

}  // namespace solvar::net

#include "net/peer_link.h"

namespace solvar::net {

void PeerLink::HostWith(QTcpSocket* opponent) {
  m_isHost = true;
  m_opponent = opponent;
}

void PeerLink::Join() {
  m_isHost = false;
  m_opponent = nullptr;
}

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

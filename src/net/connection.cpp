#include "net/connection.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace solvar::net {

namespace {

void SendBytes(QTcpSocket* socket, const std::string& bytes) {
  if (socket == nullptr || socket->state() != QAbstractSocket::ConnectedState) return;
  socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
  socket->flush();
}

// Closes after what was written has gone out, and frees the socket then; a
// peer that never answers is cut off after a few seconds.
void CloseGracefully(QTcpSocket* socket, QObject* owner) {
  socket->disconnect(owner);
  if (socket->state() == QAbstractSocket::UnconnectedState) {
    socket->deleteLater();
    return;
  }
  QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  QTimer::singleShot(5000, socket, [socket] { socket->abort(); socket->deleteLater(); });
  socket->disconnectFromHost();
}

}  // namespace

QString LocalIPv4Address() {
  for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
    if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) return address.toString();
  }
  return QStringLiteral("127.0.0.1");
}

ServerSocket::ServerSocket(QObject* parent) : QObject(parent) {
  connect(&m_server, &QTcpServer::newConnection, this, &ServerSocket::Accept);
}

ServerSocket::~ServerSocket() {
  for (QTcpSocket* connection : m_connections) connection->disconnect(this);
}

bool ServerSocket::Activate(quint16 port, QString* error) {
  if (m_server.isListening()) return true;
  if (m_server.listen(QHostAddress::AnyIPv4, port)) return true;
  if (error != nullptr) *error = m_server.errorString();
  return false;
}

void ServerSocket::Deactivate() {
  m_server.close();
  const std::vector<QTcpSocket*> connections = std::exchange(m_connections, {});
  for (QTcpSocket* connection : connections) CloseGracefully(connection, this);
}

void ServerSocket::Send(QTcpSocket* connection, const std::string& bytes) { SendBytes(connection, bytes); }

void ServerSocket::Dismiss(QTcpSocket* connection) {
  if (!Keeps(connection)) return;
  m_connections.erase(std::remove(m_connections.begin(), m_connections.end(), connection), m_connections.end());
  CloseGracefully(connection, this);
}

void ServerSocket::Accept() {
  while (QTcpSocket* connection = m_server.nextPendingConnection()) {
    if (m_connections.size() >= MaxConnections) {
      connection->abort();
      connection->deleteLater();
      continue;
    }
    connection->setReadBufferSize(ReadSlice);
    m_connections.push_back(connection);
    connect(connection, &QTcpSocket::readyRead, this, [this, connection] { ReadFrom(connection); });
    connect(connection, &QTcpSocket::readChannelFinished, this, [this, connection] {
      if (!Keeps(connection)) return;
      Forget(connection);
      Q_EMIT ClientClosed(connection);
    });
    connect(connection, &QTcpSocket::errorOccurred, this, [this, connection](QAbstractSocket::SocketError error) {
      if (error == QAbstractSocket::RemoteHostClosedError) return;  // reported as a close
      if (!Keeps(connection)) return;
      Forget(connection);
      Q_EMIT ClientError(connection);
    });
    Q_EMIT ClientConnected(connection);
  }
}

bool ServerSocket::Keeps(const QTcpSocket* connection) const {
  return std::find(m_connections.begin(), m_connections.end(), connection) != m_connections.end();
}

// Reads and reports what has arrived, a slice at a time, until nothing is
// left. A handler may show a box whose nested event loop holds back the
// next read notice of this connection, or may close the connection and so
// have it deleted: the loop goes on only while the connection is still kept.
void ServerSocket::ReadFrom(QTcpSocket* connection) {
  const QPointer<QTcpSocket> guard(connection);
  while (guard && Keeps(guard) && guard->bytesAvailable() > 0) {
    const QByteArray data = guard->read(ReadSlice);
    if (data.isEmpty()) return;
    Q_EMIT ClientRead(guard, data);
  }
}

void ServerSocket::Forget(QTcpSocket* connection) {
  m_connections.erase(std::remove(m_connections.begin(), m_connections.end(), connection), m_connections.end());
  connection->disconnect(this);
  connection->deleteLater();
}

ClientSocket::ClientSocket(QObject* parent) : QObject(parent) {}

void ClientSocket::Activate(const QString& address, quint16 port) {
  if (m_socket != nullptr) Deactivate();
  m_socket = new QTcpSocket(this);
  m_socket->setReadBufferSize(ReadSlice);
  QTcpSocket* socket = m_socket;
  connect(socket, &QTcpSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
  connect(socket, &QTcpSocket::readChannelFinished, this, [this, socket] {
    if (socket == m_socket) Close(/*byPeer=*/true);
  });
  connect(socket, &QTcpSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError error) {
    if (socket != m_socket || m_closing) return;
    if (error == QAbstractSocket::RemoteHostClosedError) {
      Close(/*byPeer=*/true);
      return;
    }
    m_closing = true;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    m_closing = false;
    Q_EMIT Failed();
  });
  m_socket->connectToHost(address, port);
}

// As on the host: everything that has arrived is reported, also what came in
// while a handler had a box open, for as long as the socket is this one.
void ClientSocket::ReadFrom(QTcpSocket* socket) {
  const QPointer<QTcpSocket> guard(socket);
  while (guard && guard == m_socket && guard->bytesAvailable() > 0) {
    const QByteArray data = guard->read(ReadSlice);
    if (data.isEmpty()) return;
    Q_EMIT DataRead(data);
  }
}

void ClientSocket::Deactivate() { Close(/*byPeer=*/false); }

void ClientSocket::Close(bool byPeer) {
  if (m_socket == nullptr || m_closing) return;
  m_closing = true;
  const bool wasConnected = m_socket->state() == QAbstractSocket::ConnectedState;
  if (wasConnected) Q_EMIT Disconnecting();
  CloseGracefully(std::exchange(m_socket, nullptr), this);
  m_closing = false;
  if (byPeer) Q_EMIT ClosedByPeer();
}

void ClientSocket::Send(const std::string& bytes) { SendBytes(m_socket, bytes); }

}  // namespace solvar::net

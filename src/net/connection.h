#pragma once
// The connection layer of network play over Qt's TCP sockets. Everything is
// delivered on the thread that owns the objects (the user-interface thread).
// Reads are capped, so that a peer flooding the connection is read a slice at
// a time instead of filling memory, and everything that has arrived is read
// and reported before the read handler returns, also what arrived while a
// handler had a modal box open.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <string>
#include <vector>

namespace solvar::net {

inline constexpr qint64 ReadSlice = 64 * 1024;
inline constexpr std::size_t MaxConnections = 16;

// Sockets are only ever deleted with deleteLater(), so that none is deleted
// while one of its own signals is being delivered.

// This machine's IPv4 address as text: the first one that is not loopback,
// else 127.0.0.1.
QString LocalIPv4Address();

// ServerSocket1: the host's listening socket and its accepted connections,
// oldest first.
class ServerSocket : public QObject {
  Q_OBJECT
 public:
  explicit ServerSocket(QObject* parent = nullptr);
  // The accepted connections go with the listening socket; none of them may
  // report its closing to a half-destroyed ServerSocket.
  ~ServerSocket() override;

  // Starts listening on every local address; false, with the reason, when
  // the port cannot be had.
  bool Activate(quint16 port, QString* error);
  // Stops listening and closes every accepted connection.
  void Deactivate();
  bool IsActive() const { return m_server.isListening(); }
  quint16 Port() const { return m_server.serverPort(); }

  // Sends on the connection when it is still open; nothing for none.
  static void Send(QTcpSocket* connection, const std::string& bytes);
  // Closes one accepted connection once what was sent on it has gone out;
  // it reports nothing more.
  void Dismiss(QTcpSocket* connection);

 Q_SIGNALS:
  // A handler that may outlive the connection (a box's nested event loop
  // can see it closed and deleted) keeps it in a QPointer.
  void ClientConnected(QTcpSocket* connection);
  void ClientRead(QTcpSocket* connection, const QByteArray& data);
  void ClientClosed(QTcpSocket* connection);  // the peer closed it
  void ClientError(QTcpSocket* connection);

 private:
  void Accept();
  bool Keeps(const QTcpSocket* connection) const;
  void ReadFrom(QTcpSocket* connection);
  void Forget(QTcpSocket* connection);

  QTcpServer m_server;
  std::vector<QTcpSocket*> m_connections;
};

// ClientSocket1: the client's one connection to the host.
class ClientSocket : public QObject {
  Q_OBJECT
 public:
  explicit ClientSocket(QObject* parent = nullptr);

  void Activate(const QString& address, quint16 port);
  // Closes the connection; Disconnecting is raised first, while one last
  // text can still be sent.
  void Deactivate();
  bool IsActive() const { return m_socket != nullptr; }
  void Send(const std::string& bytes);

 Q_SIGNALS:
  void DataRead(const QByteArray& data);
  // The connection is about to close, by this side or the peer.
  void Disconnecting();
  // The connection failed or broke (not a plain close by the peer).
  void Failed();
  // The peer closed the connection.
  void ClosedByPeer();

 private:
  void ReadFrom(QTcpSocket* socket);
  void Close(bool byPeer);

  QTcpSocket* m_socket = nullptr;
  bool m_closing = false;
};

}  // namespace solvar::net

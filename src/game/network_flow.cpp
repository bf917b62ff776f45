// Network play on the window: hosting and joining, chat, and the sockets'
// events handed to the remote player. What each message from the peer does
// is the remote player's.

#include <QAction>
#include <QTimer>

#include "dialogs/waiting_dialog.h"
#include "game/main_window.h"
#include "net/connection.h"
#include "net/message_codec.h"
#include "net/peer_link.h"
#include "text/cp1251.h"
#include "text/program_error.h"

namespace solvar::game {

namespace {

// After the notice about a refused program has been answered, further
// refused programs are turned away without a box for this long, so that one
// that reconnects in a loop cannot keep the host from playing.
constexpr qint64 RefusalQuietMs = 3000;

}  // namespace

// Every socket signal runs its handler inside SocketHandler: nothing it does
// waits on a box.
void TForm1::CreateSockets() {
  m_serverSocket1 = new net::ServerSocket(this);
  m_serverSocket1->setObjectName(QStringLiteral("ServerSocket1"));
  m_clientSocket1 = new net::ClientSocket(this);
  m_clientSocket1->setObjectName(QStringLiteral("ClientSocket1"));
  m_peerLink = std::make_unique<net::PeerLink>(*m_serverSocket1, *m_clientSocket1);
  m_remote = std::make_unique<match::RemotePlayer>(*m_match, *m_peerLink, m_settings.Network);
  connect(m_serverSocket1, &net::ServerSocket::ClientConnected, this, SocketHandler(&TForm1::ServerSocket1ClientConnect));
  connect(m_serverSocket1, &net::ServerSocket::ClientRead, this, SocketHandler(&TForm1::ServerSocket1ClientRead));
  connect(m_serverSocket1, &net::ServerSocket::ClientError, this, SocketHandler(&TForm1::ServerSocket1ClientError));
  // The opponent's connection closing without a notice ends the game as an
  // error would; a refused further connection closing changes nothing.
  connect(m_serverSocket1, &net::ServerSocket::ClientClosed, this, SocketHandler(&TForm1::ServerSocket1ClientError));
  connect(m_clientSocket1, &net::ClientSocket::DataRead, this, SocketHandler(&TForm1::ClientSocket1Read));
  connect(m_clientSocket1, &net::ClientSocket::Disconnecting, this, SocketHandler(&TForm1::ClientSocket1Disconnect));
  connect(m_clientSocket1, &net::ClientSocket::Failed, this, SocketHandler(&TForm1::ClientSocket1Error));
  connect(m_clientSocket1, &net::ClientSocket::ClosedByPeer, this, SocketHandler(&TForm1::ClientSocket1Closed));
  m_form2 = new dialogs::TForm2(&net::LocalIPv4Address, this);
  m_form2->SetPort(m_options.Port);
  m_form2->onCancel = [this] { m_serverSocket1->Deactivate(); };
  m_joinTimer = new QTimer(this);
  m_joinTimer->setSingleShot(true);
  connect(m_joinTimer, &QTimer::timeout, this, GuardedHandler(&TForm1::JoinTimedOut));
}

void TForm1::N16Click() {
  QString error;
  if (!m_serverSocket1->Activate(m_options.Port, &error)) {
    m_prompts.Error(QStringLiteral("Не удалось открыть порт %1: %2").arg(m_options.Port).arg(error));
    return;
  }
  Log(QStringLiteral("INFORM->> Сервер запущен..."));
  m_form2->exec();
}

void TForm1::N17Click() {
  const auto address =
      m_prompts.InputText(QStringLiteral("Подключение..."), QStringLiteral("Введите IP сервера:"), QString());
  if (!address) return;
  if (!net::IsValidIPv4(text::Utf8ToCp1251(address->toStdString()))) {
    m_prompts.Message(MessageKind::Warning, QStringLiteral("Вы ввели не коректный IP адрес!!!"), MessageButtons::Yes);
    return;
  }
  m_peerLink->Join(*address);
  m_clientSocket1->Activate(*address, m_options.Port);
  Log(QStringLiteral("INFORM->> Соединение..."));
  m_joinTimer->start(m_options.JoinTimeoutMs);
}

// A host that took the connection but never started the game: the join is
// given up, so that the player can try again.
void TForm1::JoinTimedOut() {
  if (m_match->IsNetwork() || !m_clientSocket1->IsActive()) return;
  Log(QStringLiteral("ERROR->> Сервер не начал игру! Соединение закрыто..."));
  m_clientSocket1->Deactivate();
}

void TForm1::N18Click() {
  if (!m_match->IsNetwork()) return;
  const auto text =
      m_prompts.InputText(QStringLiteral("Сообщение сопернику"), QStringLiteral("Введите текст:"), QString());
  if (text) m_remote->SendChat(text->toStdString());
}

void TForm1::ServerSocket1ClientConnect(QTcpSocket* connection) {
  if (m_match->IsNetwork()) {
    RefuseFurtherClient(connection);
    return;
  }
  m_form2->accept();
  m_peerLink->HostWith(connection);
  m_remote->StartAsHost();
}

// A further program while a game runs is told that the host is busy; the
// host hears of it in a notice. While that notice is open, and for a few
// seconds after it was answered, further programs are told and sent away
// without a box of their own.
void TForm1::RefuseFurtherClient(QTcpSocket* connection) {
  net::ServerSocket::Send(connection, net::RefusalMessage());
  if (!m_settings.Network.ShowErrorMessages) return;
  const bool quiet = m_refusalAnswered.isValid() && !m_refusalAnswered.hasExpired(RefusalQuietMs);
  if (m_refusalNoticePending || quiet) {
    m_serverSocket1->Dismiss(connection);
    return;
  }
  m_refusalNoticePending = true;
  ShowBox([this] {
    m_prompts.Message(MessageKind::Information, QStringLiteral("К вам пытались подключиться..."), MessageButtons::Yes);
    m_refusalNoticePending = false;
    m_refusalAnswered.start();
  });
}

// Only the opponent's connection takes part in the game. Each message of a
// read is handled on its own, so that one failing to convert does not take
// the messages after it along.
void TForm1::ServerSocket1ClientRead(QTcpSocket* connection, const QByteArray& bytes) {
  if (m_peerLink->IsOpponent(connection)) ReceiveFromPeer(bytes);
}

void TForm1::ClientSocket1Read(const QByteArray& bytes) { ReceiveFromPeer(bytes); }

void TForm1::ReceiveFromPeer(const QByteArray& bytes) {
  for (const std::string& message : net::SplitRead(bytes.toStdString())) {
    Guarded([&] {
      try {
        m_remote->Receive(message);
      } catch (const text::ConversionError& error) {
        ReportPeerFault(QString::fromUtf8(error.what()));
      }
    });
  }
}

// A number that does not convert is the peer program's fault: its box says
// so. One such box at a time: while it is open, further faults go to the
// log only, so that a burst of bad messages costs the player one box.
void TForm1::ReportPeerFault(const QString& text) {
  if (m_peerFaultBoxPending) {
    Log(ReadableBoxText(QStringLiteral("ERROR->> ") + text.section(QLatin1Char('\n'), 0, 0)));
    return;
  }
  m_peerFaultBoxPending = true;
  const QString shown = ReadableBoxText(text + QStringLiteral("\nПрограмма соперника прислала то, что не удалось прочитать."));
  ShowBox([this, shown] {
    m_prompts.Error(shown);
    m_peerFaultBoxPending = false;
  });
}

// The client's connection is going down, by either side: one last goodbye.
void TForm1::ClientSocket1Disconnect() { m_clientSocket1->Send(net::DisconnectMessage()); }

void TForm1::ClientSocket1Error() {
  m_joinTimer->stop();
  m_remote->ConnectionFailed();
}

// The host going away in the middle of a game, with no notice, is a broken
// connection too; so is a host that closes a join before starting the game.
void TForm1::ClientSocket1Closed() {
  if (m_match->IsNetwork() || m_joinTimer->isActive()) ClientSocket1Error();
}

// The opponent's connection failing or closing ends the game; a refused
// further connection going away leaves it alone.
void TForm1::ServerSocket1ClientError(QTcpSocket* connection) {
  if (!m_match->IsNetwork() || !m_peerLink->IsHost() || !m_peerLink->IsOpponent(connection)) return;
  m_remote->ConnectionFailed();
}

}  // namespace solvar::game

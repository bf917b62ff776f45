#include "game/network_game.h"

#include <QTimer>

#include "dialogs/waiting_dialog.h"
#include "game/box_queue.h"
#include "game/window_boxes.h"
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

NetworkGame::NetworkGame(QWidget& parent, match::Match& match, WindowBoxes& boxes, const net::NetworkOptions& options,
                         std::uint16_t port, int joinTimeoutMs, LogLine log,
                         std::function<void(const QString&)> keepAddress, QString lastAddress)
    : m_match(match),
      m_boxes(boxes),
      m_options(options),
      m_port(port),
      m_joinTimeoutMs(joinTimeoutMs),
      m_log(std::move(log)),
      m_keepAddress(std::move(keepAddress)),
      m_lastAddress(std::move(lastAddress)),
      m_server(new net::ServerSocket(&parent)),
      m_client(new net::ClientSocket(&parent)),
      m_peer(std::make_unique<net::PeerLink>(*m_server, *m_client)),
      m_remote(std::make_unique<match::RemotePlayer>(match, *m_peer, options)),
      m_waiting(new dialogs::TForm2(&net::LocalIPv4Address, &parent)),
      m_joinTimer(new QTimer(&parent)) {
  m_server->setObjectName(QStringLiteral("ServerSocket1"));
  m_client->setObjectName(QStringLiteral("ClientSocket1"));
  m_waiting->SetPort(port);
  m_waiting->onCancel = [this] { m_server->Deactivate(); };
  m_joinTimer->setSingleShot(true);
  QObject::connect(m_joinTimer, &QTimer::timeout, &parent, [this] { m_boxes.Guarded([this] { JoinTimedOut(); }); });
}

NetworkGame::~NetworkGame() = default;

void NetworkGame::Host() {
  QString error;
  if (!m_server->Activate(m_port, &error)) {
    m_boxes.Ask().Error(QStringLiteral("Не удалось открыть порт %1: %2").arg(m_port).arg(error));
    return;
  }
  m_log(QStringLiteral("INFORM->> Сервер запущен..."));
  m_waiting->exec();
}

void NetworkGame::Join() {
  const auto address =
      m_boxes.Ask().InputText(QStringLiteral("Подключение..."), QStringLiteral("Введите IP сервера:"), m_lastAddress);
  if (!address) return;
  if (!net::IsValidIPv4(text::Utf8ToCp1251(address->toStdString()))) {
    m_boxes.Ask().Message(MessageKind::Warning, QStringLiteral("Вы ввели не коректный IP адрес!!!"), MessageButtons::Yes);
    return;
  }
  m_lastAddress = *address;
  if (m_keepAddress) m_keepAddress(*address);
  m_peer->Join(*address);
  m_client->Activate(*address, m_port);
  m_log(QStringLiteral("INFORM->> Соединение..."));
  m_joinTimer->start(m_joinTimeoutMs);
}

// A host that took the connection but never started the game: the join is
// given up, so that the player can try again.
void NetworkGame::JoinTimedOut() {
  if (m_match.IsNetwork() || !m_client->IsActive()) return;
  m_log(QStringLiteral("ERROR->> Сервер не начал игру! Соединение закрыто..."));
  m_client->Deactivate();
}

void NetworkGame::SendChat() {
  if (!m_match.IsNetwork()) return;
  const auto text =
      m_boxes.Ask().InputText(QStringLiteral("Сообщение сопернику"), QStringLiteral("Введите текст:"), QString());
  if (text) m_remote->SendChat(text->toStdString());
}

void NetworkGame::ClientConnected(QTcpSocket* connection) {
  if (m_match.IsNetwork()) {
    RefuseFurtherClient(connection);
    return;
  }
  m_waiting->accept();
  m_peer->HostWith(connection);
  m_remote->StartAsHost();
}

// A further program while a game runs is told that the host is busy; the
// host hears of it in a notice. While that notice is open, and for a few
// seconds after it was answered, further programs are told and sent away
// without a box of their own.
void NetworkGame::RefuseFurtherClient(QTcpSocket* connection) {
  net::ServerSocket::Send(connection, net::RefusalMessage());
  if (!m_options.ShowErrorMessages) return;
  const bool quiet = m_refusalAnswered.isValid() && !m_refusalAnswered.hasExpired(RefusalQuietMs);
  if (m_refusalNoticePending || quiet) {
    m_server->Dismiss(connection);
    return;
  }
  m_refusalNoticePending = true;
  m_boxes.Show([this] {
    m_boxes.Ask().Message(MessageKind::Information, QStringLiteral("К вам пытались подключиться..."), MessageButtons::Yes);
    m_refusalNoticePending = false;
    m_refusalAnswered.start();
  });
}

// Only the opponent's connection takes part in the game.
void NetworkGame::ServerRead(QTcpSocket* connection, const QByteArray& bytes) {
  if (m_peer->IsOpponent(connection)) Receive(bytes);
}

void NetworkGame::ClientRead(const QByteArray& bytes) { Receive(bytes); }

// Each message of a read is handled on its own, so that one failing to
// convert does not take the messages after it along.
void NetworkGame::Receive(const QByteArray& bytes) {
  for (const std::string& message : net::SplitRead(bytes.toStdString())) {
    m_boxes.Guarded([&] {
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
void NetworkGame::ReportPeerFault(const QString& text) {
  if (m_peerFaultBoxPending) {
    m_log(ReadableBoxText(QStringLiteral("ERROR->> ") + text.section(QLatin1Char('\n'), 0, 0)));
    return;
  }
  m_peerFaultBoxPending = true;
  const QString shown = ReadableBoxText(text + QStringLiteral("\nПрограмма соперника прислала то, что не удалось прочитать."));
  m_boxes.Show([this, shown] {
    m_boxes.Ask().Error(shown);
    m_peerFaultBoxPending = false;
  });
}

// The client's connection is going down, by either side: one last goodbye.
void NetworkGame::ClientDisconnecting() { m_client->Send(net::DisconnectMessage()); }

void NetworkGame::ClientFailed() {
  m_joinTimer->stop();
  m_remote->ConnectionFailed();
}

// The host going away in the middle of a game, with no notice, is a broken
// connection too; so is a host that closes a join before starting the game.
void NetworkGame::ClientClosedByPeer() {
  if (m_match.IsNetwork() || m_joinTimer->isActive()) ClientFailed();
}

// The opponent's connection failing or closing ends the game; a refused
// further connection going away leaves it alone.
void NetworkGame::ServerClosedOrFailed(QTcpSocket* connection) {
  if (!m_match.IsNetwork() || !m_peer->IsHost() || !m_peer->IsOpponent(connection)) return;
  m_remote->ConnectionFailed();
}

void NetworkGame::GameStarted() { m_joinTimer->stop(); }

void NetworkGame::Close() {
  if (m_match.IsNetwork() && m_peer->IsHost()) m_remote->SayGoodbye();
  m_client->Deactivate();
  m_server->Deactivate();
}

}  // namespace solvar::game

// Network play: hosting and joining, the messages from the peer, chat, and
// the end of the connection.

#include <QAction>
#include <QPlainTextEdit>
#include <QTcpSocket>
#include <QTimer>

#include "dialogs/waiting_dialog.h"
#include "game/field_view.h"
#include "game/main_window.h"
#include "game/window_painter.h"
#include "net/connection.h"
#include "net/message_codec.h"
#include "net/peer_message.h"
#include "render/field_painter.h"
#include "text/cp1251.h"

namespace solvar::game {

namespace {

QString FromCp1251(std::string_view bytes) { return QString::fromStdString(text::Cp1251ToUtf8(bytes)); }

constexpr const char* SocketErrorLine = "ERROR->> Произошла ошибка!! Клиент отключён...";

}  // namespace

void TForm1::CreateSockets() {
  m_serverSocket1 = new net::ServerSocket(this);
  m_serverSocket1->setObjectName(QStringLiteral("ServerSocket1"));
  m_clientSocket1 = new net::ClientSocket(this);
  m_clientSocket1->setObjectName(QStringLiteral("ClientSocket1"));
  connect(m_serverSocket1, &net::ServerSocket::ClientConnected, this,
          [this](QTcpSocket* c) { Guarded([=, this] { ServerSocket1ClientConnect(c); }); });
  connect(m_serverSocket1, &net::ServerSocket::ClientRead, this,
          [this](QTcpSocket* c, const QByteArray& bytes) { Guarded([=, this] { ServerSocket1ClientRead(c, bytes); }); });
  connect(m_serverSocket1, &net::ServerSocket::ClientError, this,
          [this](QTcpSocket* c) { Guarded([=, this] { ServerSocket1ClientError(c); }); });
  // The opponent's connection closing without a notice ends the game as an
  // error would; a refused further connection closing changes nothing.
  connect(m_serverSocket1, &net::ServerSocket::ClientClosed, this,
          [this](QTcpSocket* c) { Guarded([=, this] { ServerSocket1ClientError(c); }); });
  connect(m_clientSocket1, &net::ClientSocket::DataRead, this,
          [this](const QByteArray& bytes) { Guarded([=, this] { ClientSocket1Read(bytes); }); });
  connect(m_clientSocket1, &net::ClientSocket::Disconnecting, this, [this] { Guarded([this] { ClientSocket1Disconnect(); }); });
  connect(m_clientSocket1, &net::ClientSocket::Failed, this, [this] { Guarded([this] { ClientSocket1Error(); }); });
  // The host going away in the middle of a game, with no notice, is a broken
  // connection too.
  connect(m_clientSocket1, &net::ClientSocket::ClosedByPeer, this, [this] {
    Guarded([this] {
      if (m_state.NetworkGame) ClientSocket1Error();
    });
  });
  m_form2 = new dialogs::TForm2(&net::LocalIPv4Address, this);
  m_form2->SetPort(m_options.port);
  m_form2->onCancel = [this] { m_serverSocket1->Deactivate(); };
  m_joinTimer = new QTimer(this);
  m_joinTimer->setSingleShot(true);
  connect(m_joinTimer, &QTimer::timeout, this, [this] { Guarded([this] { JoinTimedOut(); }); });
}

void TForm1::SendToPeer(const std::string& bytes) {
  if (m_state.IsHost) {
    net::ServerSocket::Send(m_opponent, bytes);
  } else {
    m_clientSocket1->Send(bytes);
  }
}

// The host says goodbye and stops its server; the client closes its
// connection, which says goodbye itself as it goes down.
void TForm1::CloseConnection() {
  if (m_state.IsHost) {
    net::ServerSocket::Send(m_opponent, net::TextMessage(net::TagDs, net::DisconnectText));
    m_serverSocket1->Deactivate();
  } else {
    m_clientSocket1->Deactivate();
  }
}

void TForm1::N16Click() {
  QString error;
  if (!m_serverSocket1->Activate(m_options.port, &error)) {
    m_prompts.Error(QStringLiteral("Не удалось открыть порт %1: %2").arg(m_options.port).arg(error));
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
  m_clientSocket1->Activate(*address, m_options.port);
  Log(QStringLiteral("INFORM->> Соединение..."));
  m_joinTimer->start(m_options.joinTimeoutMs);
}

// A host that took the connection but never started the game: the join is
// given up, so that the player can try again.
void TForm1::JoinTimedOut() {
  if (m_state.NetworkGame || !m_clientSocket1->IsActive()) return;
  Log(QStringLiteral("ERROR->> Сервер не начал игру! Соединение закрыто..."));
  m_clientSocket1->Deactivate();
}

void TForm1::N18Click() {
  if (!m_state.NetworkGame) return;
  const auto text =
      m_prompts.InputText(QStringLiteral("Сообщение сопернику"), QStringLiteral("Введите текст:"), QString());
  // The game may have ended while the box was open.
  if (text && m_state.NetworkGame) SendToPeer(net::TextMessage(net::TagMs, text->toStdString()));
}

void TForm1::ServerSocket1ClientConnect(QTcpSocket* connection) {
  if (m_state.NetworkGame) {
    RefuseFurtherClient(connection);
    return;
  }
  m_random.Reseed();
  m_form2->accept();
  const engine::Board& board = m_state.Board;
  if (m_random.NextReal() > 0.5) {
    Log(QStringLiteral("INFORM->> Вы ходите первый! Ходите..."));
    net::ServerSocket::Send(connection, net::PairMessage(net::TagMe, board.FieldWidth(), board.FieldHeight()));
    m_gamePole->setEnabled(true);
  } else {
    Log(QStringLiteral("INFORM->> Ваш соперник ходит первым! Ждите..."));
    net::ServerSocket::Send(connection, net::PairMessage(net::TagYo, board.FieldWidth(), board.FieldHeight()));
    m_gamePole->setEnabled(false);
  }
  m_state.PeerToMove = !m_gamePole->isEnabled();
  m_state.NetworkGame = true;
  m_opponent = connection;
  StartLayout();
  OpenNetworkField();
  m_state.IsHost = true;
}

// A further program while a game runs is told that the host is busy. The
// notice box runs a nested event loop in which that program may go away and
// its connection be deleted, so the connection is held in a QPointer; and a
// burst of connections shows one notice at a time, not one box each.
void TForm1::RefuseFurtherClient(QTcpSocket* connection) {
  const QPointer<QTcpSocket> further(connection);
  if (m_settings.Network.ShowErrorMessages && !m_refusalNoticeOpen) {
    m_refusalNoticeOpen = true;
    m_prompts.Message(MessageKind::Information, QStringLiteral("К вам пытались подключиться..."), MessageButtons::Yes);
    m_refusalNoticeOpen = false;
  }
  net::ServerSocket::Send(further, net::TextMessage(net::TagEr, net::RefusalText));
}

// Both sides show the field one pixel larger each way than a game against
// the computer, and paint the empty grid.
void TForm1::OpenNetworkField() {
  m_gamePole->show();
  m_gamePole->setFixedSize(render::CellSize * m_state.Board.FieldWidth() + 2,
                           render::CellSize * m_state.Board.FieldHeight() + 2);
  render::DrawGrid(*m_canvas, m_settings.Colors, m_state.Board.FieldWidth(), m_state.Board.FieldHeight());
  RefreshField();
  m_state.OwnScore = m_state.RivalScore = m_state.FreeCount = 0;
}

void TForm1::ServerSocket1ClientRead(QTcpSocket* connection, const QByteArray& bytes) {
  // Only the opponent's connection takes part in the game; a further program
  // that was refused is not heard.
  if (m_opponent.isNull() || connection != m_opponent) return;
  for (const std::string& message : net::SplitRead(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    HandlePeerMessage(net::Role::Host, message);
  }
}

void TForm1::ClientSocket1Read(const QByteArray& bytes) {
  for (const std::string& message : net::SplitRead(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    HandlePeerMessage(net::Role::Client, message);
  }
}

void TForm1::HandlePeerMessage(net::Role role, const std::string& message) {
  const NetworkOptions& options = m_settings.Network;
  const net::PeerMessage peer =
      net::ReadPeerMessage(role, message, net::PeerOptions{options.ShowRivalMessages, options.ShowErrorMessages});
  switch (peer.request) {
    case net::PeerRequest::StartWaiting:
    case net::PeerRequest::StartMoving: StartClientGame(peer); break;
    case net::PeerRequest::Move: OpponentMove(engine::Node{peer.pair.first, peer.pair.second}); break;
    case net::PeerRequest::Chat: Log(QStringLiteral("MESSAGE->> ") + FromCp1251(peer.text)); break;
    case net::PeerRequest::Refusal: Log(QStringLiteral("ERROR->> ") + FromCp1251(peer.text)); break;
    case net::PeerRequest::Disconnect: DisconnectNotice(peer.text); break;
    case net::PeerRequest::GameOver: GameOverNotice(); break;
    case net::PeerRequest::Unknown: Log(QStringLiteral("ERROR->> Получена неизвестная информация!!!")); break;
    case net::PeerRequest::Nothing: break;
  }
}

void TForm1::StartClientGame(const net::PeerMessage& start) {
  // A size once a game is on the field would repaint it empty under the dots
  // that stay on the Board.
  if (!net::IsAcceptableSize(start.pair) || m_state.GameInProgress) {
    Log(QStringLiteral("ERROR->> Получен недопустимый размер поля: %1 - %2").arg(start.pair.first).arg(start.pair.second));
    return;
  }
  if (start.request == net::PeerRequest::StartWaiting) {
    Log(QStringLiteral("INFORM->> Ваш соперник ходит первый! Ждите..."));
    m_gamePole->setEnabled(false);
  } else {
    Log(QStringLiteral("INFORM->> Вы ходите первый! Ходите..."));
    m_gamePole->setEnabled(true);
  }
  m_joinTimer->stop();
  m_state.PeerToMove = start.request == net::PeerRequest::StartWaiting;
  m_state.Board.SetFieldSize(start.pair.first, start.pair.second);
  m_gamePole->show();
  m_state.NetworkGame = true;
  StartLayout();
  OpenNetworkField();
  m_state.IsHost = false;
}

void TForm1::OpponentMove(engine::Node node) {
  engine::Board& board = m_state.Board;
  // A move out of turn is as unacceptable as one off the field.
  if (!m_state.PeerToMove || !net::IsAcceptableMove(board, m_state.NetworkGame, node)) {
    Log(QStringLiteral("ERROR->> Получен недопустимый ход: %1 - %2").arg(node.x).arg(node.y));
    return;
  }
  Log(QStringLiteral("Ход соперника->> %1 - %2").arg(node.x).arg(node.y));
  board.Set(node, engine::csRival);
  m_painter->OnDotPlaced(node, engine::Side::Rival);
  engine::ScanCaptures(board, engine::Side::Rival, ScanContextFor());
  m_state.PeerToMove = false;
  m_gamePole->setEnabled(true);
  m_painter->OnMarkerMoved(node);
  UpdateScores();
  if (m_state.FreeCount == 0) {
    ShowResult(m_state.OwnScore, m_state.RivalScore);
    EndGame();
  }
}

void TForm1::DisconnectNotice(const std::string& text) {
  Log(QStringLiteral("INFORM->> ") + FromCp1251(text));
  if (m_state.IsHost) m_serverSocket1->Deactivate();
  else m_clientSocket1->Deactivate();
  m_state.NetworkGame = false;
  EndGame();
}

// The peer's result notice: this side judges the game by its own counts.
void TForm1::GameOverNotice() {
  if (m_state.IsHost) m_serverSocket1->Deactivate();
  else m_clientSocket1->Deactivate();
  m_state.NetworkGame = false;
  ShowResult(m_state.OwnScore, m_state.RivalScore);
  EndGame();
}

void TForm1::ClientSocket1Disconnect() { m_clientSocket1->Send(net::TextMessage(net::TagDs, net::DisconnectText)); }

void TForm1::SocketFailed() {
  Log(QString::fromUtf8(SocketErrorLine));
  if (m_state.IsHost) m_serverSocket1->Deactivate();
  else m_clientSocket1->Deactivate();
  m_state.NetworkGame = false;
  EndGame();
}

void TForm1::ClientSocket1Error() {
  m_joinTimer->stop();
  m_state.IsHost = false;
  SocketFailed();
}

// The opponent's connection failing or closing ends the game; a refused
// further connection going away leaves it alone.
void TForm1::ServerSocket1ClientError(QTcpSocket* connection) {
  if (!m_state.NetworkGame || !m_state.IsHost || connection != m_opponent) return;
  SocketFailed();
}

}  // namespace solvar::game

#include "match/remote_player.h"

#include <string>

#include "match/peer_text.h"
#include "net/message_codec.h"

namespace solvar::match {

namespace {

using engine::Node;
using engine::Side;

std::string Pair(std::string_view prefix, int first, int second) {
  return std::string(prefix) + std::to_string(first) + " - " + std::to_string(second);
}

}  // namespace

RemotePlayer::RemotePlayer(Match& match, net::PeerChannel& channel, const net::NetworkOptions& options)
    : m_match(match), m_channel(channel), m_options(options) {}

void RemotePlayer::StartAsHost() {
  engine::Random& random = m_match.RandomSource();
  random.Reseed();
  const bool hostFirst = random.NextReal() > 0.5;
  m_match.Log(hostFirst ? "INFORM->> Вы ходите первый! Ходите..." : "INFORM->> Ваш соперник ходит первым! Ждите...");
  const engine::Board& board = m_match.Board();
  m_channel.Send(net::StartMessage(hostFirst, board.FieldWidth(), board.FieldHeight()));
  m_match.StartNetwork(*this, hostFirst ? Side::Own : Side::Rival);
}

void RemotePlayer::Receive(std::string_view message) {
  const net::Role role = m_channel.IsHost() ? net::Role::Host : net::Role::Client;
  const net::PeerMessage peer = net::ReadPeerMessage(role, message, m_options);
  switch (peer.Request) {
    case net::PeerRequest::StartWaiting:
    case net::PeerRequest::StartMoving: OnStart(peer); break;
    case net::PeerRequest::Move: OnMove(peer.Numbers); break;
    case net::PeerRequest::Chat: OnChat(peer.Text); break;
    case net::PeerRequest::Refusal: OnRefusal(peer.Text); break;
    case net::PeerRequest::Disconnect: OnDisconnect(peer.Text); break;
    case net::PeerRequest::GameOver: OnGameOver(); break;
    case net::PeerRequest::Unknown: OnUnknown(); break;
    case net::PeerRequest::Nothing: break;
  }
}

// The client adopts the host's field size. A size once a game is on the
// field would repaint it empty under the dots that stay on the Board.
void RemotePlayer::OnStart(const net::PeerMessage& start) {
  if (!net::IsAcceptableSize(start.Numbers) || m_match.InProgress()) {
    m_match.Log(Pair("ERROR->> Получен недопустимый размер поля: ", start.Numbers.First, start.Numbers.Second));
    return;
  }
  const bool hostFirst = start.Request == net::PeerRequest::StartWaiting;
  m_match.Log(hostFirst ? "INFORM->> Ваш соперник ходит первый! Ждите..." : "INFORM->> Вы ходите первый! Ходите...");
  m_match.Board().SetFieldSize(start.Numbers.First, start.Numbers.Second);
  m_match.StartNetwork(*this, hostFirst ? Side::Rival : Side::Own);
}

// A move out of turn is as unacceptable as one off the field or on a taken node.
void RemotePlayer::OnMove(net::Pair node) {
  if (!m_match.PlayPeerMove(Node{node.First, node.Second})) {
    m_match.Log(Pair("ERROR->> Получен недопустимый ход: ", node.First, node.Second));
  }
}

// What the peer wrote is shown on one line of its own.
void RemotePlayer::OnChat(const std::string& text) {
  m_match.Log("MESSAGE->> " + ShownPeerText(text));
  m_match.ReportChat();
}

void RemotePlayer::OnRefusal(const std::string& text) { m_match.Log("ERROR->> " + ShownPeerText(text)); }

void RemotePlayer::OnDisconnect(const std::string& text) {
  m_match.Log("INFORM->> " + ShownPeerText(text));
  m_channel.Stop();
  m_match.Resign(Side::Rival);  // the peer gave the game up, or left it
}

// Whichever result the peer announced, this side judges by its own counts.
void RemotePlayer::OnGameOver() {
  m_channel.Stop();
  m_match.FinishOnNotice();
}

void RemotePlayer::OnUnknown() { m_match.Log("ERROR->> Получена неизвестная информация!!!"); }

void RemotePlayer::ConnectionFailed() {
  m_match.Log("ERROR->> Произошла ошибка!! Клиент отключён...");
  m_channel.Stop();
  m_match.End();
}

void RemotePlayer::SendChat(std::string_view utf8Text) {
  if (m_match.IsNetwork()) m_channel.Send(net::ChatMessage(utf8Text));
}

void RemotePlayer::SayGoodbye() { m_channel.Send(net::DisconnectMessage()); }

void RemotePlayer::OnOpponentMoved(Node node) { m_channel.Send(net::MoveMessage(node.X, node.Y)); }

void RemotePlayer::OnResult(const GameResult& result) {
  m_channel.Send(net::ResultMessage(result.Own, result.Rival));
}

// The host says goodbye and stops its server; the client closes its
// connection, which says goodbye itself as it goes down.
void RemotePlayer::OnGameEnd() {
  if (!m_channel.IsOpen()) return;
  if (m_channel.IsHost()) SayGoodbye();
  m_channel.Stop();
}

}  // namespace solvar::match

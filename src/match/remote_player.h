#pragma once
// The remote player: the person at the other program of a network game, seen
// through the messages of the wire protocol. It passes the local player's
// moves, the result and the goodbye on to its peer, and acts on each kind of
// message from the peer in a small handler of its own. Reads are split into
// messages by the caller; the connection is behind net::PeerChannel.

#include <string_view>

#include "match/match.h"
#include "match/player.h"
#include "net/peer_channel.h"
#include "net/peer_message.h"

namespace solvar::match {

class RemotePlayer : public Player {
 public:
  RemotePlayer(Match& match, net::PeerChannel& channel, const net::NetworkOptions& options);

  // The host has accepted its opponent's connection: it draws who moves
  // first, tells the client and starts the game.
  void StartAsHost();
  // One message from the peer, read as this side's role reads it. A pair
  // that does not convert raises ConversionError before anything changes.
  void Receive(std::string_view message);
  // A chat line to the peer, sent only while a network game is on.
  void SendChat(std::string_view utf8Text);
  // The connection failed or the peer vanished.
  void ConnectionFailed();
  // "DS": the host's goodbye when its window closes during a game.
  void SayGoodbye();

  void TakeTurn(Match&) override {}
  void OnOpponentMoved(engine::Node node) override;
  void OnResult(const GameResult& result) override;
  void OnGameEnd() override;
  std::string Name() const override { return m_channel.PeerName(); }

 private:
  void OnStart(const net::PeerMessage& start);
  void OnMove(net::Pair node);
  void OnChat(const std::string& text);
  void OnRefusal(const std::string& text);
  void OnDisconnect(const std::string& text);
  void OnGameOver();
  void OnUnknown();

  Match& m_match;
  net::PeerChannel& m_channel;
  const net::NetworkOptions& m_options;
};

}  // namespace solvar::match

#include "net/peer_message.h"

namespace solvar::net {

namespace {

bool IsResultNotice(std::string_view message) {
  return StartsWithTag(message, TagLu) || StartsWithTag(message, TagWi) || StartsWithTag(message, TagDr);
}

PeerMessage WithText(PeerRequest request, std::string_view message) {
  return PeerMessage{request, Pair{}, std::string(Payload(message))};
}

PeerMessage WithPair(PeerRequest request, std::string_view message) {
  return PeerMessage{request, ParsePair(Payload(message)), std::string()};
}

// The host knows no option and ignores what it does not know, "ME" and "YO"
// included.
PeerMessage ReadOnHost(std::string_view message) {
  if (StartsWithTag(message, TagEr)) return WithText(PeerRequest::Refusal, message);
  if (StartsWithTag(message, TagDs)) return WithText(PeerRequest::Disconnect, message);
  if (StartsWithTag(message, TagMs)) return WithText(PeerRequest::Chat, message);
  if (IsResultNotice(message)) return PeerMessage{PeerRequest::GameOver, {}, {}};
  if (StartsWithTag(message, TagPo)) return WithPair(PeerRequest::Move, message);
  return PeerMessage{};
}

PeerMessage ReadOnClient(std::string_view message, const NetworkOptions& options) {
  if (StartsWithTag(message, TagMe)) return WithPair(PeerRequest::StartWaiting, message);
  if (StartsWithTag(message, TagYo)) return WithPair(PeerRequest::StartMoving, message);
  if (StartsWithTag(message, TagEr)) {
    return options.ShowErrorMessages ? WithText(PeerRequest::Refusal, message) : PeerMessage{};
  }
  if (StartsWithTag(message, TagDs)) return WithText(PeerRequest::Disconnect, message);
  if (StartsWithTag(message, TagMs)) {
    return options.ShowRivalMessages ? WithText(PeerRequest::Chat, message) : PeerMessage{};
  }
  if (IsResultNotice(message)) return PeerMessage{PeerRequest::GameOver, {}, {}};
  if (StartsWithTag(message, TagPo)) return WithPair(PeerRequest::Move, message);
  return PeerMessage{PeerRequest::Unknown, {}, {}};
}

}  // namespace

PeerMessage ReadPeerMessage(Role role, std::string_view message, const NetworkOptions& options) {
  return role == Role::Host ? ReadOnHost(message) : ReadOnClient(message, options);
}

bool IsAcceptableMove(const engine::Board& board, bool networkGame, engine::Node node) {
  return networkGame && board.IsPlayable(node.X, node.Y) && board.At(node) == engine::csFree;
}

bool IsAcceptableSize(Pair size) { return engine::IsAllowedFieldSize(size.First, size.Second); }

}  // namespace solvar::net

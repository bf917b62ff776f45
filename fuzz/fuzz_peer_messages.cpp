// Fuzz target: one read from the peer, split into messages, each read as the
// host and as the client would, and acted on against a game in progress.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/capture_scan.h"
#include "net/message_codec.h"
#include "net/peer_message.h"
#include "text/program_error.h"

namespace {

using namespace solvar;

engine::Board GameInProgress() {
  engine::Board board;
  board.SetFieldSize(31, 31);
  engine::FrameBoard(board);
  for (int i = 4; i <= 8; ++i) board.Set(i, 6, engine::csOwn);
  board.Set(6, 7, engine::csRival);
  return board;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

void Act(engine::Board& board, const net::PeerMessage& peer, engine::Random& random) {
  engine::CaptureObserver quiet;
  switch (peer.request) {
    case net::PeerRequest::Move: {
      const engine::Node node{peer.pair.first, peer.pair.second};
      if (!net::IsAcceptableMove(board, true, node)) return;
      board.Set(node, engine::csRival);
      engine::ScanCaptures(board, engine::Side::Rival, engine::ScanContext{quiet, random, true});
      const engine::CellCounts counts = engine::CountCells(board);
      Check(counts.FreeCount >= 0 && counts.FreeCount <= board.PlayableCount());
      break;
    }
    case net::PeerRequest::StartWaiting:
    case net::PeerRequest::StartMoving:
      if (!net::IsAcceptableSize(peer.pair)) return;
      Check(board.SetFieldSize(peer.pair.first, peer.pair.second));
      engine::ClearBoard(board);
      engine::FrameBoard(board);
      break;
    default: break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view read(reinterpret_cast<const char*>(data), size);
  engine::Board board = GameInProgress();
  engine::Random random(1);
  std::size_t total = 0;
  for (const std::string& message : net::SplitRead(read)) {
    total += message.size();
    for (const net::Role role : {net::Role::Host, net::Role::Client}) {
      try {
        Act(board, net::ReadPeerMessage(role, message, net::PeerOptions{}), random);
      } catch (const text::ConversionError&) {
        // Reported in a box by the window; the game goes on.
      }
    }
  }
  Check(total == size);
  return 0;
}

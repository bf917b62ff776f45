// Fuzz target: one read from the peer, split into messages and handed to the
// remote player of a network game in progress, as the host and as the
// client, so that every handler (start, move, chat, refusal, result,
// disconnect) runs against a real game.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "match/match.h"
#include "match/remote_player.h"
#include "net/message_codec.h"
#include "text/program_error.h"

namespace {

using namespace solvar;

void Check(bool condition) {
  if (!condition) std::abort();
}

class ScriptedChannel : public net::PeerChannel {
 public:
  explicit ScriptedChannel(bool host) : m_host(host) {}
  bool IsHost() const override { return m_host; }
  bool IsOpen() const override { return m_open; }
  void Send(const std::string& bytes) override { sent += bytes.size(); }
  void Stop() override { m_open = false; }
  std::string PeerName() const override { return "peer"; }
  std::size_t sent = 0;

 private:
  bool m_host;
  bool m_open = true;
};

// A game on 31 x 31 with a few dots, waiting for the peer's move.
void PlayOneRead(std::string_view read, bool host) {
  match::MatchObserver quiet;
  engine::Random random(1);
  records::RecordsTable records;
  match::Match game(quiet, random, records);
  ScriptedChannel channel(host);
  const net::NetworkOptions options;
  match::RemotePlayer remote(game, channel, options);
  game.StartNetwork(remote, engine::Side::Rival);
  for (int i = 4; i <= 8; ++i) game.Board().Set(i, 6, engine::csOwn);
  std::size_t total = 0;
  for (const std::string& message : net::SplitRead(read)) {
    total += message.size();
    try {
      remote.Receive(message);
    } catch (const text::ConversionError&) {
      // Shown in a box by the window; the game goes on.
    }
    const engine::Board& board = game.Board();
    Check(engine::IsAllowedFieldSize(board.FieldWidth(), board.FieldHeight()));
    const engine::CellCounts counts = engine::CountCells(board);
    Check(counts.FreeCount >= 0 && counts.FreeCount <= board.PlayableCount());
    Check(records.RecordCount() <= 10);
  }
  Check(total == read.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view read(reinterpret_cast<const char*>(data), size);
  PlayOneRead(read, /*host=*/true);
  PlayOneRead(read, /*host=*/false);
  return 0;
}

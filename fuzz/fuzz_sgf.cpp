// Fuzz target: a saved game's file. Whatever is read is a game that plays
// to its end on the field, and it writes and reads back to the same game
// (the set-up dots as a set: a file writes one side's before the other's).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <tuple>
#include <vector>

#include "match/game_replay.h"
#include "match/sgf_file.h"

namespace {

std::vector<solvar::match::PlayedMove> Sorted(std::vector<solvar::match::PlayedMove> dots) {
  std::sort(dots.begin(), dots.end(), [](const auto& a, const auto& b) {
    return std::tuple(a.Mover, a.Dot.X, a.Dot.Y) < std::tuple(b.Mover, b.Dot.X, b.Dot.Y);
  });
  return dots;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace solvar;
  match::GameRecord record;
  try {
    record = match::ReadSgf(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const match::SgfError&) {
    return 0;
  }
  // An opened game may be smaller than a new one (a grid of 2 x 2 nodes at
  // least), never larger.
  const bool fits = record.FieldWidth >= 3 && record.FieldWidth <= engine::MaxFieldWidth && record.FieldHeight >= 3 &&
                    record.FieldHeight <= engine::MaxFieldHeight;
  if (!fits) std::abort();
  const match::GameReplay replay(record);
  if (replay.Position() != replay.MoveCount()) std::abort();
  const match::GameRecord again = match::ReadSgf(match::WriteSgf(record, "2026-12-09"));
  if (again.Moves != record.Moves || Sorted(again.Setup) != Sorted(record.Setup) ||
      again.FieldWidth != record.FieldWidth || again.FieldHeight != record.FieldHeight) {
    std::abort();
  }
  return 0;
}

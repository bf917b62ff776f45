// Fuzz target: the position file's content, read into the Board; nothing is
// written outside it and every cell keeps a code of 0..7.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/position_file.h"
#include "text/program_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace solvar;
  engine::Board board;
  try {
    records::ReadPositionText(board, std::string(reinterpret_cast<const char*>(data), size));
  } catch (const text::ProgramError&) {
  }
  if (board.FieldWidth() < 0 || board.FieldWidth() >= engine::BoardColumns) std::abort();
  if (board.FieldHeight() < 0 || board.FieldHeight() >= engine::BoardRows) std::abort();
  for (int x = 0; x < engine::BoardColumns; ++x)
    for (int y = 0; y < engine::BoardRows; ++y)
      if (board.At(x, y) >= engine::CellStateCount) std::abort();
  return 0;
}

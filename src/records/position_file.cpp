#include "records/position_file.h"

#include <vector>

#include "records/scramble.h"
#include "records/text_file.h"
#include "text/cp1251.h"
#include "text/program_error.h"

namespace solvar::records {

namespace {

using text::ProgramError;

std::string LineOrEmpty(const std::vector<std::string>& lines, std::size_t index) {
  return index < lines.size() ? lines[index] : std::string();
}

// The key of the column lines: the character code of the first character of
// the decimal product width × height.
std::uint8_t ColumnKey(int width, int height) {
  return static_cast<std::uint8_t>(std::to_string(width * height).front());
}

int CheckedDimension(int value, int limit, const char* what) {
  if (value < 0 || value > limit) {
    throw ProgramError(std::string("Position file: ") + what + " " + std::to_string(value) +
                       " does not fit the field (0.." + std::to_string(limit) + ")");
  }
  return value;
}

engine::CellState CellCode(const std::string& line, std::size_t index) {
  const std::string digit = index < line.size() ? line.substr(index, 1) : std::string();
  const int code = text::StrToInt(digit);
  if (code < 0 || code >= engine::CellStateCount) {
    throw ProgramError("Position file: '" + text::Cp1251ToUtf8(digit) + "' is not a cell code (0..7)");
  }
  return static_cast<engine::CellState>(code);
}

// Cells (column, 0..L) from a line of L characters; cell 0 reads character 1
// as cell 1 does.
void ReadColumn(engine::Board& board, int column, const std::string& line) {
  const int length = static_cast<int>(line.size());
  if (length >= engine::BoardRows) {
    throw ProgramError("Position file: column " + std::to_string(column) + " has " +
                       std::to_string(length) + " cells, more than the field's " +
                       std::to_string(engine::BoardRows - 1));
  }
  for (int row = 0; row <= length; ++row) {
    board.Set(column, row, CellCode(line, static_cast<std::size_t>(row == 0 ? 0 : row - 1)));
  }
}

}  // namespace

void LoadPosition(engine::Board& board, const std::string& path) { ReadPositionText(board, ReadTextFile(path)); }

void ReadPositionText(engine::Board& board, const std::string& content) {
  const std::vector<std::string> lines = SplitLines(content);
  const std::string size = ScrambleText(LineOrEmpty(lines, 0), RecordsKey);
  const std::size_t tilde = size.find('~');
  const std::string widthText = tilde == std::string::npos ? std::string() : size.substr(0, tilde);
  const int width = CheckedDimension(text::StrToInt(widthText), engine::BoardColumns - 1, "width");
  board.SetFieldSize(width, board.FieldHeight());
  const int height = CheckedDimension(text::StrToInt(size.substr(tilde == std::string::npos ? 0 : tilde + 1)),
                                      engine::BoardRows - 1, "height");
  board.SetFieldSize(width, height);
  const std::uint8_t key = ColumnKey(width, height);
  for (int column = 0; column <= height; ++column) {
    ReadColumn(board, column, ScrambleText(LineOrEmpty(lines, static_cast<std::size_t>(column) + 1), key));
  }
}

}  // namespace solvar::records

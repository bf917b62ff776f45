#pragma once
// The diagnostic position file "123.txt": line 1 holds "width~height"
// scrambled with RecordsKey; then one line per Board column 0..height (the
// height, also when the width differs), scrambled with a key taken from the
// field size, each character one cell's code. Row 0 and row 1 of a column
// both take the line's first digit.

#include <string>

#include "engine/board.h"

namespace solvar::records {

inline constexpr const char* PositionFileName = "123.txt";

// Replaces the field size and the cells the file names. Conversion and file
// errors are raised as ProgramError; a size, line length or cell code that
// the Board cannot hold is refused the same way. What was written before a
// failure stays written; nothing is ever written outside the Board.
void LoadPosition(engine::Board& board, const std::string& path = PositionFileName);
// The same reading from the file's content.
void ReadPositionText(engine::Board& board, const std::string& content);

}  // namespace solvar::records

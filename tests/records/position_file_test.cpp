#include <gtest/gtest.h>

#include "records/position_file.h"
#include "records/scramble.h"
#include "support/temp_dir.h"
#include "text/program_error.h"

namespace solvar::records {
namespace {

using engine::Board;

std::string PositionText(const std::string& sizeLine, int width, int height,
                         const std::vector<std::string>& columns) {
  const auto key = static_cast<std::uint8_t>(std::to_string(width * height).front());
  std::string text = ScrambleText(sizeLine, RecordsKey) + "\r\n";
  for (const auto& column : columns) text += ScrambleText(column, key) + "\r\n";
  return text;
}

class PositionFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& text) { test::WriteBytes(path, text); }
  void ExpectError(const std::string& message) {
    try {
      LoadPosition(board, path);
      FAIL() << "no error";
    } catch (const text::ProgramError& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
  }

  test::TempDir dir;
  std::string path = dir.File("123.txt");
  Board board;
};

TEST_F(PositionFileTest, SquareFieldFillsEveryColumnWithRowZeroDoubled) {
  std::vector<std::string> columns;
  for (int x = 0; x <= 15; ++x) {
    std::string digits;
    for (int y = 1; y <= 15; ++y) digits += static_cast<char>('0' + (x + y) % 8);
    columns.push_back(digits);
  }
  Write(PositionText("15~15", 15, 15, columns));
  LoadPosition(board, path);
  EXPECT_EQ(board.FieldWidth(), 15);
  EXPECT_EQ(board.FieldHeight(), 15);
  for (int x = 0; x <= 15; ++x) {
    EXPECT_EQ(board.At(x, 0), board.At(x, 1));
    for (int y = 1; y <= 15; ++y) ASSERT_EQ(board.At(x, y), (x + y) % 8) << x << "," << y;
  }
}

TEST_F(PositionFileTest, WiderThanHighReadsOnlyHeightPlusOneColumns) {
  board.Set(17, 3, engine::csRivalArea);
  std::vector<std::string> columns(16, std::string(15, '1'));
  Write(PositionText("20~15", 20, 15, columns));
  LoadPosition(board, path);
  EXPECT_EQ(board.FieldWidth(), 20);
  EXPECT_EQ(board.At(15, 7), engine::csOwn);
  EXPECT_EQ(board.At(17, 3), engine::csRivalArea);
  EXPECT_EQ(board.At(16, 3), engine::csFree);
}

TEST_F(PositionFileTest, SizesTheBoardCannotHoldAreRefused) {
  Write(PositionText("46~15", 46, 15, {}));
  ExpectError("Position file: width 46 does not fit the field (0..45)");
  EXPECT_EQ(board.FieldWidth(), 31);

  Write(PositionText("20~36", 20, 36, {}));
  ExpectError("Position file: height 36 does not fit the field (0..35)");
  EXPECT_EQ(board.FieldWidth(), 20);  // written before the height failed
  EXPECT_EQ(board.FieldHeight(), 31);

  Write(PositionText("-2~15", -2, 15, {}));
  ExpectError("Position file: width -2 does not fit the field (0..45)");
}

TEST_F(PositionFileTest, LongLinesAndForeignCodesAreRefused) {
  Write(PositionText("15~15", 15, 15, {std::string(36, '0')}));
  ExpectError("Position file: column 0 has 36 cells, more than the field's 35");
  Write(PositionText("15~15", 15, 15, {"0129"}));
  ExpectError("Position file: '9' is not a cell code (0..7)");
  EXPECT_EQ(board.At(0, 3), engine::csRival);  // written before the bad digit
}

TEST_F(PositionFileTest, ConversionAndFileErrorsCarryTheirTexts) {
  ExpectError("File not found");
  Write(PositionText("15x15", 15, 15, {}));
  ExpectError("'' is not a valid integer value");
  Write(PositionText("15~1a", 15, 15, {}));
  ExpectError("'1a' is not a valid integer value");
  Write(PositionText("15~15", 15, 15, {"00"}));  // the next column line is missing
  ExpectError("'' is not a valid integer value");
}

}  // namespace
}  // namespace solvar::records

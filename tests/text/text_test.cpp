#include <gtest/gtest.h>

#include <cerrno>

#include "text/cp1251.h"
#include "text/program_error.h"

namespace solvar::text {
namespace {

TEST(Cp1251, CyrillicRoundTripsAndMissingCharactersBecomeQuestionMarks) {
  const std::string name = "Студент Ёжиков №1";
  const std::string bytes = Utf8ToCp1251(name);
  EXPECT_EQ(bytes.size(), 17u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xD1);  // С
  EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 0xA8);  // Ё
  EXPECT_EQ(static_cast<unsigned char>(bytes[15]), 0xB9);  // №
  EXPECT_EQ(Cp1251ToUtf8(bytes), name);
  EXPECT_EQ(Utf8ToCp1251("日本 ok €"), "?? ok \x88");
  EXPECT_EQ(Utf8ToCp1251("bad \xC3 end \xE2\x82"), "bad ? end ??");
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
}

TEST(StrToInt, TakesSignedDecimalsAndRefusesTheRest) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("-17"), -17);
  EXPECT_EQ(StrToInt("+5"), 5);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  for (const char* bad : {"", "-", "+-5", "12a", " 1", "1 ", "2147483648", "1.5", "~"}) {
    EXPECT_THROW(StrToInt(bad), ConversionError) << bad;
  }
  try {
    StrToInt("\xC0\xE1");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'Аб' is not a valid integer value");
  }
}

TEST(FileError, NamesAMissingFileAndNumbersTheRest) {
  EXPECT_STREQ(FileError(ENOENT).what(), "File not found");
  EXPECT_STREQ(FileError(ENOSPC).what(), ("I/O error " + std::to_string(ENOSPC)).c_str());
}

}  // namespace
}  // namespace solvar::text

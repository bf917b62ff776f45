#include "text/program_error.h"

#include <cerrno>
#include <charconv>

#include "text/cp1251.h"

namespace solvar::text {

namespace {
std::string FileErrorText(int errorNumber) {
  if (errorNumber == ENOENT) return "File not found";
  return "I/O error " + std::to_string(errorNumber);
}
}  // namespace

ConversionError::ConversionError(std::string_view cp1251Text)
    : ProgramError("'" + Cp1251ToUtf8(cp1251Text) + "' is not a valid integer value") {}

FileError::FileError(int errorNumber)
    : ProgramError(FileErrorText(errorNumber)), m_errorNumber(errorNumber) {}

int StrToInt(std::string_view text) {
  std::string_view digits = text;
  const bool plus = !digits.empty() && digits.front() == '+';
  if (plus) digits.remove_prefix(1);
  if (digits.empty() || (plus && digits.front() == '-')) throw ConversionError(text);
  int value = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  if (ec != std::errc() || ptr != end) throw ConversionError(text);
  return value;
}

}  // namespace solvar::text

#include "text/program_error.h"

#include <cerrno>
#include <charconv>

#include "text/cp1251.h"

namespace solvar::text {

namespace {

// The quoted text as a person can read it in a box: every control byte a "?".
std::string Printable(std::string_view cp1251Text) {
  std::string printable(cp1251Text);
  for (char& c : printable) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  return printable;
}

// Built by appending: g++ 12 at -O3 sees a false overlap in the chained "+".
std::string ConversionText(std::string_view cp1251Text) {
  std::string text = "'";
  text += Cp1251ToUtf8(Printable(cp1251Text));
  text += "' is not a valid integer value";
  return text;
}

std::string FileErrorText(int errorNumber) {
  if (errorNumber == ENOENT) return "File not found";
  return "I/O error " + std::to_string(errorNumber);
}
}  // namespace

ConversionError::ConversionError(std::string_view cp1251Text)
    : ProgramError(ConversionText(cp1251Text)) {}

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

#pragma once
// Errors that reach the general handler: each event of the window runs inside
// a guard that shows the error's text in a box and lets the program go on.
// Texts are UTF-8.

#include <stdexcept>
#include <string>
#include <string_view>

namespace solvar::text {

class ProgramError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that does not convert to an integer. Control bytes of the text are
// shown as "?" in the message.
class ConversionError : public ProgramError {
 public:
  explicit ConversionError(std::string_view cp1251Text);
};

// A file that cannot be opened, read or written.
class FileError : public ProgramError {
 public:
  // "File not found" for a missing file, "I/O error N" otherwise.
  explicit FileError(int errorNumber);
  int ErrorNumber() const { return m_errorNumber; }

 private:
  int m_errorNumber;
};

// The integer a text stands for: an optional sign and decimal digits, within
// 32 bits. Anything else raises ConversionError.
int StrToInt(std::string_view cp1251Text);

}  // namespace solvar::text

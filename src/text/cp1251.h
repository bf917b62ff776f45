#pragma once
// Windows-1251, the single-byte Cyrillic code page of everything the program
// writes to a file or sends to its peer. The program's texts are UTF-8; the
// conversion happens here and nowhere else.

#include <string>
#include <string_view>

namespace solvar::text {

// A character that Windows-1251 lacks, or a broken UTF-8 sequence, becomes "?".
std::string Utf8ToCp1251(std::string_view utf8);
// The one undefined byte (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view cp1251);
// Whether the bytes are well-formed UTF-8 throughout.
bool IsValidUtf8(std::string_view text);

}  // namespace solvar::text

#pragma once
// A text the peer sent (chat, a refusal, a goodbye) as the log shows it: one
// line whatever it holds, so that it can never pass for a line of the
// program's own, and short enough to read.

#include <cstddef>
#include <string>
#include <string_view>

namespace solvar::match {

// The longest peer text the log shows whole, in characters.
inline constexpr std::size_t LongestPeerText = 1000;

// Windows-1251 in, UTF-8 out: a line break (CR, LF or CR LF) becomes «¶»,
// any other control character «·», and a text longer than LongestPeerText
// is cut there with «…». Only what is shown is converted.
std::string ShownPeerText(std::string_view cp1251);

}  // namespace solvar::match

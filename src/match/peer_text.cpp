#include "match/peer_text.h"

#include "text/cp1251.h"

namespace solvar::match {

namespace {

// The marks, in Windows-1251.
constexpr char LineBreakMark = '\xB6';  // ¶
constexpr char ControlMark = '\xB7';    // ·
constexpr char CutMark = '\x85';        // …

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

}  // namespace

std::string ShownPeerText(std::string_view cp1251) {
  std::string shown;
  shown.reserve(std::min(cp1251.size(), LongestPeerText + 1));
  for (std::size_t i = 0; i < cp1251.size(); ++i) {
    if (shown.size() == LongestPeerText) {
      shown += CutMark;
      break;
    }
    const char byte = cp1251[i];
    if (byte == '\r' || byte == '\n') {
      if (byte == '\r' && i + 1 < cp1251.size() && cp1251[i + 1] == '\n') ++i;
      shown += LineBreakMark;
    } else {
      shown += IsControl(static_cast<unsigned char>(byte)) ? ControlMark : byte;
    }
  }
  return text::Cp1251ToUtf8(shown);
}

}  // namespace solvar::match

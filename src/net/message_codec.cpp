#include "net/message_codec.h"

#include <array>
#include <cctype>

#include "text/cp1251.h"
#include "text/program_error.h"

namespace solvar::net {

namespace {

constexpr std::array<std::string_view, 9> KnownTags = {TagMe, TagYo, TagPo, TagMs, TagEr,
                                                       TagDs, TagLu, TagWi, TagDr};

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Length of an optionally signed decimal number at the start of text, or 0.
std::size_t NumberLength(std::string_view text) {
  std::size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
  const std::size_t digitsStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i > digitsStart ? i : 0;
}

// Length of a whole pair message ("PO12~7") at the start of text, or 0.
std::size_t PairMessageLength(std::string_view text) {
  if (text.size() < 2) return 0;
  const std::size_t first = NumberLength(text.substr(2));
  if (first == 0 || 2 + first >= text.size() || text[2 + first] != '~') return 0;
  const std::size_t second = NumberLength(text.substr(3 + first));
  return second == 0 ? 0 : 3 + first + second;
}

bool IsPairTag(std::string_view text) {
  return StartsWithTag(text, TagMe) || StartsWithTag(text, TagYo) || StartsWithTag(text, TagPo);
}

// Position of the first known tag at or after `from`, or the whole length.
std::size_t NextKnownTag(std::string_view text, std::size_t from) {
  for (std::size_t i = from; i + 1 < text.size(); ++i) {
    if (StartsWithKnownTag(text.substr(i))) return i;
  }
  return text.size();
}

// Where the first message of a read ends. A text message (chat, refusal,
// notices) runs to the end of the read. A pair message ends after its pair
// when a known tag follows; one whose pair does not read ends where the next
// known tag begins, so that it fails alone. Bytes that start with no known
// tag (the tail of a message cut apart) end where a known tag begins.
std::size_t MessageLength(std::string_view read) {
  if (IsPairTag(read)) {
    const std::size_t pair = PairMessageLength(read);
    if (pair != 0 && pair < read.size() && StartsWithKnownTag(read.substr(pair))) return pair;
    return NextKnownTag(read, 2);
  }
  return StartsWithKnownTag(read) ? read.size() : NextKnownTag(read, 1);
}

}  // namespace

bool StartsWithTag(std::string_view message, std::string_view tag) { return message.substr(0, 2) == tag; }

bool StartsWithKnownTag(std::string_view text) {
  for (const std::string_view tag : KnownTags) {
    if (StartsWithTag(text, tag)) return true;
  }
  return false;
}

std::string_view Payload(std::string_view message) {
  return message.size() > 2 ? message.substr(2) : std::string_view();
}

Pair ParsePair(std::string_view payload) {
  const std::size_t tilde = payload.find('~');
  const std::string_view first = tilde == std::string_view::npos ? std::string_view() : payload.substr(0, tilde);
  const int firstValue = text::StrToInt(first);
  const std::string_view second = tilde == std::string_view::npos ? payload : payload.substr(tilde + 1);
  return Pair{firstValue, text::StrToInt(second)};
}

std::string PairMessage(std::string_view tag, int first, int second) {
  return std::string(tag) + std::to_string(first) + "~" + std::to_string(second);
}

std::string TextMessage(std::string_view tag, std::string_view utf8Text) {
  return std::string(tag) + text::Utf8ToCp1251(utf8Text);
}

std::string StartMessage(bool hostMovesFirst, int fieldWidth, int fieldHeight) {
  return PairMessage(hostMovesFirst ? TagMe : TagYo, fieldWidth, fieldHeight);
}

std::string MoveMessage(int x, int y) { return PairMessage(TagPo, x, y); }

std::string ResultMessage(int own, int rival) {
  return std::string(own > rival ? TagLu : own < rival ? TagWi : TagDr);
}

std::string ChatMessage(std::string_view utf8Text) { return TextMessage(TagMs, utf8Text); }
std::string RefusalMessage() { return TextMessage(TagEr, RefusalText); }
std::string DisconnectMessage() { return TextMessage(TagDs, DisconnectText); }

std::vector<std::string> SplitRead(std::string_view read) {
  std::vector<std::string> messages;
  while (!read.empty()) {
    const std::size_t length = MessageLength(read);
    messages.emplace_back(read.substr(0, length));
    read.remove_prefix(length);
  }
  return messages;
}

bool IsValidIPv4(std::string_view text) {
  int count = 0;
  while (!text.empty()) {
    const std::size_t dot = text.find('.');
    const std::string_view part = dot == std::string_view::npos ? text : text.substr(0, dot);
    const int value = text::StrToInt(part);
    if (value > 255 || value < 0) return false;
    ++count;
    text.remove_prefix(std::min(text.size(), part.size() + 1));
  }
  return count == 4;
}

}  // namespace solvar::net

#pragma once
// The wire protocol between two instances: a two-letter tag followed by its
// payload, Windows-1251 text with no length, terminator or separator. One
// read is one message, except that a pair message (ME, YO, PO) is split from
// a known tag that follows it, and bytes that do not start with a tag from
// the tag after them, so that a move arriving together with other bytes is
// not lost.

#include <string>
#include <string_view>
#include <vector>

namespace solvar::net {

inline constexpr std::string_view TagMe = "ME";  // host moves first; payload W~H
inline constexpr std::string_view TagYo = "YO";  // client moves first; payload W~H
inline constexpr std::string_view TagPo = "PO";  // a move; payload x~y
inline constexpr std::string_view TagMs = "MS";  // chat text
inline constexpr std::string_view TagEr = "ER";  // refusal of a further connection
inline constexpr std::string_view TagDs = "DS";  // disconnect notice
inline constexpr std::string_view TagLu = "LU";  // the sender is ahead
inline constexpr std::string_view TagWi = "WI";  // the sender is behind
inline constexpr std::string_view TagDr = "DR";  // a draw

inline constexpr std::string_view DisconnectText = "Разрыв связи...";
inline constexpr std::string_view RefusalText = "Сервер временно недоступен, либе не в зоне действия Инретнета";

struct Pair {
  int First = 0;
  int Second = 0;
};

bool StartsWithTag(std::string_view message, std::string_view tag);
bool StartsWithKnownTag(std::string_view text);

// Everything from the third byte on.
std::string_view Payload(std::string_view message);

// The first number is the text before the first "~", the second all the text
// after it; either failing to convert raises ConversionError.
Pair ParsePair(std::string_view payload);

std::string PairMessage(std::string_view tag, int first, int second);
// A tag and a UTF-8 text, sent as Windows-1251.
std::string TextMessage(std::string_view tag, std::string_view utf8Text);

// Every message the program sends.
// "ME" when the host moves first, "YO" when the client does, with the host's
// field size.
std::string StartMessage(bool hostMovesFirst, int fieldWidth, int fieldHeight);
std::string MoveMessage(int x, int y);
// The sender's result: "LU" ahead, "WI" behind, "DR" a draw.
std::string ResultMessage(int own, int rival);
std::string ChatMessage(std::string_view utf8Text);
std::string RefusalMessage();
std::string DisconnectMessage();

// The messages one read holds.
std::vector<std::string> SplitRead(std::string_view read);

// The address check of the join command: up to the first dot each part is
// converted (a part that does not convert raises ConversionError) and must
// be 0..255; the text is an address exactly when it has four parts. A single
// dot after the fourth part is accepted.
bool IsValidIPv4(std::string_view text);

}  // namespace solvar::net

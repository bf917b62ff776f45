#pragma once
// The records file and the first line of the position file are scrambled
// byte by byte with a fixed one-byte key.

#include <cstdint>
#include <string>
#include <string_view>

namespace solvar::records {

// 0x13 keeps every byte of 32 or more at 32 or more (it only touches the five
// low bits), so a typed name never scrambles to a line break, and turns no
// digit and no minus sign into one of the separator's characters ",7B".
inline constexpr std::uint8_t RecordsKey = 0x13;

// The same operation scrambles and unscrambles.
std::string ScrambleText(std::string_view text, std::uint8_t key);

}  // namespace solvar::records

#include "records/scramble.h"

namespace solvar::records {

std::string ScrambleText(std::string_view text, std::uint8_t key) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(static_cast<std::uint8_t>(c) ^ key);
  return out;
}

}  // namespace solvar::records

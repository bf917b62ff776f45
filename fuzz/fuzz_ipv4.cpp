// Fuzz target: the address check of the join command. An accepted address
// has four parts of 0..255.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "net/message_codec.h"
#include "text/program_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace solvar;
  const std::string_view address(reinterpret_cast<const char*>(data), size);
  bool valid = false;
  try {
    valid = net::IsValidIPv4(address);
  } catch (const text::ConversionError&) {
    return 0;
  }
  if (!valid) return 0;
  int parts = 0;
  std::string_view rest = address;
  while (!rest.empty()) {
    const std::size_t dot = rest.find('.');
    const int value = text::StrToInt(rest.substr(0, dot));
    if (value < 0 || value > 255) std::abort();
    ++parts;
    rest.remove_prefix(dot == std::string_view::npos ? rest.size() : dot + 1);
  }
  if (parts != 4) std::abort();
  return 0;
}

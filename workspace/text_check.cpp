#include "workspace/text_check.h"

namespace yz {

std::optional<std::size_t> FindMalformedGbk(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    unsigned char b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    if (b == 0x80 || b == 0xFF || i + 1 == n) return i;
    unsigned char t = p[i + 1];
    if (t < 0x40 || t == 0x7F || t == 0xFF) return i;
    i += 2;
  }
  return std::nullopt;
}

}  // namespace yz

#include "services/encoding.h"

#include <cstring>

namespace yz {

// The composite conversions hold the UTF-16 form only for their own duration.
std::string AnsiToUtf8(std::string_view gbk) { return WideToUtf8(AnsiToWide(gbk)); }
AnsiText Utf8ToAnsi(std::string_view utf8) { return WideToAnsi(Utf8ToWide(utf8)); }

AnsiText CopyTextAt(const char* address, int size) {
  if (!address || size < 2) return {};
  // Reads no byte past the limit, like lstrcpynA: the text need not be terminated there.
  const void* zero = std::memchr(address, '\0', static_cast<std::size_t>(size) - 1);
  const std::size_t length = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - address)
                                  : static_cast<std::size_t>(size) - 1;
  return AnsiText(address, length);
}

}  // namespace yz

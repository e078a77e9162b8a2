// Checks on bytes that are about to be shown as GBK text.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace yz {

// The 0-based offset of the first byte that does not begin a well-formed GBK
// character (ASCII, or a lead byte 0x81..0xFE followed by a trail byte
// 0x40..0x7E or 0x80..0xFE), or nothing when all of `bytes` is well-formed.
// 0x80 and 0xFF on their own are not characters.
std::optional<std::size_t> FindMalformedGbk(std::string_view bytes);

}  // namespace yz

// The value types every part of the program shares.
//
// AnsiText  GBK (code page 936) text: ASCII one byte, a double-byte character
//           two bytes (lead byte 0x81..0xFE). Lengths and positions count bytes.
// ByteSeq   a sequence of bytes (the user interface calls it 字节集).
// WideText  UTF-16 code units, no byte-order mark.
#pragma once

#include <string>
#include <string_view>

namespace yz {

using AnsiText = std::string;
using ByteSeq = std::string;
using WideText = std::u16string;

}  // namespace yz

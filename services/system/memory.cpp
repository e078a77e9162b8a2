#include "services/system/memory.h"

namespace yz {

AnsiText PointerToText(std::intptr_t address) {
  if (address == 0) return {};
  return AnsiText(reinterpret_cast<const char*>(address));
}

ByteSeq PointerToBytes(std::intptr_t address, int length) {
  if (address == 0 || length <= 0) return {};
  return ByteSeq(reinterpret_cast<const char*>(address), static_cast<size_t>(length));
}

}  // namespace yz

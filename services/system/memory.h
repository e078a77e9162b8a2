// Raw memory access for calls into the operating system.
//
// Addresses are pointer-sized (std::intptr_t): the program is 64-bit, where
// an address does not fit in a 32-bit int.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "services/text_types.h"

namespace yz {

// The address of a variable's data: a text's or byte sequence's first byte
// (0 when empty), a list's first element (0 when empty), otherwise the
// variable itself.
inline std::intptr_t VariableAddress(const std::string& text) {
  return text.empty() ? 0 : reinterpret_cast<std::intptr_t>(text.data());
}
template <class T>
std::intptr_t VariableAddress(const std::vector<T>& list) {
  return list.empty() ? 0 : reinterpret_cast<std::intptr_t>(list.data());
}
template <class T>
std::intptr_t VariableAddress(const T& variable) {
  return reinterpret_cast<std::intptr_t>(&variable);
}

// A copy of the zero-terminated bytes at `address`; 0 gives empty.
AnsiText PointerToText(std::intptr_t address);
// A copy of `length` bytes at `address`; a length of 0 or less, or address
// 0, gives empty.
ByteSeq PointerToBytes(std::intptr_t address, int length);

}  // namespace yz

// The value kinds that conversions between values, text and bytes know.
//
//   byte std::uint8_t, short std::int16_t, int std::int32_t, long std::int64_t,
//   float, double, logical bool (4 bytes when stored), DateTime, SubroutineAddress,
//   text AnsiText.
#pragma once

#include <cstdint>
#include <variant>

#include "services/text_types.h"

namespace yz {

// An OLE automation date: days since 1899-12-30, the time of day as the
// fraction (for a negative value the fraction still counts forward from
// midnight of its day: −1.25 is 1899-12-29 06:00).
struct DateTime {
  double days = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The address of a routine of the program. The program is 64-bit, so an
// address is pointer-sized: 8 bytes where stored, not 4.
struct SubroutineAddress {
  std::uintptr_t address = 0;
  friend bool operator==(const SubroutineAddress&, const SubroutineAddress&) = default;
};

// Kind codes of BytesValue.
enum class ValueKind : int {
  kByte = 1,
  kShort = 2,
  kInt = 3,
  kLong = 4,
  kFloat = 5,
  kDouble = 6,
  kLogical = 7,
  kDateTime = 8,
  kSubroutineAddress = 9,
  kText = 10,
};

// A value of one of the kinds; std::monostate is no value at all.
using Value = std::variant<std::monostate, std::uint8_t, std::int16_t, std::int32_t, std::int64_t, float,
                           double, bool, DateTime, SubroutineAddress, AnsiText>;

}  // namespace yz

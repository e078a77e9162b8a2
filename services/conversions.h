// Conversions between values, text and bytes.
//
// Text made from a value (the printable kinds): byte "%u"; short, int and long
// in decimal; float "%.6g" (widened to double); double "%.13g"; logical "真" or
// "假"; a DateTime as "%d年%d月%d日" followed by "%d时%d分%d秒" when the seconds
// are non-zero, else "%d时%d分" when the minutes are, else "%d时" when the hour
// is, else nothing; text as itself. Numbers are written as in the C locale,
// whatever the current locale is.
//
// Stored values are little-endian: byte 1, short 2, int 4, long 8, float 4,
// double 8, logical 4, DateTime 8 bytes, and SubroutineAddress 8 bytes: the
// program is 64-bit, so an address is pointer-sized.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "services/text_types.h"
#include "services/value_kinds.h"

namespace yz {

// ---- ToText: the printable-kinds text of a value ----------------------------

AnsiText ToText(std::uint8_t v);
AnsiText ToText(std::int16_t v);
AnsiText ToText(int v);
AnsiText ToText(long v);
AnsiText ToText(long long v);
AnsiText ToText(float v);
AnsiText ToText(double v);
AnsiText ToText(bool v);
// Empty for a date outside the years 100 … 9999 (and for NaN).
AnsiText ToText(DateTime v);
// Text, or the bytes of a ByteSeq, up to (not including) the first zero byte.
AnsiText ToText(std::string_view bytes);
AnsiText ToText(const char* text);
// The value held; std::monostate gives empty, an address its decimal value.
AnsiText ToText(const Value& v);

// ---- ToBytes: the stored bytes of a value ------------------------------------

// A text's bytes (a ByteSeq's bytes unchanged).
ByteSeq ToBytes(std::string_view text);
ByteSeq ToBytes(const char* text);
ByteSeq ToBytes(bool v);  // 4 bytes, 1 or 0
ByteSeq ToBytes(DateTime v);
ByteSeq ToBytes(SubroutineAddress v);
ByteSeq ToBytes(const Value& v);
// A number: its sizeof(T) bytes.
template <class T>
  requires std::is_arithmetic_v<T> && (!std::is_same_v<T, bool>)
ByteSeq ToBytes(T v) {
  ByteSeq out(sizeof v, '\0');
  std::memcpy(out.data(), &v, sizeof v);
  return out;
}

// A list of numbers: the elements' bytes one after another. A list of any
// other kind gives empty.
template <class T>
ByteSeq ToBytes(std::span<const T> list) {
  ByteSeq out;
  if constexpr (std::is_arithmetic_v<T>) {
    out.reserve(list.size() * (std::is_same_v<T, bool> ? 4 : sizeof(T)));
    for (const T& v : list) out += ToBytes(v);
  }
  return out;
}
template <class T>
ByteSeq ToBytes(const std::vector<T>& list) {
  if constexpr (std::is_same_v<T, bool>) {
    ByteSeq out;
    for (bool v : list) out += ToBytes(v);
    return out;
  } else {
    return ToBytes(std::span<const T>(list));
  }
}

// A list of numbers as text: its bytes up to the first zero byte.
template <class T>
AnsiText ToText(std::span<const T> list) {
  return ToText(std::string_view(ToBytes(list)));
}
template <class T>
AnsiText ToText(const std::vector<T>& list) {
  return ToText(std::string_view(ToBytes(list)));
}

// ---- ToNumber, ToInteger ----------------------------------------------------

// Text: ToHalfWidth first, then the C atof reading:
//   space* [+|-] digit* [. digit*] [(e|E) [+|-] digit+]   with a digit somewhere
//   before the exponent; space is " \t\n\v\f\r".
// The reading stops at the first character that does not fit; no digits
// give 0. A value beyond the double range gives ±infinity, one too small for
// it 0.
double ToNumber(std::string_view text);
double ToNumber(const char* text);
double ToNumber(DateTime v);  // 0
template <class T>
  requires std::is_arithmetic_v<T>
double ToNumber(T v) {
  return static_cast<double>(v);
}

// Text: ToHalfWidth first, then the C atoi reading: space* [+|-] digit*,
// stopping at the first other character; no digits give 0. Beyond the int
// range the result is INT_MAX or INT_MIN, as Windows' atoi gives it.
int ToInteger(std::string_view text);
int ToInteger(const char* text);
// A floating value truncated toward zero; NaN and values outside the int range give INT_MIN,
// the x86 conversion's "integer indefinite".
int ToInteger(double v);
int ToInteger(float v);
// An integer of any width: its low 32 bits, so short and byte keep their
// value, long gives its low half and a logical its stored value, 1 or 0.
template <class T>
  requires std::is_integral_v<T>
int ToInteger(T v) {
  return static_cast<int>(static_cast<std::uint32_t>(v));
}
int ToInteger(DateTime v);  // 0

// ---- BytesValue ---------------------------------------------------------------

// Reads a value of `kind` (1 byte, 2 short, 3 int, 4 long, 5 float, 6 double,
// 7 logical, 8 DateTime, 9 SubroutineAddress (8 bytes), 10 text) from `bytes`
// at the 1-based *position (1 when `position` is null).
// - A position below 1 or past the end reads nothing: the value is zero of
//   its kind (empty text for kind 10) and *position is left as it is.
// - Fewer bytes than the kind's width are completed with zero bytes.
// - Kind 10 reads up to the first zero byte (or the end).
// - *position is advanced past the value read (past the terminating zero for
//   text) and set to −1 when that reaches the end.
// A kind outside 1 … 10 is a caller error: it asserts in debug builds; in
// release builds the result is std::monostate and *position is unchanged.
Value BytesValue(std::string_view bytes, int kind, int* position = nullptr);
inline Value BytesValue(std::string_view bytes, ValueKind kind, int* position = nullptr) {
  return BytesValue(bytes, static_cast<int>(kind), position);
}

// ---- MoneyText ----------------------------------------------------------------

// The Chinese written amount of `amount` in 元, 角 and 分, with the traditional
// digits 零壹贰叁肆伍陆柒捌玖 and units 拾佰仟万亿, or with `simplified` the
// digits 零一二三四五六七八九 and units 十百千万亿. The amount is rounded to fen
// (half up); a whole number of 角 ends with 整, a negative amount starts with 负.
// More than 999 999 999 999 999 fen (and NaN) gives "溢出"; zero gives the zero
// digit alone. 1001 gives 壹仟零壹元整, 1.5 壹元伍角整, 0.05 伍分.
AnsiText MoneyText(double amount, bool simplified);

}  // namespace yz

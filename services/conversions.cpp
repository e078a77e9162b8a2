#include "services/conversions.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>

#include "services/text_ops.h"

namespace yz {
namespace {

static_assert(std::endian::native == std::endian::little, "stored values are little-endian");
static_assert(sizeof(SubroutineAddress::address) == sizeof(void*), "an address is pointer-sized");

template <class T>
AnsiText IntegerText(T v) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return AnsiText(buf, res.ptr);
}

// printf's "%.<precision>g" in the C locale.
AnsiText GeneralText(double v, int precision) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, precision);
  return AnsiText(buf, res.ptr);
}

inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct CivilDate {
  int year, month, day;
};

// Proleptic Gregorian date of a day number counted from 1970-01-01.
CivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (month <= 2)), month, day};
}

constexpr long long kOleEpochFromUnixEpoch = -25569;  // 1899-12-30 counted from 1970-01-01
constexpr double kOleFirstDay = -657434;              // 0100-01-01
constexpr double kOleLastDay = 2958465;               // 9999-12-31

template <class T>
T LoadLe(const unsigned char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

}  // namespace

// ---- ToText --------------------------------------------------------------------

AnsiText ToText(std::uint8_t v) { return IntegerText(static_cast<unsigned>(v)); }
AnsiText ToText(std::int16_t v) { return IntegerText(static_cast<int>(v)); }
AnsiText ToText(int v) { return IntegerText(v); }
AnsiText ToText(long v) { return IntegerText(v); }
AnsiText ToText(long long v) { return IntegerText(v); }
AnsiText ToText(float v) { return GeneralText(static_cast<double>(v), 6); }
AnsiText ToText(double v) { return GeneralText(v, 13); }
AnsiText ToText(bool v) { return v ? "真" : "假"; }

AnsiText ToText(DateTime v) {
  if (!(v.days >= kOleFirstDay && v.days < kOleLastDay + 1)) return {};
  // The whole part is the day, the fraction (forward from midnight even for
  // negative values) the time, rounded to the second.
  long long day = static_cast<long long>(std::trunc(v.days));
  long long seconds = std::llround(std::fabs(v.days - static_cast<double>(day)) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    ++day;
  }
  const CivilDate d = CivilFromDays(day + kOleEpochFromUnixEpoch);
  const int hour = static_cast<int>(seconds / 3600), minute = static_cast<int>(seconds / 60 % 60),
            second = static_cast<int>(seconds % 60);
  char buf[96];
  int n = std::snprintf(buf, sizeof buf, "%d年%d月%d日", d.year, d.month, d.day);
  if (second != 0)
    n += std::snprintf(buf + n, sizeof buf - n, "%d时%d分%d秒", hour, minute, second);
  else if (minute != 0)
    n += std::snprintf(buf + n, sizeof buf - n, "%d时%d分", hour, minute);
  else if (hour != 0)
    n += std::snprintf(buf + n, sizeof buf - n, "%d时", hour);
  return AnsiText(buf, static_cast<std::size_t>(n));
}

AnsiText ToText(std::string_view bytes) { return AnsiText(bytes.substr(0, bytes.find('\0'))); }
AnsiText ToText(const char* text) { return text ? AnsiText(text) : AnsiText(); }

AnsiText ToText(const Value& v) {
  return std::visit(
      [](const auto& x) -> AnsiText {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) return {};
        else if constexpr (std::is_same_v<T, SubroutineAddress>) return IntegerText(x.address);
        else if constexpr (std::is_same_v<T, AnsiText>) return ToText(std::string_view(x));
        else return ToText(x);
      },
      v);
}

// ---- ToBytes --------------------------------------------------------------------

ByteSeq ToBytes(std::string_view text) { return ByteSeq(text); }
ByteSeq ToBytes(const char* text) { return text ? ByteSeq(text) : ByteSeq(); }
ByteSeq ToBytes(bool v) { return ToBytes(static_cast<std::int32_t>(v ? 1 : 0)); }
ByteSeq ToBytes(DateTime v) { return ToBytes(v.days); }
ByteSeq ToBytes(SubroutineAddress v) { return ToBytes(v.address); }

ByteSeq ToBytes(const Value& v) {
  return std::visit(
      [](const auto& x) -> ByteSeq {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) return {};
        else if constexpr (std::is_same_v<T, AnsiText>) return ToBytes(std::string_view(x));
        else return ToBytes(x);
      },
      v);
}

// ---- ToNumber, ToInteger ------------------------------------------------------

double ToNumber(std::string_view text) {
  const AnsiText half = ToHalfWidth(text);
  const std::string_view s(half);
  std::size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t begin = i;
  int intDigits = 0, leadingFractionZeros = 0;
  bool anyDigit = false, nonZeroSeen = false;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    anyDigit = true;
    if (s[i] != '0') nonZeroSeen = true;
    if (nonZeroSeen) ++intDigits;
  }
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && IsDigit(s[i]); ++i) {
      anyDigit = true;
      if (s[i] != '0') nonZeroSeen = true;
      if (!nonZeroSeen) ++leadingFractionZeros;
    }
  }
  if (!anyDigit) return 0;
  long long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    bool expNegative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
    if (j < s.size() && IsDigit(s[j])) {
      for (; j < s.size() && IsDigit(s[j]); ++j)
        if (exponent < 100000) exponent = exponent * 10 + (s[j] - '0');
      if (expNegative) exponent = -exponent;
      i = j;
    }
  }
  double v = 0;
  auto res = std::from_chars(s.data() + begin, s.data() + i, v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Decimal exponent of the leading digit decides: far above or below.
    const long long magnitude = exponent + (intDigits > 0 ? intDigits : -leadingFractionZeros);
    v = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (res.ec != std::errc()) {
    v = 0;
  }
  return negative ? -v : v;
}

double ToNumber(const char* text) { return text ? ToNumber(std::string_view(text)) : 0.0; }
double ToNumber(DateTime) { return 0; }

int ToInteger(std::string_view text) {
  const AnsiText half = ToHalfWidth(text);
  const std::string_view s(half);
  std::size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long v = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) v = -v;
  if (v > INT_MAX) return INT_MAX;
  return static_cast<int>(v);
}

int ToInteger(const char* text) { return text ? ToInteger(std::string_view(text)) : 0; }

int ToInteger(double v) {
  if (!(v > -2147483649.0 && v < 2147483648.0)) return INT_MIN;
  return static_cast<int>(v);
}

int ToInteger(float v) { return ToInteger(static_cast<double>(v)); }
int ToInteger(DateTime) { return 0; }

// ---- BytesValue ---------------------------------------------------------------

Value BytesValue(std::string_view bytes, int kind, int* position) {
  // A kind code outside 1 … 10 is the caller's fault, never the user's: it
  // stops a debug build here, and a release build gets no value.
  assert(kind >= 1 && kind <= 10 && "BytesValue: kind code outside 1 ... 10");
  if (kind < 1 || kind > 10) return std::monostate{};

  const int start = position ? *position : 1;
  const bool readable = start >= 1 && static_cast<std::size_t>(start) <= bytes.size();
  const std::string_view rest = readable ? bytes.substr(static_cast<std::size_t>(start) - 1) : std::string_view();

  std::size_t consumed = 0;
  Value out;
  if (static_cast<ValueKind>(kind) == ValueKind::kText) {
    const std::size_t zero = rest.find('\0');
    out = AnsiText(rest.substr(0, zero));
    consumed = zero == std::string_view::npos ? rest.size() : zero + 1;
  } else {
    static constexpr std::size_t kWidth[] = {0, 1, 2, 4, 8, 4, 8, 4, 8, sizeof(std::uintptr_t)};
    const std::size_t width = kWidth[kind];
    unsigned char buf[8] = {};
    if (!rest.empty()) std::memcpy(buf, rest.data(), std::min(width, rest.size()));
    consumed = width;
    switch (static_cast<ValueKind>(kind)) {
      case ValueKind::kByte: out = buf[0]; break;
      case ValueKind::kShort: out = LoadLe<std::int16_t>(buf); break;
      case ValueKind::kInt: out = LoadLe<std::int32_t>(buf); break;
      case ValueKind::kLong: out = LoadLe<std::int64_t>(buf); break;
      case ValueKind::kFloat: out = LoadLe<float>(buf); break;
      case ValueKind::kDouble: out = LoadLe<double>(buf); break;
      case ValueKind::kLogical: out = LoadLe<std::int32_t>(buf) != 0; break;
      case ValueKind::kDateTime: out = DateTime{LoadLe<double>(buf)}; break;
      case ValueKind::kSubroutineAddress: out = SubroutineAddress{LoadLe<std::uintptr_t>(buf)}; break;
      case ValueKind::kText: break;
    }
  }
  if (position && readable) {
    const std::size_t next = static_cast<std::size_t>(start) + consumed;
    *position = next > bytes.size() ? -1 : static_cast<int>(next);
  }
  return out;
}

// ---- MoneyText ------------------------------------------------------------------

AnsiText MoneyText(double amount, bool simplified) {
  // Two-byte GBK characters, indexed by digit and by unit.
  static constexpr std::string_view kTraditionalDigits = "零壹贰叁肆伍陆柒捌玖";
  static constexpr std::string_view kSimplifiedDigits = "零一二三四五六七八九";
  static constexpr std::string_view kTraditionalUnits = "拾佰仟万拾佰仟亿拾佰仟万";
  static constexpr std::string_view kSimplifiedUnits = "十百千万十百千亿十百千万";
  const std::string_view digits = simplified ? kSimplifiedDigits : kTraditionalDigits;
  const std::string_view units = simplified ? kSimplifiedUnits : kTraditionalUnits;
  auto digit = [&](int d) { return digits.substr(2 * static_cast<std::size_t>(d), 2); };
  auto unit = [&](int k) { return units.substr(2 * static_cast<std::size_t>(k), 2); };

  const bool negative = amount < 0;
  const double c = std::fabs(amount) * 100 + 1e-12;
  double fen = std::floor(c);
  if (c - fen >= 0.5) fen += 1;
  if (!(fen <= 999999999999999.0)) return "溢出";
  long long n = static_cast<long long>(fen);
  if (n == 0) return AnsiText(digit(0));

  // Built from the right: each piece goes in front of what is there.
  AnsiText text;
  auto put = [&](std::string_view piece) { text.insert(0, piece); };
  if (n % 10 == 0) put("整");
  int state = 0;
  bool yuanWritten = false, groupWritten = false;
  for (int i = 0; n > 0; ++i, n /= 10) {
    const int d = static_cast<int>(n % 10);
    if (i == 6 || i == 10) groupWritten = false;
    if (d == 0) {
      if (state == 2) {
        put(digit(0));
        state = 1;
      }
      continue;
    }
    state = 2;
    if (i == 0) {
      put("分");
      put(digit(d));
      continue;
    }
    if (i == 1) {
      put("角");
      put(digit(d));
      continue;
    }
    if (!yuanWritten) {
      put("元");
      yuanWritten = true;
    }
    if (!groupWritten && i >= 6) {
      // At i = 6 and i = 10 the unit of the position itself is 万 or 亿.
      if (i >= 7 && i <= 9) put("万");
      else if (i >= 11) put("亿");
      groupWritten = true;
    }
    if (i >= 3) put(unit(i - 3));
    put(digit(d));
  }
  if (negative) put("负");
  return text;
}

}  // namespace yz

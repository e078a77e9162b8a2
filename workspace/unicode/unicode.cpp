#include "workspace/unicode/unicode.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "services/encoding.h"

namespace yz::unicode {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Every byte as two hexadecimal digits.
constexpr auto kPairs = [] {
  std::array<std::array<char, 2>, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = {kHexDigits[b >> 4], kHexDigits[b & 15]};
  return t;
}();

// The value of each ASCII hexadecimal digit; -1 for every other code unit.
constexpr auto kHexValues = [] {
  std::array<int8_t, 128> t{};
  t.fill(-1);
  for (int d = 0; d < 10; ++d) t['0' + d] = static_cast<int8_t>(d);
  for (int d = 0; d < 6; ++d) t['A' + d] = t['a' + d] = static_cast<int8_t>(10 + d);
  return t;
}();

int HexValue(char16_t u) { return u < 128 ? kHexValues[u] : -1; }

bool IsSpace(char16_t u) { return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n'; }

bool Lower(char16_t u, char16_t lower) { return u == lower || u == lower - (u'a' - u'A'); }

// A piece of the input for a message, in GBK.
std::string Quoted(std::u16string_view piece) { return "“" + WideToAnsi(piece) + "”"; }

std::string At(std::size_t i) { return "第" + std::to_string(i + 1) + "个字符"; }

void AppendCodePoint(uint32_t cp, WideText& out) {
  if (cp >= 0x10000) {
    out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

}  // namespace

void EncodeTo(std::u16string_view text, std::string& out) {
  out.resize(text.size() * 4);
  char* dst = out.data();
  for (char16_t u : text) {
    std::memcpy(dst, kPairs[u >> 8].data(), 2);
    std::memcpy(dst + 2, kPairs[u & 0xFF].data(), 2);
    dst += 4;
  }
}

std::string Encode(std::u16string_view text) {
  std::string out;
  EncodeTo(text, out);
  return out;
}

Conversion<WideText> Decode(std::u16string_view written) {
  WideText out;
  if (auto error = DecodeTo(written, out)) return Conversion<WideText>::Failure(error->position, std::move(error->message));
  return Conversion<WideText>::Success(std::move(out));
}

std::optional<ConversionError> DecodeTo(std::u16string_view w, WideText& out) {
  const std::size_t n = w.size();
  out.clear();
  auto fail = [&](std::size_t i, std::string message) {
    out.clear();
    return std::optional<ConversionError>(ConversionError{i + 1, std::move(message)});
  };
  // The number of hexadecimal digits from `i`, at most `most`.
  auto hexRun = [&](std::size_t i, std::size_t most) {
    std::size_t k = 0;
    while (i + k < n && k < most && HexValue(w[i + k]) >= 0) ++k;
    return k;
  };
  auto value = [&](std::size_t i, std::size_t count) {
    uint32_t v = 0;
    for (std::size_t k = 0; k < count; ++k) v = v << 4 | static_cast<uint32_t>(HexValue(w[i + k]));
    return v;
  };

  std::size_t i = 0;
  while (i < n) {
    // The bare form, the bulk of what this page reads: four digits a unit.
    while (i + 4 <= n) {
      const int a = HexValue(w[i]), b = HexValue(w[i + 1]), c = HexValue(w[i + 2]), d = HexValue(w[i + 3]);
      if ((a | b | c | d) < 0) break;
      out.push_back(static_cast<char16_t>(a << 12 | b << 8 | c << 4 | d));
      i += 4;
    }
    if (i == n) break;
    const char16_t u = w[i];
    if (IsSpace(u)) {
      ++i;
      continue;
    }
    const char16_t next = i + 1 < n ? w[i + 1] : u'\0';

    // "\u" and "%u": one code unit.
    if ((u == u'\\' || u == u'%') && Lower(next, u'u')) {
      if (hexRun(i + 2, 4) < 4) {
        return fail(i, At(i) + "起的" + Quoted(w.substr(i, 2 + hexRun(i + 2, 4))) + "之后应有4位十六进制数字");
      }
      out.push_back(static_cast<char16_t>(value(i + 2, 4)));
      i += 6;
      continue;
    }
    // "U+": one code point, four to six digits.
    if (Lower(u, u'u') && next == u'+') {
      const std::size_t digits = hexRun(i + 2, 7);
      if (digits < 4 || digits > 6) {
        return fail(i, At(i) + "起的" + Quoted(w.substr(i, 2 + digits)) + "之后应有4到6位十六进制数字");
      }
      const uint32_t cp = value(i + 2, digits);
      if (cp > 0x10FFFF) return fail(i, At(i) + "起的" + Quoted(w.substr(i, 2 + digits)) + "超出了Unicode的范围（最大为U+10FFFF）");
      AppendCodePoint(cp, out);
      i += 2 + digits;
      continue;
    }
    // "&#x" hexadecimal or "&#" decimal: one code point, as HTML writes it.
    if (u == u'&' && next == u'#') {
      const bool hex = i + 2 < n && Lower(w[i + 2], u'x');
      const std::size_t from = i + (hex ? 3 : 2);
      std::size_t digits = 0;
      uint32_t cp = 0;
      if (hex) {
        digits = hexRun(from, 7);
        if (digits >= 1 && digits <= 6) cp = value(from, digits);
      } else {
        while (from + digits < n && digits < 8 && w[from + digits] >= u'0' && w[from + digits] <= u'9') {
          cp = cp * 10 + (w[from + digits] - u'0');
          ++digits;
        }
      }
      std::size_t end = from + digits;
      const bool semicolon = end < n && w[end] == u';';
      if (digits == 0 || digits > (hex ? 6u : 7u) || (!hex && !semicolon)) {
        return fail(i, At(i) + "起的" + Quoted(w.substr(i, end - i)) +
                           (hex ? "之后应有1到6位十六进制数字" : "之后应有十进制数字和“;”"));
      }
      if (semicolon) ++end;
      if (cp > 0x10FFFF) return fail(i, At(i) + "起的" + Quoted(w.substr(i, end - i)) + "超出了Unicode的范围（最大为U+10FFFF）");
      AppendCodePoint(cp, out);
      i = end;
      continue;
    }
    // Bare digits: four to a code unit.
    if (HexValue(u) >= 0) {
      std::size_t run = hexRun(i, n);
      for (; run >= 4; run -= 4, i += 4) out.push_back(static_cast<char16_t>(value(i, 4)));
      if (run > 0) {
        return fail(i, At(i) + "起的" + Quoted(w.substr(i, run)) + "不足4位：每个编码单元应写作4位十六进制数字");
      }
      continue;
    }
    return fail(i, At(i) + Quoted(w.substr(i, 1 + (u >= 0xD800 && u <= 0xDBFF && i + 1 < n))) +
                       "不是十六进制数字，也不是可识别的前缀（\\u、%u、U+、&#x）");
  }
  return std::nullopt;
}

}  // namespace yz::unicode

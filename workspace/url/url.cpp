#include "workspace/url/url.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "services/encoding.h"

namespace yz::url {
namespace {

// The characters that are always encoded, in the order the page lists them.
constexpr std::string_view kAlwaysEncoded = "`~!@#$%^&*()-_=+[{]};:'\\|,<.>/?\"\r\n";
static_assert(kAlwaysEncoded.size() == 34);

constexpr char kHexDigits[] = "0123456789ABCDEF";

static_assert(std::endian::native == std::endian::little, "kEscapes is laid out for little-endian stores");

// What each byte becomes: bytes 0-2 of the entry hold its text ("%XX", or the
// byte itself), byte 3 its length. The encoder copies four bytes and moves on
// by the length.
constexpr auto kEscapes = [] {
  std::array<uint32_t, 256> t{};
  for (unsigned b = 0; b < 256; ++b) {
    bool encoded = b <= 0x20 || b >= 0x7F || kAlwaysEncoded.find(static_cast<char>(b)) != std::string_view::npos;
    if (encoded) {
      t[b] = uint32_t{'%'} | uint32_t(kHexDigits[b >> 4]) << 8 | uint32_t(kHexDigits[b & 15]) << 16 | 3u << 24;
    } else {
      t[b] = b | 1u << 24;
    }
  }
  return t;
}();

// The value of a hexadecimal digit of either case; -1 for every other byte.
constexpr auto kHexValues = [] {
  std::array<int8_t, 256> t{};
  t.fill(-1);
  for (int d = 0; d < 10; ++d) t['0' + d] = static_cast<int8_t>(d);
  for (int d = 0; d < 6; ++d) {
    t['A' + d] = static_cast<int8_t>(10 + d);
    t['a' + d] = static_cast<int8_t>(10 + d);
  }
  return t;
}();

int HexValue(char16_t u) { return u < 0x80 ? kHexValues[u] : -1; }

// Writes the escapes of bytes [src, src + n) at dst; returns the end.
char* WriteEscapes(const unsigned char* src, std::size_t n, char* dst, char* end) {
  std::size_t i = 0;
  // Four-byte copies while the output has room for them.
  for (; i < n && end - dst >= 4; ++i) {
    uint32_t e = kEscapes[src[i]];
    std::memcpy(dst, &e, 4);
    dst += e >> 24;
  }
  for (; i < n; ++i) {
    uint32_t e = kEscapes[src[i]];
    for (uint32_t k = 0; k < (e >> 24); ++k) *dst++ = static_cast<char>(e >> (8 * k));
  }
  return dst;
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Writes the escape of a byte from 0x80 up (always escaped).
char* WriteHighByte(uint32_t b, char* dst) {
  dst[0] = '%';
  dst[1] = kHexDigits[b >> 4];
  dst[2] = kHexDigits[b & 15];
  return dst + 3;
}

}  // namespace

void EncodeTo(std::string_view bytes, std::string& out) {
  const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t size = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) size += kEscapes[src[i]] >> 24;
  out.resize(size);
  WriteEscapes(src, bytes.size(), out.data(), out.data() + size);
}

std::string Encode(std::string_view bytes) {
  std::string out;
  EncodeTo(bytes, out);
  return out;
}

void DecodeTo(std::string_view text, ByteSeq& out) {
  const std::size_t n = text.size();
  out.resize(n);
  const auto* src = reinterpret_cast<const unsigned char*>(text.data());
  auto* dst = reinterpret_cast<unsigned char*>(out.data());
  std::size_t i = 0;
  // Without branches on the data: escapes and plain bytes mix at random in
  // real text, which no branch predictor follows.
  for (; i + 2 < n; ++dst) {
    const unsigned char c = src[i];
    const int hi = kHexValues[src[i + 1]], lo = kHexValues[src[i + 2]];
    const bool escape = c == '%' && (hi | lo) >= 0;
    const unsigned char plain = c == '+' ? ' ' : c;
    *dst = escape ? static_cast<unsigned char>(hi << 4 | lo) : plain;
    i += escape ? 3 : 1;
  }
  // The last two bytes cannot start an escape.
  for (; i < n; ++i) *dst++ = src[i] == '+' ? ' ' : src[i];
  out.resize(static_cast<std::size_t>(dst - reinterpret_cast<unsigned char*>(out.data())));
}

ByteSeq Decode(std::string_view text) {
  ByteSeq out;
  DecodeTo(text, out);
  return out;
}

void EncodeUtf8To(std::u16string_view text, std::string& out, bool* lossy) {
  if (lossy) *lossy = false;
  const std::size_t n = text.size();
  // Every byte of a character beyond ASCII is escaped: three characters a
  // UTF-8 byte, so 6 below U+0800, 9 to U+FFFF (and for U+FFFD in place of
  // a lone surrogate), 12 for a surrogate pair.
  std::size_t size = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t u = text[i];
    if (u < 0x80) {
      size += kEscapes[u] >> 24;
    } else if (u < 0x800) {
      size += 6;
    } else if (IsHighSurrogate(u) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
      size += 12;
      ++i;
    } else {
      size += 9;
    }
  }
  out.resize(size);
  char* dst = out.data();
  char* const end = dst + size;
  for (std::size_t i = 0; i < n; ++i) {
    uint32_t cp = text[i];
    if (cp < 0x80) {
      const uint32_t e = kEscapes[cp];
      if (end - dst >= 4) {
        std::memcpy(dst, &e, 4);
        dst += e >> 24;
      } else {
        for (uint32_t k = 0; k < (e >> 24); ++k) *dst++ = static_cast<char>(e >> (8 * k));
      }
      continue;
    }
    if (cp < 0x800) {
      dst = WriteHighByte(0xC0 | cp >> 6, dst);
      dst = WriteHighByte(0x80 | (cp & 0x3F), dst);
      continue;
    }
    if (IsHighSurrogate(static_cast<char16_t>(cp)) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00u);
      dst = WriteHighByte(0xF0 | cp >> 18, dst);
      dst = WriteHighByte(0x80 | (cp >> 12 & 0x3F), dst);
      dst = WriteHighByte(0x80 | (cp >> 6 & 0x3F), dst);
      dst = WriteHighByte(0x80 | (cp & 0x3F), dst);
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDFFF) {
      // A lone surrogate is no character and has no UTF-8 form.
      cp = 0xFFFD;
      if (lossy) *lossy = true;
    }
    dst = WriteHighByte(0xE0 | cp >> 12, dst);
    dst = WriteHighByte(0x80 | (cp >> 6 & 0x3F), dst);
    dst = WriteHighByte(0x80 | (cp & 0x3F), dst);
  }
}

std::string EncodeUtf8(std::u16string_view text, bool* lossy) {
  std::string out;
  EncodeUtf8To(text, out, lossy);
  return out;
}

Conversion<WideText> DecodeUtf8(std::u16string_view text) {
  WideText out;
  if (auto error = DecodeUtf8To(text, out)) return Conversion<WideText>::Failure(error->position, std::move(error->message));
  return Conversion<WideText>::Success(std::move(out));
}

std::optional<ConversionError> DecodeUtf8To(std::u16string_view text, WideText& out) {
  const std::size_t n = text.size();
  out.resize(n);  // never more units than the text has
  char16_t* dst = out.data();

  int need = 0;             // continuation bytes still to come
  uint32_t cp = 0;          // the code point so far
  unsigned lo = 0x80, hi = 0xBF;  // the range the next continuation byte must lie in
  std::size_t start = 0;    // where the current sequence began in `text`

  auto fail = [&](std::size_t from, std::size_t to, const char* what) {
    out.clear();
    AnsiText piece = WideToAnsi(text.substr(from, to - from));
    return std::optional<ConversionError>(
        ConversionError{from + 1, "第" + std::to_string(from + 1) + "个字符起的“" + piece + "”" + what});
  };
  constexpr const char* kCutShort = "不是完整的UTF-8字符";
  constexpr const char* kInvalid = "不是有效的UTF-8编码";

  std::size_t i = 0;
  while (i < n) {
    char16_t u = text[i];
    std::size_t next = i + 1;
    unsigned byte;
    if (u == u'%' && i + 2 < n && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      byte = static_cast<unsigned>(HexValue(text[i + 1]) << 4 | HexValue(text[i + 2]));
      next = i + 3;
    } else if (u == u'+') {
      byte = ' ';
    } else if (u < 0x80) {
      byte = u;
    } else {
      // A character written as it is: already text, kept whole (a lone
      // surrogate too: it is a code unit the user wrote).
      if (need > 0) return fail(start, i, kCutShort);
      *dst++ = u;
      i = next;
      continue;
    }

    if (need == 0) {
      start = i;
      lo = 0x80;
      hi = 0xBF;
      if (byte < 0x80) {
        *dst++ = static_cast<char16_t>(byte);
      } else if (byte >= 0xC2 && byte <= 0xDF) {
        need = 1;
        cp = byte & 0x1F;
      } else if (byte >= 0xE0 && byte <= 0xEF) {
        need = 2;
        cp = byte & 0x0F;
        if (byte == 0xE0) lo = 0xA0;  // overlong below U+0800
        if (byte == 0xED) hi = 0x9F;  // surrogates U+D800-DFFF
      } else if (byte >= 0xF0 && byte <= 0xF4) {
        need = 3;
        cp = byte & 0x07;
        if (byte == 0xF0) lo = 0x90;  // overlong below U+10000
        if (byte == 0xF4) hi = 0x8F;  // beyond U+10FFFF
      } else {
        return fail(i, next, kInvalid);  // stray continuation byte, C0, C1, F5-FF
      }
    } else if (byte < 0x80 || byte > 0xBF) {
      return fail(start, i, kCutShort);
    } else if (byte < lo || byte > hi) {
      return fail(start, next, kInvalid);
    } else {
      cp = cp << 6 | (byte & 0x3F);
      lo = 0x80;
      hi = 0xBF;
      if (--need == 0) {
        if (cp >= 0x10000) {
          *dst++ = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
          *dst++ = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
          *dst++ = static_cast<char16_t>(cp);
        }
      }
    }
    i = next;
  }
  if (need > 0) return fail(start, n, kCutShort);
  out.resize(static_cast<std::size_t>(dst - out.data()));
  return std::nullopt;
}

}  // namespace yz::url

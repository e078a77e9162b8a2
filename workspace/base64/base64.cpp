#include "workspace/base64/base64.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace yz::base64 {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Every pair of 6-bit values (12 bits of input) as its two characters, so the
// encoder writes two characters per lookup.
constexpr auto kPairs = [] {
  std::array<std::array<char, 2>, 4096> pairs{};
  for (int i = 0; i < 4096; ++i) pairs[i] = {kAlphabet[i >> 6], kAlphabet[i & 63]};
  return pairs;
}();

constexpr int8_t X = -1;  // refused
constexpr int8_t W = -2;  // white space, skipped
constexpr int8_t P = -3;  // padding "="

// The value of each byte as a Base64 character.
constexpr std::array<int8_t, 256> kValues = {
    X, X, X, X, X, X, X, X, X, W, W, X, X, W, X, X,                   // 00-0F: HT LF CR
    X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X,                   // 10-1F
    W, X, X, X, X, X, X, X, X, X, X, 62, X, 62, X, 63,                // 20-2F: SP + - /
    52, 53, 54, 55, 56, 57, 58, 59, 60, 61, X, X, X, P, X, X,         // 30-3F: 0-9 =
    X, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14,              // 40-4F: A-O
    15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, X, X, X, X, 63,       // 50-5F: P-Z _
    X, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40,    // 60-6F: a-o
    41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, X, X, X, X, X,        // 70-7F: p-z
    X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X,                   // 80-8F
    X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X,                   // 90-9F
    X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X,                   // A0-AF
    X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X,                   // B0-BF
    X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X,                   // C0-CF
    X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X,                   // D0-DF
    X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X,                   // E0-EF
    X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X,                   // F0-FF
};

// The fast decoder looks up the four characters of a quantum in four tables
// that place each value's bits where they land in the three output bytes
// (byte 0 in bits 0-7, byte 1 in 8-15, byte 2 in 16-23); anything but a data
// character sets kNotData, so one OR of the four tells a clean quantum.
constexpr uint32_t kNotData = 1u << 24;

template <int Place>
constexpr std::array<uint32_t, 256> PlaceTable() {
  std::array<uint32_t, 256> t{};
  for (int c = 0; c < 256; ++c) {
    int v = kValues[c];
    if (v < 0) {
      t[c] = kNotData;
      continue;
    }
    uint32_t u = static_cast<uint32_t>(v);
    if (Place == 0) t[c] = u << 2;
    if (Place == 1) t[c] = (u >> 4) | ((u & 15) << 12);
    if (Place == 2) t[c] = ((u >> 2) << 8) | ((u & 3) << 22);
    if (Place == 3) t[c] = u << 16;
  }
  return t;
}
constexpr auto kPlace0 = PlaceTable<0>();
constexpr auto kPlace1 = PlaceTable<1>();
constexpr auto kPlace2 = PlaceTable<2>();
constexpr auto kPlace3 = PlaceTable<3>();

// "“X”" for the character that starts at `i` (a GBK double-byte character
// whole), or "（0xNN）" for a byte that does not show as a character.
std::string Shown(std::string_view text, std::size_t i) {
  auto c = static_cast<unsigned char>(text[i]);
  if (c >= 0x20 && c < 0x7F) return "“" + std::string(1, static_cast<char>(c)) + "”";
  if (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) {
    auto t = static_cast<unsigned char>(text[i + 1]);
    if (t >= 0x40 && t <= 0xFE && t != 0x7F) return "“" + std::string(text.substr(i, 2)) + "”";
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  return std::string("（0x") + kHex[c >> 4] + kHex[c & 15] + "）";
}

std::string At(std::size_t i) { return "第" + std::to_string(i + 1) + "个字节"; }

ConversionError Fault(std::size_t i, std::string message) { return {i + 1, std::move(message)}; }

}  // namespace

void EncodeTo(std::string_view bytes, std::string& out) {
  const std::size_t n = bytes.size();
  out.resize(EncodedSize(n));
  const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  char* dst = out.data();
  std::size_t i = 0;
  // Six bytes a step from one eight-byte load (while eight can be read):
  // four 12-bit indices, four pairs, one eight-byte store.
  auto six = [&](std::size_t at, char* to) {
    uint64_t w = 0;
    for (int k = 0; k < 8; ++k) w = w << 8 | src[at + k];  // big-endian load; compiles to one
    uint16_t p[4];
    std::memcpy(&p[0], kPairs[w >> 52].data(), 2);
    std::memcpy(&p[1], kPairs[w >> 40 & 0xFFF].data(), 2);
    std::memcpy(&p[2], kPairs[w >> 28 & 0xFFF].data(), 2);
    std::memcpy(&p[3], kPairs[w >> 16 & 0xFFF].data(), 2);
    std::memcpy(to, p, 8);
  };
  for (; i + 26 <= n; i += 24, dst += 32) {
    six(i, dst);
    six(i + 6, dst + 8);
    six(i + 12, dst + 16);
    six(i + 18, dst + 24);
  }
  for (; i + 8 <= n; i += 6, dst += 8) six(i, dst);
  for (; i + 3 <= n; i += 3, dst += 4) {
    uint32_t v = uint32_t{src[i]} << 16 | uint32_t{src[i + 1]} << 8 | src[i + 2];
    std::memcpy(dst, kPairs[v >> 12].data(), 2);
    std::memcpy(dst + 2, kPairs[v & 0xFFF].data(), 2);
  }
  if (n - i == 1) {
    uint32_t v = uint32_t{src[i]} << 4;
    std::memcpy(dst, kPairs[v].data(), 2);
    dst[2] = dst[3] = '=';
  } else if (n - i == 2) {
    uint32_t v = uint32_t{src[i]} << 10 | uint32_t{src[i + 1]} << 2;
    std::memcpy(dst, kPairs[v >> 6].data(), 2);
    dst[2] = kAlphabet[v & 63];
    dst[3] = '=';
  }
}

std::string Encode(std::string_view bytes) {
  std::string out;
  EncodeTo(bytes, out);
  return out;
}

std::optional<ConversionError> DecodeTo(std::string_view text, ByteSeq& out) {
  const std::size_t n = text.size();
  out.resize(n / 4 * 3 + 3);
  const auto* src = reinterpret_cast<const unsigned char*>(text.data());
  auto* dst = reinterpret_cast<unsigned char*>(out.data());
  std::size_t o = 0;

  auto fail = [&](ConversionError e) {
    out.clear();
    return std::optional<ConversionError>(std::move(e));
  };

  uint32_t acc = 0;     // the values of the current quantum so far
  int count = 0;        // how many of them
  std::size_t last = 0; // index of the last data character
  std::size_t i = 0;
  bool padded = false;
  while (i < n) {
    if (count == 0) {
      // Whole quanta of four data characters, the bulk of any real input.
      while (i + 4 <= n) {
        uint32_t w = kPlace0[src[i]] | kPlace1[src[i + 1]] | kPlace2[src[i + 2]] | kPlace3[src[i + 3]];
        if (w & kNotData) break;
        dst[o] = static_cast<unsigned char>(w);
        dst[o + 1] = static_cast<unsigned char>(w >> 8);
        dst[o + 2] = static_cast<unsigned char>(w >> 16);
        o += 3;
        i += 4;
      }
      if (i == n) break;
    }
    int v = kValues[src[i]];
    if (v >= 0) {
      acc = acc << 6 | static_cast<uint32_t>(v);
      last = i;
      if (++count == 4) {
        dst[o] = static_cast<unsigned char>(acc >> 16);
        dst[o + 1] = static_cast<unsigned char>(acc >> 8);
        dst[o + 2] = static_cast<unsigned char>(acc);
        o += 3;
        acc = 0;
        count = 0;
      }
    } else if (v == P) {
      if (count < 2) {
        return fail(Fault(i, At(i) + "的填充符“=”位置不对：它只能出现在每组四个字符的第3或第4位"));
      }
      padded = true;
      break;
    } else if (v != W) {
      return fail(Fault(i, At(i) + Shown(text, i) + "不是有效的BASE64字符"));
    }
    ++i;
  }

  if (padded) {
    // After the padding only white space and, for a quantum of two, the
    // second "=" may follow.
    int pads = 1;
    for (++i; i < n; ++i) {
      int v = kValues[src[i]];
      if (v == W) continue;
      if (v == P && count + pads < 4) {
        ++pads;
        continue;
      }
      if (v == X) return fail(Fault(i, At(i) + Shown(text, i) + "不是有效的BASE64字符"));
      return fail(Fault(i, At(i) + Shown(text, i) + "在填充符“=”之后：填充符只能出现在末尾"));
    }
  }

  switch (count) {
    case 1:
      return fail(Fault(last, At(last) + Shown(text, last) +
                                  "是最后一组中唯一的字符，BASE64文本不完整（可能被截断）"));
    case 2:
      if (acc & 0xF) {
        return fail(Fault(last, At(last) + Shown(text, last) + "的末尾位不为零，BASE64文本不完整或已损坏"));
      }
      dst[o++] = static_cast<unsigned char>(acc >> 4);
      break;
    case 3:
      if (acc & 0x3) {
        return fail(Fault(last, At(last) + Shown(text, last) + "的末尾位不为零，BASE64文本不完整或已损坏"));
      }
      dst[o++] = static_cast<unsigned char>(acc >> 10);
      dst[o++] = static_cast<unsigned char>(acc >> 2);
      break;
    default:
      break;
  }
  out.resize(o);
  return std::nullopt;
}

Conversion<ByteSeq> Decode(std::string_view text) {
  ByteSeq bytes;
  if (auto error = DecodeTo(text, bytes)) return Conversion<ByteSeq>::Failure(error->position, std::move(error->message));
  return Conversion<ByteSeq>::Success(std::move(bytes));
}

}  // namespace yz::base64

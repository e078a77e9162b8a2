#include "workspace/byteset/byteset.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace yz::byteset {
namespace {

constexpr std::string_view kOpen = "{";
constexpr std::string_view kClose = "}";
constexpr std::string_view kOpenWrapped = "到文本({";
constexpr std::string_view kCloseWrapped = "})";
constexpr std::string_view kCall = "到文本";

static_assert(std::endian::native == std::endian::little, "the tables below are laid out for little-endian stores");

// Every byte as its decimal digits followed by ",": the text in the low four
// bytes (little-endian order, padded), its length in the fifth. The encoder
// copies a fixed four bytes and moves on by the length.
constexpr auto kDecimals = [] {
  std::array<uint64_t, 256> t{};
  for (int b = 0; b < 256; ++b) {
    char text[4] = {0, 0, 0, 0};
    int n = 0;
    if (b >= 100) text[n++] = static_cast<char>('0' + b / 100);
    if (b >= 10) text[n++] = static_cast<char>('0' + b / 10 % 10);
    text[n++] = static_cast<char>('0' + b % 10);
    text[n++] = ',';
    uint64_t e = static_cast<uint64_t>(n) << 32;
    for (int k = 0; k < 4; ++k) e |= uint64_t{static_cast<unsigned char>(text[k])} << (8 * k);
    t[b] = e;
  }
  return t;
}();

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::size_t SkipSpace(std::string_view t, std::size_t i) {
  while (i < t.size() && IsSpace(t[i])) ++i;
  return i;
}

// The offending piece of the notation in quotes, cut after 20 bytes (never
// inside a GBK double-byte character) so a long run of junk stays readable.
std::string Quoted(std::string_view piece) {
  constexpr std::size_t kShown = 20;
  std::size_t cut = 0;
  while (cut < piece.size() && cut < kShown) {
    cut += static_cast<unsigned char>(piece[cut]) >= 0x81 && cut + 1 < piece.size() ? 2 : 1;
  }
  std::string q = "“" + std::string(piece.substr(0, cut));
  if (cut < piece.size()) q += "…";
  return q + "”";
}

// The character that starts at `i`, quoted, or "文本末尾" at the end.
std::string Found(std::string_view t, std::size_t i) {
  if (i >= t.size()) return "文本末尾";
  std::size_t len = static_cast<unsigned char>(t[i]) >= 0x81 && i + 1 < t.size() ? 2 : 1;
  return Quoted(t.substr(i, len));
}

std::string At(std::size_t i) { return "第" + std::to_string(i + 1) + "个字节"; }

}  // namespace

void EncodeTo(std::string_view bytes, Form form, AnsiText& out) {
  const std::string_view open = form == Form::kWrapped ? kOpenWrapped : kOpen;
  const std::string_view close = form == Form::kWrapped ? kCloseWrapped : kClose;
  const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();

  // Each value takes its digits and a comma; the last one no comma.
  std::size_t size = open.size() + close.size() + n;
  for (std::size_t i = 0; i < n; ++i) size += (src[i] >= 10) + (src[i] >= 100);  // vectorises
  if (n > 0) size += n - 1;
  out.resize(size);

  char* dst = out.data();
  std::memcpy(dst, open.data(), open.size());
  dst += open.size();
  if (n > 0) {
    std::size_t i = 0;
    // Two values at a time, as one eight-byte copy: two more values follow
    // (a comma and at least two bytes of digits) and the closing text, so the
    // copy never runs past the end.
    for (; i + 4 <= n; i += 2) {
      const uint64_t a = kDecimals[src[i]], b = kDecimals[src[i + 1]];
      const uint64_t two = static_cast<uint32_t>(a) | uint64_t{static_cast<uint32_t>(b)} << (8 * (a >> 32));
      std::memcpy(dst, &two, 8);
      dst += (a >> 32) + (b >> 32);
    }
    // Every value but the last has at least four bytes of room after it
    // (its own comma and the next value), so it may copy all four.
    for (; i + 1 < n; ++i) {
      const uint64_t e = kDecimals[src[i]];
      const auto text = static_cast<uint32_t>(e);
      std::memcpy(dst, &text, 4);
      dst += e >> 32;
    }
    const uint64_t last = kDecimals[src[n - 1]];
    const auto text = static_cast<uint32_t>(last);
    std::memcpy(dst, &text, (last >> 32) - 1);  // its digits only: no room beyond them
    dst += (last >> 32) - 1;
  }
  std::memcpy(dst, close.data(), close.size());
}

AnsiText Encode(std::string_view bytes, Form form) {
  AnsiText out;
  EncodeTo(bytes, form, out);
  return out;
}

std::optional<ConversionError> DecodeTo(std::string_view t, Form form, ByteSeq& out) {
  out.clear();
  auto fail = [&](std::size_t position, std::string message) {
    out.clear();
    return std::optional<ConversionError>(ConversionError{position, std::move(message)});
  };
  const std::size_t n = t.size();
  std::size_t i = SkipSpace(t, 0);
  if (i == n) return fail(0, std::string(kAskForByteSet));
  const bool looksWrapped = t.substr(i).starts_with(kCall);
  if (form == Form::kBare && looksWrapped) return fail(0, std::string(kTickWrapped));
  if (form == Form::kWrapped && t[i] == '{') return fail(0, std::string(kUntickWrapped));

  if (form == Form::kWrapped) {
    if (!looksWrapped) return fail(i + 1, At(i) + Found(t, i) + "：字节集应以“到文本({”开头");
    i = SkipSpace(t, i + kCall.size());
    if (i == n || t[i] != '(') return fail(i + 1, At(i) + "应为“(”，实际为" + Found(t, i));
    i = SkipSpace(t, i + 1);
  }
  if (i == n || t[i] != '{') return fail(i + 1, At(i) + "应为“{”，实际为" + Found(t, i));
  i = SkipSpace(t, i + 1);

  out.reserve(n / 2);
  if (i < n && t[i] == '}') {
    ++i;
  } else {
    for (;;) {
      // One element: a decimal value, then a "," or the closing "}".
      const std::size_t start = i;
      unsigned value = 0;
      while (i < n && t[i] >= '0' && t[i] <= '9') {
        value = value * 10 + static_cast<unsigned>(t[i] - '0');
        if (value > 255) value = 256;  // stays too big, never overflows
        ++i;
      }
      const bool digits = i > start;
      i = SkipSpace(t, i);
      const bool ends = i == n || t[i] == ',' || t[i] == '}';
      if (!digits || !ends || value > 255) {
        // Name the whole element: everything up to its separator.
        std::size_t end = start;
        while (end < n && t[end] != ',' && t[end] != '}') ++end;
        std::size_t trimmed = end;
        while (trimmed > start && IsSpace(t[trimmed - 1])) --trimmed;
        if (trimmed == start) {
          if (end == n) return fail(n + 1, "缺少右括号“}”：字节集到文本末尾还没有结束");
          return fail(start + 1, At(start) + "处缺少数值：“" + std::string(1, t[start]) +
                                     "”之前应有一个0到255之间的十进制数");
        }
        return fail(start + 1, At(start) + "的" + Quoted(t.substr(start, trimmed - start)) +
                                   "不是0到255之间的十进制数");
      }
      out.push_back(static_cast<char>(value));
      if (i == n) return fail(n + 1, "缺少右括号“}”：字节集到文本末尾还没有结束");
      if (t[i++] == '}') break;
      i = SkipSpace(t, i);
    }
  }

  i = SkipSpace(t, i);
  if (form == Form::kWrapped) {
    if (i == n || t[i] != ')') return fail(i + 1, At(i) + "应为“)”，实际为" + Found(t, i));
    i = SkipSpace(t, i + 1);
  }
  if (i < n) {
    return fail(i + 1, At(i) + "起的" + Quoted(t.substr(i)) + "是多余的内容：字节集已经结束");
  }
  return std::nullopt;
}

Conversion<ByteSeq> Decode(std::string_view notation, Form form) {
  ByteSeq bytes;
  if (auto error = DecodeTo(notation, form, bytes)) {
    return Conversion<ByteSeq>::Failure(error->position, std::move(error->message));
  }
  return Conversion<ByteSeq>::Success(std::move(bytes));
}

}  // namespace yz::byteset

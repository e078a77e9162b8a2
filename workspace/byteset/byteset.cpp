#include "workspace/byteset/byteset.h"

#include <array>
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

// Every byte as its decimal digits followed by ",", padded to four characters,
// so the encoder copies a fixed four and moves on by the real length.
struct Decimal {
  char text[4];
  uint8_t size;  // digits and the comma
};

constexpr auto kDecimals = [] {
  std::array<Decimal, 256> t{};
  for (int b = 0; b < 256; ++b) {
    char digits[3];
    int n = 0;
    for (int v = b;; v /= 10) {
      digits[n++] = static_cast<char>('0' + v % 10);
      if (v < 10) break;
    }
    Decimal d{{0, 0, 0, 0}, static_cast<uint8_t>(n + 1)};
    for (int k = 0; k < n; ++k) d.text[k] = digits[n - 1 - k];
    d.text[n] = ',';
    t[b] = d;
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

  std::size_t size = open.size() + close.size();
  for (std::size_t i = 0; i < n; ++i) size += kDecimals[src[i]].size;
  if (n > 0) --size;  // no comma after the last value
  out.resize(size);

  char* dst = out.data();
  std::memcpy(dst, open.data(), open.size());
  dst += open.size();
  if (n > 0) {
    // Every value but the last has at least four bytes of room after it
    // (its own comma and the next value), so it may copy all four.
    for (std::size_t i = 0; i + 1 < n; ++i) {
      const Decimal& d = kDecimals[src[i]];
      std::memcpy(dst, d.text, 4);
      dst += d.size;
    }
    const Decimal& last = kDecimals[src[n - 1]];
    std::memcpy(dst, last.text, last.size - 1u);
    dst += last.size - 1u;
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

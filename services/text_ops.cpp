#include "services/text_ops.h"

#include <algorithm>
#include <cstdint>

namespace yz {
namespace {

inline unsigned char Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }
inline bool IsLead(unsigned char b) { return b >= 0x80; }
inline char FoldLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
inline char FoldUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

// Length in bytes of the character starting at i, or 0 when a lead byte at
// the very end leaves it without its trail byte (the walk ends there).
inline std::size_t CharSize(std::string_view s, std::size_t i) {
  if (!IsLead(Byte(s, i))) return 1;
  return i + 1 < s.size() ? 2 : 0;
}

// Whether `sought` matches `text` at byte `at`; with `ignoreCase` ASCII
// letters at the character starts of `sought` match either case.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view sought, bool ignoreCase) {
  if (!ignoreCase) return text.compare(at, sought.size(), sought) == 0;
  for (std::size_t k = 0; k < sought.size();) {
    if (IsLead(Byte(sought, k))) {
      std::size_t n = std::min<std::size_t>(2, sought.size() - k);
      if (text.compare(at + k, n, sought.substr(k, n)) != 0) return false;
      k += n;
    } else {
      if (FoldLower(text[at + k]) != FoldLower(sought[k])) return false;
      ++k;
    }
  }
  return true;
}

template <class Fold>
AnsiText MapLetters(std::string_view text, Fold fold) {
  AnsiText out(text);
  for (std::size_t i = 0; i < out.size();) {
    std::size_t n = CharSize(out, i);
    if (n == 0) break;
    if (n == 1) out[i] = fold(out[i]);
    i += n;
  }
  return out;
}

}  // namespace

int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

AnsiText TextLeft(std::string_view text, int count) {
  if (count <= 0) return {};
  return AnsiText(text.substr(0, static_cast<std::size_t>(count)));
}

AnsiText TextRight(std::string_view text, int count) {
  if (count <= 0) return {};
  std::size_t n = std::min(text.size(), static_cast<std::size_t>(count));
  return AnsiText(text.substr(text.size() - n));
}

AnsiText TextMid(std::string_view text, int start, int count) {
  if (start < 1 || static_cast<std::size_t>(start) > text.size() || count <= 0) return {};
  return AnsiText(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

int CodeAt(std::string_view text, int position) {
  if (position < 1 || static_cast<std::size_t>(position) > text.size()) return 0;
  return static_cast<signed char>(text[static_cast<std::size_t>(position) - 1]);
}

AnsiText CharFromCode(int code) {
  char c = static_cast<char>(code & 0xFF);
  if (c == 0) return {};
  return AnsiText(1, c);
}

int FindText(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (from >= text.size()) return -1;
  if (sought.empty()) return 1;
  for (std::size_t i = 0; i + sought.size() <= text.size();) {
    if (i >= from && MatchesAt(text, i, sought, ignoreCase)) return static_cast<int>(i + 1);
    std::size_t n = CharSize(text, i);
    if (n == 0) break;
    i += n;
  }
  return -1;
}

AnsiText ReplaceText(std::string_view text, int start, int count, std::string_view replacement) {
  const std::size_t at = static_cast<std::size_t>(std::clamp<long long>(start, 1, static_cast<long long>(text.size()) + 1) - 1);
  const std::size_t removed = count <= 0 ? 0 : std::min(text.size() - at, static_cast<std::size_t>(count));
  AnsiText out;
  out.reserve(text.size() - removed + replacement.size());
  out.append(text.substr(0, at));
  out.append(replacement);
  out.append(text.substr(at + removed));
  return out;
}

std::vector<AnsiText> SplitText(std::string_view text, std::string_view delimiter, std::optional<int> limit) {
  std::vector<AnsiText> out;
  if (text.empty() || (limit && *limit <= 0)) return out;
  if (delimiter.empty()) {
    out.emplace_back(text);
    return out;
  }
  std::size_t pieceStart = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, delimiter.size(), delimiter) == 0) {
      out.emplace_back(text.substr(pieceStart, i - pieceStart));
      if (limit && out.size() >= static_cast<std::size_t>(*limit)) return out;
      i += delimiter.size();
      pieceStart = i;
      continue;
    }
    std::size_t n = CharSize(text, i);
    if (n == 0) break;
    i += n;
  }
  if (pieceStart < text.size()) out.emplace_back(text.substr(pieceStart));
  return out;
}

AnsiText TrimSpaces(std::string_view text) {
  // Size of the space character at i, or 0 when no space starts there.
  auto spaceAt = [&](std::size_t i) -> std::size_t {
    if (text[i] == ' ') return 1;
    if (i + 1 < text.size() && Byte(text, i) == 0xA1 && Byte(text, i + 1) == 0xA1) return 2;
    return 0;
  };
  std::size_t begin = 0, end = 0;
  bool leading = true;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t space = spaceAt(i);
    if (space > 0) {
      i += space;
      if (leading) begin = i;
      continue;
    }
    leading = false;
    std::size_t n = CharSize(text, i);
    if (n == 0) n = 1;  // a lone lead byte at the end is kept
    i += n;
    end = i;
  }
  if (leading) return {};
  return AnsiText(text.substr(begin, end - begin));
}

AnsiText ToUpper(std::string_view text) { return MapLetters(text, FoldUpper); }
AnsiText ToLower(std::string_view text) { return MapLetters(text, FoldLower); }

AnsiText ToHalfWidth(std::string_view text) {
  AnsiText out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = CharSize(text, i);
    if (n == 0) {
      out.push_back(text[i]);
      break;
    }
    if (n == 1) {
      out.push_back(text[i]);
    } else {
      const unsigned char lead = Byte(text, i), trail = Byte(text, i + 1);
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        out.push_back(static_cast<char>(trail - 0x80));
      } else if (lead == 0xA1 && trail == 0xA1) {
        out.push_back(' ');
      } else if (lead == 0xA1 && trail == 0xAB) {
        out.push_back('~');
      } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
        out.push_back('*');
      } else {
        out.append(text.substr(i, 2));
      }
    }
    i += n;
  }
  return out;
}

AnsiText SpaceText(int count) {
  if (count < 1) return {};
  return AnsiText(static_cast<std::size_t>(count), ' ');
}

int CompareText(std::string_view text1, std::string_view text2, bool caseSensitive) {
  std::size_t i = 0;
  for (; i < text1.size() && i < text2.size(); ++i) {
    unsigned char a = Byte(text1, i), b = Byte(text2, i);
    if (IsLead(a) && a == b && i + 1 < text1.size() && i + 1 < text2.size()) {
      // Same lead byte: the trail bytes decide, and are never case-folded.
      ++i;
      a = Byte(text1, i);
      b = Byte(text2, i);
    } else if (!caseSensitive) {
      a = static_cast<unsigned char>(FoldLower(static_cast<char>(a)));
      b = static_cast<unsigned char>(FoldLower(static_cast<char>(b)));
    }
    if (a != b) return a < b ? -1 : 1;
  }
  if (text1.size() == text2.size()) return 0;
  return text1.size() < text2.size() ? -1 : 1;
}

AnsiText HexText(int value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::uint32_t v = static_cast<std::uint32_t>(value);
  char buf[8];
  int n = 0;
  do {
    buf[n++] = kHex[v & 15];
    v >>= 4;
  } while (v != 0);
  AnsiText out;
  while (n > 0) out.push_back(buf[--n]);
  return out;
}

}  // namespace yz

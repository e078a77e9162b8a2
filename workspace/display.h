// How results are laid out in the page boxes.
//
// A multi-line box that wraps at its width re-wraps a whole paragraph on every
// change, which is quadratic in the paragraph's length under some edit
// controls (tens of seconds for 40,000 characters without a break). Long
// one-line results are therefore shown in lines of a fixed width, as MIME
// does for Base64.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace yz {

inline constexpr std::size_t kResultLineWidth = 76;

// `text` with CR LF after every `width` characters; text of at most `width`
// characters is returned unchanged, and no break ends the text. `unit` keeps
// groups of that many characters (an escape, a hex pair) on one line: the
// width used is the largest multiple of `unit` not above `width`.
std::string BreakLines(std::string_view text, std::size_t width = kResultLineWidth, std::size_t unit = 1);

// For results whose units have no fixed width (a byte-set value, a URL
// escape): breaks only where the page's reader takes a line break as nothing.
// `text` with CR LF inserted once a line has reached `width` characters, at
// the first place after that where `breakBefore(text, i)` allows a break
// before text[i]. Text of at most `width` characters is returned unchanged.
template <class BreakBefore>
std::string BreakLinesWhere(std::string_view text, BreakBefore breakBefore, std::size_t width = kResultLineWidth) {
  if (text.size() <= width) return std::string(text);
  std::string out;
  out.reserve(text.size() + text.size() / width * 2 + 2);
  std::size_t line = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (line >= width && breakBefore(text, i)) {
      out += "\r\n";
      line = 0;
    }
    out += text[i];
    ++line;
  }
  return out;
}

// `text` without CR and LF.
inline std::string WithoutLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '\r' && c != '\n') out += c;
  return out;
}

}  // namespace yz

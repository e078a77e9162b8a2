// Line breaks for page results whose units have no fixed width (a byte-set
// value, a URL escape): the result is broken only where its reader takes a
// line break as nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "workspace/display.h"

namespace yz {

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

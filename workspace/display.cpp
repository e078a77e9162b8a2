#include "workspace/display.h"

#include <cassert>

namespace yz {

std::string BreakLines(std::string_view text, std::size_t width, std::size_t unit) {
  assert(unit >= 1 && width >= unit);
  width -= width % unit;
  if (text.size() <= width) return std::string(text);
  std::string out;
  out.reserve(text.size() + text.size() / width * 2);
  for (std::size_t at = 0; at < text.size(); at += width) {
    if (at) out += "\r\n";
    out.append(text.substr(at, width));
  }
  return out;
}

}  // namespace yz

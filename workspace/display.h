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

}  // namespace yz

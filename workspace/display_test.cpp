#include "workspace/display.h"

#include <gtest/gtest.h>

namespace yz {
namespace {

struct Case {
  std::string_view text;
  std::size_t width, unit;
  std::string_view want;
};

constexpr Case kCases[] = {
    {"", 4, 1, ""},
    {"abcd", 4, 1, "abcd"},               // exactly one line: no break at the end
    {"abcde", 4, 1, "abcd\r\ne"},
    {"abcdefgh", 4, 1, "abcd\r\nefgh"},  // no break after the last full line
    {"%41%42%43", 7, 3, "%41%42\r\n%43"},  // escapes stay whole
    {"D6D0CEC4", 5, 2, "D6D0\r\nCEC4"},
};

TEST(BreakLines, BreaksLongTextIntoLinesOfWholeUnits) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(BreakLines(c.text, c.width, c.unit), c.want);
  }
}

TEST(BreakLines, DefaultWidthIsTheMimeLineOf76) {
  std::string text(200, 'A');
  std::string out = BreakLines(text);
  EXPECT_EQ(out.find("\r\n"), 76u);
  EXPECT_EQ(out.size(), 200u + 2 * 2);
}

}  // namespace
}  // namespace yz

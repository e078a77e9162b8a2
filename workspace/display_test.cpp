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

TEST(BreakLinesWhere, BreaksOnlyWhereAllowedOnceALineIsFull) {
  auto afterComma = [](std::string_view t, std::size_t i) { return i > 0 && t[i - 1] == ','; };
  struct Case {
    std::string_view text, want;
  } cases[] = {
      {"1,22", "1,22"},                            // short: unchanged
      {"1,22,3", "1,22,\r\n3"},
      {"1,22,333,4444,5", "1,22,\r\n333,\r\n4444,\r\n5"},  // each line reaches 4, then the next comma
      {"123456789", "123456789"},                  // nowhere allowed: one line
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    std::string out = BreakLinesWhere(c.text, afterComma, 4);
    EXPECT_EQ(out, c.want);
    EXPECT_EQ(WithoutLineBreaks(out), c.text);
  }
}

}  // namespace
}  // namespace yz

#include "services/encoding.h"

#include <gtest/gtest.h>

namespace yz {
namespace {

struct RoundTrip {
  const char* what;
  std::string_view gbk;
  std::u16string_view wide;
  std::string_view utf8;
};

constexpr RoundTrip kRoundTrips[] = {
    {"empty", "", u"", ""},
    {"ascii", "abc 123", u"abc 123", "abc 123"},
    {"zhong", "\xD6\xD0", u"\u4E2D", "\xE4\xB8\xAD"},
    {"mixed", "a\xD6\xD0\xCE\xC4z", u"a\u4E2D\u6587z", "a\xE4\xB8\xAD\xE6\x96\x87z"},
};

TEST(Encoding, ConvertsBetweenGbkUtf16AndUtf8) {
  for (const auto& c : kRoundTrips) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(AnsiToWide(c.gbk), c.wide);
    EXPECT_EQ(WideToAnsi(c.wide), c.gbk);
    EXPECT_EQ(WideToUtf8(c.wide), c.utf8);
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide);
    EXPECT_EQ(AnsiToUtf8(c.gbk), c.utf8);
    EXPECT_EQ(Utf8ToAnsi(c.utf8), c.gbk);
  }
}

TEST(Encoding, CharacterOutsideGbkBecomesReplacementAndIsReported) {
  bool lossy = false;
  // One replacement per UTF-16 unit, as WideCharToMultiByte gives it.
  EXPECT_EQ(WideToAnsi(u"a\U0001F600b", &lossy), "a??b");
  EXPECT_TRUE(lossy);
  EXPECT_EQ(WideToAnsi(u"\u4E2D", &lossy), "\xD6\xD0");
  EXPECT_FALSE(lossy);
}

}  // namespace
}  // namespace yz

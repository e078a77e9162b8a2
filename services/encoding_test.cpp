#include "services/encoding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
    {"control bytes", "\t\r\n\x7F", u"\t\r\n\x7F", "\t\r\n\x7F"},
    {"zhong", "\xD6\xD0", u"\u4E2D", "\xE4\xB8\xAD"},
    {"mixed", "a\xD6\xD0\xCE\xC4z", u"a\u4E2D\u6587z", "a\xE4\xB8\xAD\xE6\x96\x87z"},
    {"full-width space and digit", "\xA1\xA1\xA3\xB1", u"\u3000\uFF11", "\xE3\x80\x80\xEF\xBC\x91"},
    {"last GBK row", "\xFE\x4F", u"\uFA29", "\xEF\xA8\xA9"},
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

TEST(Encoding, ZhongIsOneUnitStoredLittleEndian) {
  const WideText w = AnsiToWide("\xD6\xD0");
  ASSERT_EQ(w.size(), 1u);
  EXPECT_EQ(w[0], 0x4E2D);
  unsigned char stored[2];
  std::memcpy(stored, w.data(), 2);
  EXPECT_EQ(stored[0], 0x2D);
  EXPECT_EQ(stored[1], 0x4E);
}

TEST(Encoding, AsciiIsOneUnitPerByte) {
  std::string ascii;
  for (int c = 1; c < 0x80; ++c) ascii.push_back(static_cast<char>(c));
  const WideText w = AnsiToWide(ascii);
  ASSERT_EQ(w.size(), ascii.size());
  for (std::size_t i = 0; i < w.size(); ++i) EXPECT_EQ(w[i], static_cast<char16_t>(ascii[i]));
  EXPECT_EQ(AnsiToUtf8(ascii), ascii);
}

TEST(Encoding, OutsideGbkThroughUtf8GivesReplacementNotEmpty) {
  // U+00E5 (å) and U+20A9 (₩) have no GBK form; U+00E9 (é) has one, A8 A6.
  EXPECT_EQ(Utf8ToAnsi("caf\xC3\xA5"), "caf?");
  EXPECT_EQ(Utf8ToAnsi("caf\xC3\xA9"), "caf\xA8\xA6");
  EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xA9"), "?");
  bool lossy = false;
  EXPECT_EQ(WideToAnsi(u"\u20A9", &lossy), "?");
  EXPECT_TRUE(lossy);
}

TEST(Encoding, CharacterOutsideTheBmpInUtf8AndUtf16) {
  EXPECT_EQ(Utf8ToWide("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(WideToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

struct IllFormedCase {
  const char* what;
  std::string_view input;
  std::u16string_view want;
};

// Ill-formed input is replaced, never refused: the text around it survives.
constexpr IllFormedCase kIllFormedUtf8[] = {
    {"stray continuation byte", "a\x80" "b", u"a\uFFFD" "b"},
    {"byte FF", "a\xFF" "b", u"a\uFFFD" "b"},
    {"truncated at the end", "a\xE4\xB8", u"a\uFFFD"},
};

TEST(Encoding, IllFormedUtf8IsReplaced) {
  for (const auto& c : kIllFormedUtf8) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Utf8ToWide(c.input), c.want);
  }
}

struct IllFormedGbkCase {
  const char* what;
  std::string_view input;
  char16_t first, last;  // the well-formed characters around the fault
  std::size_t maxUnits;
};

// What an ill-formed GBK sequence becomes is the conversion facility's own
// choice (U+FFFD, "?" or a private-use character; a broken pair may take the
// byte after it along), but the conversion never fails and the well-formed
// text around the fault is kept.
constexpr IllFormedGbkCase kIllFormedGbk[] = {
    {"lead byte at the very end", "a\xD6", u'a', 0, 2},
    {"lead byte before a space", "a\xD6\x20z", u'a', u'z', 4},
    {"byte FF", "a\xFF" "b", u'a', u'b', 3},
};

TEST(Encoding, IllFormedGbkIsReplaced) {
  for (const auto& c : kIllFormedGbk) {
    SCOPED_TRACE(c.what);
    const WideText got = AnsiToWide(c.input);
    ASSERT_GE(got.size(), 2u);
    EXPECT_LE(got.size(), c.maxUnits);
    EXPECT_EQ(got.front(), c.first);
    if (c.last != 0) {
      EXPECT_EQ(got.back(), c.last);
    }
    EXPECT_EQ(got.find_first_of(u"\uFFFD?\uF8F5"), 1u);
  }
}

TEST(Encoding, LoneSurrogateIsReplaced) {
  EXPECT_EQ(WideToUtf8(u"a\xD800" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(WideToUtf8(u"a\xDC00"), "a\xEF\xBF\xBD");
  EXPECT_EQ(WideToAnsi(u"a\xDC00" "b"), "a?b");
}

// Code page 936 puts the euro sign at 0x80, in both builds.
TEST(Encoding, Cp936EuroAt0x80) {
  EXPECT_EQ(AnsiToWide("\x80"), u"\u20AC");
  EXPECT_EQ(WideToAnsi(u"\u20AC"), "\x80");
}

struct CopyCase {
  const char* what;
  int size;
  std::string_view want;
};

constexpr char kCopySource[32] = "hello\0world";

constexpr CopyCase kCopies[] = {
    {"stops at the zero", 32, "hello"},
    {"size - 1 bytes", 3, "he"},
    {"exactly the text", 6, "hello"},
    {"size 1 holds only the zero", 1, ""},
    {"size 0", 0, ""},
    {"negative size", -5, ""},
};

TEST(Encoding, CopyTextAt) {
  for (const auto& c : kCopies) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CopyTextAt(kCopySource, c.size), c.want);
  }
  EXPECT_EQ(CopyTextAt(nullptr, 10), "");
  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(CopyTextAt(unterminated, 4), "abc");  // reads no byte past size - 1
  EXPECT_EQ(CopyTextAt("\xD6\xD0\xCE\xC4", 4), "\xD6\xD0\xCE");  // counts bytes
}

}  // namespace
}  // namespace yz

#include "services/text_ops.h"

#include <gtest/gtest.h>

#include <string>

namespace yz {
namespace {

// GBK bytes used below: 中 D6 D0, 文 CE C4, a character whose trail byte is
// "b" (0x62): 81 62; the full-width space A1 A1.
constexpr std::string_view kZhongWen = "\xD6\xD0\xCE\xC4";
constexpr std::string_view kTrailB = "\x81" "b";

TEST(TextOps, LengthCountsBytes) {
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength("\xD6\xD0"), 2);
  EXPECT_EQ(TextLength("a\xD6\xD0z"), 4);
}

struct CutCase {
  std::string_view text;
  int start;  // TextMid only
  int count;
  std::string_view left, right, mid;
};

constexpr CutCase kCuts[] = {
    {"abcdef", 2, 3, "abc", "def", "bcd"},
    {"abcdef", 5, 10, "abcdef", "abcdef", "ef"},
    {"abcdef", 6, 1, "a", "f", "f"},
    {"abcdef", 7, 1, "a", "f", ""},   // start past the end
    {"abcdef", 0, 2, "ab", "ef", ""},  // start below 1
    {"abcdef", 1, 0, "", "", ""},
    {"abcdef", 1, -1, "", "", ""},
    {"", 1, 3, "", "", ""},
    // A cut through a double-byte character keeps the lone byte.
    {kZhongWen, 2, 2, "\xD6\xD0", "\xCE\xC4", "\xD0\xCE"},
    {kZhongWen, 1, 1, "\xD6", "\xC4", "\xD6"},
};

TEST(TextOps, LeftRightMid) {
  for (const auto& c : kCuts) {
    SCOPED_TRACE(testing::Message() << c.text << " start " << c.start << " count " << c.count);
    EXPECT_EQ(TextLeft(c.text, c.count), c.left);
    EXPECT_EQ(TextRight(c.text, c.count), c.right);
    EXPECT_EQ(TextMid(c.text, c.start, c.count), c.mid);
  }
}

struct CodeCase {
  std::string_view text;
  int position;
  int want;
};

constexpr CodeCase kCodes[] = {
    {"A", 1, 65}, {"\xD6\xD0", 1, -42}, {"\xD6\xD0", 2, -48}, {"ab", 3, 0},
    {"ab", 0, 0}, {"ab", -1, 0},        {"", 1, 0},           {"\xFF", 1, -1},
};

TEST(TextOps, CodeAt) {
  for (const auto& c : kCodes) {
    SCOPED_TRACE(testing::Message() << c.text << " @" << c.position);
    EXPECT_EQ(CodeAt(c.text, c.position), c.want);
  }
  EXPECT_EQ(CodeAt("xyz"), 'x');
}

TEST(TextOps, CharFromCode) {
  EXPECT_EQ(CharFromCode(65), "A");
  EXPECT_EQ(CharFromCode(-42), "\xD6");
  EXPECT_EQ(CharFromCode(0x141), "A");  // low 8 bits
  EXPECT_EQ(CharFromCode(0), "");
  EXPECT_EQ(CharFromCode(256), "");
}

struct FindCase {
  const char* what;
  std::string_view text, sought;
  int start;
  bool ignoreCase;
  int want;
};

constexpr FindCase kFinds[] = {
    {"plain", "hello world", "o", 1, false, 5},
    {"from start", "hello world", "o", 6, false, 8},
    {"at start", "hello world", "o", 5, false, 5},
    {"not found", "hello", "z", 1, false, -1},
    {"start below 1", "hello", "h", -3, false, 1},
    {"start past end", "hello", "o", 6, false, -1},
    {"longer than text", "ab", "abc", 1, false, -1},
    {"at the very end", "abc", "bc", 1, false, 2},
    {"case differs", "Hello", "hello", 1, false, -1},
    {"ignore case", "Hello", "hELLO", 1, true, 1},
    {"empty sought in text", "abc", "", 1, false, 1},
    {"empty sought later start", "abc", "", 3, false, 1},
    {"empty sought past end", "abc", "", 4, false, -1},
    {"empty sought in empty text", "", "", 1, false, -1},
    {"empty text", "", "a", 1, false, -1},
    {"chinese", "a\xD6\xD0\xCE\xC4", "\xCE\xC4", 1, false, 4},
    // The only 0x62 is the trail byte of 81 62: no match there.
    {"trail byte b", kTrailB, "b", 1, false, -1},
    {"trail byte b ignoring case", kTrailB, "B", 1, true, -1},
    {"b after the trail byte", "\x81" "bb", "b", 1, false, 3},
    {"start on a trail byte", "\x81" "bb", "b", 2, false, 3},
    // D0 CE straddles 中 and 文: not a character start.
    {"straddling two characters", kZhongWen, "\xD0\xCE", 1, false, -1},
    {"lone lead byte ends the walk", "ab\xD6", "\xD6", 1, false, 3},
    {"ignore case leaves trail bytes exact", "\x81" "B", "\x81" "b", 1, true, -1},
};

TEST(TextOps, FindText) {
  for (const auto& c : kFinds) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.want);
  }
}

struct ReplaceCase {
  std::string_view text;
  int start, count;
  std::string_view replacement, want;
};

constexpr ReplaceCase kReplaces[] = {
    {"abcdef", 2, 3, "XY", "aXYef"},
    {"abcdef", 1, 0, "X", "Xabcdef"},
    {"abcdef", 7, 5, "X", "abcdefX"},   // at length+1
    {"abcdef", 99, 1, "X", "abcdefX"},  // clamped to length+1
    {"abcdef", -5, 2, "X", "Xcdef"},    // clamped to 1
    {"abcdef", 4, 99, "", "abc"},
    {"abcdef", 2, -1, "X", "aXbcdef"},
    {"", 1, 1, "X", "X"},
};

TEST(TextOps, ReplaceText) {
  for (const auto& c : kReplaces) {
    SCOPED_TRACE(testing::Message() << c.text << " " << c.start << "," << c.count);
    EXPECT_EQ(ReplaceText(c.text, c.start, c.count, c.replacement), c.want);
  }
}

struct SplitCase {
  std::string_view text, delimiter;
  int limit;  // kUnlimited for no limit
  int count;
  std::string_view want[3];
};

constexpr int kUnlimited = INT32_MIN;

constexpr SplitCase kSplits[] = {
    {"a,b", ",", kUnlimited, 2, {"a", "b"}},
    {"a,b,", ",", kUnlimited, 2, {"a", "b"}},
    {"a,,b", ",", kUnlimited, 3, {"a", "", "b"}},
    {",a", ",", kUnlimited, 2, {"", "a"}},
    {",", ",", kUnlimited, 1, {""}},
    {"abc", ",", kUnlimited, 1, {"abc"}},
    {"a,b", ",", 1, 1, {"a"}},
    {"a,b,c", ",", 2, 2, {"a", "b"}},
    {"a,b", ",", 5, 2, {"a", "b"}},
    {"a,b", ",", 0, 0, {}},
    {"a,b", ",", -1, 0, {}},
    {"", ",", kUnlimited, 0, {}},
    {"a,b", "", kUnlimited, 1, {"a,b"}},
    {"a--b--c", "--", kUnlimited, 3, {"a", "b", "c"}},
    {"a\xD6\xD0" "b", "\xD6\xD0", kUnlimited, 2, {"a", "b"}},
    // "b" inside 81 62 is a trail byte, not a delimiter.
    {"x\x81" "bybz", "b", kUnlimited, 2, {"x\x81" "by", "z"}},
    {"a,b\xD6", ",", kUnlimited, 2, {"a", "b\xD6"}},
};

TEST(TextOps, SplitText) {
  for (const auto& c : kSplits) {
    SCOPED_TRACE(testing::Message() << c.text << " by " << c.delimiter << " limit " << c.limit);
    const auto got = c.limit == kUnlimited ? SplitText(c.text, c.delimiter) : SplitText(c.text, c.delimiter, c.limit);
    ASSERT_EQ(got.size(), static_cast<std::size_t>(c.count));
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], c.want[i]) << "element " << i;
  }
  EXPECT_EQ(SplitText("x,y").size(), 2u);  // the default delimiter is ","
}

struct MapCase {
  std::string_view input, want;
};

constexpr MapCase kTrims[] = {
    {"  abc  ", "abc"},
    {"\xA1\xA1" "abc", "abc"},              // full-width space
    {"abc\xA1\xA1 \xA1\xA1", "abc"},
    {"\tabc", "\tabc"},                      // tab is no space
    {" a b ", "a b"},
    {"abc\r\n", "abc\r\n"},
    {"   ", ""},
    {"", ""},
    {"\xA1\xA1", ""},
    {" \xD6\xD0 ", "\xD6\xD0"},
    // A1 A1 made of B0 A1's trail byte and the next lead byte is no space.
    {"\xB0\xA1\xA1" "x", "\xB0\xA1\xA1" "x"},
};

TEST(TextOps, TrimSpaces) {
  for (const auto& c : kTrims) {
    SCOPED_TRACE(testing::Message() << "[" << c.input << "]");
    EXPECT_EQ(TrimSpaces(c.input), c.want);
  }
}

constexpr MapCase kUppers[] = {
    {"abcXYZ019", "ABCXYZ019"},
    {"", ""},
    {"\x81" "b", "\x81" "b"},        // trail byte untouched
    {"a\xD6\xD0z", "A\xD6\xD0Z"},
    {"z\xD6", "Z\xD6"},              // lone lead byte at the end
};

constexpr MapCase kLowers[] = {
    {"ABCxyz@[", "abcxyz@["},
    {"\x81" "B", "\x81" "B"},
    {"A\xD6\xD0Z", "a\xD6\xD0z"},
};

TEST(TextOps, ToUpperAndToLower) {
  for (const auto& c : kUppers) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(ToUpper(c.input), c.want);
  }
  for (const auto& c : kLowers) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(ToLower(c.input), c.want);
  }
}

constexpr MapCase kHalfWidths[] = {
    {"\xA3\xB1\xA3\xB2", "12"},          // １２
    {"\xA3\xC1\xA3\xE1", "Aa"},          // Ａａ
    {"\xA3\xA1", "!"},                   // first of the range
    {"\xA3\xFE", "~"},                   // last of the range
    {"\xA1\xA1", " "},
    {"\xA1\xAB", "~"},
    {"\xA1\xEE\xA1\xEF", "**"},
    {"\xD6\xD0", "\xD6\xD0"},            // other characters unchanged
    {"\xA3\xA0", "\xA3\xA0"},            // just below the range
    {"a\xA3\xB1" "b", "a1b"},
    {"\xB0\xA3\xB1", "\xB0\xA3\xB1"},    // A3 as a trail byte starts nothing
    {"1\xA3", "1\xA3"},                  // lone lead byte kept
    {"", ""},
};

TEST(TextOps, ToHalfWidth) {
  for (const auto& c : kHalfWidths) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(ToHalfWidth(c.input), c.want);
  }
}

TEST(TextOps, SpaceText) {
  EXPECT_EQ(SpaceText(3), "   ");
  EXPECT_EQ(SpaceText(0), "");
  EXPECT_EQ(SpaceText(-2), "");
}

struct CompareCase {
  std::string_view a, b;
  bool caseSensitive;
  int sign;
};

constexpr CompareCase kCompares[] = {
    {"abc", "abc", true, 0},
    {"abc", "abd", true, -1},
    {"abd", "abc", true, 1},
    {"ab", "abc", true, -1},
    {"", "", true, 0},
    {"", "a", true, -1},
    {"ABC", "abc", true, -1},
    {"ABC", "abc", false, 0},
    {"a_", "aZ", false, -1},     // Z folds to z (0x7A), above _ (0x5F)
    {"\xD6\xD0", "\xD6\xD1", true, -1},
    {"\xD6\xD0", "a", true, 1},  // bytes compare unsigned
    // Trail bytes B and b differ even without case sensitivity.
    {"\x81" "B", "\x81" "b", false, -1},
};

TEST(TextOps, CompareText) {
  for (const auto& c : kCompares) {
    SCOPED_TRACE(testing::Message() << c.a << " vs " << c.b << " case " << c.caseSensitive);
    const int got = CompareText(c.a, c.b, c.caseSensitive);
    EXPECT_EQ((got > 0) - (got < 0), c.sign);
  }
}

struct HexCase {
  int value;
  std::string_view want;
};

constexpr HexCase kHexes[] = {
    {0, "0"}, {255, "FF"}, {-1, "FFFFFFFF"}, {16, "10"}, {0x7FFFFFFF, "7FFFFFFF"}, {INT32_MIN, "80000000"},
};

TEST(TextOps, HexText) {
  for (const auto& c : kHexes) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(HexText(c.value), c.want);
  }
}

}  // namespace
}  // namespace yz

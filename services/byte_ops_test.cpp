#include "services/byte_ops.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace yz {
namespace {

using namespace std::string_view_literals;

struct CutCase {
  std::string_view bytes;
  int start;  // BytesMid only
  int count;
  std::string_view left, right, mid;
};

constexpr CutCase kCuts[] = {
    {"abcdef", 2, 3, "abc", "def", "bcd"},
    {"abcdef", 1, 99, "abcdef", "abcdef", "abcdef"},
    {"abcdef", 6, 5, "abcde", "bcdef", "f"},
    {"abcdef", 7, 2, "ab", "ef", ""},        // start at length+1
    {"abcdef", 99, 2, "ab", "ef", ""},       // clamped to length+1
    {"abcdef", -4, 2, "ab", "ef", "ab"},     // clamped to 1
    {"abcdef", 2, -3, "", "", ""},           // negative count is 0
    {"", 1, 3, "", "", ""},
    {"a\0b\0"sv, 2, 2, "a\0"sv, "b\0"sv, "\0b"sv},
};

TEST(ByteOps, LeftRightMid) {
  for (const auto& c : kCuts) {
    SCOPED_TRACE(testing::Message() << c.bytes.size() << " bytes, start " << c.start << " count " << c.count);
    EXPECT_EQ(BytesLeft(c.bytes, c.count), c.left);
    EXPECT_EQ(BytesRight(c.bytes, c.count), c.right);
    EXPECT_EQ(BytesMid(c.bytes, c.start, c.count), c.mid);
  }
}

TEST(ByteOps, Length) {
  EXPECT_EQ(BytesLength(""), 0);
  EXPECT_EQ(BytesLength("a\0b"sv), 3);
}

struct FindCase {
  std::string_view bytes, sought;
  int start, want;
};

constexpr FindCase kFinds[] = {
    {"abcabc", "bc", 1, 2},
    {"abcabc", "bc", 3, 5},
    {"abcabc", "bc", 5, 5},
    {"abcabc", "bc", 6, -1},
    {"abcabc", "bc", -2, 2},
    {"abcabc", "", 1, -1},       // empty sought
    {"", "a", 1, -1},
    {"ab", "abc", 1, -1},
    {"aaab", "aab", 1, 2},       // first byte found, whole compare fails, retried
    {"x\0y\0z"sv, "\0z"sv, 1, 4},
    {"\xD6\xD0", "\xD0", 1, 2},  // bytes know no characters
};

TEST(ByteOps, FindBytes) {
  for (const auto& c : kFinds) {
    SCOPED_TRACE(testing::Message() << c.bytes << " / " << c.sought << " from " << c.start);
    EXPECT_EQ(FindBytes(c.bytes, c.sought, c.start), c.want);
  }
}

struct ReplaceCase {
  const char* what;
  std::string_view bytes, sought, replacement;
  int start, limit;  // limit kAll for no limit
  std::string_view want;
};

constexpr int kAll = INT_MIN;

constexpr ReplaceCase kReplaces[] = {
    {"all", "a-b-c", "-", "+", 1, kAll, "a+b+c"},
    {"delete", "a-b-c", "-", "", 1, kAll, "abc"},
    {"longer replacement", "a-b", "-", "<->", 1, kAll, "a<->b"},
    {"limit 1", "a-b-c", "-", "+", 1, 1, "a+b-c"},
    {"limit 0 replaces none", "a-b-c", "-", "+", 1, 0, "a-b-c"},
    {"negative limit replaces none", "a-b-c", "-", "+", 1, -3, "a-b-c"},
    {"from start", "a-b-c", "-", "+", 3, kAll, "a-b+c"},
    {"start below 1", "-a-", "-", "+", 0, kAll, "+a+"},
    {"start past end", "a-b", "-", "+", 4, kAll, "a-b"},
    {"empty sought", "a-b", "", "+", 1, kAll, "a-b"},
    {"non-overlapping", "aaaa", "aa", "b", 1, kAll, "bb"},
    {"odd overlap", "aaa", "aa", "b", 1, kAll, "ba"},
    {"whole", "abc", "abc", "", 1, kAll, ""},
    {"empty input", "", "a", "b", 1, kAll, ""},
    {"replacement holds sought", "aXa", "a", "aa", 1, kAll, "aaXaa"},
    {"zero bytes", "1\0" "2\0" "3"sv, "\0"sv, ",", 1, kAll, "1,2,3"},
};

TEST(ByteOps, ReplaceBytes) {
  for (const auto& c : kReplaces) {
    SCOPED_TRACE(c.what);
    const auto got = c.limit == kAll ? ReplaceBytes(c.bytes, c.sought, c.replacement, c.start)
                                     : ReplaceBytes(c.bytes, c.sought, c.replacement, c.start, c.limit);
    EXPECT_EQ(got, c.want);
  }
  EXPECT_EQ(ReplaceBytes("a-b", "-"), "ab");  // an absent replacement deletes
}

TEST(ByteOps, ZeroAndRepeat) {
  EXPECT_EQ(ZeroBytes(3), "\0\0\0"sv);
  EXPECT_EQ(ZeroBytes(0), "");
  EXPECT_EQ(ZeroBytes(-1), "");
  EXPECT_EQ(RepeatBytes(3, "ab"), "ababab");
  EXPECT_EQ(RepeatBytes(0, "ab"), "");
  EXPECT_EQ(RepeatBytes(-2, "ab"), "");
  EXPECT_EQ(RepeatBytes(5, ""), "");
  EXPECT_EQ(RepeatBytes(2, "\0"sv), "\0\0"sv);
}

}  // namespace
}  // namespace yz

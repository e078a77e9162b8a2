#include "workspace/text_check.h"

#include <gtest/gtest.h>

namespace yz {
namespace {

struct Case {
  std::string_view bytes;
  std::optional<std::size_t> want;
};

constexpr Case kCases[] = {
    {"", std::nullopt},
    {"abc", std::nullopt},
    {"\xD6\xD0\xCE\xC4", std::nullopt},      // 中文
    {"a\xA3\xA1", std::nullopt},             // full-width exclamation mark
    {"\x81\x40\xFE\xFE", std::nullopt},      // the corners of the double-byte range
    {"ab\xD6", 2},                           // lead byte without its trail byte
    {"\xD6\x30", 0},                         // trail byte below 0x40
    {"\xD6\x7F", 0},
    {"\xD6\xFF", 0},
    {"x\x80y", 1},
    {"\xFF", 0},
    {"\xD6\xD0\xC4", 2},
};

TEST(FindMalformedGbk, FindsTheFirstByteThatBeginsNoCharacter) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(FindMalformedGbk(c.bytes), c.want);
  }
}

}  // namespace
}  // namespace yz

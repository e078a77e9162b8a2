#include "workspace/radix/radix.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace yz::radix {
namespace {

struct HexCase {
  std::string_view bytes;
  std::string_view hex;
};

constexpr HexCase kHex[] = {
    {"中", "D6D0"},
    {"abc", "616263"},
    {"", ""},
    {{"\0", 1}, "00"},
    {{"\0\x0F\xF0\xFF", 4}, "000FF0FF"},
    {"中文 z", "D6D0CEC4207A"},
};

TEST(Hex, WritesTwoUpperCaseDigitsPerByte) {
  std::string reused = "left over from an earlier, much longer conversion";
  for (const auto& c : kHex) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(ToHex(c.bytes), c.hex);
    ToHexTo(c.bytes, reused);
    EXPECT_EQ(reused, c.hex);
  }
}

TEST(Hex, AgreesWithPrintfForEveryByte) {
  std::string all, want;
  for (int b = 0; b < 256; ++b) {
    all.push_back(static_cast<char>(b));
    char buf[3];
    std::snprintf(buf, sizeof buf, "%02X", b);
    want += buf;
  }
  EXPECT_EQ(ToHex(all), want);
}

struct Case {
  std::string_view number;
  int from, to;
  std::string_view want;
};

constexpr Case kConversions[] = {
    // The page's own examples
    {"255", 10, 16, "FF"},
    {"4294967296", 10, 16, "100000000"},
    {"100011", 2, 36, "Z"},
    {"9999999999999999999999999", 10, 36, "198EXBVSHGPUNUK1R"},
    {"198EXBVSHGPUNUK1R", 36, 10, "9999999999999999999999999"},
    {"9999999999999999999999999", 10, 2,
     "100001000101100101010001011000010100000000010100100001001001111111111111111111111111"},
    // Zero, one, leading zeros
    {"0", 10, 16, "0"},
    {"000", 16, 2, "0"},
    {"1", 10, 2, "1"},
    {"000255", 10, 16, "FF"},
    {"0000000000000000000000000000001", 2, 10, "1"},
    // Lower case and surrounding white space
    {"ff", 16, 10, "255"},
    {"zZ", 36, 10, "1295"},
    {" \tFF\r\n", 16, 10, "255"},
    // A number in lines, as the result box shows long numbers
    {"FF\r\nFF\r\n01", 16, 10, "16776961"},
    {"12\n34", 10, 10, "1234"},
    // Limb and 64-bit edges
    {"18446744073709551615", 10, 16, "FFFFFFFFFFFFFFFF"},
    {"18446744073709551616", 10, 16, "10000000000000000"},
    {"999999999", 10, 10, "999999999"},
    {"1000000000", 10, 10, "1000000000"},
    {"3B9ACA00", 16, 10, "1000000000"},
    {"10", 36, 2, "100100"},
    {"1", 2, 2, "1"},
    // Same base: the digits as they are, tidied
    {"00ff", 16, 16, "FF"},
    {"000123", 10, 10, "123"},
    {"0000", 7, 7, "0"},
};

TEST(Radix, ConvertsBetweenBases) {
  for (const auto& c : kConversions) {
    SCOPED_TRACE(std::string(c.number) + " " + std::to_string(c.from) + "->" + std::to_string(c.to));
    auto got = Convert(c.number, c.from, c.to);
    ASSERT_TRUE(got.ok()) << got.error->message;
    EXPECT_EQ(got.value, c.want);
  }
}

struct Bad {
  std::string_view number;
  int from, to;
  std::size_t position;
  std::string_view message;
};

constexpr Bad kBad[] = {
    // bases outside 2 to 36, an empty base box counting as 0
    {"255", 10, 1, 0, "参数错误-进制只能在2-36之间"},
    {"255", 10, 37, 0, "参数错误-进制只能在2-36之间"},
    {"255", 0, 16, 0, "参数错误-进制只能在2-36之间"},
    {"255", -2, 16, 0, "参数错误-进制只能在2-36之间"},
    {"255", 32767, 16, 0, "参数错误-进制只能在2-36之间"},
    {"", 0, 16, 0, "参数错误-进制只能在2-36之间"},
    // no number
    {"", 10, 16, 0, "请输入文本！"},
    {" \r\n\t", 10, 16, 0, "请输入文本！"},
    // characters that are no digit of the source base
    {"1G", 16, 10, 2, "参数错误-1G不是一个有效的16进制数！"},
    {"-5", 10, 16, 1, "参数错误--5不是一个有效的10进制数！"},
    {"1.5", 10, 16, 2, "参数错误-1.5不是一个有效的10进制数！"},
    {"102", 2, 10, 3, "参数错误-102不是一个有效的2进制数！"},
    {"  1 2 ", 10, 16, 4, "参数错误-1 2不是一个有效的10进制数！"},
    {"12\r\n3G", 10, 16, 6, "参数错误-12\r\n3G不是一个有效的10进制数！"},
    {"中", 10, 16, 1, "参数错误-中不是一个有效的10进制数！"},
    {"0x1F", 16, 10, 2, "参数错误-0x1F不是一个有效的16进制数！"},
    {"+1", 10, 16, 1, "参数错误-+1不是一个有效的10进制数！"},
    {{"1\0", 2}, 10, 16, 2, {"参数错误-1\0不是一个有效的10进制数！", 35}},
};

TEST(Radix, RefusesWithThePageMessages) {
  for (const auto& b : kBad) {
    SCOPED_TRACE(b.number);
    auto got = Convert(b.number, b.from, b.to);
    ASSERT_FALSE(got.ok());
    EXPECT_EQ(got.error->position, b.position);
    EXPECT_EQ(got.error->message, b.message);
    EXPECT_TRUE(got.value.empty());
  }
}

TEST(Radix, LongInvalidNumberIsShortenedAndThePlaceNamed) {
  const std::string number = std::string(100, '1') + "G";
  auto got = Convert(number, 10, 16);
  ASSERT_FALSE(got.ok());
  EXPECT_EQ(got.error->position, 101u);
  EXPECT_EQ(got.error->message, "参数错误-" + std::string(32, '1') +
                                    "…不是一个有效的10进制数！（第101个字节“G”不是它的数字）");
}

// Positional notation done by hand on digit vectors, one digit at a time: the
// number in base `from` is divided by `to` digit by digit until nothing is left.
std::string ReferenceConvert(std::string_view number, int from, int to) {
  const std::string digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::vector<int> n;
  for (char c : number) n.push_back(static_cast<int>(digits.find(static_cast<char>(std::toupper(c)))));
  std::string out;
  for (;;) {
    while (!n.empty() && n.front() == 0) n.erase(n.begin());
    if (n.empty()) break;
    int remainder = 0;
    for (int& d : n) {
      int cur = remainder * from + d;
      d = cur / to;
      remainder = cur % to;
    }
    out.insert(out.begin(), digits[remainder]);
  }
  return out.empty() ? "0" : out;
}

TEST(Radix, StepwiseConversionAgreesWithDigitByDigitReference) {
  const std::string digits = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::mt19937 rng(36);
  for (int from = kMinBase; from <= kMaxBase; ++from) {
    for (int to = kMinBase; to <= kMaxBase; ++to) {
      for (int round = 0; round < 3; ++round) {
        std::string number(1 + rng() % 60, '0');
        for (auto& c : number) c = digits[rng() % from];
        SCOPED_TRACE(number + " " + std::to_string(from) + "->" + std::to_string(to));
        auto got = Convert(number, from, to);
        ASSERT_TRUE(got.ok()) << got.error->message;
        ASSERT_EQ(got.value, ReferenceConvert(number, from, to));
      }
    }
  }
}

// Long numbers are split in halves at powers of the base: numbers past the
// split sizes, with zero halves, zero runs and all-top digits, against the
// reference.
TEST(Radix, SplitConversionAgreesWithReferenceOnLongNumbers) {
  const std::string digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::mt19937 rng(1500);
  const std::pair<int, int> pairs[] = {{10, 16}, {16, 10}, {2, 36}, {36, 2}, {10, 3}, {7, 10}, {35, 36}, {36, 35}};
  for (auto [from, to] : pairs) {
    const char top = digits[from - 1];
    std::vector<std::string> numbers = {
        "1" + std::string(1200, '0'),                                      // a power of the base
        std::string(1200, top),                                            // the base's power minus one
        "1" + std::string(600, '0') + "1" + std::string(600, '0') + "1",  // zero runs between ones
    };
    for (int length : {100, 129, 200, 257, 513, 1000, 1500}) {
      std::string n(length, '0');
      for (auto& c : n) c = digits[rng() % from];
      numbers.push_back(n);
    }
    for (const auto& number : numbers) {
      SCOPED_TRACE(std::to_string(from) + "->" + std::to_string(to) + " " + number.substr(0, 20) + "... (" +
                   std::to_string(number.size()) + " digits)");
      auto got = Convert(number, from, to);
      ASSERT_TRUE(got.ok()) << got.error->message;
      ASSERT_EQ(got.value, ReferenceConvert(number, from, to));
    }
  }
}

TEST(Radix, LongNumbersRoundTrip) {
  std::mt19937 rng(100000);
  for (int base : {2, 10, 16, 36}) {
    std::string number(3000, '0');
    const std::string digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (auto& c : number) c = digits[rng() % base];
    number[0] = '1';
    for (int via : {3, 10, 16, 36}) {
      auto there = Convert(number, base, via);
      ASSERT_TRUE(there.ok());
      auto back = Convert(there.value, via, base);
      ASSERT_TRUE(back.ok());
      EXPECT_EQ(back.value, number) << base << " via " << via;
    }
  }
}

}  // namespace
}  // namespace yz::radix

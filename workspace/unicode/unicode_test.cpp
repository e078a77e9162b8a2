#include "workspace/unicode/unicode.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "services/encoding.h"

namespace yz::unicode {
namespace {

struct Case {
  std::u16string_view text;
  std::string_view written;
};

constexpr Case kEncodings[] = {
    {u"中文", "4E2D6587"},
    {u"abc", "006100620063"},
    {u"", ""},
    {{u"\0", 1}, "0000"},
    {{u"a\0b", 3}, "006100000062"},
    {u"\xFFFF", "FFFF"},
    // beyond U+FFFF: the surrogate pair
    {u"\U0001F600", "D83DDE00"},
    {u"\U0010FFFF", "DBFFDFFF"},
    // a lone surrogate is a code unit like any other
    {u"\xD800", "D800"},
    {u"\xDE00\xD83D", "DE00D83D"},
};

TEST(Unicode, WritesFourUpperCaseDigitsPerCodeUnit) {
  std::string reused = "left over from an earlier, much longer conversion";
  for (const auto& c : kEncodings) {
    SCOPED_TRACE(c.written);
    EXPECT_EQ(Encode(c.text), c.written);
    EncodeTo(c.text, reused);
    EXPECT_EQ(reused, c.written);
  }
}

TEST(Unicode, ReadsBackWhatItWrites) {
  for (const auto& c : kEncodings) {
    SCOPED_TRACE(c.written);
    auto got = Decode(AnsiToWide(c.written));
    ASSERT_TRUE(got.ok()) << got.error->message;
    EXPECT_EQ(got.value, c.text);
    WideText reused = u"left over from an earlier, much longer conversion";
    EXPECT_FALSE(DecodeTo(AnsiToWide(c.written), reused).has_value());
    EXPECT_EQ(reused, c.text);
  }
}

struct Read {
  std::u16string_view written;
  std::u16string_view want;
};

constexpr Read kMarkedForms[] = {
    // the bare form, any case, white space between units
    {u"4e2d6587", u"中文"},
    {u"4E2D 6587", u"中文"},
    {u" 4E2D\r\n6587\t", u"中文"},
    {u"  ", u""},
    // \uXXXX and %uXXXX: one code unit each
    {u"\\u4E2D\\u6587", u"中文"},
    {u"\\U4e2d", u"中"},
    {u"%u4E2D%U6587", u"中文"},
    {u"\\uD83D\\uDE00", u"\U0001F600"},
    // U+ and &#x: one code point each
    {u"U+4E2D U+6587", u"中文"},
    {u"u+4e2d", u"中"},
    {u"U+0041", u"A"},
    {u"U+1F600", u"\U0001F600"},
    {u"U+10FFFF", u"\U0010FFFF"},
    {u"&#x4E2D;&#x6587;", u"中文"},
    {u"&#X4e2d", u"中"},
    {u"&#x41;", u"A"},
    {u"&#x1F600;", u"\U0001F600"},
    // &#NNNN; decimal, as HTML also writes it
    {u"&#20013;&#25991;", u"中文"},
    {u"&#128512;", u"\U0001F600"},
    // forms mixed
    {u"\\u4E2D U+6587 &#x41; 0042", u"中文AB"},
    {u"4E2DU+6587", u"中文"},
    // surrogates written alone are kept
    {u"D800", u"\xD800"},
    {u"\\uDC00 0041", u"\xDC00" u"A"},
};

TEST(Unicode, ReadsCommonMarkedForms) {
  for (const auto& c : kMarkedForms) {
    SCOPED_TRACE(WideToUtf8(c.written));
    auto got = Decode(c.written);
    ASSERT_TRUE(got.ok()) << got.error->message;
    EXPECT_EQ(got.value, c.want);
  }
}

struct Bad {
  std::u16string_view written;
  std::size_t position;
};

constexpr Bad kBad[] = {
    // bare digits not in fours
    {u"4E2D658", 5},
    {u"4E2", 1},
    {u"4E2G", 1},
    {u"0x4E2D", 1},
    // characters that are neither digits nor markers
    {u"4E2D,6587", 5},
    {u"4E2D;", 5},
    {u"中", 1},
    {u"4E2D中", 5},
    {u"4E2D\U0001F600", 5},
    {u"\\x41", 1},
    {u"\\", 1},
    {u"\x3000" u"4E2D", 1},
    // markers without their digits
    {u"\\u4E2", 1},
    {u"\\u", 1},
    {u"0041\\u", 5},
    {u"%u12", 1},
    {u"U+12", 1},
    {u"U+", 1},
    {u"U+1234567", 1},
    {u"&#x;", 1},
    {u"&#x", 1},
    {u"&#x1234567;", 1},
    {u"&#65", 1},
    {u"&#;", 1},
    {u"&#123456789;", 1},
    {u"&x41;", 1},
    // beyond U+10FFFF
    {u"U+110000", 1},
    {u"0041 &#x110000;", 6},
    {u"&#1114112;", 1},
};

TEST(Unicode, RefusesAnythingElseAtItsPosition) {
  for (const auto& b : kBad) {
    SCOPED_TRACE(WideToUtf8(b.written));
    auto got = Decode(b.written);
    ASSERT_FALSE(got.ok());
    EXPECT_EQ(got.error->position, b.position) << got.error->message;
    EXPECT_NE(got.error->message.find("第" + std::to_string(b.position) + "个字符"), std::string::npos)
        << got.error->message;
    EXPECT_TRUE(got.value.empty());
    WideText reused = u"stale";
    auto error = DecodeTo(b.written, reused);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->position, b.position);
    EXPECT_TRUE(reused.empty());
  }
}

TEST(Unicode, MessageNamesTheOffendingPiece) {
  EXPECT_EQ(Decode(u"4E2D658").error->message, "第5个字符起的“658”不足4位：每个编码单元应写作4位十六进制数字");
  EXPECT_EQ(Decode(u"4E2D,6587").error->message,
            "第5个字符“,”不是十六进制数字，也不是可识别的前缀（\\u、%u、U+、&#x）");
  EXPECT_EQ(Decode(u"4E2D中").error->message,
            "第5个字符“中”不是十六进制数字，也不是可识别的前缀（\\u、%u、U+、&#x）");
  EXPECT_EQ(Decode(u"\\u4E").error->message, "第1个字符起的“\\u4E”之后应有4位十六进制数字");
  EXPECT_EQ(Decode(u"U+110000").error->message, "第1个字符起的“U+110000”超出了Unicode的范围（最大为U+10FFFF）");
}

// The written form done the obvious way.
std::string ReferenceEncode(std::u16string_view text) {
  std::string s;
  for (char16_t u : text) {
    char buf[5];
    std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(u));
    s += buf;
  }
  return s;
}

TEST(Unicode, RoundTripsEveryCodeUnit) {
  std::u16string all;
  for (uint32_t u = 0; u <= 0xFFFF; ++u) all.push_back(static_cast<char16_t>(u));
  const std::string written = Encode(all);
  EXPECT_EQ(written, ReferenceEncode(all));
  auto back = Decode(AnsiToWide(written));
  ASSERT_TRUE(back.ok()) << back.error->message;
  EXPECT_EQ(back.value, all);
}

TEST(Unicode, RoundTripsTextWrittenInEachForm) {
  std::mt19937 rng(0x4E2D);
  for (int round = 0; round < 500; ++round) {
    std::u16string text;
    for (int k = rng() % 10; k > 0; --k) {
      uint32_t cp = rng() % 2 ? 0x20 + rng() % 0x60 : (rng() % 4 ? 0x4E00 + rng() % 0x5200 : 0x10000 + rng() % 0x100000);
      if (cp >= 0x10000) {
        text.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
      } else {
        text.push_back(static_cast<char16_t>(cp));
      }
    }
    // The bare form, and the same units marked \u, %u and split by spaces.
    const std::string bare = Encode(text);
    std::string escaped, percent, spaced;
    for (std::size_t at = 0; at < bare.size(); at += 4) {
      escaped += "\\u" + bare.substr(at, 4);
      percent += "%u" + bare.substr(at, 4);
      spaced += bare.substr(at, 4) + (rng() % 2 ? " " : "\r\n");
    }
    for (const std::string& form : {bare, escaped, percent, spaced}) {
      auto back = Decode(AnsiToWide(form));
      ASSERT_TRUE(back.ok()) << form << ": " << back.error->message;
      ASSERT_EQ(back.value, text) << form;
    }
  }
}

}  // namespace
}  // namespace yz::unicode

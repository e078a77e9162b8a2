#include "workspace/url/url.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "services/encoding.h"

namespace yz::url {
namespace {

struct Case {
  std::string_view bytes;
  std::string_view text;
};

constexpr Case kEncodings[] = {
    // The page's own examples
    {"中", "%D6%D0"},
    {"1-2.3", "1%2D2%2E3"},
    {"\r\n", "%0D%0A"},
    {"abcXYZ0129", "abcXYZ0129"},
    {"", ""},
    // The 34 listed characters, in their order
    {"`~!@#$%^&*()-_=+[{]};:'\\|,<.>/?\"\r\n",
     "%60%7E%21%40%23%24%25%5E%26%2A%28%29%2D%5F%3D%2B%5B%7B%5D%7D%3B%3A%27%5C%7C%2C%3C%2E%3E%2F%3F%22%0D%0A"},
    // Space and the other control bytes
    {" ", "%20"},
    {"a b", "a%20b"},
    {{"\0", 1}, "%00"},
    {{"a\0b", 3}, "a%00b"},
    {"\x01\x09\x1F\x7F", "%01%09%1F%7F"},
    // Bytes from 0x80 up
    {"\x80\xFF", "%80%FF"},
    {"http://例.cn/?q=中文", "http%3A%2F%2F%C0%FD%2Ecn%2F%3Fq%3D%D6%D0%CE%C4"},
};

TEST(Url, EncodesBytes) {
  std::string reused = "left over from an earlier, much longer conversion";
  for (const auto& c : kEncodings) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Encode(c.bytes), c.text);
    EncodeTo(c.bytes, reused);
    EXPECT_EQ(reused, c.text);
  }
}

TEST(Url, DecodesWhatItEncodes) {
  for (const auto& c : kEncodings) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Decode(c.text), c.bytes);
  }
}

constexpr Case kDecodings[] = {
    // either letter case
    {"\xD6\xD0", "%d6%d0"},
    {"\xE4\xB8\xAD", "%e4%B8%aD"},
    // "+" is a space
    {"a b", "a+b"},
    {"  ", "++"},
    {"+", "%2B"},
    // a "%" without two hexadecimal digits stays
    {"%", "%"},
    {"%4", "%4"},
    {"100%", "100%"},
    {"%G1", "%G1"},
    {"%1G", "%1G"},
    {"% 41", "% 41"},
    {"%A", "%%41"},
    {"%%", "%%"},
    // one decoding only
    {"%2B", "%252B"},
    // everything else as written, raw GBK included
    {"中文", "中文"},
    {"a%00b", "a%2500b"},
    {{"\0", 1}, "%00"},
};

TEST(Url, DecodesEscapesAndLeavesTheRest) {
  ByteSeq reused = "left over from an earlier, much longer conversion";
  for (const auto& c : kDecodings) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Decode(c.text), c.bytes);
    DecodeTo(c.text, reused);
    EXPECT_EQ(reused, c.bytes);
  }
}

bool IsAsciiAlnum(unsigned char b) {
  return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

// Every punctuation character of ASCII is in the list, so what stays is
// exactly the letters and digits.
std::string ReferenceEncode(std::string_view bytes) {
  std::string s;
  for (unsigned char b : bytes) {
    if (IsAsciiAlnum(b)) {
      s += static_cast<char>(b);
    } else {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%%%02X", b);
      s += buf;
    }
  }
  return s;
}

std::string ReferenceDecode(std::string_view text) {
  auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
  std::string s;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) && hex(text[i + 2])) {
      s += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      s += text[i] == '+' ? ' ' : text[i];
    }
  }
  return s;
}

TEST(Url, FastPathsAgreeWithReference) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Encode(all), ReferenceEncode(all));
  std::mt19937 rng(3986);
  const std::string pool = "%%%++aF9g0 \xD6";
  std::string out;
  for (int round = 0; round < 5000; ++round) {
    std::string bytes(rng() % 40, '\0');
    for (auto& b : bytes) b = static_cast<char>(rng());
    EncodeTo(bytes, out);
    ASSERT_EQ(out, ReferenceEncode(bytes));
    ASSERT_EQ(Decode(out), bytes);
    std::string text(rng() % 16, '\0');
    for (auto& c : text) c = pool[rng() % pool.size()];
    ASSERT_EQ(Decode(text), ReferenceDecode(text)) << text;
  }
}

// UTF-8 mode

struct WideCase {
  std::u16string_view text;
  std::string_view encoded;
};

constexpr WideCase kUtf8Encodings[] = {
    {u"中", "%E4%B8%AD"},
    {u"中文", "%E4%B8%AD%E6%96%87"},
    {u"a b", "a%20b"},
    {u"1-2.3", "1%2D2%2E3"},
    {u"\U0001F600", "%F0%9F%98%80"},
    {u"é", "%C3%A9"},
    {u"", ""},
    {{u"\0", 1}, "%00"},
};

TEST(UrlUtf8, EncodesUtf8OfText) {
  for (const auto& c : kUtf8Encodings) {
    SCOPED_TRACE(c.encoded);
    bool lossy = true;
    EXPECT_EQ(EncodeUtf8(c.text, &lossy), c.encoded);
    EXPECT_FALSE(lossy);
    auto back = DecodeUtf8(AnsiToWide(c.encoded));
    ASSERT_TRUE(back.ok()) << back.error->message;
    EXPECT_EQ(back.value, c.text);
    // The same through the buffer-reusing forms.
    std::string encoded = "left over from an earlier, much longer conversion";
    EncodeUtf8To(c.text, encoded, &lossy);
    EXPECT_EQ(encoded, c.encoded);
    WideText decoded = u"left over from an earlier, much longer conversion";
    EXPECT_FALSE(DecodeUtf8To(AnsiToWide(c.encoded), decoded).has_value());
    EXPECT_EQ(decoded, c.text);
  }
}

TEST(UrlUtf8, LoneSurrogateIsEncodedAsReplacementAndReported) {
  bool lossy = false;
  EXPECT_EQ(EncodeUtf8(u"a\xD800z", &lossy), "a%EF%BF%BDz");
  EXPECT_TRUE(lossy);
  lossy = false;
  EXPECT_EQ(EncodeUtf8(u"\xDC00", &lossy), "%EF%BF%BD");
  EXPECT_TRUE(lossy);
}

constexpr WideCase kUtf8Decodings[] = {
    {u"中", "%e4%b8%ad"},
    {u"中 文", "%E4%B8%AD+%E6%96%87"},
    {u"中文", "中%E6%96%87"},
    {u"100%", "100%"},
    {u"%zz中", "%zz%E4%B8%AD"},
};

TEST(UrlUtf8, DecodesEscapesAndKeepsRawCharacters) {
  for (const auto& c : kUtf8Decodings) {
    SCOPED_TRACE(c.encoded);
    auto got = DecodeUtf8(AnsiToWide(c.encoded));
    ASSERT_TRUE(got.ok()) << got.error->message;
    EXPECT_EQ(got.value, c.text);
  }
  // Characters no GBK byte holds, written raw, pass through untouched.
  auto raw = DecodeUtf8(u"\U0001F600%41\xD800");
  ASSERT_TRUE(raw.ok());
  EXPECT_EQ(raw.value, u"\U0001F600A\xD800");
}

struct WideBad {
  std::u16string_view text;
  std::size_t position;
};

constexpr WideBad kUtf8Bad[] = {
    {u"%FF", 1},                // never in UTF-8
    {u"%C0%80", 1},             // overlong lead
    {u"a%80", 2},               // stray continuation byte
    {u"%E4%B8", 1},             // cut short by the end
    {u"%E4%B8x", 1},            // cut short by an ASCII byte
    {u"ab%E4中", 3},            // cut short by a raw character
    {u"%E4%B8%AD%E4", 10},      // the second character cut short
    {u"%E0%80%80", 1},          // overlong three-byte form
    {u"%ED%A0%80", 1},          // an encoded surrogate
    {u"%F0%80%80%80", 1},       // overlong four-byte form
    {u"%F4%90%80%80", 1},       // beyond U+10FFFF
    {u"xyz%F5%80%80%80", 4},    // lead byte F5
};

TEST(UrlUtf8, RefusesDecodedBytesThatAreNotUtf8) {
  for (const auto& b : kUtf8Bad) {
    SCOPED_TRACE(WideToUtf8(b.text));
    auto got = DecodeUtf8(b.text);
    ASSERT_FALSE(got.ok());
    EXPECT_EQ(got.error->position, b.position) << got.error->message;
    EXPECT_TRUE(got.value.empty());
    WideText reused = u"stale";
    auto error = DecodeUtf8To(b.text, reused);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->position, b.position);
    EXPECT_TRUE(reused.empty());
  }
}

TEST(UrlUtf8, MessageShowsTheBadSequence) {
  EXPECT_EQ(DecodeUtf8(u"%E4%B8x").error->message, "第1个字符起的“%E4%B8”不是完整的UTF-8字符");
  EXPECT_EQ(DecodeUtf8(u"ab%ED%a0%80").error->message, "第3个字符起的“%ED%a0”不是有效的UTF-8编码");
  EXPECT_EQ(DecodeUtf8(u"a%80").error->message, "第2个字符起的“%80”不是有效的UTF-8编码");
}

TEST(UrlUtf8, AgreesWithServiceConversionAndRoundTrips) {
  std::mt19937 rng(65001);
  for (int round = 0; round < 2000; ++round) {
    std::u16string text;
    for (int k = rng() % 12; k > 0; --k) {
      uint32_t cp;
      switch (rng() % 4) {
        case 0: cp = rng() % 0x80; break;
        case 1: cp = 0x80 + rng() % 0x780; break;
        case 2: cp = 0x800 + rng() % (0xD800 - 0x800); break;
        default: cp = 0x10000 + rng() % 0x100000; break;
      }
      if (cp < 0x10000) {
        text.push_back(static_cast<char16_t>(cp));
      } else {
        text.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
      }
    }
    const std::string encoded = EncodeUtf8(text);
    ASSERT_EQ(encoded, Encode(WideToUtf8(text)));
    auto back = DecodeUtf8(AnsiToWide(encoded));
    ASSERT_TRUE(back.ok()) << back.error->message;
    ASSERT_EQ(back.value, text);
  }
}

}  // namespace
}  // namespace yz::url

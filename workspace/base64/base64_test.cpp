#include "workspace/base64/base64.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace yz::base64 {
namespace {

struct Vector {
  std::string_view bytes;
  std::string_view text;
};

constexpr Vector kVectors[] = {
    // RFC 4648, section 10
    {"", ""},
    {"f", "Zg=="},
    {"fo", "Zm8="},
    {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="},
    {"fooba", "Zm9vYmE="},
    {"foobar", "Zm9vYmFy"},
    // The page's own examples
    {"abc", "YWJj"},
    {"ab", "YWI="},
    {"a", "YQ=="},
    {"中", "1tA="},
    {"中文", "1tDOxA=="},
    // Zero bytes and the ends of the alphabet
    {{"\0", 1}, "AA=="},
    {{"\0\0", 2}, "AAA="},
    {{"\0\0\0", 3}, "AAAA"},
    {{"a\0b", 3}, "YQBi"},
    {"\xFF\xFF\xFF", "////"},
    {"\xFB\xFF\xBF", "+/+/"},
    {{"\x00\x10\x83\x10\x51\x87\x20\x92\x8B\x30\xD3\x8F\x41\x14\x93\x51\x55\x97\x61\x96"
     "\x9B\x71\xD7\x9F\x82\x18\xA3\x92\x59\xA7\xA2\x9A\xAB\xB2\xDB\xAF\xC3\x1C\xB3\xD3"
     "\x5D\xB7\xE3\x9E\xBB\xF3\xDF\xBF", 48},
     "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"},
};

TEST(Base64, EncodesGoldenVectors) {
  std::string reused = "left over from an earlier, much longer conversion";
  for (const auto& v : kVectors) {
    SCOPED_TRACE(v.text);
    EXPECT_EQ(Encode(v.bytes), v.text);
    EncodeTo(v.bytes, reused);
    EXPECT_EQ(reused, v.text);
    EXPECT_EQ(EncodedSize(v.bytes.size()), v.text.size());
  }
}

TEST(Base64, DecodesGoldenVectors) {
  ByteSeq reused = "left over from an earlier, much longer conversion";
  for (const auto& v : kVectors) {
    SCOPED_TRACE(v.text);
    auto got = Decode(v.text);
    ASSERT_TRUE(got.ok()) << got.error->message;
    EXPECT_EQ(got.value, v.bytes);
    EXPECT_FALSE(DecodeTo(v.text, reused).has_value());
    EXPECT_EQ(reused, v.bytes);
  }
}

TEST(Base64, EveryEncodedLengthIsAMultipleOfFour) {
  std::string bytes;
  for (int n = 0; n < 64; ++n, bytes.push_back(static_cast<char>(n * 37))) {
    EXPECT_EQ(Encode(bytes).size() % 4, 0u) << n;
  }
}

// Inputs that mean one thing only, written the way they are pasted.
constexpr Vector kLenient[] = {
    // line breaks, spaces and tabs anywhere
    {"foobar", "Zm9v\r\nYmFy"},
    {"foobar", "Zm9v\nYmFy\n"},
    {"foobar", " Z m 9 v Y m F y "},
    {"foobar", "\tZm9vYmFy\t"},
    {"fooba", "Zm9vYmE\r\n="},
    {"foob", "Zm9vYg= ="},
    {"foob", "Zm9vYg==\r\n"},
    {"", " \r\n\t "},
    // the URL-safe alphabet, alone and mixed with the standard one
    {"\xFB\xFF\xBF", "-_-_"},
    {"\xFB\xFF\xBF\xFB\xFF\xBF", "+/-_"
                                 "-_+/"},
    // missing or incomplete final padding
    {"f", "Zg"},
    {"f", "Zg="},
    {"fo", "Zm8"},
    {"fooba", "Zm9vYmE"},
    {"中", "1tA"},
};

TEST(Base64, DecodesUnambiguousVariants) {
  for (const auto& v : kLenient) {
    SCOPED_TRACE(v.text);
    auto got = Decode(v.text);
    ASSERT_TRUE(got.ok()) << got.error->message;
    EXPECT_EQ(got.value, v.bytes);
  }
}

struct Bad {
  std::string_view text;
  std::size_t position;
};

constexpr Bad kBad[] = {
    // bytes outside both alphabets
    {"Zm9v#mFy", 5},
    {"Zm9vYmFy.", 9},
    {"Zm9v YmF*", 9},
    {{"Zm\0v", 4}, 3},
    {"Zm9v\x01", 5},
    {"Zm中", 3},
    {"Zm9v\vYmFy", 5},
    // padding in the wrong place or followed by more data
    {"=", 1},
    {"Z=", 2},
    {"Zm9vY===", 6},
    {"Zm9v====", 5},
    {"Zg==Zg==", 5},
    {"Zg===", 5},
    {"Zm8==", 5},
    {"Zm8=A", 5},
    {"Zg== x", 6},
    {"Zg==#", 5},
    // a length no bytes give: a single character in the last quantum
    {"Z", 1},
    {"Zm9vY", 5},
    {"Zm9vY\r\n", 5},
    {"Zm9vYmFyZ ", 9},
    // unused low bits set: a truncated or damaged text
    {"Zh==", 2},
    {"Zm9=", 3},
    {"Zh", 2},
    {"Zm9vYmF", 7},
};

TEST(Base64, RefusesAmbiguousOrBrokenTextAtItsPosition) {
  ByteSeq reused = "stale";
  for (const auto& b : kBad) {
    SCOPED_TRACE(b.text);
    auto got = Decode(b.text);
    ASSERT_FALSE(got.ok());
    EXPECT_EQ(got.error->position, b.position);
    EXPECT_NE(got.error->message.find("第" + std::to_string(b.position) + "个字节"), std::string::npos)
        << got.error->message;
    EXPECT_TRUE(got.value.empty());
    auto error = DecodeTo(b.text, reused);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->position, b.position);
    EXPECT_TRUE(reused.empty());
  }
}

TEST(Base64, MessageNamesTheOffendingCharacter) {
  EXPECT_EQ(Decode("Zm9v#mFy").error->message, "第5个字节“#”不是有效的BASE64字符");
  EXPECT_EQ(Decode("Zm中").error->message, "第3个字节“中”不是有效的BASE64字符");
  EXPECT_EQ(Decode({"Zm\0v", 4}).error->message, "第3个字节（0x00）不是有效的BASE64字符");
  EXPECT_EQ(Decode("Zg==Zg==").error->message, "第5个字节“Z”在填充符“=”之后：填充符只能出现在末尾");
}

// A decoder written for clarity, not speed: keep the data characters with
// their positions, check the padding rules one character at a time, then turn
// the values into a string of bits and cut it into bytes.
struct Reference {
  bool ok;
  std::string bytes;
  std::size_t position;
};

Reference ReferenceDecode(std::string_view text) {
  const std::string standard = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const std::string urlSafe = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::vector<int> values;
  std::vector<std::size_t> where;
  int pads = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    if (c == '=') {
      if (values.size() % 4 < 2 || values.size() % 4 + pads + 1 > 4) return {false, "", i + 1};
      ++pads;
      continue;
    }
    auto at = standard.find(c);
    if (at == std::string::npos) at = urlSafe.find(c);
    if (at == std::string::npos || pads > 0) return {false, "", i + 1};
    values.push_back(static_cast<int>(at));
    where.push_back(i);
  }
  if (values.size() % 4 == 1) return {false, "", where.back() + 1};
  std::string bits;
  for (int v : values) {
    for (int b = 5; b >= 0; --b) bits.push_back((v >> b & 1) ? '1' : '0');
  }
  std::string bytes;
  std::size_t whole = bits.size() / 8 * 8;
  for (std::size_t at = 0; at < whole; at += 8) bytes.push_back(static_cast<char>(std::stoi(bits.substr(at, 8), nullptr, 2)));
  if (bits.find('1', whole) != std::string::npos) return {false, "", where.back() + 1};
  return {true, bytes, 0};
}

TEST(Base64, FastDecoderAgreesWithReferenceOnRandomText) {
  std::mt19937 rng(4648);
  const std::string pool =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
      "-_ \r\n\t=#";
  int refused = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    if (round % 2 == 0) {
      // A valid encoding with a few random changes.
      std::string bytes(rng() % 40, '\0');
      for (auto& b : bytes) b = static_cast<char>(rng());
      text = Encode(bytes);
      for (int k = rng() % 3; k > 0 && !text.empty(); --k) {
        std::size_t at = rng() % (text.size() + 1);
        if (rng() % 2) {
          text.insert(at, 1, pool[rng() % pool.size()]);
        } else if (at < text.size()) {
          text.erase(at, 1);
        }
      }
    } else {
      text.resize(rng() % 24);
      for (auto& c : text) c = pool[rng() % pool.size()];
    }
    SCOPED_TRACE(text);
    auto want = ReferenceDecode(text);
    auto got = Decode(text);
    ASSERT_EQ(got.ok(), want.ok) << (got.ok() ? "" : got.error->message);
    if (want.ok) {
      EXPECT_EQ(got.value, want.bytes);
    } else {
      EXPECT_EQ(got.error->position, want.position) << got.error->message;
      ++refused;
    }
  }
  EXPECT_GT(refused, 1000);  // the mix exercises both outcomes
}

// The encoder written for clarity: the bytes as a string of bits, cut into
// sixes, padded.
std::string ReferenceEncode(std::string_view bytes) {
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bits;
  for (unsigned char b : bytes) {
    for (int k = 7; k >= 0; --k) bits.push_back((b >> k & 1) ? '1' : '0');
  }
  while (bits.size() % 6 != 0) bits.push_back('0');
  std::string text;
  for (std::size_t at = 0; at < bits.size(); at += 6) text.push_back(alphabet[std::stoi(bits.substr(at, 6), nullptr, 2)]);
  while (text.size() % 4 != 0) text.push_back('=');
  return text;
}

TEST(Base64, FastEncoderAgreesWithReferenceAtEveryLength) {
  std::mt19937 rng(2045);
  std::string out;
  for (std::size_t n = 0; n < 200; ++n) {
    std::string bytes(n, '\0');
    for (auto& b : bytes) b = static_cast<char>(rng());
    EncodeTo(bytes, out);
    ASSERT_EQ(out, ReferenceEncode(bytes)) << n;
  }
}

TEST(Base64, RoundTripsBytesAndCanonicalText) {
  std::mt19937 rng(1321);
  ByteSeq bytes;
  std::string text;
  for (int n = 0; n < 3000; n += 1 + n / 8) {
    bytes.resize(n);
    for (auto& b : bytes) b = static_cast<char>(rng());
    EncodeTo(bytes, text);
    auto back = Decode(text);
    ASSERT_TRUE(back.ok()) << back.error->message;
    EXPECT_EQ(back.value, bytes) << n;
    EXPECT_EQ(Encode(back.value), text) << n;
  }
}

TEST(Base64, DecodesTextWrappedAtAnyWidth) {
  std::string bytes(1000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 + 7);
  const std::string text = Encode(bytes);
  for (std::size_t width = 1; width <= 80; ++width) {
    std::string wrapped;
    for (std::size_t at = 0; at < text.size(); at += width) wrapped += text.substr(at, width) + "\r\n";
    auto got = Decode(wrapped);
    ASSERT_TRUE(got.ok()) << width << ": " << got.error->message;
    EXPECT_EQ(got.value, bytes) << width;
  }
}

}  // namespace
}  // namespace yz::base64

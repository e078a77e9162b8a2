#include "workspace/byteset/byteset.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace yz::byteset {
namespace {

struct Case {
  std::string_view bytes;
  Form form;
  std::string_view notation;
};

constexpr Case kEncodings[] = {
    // The page's own examples
    {"abc", Form::kBare, "{97,98,99}"},
    {"abc", Form::kWrapped, "到文本({97,98,99})"},
    {"中", Form::kBare, "{214,208}"},
    {"", Form::kBare, "{}"},
    {"", Form::kWrapped, "到文本({})"},
    // One, two and three digits; zero bytes
    {{"\0", 1}, Form::kBare, "{0}"},
    {{"\0\xFF", 2}, Form::kBare, "{0,255}"},
    {{"a\0b", 3}, Form::kWrapped, "到文本({97,0,98})"},
    {"\x09\x0A\x63\x64\xC7", Form::kBare, "{9,10,99,100,199}"},
    {"\xFF", Form::kWrapped, "到文本({255})"},
};

TEST(ByteSet, WritesNotation) {
  AnsiText reused = "left over from an earlier, much longer conversion";
  for (const auto& c : kEncodings) {
    SCOPED_TRACE(c.notation);
    EXPECT_EQ(Encode(c.bytes, c.form), c.notation);
    EncodeTo(c.bytes, c.form, reused);
    EXPECT_EQ(reused, c.notation);
  }
}

TEST(ByteSet, ReadsNotationItWrites) {
  for (const auto& c : kEncodings) {
    SCOPED_TRACE(c.notation);
    auto got = Decode(c.notation, c.form);
    ASSERT_TRUE(got.ok()) << got.error->message;
    EXPECT_EQ(got.value, c.bytes);
  }
}

constexpr Case kLaidOut[] = {
    // white space around values and braces, as a program source lays it out
    {"abc", Form::kBare, " { 97 , 98 , 99 } "},
    {"abc", Form::kBare, "{\r\n  97,\r\n  98,\r\n  99\r\n}\r\n"},
    {"abc", Form::kBare, "\t{97,\t98,\t99}\t"},
    {"", Form::kBare, "{ }"},
    {"", Form::kBare, "\n{\n}\n"},
    {"abc", Form::kWrapped, "到文本 ( { 97, 98, 99 } ) "},
    {"abc", Form::kWrapped, "  到文本({97,98,99}\r\n)"},
    {"", Form::kWrapped, "到文本( {} )"},
    // leading zeros are still decimal
    {"\x07\xFF", Form::kBare, "{007,000255}"},
    {{"\0", 1}, Form::kBare, "{000}"},
};

TEST(ByteSet, ReadsNotationLaidOutWithWhiteSpace) {
  for (const auto& c : kLaidOut) {
    SCOPED_TRACE(c.notation);
    auto got = Decode(c.notation, c.form);
    ASSERT_TRUE(got.ok()) << got.error->message;
    EXPECT_EQ(got.value, c.bytes);
  }
}

TEST(ByteSet, AsksForNotationWhenThereIsNone) {
  for (std::string_view empty : {"", " ", "\r\n\t "}) {
    for (Form form : {Form::kBare, Form::kWrapped}) {
      auto got = Decode(empty, form);
      ASSERT_FALSE(got.ok());
      EXPECT_EQ(got.error->message, "请输入字节集！");
      EXPECT_EQ(got.error->position, 0u);
    }
  }
}

TEST(ByteSet, FormThatDoesNotFitTheOptionAsksToChangeIt) {
  auto tick = Decode("到文本({97,98,99})", Form::kBare);
  ASSERT_FALSE(tick.ok());
  EXPECT_EQ(tick.error->message, "转换失败，请勾选“到文本”选项，谢谢！");
  auto untick = Decode("{97,98,99}", Form::kWrapped);
  ASSERT_FALSE(untick.ok());
  EXPECT_EQ(untick.error->message, "转换失败，请取消勾选“到文本”选项，谢谢！");
  // Leading white space does not hide the form.
  EXPECT_EQ(Decode("\r\n 到文本({})", Form::kBare).error->message, kTickWrapped);
  EXPECT_EQ(Decode("\r\n {}", Form::kWrapped).error->message, kUntickWrapped);
}

struct Bad {
  std::string_view notation;
  Form form;
  std::size_t position;
};

constexpr Bad kBad[] = {
    // missing braces
    {"{97,98,99", Form::kBare, 10},
    {"{97,98,", Form::kBare, 8},
    {"{", Form::kBare, 2},
    {"97,98}", Form::kBare, 1},
    {"abc", Form::kBare, 1},
    // empty elements
    {"{97,,98}", Form::kBare, 5},
    {"{,97}", Form::kBare, 2},
    {"{97,}", Form::kBare, 5},
    {"{97, }", Form::kBare, 6},
    // values that are not decimal 0 to 255
    {"{256}", Form::kBare, 2},
    {"{97,1000}", Form::kBare, 5},
    {"{99999999999999999999}", Form::kBare, 2},
    {"{-1}", Form::kBare, 2},
    {"{+1}", Form::kBare, 2},
    {"{0x10}", Form::kBare, 2},
    {"{9 7}", Form::kBare, 2},
    {"{97;98}", Form::kBare, 2},
    {"{ 1a }", Form::kBare, 3},
    {"{中}", Form::kBare, 2},
    {"{{97}}", Form::kBare, 2},
    {{"{9\0}", 4}, Form::kBare, 2},
    // something after the end
    {"{97}x", Form::kBare, 5},
    {"{97}}", Form::kBare, 5},
    {"{97} {98}", Form::kBare, 6},
    // the wrapped form, broken
    {"到文本({97}", Form::kWrapped, 12},
    {"到文本{97})", Form::kWrapped, 7},
    {"到文本(97)", Form::kWrapped, 8},
    {"到文本({97})x", Form::kWrapped, 13},
    {"到文本({97,x})", Form::kWrapped, 12},
    {"abc", Form::kWrapped, 1},
};

TEST(ByteSet, RefusesBrokenNotationAtItsPosition) {
  ByteSeq reused = "stale";
  for (const auto& b : kBad) {
    SCOPED_TRACE(b.notation);
    auto got = Decode(b.notation, b.form);
    ASSERT_FALSE(got.ok());
    EXPECT_EQ(got.error->position, b.position) << got.error->message;
    EXPECT_TRUE(got.value.empty());
    auto error = DecodeTo(b.notation, b.form, reused);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->position, b.position);
    EXPECT_TRUE(reused.empty());
  }
}

TEST(ByteSet, MessageNamesTheOffendingValue) {
  EXPECT_EQ(Decode("{97,256}", Form::kBare).error->message, "第5个字节的“256”不是0到255之间的十进制数");
  EXPECT_EQ(Decode("{9 7}", Form::kBare).error->message, "第2个字节的“9 7”不是0到255之间的十进制数");
  EXPECT_EQ(Decode("{中}", Form::kBare).error->message, "第2个字节的“中”不是0到255之间的十进制数");
  EXPECT_EQ(Decode("{97,,98}", Form::kBare).error->message,
            "第5个字节处缺少数值：“,”之前应有一个0到255之间的十进制数");
  EXPECT_EQ(Decode("{97,98", Form::kBare).error->message, "缺少右括号“}”：字节集到文本末尾还没有结束");
  // A long run of junk is cut, not copied whole into the message.
  EXPECT_EQ(Decode("{" + std::string(1000, 'x') + "}", Form::kBare).error->message,
            "第2个字节的“xxxxxxxxxxxxxxxxxxxx…”不是0到255之间的十进制数");
}

// The notation written the obvious way.
std::string ReferenceEncode(std::string_view bytes, Form form) {
  std::string s = form == Form::kWrapped ? "到文本({" : "{";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) s += ",";
    s += std::to_string(static_cast<unsigned char>(bytes[i]));
  }
  return s + (form == Form::kWrapped ? "})" : "}");
}

TEST(ByteSet, FastWriterAgreesWithReference) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Encode(all, Form::kBare), ReferenceEncode(all, Form::kBare));
  std::mt19937 rng(255);
  AnsiText out;
  for (int n = 0; n < 200; ++n) {
    std::string bytes(n, '\0');
    for (auto& b : bytes) b = static_cast<char>(rng());
    for (Form form : {Form::kBare, Form::kWrapped}) {
      EncodeTo(bytes, form, out);
      ASSERT_EQ(out, ReferenceEncode(bytes, form)) << n;
    }
  }
}

TEST(ByteSet, RoundTripsBytesAndNotation) {
  std::mt19937 rng(97);
  for (int n = 0; n < 300; n += 1 + n / 10) {
    std::string bytes(n, '\0');
    for (auto& b : bytes) b = static_cast<char>(rng());
    for (Form form : {Form::kBare, Form::kWrapped}) {
      const AnsiText notation = Encode(bytes, form);
      auto back = Decode(notation, form);
      ASSERT_TRUE(back.ok()) << back.error->message;
      EXPECT_EQ(back.value, bytes);
      EXPECT_EQ(Encode(back.value, form), notation);
      // The same notation with line breaks after every comma reads the same.
      std::string laidOut;
      for (char c : notation) laidOut += c == ',' ? std::string(",\r\n  ") : std::string(1, c);
      auto again = Decode(laidOut, form);
      ASSERT_TRUE(again.ok()) << again.error->message;
      EXPECT_EQ(again.value, bytes);
    }
  }
}

}  // namespace
}  // namespace yz::byteset

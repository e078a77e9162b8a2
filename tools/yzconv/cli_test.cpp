#include "tools/yzconv/cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "services/encoding.h"

namespace yz::cli {
namespace {

struct Outcome {
  int code;
  std::string out, err;
};

Outcome RunWith(const std::vector<std::string>& args, std::string_view input) {
  std::istringstream in{std::string(input)};
  std::ostringstream out, err;
  int code = Run(args, in, out, err);
  return {code, out.str(), err.str()};
}

// UTF-8 bytes of a u8 literal, for the --utf8-io cases.
std::string Utf8(std::u8string_view s) { return {s.begin(), s.end()}; }

struct Case {
  std::vector<std::string> args;
  std::string input;
  std::string out;
};

const Case kCases[] = {
    // every command on GBK bytes
    {{"byteset"}, "abc", "{97,98,99}"},
    {{"byteset", "--wrap"}, "abc", "到文本({97,98,99})"},
    {{"byteset"}, "", "{}"},
    {{"unbyteset"}, "{214,208}\n", "中"},
    {{"unbyteset", "--wrap"}, "到文本({97})", "a"},
    {{"hex"}, "中", "D6D0"},
    {{"hex"}, {"a\0b", 3}, "610062"},
    {{"radix", "10", "16"}, "255\n", "FF"},
    {{"radix", "2", "36"}, "100011", "Z"},
    {{"url"}, "中 1-2.3", "%D6%D0%201%2D2%2E3"},
    {{"url", "--utf8"}, "中", "%E4%B8%AD"},
    {{"unurl"}, "%D6%D0+a", "中 a"},
    {{"unurl", "--utf8"}, "%E4%B8%AD", "中"},
    {{"base64"}, "abc", "YWJj"},
    {{"base64"}, "中", "1tA="},
    {{"unbase64"}, "1tA=\n", "中"},
    {{"unbase64"}, "AA==", {"\0", 1}},
    {{"unicode"}, "中文", "4E2D6587"},
    {{"ununicode"}, "\\u4E2D U+6587", "中文"},
    {{"md5"}, "abc", "900150983cd24fb0d6963f7d28e17f72"},
    {{"md5", "--16"}, "", "8f00b204e9800998"},
    // empty input: the empty result of each conversion
    {{"base64"}, "", ""},
    {{"unbase64"}, "", ""},
    {{"ununicode"}, "", ""},
    {{"unurl", "--utf8"}, "", ""},
    // --utf8-io: UTF-8 in and out, the conversions on GBK or UTF-16 as before
    {{"hex", "--utf8-io"}, Utf8(u8"中"), "D6D0"},
    {{"--utf8-io", "unbase64"}, "1tA=", Utf8(u8"中")},
    {{"byteset", "--wrap", "--utf8-io"}, "a", Utf8(u8"到文本({97})")},
    {{"url", "--utf8", "--utf8-io"}, Utf8(u8"\U0001F600"), "%F0%9F%98%80"},
    {{"unicode", "--utf8-io"}, Utf8(u8"\U0001F600"), "D83DDE00"},
    {{"ununicode", "--utf8-io"}, "D83DDE00", Utf8(u8"\U0001F600")},
    {{"md5", "--utf8-io"}, Utf8(u8"中"), "5301da37e5ffca1823a5cef67488d4bf"},
};

TEST(Yzconv, RunsEveryCommand) {
  for (const auto& c : kCases) {
    std::string line;
    for (const auto& a : c.args) line += a + " ";
    SCOPED_TRACE(line);
    auto got = RunWith(c.args, c.input);
    EXPECT_EQ(got.code, kOk) << got.err;
    EXPECT_EQ(got.out, c.out);
    EXPECT_EQ(got.err, "");
  }
}

struct Refused {
  std::vector<std::string> args;
  std::string input;
  std::string message;  // what the error stream says (a part of it)
};

const Refused kRefusals[] = {
    // the pages' own messages
    {{"unbase64"}, "Zm9v#", "第5个字节“#”不是有效的BASE64字符"},
    {{"unbyteset"}, "", "请输入字节集！"},
    {{"unbyteset"}, "到文本({97})", "转换失败，请勾选“到文本”选项，谢谢！"},
    {{"unbyteset", "--wrap"}, "{97}", "转换失败，请取消勾选“到文本”选项，谢谢！"},
    {{"radix", "16", "10"}, "1G", "参数错误-1G不是一个有效的16进制数！"},
    {{"radix", "1", "16"}, "5", "参数错误-进制只能在2-36之间"},
    {{"radix", "10", "16"}, "\n", "请输入文本！"},
    {{"ununicode"}, "4E2", "第1个字符起的“4E2”不足4位"},
    {{"unurl", "--utf8"}, "%FF", "不是有效的UTF-8编码"},
    // what the chosen encodings cannot carry, never replaced silently
    {{"ununicode"}, "D83DDE00", "GBK无法表示"},
    {{"ununicode", "--utf8-io"}, "D800", "单独的代理项"},
    {{"hex", "--utf8-io"}, Utf8(u8"\U0001F600"), "GBK无法表示"},
    {{"hex", "--utf8-io"}, "\xFF", "不是有效的UTF-8"},
    {{"unicode"}, "a\xD6", "不是有效的GBK"},  // a double-byte character cut short
    {{"unbase64", "--utf8-io"}, "1g==", "无法写成UTF-8"},  // a lone lead byte D6
};

TEST(Yzconv, RefusedInputGivesThePageMessageAndExitCodeOne) {
  for (const auto& r : kRefusals) {
    SCOPED_TRACE(r.args[0] + " " + r.input);
    auto got = RunWith(r.args, r.input);
    EXPECT_EQ(got.code, kRefused);
    EXPECT_EQ(got.out, "");
    // With --utf8-io the message itself is written in UTF-8.
    const bool utf8 = std::find(r.args.begin(), r.args.end(), "--utf8-io") != r.args.end();
    EXPECT_NE(got.err.find(utf8 ? AnsiToUtf8(r.message) : r.message), std::string::npos) << got.err;
    EXPECT_EQ(got.err.back(), '\n');
  }
}

TEST(Yzconv, MessagesAreUtf8WithUtf8Io) {
  auto got = RunWith({"unbyteset", "--utf8-io"}, "");
  EXPECT_EQ(got.code, kRefused);
  EXPECT_EQ(got.err, Utf8(u8"请输入字节集！\n"));
}

TEST(Yzconv, WrongCommandLineGivesExitCodeTwo) {
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"frobnicate"},
      {"hex", "--wrap"},
      {"base64", "--utf8"},
      {"radix", "10"},
      {"radix", "10", "16", "2"},
      {"radix", "ten", "16"},
      {"radix", "10", "16x"},
      {"hex", "extra"},
      {"md5", "a", "b"},
  };
  for (const auto& args : wrong) {
    SCOPED_TRACE(args.empty() ? "(nothing)" : args[0]);
    auto got = RunWith(args, "abc");
    EXPECT_EQ(got.code, kUsage);
    EXPECT_EQ(got.out, "");
    EXPECT_NE(got.err.find("yzconv --help"), std::string::npos) << got.err;
  }
}

TEST(Yzconv, HelpListsEveryCommandAndOption) {
  auto got = RunWith({"--help"}, "");
  EXPECT_EQ(got.code, kOk);
  for (const char* word : {"byteset [--wrap]", "unbyteset [--wrap]", "hex", "radix FROM TO", "url [--utf8]",
                           "unurl [--utf8]", "base64", "unbase64", "unicode", "ununicode", "md5 [--16] [FILE]",
                           "--utf8-io", "--help"}) {
    EXPECT_NE(got.out.find(word), std::string::npos) << word;
  }
}

TEST(Yzconv, Md5OfFileAndOfLongInput) {
  const auto dir = std::filesystem::temp_directory_path() / ("yzconv_test_" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  const auto file = dir / "abc.txt";
  std::ofstream(file, std::ios::binary) << "abc";
  const std::string name = file.string();
  auto got = RunWith({"md5", name}, "ignored");
  EXPECT_EQ(got.code, kOk) << got.err;
  EXPECT_EQ(got.out, "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(RunWith({"md5", "--16", name}, "").out, "3cd24fb0d6963f7d");
  auto missing = RunWith({"md5", (dir / "none").string()}, "");
  EXPECT_EQ(missing.code, kRefused);
  EXPECT_NE(missing.err.find("无法打开文件"), std::string::npos) << missing.err;
  std::filesystem::remove_all(dir);
  // A million "a", read from the stream in pieces (RFC 1321 test suites' long vector).
  EXPECT_EQ(RunWith({"md5"}, std::string(1000000, 'a')).out, "7707d6ae4e027c70eea2a935c2296f21");
}

}  // namespace
}  // namespace yz::cli

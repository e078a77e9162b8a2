#include "tools/yzconv/cli.h"

#include <charconv>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>

#include "services/encoding.h"
#include "services/md5.h"
#include "workspace/base64/base64.h"
#include "workspace/byteset/byteset.h"
#include "workspace/md5/md5.h"
#include "workspace/radix/radix.h"
#include "workspace/unicode/unicode.h"
#include "workspace/url/url.h"

namespace yz::cli {
namespace {

constexpr std::size_t kPiece = std::size_t{1} << 20;

// A refusal: the message (GBK) goes to the error stream, the exit code is 1.
struct Refusal {
  AnsiText message;
};

template <class T>
struct Result {
  std::optional<T> value;
  Refusal refusal;
  static Result Ok(T v) { return {std::move(v), {}}; }
  static Result No(AnsiText message) { return {std::nullopt, {std::move(message)}}; }
};

std::string ReadAll(std::istream& in) {
  std::string all;
  auto piece = std::make_unique<char[]>(kPiece);
  for (std::streamsize got; (got = in.rdbuf()->sgetn(piece.get(), kPiece)) > 0;) {
    all.append(piece.get(), static_cast<std::size_t>(got));
  }
  return all;
}

bool HasLoneSurrogate(std::u16string_view w) {
  for (std::size_t i = 0; i < w.size(); ++i) {
    if (w[i] >= 0xD800 && w[i] <= 0xDBFF && i + 1 < w.size() && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF) {
      ++i;
    } else if (w[i] >= 0xD800 && w[i] <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

// The program's text streams: GBK bytes, or UTF-8 with --utf8-io. Nothing
// is converted silently: input that is not well-formed in its encoding,
// or that GBK cannot hold where GBK is needed, and output that the chosen
// encoding cannot hold are refused.
class Text {
 public:
  explicit Text(bool utf8) : utf8_(utf8) {}

  // The input as GBK text.
  Result<AnsiText> Ansi(const std::string& input) const {
    if (!utf8_) return Result<AnsiText>::Ok(input);
    auto wide = Wide(input);
    if (!wide.value) return Result<AnsiText>::No(wide.refusal.message);
    bool lossy = false;
    AnsiText gbk = WideToAnsi(*wide.value, &lossy);
    if (lossy) return Result<AnsiText>::No("输入中有GBK无法表示的字符：这个命令按GBK字节转换");
    return Result<AnsiText>::Ok(std::move(gbk));
  }

  // The input as UTF-16 text.
  Result<WideText> Wide(const std::string& input) const {
    WideText wide = utf8_ ? Utf8ToWide(input) : AnsiToWide(input);
    const bool exact = utf8_ ? WideToUtf8(wide) == input : WideToAnsi(wide) == input;
    if (!exact) return Result<WideText>::No(utf8_ ? "输入不是有效的UTF-8文本" : "输入不是有效的GBK文本（可用--utf8-io读入UTF-8）");
    return Result<WideText>::Ok(std::move(wide));
  }

  // GBK text (or decoded bytes, taken as GBK text) for the output.
  Result<std::string> FromAnsi(const AnsiText& text) const {
    if (!utf8_) return Result<std::string>::Ok(text);
    WideText wide = AnsiToWide(text);
    if (WideToAnsi(wide) != text) {
      return Result<std::string>::No("结果不是有效的GBK文本，无法写成UTF-8（去掉--utf8-io可得到原样的字节）");
    }
    return Result<std::string>::Ok(WideToUtf8(wide));
  }

  // UTF-16 text for the output.
  Result<std::string> FromWide(const WideText& text) const {
    if (HasLoneSurrogate(text)) return Result<std::string>::No("结果中有单独的代理项（D800-DFFF），无法写成文本");
    if (utf8_) return Result<std::string>::Ok(WideToUtf8(text));
    bool lossy = false;
    AnsiText gbk = WideToAnsi(text, &lossy);
    if (lossy) return Result<std::string>::No("结果中有GBK无法表示的字符（可用--utf8-io输出UTF-8）");
    return Result<std::string>::Ok(std::move(gbk));
  }

  // A GBK message for the error stream.
  std::string Message(const AnsiText& message) const { return utf8_ ? AnsiToUtf8(message) : message; }

 private:
  bool utf8_;
};

struct CommandLine {
  std::string command;
  std::vector<std::string> operands;
  std::set<std::string> options;
};

// What each command takes: its options and how many operands.
struct Shape {
  std::string_view name;
  std::set<std::string> options;
  std::size_t minOperands, maxOperands;
};

const Shape kShapes[] = {
    {"byteset", {"--wrap"}, 0, 0},   {"unbyteset", {"--wrap"}, 0, 0}, {"hex", {}, 0, 0},
    {"radix", {}, 2, 2},             {"url", {"--utf8"}, 0, 0},       {"unurl", {"--utf8"}, 0, 0},
    {"base64", {}, 0, 0},            {"unbase64", {}, 0, 0},          {"unicode", {}, 0, 0},
    {"ununicode", {}, 0, 0},         {"md5", {"--16"}, 0, 1},
};

std::optional<int> Integer(const std::string& text) {
  int v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

}  // namespace

std::string Usage() {
  return "用法：yzconv 命令 [选项] < 输入\n"
         "砚舟工具的转换，供脚本使用：从标准输入读入文本（GBK字节），\n"
         "结果写到标准输出，末尾不加换行。空的输入转换成空的结果（byteset 为 {}），\n"
         "unbyteset 和 radix 则提示输入。\n"
         "\n"
         "命令：\n"
         "  byteset [--wrap]    文本到字节集：abc → {97,98,99}；--wrap 写成 到文本({97,98,99})\n"
         "  unbyteset [--wrap]  字节集到文本；--wrap 读 到文本({…}) 的形式\n"
         "  hex                 文本的十六进制：每个字节两位大写数字，中 → D6D0\n"
         "  radix FROM TO       把FROM进制的非负整数转换成TO进制（进制2-36，数可以任意长）\n"
         "  url [--utf8]        URL编码：GBK字节；--utf8 按UTF-8字节\n"
         "  unurl [--utf8]      URL解码：%XX 和 + （空格）\n"
         "  base64              BASE64编码（RFC 4648）\n"
         "  unbase64            BASE64解码：跳过空白，也接受 - 和 _，末尾的 = 可以省略\n"
         "  unicode             每个UTF-16编码单元写成4位大写十六进制，中文 → 4E2D6587\n"
         "  ununicode           读回上面的形式，以及 \\uXXXX、%uXXXX、U+XXXX、&#xXXXX;、&#NNNN;\n"
         "  md5 [--16] [FILE]   MD5，32位小写；--16 取第9到24位；给出FILE时分块读取并计算该文件\n"
         "\n"
         "选项：\n"
         "  --utf8-io           输入按UTF-8读入，输出和提示写成UTF-8（默认都是GBK）\n"
         "  --help              显示本说明\n"
         "\n"
         "退出码：0 成功；1 输入被拒绝（原因写到标准错误）；2 命令行有误。\n";
}

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  CommandLine line;
  bool help = false, utf8io = false;
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      help = true;
    } else if (a == "--utf8-io") {
      utf8io = true;
    } else if (a.starts_with("--")) {
      line.options.insert(a);
    } else if (line.command.empty()) {
      line.command = a;
    } else {
      line.operands.push_back(a);
    }
  }
  const Text text(utf8io);
  if (help) {
    out << text.Message(Usage());
    return kOk;
  }
  auto usage = [&](const std::string& what) {
    err << text.Message("yzconv：" + what + "（yzconv --help 列出用法）") << '\n';
    return kUsage;
  };
  if (line.command.empty()) return usage("缺少命令");
  const Shape* shape = nullptr;
  for (const Shape& s : kShapes) {
    if (s.name == line.command) shape = &s;
  }
  if (!shape) return usage("没有“" + line.command + "”这个命令");
  for (const std::string& o : line.options) {
    if (!shape->options.contains(o)) return usage(line.command + "不接受选项" + o);
  }
  if (line.operands.size() < shape->minOperands || line.operands.size() > shape->maxOperands) {
    return usage(line.command + "的参数个数不对");
  }
  const bool option = !line.options.empty();
  std::optional<int> fromBase, toBase;
  if (line.command == "radix") {
    fromBase = Integer(line.operands[0]);
    toBase = Integer(line.operands[1]);
    if (!fromBase || !toBase) return usage("radix的两个进制应是十进制整数");
  }

  auto refuse = [&](const AnsiText& message) {
    err << text.Message(message) << '\n';
    return kRefused;
  };
  auto write = [&](const Result<std::string>& result) {
    if (!result.value) return refuse(result.refusal.message);
    out.write(result.value->data(), static_cast<std::streamsize>(result.value->size()));
    return kOk;
  };
  auto writeAscii = [&](const std::string& ascii) { return write(Result<std::string>::Ok(ascii)); };

  const std::string& c = line.command;

  if (c == "md5") {
    const bool short16 = option;
    AnsiText digest;
    if (!line.operands.empty()) {
      const std::string& name = line.operands[0];
      auto file = md5::DigestFile(FileNameFromUtf8(name));
      if (!file.ok()) return refuse(file.error->message);
      digest = file.value;
    } else if (!utf8io) {
      // The bytes are the text: digest them as they come.
      Md5 md5;
      auto piece = std::make_unique<char[]>(kPiece);
      for (std::streamsize got; (got = in.rdbuf()->sgetn(piece.get(), kPiece)) > 0;) {
        md5.Update(std::string_view(piece.get(), static_cast<std::size_t>(got)));
      }
      digest = md5::HexDigest(md5.Finish());
    } else {
      auto gbk = text.Ansi(ReadAll(in));
      if (!gbk.value) return refuse(gbk.refusal.message);
      digest = DataDigest(*gbk.value);
    }
    return writeAscii(short16 ? md5::RowsOf(digest).short16 : digest);
  }

  const std::string input = ReadAll(in);

  // The commands on UTF-16 text.
  if (c == "unicode" || c == "ununicode" || ((c == "url" || c == "unurl") && option)) {
    auto wide = text.Wide(input);
    if (!wide.value) return refuse(wide.refusal.message);
    if (c == "unicode") return writeAscii(unicode::Encode(*wide.value));
    if (c == "url") return writeAscii(url::EncodeUtf8(*wide.value));
    auto decoded = c == "ununicode" ? unicode::Decode(*wide.value) : url::DecodeUtf8(*wide.value);
    if (!decoded.ok()) return refuse(decoded.error->message);
    return write(text.FromWide(decoded.value));
  }

  // The commands on GBK bytes.
  auto gbk = text.Ansi(input);
  if (!gbk.value) return refuse(gbk.refusal.message);
  const AnsiText& bytes = *gbk.value;
  const auto form = option ? byteset::Form::kWrapped : byteset::Form::kBare;

  if (c == "byteset") return write(text.FromAnsi(byteset::Encode(bytes, form)));
  if (c == "hex") return writeAscii(radix::ToHex(bytes));
  if (c == "url") return writeAscii(url::Encode(bytes));
  if (c == "unurl") return write(text.FromAnsi(url::Decode(bytes)));
  if (c == "base64") return writeAscii(base64::Encode(bytes));

  if (c == "radix") {
    auto number = radix::Convert(bytes, *fromBase, *toBase);
    if (!number.ok()) return refuse(number.error->message);
    return writeAscii(number.value);
  }
  auto decoded = c == "unbyteset" ? byteset::Decode(bytes, form) : base64::Decode(bytes);
  if (!decoded.ok()) return refuse(decoded.error->message);
  return write(text.FromAnsi(decoded.value));
}

}  // namespace yz::cli

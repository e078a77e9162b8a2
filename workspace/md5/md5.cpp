#include "workspace/md5/md5.h"

#include <cassert>
#include <memory>

#include "services/md5.h"

namespace yz::md5 {
namespace {

std::string Named(const FileName& name) {
  std::string named = "“";
  named += FileNameText(name);
  named += "”";
  return named;
}

}  // namespace

Rows RowsOf(std::string_view digest) {
  assert(digest.size() == 32);
  Rows rows{std::string(digest), std::string(digest.substr(8, 16)), std::string(digest)};
  for (char& c : rows.upper32) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  return rows;
}

Rows TextRows(std::string_view bytes) { return RowsOf(DataDigest(bytes)); }

AnsiText HexDigest(const std::array<std::uint8_t, 16>& digest) {
  static constexpr char kHex[] = "0123456789abcdef";
  AnsiText text(32, '0');
  for (std::size_t i = 0; i < digest.size(); ++i) {
    text[2 * i] = kHex[digest[i] >> 4];
    text[2 * i + 1] = kHex[digest[i] & 15];
  }
  return text;
}

Conversion<AnsiText> DigestFile(const FileName& name, const Progress& progress) {
  // Others may go on writing the file meanwhile (a log, a download): the
  // digest is of what was read, and a file that shrank is reported below.
  FileReader file;
  switch (file.Open(name, FileReader::Sharing::kAnyone)) {
    case FileReader::Opened::kYes: break;
    case FileReader::Opened::kFolder: return Conversion<AnsiText>::Failure(0, Named(name) + "是文件夹，请拖放文件");
    case FileReader::Opened::kNo: return Conversion<AnsiText>::Failure(0, "无法打开文件" + Named(name));
  }

  Md5 md5;
  auto piece = std::make_unique<char[]>(kFilePiece);
  std::uint64_t done = 0;
  for (;;) {
    const std::optional<std::size_t> got = file.Read(piece.get(), kFilePiece);
    if (!got) {
      return Conversion<AnsiText>::Failure(
          0, "读取文件" + Named(name) + "时出错：读到" + std::to_string(done) + "字节后无法继续读取");
    }
    if (*got == 0) break;
    md5.Update(std::string_view(piece.get(), *got));
    done += *got;
    if (progress && !progress(done, file.size().value_or(done))) {
      return Conversion<AnsiText>::Failure(0, std::string(kStopped));
    }
  }
  if (done < file.size().value_or(done)) {
    return Conversion<AnsiText>::Failure(0, "读取文件" + Named(name) + "时出错：只读到" + std::to_string(done) +
                                                "字节，文件有" + std::to_string(*file.size()) + "字节");
  }
  return Conversion<AnsiText>::Success(HexDigest(md5.Finish()));
}

}  // namespace yz::md5

#include "workspace/md5/md5.h"

#include <cassert>
#include <fstream>
#include <memory>
#include <system_error>

#include "services/encoding.h"
#include "services/md5.h"

namespace yz::md5 {
namespace {

std::string Named(const std::filesystem::path& path) {
  std::string named = "“";
  named += WideToAnsi(path.u16string());
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

Conversion<AnsiText> DigestFile(const std::filesystem::path& path, const Progress& progress) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    return Conversion<AnsiText>::Failure(0, Named(path) + "是文件夹，请拖放文件");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return Conversion<AnsiText>::Failure(0, "无法打开文件" + Named(path));
  const std::uint64_t total = std::filesystem::file_size(path, ec);
  const bool sized = !ec;

  Md5 md5;
  auto piece = std::make_unique<char[]>(kFilePiece);
  std::uint64_t done = 0;
  for (;;) {
    const std::streamsize got = in.rdbuf()->sgetn(piece.get(), static_cast<std::streamsize>(kFilePiece));
    if (got <= 0) break;
    md5.Update(std::string_view(piece.get(), static_cast<std::size_t>(got)));
    done += static_cast<std::uint64_t>(got);
    if (progress && !progress(done, sized ? total : done)) {
      return Conversion<AnsiText>::Failure(0, std::string(kStopped));
    }
  }
  // A stream buffer reports a read error as the end of the file: a file that
  // ends before its size was read went wrong (or shrank meanwhile).
  if (in.bad() || (sized && done < total)) {
    return Conversion<AnsiText>::Failure(0, "读取文件" + Named(path) + "时出错：只读到" + std::to_string(done) +
                                                "字节，文件有" + std::to_string(total) + "字节");
  }
  return Conversion<AnsiText>::Success(HexDigest(md5.Finish()));
}

}  // namespace yz::md5

#include <climits>
#include <cstdio>
#include <memory>

#include "services/encoding.h"
#include "services/file_bytes.h"

namespace yz {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

ByteSeq ReadFileBytes(std::string_view name) {
  if (name.empty()) return {};
  // File names on Linux are UTF-8; the name arrives as GBK like every text.
  const std::string path = AnsiToUtf8(name);
  if (path.empty()) return {};
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return {};
  ByteSeq out;
  char buf[65536];
  std::size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, file.get())) > 0) {
    if (out.size() + got > static_cast<std::size_t>(INT_MAX)) return {};
    out.append(buf, got);
  }
  if (std::ferror(file.get())) return {};
  return out;
}

}  // namespace yz

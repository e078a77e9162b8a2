#include "services/file_bytes.h"

#include <climits>

namespace yz {

ByteSeq ReadFileBytes(std::string_view name) {
  constexpr std::size_t kLongest = INT_MAX;
  if (name.empty()) return {};
  const FileName file = FileNameFromAnsi(name);
  if (file.empty()) return {};
  FileReader reader;
  if (reader.Open(file, FileReader::Sharing::kReaders) != FileReader::Opened::kYes) return {};
  if (reader.size() > kLongest) return {};

  // Read to the end whatever the size said: a file may change while it is
  // read, and some files cannot tell their size.
  ByteSeq out(reader.size().value_or(0), '\0');
  std::size_t done = 0;
  while (done < out.size()) {
    const std::optional<std::size_t> got = reader.Read(out.data() + done, out.size() - done);
    if (!got) return {};
    if (*got == 0) break;
    done += *got;
  }
  out.resize(done);
  char more[65536];
  for (;;) {
    const std::optional<std::size_t> got = reader.Read(more, sizeof more);
    if (!got) return {};
    if (*got == 0) return out;
    if (kLongest - out.size() < *got) return {};
    out.append(more, *got);
  }
}

}  // namespace yz

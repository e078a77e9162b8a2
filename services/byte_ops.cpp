#include "services/byte_ops.h"

#include <algorithm>
#include <cstring>

namespace yz {
namespace {

std::size_t ClampedCount(int count, std::size_t length) {
  return count <= 0 ? 0 : std::min(length, static_cast<std::size_t>(count));
}

// Index of the first occurrence of `sought` (non-empty) at or after `from`,
// or npos: looks for the first byte with memchr and compares the whole
// sequence only there.
std::size_t Find(std::string_view bytes, std::string_view sought, std::size_t from) {
  const char first = sought[0];
  const std::size_t last = bytes.size() - sought.size();  // last index a match can start at
  while (from <= last) {
    auto p = static_cast<const char*>(std::memchr(bytes.data() + from, first, last - from + 1));
    if (!p) return std::string_view::npos;
    std::size_t at = static_cast<std::size_t>(p - bytes.data());
    if (std::memcmp(p + 1, sought.data() + 1, sought.size() - 1) == 0) return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

}  // namespace

int BytesLength(std::string_view bytes) { return static_cast<int>(bytes.size()); }

ByteSeq BytesLeft(std::string_view bytes, int count) {
  return ByteSeq(bytes.substr(0, ClampedCount(count, bytes.size())));
}

ByteSeq BytesRight(std::string_view bytes, int count) {
  return ByteSeq(bytes.substr(bytes.size() - ClampedCount(count, bytes.size())));
}

ByteSeq BytesMid(std::string_view bytes, int start, int count) {
  const std::size_t at =
      static_cast<std::size_t>(std::clamp<long long>(start, 1, static_cast<long long>(bytes.size()) + 1) - 1);
  return ByteSeq(bytes.substr(at, ClampedCount(count, bytes.size() - at)));
}

int FindBytes(std::string_view bytes, std::string_view sought, int start) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (sought.empty() || from >= bytes.size() || sought.size() > bytes.size()) return -1;
  const std::size_t at = Find(bytes, sought, from);
  return at == std::string_view::npos ? -1 : static_cast<int>(at + 1);
}

ByteSeq ReplaceBytes(std::string_view bytes, std::string_view sought, std::string_view replacement, int start,
                     std::optional<int> limit) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (sought.empty() || from >= bytes.size() || sought.size() > bytes.size()) return ByteSeq(bytes);
  ByteSeq out;
  out.reserve(bytes.size());
  out.append(bytes.substr(0, from));
  std::size_t pos = from;
  for (long long done = 0; !limit || done < *limit; ++done) {
    const std::size_t at = Find(bytes, sought, pos);
    if (at == std::string_view::npos) break;
    out.append(bytes.substr(pos, at - pos));
    out.append(replacement);
    pos = at + sought.size();
    if (pos + sought.size() > bytes.size()) break;
  }
  out.append(bytes.substr(pos));
  return out;
}

ByteSeq ZeroBytes(int count) { return count <= 0 ? ByteSeq() : ByteSeq(static_cast<std::size_t>(count), '\0'); }

ByteSeq RepeatBytes(int count, std::string_view bytes) {
  ByteSeq out;
  if (count <= 0 || bytes.empty()) return out;
  out.reserve(bytes.size() * static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) out.append(bytes);
  return out;
}

}  // namespace yz

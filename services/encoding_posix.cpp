#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "services/encoding.h"

namespace yz {
namespace {

// Converts with iconv, replacing what cannot be converted: an ill-formed input
// unit is skipped `badInputStep` bytes at a time, and each skip and each
// unconvertible character writes `replacement`.
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, size_t badInputStep, bool* lossy) {
  if (lossy) *lossy = false;
  std::string out;
  if (in.empty()) return out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  out.resize(in.size() * 2 + 16);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
    size_t used = static_cast<size_t>(dst - out.data());
    if (errno == E2BIG || dstLeft < replacement.size()) {
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dstLeft = out.size() - used;
      continue;
    }
    // EILSEQ (no form in the target, or ill-formed input) or EINVAL (a
    // sequence cut off by the end of the input, which becomes one replacement,
    // as MultiByteToWideChar makes it).
    const bool truncated = errno == EINVAL;
    if (lossy) *lossy = true;
    std::memcpy(dst, replacement.data(), replacement.size());
    dst += replacement.size();
    dstLeft -= replacement.size();
    size_t step = truncated ? srcLeft : std::min(badInputStep, srcLeft);
    src += step;
    srcLeft -= step;
  }
  out.resize(static_cast<size_t>(dst - out.data()));
  iconv_close(cd);
  return out;
}

WideText BytesToWide(std::string_view bytes) {
  WideText w(bytes.size() / 2, u'\0');
  std::memcpy(w.data(), bytes.data(), w.size() * 2);
  return w;
}

std::string_view WideBytes(std::u16string_view w) {
  return {reinterpret_cast<const char*>(w.data()), w.size() * 2};
}

constexpr std::string_view kWideReplacement{"\xFD\xFF", 2};  // U+FFFD, little-endian

}  // namespace

WideText AnsiToWide(std::string_view gbk) {
  return BytesToWide(Convert("UTF-16LE", "CP936", gbk, kWideReplacement, 1, nullptr));
}

AnsiText WideToAnsi(std::u16string_view wide, bool* lossy) {
  return Convert("CP936", "UTF-16LE", WideBytes(wide), "?", 2, lossy);
}

std::string WideToUtf8(std::u16string_view wide) {
  return Convert("UTF-8", "UTF-16LE", WideBytes(wide), "\xEF\xBF\xBD", 2, nullptr);
}

WideText Utf8ToWide(std::string_view utf8) {
  return BytesToWide(Convert("UTF-16LE", "UTF-8", utf8, kWideReplacement, 1, nullptr));
}

}  // namespace yz

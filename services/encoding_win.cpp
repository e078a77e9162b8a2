#include <windows.h>

#include "services/encoding.h"

namespace yz {
namespace {

constexpr UINT kGbk = 936;

WideText ToWide(UINT codePage, std::string_view in) {
  if (in.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (n <= 0) return {};
  WideText out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()),
                      reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

std::string FromWide(UINT codePage, std::u16string_view in, bool* lossy) {
  if (lossy) *lossy = false;
  if (in.empty()) return {};
  auto src = reinterpret_cast<const wchar_t*>(in.data());
  int srcLen = static_cast<int>(in.size());
  BOOL usedDefault = FALSE;
  // The UTF-8 code page refuses the used-default argument.
  BOOL* usedDefaultArg = codePage == CP_UTF8 ? nullptr : &usedDefault;
  int n = WideCharToMultiByte(codePage, 0, src, srcLen, nullptr, 0, nullptr, usedDefaultArg);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, src, srcLen, out.data(), n, nullptr, usedDefaultArg);
  if (lossy) *lossy = usedDefault != FALSE;
  return out;
}

}  // namespace

WideText AnsiToWide(std::string_view gbk) { return ToWide(kGbk, gbk); }
AnsiText WideToAnsi(std::u16string_view wide, bool* lossy) { return FromWide(kGbk, wide, lossy); }
std::string WideToUtf8(std::u16string_view wide) { return FromWide(CP_UTF8, wide, nullptr); }
WideText Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }

}  // namespace yz

// Conversions between GBK (code page 936), UTF-16 and UTF-8.
//
// The code page is always 936, whatever the system's ANSI code page is, so the
// program's GBK texts read right on any Windows locale. On Windows the
// conversions go through MultiByteToWideChar / WideCharToMultiByte; on Linux
// through iconv's CP936, so both builds run the same tests.
//
// Every conversion returns a new value; empty input gives empty output.
// Characters that have no form in the target become the replacement
// character ('?' in GBK, U+FFFD in UTF-8). Ill-formed input never fails: each
// bad sequence becomes a replacement character of the conversion facility's
// choosing (U+FFFD, or '?' for a broken GBK pair on Windows), and the text
// around it is kept.
#pragma once

#include "services/text_types.h"

namespace yz {

WideText AnsiToWide(std::string_view gbk);
// `lossy`, when given, is set to whether a character had no GBK form.
AnsiText WideToAnsi(std::u16string_view wide, bool* lossy = nullptr);
std::string WideToUtf8(std::u16string_view wide);
WideText Utf8ToWide(std::string_view utf8);
std::string AnsiToUtf8(std::string_view gbk);
AnsiText Utf8ToAnsi(std::string_view utf8);

// The zero-terminated text at `address`, of at most size − 1 bytes (the copy
// lstrcpynA makes into a buffer of `size` bytes). A null address or a size
// below 2 gives empty.
AnsiText CopyTextAt(const char* address, int size);

}  // namespace yz

// The MD5 page (RFC 1321 digests): the three rows of a digest, for a text's
// bytes and for a file read in pieces.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "services/file_bytes.h"
#include "services/text_types.h"
#include "workspace/conversion.h"

namespace yz::md5 {

// The three rows of the page.
struct Rows {
  AnsiText digest;   // "MD5："    the 32 lower-case digits, as DataDigest gives them
  AnsiText short16;  // "MD5_16：" the 16-digit form: digits 9 to 24 of the 32, lower case
  AnsiText upper32;  // "MD5_32：" the 32 digits in upper case, as that box shows them
};

// The rows of a digest given as 32 lower-case hexadecimal digits (anything
// else is a programmer's error).
Rows RowsOf(std::string_view digest);

// The rows of the MD5 of `bytes` (the GBK bytes of the main box).
Rows TextRows(std::string_view bytes);

// A 16-byte digest as 32 lower-case hexadecimal digits.
AnsiText HexDigest(const std::array<std::uint8_t, 16>& digest);

// Called after each piece of a file: bytes read so far, and the file's size
// when it was opened. Returning false stops the digest.
using Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// The size of the pieces DigestFile reads.
inline constexpr std::size_t kFilePiece = std::size_t{1} << 20;

// The MD5 of the file named `name` as 32 lower-case digits, read in pieces of
// kFilePiece bytes with the incremental digest, never whole: any size (over
// 4 GiB too); an empty file gives the digest of no bytes. Refused, with a
// message naming the file (position 0): a folder, a file that cannot be
// opened or read, and a stop asked for by `progress`.
Conversion<AnsiText> DigestFile(const FileName& name, const Progress& progress = {});

// The message of a digest stopped by `progress`.
inline constexpr std::string_view kStopped = "文件MD5计算已停止";

}  // namespace yz::md5

// Operations on byte sequences (ByteSeq, the user interface's 字节集).
//
// Positions are 1-based, −1 means not found, and the empty sequence is
// accepted everywhere. Every operation returns a new sequence.
#pragma once

#include <optional>
#include <string_view>

#include "services/text_types.h"

namespace yz {

// Number of bytes; 0 for empty.
int BytesLength(std::string_view bytes);

// The first / last `count` bytes, count clamped to 0 … length.
ByteSeq BytesLeft(std::string_view bytes, int count);
ByteSeq BytesRight(std::string_view bytes, int count);

// `count` bytes from `start`: start clamped to 1 … length+1, a negative count
// taken as 0, clipped at the end.
ByteSeq BytesMid(std::string_view bytes, int start, int count);

// 1-based position of the first occurrence of `sought` at or after `start`
// (start < 1 counts as 1), or −1; an empty `sought` gives −1.
int FindBytes(std::string_view bytes, std::string_view sought, int start = 1);

// Copies the bytes before `start` (start < 1 counts as 1); from there replaces
// non-overlapping occurrences of `sought`, left to right, by `replacement`
// (empty deletes them), at most `limit` of them (no limit: all; limit ≤ 0:
// none). An empty `sought` or a start past the end gives an unchanged copy.
ByteSeq ReplaceBytes(std::string_view bytes, std::string_view sought, std::string_view replacement = {},
                     int start = 1, std::optional<int> limit = std::nullopt);

// `count` zero bytes; count ≤ 0 gives empty.
ByteSeq ZeroBytes(int count);

// `bytes` `count` times over; count ≤ 0 gives empty.
ByteSeq RepeatBytes(int count, std::string_view bytes);

}  // namespace yz

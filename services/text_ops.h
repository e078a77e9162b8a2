// Text operations on GBK text (AnsiText).
//
// Lengths, counts and positions are in bytes; positions are 1-based and −1
// means not found. The empty text is accepted everywhere. Every operation
// returns a new value.
//
// Double-byte awareness: FindText, SplitText, TrimSpaces, ToUpper, ToLower and
// ToHalfWidth walk the text from its first byte; a byte ≥ 0x80 is a lead byte
// and is taken with the next byte as one character. A match, a delimiter, a
// space or a letter is only recognised at a character start, never at a trail
// byte. A lead byte at the very end of the text (no trail byte) ends the walk
// and is kept as it stands.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "services/text_types.h"

namespace yz {

// Number of bytes (a Chinese character counts 2).
int TextLength(std::string_view text);

// The first / last min(count, length) bytes; count ≤ 0 gives empty. The cut
// may fall inside a double-byte character.
AnsiText TextLeft(std::string_view text, int count);
AnsiText TextRight(std::string_view text, int count);

// `count` bytes from `start` (1-based), clipped at the end; start < 1,
// start > length or count ≤ 0 give empty.
AnsiText TextMid(std::string_view text, int start, int count);

// The byte at `position`, sign-extended (0xD6 gives −42); a position < 1 or
// past the last byte gives 0.
int CodeAt(std::string_view text, int position = 1);

// A one-byte text holding the low 8 bits of `code`; code 0 gives empty.
AnsiText CharFromCode(int code);

// 1-based position of the first occurrence of `sought` at a character start
// at or after byte `start` (start < 1 counts as 1), or −1. A start past the
// end finds nothing; an empty `sought` gives 1 when a byte remains to be
// searched. With `ignoreCase` ASCII letters match either case.
int FindText(std::string_view text, std::string_view sought, int start = 1, bool ignoreCase = false);

// Removes up to `count` bytes at `start` (clamped to 1 … length+1) and puts
// `replacement` there.
AnsiText ReplaceText(std::string_view text, int start, int count, std::string_view replacement = {});

// Splits at each `delimiter` found at a character start:
// - the empty text or a limit ≤ 0 gives no elements; no limit means unlimited;
// - an empty delimiter gives the whole text as the one element;
// - every delimiter ends an element (possibly empty); after `limit` elements
//   the rest of the text is dropped;
// - the bytes after the last delimiter are an element only when not empty
//   and the limit did not stop the walk: "a,,b" gives 3 elements, "a,b,"
//   gives 2 and ",a" gives 2 (the first empty).
std::vector<AnsiText> SplitText(std::string_view text, std::string_view delimiter = ",",
                                std::optional<int> limit = std::nullopt);

// Removes leading and trailing spaces: the ASCII space and the full-width
// space A1 A1. Tab, CR and LF are not spaces.
AnsiText TrimSpaces(std::string_view text);

// Change ASCII letters only; double-byte characters are copied unchanged.
AnsiText ToUpper(std::string_view text);
AnsiText ToLower(std::string_view text);

// Full-width ASCII A3 A1 … A3 FE becomes the bytes 0x21 … 0x7E; the
// full-width space A1 A1 becomes " ", A1 AB becomes "~", A1 EE and A1 EF
// become "*"; everything else is copied unchanged.
AnsiText ToHalfWidth(std::string_view text);

// `count` ASCII spaces; count < 1 gives empty.
AnsiText SpaceText(int count);

// Negative, 0 or positive as text1 sorts before, with or after text2,
// character by character (bytes compared as unsigned values). Without
// `caseSensitive` ASCII letters at character starts compare as lower case.
int CompareText(std::string_view text1, std::string_view text2, bool caseSensitive);

// Upper-case hexadecimal without leading zeros ("%X"); a negative value gives
// its 8-digit two's complement.
AnsiText HexText(int value);

}  // namespace yz

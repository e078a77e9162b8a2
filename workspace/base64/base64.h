// Base64 (RFC 4648, section 4) of the Base64 page.
//
// Encoding writes the standard alphabet with "=" padding and no line breaks.
// Decoding is lenient where the meaning is unambiguous and strict elsewhere:
//
//   text    = *( ws / char ) [ pad *ws ]
//   char    = "A"-"Z" / "a"-"z" / "0"-"9" / "+" / "/" / "-" / "_"
//   pad     = "=" [ *ws "=" ]        only after the 2nd or 3rd character of a quantum
//   ws      = CR / LF / SP / HTAB    skipped wherever it stands
//
// "-" and "_" (the URL-safe alphabet, RFC 4648 section 5) read as "+" and "/".
// The final padding may be missing or incomplete ("YQ", "YQ=" and "YQ==" all
// give "a"). Refused, with the 1-based byte position of the fault: any other
// byte, padding in the 1st or 2nd place of a quantum or followed by more data,
// a final quantum of a single character (no length of bytes gives it), and a
// final character whose unused low bits are not zero (a truncated or corrupted
// text, which would otherwise decode to something silently different).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "services/text_types.h"
#include "workspace/conversion.h"

namespace yz::base64 {

// The length of the Base64 text of `byteCount` bytes (a multiple of 4).
constexpr std::size_t EncodedSize(std::size_t byteCount) { return (byteCount + 2) / 3 * 4; }

// The Base64 text of `bytes`; the empty input gives the empty text.
std::string Encode(std::string_view bytes);

// As Encode, into `out` (resized to EncodedSize; its capacity is reused).
void EncodeTo(std::string_view bytes, std::string& out);

// The bytes that `text` stands for, or the first fault in it.
Conversion<ByteSeq> Decode(std::string_view text);

// As Decode, into `out` (its capacity is reused). On success `out` holds the
// bytes and the result is empty; on failure `out` is emptied and the error
// is returned.
std::optional<ConversionError> DecodeTo(std::string_view text, ByteSeq& out);

}  // namespace yz::base64

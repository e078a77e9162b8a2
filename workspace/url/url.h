// Percent-encoding of the URL page (RFC 3986 escapes, with this program's own
// set of encoded bytes), over GBK bytes or over UTF-8.
//
// Encoded, as "%" and two upper-case hexadecimal digits (so a byte below 16 is
// "%0" and one digit):
//   - the 34 characters  ` ~ ! @ # $ % ^ & * ( ) - _ = + [ { ] } ; : ' \ | , < . > / ? "  CR LF
//   - the space (as %20) and every other control byte: below 0x20, and 0x7F,
//     since none of them may stand raw in an address;
//   - every byte from 0x80 up.
// Every other byte (letters, digits) stands as itself.
//
// Decoding: "%" and two hexadecimal digits of either case is the byte they
// give; "+" is a space (form data writes the space so); a "%" not followed by
// two hexadecimal digits, and every other byte, stands as itself.
#pragma once

#include <optional>
#include <string_view>

#include "services/text_types.h"
#include "workspace/conversion.h"

namespace yz::url {

// The escapes of `bytes` (the GBK bytes of a text, or any bytes).
std::string Encode(std::string_view bytes);
// As Encode, into `out` (its capacity is reused).
void EncodeTo(std::string_view bytes, std::string& out);

// The bytes that `text` stands for. Decoding never fails: what is not an
// escape is taken as written.
ByteSeq Decode(std::string_view text);
// As Decode, into `out` (its capacity is reused).
void DecodeTo(std::string_view text, ByteSeq& out);

// UTF-8 mode, on the UTF-16 text of the boxes.

// The escapes of the UTF-8 bytes of `text`. A lone surrogate (no character,
// so no UTF-8 form) is encoded as U+FFFD's bytes and `lossy`, when given,
// says that happened.
std::string EncodeUtf8(std::u16string_view text, bool* lossy = nullptr);
// As EncodeUtf8, into `out` (its capacity is reused).
void EncodeUtf8To(std::u16string_view text, std::string& out, bool* lossy = nullptr);

// `text` decoded as Decode does, its bytes read as UTF-8 into UTF-16.
// Characters outside ASCII written into `text` as they are (not escaped) are
// kept as they are. Refused: decoded bytes that are not well-formed UTF-8
// (a stray continuation byte, a sequence cut short, an overlong form, an
// encoded surrogate, beyond U+10FFFF, bytes C0, C1, F5-FF), with the 1-based
// position, in UTF-16 code units of `text`, where the bad sequence starts.
Conversion<WideText> DecodeUtf8(std::u16string_view text);
// As DecodeUtf8, into `out` (its capacity is reused). On failure `out` is
// emptied and the error returned.
std::optional<ConversionError> DecodeUtf8To(std::u16string_view text, WideText& out);

// The page's captions: its tab and decode button in GBK mode and in UTF-8 mode.
inline constexpr std::string_view kPageTitle = "URL网页编码";
inline constexpr std::string_view kDecodeCaption = "URL解码";
inline constexpr std::string_view kPageTitleUtf8 = "URL编码UTF8";
inline constexpr std::string_view kDecodeCaptionUtf8 = "URL解码UTF8";

}  // namespace yz::url

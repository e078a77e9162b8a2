// The Unicode page: the UTF-16 code units of a text written as hexadecimal,
// and such writing read back. Works on UTF-16 directly, so every character
// the boxes can hold survives both ways.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "services/text_types.h"
#include "workspace/conversion.h"

namespace yz::unicode {

// Each UTF-16 code unit of `text` as four upper-case hexadecimal digits, most
// significant first, no separator: 中文 gives "4E2D6587"; a character beyond
// U+FFFF gives its surrogate pair (U+1F600 gives "D83DDE00"). The result is
// ASCII, so it is GBK text as it stands.
std::string Encode(std::u16string_view text);
// As Encode, into `out` (its capacity is reused).
void EncodeTo(std::u16string_view text, std::string& out);

// The text that `written` stands for. Accepted, in any letter case and with
// white space between units:
//
//   written = *( ws / unit )
//   unit    = 4HEX                          one code unit (the form Encode writes)
//           / ( "\u" / "%u" ) 4HEX          one code unit (JavaScript, JSON; old escape())
//           / "U+" 4*6HEX                   one code point
//           / "&#x" 1*6HEX [ ";" ]          one code point (HTML)
//           / "&#" 1*7DIGIT ";"             one code point, decimal (HTML)
//   ws      = SP / HTAB / CR / LF
//
// A run of bare digits is read four at a time. A code point beyond U+FFFF
// becomes its surrogate pair. A surrogate written alone (D800-DFFF) is kept
// as the code unit it is, paired or not: the user wrote it, and the boxes hold
// it. Refused, with the 1-based position in UTF-16 code units of `written`:
// any other character, a run of bare digits whose length is not a multiple of
// four, a marker without its digits, a code point beyond U+10FFFF.
Conversion<WideText> Decode(std::u16string_view written);

// As Decode, into `out` (its capacity is reused). On failure `out` is
// emptied and the error returned.
std::optional<ConversionError> DecodeTo(std::u16string_view written, WideText& out);

}  // namespace yz::unicode

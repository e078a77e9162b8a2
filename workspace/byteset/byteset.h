// Byte-set notation of the byte-set page: the bytes of a text written as the
// brace list a program source uses for a byte sequence, "{97,98,99}", or in
// the wrapped form "到文本({97,98,99})" that turns them back into text there.
#pragma once

#include <optional>
#include <string_view>

#include "services/text_types.h"
#include "workspace/conversion.h"

namespace yz::byteset {

// Which notation: the bare brace list, or the list wrapped into 到文本(…)
// (the page's "到文本" option).
enum class Form { kBare, kWrapped };

// `bytes` in decimal, separated by "," and enclosed in "{" "}" (kWrapped:
// in "到文本({" "})"). No bytes give "{}" / "到文本({})".
AnsiText Encode(std::string_view bytes, Form form);

// As Encode, into `out` (its capacity is reused).
void EncodeTo(std::string_view bytes, Form form, AnsiText& out);

// The bytes written in `notation`, read in `form`:
//
//   bare     = ws "{" list "}" ws
//   wrapped  = ws "到文本" ws "(" ws "{" list "}" ws ")" ws
//   list     = ws [ value ws *( "," ws value ws ) ]
//   value    = 1*DIGIT                 decimal, 0 to 255, leading zeros allowed
//   ws       = *( SP / HTAB / CR / LF )
//
// Refused, with the 1-based byte position (text length + 1 for "at the end"):
// nothing but white space gives "请输入字节集！" (position 0); the wrapped form
// while `form` is kBare, or the bare form while it is kWrapped, gives the
// page's "转换失败…" texts (position 0: the notation is fine, the option is
// not); an element that is not a value (empty, a sign, a letter, over 255,
// two numbers without a comma) is named in the message; so are a missing
// brace or parenthesis and anything after the end.
Conversion<ByteSeq> Decode(std::string_view notation, Form form);

// As Decode, into `out` (its capacity is reused). On failure `out` is emptied
// and the error returned.
std::optional<ConversionError> DecodeTo(std::string_view notation, Form form, ByteSeq& out);

// The page's texts.
inline constexpr std::string_view kAskForByteSet = "请输入字节集！";
inline constexpr std::string_view kTickWrapped = "转换失败，请勾选“到文本”选项，谢谢！";
inline constexpr std::string_view kUntickWrapped = "转换失败，请取消勾选“到文本”选项，谢谢！";

}  // namespace yz::byteset

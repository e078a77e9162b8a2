// The radix page: the hexadecimal text of bytes, and whole numbers converted
// between any two bases from 2 to 36.
#pragma once

#include <string_view>

#include "services/text_types.h"
#include "workspace/conversion.h"

namespace yz::radix {

// `bytes` as hexadecimal, two upper-case digits per byte, high digit first,
// no separator: the GBK bytes of 中 give "D6D0".
std::string ToHex(std::string_view bytes);
// As ToHex, into `out` (its capacity is reused).
void ToHexTo(std::string_view bytes, std::string& out);

// The smallest and largest base.
inline constexpr int kMinBase = 2;
inline constexpr int kMaxBase = 36;

// `number`, a whole number written in base `fromBase`, written in base
// `toBase` with the digits "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ" (upper case,
// no leading zeros, "0" for zero). The number may have any length and
// converts exactly:
//
//   number = *ws digit *( digit / eol ) *ws
//   digit  = "0"-"9" / "A"-"Z" / "a"-"z"   value 0 to 35, below fromBase
//   ws     = SP / HTAB / CR / LF
//   eol    = CR / LF                      skipped: long results are shown in lines
//
// Leading zeros are allowed; a lower-case letter is the digit of its upper
// case. Refused, in this order:
//   - a base outside 2 to 36 (an empty base box counts as 0):
//     "参数错误-进制只能在2-36之间", position 0;
//   - nothing but white space: "请输入文本！", position 0;
//   - a character that is no digit of `fromBase` (a sign or a point too, so
//     negative numbers and fractions are refused): "参数错误-" + the number as
//     entered + "不是一个有效的" + fromBase + "进制数！", with the 1-based
//     byte position of that character in `number`. A number of more than 64
//     bytes is shown by its first 32 and "…", followed by the position and
//     the character, so the message stays readable.
Conversion<AnsiText> Convert(std::string_view number, int fromBase, int toBase);

// The description of the radix converter (title and text).
inline constexpr std::string_view kDescriptionTitle = "砚舟全能工具";
inline constexpr std::string_view kDescription =
    "可以将从二进制到三十六进制的数值随意进行转换，不可以转换负数以及小数。";

// The page's texts.
inline constexpr std::string_view kBaseOutOfRange = "参数错误-进制只能在2-36之间";
inline constexpr std::string_view kEnterText = "请输入文本！";

}  // namespace yz::radix

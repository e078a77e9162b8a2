#include "services/encoding.h"

namespace yz {

// The composite conversions hold the UTF-16 form only for their own duration.
std::string AnsiToUtf8(std::string_view gbk) { return WideToUtf8(AnsiToWide(gbk)); }
AnsiText Utf8ToAnsi(std::string_view utf8) { return WideToAnsi(Utf8ToWide(utf8)); }

}  // namespace yz

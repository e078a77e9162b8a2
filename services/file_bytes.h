// Reading a whole file.
#pragma once

#include <string_view>

#include "services/text_types.h"

namespace yz {

// The whole content of the file named by the GBK text `name`, opened for
// reading while others may read it but not write it (on Windows; POSIX has no
// such sharing mode). A relative name resolves against the current directory,
// which the program makes its own directory at start. An empty name, a file
// that cannot be opened or read, an empty file and a file longer than a
// ByteSeq can say (2^31 − 1 bytes) give empty, with no message.
ByteSeq ReadFileBytes(std::string_view name);

}  // namespace yz

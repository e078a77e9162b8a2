// yzconv: the page conversions of 砚舟工具 for scripts.
//
// Run() is the whole program short of its streams, so tests drive it with
// string streams and main() hands it the standard ones.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace yz::cli {

// Exit codes.
inline constexpr int kOk = 0;
inline constexpr int kRefused = 1;  // the input was refused; the page's message is on `err`
inline constexpr int kUsage = 2;    // the command line was wrong; a hint is on `err`

// Runs the command line `args` (without the program name; UTF-8 or ASCII)
// on the text read from `in`, writing the result to `out` (no trailing
// newline) and messages to `err`. Returns the exit code.
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// The text `yzconv --help` prints, in GBK.
std::string Usage();

}  // namespace yz::cli

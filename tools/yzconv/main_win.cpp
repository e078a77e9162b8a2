// yzconv on Windows: the arguments arrive as UTF-16 (wmain) and go on as
// UTF-8; the standard streams are switched to binary so that no CR is added
// or removed and a 0x1A byte does not end the input.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>

#include "services/encoding.h"
#include "tools/yzconv/cli.h"

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    args.push_back(yz::WideToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
  }
  int code = yz::cli::Run(args, std::cin, std::cout, std::cerr);
  std::cout.flush();
  return code;
}

// yzconv on Linux: the arguments and the standard streams as they are.
#include <iostream>

#include "tools/yzconv/cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  int code = yz::cli::Run(args, std::cin, std::cout, std::cerr);
  std::cout.flush();
  return code;
}

#include <iostream>
#include <string>
#include <vector>

#include "tools/skinpack/skinpack_commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == "--version")
    return std::cout << "skinpack " VELA_VERSION "\n" ? 0 : 1;
  return vela::tools::RunSkinpack(args, std::cout, std::cerr);
}

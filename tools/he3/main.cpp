#include <iostream>
#include <string>
#include <vector>

#include "tools/he3/he3_commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return lekhora::he3tool::Run(args, std::cin, std::cout, std::cerr);
}

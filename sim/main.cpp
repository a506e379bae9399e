#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return vorlan::CommandLine::run(args, std::cout, std::cerr);
}

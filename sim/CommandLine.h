#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vorlan {

// The `vorlan` program: parses its arguments and runs the chosen subcommand. Bad arguments
// print what is wrong and the usage, and answer 2.
class CommandLine {
 public:
  static int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

}  // namespace vorlan

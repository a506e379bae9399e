#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace vorlan {

// `vorlan monkey`: seeded random runs of the simulated device with invariants checked after every
// step (Monkey). Prints each seed's figures and a summary; a failure prints the seed, the step,
// what broke and a shortened script that reproduces it. Answers 0 when every run is clean, 1 on a
// failure, 2 on bad arguments.
class MonkeyTool {
 public:
  void addTo(CLI::App& app);
  bool selected() const;
  int run(std::ostream& out, std::ostream& err);

 private:
  CLI::App* command_ = nullptr;
  std::uint64_t seed_ = 1;
  std::size_t seeds_ = 1;
  std::size_t steps_ = 1000;
  std::string device_;
  std::string model_;
  int shrinkSeconds_ = 120;
  bool startOnly_ = false;
  bool trace_ = false;
};

}  // namespace vorlan

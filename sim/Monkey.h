#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "MonkeyInvariants.h"
#include "ScriptCommand.h"

namespace vorlan {

// One seeded monkey run: a device laid out as MonkeyStart says, then `steps` random steps
// (MonkeyChooser) carried out through the simulator one by one, each followed by the checks of
// MonkeyInvariants. A failure is shortened (MonkeyShrinker) into a script that reproduces it.
class Monkey {
 public:
  struct Options {
    std::uint64_t seed = 1;
    std::size_t steps = 1000;
    std::filesystem::path device;  // empty: a temporary device
    std::string model;
    int shrinkSeconds = 120;
    std::ostream* trace = nullptr;  // each step as a script line, and why it failed
  };
  struct Stats {
    std::size_t steps = 0;
    std::size_t failedSteps = 0;  // steps the device refused ("no such text"), not failures
    double seconds = 0;
    std::map<std::string, std::size_t> kinds;     // steps by verb
    std::map<std::string, std::size_t> features;  // what the screen showed before a step
    std::map<std::string, std::size_t> pages;     // the top page's class after a step
    std::map<std::string, std::size_t> checks;    // invariant checks run
    void add(const Stats& other);
  };
  struct Result {
    std::string error;  // the run could not be made (a device that cannot be laid out)
    std::optional<MonkeyInvariants::Failure> failure;
    std::size_t failingStep = 0;        // 1-based
    std::vector<ScriptCommand> script;  // the reproducing steps, shortened when possible
    bool reproduced = false;
    Stats stats;
  };

  static Result run(const Options& options);
  // Lays out the start device in an empty or missing folder (for replaying a failure's script).
  static bool makeStartDevice(const std::filesystem::path& root, const std::string& model,
                              std::string& error);
  // The failure's report: seed, step, what broke, the script and how to replay it.
  static void report(const Options& options, const Result& result, std::ostream& out);
};

}  // namespace vorlan

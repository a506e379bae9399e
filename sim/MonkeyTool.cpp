#include "MonkeyTool.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <ostream>

#include "Monkey.h"
#include "PrintableText.h"

namespace vorlan {

namespace {

std::string rate(double count, double seconds) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", seconds > 0 ? count / seconds : 0.0);
  return buffer;
}

void counts(std::ostream& out, const char* title, const std::map<std::string, std::size_t>& map) {
  out << title << ':';
  for (const auto& [name, count] : map)
    out << ' ' << name << '=' << count;
  out << '\n';
}

}  // namespace

void MonkeyTool::addTo(CLI::App& app) {
  command_ = app.add_subcommand(
      "monkey", "Drive a simulated device with seeded random steps and check invariants");
  command_->add_option("--seed", seed_, "The first seed (default 1)");
  command_->add_option("--seeds", seeds_, "How many seeds, one run each from --seed on")
      ->check(CLI::Range(std::size_t{1}, std::size_t{1000000}));
  command_->add_option("--steps", steps_, "Steps per seed (default 1000)")
      ->check(CLI::Range(std::size_t{1}, std::size_t{100000000}));
  command_->add_option("--device", device_,
                       "Lay the start device out here (an empty or missing folder; one folder "
                       "seed-N inside per seed when there are several) and keep it");
  command_->add_option("--model", model_, "The device's model")
      ->check(CLI::IsMember({"iPhone", "iPad"}));
  command_
      ->add_option("--shrink-seconds", shrinkSeconds_,
                   "How long a failure's steps may be shortened (default 120)")
      ->check(CLI::Range(0, 86400));
  command_->add_flag("--trace", trace_, "Print each step as a script line, and why it failed");
  command_->add_flag("--start-only", startOnly_,
                     "Only lay the start device out in --device, to replay a failure's script");
}

bool MonkeyTool::selected() const {
  return command_ != nullptr && command_->parsed();
}

int MonkeyTool::run(std::ostream& out, std::ostream& err) {
  if (startOnly_) {
    std::string error;
    if (device_.empty()) {
      err << "vorlan monkey: --start-only needs --device\n";
      return 2;
    }
    if (!Monkey::makeStartDevice(device_, model_, error)) {
      err << "vorlan monkey: " << PrintableText::escape(error) << '\n';
      return 1;
    }
    out << "The start device is in " << device_ << '\n';
    return 0;
  }
  Monkey::Stats total;
  std::size_t failures = 0;
  for (std::size_t i = 0; i < seeds_; ++i) {
    Monkey::Options options;
    options.seed = seed_ + i;
    options.steps = steps_;
    options.model = model_;
    options.shrinkSeconds = shrinkSeconds_;
    if (trace_) options.trace = &out;
    if (!device_.empty()) {
      options.device =
          seeds_ == 1 ? std::filesystem::path(device_)
                      : std::filesystem::path(device_) / ("seed-" + std::to_string(options.seed));
    }
    const auto result = Monkey::run(options);
    if (!result.error.empty()) {
      err << "vorlan monkey: seed " << options.seed << ": " << PrintableText::escape(result.error)
          << '\n';
      return 1;
    }
    total.add(result.stats);
    out << "seed " << options.seed << ": " << result.stats.steps << " steps in "
        << rate(result.stats.seconds, 1) << " s (" << rate(result.stats.steps, result.stats.seconds)
        << " steps/s), " << (result.failure ? "FAILED" : "clean") << '\n'
        << std::flush;
    if (result.failure) {
      ++failures;
      Monkey::report(options, result, out);
    }
  }
  out << "total: " << seeds_ << " seeds, " << total.steps << " steps (" << total.failedSteps
      << " refused by the device), " << rate(total.seconds, 1) << " s, "
      << rate(total.steps, total.seconds) << " steps/s, " << failures << " failures\n";
  counts(out, "steps", total.kinds);
  counts(out, "invariant checks", total.checks);
  counts(out, "shown before a step", total.features);
  counts(out, "top page after a step", total.pages);
  return failures == 0 ? 0 : 1;
}

}  // namespace vorlan

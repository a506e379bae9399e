#include "Monkey.h"

#include <algorithm>
#include <chrono>
#include <ostream>
#include <sstream>

#include "DefaultDevice.h"
#include "MonkeyChooser.h"
#include "MonkeyScreen.h"
#include "MonkeyShrinker.h"
#include "MonkeyStart.h"
#include "Simulator.h"

namespace vorlan {

namespace {

using Kind = ScriptCommand::Kind;
using Failure = MonkeyInvariants::Failure;

ScriptCommand query(Kind kind) {
  ScriptCommand made;
  made.kind = kind;
  return made;
}

std::string ask(Simulator& simulator, Kind kind) {
  std::ostringstream out;
  std::string ignored;
  return simulator.perform(query(kind), out, ignored) ? out.str() : std::string();
}

std::vector<ScriptCommand> opening() {
  ScriptCommand springBoard;
  springBoard.kind = Kind::Launch;
  springBoard.text = "springboard";
  ScriptCommand settings = springBoard;
  settings.text = "settings";
  return {springBoard, settings};
}

// Carries out one step and runs every check after it.
std::optional<Failure> step(Simulator& simulator, MonkeyInvariants& invariants,
                            const ScriptCommand& command, bool& ok, std::string& pagesShown,
                            std::string& error) {
  std::ostringstream ignored;
  ok = simulator.perform(command, ignored, error);
  if (auto failure = invariants.afterStep(ok ? std::string() : error)) return failure;
  pagesShown = ask(simulator, Kind::Pages);
  return invariants.pages(MonkeyScreen::parsePages(pagesShown));
}

void note(std::map<std::string, std::size_t>& counts, const MonkeyScreen& screen) {
  const auto mark = [&](const char* name, bool shown) {
    if (shown) ++counts[name];
  };
  mark("cell action menu", screen.shows("Remove") && screen.shows("Position"));
  mark("passcode keypad", screen.keypad());
  mark("configuration page", screen.shows("Hidden") && screen.shows("Tags"));
  mark("tag list", screen.shows("Red") && screen.shows("Violet"));
  mark("folder tiles", screen.shows("SETTINGS") || screen.shows("CYDIA"));
  mark("tag filter", screen.shows("Secret") && screen.shows("Work"));
  mark("folder row", screen.shows("Vault"));
  mark("alert", screen.shows("Yes") && screen.shows("No"));
}

// Runs the steps from the start state as a script run with --keep-going would: a step the device
// refuses is passed over, since a refused step may still have let time pass (a command first
// waits for a page's transition to end). The failure found, if any.
std::optional<Failure> replay(const Monkey::Options& options,
                              const std::vector<ScriptCommand>& steps) {
  Simulator simulator({{}, options.model, false});
  std::string error;
  if (!simulator.boot(error) || !MonkeyStart::prepare(simulator.root(), error)) return std::nullopt;
  MonkeyInvariants invariants(simulator.root(), options.model != "iPad");
  for (const auto& command : steps) {
    bool ok = false;
    std::string pages;
    if (auto failure = step(simulator, invariants, command, ok, pages, error)) return failure;
  }
  if (!simulator.finish(error)) return Failure{"crash", error};
  return std::nullopt;
}

}  // namespace

void Monkey::Stats::add(const Stats& other) {
  steps += other.steps;
  failedSteps += other.failedSteps;
  seconds += other.seconds;
  using Counts = std::map<std::string, std::size_t>;
  const std::pair<Counts*, const Counts*> pairs[] = {{&kinds, &other.kinds},
                                                     {&features, &other.features},
                                                     {&pages, &other.pages},
                                                     {&checks, &other.checks}};
  for (const auto& [into, from] : pairs) {
    for (const auto& [name, count] : *from)
      (*into)[name] += count;
  }
}

bool Monkey::makeStartDevice(const std::filesystem::path& root, const std::string& model,
                             std::string& error) {
  std::error_code code;
  if (std::filesystem::exists(root, code) && !DefaultDevice::isEmpty(root)) {
    error = root.string() + " is not empty: the start device is laid out in a new folder";
    return false;
  }
  Simulator simulator({root, model, false});
  return simulator.boot(error) && MonkeyStart::prepare(simulator.root(), error);
}

Monkey::Result Monkey::run(const Options& options) {
  Result result;
  const auto started = std::chrono::steady_clock::now();
  if (!options.device.empty() && !makeStartDevice(options.device, options.model, result.error))
    return result;
  Simulator simulator({options.device, options.model, false});
  if (!simulator.boot(result.error) ||
      (options.device.empty() && !MonkeyStart::prepare(simulator.root(), result.error))) {
    return result;
  }
  MonkeyInvariants invariants(simulator.root(), options.model != "iPad");
  const bool iPad = options.model == "iPad";
  MonkeyChooser chooser(options.seed, iPad ? 768 : 375, iPad ? 1024 : 667);
  std::vector<ScriptCommand> taken;  // every step, refused ones too, as a script replays them
  std::optional<Failure> failure;
  std::string lastPages;
  const auto opened = opening();
  for (std::size_t i = 0; !failure && i < options.steps + opened.size(); ++i) {
    ScriptCommand command;
    if (i < opened.size()) {
      command = opened[i];
    } else {
      MonkeyScreen screen;
      screen.texts = MonkeyScreen::parseTexts(ask(simulator, Kind::Texts));
      screen.cells = MonkeyScreen::parseCells(ask(simulator, Kind::Cells));
      screen.pages = MonkeyScreen::parsePages(lastPages);
      note(result.stats.features, screen);
      command = chooser.next(screen);
      ++result.stats.steps;
    }
    ++result.stats.kinds[std::string(ScriptCommand::verb(command.kind))];
    bool ok = false;
    std::string pages;
    std::string error;
    failure = step(simulator, invariants, command, ok, pages, error);
    command.line = static_cast<int>(taken.size() + 1);
    taken.push_back(command);
    if (!ok) ++result.stats.failedSteps;
    if (options.trace) {
      *options.trace << command.scriptLine();
      if (!ok) *options.trace << "    # " << error;
      *options.trace << '\n';
    }
    if (const auto shown = MonkeyScreen::parsePages(pages); !shown.empty())
      ++result.stats.pages[shown.back().className];
    lastPages = pages;
    result.failingStep = i < opened.size() ? 0 : i + 1 - opened.size();
  }
  std::string error;
  if (!failure && !simulator.finish(error)) failure = Failure{"crash", error};
  result.stats.checks = invariants.checks();
  result.stats.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  if (!failure) return result;
  result.failure = failure;
  MonkeyShrinker shrinker(
      [&](const std::vector<ScriptCommand>& steps) {
        const auto found = replay(options, steps);
        return found && found->kind == failure->kind;
      },
      std::chrono::seconds(options.shrinkSeconds));
  result.script = shrinker.shrink(taken, opened.size());
  result.reproduced = shrinker.reproduced();
  return result;
}

void Monkey::report(const Options& options, const Result& result, std::ostream& out) {
  if (!result.failure) return;
  out << "FAILURE: seed " << options.seed << ", step " << result.failingStep << ": "
      << result.failure->kind << ": " << result.failure->what << '\n';
  // A recording that did not replay is shown by its end, where the failure came.
  constexpr std::size_t kShownWhenNotReproduced = 60;
  const std::size_t first = result.reproduced || result.script.size() <= kShownWhenNotReproduced
                                ? 0
                                : result.script.size() - kShownWhenNotReproduced;
  if (result.reproduced) {
    out << "A script of " << result.script.size()
        << " steps that reproduces it from the start state:\n";
  } else {
    out << "Not reproduced by replaying the steps; the last " << result.script.size() - first
        << " of them:\n";
  }
  out << "---\n";
  for (std::size_t i = first; i < result.script.size(); ++i)
    out << result.script[i].scriptLine() << '\n';
  out << "pages\n---\n";
  out << "To replay it: vorlan monkey --start-only --device DIR" +
             (options.model.empty() ? "" : " --model " + options.model) +
             " && vorlan sim --device DIR --keep-going --script FILE\n"
      << "(or run the seed again: vorlan monkey --seed " << options.seed << " --steps "
      << std::max<std::size_t>(result.failingStep, 1) << ")\n";
}

}  // namespace vorlan

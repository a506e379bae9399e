#include "CommandLine.h"

#include <CLI/CLI.hpp>

#include <iostream>

#include "PrefsTool.h"
#include "SimTool.h"

namespace vorlan {

int CommandLine::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"Vorlan: the Settings-app extension and its simulated device", "vorlan"};
  app.require_subcommand(1);
  PrefsTool prefs;
  prefs.addTo(app);
  SimTool sim;
  sim.addTo(app);

  // CLI11 takes the arguments after the program name, last first.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return 0;
  } catch (const CLI::ParseError& e) {
    err << "vorlan: " << e.what() << "\n\n" << app.help();
    return 2;
  }
  if (prefs.selected()) return prefs.run(out, err);
  if (sim.selected()) return sim.run(std::cin, out, err);
  err << app.help();
  return 2;
}

}  // namespace vorlan

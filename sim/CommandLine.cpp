#include "CommandLine.h"

#include <CLI/CLI.hpp>

#include <iostream>

#include "MonkeyTool.h"
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
  MonkeyTool monkey;
  monkey.addTo(app);

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
  int code = 2;
  if (prefs.selected()) {
    code = prefs.run(out, err);
  } else if (sim.selected()) {
    code = sim.run(std::cin, out, err);
  } else if (monkey.selected()) {
    code = monkey.run(out, err);
  } else {
    err << app.help();
  }
  // Output that did not reach its destination (a full disk, a closed pipe) is a failure.
  if (!out.flush()) {
    err << "vorlan: the output could not be written\n";
    return 1;
  }
  return code;
}

}  // namespace vorlan

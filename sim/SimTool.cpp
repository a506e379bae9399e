#include "SimTool.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <sstream>

#include "Simulator.h"

namespace vorlan {

std::string SimTool::tour(const std::string& shot) {
  // The switch of "Background App Refresh", the General page's last row, on the default iPhone.
  return "launch springboard\n"
         "tap \"Settings\"\n"
         "wait 0.5\n"
         "cells\n"
         "open \"General\"\n"
         "cells\n"
         "tap 334 415\n"
         "cells\n"
         "back\n"
         "rotate landscape\n"
         "wait 0.5\n" +
         (shot.empty() ? std::string() : "shot \"" + shot + "\"\n") +
         "rotate portrait\n"
         "log\n";
}

void SimTool::addTo(CLI::App& app) {
  command_ = app.add_subcommand("sim", "Boot a simulated device and run a script on it");
  command_->add_option("--device", device_,
                       "The device root folder (made when missing or empty; default: a "
                       "temporary device)");
  command_->add_option("--model", model_, "The device's model")
      ->check(CLI::IsMember({"iPhone", "iPad"}));
  command_->add_option("--script", script_, "The script to run, - for standard input");
}

bool SimTool::selected() const {
  return command_ != nullptr && command_->parsed();
}

int SimTool::run(std::istream& in, std::ostream& out, std::ostream& err) {
  std::string script;
  bool tourRun = script_.empty();
  if (script_ == "-") {
    std::ostringstream text;
    text << in.rdbuf();
    script = text.str();
  } else if (!script_.empty()) {
    std::ifstream file(script_, std::ios::binary);
    std::ostringstream text;
    if (file) text << file.rdbuf();
    if (!file) {
      err << "vorlan sim: cannot read the script " << script_ << "\n\n" << command_->help();
      return 2;
    }
    script = text.str();
  }
  Simulator simulator({device_, model_, tourRun});
  std::string error;
  if (!simulator.boot(error)) {
    err << "vorlan sim: " << error << '\n';
    return 1;
  }
  if (tourRun) {
    // The screenshot goes into the temporary device, removed with it; a device of the user
    // is left as it was.
    script = tour(device_.empty() ? (simulator.root() / "tour.png").string() : std::string());
  }
  return simulator.run(script, out, err);
}

}  // namespace vorlan

#include "SimTool.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <vector>

#include "PrintableText.h"
#include "RegularFile.h"
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
  std::string error;
  if (script_ == "-") {
    // Read in steps, so that an endless input stops at the limit.
    std::vector<char> buffer(std::size_t{1} << 16);
    while (script.size() <= kMaxScriptBytes &&
           in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())).gcount() > 0) {
      script.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (script.size() > kMaxScriptBytes) {
      error = "the standard input is larger than " + std::to_string(kMaxScriptBytes) + " bytes";
    } else if (in.bad()) {
      error = "the standard input cannot be read";
    }
  } else if (!script_.empty()) {
    script = RegularFile::read(script_, kMaxScriptBytes, error).value_or("");
  }
  if (!error.empty()) {
    err << "vorlan sim: cannot read the script: " << PrintableText::escape(error) << '\n';
    return 1;
  }
  Simulator simulator({device_, model_, tourRun});
  if (!simulator.boot(error)) {
    err << "vorlan sim: " << PrintableText::escape(error) << '\n';
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

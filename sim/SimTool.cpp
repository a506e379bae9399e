#include "SimTool.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <vector>

#include "PrintableText.h"
#include "RegularFile.h"
#include "SimWindow.h"
#include "Simulator.h"
#include "Tour.h"

namespace vorlan {

std::string SimTool::tour(const std::filesystem::path& shots) {
  return Tour::script(shots);
}

void SimTool::addTo(CLI::App& app) {
  command_ = app.add_subcommand("sim", "Boot a simulated device and run a script on it");
  command_->add_option("--device", device_,
                       "The device root folder (made when missing or empty; default: a "
                       "temporary device)");
  command_->add_option("--model", model_, "The device's model")
      ->check(CLI::IsMember({"iPhone", "iPad"}));
  command_->add_option("--script", script_, "The script to run, - for standard input");
  command_->add_option(
      "--shots", shots_,
      std::string("Where the tour (no --script) keeps its screenshots (default: ") + kDefaultShots +
          " in the current folder)");
  command_->add_flag("--keep-going", keepGoing_,
                     "Go on past a command that fails, reporting each (the exit status is still "
                     "1); a monkey's recording replays so");
  command_->add_flag("--window", window_,
                     "Show the device in a window and drive it with the mouse and keys (after "
                     "the script, if one is given)");
  command_
      ->add_option("--scale", zoom_,
                   "The window's size: 1 (the screen's points) or 2 (doubled; Z toggles); "
                   "default: doubled when the display has room")
      ->check(CLI::IsMember({1, 2}));
}

bool SimTool::selected() const {
  return command_ != nullptr && command_->parsed();
}

int SimTool::run(std::istream& in, std::ostream& out, std::ostream& err) {
  std::string script;
  bool tourRun = script_.empty() && !window_;
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
  Simulator simulator({device_, model_, tourRun, keepGoing_});
  if (window_) return runWindow(simulator, script, out, err);
  if (!simulator.boot(error)) {
    err << "vorlan sim: " << PrintableText::escape(error) << '\n';
    return 1;
  }
  if (tourRun) {
    std::error_code code;
    const auto shots = std::filesystem::absolute(shots_.empty() ? kDefaultShots : shots_, code);
    if (code || (std::filesystem::create_directories(shots, code), code) ||
        !std::filesystem::is_directory(shots)) {
      err << "vorlan sim: cannot make the screenshot folder "
          << PrintableText::escape(shots_.empty() ? kDefaultShots : shots_) << ": "
          << (code ? code.message() : "it is not a folder") << '\n';
      return 1;
    }
    const std::string path = shots.string();
    if (std::any_of(path.begin(), path.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
      err << "vorlan sim: the screenshot folder's path holds a control character: "
          << PrintableText::escape(path) << '\n';
      return 1;
    }
    script = tour(shots);
  }
  return simulator.run(script, out, err);
}

int SimTool::runWindow(Simulator& simulator, const std::string& script, std::ostream& out,
                       std::ostream& err) {
  // Without a display nothing else is worth starting.
  std::string error;
  const auto window = SimWindow::open(simulator, out, err, zoom_, error);
  if (!window) {
    err << "vorlan sim: " << PrintableText::escape(error) << '\n';
    return 2;
  }
  if (!simulator.boot(error)) {
    err << "vorlan sim: " << PrintableText::escape(error) << '\n';
    return 1;
  }
  if (!script.empty() && simulator.run(script, out, err, false) != 0) return 1;
  // The device as a person finds it: the home screen and Settings in front, its welcome screen
  // waiting to be closed. A script that left an app running has set the scene itself.
  if (!simulator.front() &&
      simulator.run("launch springboard\nlaunch settings\n", out, err, false) != 0) {
    return 1;
  }
  window->run();
  if (!simulator.finish(error)) {
    err << "vorlan sim: " << PrintableText::escape(error) << '\n';
    return 1;
  }
  return 0;
}

}  // namespace vorlan

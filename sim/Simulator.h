#pragma once

#include <filesystem>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "AppHost.h"
#include "DeviceOptions.h"
#include "ScriptCommand.h"

namespace vorlan {

class AppProcess;

// The simulated device: its file system under a root folder, and its apps, each in a process of
// its own (AppProcess). It runs scripts (ScriptParser): commands about the apps it carries out
// itself, the others it sends to the app in front, the one launched or activated last.
class Simulator {
 public:
  struct Options {
    std::filesystem::path device;  // empty: a fresh device in a temporary folder
    std::string model;             // "iPhone" or "iPad"; empty keeps the device's own
    bool echo = false;             // print each command before what it shows, and each
                                   // screenshot's path once written
    bool keepGoing = false;        // a script goes on past a command that fails (each
                                   // failure is still reported, and the run still fails)
  };

  explicit Simulator(Options options);
  // Ends the apps; a temporary device is removed.
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Makes the device ready: a missing or empty folder gets the default device with the product
  // installed; an existing device is used as it is, only its model changed when one was given.
  // Any other folder is refused (DefaultDevice::whyNotADevice).
  bool boot(std::string& error);
  const std::filesystem::path& root() const { return root_; }
  // The app in front, the one commands about the screen go to; nothing when none runs.
  std::optional<AppHost::App> front() const { return front_; }

  // Runs a script to its end or its first error (with `keepGoing`, to its end), then ends the
  // apps (unless `endApps` is false and the script succeeded: what drives the device next takes
  // over). Answers 0, or 1 after writing "line N: reason" to `err` for each failed command.
  int run(std::string_view script, std::ostream& out, std::ostream& err, bool endApps = true);

  // Carries out one command, as a script line would, and leaves the apps running: what drives
  // the device step by step (a window, a random driver) uses it. False, with the reason in
  // `error`, when the command fails; the device stays usable.
  bool perform(const ScriptCommand& command, std::ostream& out, std::string& error);
  // Ends the apps (as the end of a script does). False, with the reason, when one cannot end.
  bool finish(std::string& error) { return endAll(error); }

 private:
  using App = AppHost::App;

  bool execute(const ScriptCommand& command, std::ostream& out, std::string& error);
  bool launch(App app, std::string& error);
  bool end(App app, std::string& error);
  bool endAll(std::string& error);
  bool respring(std::string& error);
  bool running(App app) const { return apps_.count(app) > 0; }
  // Sends the command to the app and writes what it shows.
  bool forward(App app, const ScriptCommand& command, std::ostream& out, std::string& error);
  bool wallpaper(const ScriptCommand& command, std::ostream& out, std::string& error);
  bool rotate(const ScriptCommand& command, std::ostream& out, std::string& error);
  bool showSettings(std::ostream& out, std::string& error) const;
  // Moves the app's new log lines into the simulator's log.
  void collectLog(App app);
  // Moves the app's new platform events into the simulator's record of that app.
  void collectEvents(App app);
  // The lines an app answers to a command that only reads (log, events); none when it is gone.
  std::vector<std::string> ask(App app, ScriptCommand::Kind kind);

  Options options_;
  std::filesystem::path root_;
  bool temporary_ = false;
  DeviceOptions device_;
  std::map<App, std::unique_ptr<AppProcess>> apps_;
  std::optional<App> front_;
  std::vector<std::string> log_;
  // Recorded events not yet shown, per app; kept when the app ends (a respring).
  std::map<App, std::vector<std::string>> events_;
  bool respringRequested_ = false;
  std::string openRequested_;
};

}  // namespace vorlan

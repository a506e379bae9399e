#include "Simulator.h"

#include <stdlib.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <utility>

#include "AppProcess.h"
#include "DefaultDevice.h"
#include "FreshDevice.h"
#include "PlistJson.h"
#include "PrintableText.h"
#include "RegularFile.h"
#include "ScriptParser.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "store/VLPreferencesManager.h"
#include "uikit/FontLibrary.h"

namespace vorlan {

namespace {

using Kind = ScriptCommand::Kind;

// Where a wallpaper picked from this machine is put on the device before SpringBoard takes it.
constexpr const char* kWallpaperFolder = "/var/mobile/Media/Wallpapers";
constexpr std::size_t kMaxWallpaperBytes = std::size_t{64} * 1024 * 1024;

void write(std::ostream& out, const std::string& text) {
  out << text;
  if (!text.empty() && text.back() != '\n') out << '\n';
}

}  // namespace

Simulator::Simulator(Options options) : options_(std::move(options)) {}

Simulator::~Simulator() {
  std::string ignored;
  endAll(ignored);
  if (temporary_) {
    std::error_code ignoredCode;
    std::filesystem::remove_all(root_, ignoredCode);
  }
}

bool Simulator::boot(std::string& error) {
  bool fresh = false;
  if (options_.device.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorlan-sim-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      error = "cannot make a temporary device folder in " +
              std::filesystem::temp_directory_path().string();
      return false;
    }
    root_ = pattern;
    temporary_ = true;
    fresh = true;
  } else {
    std::error_code code;
    root_ = std::filesystem::absolute(options_.device, code);
    if (code) {
      error = "bad device folder " + options_.device.string() + ": " + code.message();
      return false;
    }
    fresh = DefaultDevice::isEmpty(root_);
  }
  host::DeviceFileSystem device(root_);
  if (fresh) {
    if (!options_.model.empty()) {
      device_.model = options_.model;
      device_.forceTouch = options_.model != "iPad";
    }
    return FreshDevice::make(
        root_, device_, temporary_ ? FreshDevice::Lifetime::Temporary : FreshDevice::Lifetime::Kept,
        &error);
  }
  // A folder of something else is left alone rather than run as a device with nothing in it.
  if (auto why = DefaultDevice::whyNotADevice(root_)) {
    error = *why + "; give an empty or missing folder for a fresh device";
    return false;
  }
  device_ = DeviceOptions::load(device);
  if (!options_.model.empty() && options_.model != device_.model) {
    device_.model = options_.model;
    device_.forceTouch = options_.model != "iPad";
    return device_.save(device, &error);
  }
  return true;
}

int Simulator::run(std::string_view script, std::ostream& out, std::ostream& err, bool endApps) {
  // Each app logs it as well; here it is said once, where the user of a script sees it.
  if (const auto missing = host::FontLibrary::missingFontFiles(); !missing.empty()) {
    err << "vorlan sim: " << host::FontLibrary::missingFontMessage(missing) << '\n';
  }
  std::string error;
  const auto commands = ScriptParser::parse(script, &error);
  if (!commands) {
    err << "vorlan sim: " << PrintableText::escape(error) << '\n';
    return 1;
  }
  bool failed = false;
  for (const auto& command : *commands) {
    if (!perform(command, out, error)) {
      err << "vorlan sim: line " << command.line << ": " << PrintableText::escape(error) << '\n';
      failed = true;
      if (options_.keepGoing) continue;
      endAll(error);
      return 1;
    }
  }
  if ((endApps || failed) && !endAll(error)) {
    err << "vorlan sim: " << PrintableText::escape(error) << '\n';
    return 1;
  }
  return failed ? 1 : 0;
}

bool Simulator::perform(const ScriptCommand& command, std::ostream& out, std::string& error) {
  if (options_.echo) out << "> " << command.scriptLine() << '\n';
  bool ok = execute(command, out, error);
  // A tour says where each screenshot went.
  if (ok && options_.echo && command.kind == Kind::Shot) out << "wrote " << command.text << '\n';
  if (respringRequested_) {
    // The app asked for SpringBoard's restart ("killall -HUP SpringBoard") during the command.
    respringRequested_ = false;
    std::string respringError;
    if (!respring(respringError) && ok) {
      ok = false;
      error = respringError;
    }
  }
  if (!openRequested_.empty()) {
    // An icon tapped on the home screen: the Settings app comes up (or back); other apps are
    // not simulated, which the log says.
    const std::string identifier = std::exchange(openRequested_, std::string());
    if (identifier == "com.apple.preferences") {
      ScriptCommand activate;
      activate.kind = Kind::Activate;
      activate.line = command.line;
      std::ostringstream ignored;
      std::string openError;
      if (!execute(activate, ignored, openError) && ok) {
        ok = false;
        error = openError;
      }
    } else {
      collectLog(App::SpringBoard);  // keeps the log in the order things happened
      log_.push_back("SpringBoard: " + identifier + " is not simulated");
    }
  }
  return ok;
}

bool Simulator::execute(const ScriptCommand& command, std::ostream& out, std::string& error) {
  switch (command.kind) {
    case Kind::Launch:
      return launch(command.text == "settings" ? App::Settings : App::SpringBoard, error);
    case Kind::Activate:
      if (!running(App::Settings)) return launch(App::Settings, error);
      front_ = App::Settings;
      return forward(App::Settings, command, out, error);
    case Kind::Background:
      if (!running(App::Settings)) {
        error = "the Settings app is not running";
        return false;
      }
      if (!forward(App::Settings, command, out, error)) return false;
      // Leaving an app shows the home screen.
      if (!running(App::SpringBoard)) return launch(App::SpringBoard, error);
      front_ = App::SpringBoard;
      return true;
    case Kind::Wallpaper:
      return wallpaper(command, out, error);
    case Kind::Respring:
      return respring(error);
    case Kind::Rotate:
      return rotate(command, out, error);
    case Kind::Wait:
      for (const App app : {App::SpringBoard, App::Settings}) {
        if (running(app) && !forward(app, command, out, error)) return false;
      }
      return true;
    case Kind::Prefs:
      return showSettings(out, error);
    case Kind::Log:
      for (const App app : {App::SpringBoard, App::Settings})
        collectLog(app);
      for (const auto& line : log_)
        out << line << '\n';
      log_.clear();
      return true;
    case Kind::Events:
      // Each app's events in the order they happened, the Settings app's first.
      for (const App app : {App::Settings, App::SpringBoard}) {
        collectEvents(app);
        for (const auto& event : events_[app])
          out << event << '\n';
      }
      events_.clear();
      return true;
    default:
      if (!front_) {
        error = "no app is running (launch settings or launch springboard first)";
        return false;
      }
      return forward(*front_, command, out, error);
  }
}

bool Simulator::launch(App app, std::string& error) {
  if (!end(app, error)) return false;
  auto process = AppProcess::start(app, root_, device_, error);
  if (!process) return false;
  apps_[app] = std::move(process);
  front_ = app;
  return true;
}

bool Simulator::end(App app, std::string& error) {
  const auto found = apps_.find(app);
  if (found == apps_.end()) return true;
  collectLog(app);
  collectEvents(app);
  const bool clean = found->second->stop(error);
  apps_.erase(app);
  if (front_ == app) front_.reset();
  return clean;
}

bool Simulator::endAll(std::string& error) {
  bool clean = true;
  for (const App app : {App::Settings, App::SpringBoard}) {
    std::string reason;
    if (!end(app, reason)) {
      if (clean) error = reason;
      clean = false;
    }
  }
  return clean;
}

bool Simulator::respring(std::string& error) {
  // As on the device: SpringBoard restarts and the Settings app ends; both come back from what
  // is stored on the device, the app in front staying in front.
  const bool settings = running(App::Settings);
  const auto front = front_;
  if (!endAll(error) || !launch(App::SpringBoard, error)) return false;
  if (settings && !launch(App::Settings, error)) return false;
  front_ = front.value_or(App::SpringBoard);
  return true;
}

bool Simulator::forward(App app, const ScriptCommand& command, std::ostream& out,
                        std::string& error) {
  const auto found = apps_.find(app);
  if (found == apps_.end()) {
    error = "the " + std::string(AppHost::name(app)) + " app is not running";
    return false;
  }
  const auto reply = found->second->request(command, error);
  if (!reply) {
    apps_.erase(found);
    if (front_ == app) front_.reset();
    return false;
  }
  if (reply->respring) respringRequested_ = true;
  if (!reply->open.empty()) openRequested_ = reply->open;
  if (!reply->ok) {
    error = reply->text;
    return false;
  }
  write(out, reply->text);
  return true;
}

bool Simulator::wallpaper(const ScriptCommand& command, std::ostream& out, std::string& error) {
  std::string why;
  const auto bytes = RegularFile::read(command.text, kMaxWallpaperBytes, why);
  if (!bytes || bytes->empty()) {
    error = "cannot read the picture " + (bytes ? command.text + ": it is empty" : why);
    return false;
  }
  host::DeviceFileSystem device(root_);
  const std::string name = std::filesystem::path(command.text).filename().string();
  const std::string devicePath = std::string(kWallpaperFolder) + "/" + name;
  if (!device.createDirectory(kWallpaperFolder, true, &error) ||
      !device.writeFileAtomically(devicePath, *bytes, &error)) {
    return false;
  }
  if (!running(App::SpringBoard) && !launch(App::SpringBoard, error)) return false;
  ScriptCommand set = command;
  set.text = devicePath;
  return forward(App::SpringBoard, set, out, error);
}

bool Simulator::rotate(const ScriptCommand& command, std::ostream& out, std::string& error) {
  // The device stays turned for the apps launched later, and for the next run on this device.
  device_.landscape = command.text == "landscape";
  host::DeviceFileSystem device(root_);
  if (!device_.save(device, &error)) return false;
  for (const App app : {App::SpringBoard, App::Settings}) {
    if (running(app) && !forward(app, command, out, error)) return false;
  }
  return true;
}

bool Simulator::showSettings(std::ostream& out, std::string& error) const {
  host::DeviceFileSystem device(root_);
  if (!device.fileExists(VLPreferencesManager::kSettingsPath)) {
    out << "{}\n";
    return true;
  }
  const auto bytes = device.readRegularFile(
      VLPreferencesManager::kSettingsPath, host::PropertyListSerialization::kMaxInputBytes, &error);
  if (!bytes) return false;
  const auto parsed = host::PropertyListSerialization::read(*bytes);
  if (!parsed.ok()) {
    error = "the settings file cannot be read: " + parsed.error;
    return false;
  }
  const auto json = PlistJson::render(parsed.value, &error);
  if (!json) return false;
  out << *json << '\n';
  return true;
}

void Simulator::collectLog(App app) {
  const std::string prefix = std::string(AppHost::name(app)) + ": ";
  for (const auto& line : ask(app, Kind::Log))
    log_.push_back(prefix + line);
}

void Simulator::collectEvents(App app) {
  for (auto& line : ask(app, Kind::Events))
    events_[app].push_back(std::move(line));
}

std::vector<std::string> Simulator::ask(App app, Kind kind) {
  std::vector<std::string> lines;
  const auto found = apps_.find(app);
  if (found == apps_.end()) return lines;
  ScriptCommand command;
  command.kind = kind;
  std::string ignored;
  const auto reply = found->second->request(command, ignored);
  if (!reply || !reply->ok) return lines;
  std::istringstream text(reply->text);
  for (std::string line; std::getline(text, line);)
    lines.push_back(std::move(line));
  return lines;
}

}  // namespace vorlan

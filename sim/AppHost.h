#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "DeviceOptions.h"
#include "FrameSource.h"
#include "ScriptCommand.h"

namespace host {
class PreferencesApp;
class SpringBoardApp;
class UINavigationController;
class UIWindow;
}  // namespace host

namespace vorlan {

class MessageChannel;
class TouchDriver;

// One simulated app in the process the simulator forked for it: it sets the process up for the
// device, launches the app and carries out the commands the simulator sends, answering each
// with [status ("ok" or "error"), output or reason, "respring" when the app asked SpringBoard to
// restart, else ""].
class AppHost {
 public:
  enum class App { Settings, SpringBoard };
  static std::string_view name(App app);

  // Runs in the app's process until the simulator says quit or goes away; the app is released
  // before it returns, so the exit's leak check sees the process as the app left it.
  static int serve(App app, const std::filesystem::path& root, const DeviceOptions& options,
                   MessageChannel& channel);

  explicit AppHost(App app);
  ~AppHost();
  AppHost(const AppHost&) = delete;
  AppHost& operator=(const AppHost&) = delete;

 private:
  bool launch(const std::filesystem::path& root, const DeviceOptions& options, std::string& error);
  void release();
  bool execute(const ScriptCommand& command, std::string& output, std::string& error);
  bool touch(const ScriptCommand& command, std::string& error);
  // One step of a finger driven live: down, move or up.
  bool touchStep(const ScriptCommand& command, std::string& error);
  // Types `text` key by key: "\b" presses delete, "\n" the return key.
  bool type(const std::string& text, std::string& error);
  bool alert(const std::string& title, std::string& error);
  // Dismisses the screen presented in front, else goes back a page.
  bool back(std::string& error);
  bool open(const std::string& text, std::string& error);
  bool cells(std::string& output, std::string& error);
  void rotate(bool landscape);

  std::shared_ptr<host::UIWindow> window() const;
  // The Settings app's navigation controller; nothing (with a reason) in SpringBoard.
  std::shared_ptr<host::UINavigationController> navigation(std::string& error) const;
  TouchDriver& driver();

  App app_;
  std::shared_ptr<host::PreferencesApp> settings_;
  std::shared_ptr<host::SpringBoardApp> springBoard_;
  std::unique_ptr<TouchDriver> driver_;
  FrameSource frames_;
  bool respringRequested_ = false;
  std::string openRequested_;  // an app opened from the home screen, by bundle identifier
};

}  // namespace vorlan

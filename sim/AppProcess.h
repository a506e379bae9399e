#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "AppHost.h"
#include "MessageChannel.h"

namespace vorlan {

// A simulated app as the simulator sees it: a process forked from the simulator (no exec), so
// that it shares no process-wide state with the simulator or the other apps, and the connection
// the simulator sends it commands over.
class AppProcess {
 public:
  struct Reply {
    bool ok = false;
    std::string text;  // the output, or the reason of an error
    bool respring = false;
    std::string open;  // the bundle identifier of an app opened from the home screen
  };

  // Forks the app's process and waits until the app has launched. Nothing, with the reason,
  // when the process cannot start, the launch fails or the process dies.
  static std::unique_ptr<AppProcess> start(AppHost::App app, const std::filesystem::path& root,
                                           const DeviceOptions& options, std::string& error);
  // Ends the app if it still runs.
  ~AppProcess();
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;

  AppHost::App app() const { return app_; }
  std::string_view name() const { return AppHost::name(app_); }

  // Nothing, with the reason naming the app, when the process died.
  std::optional<Reply> request(const ScriptCommand& command, std::string& error);
  // Asks the app to quit and waits for its process. False, with the reason, when the process
  // had died or ended with a failing status (a sanitizer's report, for one).
  bool stop(std::string& error);

  // How long the simulator waits for an app's answer before it takes the app for hung.
  static constexpr double kAnswerTimeout = 300;

 private:
  AppProcess(AppHost::App app, pid_t pid, MessageChannel channel);
  // Waits for the process and describes how it ended (also kept in ending_); empty for a
  // clean exit.
  std::string reap();
  // After a failed receive: an app that stopped answering is killed rather than waited for.
  std::string endAfterSilence();

  AppHost::App app_;
  pid_t pid_ = -1;
  MessageChannel channel_;
  std::string ending_;
};

}  // namespace vorlan

#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Starting the `vorlan` program, killing it and its apps, and finding what outlived a kill. The
// test process is made a subreaper, so that an app whose simulator was killed becomes its child
// instead of init's: every process the tests started, directly or not, can then be waited for.
class Processes {
 public:
  static void becomeSubreaper() { ::prctl(PR_SET_CHILD_SUBREAPER, 1); }

  // Starts the program with `args`, its output thrown away.
  static pid_t spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& arg : args)
      argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
      const int null = ::open("/dev/null", O_RDWR);
      ::dup2(null, 0);
      ::dup2(null, 1);
      ::dup2(null, 2);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    return pid;
  }

  // The exit status (-1 if killed by a signal).
  static int wait(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  static int run(const std::vector<std::string>& args) { return wait(spawn(args)); }

  // The live children of `parent`, the one started last first.
  static std::vector<pid_t> childrenOf(pid_t parent) {
    std::vector<std::pair<unsigned long long, pid_t>> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      const std::string name = entry.path().filename().string();
      if (name.find_first_not_of("0123456789") != std::string::npos) continue;
      std::ifstream in(entry.path() / "stat");
      std::ostringstream read;
      read << in.rdbuf();
      const std::string stat = read.str();
      // After the command name in parentheses: state, parent, ... and the start time (field 22).
      const auto close = stat.rfind(')');
      if (close == std::string::npos) continue;
      std::istringstream fields(stat.substr(close + 2));
      std::string state;
      long ppid = 0;
      fields >> state >> ppid;
      if (ppid != parent || state == "Z") continue;
      std::string skip;
      for (int i = 5; i < 22; ++i)
        fields >> skip;
      unsigned long long start = 0;
      fields >> start;
      found.emplace_back(start, static_cast<pid_t>(std::stoi(name)));
    }
    std::sort(found.rbegin(), found.rend());
    std::vector<pid_t> pids;
    for (const auto& each : found)
      pids.push_back(each.second);
    return pids;
  }

  // Waits until no process started by this one (directly or through a process that died) is
  // left, reaping them; false if some are still running after `seconds`.
  static bool allEndWithin(double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
      const pid_t pid = ::waitpid(-1, nullptr, WNOHANG);
      if (pid < 0 && errno == ECHILD) return true;
      if (pid > 0) continue;
      if (std::chrono::steady_clock::now() > until) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

  // Kills whatever is left (after a failure), so that the next case starts clean.
  static void killLeftovers() {
    for (pid_t pid : childrenOf(::getpid()))
      ::kill(pid, SIGKILL);
    allEndWithin(10);
  }
};

#include "AppProcess.h"

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <set>

namespace vorlan {

namespace {

// The simulator's ends of the connections to the apps running now. A new app's process closes
// its copies at once, so that an app sees its connection end when the simulator's end closes.
std::set<int>& openEnds() {
  static std::set<int> ends;
  return ends;
}

std::optional<AppProcess::Reply> toReply(const std::optional<std::vector<std::string>>& fields) {
  if (!fields || fields->size() != 3 || ((*fields)[0] != "ok" && (*fields)[0] != "error"))
    return std::nullopt;
  const std::string& request = (*fields)[2];
  constexpr std::string_view kOpen = "open:";
  return AppProcess::Reply{(*fields)[0] == "ok", (*fields)[1], request == "respring",
                           request.starts_with(kOpen) ? request.substr(kOpen.size()) : ""};
}

}  // namespace

AppProcess::AppProcess(AppHost::App app, pid_t pid, MessageChannel channel)
    : app_(app), pid_(pid), channel_(std::move(channel)) {}

std::unique_ptr<AppProcess> AppProcess::start(AppHost::App app, const std::filesystem::path& root,
                                              const DeviceOptions& options, std::string& error) {
  auto ends = MessageChannel::pair();
  if (!ends) {
    error = "cannot connect to a new app process: " + std::string(std::strerror(errno));
    return nullptr;
  }
  // What is buffered now would otherwise be written twice, once by each process.
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  const pid_t simulator = ::getpid();
  const pid_t pid = ::fork();
  if (pid < 0) {
    error = "cannot start the " + std::string(AppHost::name(app)) +
            " app: " + std::string(std::strerror(errno));
    return nullptr;
  }
  if (pid == 0) {
    // The app's process. If the simulator dies, so does the app.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The simulator may have died before the request took hold; then nobody would send it.
    if (::getppid() != simulator) std::_Exit(1);
    for (const int fd : openEnds())
      ::close(fd);
    openEnds().clear();
    ends->first.close();
    const int status = AppHost::serve(app, root, options, ends->second);
    ends->second.close();
    // A normal exit: the sanitizers' leak check runs in the app's process too.
    std::exit(status);
  }
  ends->second.close();
  ends->first.setReceiveTimeout(kAnswerTimeout);
  openEnds().insert(ends->first.descriptor());
  std::unique_ptr<AppProcess> process(new AppProcess(app, pid, std::move(ends->first)));
  const auto launched = toReply(process->channel_.receive());
  if (!launched) {
    const std::string how = process->endAfterSilence();
    error = "the " + std::string(process->name()) + " app" +
            (how.empty() ? " stopped answering" : how) + " while launching";
    return nullptr;
  }
  if (!launched->ok) {
    error = launched->text;
    std::string ignored;
    process->stop(ignored);
    return nullptr;
  }
  return process;
}

AppProcess::~AppProcess() {
  std::string ignored;
  stop(ignored);
}

std::optional<AppProcess::Reply> AppProcess::request(const ScriptCommand& command,
                                                     std::string& error) {
  std::optional<Reply> reply;
  if (pid_ > 0 && channel_.send(command.encode())) reply = toReply(channel_.receive());
  if (!reply) {
    const std::string how = pid_ > 0 ? endAfterSilence() : ending_;
    error = "the " + std::string(name()) + " app" + (how.empty() ? " stopped answering" : how);
  }
  return reply;
}

bool AppProcess::stop(std::string& error) {
  if (pid_ <= 0) {
    if (ending_.empty()) return true;
    error = "the " + std::string(name()) + " app" + ending_;
    return false;
  }
  ScriptCommand quit;
  quit.kind = ScriptCommand::Kind::Quit;
  const bool answered = channel_.send(quit.encode()) && channel_.receive();
  const std::string how = answered ? reap() : endAfterSilence();
  if (how.empty()) return true;
  error = "the " + std::string(name()) + " app" + how;
  return false;
}

std::string AppProcess::endAfterSilence() {
  if (pid_ <= 0 || !channel_.timedOut()) return reap();
  ::kill(pid_, SIGKILL);
  reap();
  ending_ = " did not answer within " + std::to_string(static_cast<int>(kAnswerTimeout)) +
            " s and was stopped";
  return ending_;
}

std::string AppProcess::reap() {
  openEnds().erase(channel_.descriptor());
  channel_.close();
  int status = 0;
  pid_t waited = -1;
  do {
    waited = ::waitpid(pid_, &status, 0);
  } while (waited < 0 && errno == EINTR);
  pid_ = -1;
  if (waited < 0) {
    ending_ = " was lost";
  } else if (WIFEXITED(status)) {
    ending_ =
        WEXITSTATUS(status) == 0 ? "" : " ended with status " + std::to_string(WEXITSTATUS(status));
  } else if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    ending_ = " was killed by signal " + std::to_string(signal) + " (" + ::strsignal(signal) + ")";
  } else {
    ending_ = " ended abnormally";
  }
  return ending_;
}

}  // namespace vorlan

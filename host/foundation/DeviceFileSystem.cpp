#include "foundation/DeviceFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <mutex>
#include <set>
#include <system_error>
#include <utility>

namespace host {

namespace fs = std::filesystem;

namespace {

std::mutex currentMutex;
std::shared_ptr<DeviceFileSystem> currentDevice;

// Temporary files of atomic writes are named after the writing process and this counter, so
// concurrent writers never pick the same name.
std::atomic<unsigned long> temporaryCounter{0};

// Temporary files of atomic writes are named "." + the target's name (cut to 200 bytes) +
// ".tmp." + the writing process's id + "." + the counter.
std::string temporaryPrefix(const std::string& targetName) {
  return "." + targetName.substr(0, 200) + ".tmp.";
}

// The temporary files this process is writing right now.
std::mutex inFlightMutex;
std::set<std::string> inFlightPaths;

void inFlight(const fs::path& temporary, bool writing) {
  std::lock_guard lock(inFlightMutex);
  if (writing) {
    inFlightPaths.insert(temporary.string());
  } else {
    inFlightPaths.erase(temporary.string());
  }
}

// The writer's process id from a name that follows our naming exactly; nothing otherwise.
std::optional<pid_t> writerOf(std::string_view name, std::string_view prefix) {
  if (name.substr(0, prefix.size()) != prefix) return std::nullopt;
  name.remove_prefix(prefix.size());
  const std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  auto digits = [](std::string_view text) {
    return !text.empty() && text.size() <= 18 &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
  };
  const std::string_view pid = name.substr(0, dot);
  if (!digits(pid) || !digits(name.substr(dot + 1))) return std::nullopt;
  const long long value = std::stoll(std::string(pid));
  if (value <= 0 || value > std::numeric_limits<pid_t>::max()) return std::nullopt;
  return static_cast<pid_t>(value);
}

// Removes the temporary files of the target's earlier writes that no live writer can still be
// using: those of a process that no longer exists, and those named after this process that it
// is not writing (left by an earlier process that had the same id). A file of any other live
// process stays, even if that id was reused, so a concurrent write is never broken; it goes at
// a later write once that process is gone. Only regular files of exactly our naming are touched.
void removeStaleTemporaries(const fs::path& directory, const std::string& prefix) {
  DIR* listing = ::opendir(directory.c_str());
  if (listing == nullptr) return;
  const pid_t self = ::getpid();
  while (const dirent* entry = ::readdir(listing)) {
    const auto writer = writerOf(entry->d_name, prefix);
    if (!writer) continue;
    const fs::path candidate = directory / entry->d_name;
    bool stale = false;
    if (*writer == self) {
      std::lock_guard lock(inFlightMutex);
      stale = inFlightPaths.count(candidate.string()) == 0;
    } else {
      stale = ::kill(*writer, 0) != 0 && errno == ESRCH;
    }
    struct stat info {};
    if (stale && ::lstat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      ::unlink(candidate.c_str());
    }
  }
  ::closedir(listing);
}

// A device path in double quotes, with control bytes shown as \xNN so a message stays one
// readable line whatever the path holds.
std::string quoted(std::string_view path) {
  std::string out = "\"";
  for (char c : path) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string reason(int err) {
  return std::system_category().message(err);
}

bool fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

bool failErrno(std::string* error, std::string_view action, std::string_view devicePath, int err) {
  return fail(error,
              "could not " + std::string(action) + " " + quoted(devicePath) + ": " + reason(err));
}

bool failCode(std::string* error, std::string_view action, std::string_view devicePath,
              const std::error_code& ec) {
  return fail(error,
              "could not " + std::string(action) + " " + quoted(devicePath) + ": " + ec.message());
}

// True if `inner` is `outer` or lies below it (both lexically normal).
bool isWithin(const fs::path& inner, const fs::path& outer) {
  auto [outerEnd, innerIt] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
  (void)innerIt;
  return outerEnd == outer.end();
}

bool occupied(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

// Flushes a directory's entries to disk, so that a rename or creation in it survives a crash.
// Filesystems that cannot flush directories answer EINVAL; that is not an error.
int syncDirectory(const fs::path& directory) {
  int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = 0;
  if (::fsync(fd) != 0 && errno != EINVAL) err = errno;
  ::close(fd);
  return err;
}

// Writes all of `bytes`, going on after short writes and interruptions. 0 or the errno.
int writeAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return 0;
}

}  // namespace

DeviceFileSystem::DeviceFileSystem(fs::path root) {
  std::error_code ec;
  fs::path absolute = fs::absolute(root, ec);
  root_ = (ec ? std::move(root) : std::move(absolute)).lexically_normal();
  // "/a/b/" normalises to "/a/b/"; keep the form without the trailing separator so that
  // root() compares equal to paths built from it.
  if (root_.has_relative_path() && root_.filename().empty()) root_ = root_.parent_path();
}

std::shared_ptr<DeviceFileSystem> DeviceFileSystem::current() {
  std::lock_guard lock(currentMutex);
  return currentDevice;
}

void DeviceFileSystem::setCurrent(std::shared_ptr<DeviceFileSystem> device) {
  std::shared_ptr<DeviceFileSystem> previous;
  {
    std::lock_guard lock(currentMutex);
    previous = std::exchange(currentDevice, std::move(device));
  }
  // The previous device, if this was its last owner, goes away outside the lock.
}

std::optional<fs::path> DeviceFileSystem::hostPath(std::string_view devicePath) const {
  return resolve(devicePath, nullptr);
}

std::optional<fs::path> DeviceFileSystem::resolve(std::string_view devicePath,
                                                  std::string* error) const {
  auto refuse = [&](const char* why) -> std::optional<fs::path> {
    fail(error, quoted(devicePath) + " is not a usable device path: " + why);
    return std::nullopt;
  };
  if (root_.empty()) return refuse("the device has no root directory");
  if (devicePath.empty()) return refuse("it is empty");
  if (devicePath.front() != '/') return refuse("it is not absolute");
  if (devicePath.find('\0') != std::string_view::npos) return refuse("it contains a NUL byte");

  std::vector<std::string_view> parts;
  std::size_t pos = 0;
  while (pos < devicePath.size()) {
    std::size_t end = devicePath.find('/', pos);
    if (end == std::string_view::npos) end = devicePath.size();
    std::string_view part = devicePath.substr(pos, end - pos);
    if (part == "..") {
      if (parts.empty()) return refuse("it leads above the device root");
      parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }

  fs::path result = root_;
  for (std::string_view part : parts)
    result /= fs::path(std::string(part));
  return result;
}

bool DeviceFileSystem::fileExists(std::string_view path, bool* isDirectory) const {
  if (isDirectory) *isDirectory = false;
  auto host = hostPath(path);
  if (!host) return false;
  std::error_code ec;
  fs::file_status status = fs::status(*host, ec);
  if (ec || !fs::exists(status)) return false;
  if (isDirectory) *isDirectory = fs::is_directory(status);
  return true;
}

bool DeviceFileSystem::createDirectory(std::string_view path, bool withIntermediates,
                                       std::string* error) const {
  auto host = resolve(path, error);
  if (!host) return false;

  if (!withIntermediates) {
    if (::mkdir(host->c_str(), 0777) != 0) {
      return failErrno(error, "create directory", path, errno);
    }
    return true;
  }

  std::error_code ec;
  fs::create_directories(*host, ec);
  if (ec) return failCode(error, "create directory", path, ec);
  // create_directories is content with anything already at the path; a file there is a failure.
  if (!fs::is_directory(*host, ec)) {
    return failErrno(error, "create directory", path, ec ? ec.value() : EEXIST);
  }
  return true;
}

std::vector<std::string> DeviceFileSystem::contentsOfDirectory(std::string_view path,
                                                               std::string* error) const {
  std::vector<std::string> names;
  auto host = resolve(path, error);
  if (!host) return names;

  std::error_code ec;
  fs::directory_iterator it(*host, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  if (ec) {
    failCode(error, "list directory", path, ec);
    return {};
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool DeviceFileSystem::removeItem(std::string_view path, std::string* error) const {
  auto host = resolve(path, error);
  if (!host) return false;
  if (*host == root_) return fail(error, "refusing to remove the device root " + quoted(path));
  if (!occupied(*host)) return failErrno(error, "remove", path, ENOENT);

  std::error_code ec;
  fs::remove_all(*host, ec);
  if (ec) return failCode(error, "remove", path, ec);
  return true;
}

bool DeviceFileSystem::copyItem(std::string_view from, std::string_view to,
                                std::string* error) const {
  auto source = resolve(from, error);
  if (!source) return false;
  auto destination = resolve(to, error);
  if (!destination) return false;

  if (!occupied(*source)) return failErrno(error, "copy", from, ENOENT);
  if (occupied(*destination)) return failErrno(error, "copy to", to, EEXIST);
  if (isWithin(*destination, *source)) {
    return fail(error, "could not copy " + quoted(from) + " into itself at " + quoted(to));
  }

  std::error_code ec;
  fs::copy(*source, *destination, fs::copy_options::recursive | fs::copy_options::copy_symlinks,
           ec);
  if (ec) {
    // The destination did not exist before, so whatever is there now is our partial copy.
    std::error_code ignored;
    fs::remove_all(*destination, ignored);
    return fail(error,
                "could not copy " + quoted(from) + " to " + quoted(to) + ": " + ec.message());
  }
  return true;
}

bool DeviceFileSystem::moveItem(std::string_view from, std::string_view to,
                                std::string* error) const {
  auto source = resolve(from, error);
  if (!source) return false;
  auto destination = resolve(to, error);
  if (!destination) return false;

  if (*source == root_) return fail(error, "refusing to move the device root " + quoted(from));
  if (!occupied(*source)) return failErrno(error, "move", from, ENOENT);
  if (isWithin(*destination, *source)) {
    return fail(error, "could not move " + quoted(from) + " into itself at " + quoted(to));
  }

  auto failMove = [&](int err) {
    return fail(error, "could not move " + quoted(from) + " to " + quoted(to) + ": " + reason(err));
  };

  // Refuse to replace an existing destination, atomically where the filesystem can.
  int result =
      ::renameat2(AT_FDCWD, source->c_str(), AT_FDCWD, destination->c_str(), RENAME_NOREPLACE);
  if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
    if (occupied(*destination)) return failMove(EEXIST);
    result = ::rename(source->c_str(), destination->c_str());
  }
  if (result != 0) return failMove(errno);

  // Best effort: make the move itself survive a crash.
  syncDirectory(destination->parent_path());
  if (source->parent_path() != destination->parent_path()) syncDirectory(source->parent_path());
  return true;
}

std::optional<std::string> DeviceFileSystem::readFile(std::string_view path, std::size_t maxBytes,
                                                      std::string* error) const {
  return read(path, maxBytes, false, error);
}

std::optional<std::string> DeviceFileSystem::read(std::string_view path, std::size_t maxBytes,
                                                  bool onlyRegularEntry, std::string* error) const {
  auto host = resolve(path, error);
  if (!host) return std::nullopt;

  if (onlyRegularEntry) {
    // Decided on the entry itself, before anything is opened: a link is never followed and a
    // special file never opened.
    struct stat entry {};
    if (::lstat(host->c_str(), &entry) != 0) {
      failErrno(error, "read", path, errno);
      return std::nullopt;
    }
    if (!S_ISREG(entry.st_mode)) {
      fail(error,
           "could not read " + quoted(path) + ": " +
               (S_ISLNK(entry.st_mode) ? "it is a symbolic link" : "it is not a regular file"));
      return std::nullopt;
    }
  }

  // O_NONBLOCK keeps a FIFO or device at the path from blocking the open; it has no effect on
  // the regular files that are read below. O_NOFOLLOW catches a link put in place since the
  // check above.
  const int flags =
      O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (onlyRegularEntry ? O_NOFOLLOW : 0);
  int fd = ::open(host->c_str(), flags);
  if (fd < 0) {
    failErrno(error, "read", path, errno);
    return std::nullopt;
  }
  auto abandon = [&](std::string message) -> std::optional<std::string> {
    ::close(fd);
    fail(error, std::move(message));
    return std::nullopt;
  };

  struct stat info {};
  if (::fstat(fd, &info) != 0)
    return abandon("could not read " + quoted(path) + ": " + reason(errno));
  if (S_ISDIR(info.st_mode))
    return abandon("could not read " + quoted(path) + ": " + reason(EISDIR));
  if (!S_ISREG(info.st_mode)) {
    return abandon("could not read " + quoted(path) + ": it is not a regular file");
  }
  auto size = static_cast<std::size_t>(info.st_size);
  auto tooLarge = [&](std::size_t bytes) {
    return abandon("could not read " + quoted(path) + ": it holds " + std::to_string(bytes) +
                   " bytes, more than the limit of " + std::to_string(maxBytes));
  };
  if (size > maxBytes) return tooLarge(size);

  // The file may change while it is read; read to its end, whatever its size turns out to be,
  // but never past the limit.
  std::string content;
  std::size_t used = 0;
  // One byte beyond the limit is enough to tell that a file grew past it.
  const std::size_t limit = maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
  std::size_t capacity = std::min(size + 1, limit);  // +1: the end shows without a second read
  for (;;) {
    content.resize(capacity);
    ssize_t got = ::read(fd, content.data() + used, capacity - used);
    if (got < 0) {
      if (errno == EINTR) continue;
      return abandon("could not read " + quoted(path) + ": " + reason(errno));
    }
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
    if (used > maxBytes) return tooLarge(used);
    if (used == capacity) capacity = capacity > limit / 2 ? limit : capacity * 2;
  }
  ::close(fd);
  content.resize(used);
  return content;
}

DeviceFileSystem::EntryType DeviceFileSystem::entryType(std::string_view path) const {
  auto host = hostPath(path);
  struct stat info {};
  if (!host || ::lstat(host->c_str(), &info) != 0) return EntryType::None;
  if (S_ISREG(info.st_mode)) return EntryType::Regular;
  if (S_ISDIR(info.st_mode)) return EntryType::Directory;
  if (S_ISLNK(info.st_mode)) return EntryType::SymbolicLink;
  return EntryType::Other;
}

std::optional<std::string> DeviceFileSystem::readRegularFile(std::string_view path,
                                                             std::size_t maxBytes,
                                                             std::string* error) const {
  return read(path, maxBytes, true, error);
}

bool DeviceFileSystem::writeFileAtomically(std::string_view path, std::string_view bytes,
                                           std::string* error,
                                           std::optional<mode_t> newFileMode) const {
  auto target = resolve(path, error);
  if (!target) return false;
  if (*target == root_) return failErrno(error, "write", path, EISDIR);
  const fs::path directory = target->parent_path();

  struct stat info {};
  if (::stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return fail(error, "could not write " + quoted(path) + ": its directory does not exist");
  }

  // The entry itself decides, never what a link there leads to: a regular file keeps its mode
  // (its owner can always read and write what was written), anything else is replaced by a new
  // file.
  mode_t mode = newFileMode.value_or(0644) & 07777;
  if (::lstat(target->c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return failErrno(error, "write", path, EISDIR);
    if (S_ISREG(info.st_mode)) mode = (info.st_mode & 07777) | S_IRUSR | S_IWUSR;
  } else if (errno != ENOENT) {
    return failErrno(error, "write", path, errno);
  }

  // A hidden name next to the target. Long names are cut so the temporary one stays within the
  // filesystem's name limit; uniqueness comes from the process id and the counter.
  const std::string prefix = temporaryPrefix(target->filename().string());
  fs::path temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temporary = directory / (prefix + std::to_string(::getpid()) + "." +
                             std::to_string(temporaryCounter.fetch_add(1)));
    // Known as ours before it exists, so no cleanup in this process ever takes it for stale.
    inFlight(temporary, true);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
      const int err = errno;
      inFlight(temporary, false);
      if ((err != EEXIST && err != EINTR) || attempt >= 100) {
        return failErrno(error, "create a temporary file to write", path, err);
      }
    }
  }
  const std::shared_ptr<void> done(nullptr, [&](void*) { inFlight(temporary, false); });

  auto abandon = [&](int err, const char* action) {
    if (fd >= 0) ::close(fd);
    ::unlink(temporary.c_str());
    return failErrno(error, action, path, err);
  };

  if (int err = writeAll(fd, bytes)) return abandon(err, "write");
  if (::fchmod(fd, mode) != 0) return abandon(errno, "set the permissions of");
  if (::fsync(fd) != 0) return abandon(errno, "flush to disk");
  int closed = ::close(fd);
  fd = -1;
  if (closed != 0 && errno != EINTR) return abandon(errno, "write");
  if (::rename(temporary.c_str(), target->c_str()) != 0) return abandon(errno, "replace");
  removeStaleTemporaries(directory, prefix);

  if (int err = syncDirectory(directory)) {
    return fail(error, "wrote " + quoted(path) +
                           " but could not flush its directory to disk: " + reason(err));
  }
  return true;
}

bool DeviceFileSystem::writeFileUnsynced(std::string_view path, std::string_view bytes,
                                         std::string* error,
                                         std::optional<mode_t> newFileMode) const {
  auto target = resolve(path, error);
  if (!target) return false;
  if (*target == root_) return failErrno(error, "write", path, EISDIR);
  mode_t mode = newFileMode.value_or(0644) & 07777;
  struct stat info {};
  if (::lstat(target->c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return failErrno(error, "write", path, EISDIR);
    if (!S_ISREG(info.st_mode)) {
      return fail(error, "could not write " + quoted(path) + ": it is not a regular file");
    }
    mode = (info.st_mode & 07777) | S_IRUSR | S_IWUSR;
  } else if (errno != ENOENT) {
    return failErrno(error, "write", path, errno);
  }
  const int fd =
      ::open(target->c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    if (errno == ENOENT) {
      return fail(error, "could not write " + quoted(path) + ": its directory does not exist");
    }
    return failErrno(error, "write", path, errno);
  }
  int err = writeAll(fd, bytes);
  // The mode is set outright, as an atomic write sets it, whatever the process's umask.
  if (err == 0 && ::fchmod(fd, mode) != 0) err = errno;
  if (::close(fd) != 0 && err == 0 && errno != EINTR) err = errno;
  return err == 0 || failErrno(error, "write", path, err);
}

bool DeviceFileSystem::syncAll(std::string* error) const {
  const int fd = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return failErrno(error, "flush to disk", "/", errno);
  // One pass over the whole file system: its pending data and one journal commit, where a flush
  // per file would wait for a commit and a cache flush each.
  const int err = ::syncfs(fd) == 0 ? 0 : errno;
  ::close(fd);
  return err == 0 || failErrno(error, "flush to disk", "/", err);
}

}  // namespace host

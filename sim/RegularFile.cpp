#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vorlan {

namespace {

bool fail(std::string& error, const std::filesystem::path& path, const std::string& why) {
  error = path.string() + ": " + why;
  return false;
}

std::string systemReason(int code) {
  // A link where none is allowed shows up as ELOOP; say what it is.
  return code == ELOOP ? "it is a symbolic link" : std::strerror(code);
}

// Opens without blocking on a FIFO and refuses whatever is not a regular file.
int openRegular(const std::filesystem::path& path, int flags, std::string& error) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
  if (fd < 0) {
    fail(error, path, systemReason(errno));
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const bool directory = S_ISDIR(info.st_mode);
    ::close(fd);
    fail(error, path, directory ? "it is a folder" : "it is not a regular file");
    return -1;
  }
  return fd;
}

}  // namespace

std::optional<std::string> RegularFile::read(const std::filesystem::path& path,
                                             std::size_t maxBytes, std::string& error,
                                             Links links) {
  const int fd = openRegular(path, O_RDONLY | (links == Links::Refuse ? O_NOFOLLOW : 0), error);
  if (fd < 0) return std::nullopt;
  std::string content;
  std::size_t used = 0;
  // The file may grow while it is read: read in steps, never keeping more than one byte past
  // the limit, which is enough to tell that it is too large.
  for (;;) {
    const std::size_t room = maxBytes - used;  // used never passes maxBytes here
    const std::size_t step = room < (std::size_t{1} << 20) ? room + 1 : std::size_t{1} << 20;
    content.resize(used + step);
    const ssize_t got = ::read(fd, content.data() + used, step);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int code = errno;
      ::close(fd);
      fail(error, path, std::strerror(code));
      return std::nullopt;
    }
    used += static_cast<std::size_t>(got);
    if (used > maxBytes) {
      ::close(fd);
      fail(error, path, "it is larger than " + std::to_string(maxBytes) + " bytes");
      return std::nullopt;
    }
    if (got == 0) break;
  }
  ::close(fd);
  content.resize(used);
  return content;
}

bool RegularFile::writePrivate(const std::filesystem::path& path, std::string_view bytes,
                               std::string& error) {
  const int fd = openRegular(path, O_WRONLY | O_CREAT | O_NOFOLLOW, error);
  if (fd < 0) return false;
  // An existing file keeps no wider permission than a new one gets, and is emptied only once
  // it is known to be a regular file.
  int code = 0;
  if (::fchmod(fd, 0600) != 0 || ::ftruncate(fd, 0) != 0) code = errno;
  for (std::size_t done = 0; code == 0 && done < bytes.size();) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) code = wrote < 0 ? errno : EIO;
    if (wrote > 0) done += static_cast<std::size_t>(wrote);
  }
  if (::close(fd) != 0 && code == 0) code = errno;
  return code == 0 || fail(error, path, std::strerror(code));
}

}  // namespace vorlan

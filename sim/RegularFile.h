#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vorlan {

// Files of this machine that the program reads whole (a script, a picture, a settings file to
// import) or writes (an export). Only regular files are read: a directory, a FIFO or a device
// such as /dev/zero is refused before anything is read, and no read goes past the limit.
class RegularFile {
 public:
  enum class Links { Follow, Refuse };

  // The whole file, at most maxBytes. Nothing, with the reason in `error`, for a missing or
  // unreadable file, one that is not a regular file, one larger than the limit, or (with
  // Links::Refuse) a symbolic link at the path itself.
  static std::optional<std::string> read(const std::filesystem::path& path, std::size_t maxBytes,
                                         std::string& error, Links links = Links::Follow);

  // Writes `bytes` to the file, created or emptied, readable and writable by its owner only
  // (whatever the umask, and also when it existed). A symbolic link at the path is not followed
  // and anything but a regular file is refused. False with the reason in `error`.
  static bool writePrivate(const std::filesystem::path& path, std::string_view bytes,
                           std::string& error);
};

}  // namespace vorlan

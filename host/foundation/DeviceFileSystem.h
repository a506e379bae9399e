#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// The simulated device's file system. Device paths are absolute paths as code on the device
// writes them ("/var/mobile/Library/Preferences/x.plist"); they all live under one root directory
// on this machine. A device path is resolved lexically ("." and ".." are folded) and is refused
// if it would climb above the root, so no device path can name a file outside the device.
// Symbolic links inside the root are followed as they are and may still lead outside it; the
// device tree is ours, so none are expected there. readRegularFile and writeFileAtomically never
// follow a link at the path itself.
//
// Every operation reports failure by its result and, when `error` is given, a message naming the
// device path and the system's reason. Nothing throws. All methods may be called from any thread.
class DeviceFileSystem {
 public:
  static constexpr std::size_t kDefaultMaxReadBytes = std::size_t{256} * 1024 * 1024;

  explicit DeviceFileSystem(std::filesystem::path root);

  const std::filesystem::path& root() const { return root_; }

  // The device the running process works on; nullptr until one is set.
  static std::shared_ptr<DeviceFileSystem> current();
  static void setCurrent(std::shared_ptr<DeviceFileSystem> device);

  // Where a device path lives on this machine. Nothing for a path that is empty, relative,
  // contains a NUL byte or climbs above the device root.
  std::optional<std::filesystem::path> hostPath(std::string_view devicePath) const;

  bool fileExists(std::string_view path, bool* isDirectory = nullptr) const;

  // Without intermediates the parent must exist and the directory must not. With them, missing
  // parents are created and an existing directory counts as success. An existing file on the way
  // is always a failure.
  bool createDirectory(std::string_view path, bool withIntermediates,
                       std::string* error = nullptr) const;

  // Entry names (not paths), sorted bytewise; empty on failure.
  std::vector<std::string> contentsOfDirectory(std::string_view path,
                                               std::string* error = nullptr) const;

  // Removes a file, a symbolic link or a whole directory tree. False if nothing is there.
  bool removeItem(std::string_view path, std::string* error = nullptr) const;

  // Copy and move fail if the destination exists, its directory is missing, or the source is
  // missing. Directories are copied with everything in them; a failed copy leaves no partial
  // destination behind.
  bool copyItem(std::string_view from, std::string_view to, std::string* error = nullptr) const;
  bool moveItem(std::string_view from, std::string_view to, std::string* error = nullptr) const;

  // The whole content of a regular file. Files larger than maxBytes are refused unread.
  std::optional<std::string> readFile(std::string_view path,
                                      std::size_t maxBytes = kDefaultMaxReadBytes,
                                      std::string* error = nullptr) const;

  // What is at a path itself; a symbolic link there is not followed.
  enum class EntryType { None, Regular, Directory, SymbolicLink, Other };
  EntryType entryType(std::string_view path) const;

  // The whole content of a regular file at the path itself. A symbolic link there (whatever it
  // leads to), a FIFO, a device, a socket or a directory is refused without being opened or
  // followed. Files larger than maxBytes are refused unread.
  std::optional<std::string> readRegularFile(std::string_view path, std::size_t maxBytes,
                                             std::string* error = nullptr) const;

  // Replaces the file with `bytes` so that, even if the process or the machine dies at any
  // moment, the file holds either its old or its new content in full. The new content goes to a
  // fresh temporary file in the same directory, which is flushed to disk and renamed over the
  // target; then the directory itself is flushed. The target is never followed: a symbolic
  // link, FIFO or device there is replaced by a regular file, its target untouched. An existing
  // regular file keeps its permission bits, with owner read and write added; anything else gets
  // newFileMode (0644 if not given). The directory must exist already. After a successful write,
  // temporary files of earlier writes of the same target whose writer is gone are removed.
  bool writeFileAtomically(std::string_view path, std::string_view bytes,
                           std::string* error = nullptr,
                           std::optional<mode_t> newFileMode = std::nullopt) const;

  // Writes `bytes` into the file in place, without flushing anything to disk: for a device being
  // laid out, which nothing uses until it is complete and flushed whole by syncAll(), so one
  // flush at the end does what a flush per file would. The target is never followed: a symbolic
  // link or anything else that is not a regular file there is refused. Permissions follow
  // writeFileAtomically's rule. The directory must exist already.
  bool writeFileUnsynced(std::string_view path, std::string_view bytes,
                         std::string* error = nullptr,
                         std::optional<mode_t> newFileMode = std::nullopt) const;

  // Flushes everything written on the file system that holds the device to disk: every file and
  // directory written so far survives a crash once it returns true.
  bool syncAll(std::string* error = nullptr) const;

 private:
  // readFile() and readRegularFile(); the latter with onlyRegularEntry.
  std::optional<std::string> read(std::string_view path, std::size_t maxBytes,
                                  bool onlyRegularEntry, std::string* error) const;

  // hostPath(), or nothing with a message in `error`.
  std::optional<std::filesystem::path> resolve(std::string_view devicePath,
                                               std::string* error) const;

  std::filesystem::path root_;
};

}  // namespace host

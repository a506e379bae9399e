#include "PackageTree.h"

#include <algorithm>
#include <system_error>

#include "ProgramData.h"
#include "RegularFile.h"
#include "foundation/DeviceFileSystem.h"

namespace vorlan {

namespace {

// Larger than any file a package holds (the extension library of a sanitizer build included).
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;

bool fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

// The package's files under `devicePath`, as pairs of device path and file of this machine.
std::optional<std::vector<std::pair<std::string, std::filesystem::path>>> list(
    std::string_view devicePath, std::string* error) {
  namespace fs = std::filesystem;
  const auto package = PackageTree::find(error);
  if (!package) return std::nullopt;
  const fs::path top = (*package / fs::path(devicePath).relative_path()).lexically_normal();
  std::error_code ec;
  if (!fs::is_directory(top, ec)) {
    if (error) *error = "the package has no " + std::string(devicePath) + ": " + top.string();
    return std::nullopt;
  }
  std::vector<std::pair<std::string, fs::path>> files;
  for (fs::recursive_directory_iterator it(top, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path relative = it->path().lexically_relative(*package);
    if (relative == "DEBIAN") {
      it.disable_recursion_pending();
      continue;
    }
    if (it->is_regular_file(ec)) files.emplace_back("/" + relative.generic_string(), it->path());
  }
  if (ec) {
    if (error) *error = "cannot read the package at " + top.string() + ": " + ec.message();
    return std::nullopt;
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::optional<std::filesystem::path> PackageTree::find(std::string* error) {
  return ProgramData::folder(ProgramData::kPackage, error);
}

std::optional<std::vector<std::string>> PackageTree::files(std::string_view devicePath,
                                                           std::string* error) {
  auto found = list(devicePath, error);
  if (!found) return std::nullopt;
  std::vector<std::string> paths;
  for (auto& [path, file] : *found)
    paths.push_back(std::move(path));
  return paths;
}

bool PackageTree::copy(const host::DeviceFileSystem& device, std::string_view devicePath,
                       DeviceWrites writes, std::string* error) {
  namespace fs = std::filesystem;
  const auto found = list(devicePath, error);
  if (!found) return false;
  std::string madeDirectory;
  for (const auto& [path, file] : *found) {
    std::string why;
    const auto bytes = RegularFile::read(file, kMaxFileBytes, why);
    if (!bytes) return fail(error, "cannot read the package's file " + path + ": " + why);
    const std::string directory = path.substr(0, path.rfind('/'));
    if (directory != madeDirectory) {
      if (!device.createDirectory(directory.empty() ? "/" : directory, true, error)) return false;
      madeDirectory = directory;
    }
    // Copying over an identical file would only cost a flush to disk. A link there is replaced,
    // whatever it leads to.
    const auto existing = device.readRegularFile(path, bytes->size());
    if (existing && *existing == *bytes) continue;
    std::error_code ec;
    const bool executable =
        (fs::status(file, ec).permissions() & fs::perms::owner_exec) != fs::perms::none;
    if (!writeDeviceFile(device, writes, path, *bytes, error, executable ? 0755 : 0644))
      return false;
  }
  return true;
}

}  // namespace vorlan

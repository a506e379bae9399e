#include "ProgramData.h"

#include <system_error>

namespace vorlan {

std::optional<std::filesystem::path> ProgramData::folder(const char* name, std::string* error) {
  namespace fs = std::filesystem;
  // The running program's file, links resolved. The simulated apps are forked from the program,
  // not started anew, so they find the same folder.
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  if (ec || program.empty()) {
    if (error) *error = "cannot find the running program (/proc/self/exe): " + ec.message();
    return std::nullopt;
  }
  const fs::path folder =
      (program.parent_path() / ".." / "share" / "vorlan" / name).lexically_normal();
  if (!fs::is_directory(folder, ec)) {
    if (error) {
      *error = "the program's data is missing: " + folder.string() +
               " (it is looked for in share/vorlan beside " + program.parent_path().string() +
               ", the program's folder; install or build the program again)";
    }
    return std::nullopt;
  }
  return folder;
}

}  // namespace vorlan

#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "DefaultDevice.h"
#include "DeviceOptions.h"
#include "Installer.h"
#include "foundation/DeviceFileSystem.h"

namespace vorlan::test {

// The default device for a test case, copied from one laid out earlier in the same ctest run
// rather than laid out (its artwork drawn, the product installed) again in every case.
//
// ctest gives the test programs a folder for the templates in VORLAN_TEST_DEVICE_TEMPLATES and
// empties it before and after every run (a ctest fixture), so a template is laid out by the first
// case of a run that needs it and never comes from an older build: the device's content, its
// artwork and the installed library are always those of the build being tested. Two test
// processes may need it at once: under a lock, the first lays it out in a folder of its own and
// renames that into place, and the others then copy it. A program run directly, without the
// variable, lays out each case's device itself.
class DeviceTemplate {
 public:
  // Puts the default device (with the product installed, if `installed`) under `root`, keeping
  // files already there, as laying out would. False with the reason on failure.
  static bool copyTo(const std::filesystem::path& root, bool installed, std::string* error) {
    namespace fs = std::filesystem;
    const char* folder = std::getenv("VORLAN_TEST_DEVICE_TEMPLATES");
    if (folder == nullptr || *folder == '\0') return layOut(root, installed, error);
    const fs::path templ = fs::path(folder) / (installed ? "installed" : "plain");
    if (!fs::is_directory(templ) && !make(templ, installed, error)) return false;
    std::error_code ec;
    fs::create_directories(root, ec);
    fs::copy(templ, root, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    if (ec) *error = "cannot copy the device template " + templ.string() + ": " + ec.message();
    return !ec;
  }

 private:
  static bool layOut(const std::filesystem::path& root, bool installed, std::string* error) {
    if (!DefaultDevice::layOut(root, DeviceOptions{}, error)) return false;
    host::DeviceFileSystem device(root);
    return !installed || Installer::install(device, error);
  }

  static bool make(const std::filesystem::path& templ, bool installed, std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(templ.parent_path(), ec);
    const fs::path lockPath = templ.parent_path() / "lock";
    const int lock = ::open(lockPath.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
    if (lock < 0 || ::flock(lock, LOCK_EX) != 0) {
      if (lock >= 0) ::close(lock);
      *error = "cannot lock " + lockPath.string();
      return false;
    }
    bool made = fs::is_directory(templ);  // laid out by another process while this one waited
    if (!made) {
      fs::path partial = templ;
      partial += ".partial-" + std::to_string(::getpid());
      fs::remove_all(partial, ec);
      made = layOut(partial, installed, error);
      if (made) {
        fs::rename(partial, templ, ec);
        if (ec) *error = "cannot put the device template in place: " + ec.message();
        made = !ec;
      }
      if (!made) fs::remove_all(partial, ec);
    }
    ::close(lock);  // lets the others go on
    return made;
  }
};

}  // namespace vorlan::test

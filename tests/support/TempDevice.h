#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "foundation/DeviceFileSystem.h"
#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"

// A fresh simulated device in a temporary directory, made current for the test and removed
// afterwards.
class TempDevice {
 public:
  TempDevice() {
    root_ = std::filesystem::temp_directory_path() /
            ("vorlan-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "var/mobile/Library/Preferences");
    std::filesystem::create_directories(root_ / "var/mobile/Documents/Vorlan");
    device_ = std::make_shared<host::DeviceFileSystem>(root_);
    host::DeviceFileSystem::setCurrent(device_);
  }
  ~TempDevice() {
    host::DeviceFileSystem::setCurrent(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempDevice(const TempDevice&) = delete;
  TempDevice& operator=(const TempDevice&) = delete;

  const std::filesystem::path& root() const { return root_; }
  host::DeviceFileSystem& fs() const { return *device_; }
  std::filesystem::path hostPath(const std::string& devicePath) const {
    return *device_->hostPath(devicePath);
  }

  void writeRaw(const std::string& devicePath, const std::string& bytes) const {
    std::filesystem::create_directories(hostPath(devicePath).parent_path());
    std::ofstream(hostPath(devicePath), std::ios::binary) << bytes;
  }
  std::string readRaw(const std::string& devicePath) const {
    std::ifstream in(hostPath(devicePath), std::ios::binary);
    std::stringstream out;
    out << in.rdbuf();
    return out.str();
  }
  void writePlist(const std::string& devicePath, const host::Plist& value) const {
    writeRaw(devicePath, *host::PropertyListSerialization::writeXml(value));
  }
  // The property list stored at a device path; None if it is missing or unreadable.
  host::Plist readPlist(const std::string& devicePath) const {
    if (!std::filesystem::exists(hostPath(devicePath))) return {};
    return host::PropertyListSerialization::read(readRaw(devicePath)).value;
  }

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  std::filesystem::path root_;
  std::shared_ptr<host::DeviceFileSystem> device_;
};

#pragma once

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"

// A device root in a temporary folder, current for the benchmark's process while it lives.
class BenchDevice {
 public:
  explicit BenchDevice(const std::string& name) {
    root_ = std::filesystem::temp_directory_path() /
            ("vorlan-bench-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "var/mobile/Library/Preferences");
    device_ = std::make_shared<host::DeviceFileSystem>(root_);
    host::DeviceFileSystem::setCurrent(device_);
    host::Log::setEchoToStderr(false);
  }
  ~BenchDevice() {
    host::DeviceFileSystem::setCurrent(nullptr);
    std::filesystem::remove_all(root_);
  }
  BenchDevice(const BenchDevice&) = delete;
  BenchDevice& operator=(const BenchDevice&) = delete;

  host::DeviceFileSystem& fs() { return *device_; }
  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path root_;
  std::shared_ptr<host::DeviceFileSystem> device_;
};

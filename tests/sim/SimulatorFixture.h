#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "Simulator.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "support/DeviceTemplate.h"

namespace vorlan {

struct ScriptRun {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs scripts on a copy of the default device, one per case.
class SimulatorTest : public ::testing::Test {
 protected:
  ~SimulatorTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  // A first run starts from a copy of the default device laid out once; a model given is then
  // applied to it as to any existing device (the laid-out content does not depend on the model).
  ScriptRun run(const std::string& script, const std::string& model = "", bool keepGoing = false) {
    if (!std::filesystem::exists(device)) copyDefaultDevice();
    Simulator simulator({device, model, false, keepGoing});
    ScriptRun result;
    std::string error;
    if (!simulator.boot(error)) {
      ADD_FAILURE() << error;
      return result;
    }
    std::ostringstream out;
    std::ostringstream err;
    result.code = simulator.run(script, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
  }

  // The test probe loads into the Settings app in the extension's place.
  void installProbe() const {
    if (!std::filesystem::exists(device)) copyDefaultDevice();
    const host::DeviceFileSystem files(device);
    const std::string libraries = "/Library/MobileSubstrate/DynamicLibraries";
    std::string error;
    const auto library = files.hostPath(libraries + "/SimProbe.dylib");
    ASSERT_TRUE(library);
    std::filesystem::copy_file(VORLAN_SIM_PROBE, *library);
    const auto filter = host::PropertyListSerialization::writeXml(host::Plist::dictionary(
        {{"Filter", host::Plist::dictionary({{"Bundles", host::Plist::array({host::Plist::string(
                                                             "com.apple.preferences")})}})}}));
    ASSERT_TRUE(filter);
    ASSERT_TRUE(files.writeFileAtomically(libraries + "/SimProbe.plist", *filter, &error)) << error;
    ASSERT_TRUE(files.removeItem(libraries + "/Vorlan3.plist", &error)) << error;
  }

  void copyDefaultDevice() const {
    std::string error;
    if (!test::DeviceTemplate::copyTo(device, true, &error)) ADD_FAILURE() << error;
  }

  host::Plist stored(const std::string& devicePath) const {
    const auto bytes = host::DeviceFileSystem(device).readFile(devicePath);
    return bytes ? host::PropertyListSerialization::read(*bytes).value : host::Plist();
  }

  static bool hasLine(const std::string& text, const std::string& line) {
    std::istringstream lines(text);
    for (std::string each; std::getline(lines, each);) {
      if (each == line) return true;
    }
    return false;
  }

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vorlan-sim-test-" + std::to_string(::getpid()));
  const std::filesystem::path device = folder / "device";
};

}  // namespace vorlan

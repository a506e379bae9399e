#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "DefaultDevice.h"
#include "foundation/Log.h"
#include "foundation/RunLoop.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "support/TempDevice.h"

namespace vorlan {

// A freshly laid-out default device, current for the test, with a fresh run loop and log.
class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::RunLoop::main().reset();
    host::Log::setEchoToStderr(false);
    host::Log::clear();
    std::string error;
    ASSERT_TRUE(DefaultDevice::layOut(device.root(), DeviceOptions{}, &error)) << error;
  }
  void TearDown() override { host::RunLoop::main().reset(); }

  // The identifiers (else "<name>") of the page's cells by group, "|" between groups.
  static std::string rows(host::PSListController& page) {
    std::string out;
    for (long g = 0; g < page.numberOfGroups(); ++g) {
      if (g > 0) out += "|";
      bool first = true;
      for (const auto& item : page.specifiersInGroup(g)) {
        if (item->isGroup()) continue;
        out += (first ? "" : ",") +
               (item->identifier().empty() ? "<" + item->name() + ">" : item->identifier());
        first = false;
      }
    }
    return out;
  }

  static bool logMentions(const std::string& text) {
    const auto lines = host::Log::lines();
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
  }

  TempDevice device;
};

}  // namespace vorlan

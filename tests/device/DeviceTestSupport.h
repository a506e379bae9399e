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
#include "support/PageListing.h"
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

  TempDevice device;
};

}  // namespace vorlan

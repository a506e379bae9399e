#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "DefaultDevice.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "support/DeviceTemplate.h"
#include "support/HostTest.h"
#include "support/PageListing.h"
#include "support/TempDevice.h"

namespace vorlan {

using test::cell;
using test::logCount;
using test::logMentions;
using test::rows;

// A fresh default device (see DeviceTemplate), current for the test, with a fresh run loop and log.
class DeviceTest : public test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    std::string error;
    ASSERT_TRUE(test::DeviceTemplate::copyTo(device.root(), false, &error)) << error;
  }

  TempDevice device;
};

}  // namespace vorlan

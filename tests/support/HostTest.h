#pragma once

#include <gtest/gtest.h>

#include "foundation/Log.h"
#include "foundation/RunLoop.h"

namespace vorlan::test {

// The base of the fixtures that run the platform: every case starts with a fresh main run loop
// and an empty log that is not echoed to standard error, and leaves nothing queued behind.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::RunLoop::main().reset();
    host::Log::setEchoToStderr(false);
    host::Log::clear();
  }
  void TearDown() override { host::RunLoop::main().reset(); }
};

}  // namespace vorlan::test

#pragma once

#include <memory>

#include "foundation/RunLoop.h"
#include "support/HostTest.h"
#include "uikit/TouchInjector.h"
#include "uikit/UIWindow.h"

namespace vorlan::test {

// A visible 375 x 667 key window with a finger on it, on a fresh clock.
class PanelTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    window = std::make_shared<host::UIWindow>();
    window->setFrame({0, 0, 375, 667});
    window->makeKeyAndVisible();
    finger = std::make_unique<host::TouchInjector>(window);
  }
  void TearDown() override {
    finger.reset();
    HostTest::TearDown();
  }
  static void wait(double seconds) { host::RunLoop::main().advance(seconds); }

  std::shared_ptr<host::UIWindow> window;
  std::unique_ptr<host::TouchInjector> finger;
};

}  // namespace vorlan::test

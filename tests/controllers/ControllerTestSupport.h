#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/Log.h"
#include "foundation/RunLoop.h"
#include "runtime/Runtime.h"
#include "uikit/UIViewController.h"
#include "uikit/UIWindow.h"

namespace host {

// The appearance calls of every RecordingController, in order, as "name:call".
inline std::vector<std::string>& appearanceLog() {
  static std::vector<std::string> log;
  return log;
}

// A controller that records its appearance calls under its name.
class RecordingController : public UIViewController {
 public:
  static Class* objcClass() {
    static Class* const cls = Runtime::shared().defineClass(
        "RecordingController", UIViewController::objcClass(), factoryFor<RecordingController>());
    return cls;
  }
  explicit RecordingController(Class* cls = objcClass()) : UIViewController(cls) {}

  static std::shared_ptr<RecordingController> named(std::string name) {
    auto controller = std::make_shared<RecordingController>();
    controller->name = std::move(name);
    return controller;
  }

  std::string name;

 protected:
  void viewDidLoadImpl() override { appearanceLog().push_back(name + ":didLoad"); }
  void viewWillAppearImpl(bool) override { appearanceLog().push_back(name + ":willAppear"); }
  void viewDidAppearImpl(bool) override { appearanceLog().push_back(name + ":didAppear"); }
  void viewWillDisappearImpl(bool) override { appearanceLog().push_back(name + ":willDisappear"); }
  void viewDidDisappearImpl(bool) override { appearanceLog().push_back(name + ":didDisappear"); }
};

// A fresh run loop and a key window with a root controller on screen.
class ControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().reset();
    Log::setEchoToStderr(false);
    Log::clear();
    appearanceLog().clear();
    window = std::make_shared<UIWindow>();
    window->setFrame(CGRectMake(0, 0, 375, 667));
    window->makeKeyAndVisible();
  }
  void TearDown() override {
    window->setRootViewController(nullptr);
    RunLoop::main().reset();
  }

  // Takes what the log holds and empties it.
  static std::vector<std::string> takeLog() { return std::exchange(appearanceLog(), {}); }

  std::shared_ptr<UIWindow> window;
};

}  // namespace host

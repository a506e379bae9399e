#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/Runtime.h"
#include "support/HostTest.h"
#include "support/OneCasePerProcess.h"
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

// A fresh run loop and a key window with a root controller on screen. The cases hook controller
// classes for the rest of the process: one case per process.
class ControllerTest : public vorlan::test::HostTest {
 protected:
  void SetUp() override {
    vorlan::test::requireOneCasePerProcess();
    if (HasFatalFailure()) return;
    HostTest::SetUp();
    appearanceLog().clear();
    window->setFrame(CGRectMake(0, 0, 375, 667));
    window->makeKeyAndVisible();
  }
  void TearDown() override {
    window->setRootViewController(nullptr);
    HostTest::TearDown();
  }

  // Takes what the log holds and empties it.
  static std::vector<std::string> takeLog() { return std::exchange(appearanceLog(), {}); }

  std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
};

}  // namespace host

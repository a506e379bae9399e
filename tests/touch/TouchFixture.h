#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/RunLoop.h"
#include "uikit/TouchInjector.h"
#include "uikit/UIGestureRecognizer.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"

namespace host {

// A visible 320 x 480 window with a finger on it, on a fresh clock.
class TouchFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().reset();
    window = std::make_shared<UIWindow>();
    window->setFrame({0, 0, 320, 480});
    window->makeKeyAndVisible();
    finger = std::make_unique<TouchInjector>(window);
  }
  void TearDown() override {
    finger.reset();
    RunLoop::main().reset();
  }

  std::shared_ptr<UIView> addView(const CGRect& frame,
                                  const std::shared_ptr<UIView>& parent = nullptr) {
    auto view = std::make_shared<UIView>();
    view->setFrame(frame);
    (parent ? parent : std::static_pointer_cast<UIView>(window))->addSubview(view);
    return view;
  }

  // Records the states a recogniser's action saw, as letters: B(egan), C(hanged), E(nded),
  // X (cancelled).
  static void record(UIGestureRecognizer& recognizer, std::string& log) {
    recognizer.addTarget([&log](const std::shared_ptr<UIGestureRecognizer>& r) {
      switch (r->state()) {
        case UIGestureRecognizerStateBegan:
          log += 'B';
          break;
        case UIGestureRecognizerStateChanged:
          log += 'C';
          break;
        case UIGestureRecognizerStateEnded:
          log += 'E';
          break;
        case UIGestureRecognizerStateCancelled:
          log += 'X';
          break;
        default:
          log += '?';
          break;
      }
    });
  }

  // Moves the finger from `from` by `dx, dy` in `steps` moves, one display frame apart.
  void dragBy(const CGPoint& from, double dx, double dy, int steps) {
    finger->touchDown(from);
    for (int i = 1; i <= steps; ++i) {
      RunLoop::main().advance(1.0 / 60);
      finger->touchMove({from.x + dx * i / steps, from.y + dy * i / steps});
    }
  }

  std::shared_ptr<UIWindow> window;
  std::unique_ptr<TouchInjector> finger;
};

}  // namespace host

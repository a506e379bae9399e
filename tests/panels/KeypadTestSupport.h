#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "media/AudioServices.h"
#include "panels/PanelTestSupport.h"
#include "panels/passcodeSkyView.h"
#include "store/VLPreferencesManager.h"
#include "support/TempDevice.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UILabel.h"

namespace vorlan::test {

// A keypad over the window, reading and saving the passcode on a device of the test program's
// own (the manager lives for the process).
class KeypadTest : public PanelTest {
 protected:
  static void SetUpTestSuite() {
    static TempDevice device;  // outlives every case: the manager keeps writing to it
    VLPreferencesManager::sharedInstance();
  }
  void SetUp() override {
    PanelTest::SetUp();
    host::AudioServices::clearPlayedSounds();
    manager()->clearPassword();
  }

  static std::shared_ptr<VLPreferencesManager> manager() {
    return VLPreferencesManager::sharedInstance();
  }

  std::shared_ptr<passcodeSkyView> makeKeypad(std::uint64_t procedure) {
    auto keypad = passcodeSkyView::make(window->bounds(), procedure);
    keypad->setShowLabels(false);
    return keypad;
  }
  // Shows the keypad under a control near the top and lets the keys come in.
  void show(const std::shared_ptr<passcodeSkyView>& keypad,
            std::function<void()> completion = nullptr) {
    window->addSubview(keypad);
    if (completion) {
      keypad->showFromRect(kAnchor, kBalloon, std::move(completion));
    } else {
      keypad->showFromRect(kAnchor, kBalloon);
    }
    window->bringSubviewToFront(keypad);
    wait(1.5);
  }

  // Taps the view at its centre, as a finger would, and lets the key's feedback end.
  void tapView(const std::shared_ptr<host::UIView>& view) {
    const auto frame = view->convertRectToView(view->bounds(), nullptr);
    finger->tap({frame.midX(), frame.midY()});
    wait(0.15);
  }
  // Types `digits` on the keys found by their accessibility labels.
  void type(const std::shared_ptr<passcodeSkyView>& keypad, const std::string& digits) {
    for (const char digit : digits) {
      for (const auto& key : keypad->buttons()) {
        if (key->accessibilityLabel() == std::string(1, digit)) tapView(key);
      }
    }
  }
  static int filledDots(const passcodeSkyView& keypad) {
    int filled = 0;
    for (const auto& dot : keypad.dots()) {
      const auto color = dot->backgroundColor();
      filled += color && color->alpha() > 0 ? 1 : 0;
    }
    return filled;
  }
  static std::vector<host::SystemSoundID> sounds() { return host::AudioServices::playedSounds(); }

  static constexpr host::CGRect kAnchor{20, 60, 40, 30};
  static constexpr host::CGRect kBalloon{40, 0, 295, 420};
};

}  // namespace vorlan::test

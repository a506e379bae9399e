#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "SupportImages.h"
#include "media/AudioServices.h"
#include "panels/PanelTestSupport.h"
#include "panels/passcodeSkyView.h"
#include "store/VLPreferencesManager.h"
#include "support/TempDevice.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UILabel.h"

namespace vorlan::test {

// A keypad over the window, on a device of the program's own (the manager lives for the process).
class KeypadTest : public PanelTest {
 protected:
  static void SetUpTestSuite() {
    static TempDevice device;
    std::string error;
    ASSERT_TRUE(SupportImages::install(device.fs(), &error)) << error;
  }
  void SetUp() override {
    PanelTest::SetUp();
    host::AudioServices::clearPlayedSounds();
    manager()->clearPassword();
  }
  static std::shared_ptr<VLPreferencesManager> manager() {
    return VLPreferencesManager::sharedInstance();
  }
  static std::vector<host::SystemSoundID> sounds() { return host::AudioServices::playedSounds(); }

  std::shared_ptr<passcodeSkyView> makeKeypad(std::uint64_t procedure) {
    auto keypad = passcodeSkyView::make(window->bounds(), procedure);
    keypad->setShowLabels(false);
    return keypad;
  }
  // Shows the keypad under a control near the top and lets the keys come in.
  void show(const std::shared_ptr<passcodeSkyView>& keypad, std::function<void()> done = nullptr) {
    window->addSubview(keypad);
    if (done) {
      keypad->showFromRect({20, 60, 40, 30}, {40, 0, 295, 330}, std::move(done));
    } else {
      keypad->showFromRect({20, 60, 40, 30}, {40, 0, 295, 330});
    }
    wait(1.5);
  }
  // A finger's tap at the view's centre; then the key's feedback ends.
  void tapView(const std::shared_ptr<host::UIView>& view) {
    const auto frame = view->convertRectToView(view->bounds(), nullptr);
    finger->tap({frame.midX(), frame.midY()});
    wait(0.15);
  }
  // Types on the keys found by their accessibility labels.
  void type(const std::shared_ptr<passcodeSkyView>& keypad, const std::string& digits) {
    for (const char digit : digits) {
      for (const auto& key : keypad->buttons()) {
        if (key->accessibilityLabel() == std::string(1, digit)) tapView(key);
      }
    }
  }
  static int filledDots(const passcodeSkyView& keypad) {
    return static_cast<int>(std::count_if(
        keypad.dots().begin(), keypad.dots().end(),
        [](auto& dot) { return dot->backgroundColor() && dot->backgroundColor()->alpha() > 0; }));
  }
};

}  // namespace vorlan::test

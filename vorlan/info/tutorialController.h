#pragma once

#include <memory>

#include "uikit/UIViewController.h"

namespace host {
class UIButton;
class UILabel;
}  // namespace host

namespace vorlan {

// The welcome screen: a greeting and a "Tutorial" button that closes the screen and then plays
// the tutorial video in the platform's player. Shown on the main list's first appearance on a
// fresh device, and from the info page.
class tutorialController : public host::UIViewController {
 public:
  // A streaming playlist of the tutorial video.
  static constexpr const char* kVideoURL = "https://media.vorlan.app/tutorial/vorlan3.m3u8";

  static host::Class* objcClass();
  explicit tutorialController(host::Class* cls = objcClass());

  static std::shared_ptr<tutorialController> make();

  // Dismisses this screen; once it is gone, presents the player and starts it.
  void showTutorial();

  const std::shared_ptr<host::UILabel>& welcome() const { return welcome_; }
  const std::shared_ptr<host::UIButton>& ok() const { return ok_; }

  void viewWillLayoutSubviews() override;

 protected:
  void loadViewImpl() override;

 private:
  std::shared_ptr<host::UILabel> welcome_;
  std::shared_ptr<host::UIButton> ok_;
};

}  // namespace vorlan

#pragma once

#include <memory>
#include <string>

#include "panels/skyView.h"
#include "uikit/CGGeometry.h"
#include "uikit/UIScrollViewDelegate.h"

namespace host {
class CAGradientLayer;
class UIAlertView;
class UIButton;
class UIImageView;
class UITextView;
}  // namespace host

namespace vorlan {

// The info page, opened from the configuration page: the maker's round picture (a tap follows
// the maker), the release history fading out at its top and bottom edges, "Reset", which
// erases every stored setting (behind the passcode when one is set), and "Tutorial".
class infoSkyView : public skyView, public host::UIScrollViewDelegate {
 public:
  static constexpr const char* kCreatorImage =
      "/Library/Application Support/Vorlan3/main_images/creator.png";
  // The maker's profile, tried in the apps that can show it, else on the web.
  static constexpr const char* kProfileHandle = "vorlan_app";
  static constexpr const char* kWebFollowURL =
      "https://twitter.com/intent/follow?screen_name=vorlan_app";
  static constexpr const char* kResetMessage =
      "This will erase every 'Vorlan' settings and perform a respring. Type your passcode to "
      "continue?";

  static host::Class* objcClass();
  explicit infoSkyView(host::Class* cls = objcClass());

  static std::shared_ptr<infoSkyView> make(const host::CGRect& frame);

  // The product's name and its releases, one a line, oldest first.
  static std::string releaseHistory();

  // Opens the maker's profile in the first app that can show it, else the web follow page.
  void followMe();
  // Erases everything at once without a passcode; with one, asks for it first.
  void eraseVL();
  // The passcode alert's answer: only "Yes" with the stored passcode, exactly, erases.
  void alertViewClickedButtonAtIndex(host::UIAlertView& alert, long index);
  // Closes the side page and this panel, then shows the welcome screen.
  void showTutorial();

  void scrollViewDidScroll(host::UIScrollView& scrollView) override;

  const std::shared_ptr<host::UIImageView>& me() const { return me_; }
  const std::shared_ptr<host::UITextView>& info() const { return info_; }
  const std::shared_ptr<host::UIButton>& reset() const { return reset_; }
  const std::shared_ptr<host::UIButton>& tutorial() const { return tutorial_; }

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  std::shared_ptr<host::UIButton> roundedButton(const std::string& title, double red, double green,
                                                double blue, void (infoSkyView::*action)());
  // Keeps the fade over the part of the history on screen.
  void placeMask();

  std::shared_ptr<host::UIImageView> me_;
  std::shared_ptr<host::UITextView> info_;
  std::shared_ptr<host::CAGradientLayer> mask_;
  std::shared_ptr<host::UIButton> reset_;
  std::shared_ptr<host::UIButton> tutorial_;
};

}  // namespace vorlan

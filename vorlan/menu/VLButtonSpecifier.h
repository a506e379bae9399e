#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "foundation/Timer.h"
#include "menu/VLSpecifier.h"
#include "uikit/NSAttributedString.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"

namespace vorlan {

class infoView;

// A menu button with an icon and a title. Held down for half a second it shows its help text
// in a popup whose arrow points at the icon. Its action still runs when the finger lifts, so
// an action should do nothing while isShow() answers true.
class VLButtonSpecifier : public VLSpecifier {
 public:
  static host::Class* objcClass();
  explicit VLButtonSpecifier(host::Class* cls = objcClass());
  ~VLButtonSpecifier() override;

  static std::shared_ptr<VLButtonSpecifier> make(const host::CGRect& frame);

  // Sets the title and places it right of the icon, centred vertically.
  void setTitle(std::string title);
  // Places the icon, and the title 5 points right of it.
  void setimageRect(const host::CGRect& rect);
  void setImage(std::shared_ptr<host::UIImage> image);
  void setImageContentMode(host::UIViewContentMode mode);
  void setTitleFont(std::shared_ptr<host::UIFont> font);
  const std::shared_ptr<host::UILabel>& getLabel() const { return label_; }
  host::CGRect imageFrame() const { return image_->frame(); }

  // Whether holding the button shows its help (true at first).
  void setWantsInfo(bool wants) { wantsInfo_ = wants; }
  // The help text, plain or laid out with pictures. Read when the popup is first shown.
  void setInfoText(std::string text);
  void setInfoAttributedText(std::shared_ptr<host::NSAttributedString> text);

  // Whether the help popup is on screen.
  bool isShow() const;
  // The width the help popup will have, for laying its text out in advance.
  float infoViewWidth() const;
  // The hold timer's tick: the second tick, half a second after the finger came down, shows
  // the popup.
  void showInfo();

  void tapped() override;
  void touchReleased() override;

  const std::shared_ptr<infoView>& info() const { return info_; }

 protected:
  void initWithFrame(const host::CGRect& frame);

 private:
  // The popup's left edge: 40 points left of the icon's centre, in the window.
  float popupX(float windowWidth) const;
  void presentInfo();
  void stopTimer();

  std::shared_ptr<host::UIView> container_;
  std::shared_ptr<host::UIImageView> image_;
  std::shared_ptr<host::UILabel> label_;
  std::shared_ptr<host::Timer> timerForLongTapGesture_;
  std::int32_t count_ = 0;
  std::shared_ptr<infoView> info_;
  std::variant<std::monostate, std::string, std::shared_ptr<host::NSAttributedString>> infoText_;
  bool wantsInfo_ = true;
};

}  // namespace vorlan

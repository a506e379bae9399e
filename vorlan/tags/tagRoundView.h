#pragma once

#include <memory>

#include "tags/tagView.h"

namespace host {
class UIImageView;
}

namespace vorlan {

// A tag given to the cell, as a small round chip in the assignment panel's box: the dot, the
// name and a close mark. Tapping it takes the tag away. It does not highlight, and it sizes its
// own width to its content, keeping its origin and height.
class tagRoundView : public tagView {
 public:
  static constexpr const char* kCloseImage =
      "/Library/Application Support/Vorlan3/main_images/close_button.png";

  static host::Class* objcClass();
  explicit tagRoundView(host::Class* cls = objcClass());

  static std::shared_ptr<tagRoundView> make(const host::CGRect& frame);

  void tapped() override {}
  void touchReleased() override {}
  void touchReleasedAndDoIt() override;

  const std::shared_ptr<host::UIImageView>& closeMark() const { return close_; }

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  std::shared_ptr<host::UIImageView> close_;
};

}  // namespace vorlan

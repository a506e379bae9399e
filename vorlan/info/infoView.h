#pragma once

#include <memory>
#include <string>

#include "panels/skyView.h"
#include "uikit/CGGeometry.h"
#include "uikit/NSAttributedString.h"
#include "uikit/UITextView.h"

namespace vorlan {

// The help popup: a panel whose balloon holds one read-only, scrolling text, the help of a menu
// button with its pictures. Every showing starts at the top of the text.
class infoView : public skyView {
 public:
  static host::Class* objcClass();
  explicit infoView(host::Class* cls = objcClass());

  static std::shared_ptr<infoView> make(const host::CGRect& frame);

  void setText(std::string text);
  void setAttributedText(std::shared_ptr<host::NSAttributedString> text);
  const std::shared_ptr<host::UITextView>& textView() const { return textView_; }

  void showFromRect(const host::CGRect& from, const host::CGRect& to) override;

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  std::shared_ptr<host::UITextView> textView_;
};

}  // namespace vorlan

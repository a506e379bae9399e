#include "info/infoView.h"

#include "panels/shapeSkyView.h"
#include "runtime/HostClass.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"

namespace vorlan {

HOST_CLASS(infoView, skyView)

infoView::infoView(host::Class* cls) : skyView(cls) {}

std::shared_ptr<infoView> infoView::make(const host::CGRect& frame) {
  auto panel = std::make_shared<infoView>();
  panel->initWithFrame(frame);
  return panel;
}

void infoView::initWithFrame(const host::CGRect& frame) {
  skyView::initWithFrame(frame);
  setUserInteractionEnabled(true);

  textView_ = std::make_shared<host::UITextView>();
  textView_->setFrame({0, 0, frame.size.width, frame.size.height});
  textView_->setShowsHorizontalScrollIndicator(false);
  textView_->setShowsVerticalScrollIndicator(false);
  textView_->setSelectable(false);
  textView_->setEditable(false);
  textView_->setBackgroundColor(host::UIColor::clearColor());
  textView_->setClipsToBounds(true);
  textView_->setTextColor(host::UIColor::colorWithWhite(0.2, 0.9));
  textView_->setTextAlignment(host::NSTextAlignment::Center);
  textView_->setFont(host::UIFont::systemFontOfSize(18));
  textView_->setHidden(false);
  textView_->setScrollEnabled(true);
  shape()->container()->addSubview(textView_);
}

void infoView::setText(std::string text) {
  textView_->setText(std::move(text));
  setNeedsLayout();
  layoutIfNeeded();
}

void infoView::setAttributedText(std::shared_ptr<host::NSAttributedString> text) {
  textView_->setAttributedText(std::move(text));
  setNeedsLayout();
  layoutIfNeeded();
}

void infoView::layoutSubviewsImpl() {
  skyView::layoutSubviewsImpl();
  const host::CGRect container = shape()->container()->frame();
  textView_->setFrame({5, 3, container.size.width - 10, container.size.height});
}

void infoView::showFromRect(const host::CGRect& from, const host::CGRect& to) {
  skyView::showFromRect(from, to);
  setNeedsLayout();  // the text fills the balloon placed now
  // A help text is read from its beginning, wherever it was left the last time.
  textView_->setContentOffset({0, 0});
}

}  // namespace vorlan

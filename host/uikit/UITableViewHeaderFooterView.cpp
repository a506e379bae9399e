#include "uikit/UITableViewHeaderFooterView.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"

namespace host {

namespace {
constexpr CGFloat kGroupedTextGap = 7;
}  // namespace

HOST_CLASS(UITableViewHeaderFooterView, UIView)

UITableViewHeaderFooterView::UITableViewHeaderFooterView(Class* cls)
    : UIView(cls), textLabel_(std::make_shared<UILabel>()) {
  textLabel_->setNumberOfLines(0);
}

std::shared_ptr<UITableViewHeaderFooterView> UITableViewHeaderFooterView::viewWithTitle(
    const std::string& title, bool grouped, bool footer) {
  auto view = std::make_shared<UITableViewHeaderFooterView>();
  view->grouped_ = grouped;
  view->footer_ = footer;
  view->addSubview(view->textLabel_);
  view->textLabel_->setText(title);
  if (grouped || footer) {
    view->textLabel_->setFont(UIFont::systemFontOfSize(13));
    view->textLabel_->setTextColor(UIColor::colorWithRed(0.43, 0.43, 0.45, 1));
  } else {
    view->textLabel_->setFont(UIFont::boldSystemFontOfSize(17));
    view->textLabel_->setTextColor(UIColor::blackColor());
    view->setBackgroundColor(UIColor::colorWithRed(0.97, 0.97, 0.97, 1));
  }
  return view;
}

void UITableViewHeaderFooterView::layoutSubviewsImpl() {
  if (!textLabel_->superview()) addSubview(textLabel_);
  const CGRect b = bounds();
  const CGFloat width = std::max(0.0, b.width() - 2 * kTextInset);
  const CGSize text = textLabel_->sizeThatFits({width, 0});
  const CGFloat h = std::min(text.height, b.height());
  CGFloat y = (b.height() - h) / 2;
  if (grouped_) y = footer_ ? kGroupedTextGap : std::max(0.0, b.height() - kGroupedTextGap - h);
  textLabel_->setFrame(CGRectMake(kTextInset, y, width, h));
}

}  // namespace host

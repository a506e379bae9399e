#include "uikit/UIPageControl.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UITouch.h"

namespace host {

HOST_CLASS(UIPageControl, UIControl)

UIPageControl::UIPageControl(Class* cls) : UIControl(cls) {}

UIPageControl::~UIPageControl() = default;

void UIPageControl::setNumberOfPages(long pages) {
  numberOfPages_ = std::max(pages, 0L);
  currentPage_ = std::clamp(currentPage_, 0L, std::max(numberOfPages_ - 1, 0L));
  updateDots();
}

void UIPageControl::setCurrentPage(long page) {
  currentPage_ = std::clamp(page, 0L, std::max(numberOfPages_ - 1, 0L));
  updateDots();
}

void UIPageControl::setHidesForSinglePage(bool hides) {
  hidesForSinglePage_ = hides;
  updateDots();
}

std::shared_ptr<UIColor> UIPageControl::pageIndicatorTintColor() const {
  return pageIndicatorTintColor_ ? pageIndicatorTintColor_ : UIColor::colorWithWhite(1, 0.2);
}

void UIPageControl::setPageIndicatorTintColor(std::shared_ptr<UIColor> color) {
  pageIndicatorTintColor_ = std::move(color);
  updateDots();
}

std::shared_ptr<UIColor> UIPageControl::currentPageIndicatorTintColor() const {
  return currentPageIndicatorTintColor_ ? currentPageIndicatorTintColor_ : UIColor::whiteColor();
}

void UIPageControl::setCurrentPageIndicatorTintColor(std::shared_ptr<UIColor> color) {
  currentPageIndicatorTintColor_ = std::move(color);
  updateDots();
}

CGSize UIPageControl::sizeForNumberOfPages(long pages) const {
  if (pages <= 0) return {0, kHeight};
  return {static_cast<double>(pages - 1) * kDotPitch + kDotSize, kHeight};
}

CGSize UIPageControl::sizeThatFits(const CGSize&) const {
  return sizeForNumberOfPages(numberOfPages_);
}

void UIPageControl::layoutSubviewsImpl() {
  updateDots();
}

void UIPageControl::updateDots() {
  while (dots_.size() > static_cast<std::size_t>(numberOfPages_)) {
    dots_.back()->removeFromSuperview();
    dots_.pop_back();
  }
  while (dots_.size() < static_cast<std::size_t>(numberOfPages_)) {
    auto dot = std::make_shared<UIView>();
    dot->setUserInteractionEnabled(false);
    dot->layer()->setCornerRadius(kDotSize / 2);
    addSubview(dot);
    dots_.push_back(std::move(dot));
  }
  const CGRect b = bounds();
  const double width = sizeForNumberOfPages(numberOfPages_).width;
  const double left = b.midX() - width / 2;
  const double top = b.midY() - kDotSize / 2;
  const bool hidden = hidesForSinglePage_ && numberOfPages_ == 1;
  for (std::size_t i = 0; i < dots_.size(); ++i) {
    dots_[i]->setFrame({{left + static_cast<double>(i) * kDotPitch, top}, {kDotSize, kDotSize}});
    dots_[i]->setBackgroundColor(static_cast<long>(i) == currentPage_
                                     ? currentPageIndicatorTintColor()
                                     : pageIndicatorTintColor());
    dots_[i]->setHidden(hidden);
  }
}

void UIPageControl::endTrackingWithTouch(UITouch* touch, UIEvent* event) {
  UIControl::endTrackingWithTouch(touch, event);
  if (touch == nullptr || !isInsideTrackingArea(*touch)) return;
  const long page =
      touch->locationInView(this).x < bounds().midX() ? currentPage_ - 1 : currentPage_ + 1;
  const long previous = currentPage_;
  setCurrentPage(page);
  if (currentPage_ != previous) sendActionsForControlEvents(UIControlEventValueChanged, event);
}

}  // namespace host

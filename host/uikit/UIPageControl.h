#pragma once

#include <memory>
#include <vector>

#include "uikit/UIControl.h"

namespace host {

class UIColor;

// A row of page dots (7 points wide, 16 apart, centred). A tap on the left half of the control
// goes back a page, on the right half forward one; a change sends value-changed. Setting the
// page in code sends nothing. The current page stays within [0, numberOfPages - 1].
class UIPageControl : public UIControl {
 public:
  static constexpr double kDotSize = 7;
  static constexpr double kDotPitch = 16;
  static constexpr double kHeight = 37;

  static Class* objcClass();
  explicit UIPageControl(Class* cls = objcClass());
  ~UIPageControl() override;

  long numberOfPages() const { return numberOfPages_; }
  void setNumberOfPages(long pages);
  long currentPage() const { return currentPage_; }
  void setCurrentPage(long page);
  bool hidesForSinglePage() const { return hidesForSinglePage_; }
  void setHidesForSinglePage(bool hides);

  // The other dots: white with alpha 0.2 unless set; the current one: white unless set.
  std::shared_ptr<UIColor> pageIndicatorTintColor() const;
  void setPageIndicatorTintColor(std::shared_ptr<UIColor> color);
  std::shared_ptr<UIColor> currentPageIndicatorTintColor() const;
  void setCurrentPageIndicatorTintColor(std::shared_ptr<UIColor> color);

  const std::vector<std::shared_ptr<UIView>>& dotViews() const { return dots_; }
  CGSize sizeForNumberOfPages(long pages) const;
  CGSize sizeThatFits(const CGSize& size) const override;
  bool gestureRecognizerShouldBegin(const UIGestureRecognizer& recognizer) const override {
    return !keepsSingleTapFrom(recognizer);
  }
  void endTrackingWithTouch(UITouch* touch, UIEvent* event) override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  void updateDots();

  long numberOfPages_ = 0;
  long currentPage_ = 0;
  bool hidesForSinglePage_ = false;
  std::shared_ptr<UIColor> pageIndicatorTintColor_;
  std::shared_ptr<UIColor> currentPageIndicatorTintColor_;
  std::vector<std::shared_ptr<UIView>> dots_;
};

}  // namespace host

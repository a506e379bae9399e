#include "uikit/UIStatusBar.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/NSParagraphStyle.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"

namespace host {

namespace {

constexpr int kSignalDots = 5;
constexpr double kDot = 5.5;
constexpr double kDotGap = 1;

}  // namespace

HOST_CLASS(UIStatusBar, UIView)

UIStatusBar::UIStatusBar(Class* cls) : UIView(cls) {
  setUserInteractionEnabled(false);
}

void UIStatusBar::build() {
  const auto black = UIColor::blackColor();
  signal_ = std::make_shared<UIView>();
  for (int i = 0; i < kSignalDots; ++i) {
    auto dot = std::make_shared<UIView>();
    dot->setFrame(CGRectMake(i * (kDot + kDotGap), 0, kDot, kDot));
    dot->setBackgroundColor(black);
    dot->layer()->setCornerRadius(kDot / 2);
    signal_->addSubview(dot);
  }
  carrier_ = std::make_shared<UILabel>();
  carrier_->setFont(UIFont::systemFontOfSize(12));
  carrier_->setText(kCarrier);
  time_ = std::make_shared<UILabel>();
  time_->setFont(UIFont::boldSystemFontOfSize(12));
  time_->setTextAlignment(NSTextAlignment::Center);
  time_->setText(kTime);
  battery_ = std::make_shared<UIView>();
  battery_->layer()->setBorderWidth(1);
  battery_->layer()->setBorderColor(black);
  battery_->layer()->setCornerRadius(2.5);
  batteryFill_ = std::make_shared<UIView>();
  batteryFill_->setBackgroundColor(black);
  batteryFill_->layer()->setCornerRadius(1);
  battery_->addSubview(batteryFill_);
  batteryTip_ = std::make_shared<UIView>();
  batteryTip_->setBackgroundColor(black);
  for (const auto& view : {signal_, std::static_pointer_cast<UIView>(carrier_),
                           std::static_pointer_cast<UIView>(time_), battery_, batteryTip_}) {
    addSubview(view);
  }
}

void UIStatusBar::setLightContent(bool light) {
  lightContent_ = light;
  if (signal_) applyColour();
}

void UIStatusBar::applyColour() {
  const auto colour = lightContent_ ? UIColor::whiteColor() : UIColor::blackColor();
  for (const auto& dot : signal_->subviews())
    dot->setBackgroundColor(colour);
  carrier_->setTextColor(colour);
  time_->setTextColor(colour);
  battery_->layer()->setBorderColor(colour);
  batteryFill_->setBackgroundColor(colour);
  batteryTip_->setBackgroundColor(colour);
}

void UIStatusBar::layoutSubviewsImpl() {
  if (!signal_) {
    build();
    applyColour();
  }
  const CGRect b = bounds();
  const double mid = b.size.height / 2;
  const double signalWidth = kSignalDots * (kDot + kDotGap) - kDotGap;
  signal_->setFrame(CGRectMake(6, mid - kDot / 2, signalWidth, kDot));
  carrier_->sizeToFit();
  const CGSize carrier = carrier_->bounds().size;
  carrier_->setFrame(
      CGRectMake(10 + signalWidth, mid - carrier.height / 2, carrier.width, carrier.height));
  time_->setFrame(CGRectMake(b.size.width / 2 - 50, 0, 100, b.size.height));
  const CGRect battery = CGRectMake(b.size.width - 33, mid - 5.5, 24.5, 11);
  battery_->setFrame(battery);
  batteryFill_->setFrame(CGRectMake(2, 2, battery.size.width - 4, battery.size.height - 4));
  batteryTip_->setFrame(CGRectMake(battery.origin.x + battery.size.width + 0.5, mid - 2, 1.5, 4));
}

}  // namespace host

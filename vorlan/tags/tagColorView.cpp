#include "tags/tagColorView.h"

#include <cmath>

#include "foundation/NSString.h"
#include "runtime/HostClass.h"
#include "store/HexColors.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UITapGestureRecognizer.h"

namespace vorlan {

namespace {

constexpr double kFade = 0.2;

std::string colourKey(std::string_view hex) {
  if (!hex.empty() && hex.front() == '#') hex.remove_prefix(1);
  return host::NSString::lowercaseString(hex);
}

}  // namespace

HOST_CLASS(tagColorView, host::UIView)

tagColorView::tagColorView(host::Class* cls) : host::UIView(cls) {}

std::shared_ptr<tagColorView> tagColorView::make(const host::CGRect& frame) {
  auto view = std::make_shared<tagColorView>();
  view->initWithFrame(frame);
  return view;
}

void tagColorView::initWithFrame(const host::CGRect& frame) {
  setFrame(frame);
  setBackgroundColor(host::UIColor::clearColor());
  std::weak_ptr<tagColorView> weakSelf = std::static_pointer_cast<tagColorView>(shared_from_this());
  for (int position = 0; position < static_cast<int>(kSwatches.size()); ++position) {
    const Swatch& swatch = kSwatches[static_cast<std::size_t>(position)];
    auto view = std::make_shared<host::UIView>();
    view->setFrame({0, 0, kSwatchSize, kSwatchSize});
    view->setBackgroundColor(HexColorAddition::colorWithHexString(swatch.fillColor));
    view->layer()->setCornerRadius(kSwatchSize / 2);
    view->layer()->setBorderWidth(2);
    view->layer()->setBorderColor(HexColorAddition::colorWithHexString(swatch.borderColor));
    view->setTag(position);
    view->setAccessibilityLabel(swatch.accessibilityLabel);
    view->setUserInteractionEnabled(true);
    auto tap = std::make_shared<host::UITapGestureRecognizer>();
    tap->addTarget(shared_from_this(), [weakSelf](const auto& recognizer) {
      auto self = weakSelf.lock();
      auto tappedView = recognizer->view();
      if (self && tappedView) self->tapped(static_cast<int>(tappedView->tag()));
    });
    view->addGestureRecognizer(tap);
    addSubview(view);
    swatches_.push_back(std::move(view));
  }
  dot_ = std::make_shared<host::UIView>();
  dot_->setFrame({0, 0, kDotSize, kDotSize});
  dot_->setBackgroundColor(host::UIColor::blackColor());
  dot_->layer()->setCornerRadius(kDotSize / 2);
  dot_->setUserInteractionEnabled(false);
  dot_->setAlpha(0);
  addSubview(dot_);
}

float tagColorView::getRadiansFromDegrees(float degrees) {
  return degrees * 3.1415927F / 180;
}

host::CGPoint tagColorView::getViewCenterByPosition(int position) const {
  const host::CGFloat w = bounds().width();
  const host::CGFloat h = bounds().height();
  if (position == kCentre) return {w / 2, h / 2};
  const double angle = getRadiansFromDegrees(static_cast<float>(90 - 60 * position));
  return {std::cos(angle) * (w / 2 - kSwatchSize / 2) + w / 2,
          -std::sin(angle) * (h / 2 - kSwatchSize / 2) + h / 2};
}

void tagColorView::layoutSubviewsImpl() {
  for (const auto& swatch : swatches_) {
    const host::CGPoint centre = getViewCenterByPosition(static_cast<int>(swatch->tag()));
    swatch->setFrame(
        {centre.x - kSwatchSize / 2, centre.y - kSwatchSize / 2, kSwatchSize, kSwatchSize});
    swatch->layer()->setCornerRadius(kSwatchSize / 2);
  }
  placeDot();
}

void tagColorView::placeDot() {
  if (dotPosition_) dot_->setCenter(getViewCenterByPosition(*dotPosition_));
}

void tagColorView::tapped(int position) {
  if (position < 0 || position >= static_cast<int>(kSwatches.size())) return;
  const Swatch& swatch = kSwatches[static_cast<std::size_t>(position)];
  selectedFillColor_ = swatch.fillColor;
  selectedBorderColor_ = swatch.borderColor;
  dotPosition_ = position;
  std::weak_ptr<tagColorView> weakSelf = std::static_pointer_cast<tagColorView>(shared_from_this());
  animateWithDuration(
      kFade, [this] { dot_->setAlpha(0); },
      [weakSelf](bool) {
        auto self = weakSelf.lock();
        if (!self) return;
        self->placeDot();
        animateWithDuration(kFade, [self] { self->dot_->setAlpha(1); });
      });
}

void tagColorView::starterColor(std::string_view hex) {
  dotPosition_.reset();
  for (std::size_t position = 0; position < kSwatches.size(); ++position) {
    if (colourKey(kSwatches[position].fillColor) == colourKey(hex)) {
      dotPosition_ = static_cast<int>(position);
      break;
    }
  }
  dot_->setAlpha(dotPosition_ ? 1 : 0);
  placeDot();
}

}  // namespace vorlan

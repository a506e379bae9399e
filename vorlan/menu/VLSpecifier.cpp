#include "menu/VLSpecifier.h"

#include "runtime/HostClass.h"

namespace vorlan {

namespace {
constexpr double kHighlightDuration = 0.1;
}  // namespace

HOST_CLASS(VLSpecifier, host::UIButton)

VLSpecifier::VLSpecifier(host::Class* cls) : host::UIButton(cls) {}

std::shared_ptr<VLSpecifier> VLSpecifier::make(const host::CGRect& frame) {
  auto button = std::make_shared<VLSpecifier>();
  button->initWithFrame(frame);
  return button;
}

void VLSpecifier::initWithFrame(const host::CGRect& frame) {
  setFrame(frame);
  const double w = frame.size.width, h = frame.size.height;
  setBackgroundColor(host::UIColor::clearColor());
  setUserInteractionEnabled(true);

  highlight_ = std::make_shared<host::UIView>();
  highlight_->setFrame({0, 1, w, h - 2});
  highlight_->setBackgroundColor(host::UIColor::clearColor());
  highlight_->setUserInteractionEnabled(false);
  addSubview(highlight_);
  topBorder_ = std::make_shared<host::UIView>();
  topBorder_->setFrame({0, 0, w, 1});
  addSubview(topBorder_);
  bottomBorder_ = std::make_shared<host::UIView>();
  bottomBorder_->setFrame({0, h - 1, w, 1});
  addSubview(bottomBorder_);
  setSeparatorColor(host::UIColor::colorWithWhite(1, 0.8));
  setShowBorders(false);

  std::weak_ptr<VLSpecifier> weakSelf = std::static_pointer_cast<VLSpecifier>(shared_from_this());
  addTarget(
      shared_from_this(),
      [weakSelf] {
        if (auto self = weakSelf.lock()) self->tapped();
      },
      host::UIControlEventTouchDown | host::UIControlEventTouchDragInside);
  addTarget(
      shared_from_this(),
      [weakSelf] {
        if (auto self = weakSelf.lock()) self->touchReleased();
      },
      host::UIControlEventTouchUpInside | host::UIControlEventTouchUpOutside |
          host::UIControlEventTouchCancel | host::UIControlEventTouchDragOutside);
}

void VLSpecifier::setTarget(std::function<void()> action) {
  addAction([action = std::move(action)](const auto&, host::UIEvent*) { action(); },
            host::UIControlEventTouchUpInside);
}

void VLSpecifier::tapped() {
  animateWithDuration(kHighlightDuration,
                      [this] { highlight_->setBackgroundColor(topBorder_->backgroundColor()); });
}

void VLSpecifier::touchReleased() {
  animateWithDuration(kHighlightDuration,
                      [this] { highlight_->setBackgroundColor(host::UIColor::clearColor()); });
}

void VLSpecifier::setSeparatorColor(std::shared_ptr<host::UIColor> color) {
  topBorder_->setBackgroundColor(color);
  bottomBorder_->setBackgroundColor(std::move(color));
}

void VLSpecifier::setSeparatorHeight(float height) {
  updateBackGroundViewWithHeight(height);
  const host::CGSize size = bounds().size;
  topBorder_->setFrame({0, 0, size.width, height});
  bottomBorder_->setFrame({0, size.height - height, size.width, height});
}

void VLSpecifier::setSeparatorLeftOffset(float offset) {
  for (const auto& border : {topBorder_, bottomBorder_}) {
    host::CGRect frame = border->frame();
    frame.origin.x = offset;
    frame.size.width -= offset;
    border->setFrame(frame);
  }
}

void VLSpecifier::setSeparatorRightOffset(float offset) {
  for (const auto& border : {topBorder_, bottomBorder_}) {
    host::CGRect frame = border->frame();
    frame.size.width -= offset;
    border->setFrame(frame);
  }
}

void VLSpecifier::setShowBorder(bool show, unsigned border) {
  if (border == kTopBorder) topBorder_->setHidden(!show);
  if (border == kBottomBorder) bottomBorder_->setHidden(!show);
  updateBackGroundViewWithHeight(static_cast<float>(topBorder_->frame().size.height));
}

void VLSpecifier::setShowBorders(bool show) {
  setShowBorder(show, kTopBorder);
  setShowBorder(show, kBottomBorder);
}

void VLSpecifier::updateBackGroundViewWithHeight(float height) {
  const double w = bounds().size.width, h = bounds().size.height, s = height;
  const bool top = !topBorder_->isHidden(), bottom = !bottomBorder_->isHidden();
  if (top && bottom) {
    highlight_->setFrame({0, s, w, h - 2 * s});
  } else if (top) {
    highlight_->setFrame({0, s, w, h - s});
  } else if (bottom) {
    highlight_->setFrame({0, 0, w, h - s});
  } else {
    highlight_->setFrame({0, 0, w, h});
  }
}

}  // namespace vorlan

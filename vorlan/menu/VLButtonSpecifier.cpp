#include "menu/VLButtonSpecifier.h"

#include "foundation/RunLoop.h"
#include "info/infoView.h"
#include "panels/shapeSkyView.h"
#include "runtime/HostClass.h"
#include "uikit/UIApplication.h"
#include "uikit/UIColor.h"
#include "uikit/UIScreen.h"
#include "uikit/UITextView.h"
#include "uikit/UIWindow.h"

namespace vorlan {

namespace {

constexpr double kHoldTick = 0.5;  // seconds; the popup shows on the second tick
constexpr double kHighlightDuration = 0.1;
constexpr double kPopupHeight = 250;

std::shared_ptr<host::UIColor> restingColor() {
  return host::UIColor::colorWithWhite(1, 0.6);
}

// The key window's size; the main screen's while there is no key window.
host::CGSize windowSize() {
  if (const auto window = host::UIApplication::sharedApplication()->keyWindow())
    return window->frame().size;
  return host::UIScreen::mainScreen()->bounds().size;
}

}  // namespace

HOST_CLASS(VLButtonSpecifier, VLSpecifier)

VLButtonSpecifier::VLButtonSpecifier(host::Class* cls) : VLSpecifier(cls) {}

VLButtonSpecifier::~VLButtonSpecifier() {
  stopTimer();
}

std::shared_ptr<VLButtonSpecifier> VLButtonSpecifier::make(const host::CGRect& frame) {
  auto button = std::make_shared<VLButtonSpecifier>();
  button->initWithFrame(frame);
  return button;
}

void VLButtonSpecifier::initWithFrame(const host::CGRect& frame) {
  VLSpecifier::initWithFrame(frame);
  const double w = frame.size.width, h = frame.size.height;
  wantsInfo_ = true;

  container_ = std::make_shared<host::UIView>();
  container_->setFrame({0, 0, w, h});
  container_->setUserInteractionEnabled(false);
  container_->setBackgroundColor(host::UIColor::clearColor());
  addSubview(container_);

  image_ = std::make_shared<host::UIImageView>();
  image_->setFrame({0, 0, w / 3, h});
  image_->setBackgroundColor(host::UIColor::clearColor());
  image_->setContentMode(host::UIViewContentModeCenter);
  image_->setTintColor(restingColor());
  container_->addSubview(image_);

  label_ = std::make_shared<host::UILabel>();
  label_->setTextColor(restingColor());
  label_->setFont(host::UIFont::systemFontOfSize(17));
  container_->addSubview(label_);

  setSeparatorHeight(2);
  setSeparatorColor(host::UIColor::colorWithWhite(1, 0.4));
}

void VLButtonSpecifier::setTitle(std::string title) {
  label_->setText(std::move(title));
  label_->sizeToFit();
  const host::CGRect icon = image_->frame();
  const double h = bounds().size.height, labelHeight = label_->frame().size.height;
  const double x = icon.origin.x + icon.size.width;
  label_->setFrame({x, (h - labelHeight) / 2, bounds().size.width - (x + 5), labelHeight});
}

void VLButtonSpecifier::setimageRect(const host::CGRect& rect) {
  image_->setFrame(rect);
  const double h = bounds().size.height, labelHeight = label_->frame().size.height;
  const double right = rect.origin.x + rect.size.width;
  label_->setFrame(
      {right + 5, (h - labelHeight) / 2, bounds().size.width - (right + 10), labelHeight});
}

void VLButtonSpecifier::setImage(std::shared_ptr<host::UIImage> image) {
  image_->setImage(std::move(image));
}

void VLButtonSpecifier::setImageContentMode(host::UIViewContentMode mode) {
  image_->setContentMode(mode);
}

void VLButtonSpecifier::setTitleFont(std::shared_ptr<host::UIFont> font) {
  label_->setFont(std::move(font));
  setTitle(label_->text());
}

void VLButtonSpecifier::setInfoText(std::string text) {
  infoText_ = std::move(text);
}

void VLButtonSpecifier::setInfoAttributedText(std::shared_ptr<host::NSAttributedString> text) {
  if (text) {
    infoText_ = std::move(text);
  } else {
    infoText_ = std::monostate{};
  }
}

bool VLButtonSpecifier::isShow() const {
  return info_ && info_->isShow();
}

float VLButtonSpecifier::popupX(float windowWidth) const {
  // The menu the button sits in is placed in the window at its own x; without one, at 0.
  const auto menu = superview();
  const double menuX = menu ? menu->frame().origin.x : 0;
  return static_cast<float>(windowWidth - (image_->frame().size.width / 2 + menuX) - 40);
}

float VLButtonSpecifier::infoViewWidth() const {
  const auto windowWidth = static_cast<float>(windowSize().width);
  return windowWidth - popupX(windowWidth) - 5;
}

void VLButtonSpecifier::tapped() {
  if (wantsInfo_ && !timerForLongTapGesture_) {
    count_ = 0;
    std::weak_ptr<VLButtonSpecifier> weakSelf =
        std::static_pointer_cast<VLButtonSpecifier>(shared_from_this());
    timerForLongTapGesture_ =
        host::RunLoop::main().scheduledTimer(kHoldTick, true, [weakSelf](host::Timer&) {
          if (auto self = weakSelf.lock()) self->showInfo();
        });
    timerForLongTapGesture_->fire();
  }
  VLSpecifier::tapped();
  animateWithDuration(kHighlightDuration, [this] {
    label_->setTextColor(host::UIColor::blackColor());
    image_->setTintColor(host::UIColor::blackColor());
  });
}

void VLButtonSpecifier::touchReleased() {
  count_ = 0;
  stopTimer();
  VLSpecifier::touchReleased();
  animateWithDuration(kHighlightDuration, [this] {
    label_->setTextColor(restingColor());
    image_->setTintColor(restingColor());
  });
}

void VLButtonSpecifier::stopTimer() {
  if (timerForLongTapGesture_) timerForLongTapGesture_->invalidate();
  timerForLongTapGesture_.reset();
}

void VLButtonSpecifier::showInfo() {
  if (isShow()) return;
  if (count_ == 1) {
    count_ = 0;
    presentInfo();
  } else {
    ++count_;
  }
}

void VLButtonSpecifier::presentInfo() {
  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  if (!window) return;  // nowhere to show it
  const host::CGSize size = window->frame().size;
  const host::CGRect whole{0, 0, size.width, size.height};
  if (!info_) {
    info_ = infoView::make(whole);
    const bool none = std::holds_alternative<std::monostate>(infoText_);
    const auto& text = info_->textView();
    text->setTextAlignment(none ? host::NSTextAlignment::Center : host::NSTextAlignment::Left);
    text->setFont(host::UIFont::systemFontOfSize(none ? 25 : 15));
    if (const auto* attributed =
            std::get_if<std::shared_ptr<host::NSAttributedString>>(&infoText_)) {
      info_->setAttributedText(*attributed);
    } else if (const auto* plain = std::get_if<std::string>(&infoText_)) {
      info_->setText(*plain);
    } else {
      info_->setText({});
    }
  } else {
    info_->setFrame(whole);
  }
  window->addSubview(info_);

  const auto windowWidth = static_cast<float>(size.width);
  const float x = popupX(windowWidth);
  const host::CGRect icon = image_->frame();
  info_->showFromRect(frame(), {x, icon.size.height / 2 - 5, windowWidth - x - 5, kPopupHeight});
  const auto& container = info_->shape()->container();
  host::CGRect grown = container->frame();
  grown.origin.y -= 4;
  grown.size.height += 4;
  container->setFrame(grown);
}

}  // namespace vorlan

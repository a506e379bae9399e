#include "uikit/UIButton.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"

namespace host {

namespace {

constexpr double kFadedAlpha = 0.2;

}  // namespace

HOST_CLASS(UIButton, UIControl)

UIButton::UIButton(Class* cls)
    : UIControl(cls),
      backgroundView_(std::make_shared<UIImageView>()),
      imageView_(std::make_shared<UIImageView>()),
      titleLabel_(std::make_shared<UILabel>()) {
  titleLabel_->setFont(UIFont::systemFontOfSize(15));
  titleLabel_->setUserInteractionEnabled(false);
  updateContent();
}

// Subviews cannot be added while the button is being made (it is not shared yet): they join it,
// behind anything added since, when first needed.
void UIButton::installSubviews() {
  if (weak_from_this().expired() || titleLabel_->superview().get() == this) return;
  insertSubview(backgroundView_, 0);
  insertSubview(imageView_, 1);
  insertSubview(titleLabel_, 2);
}

void UIButton::didMoveToSuperview() {
  UIControl::didMoveToSuperview();
  installSubviews();
}

UIButton::~UIButton() = default;

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type) {
  auto button = std::make_shared<UIButton>();
  button->setButtonType(type);
  return button;
}

void UIButton::setButtonType(UIButtonType type) {
  type_ = type;
  updateContent();
}

template <class T>
T UIButton::lookup(const std::map<UIControlState, T>& values, UIControlState state) {
  if (auto it = values.find(state); it != values.end()) return it->second;
  if (auto it = values.find(UIControlStateNormal); it != values.end()) return it->second;
  return T{};
}

void UIButton::setTitle(std::optional<std::string> title, UIControlState state) {
  if (title) {
    titles_[state] = std::move(*title);
  } else {
    titles_.erase(state);
  }
  updateContent();
}

void UIButton::setTitleColor(std::shared_ptr<UIColor> color, UIControlState state) {
  if (color) {
    titleColors_[state] = std::move(color);
  } else {
    titleColors_.erase(state);
  }
  updateContent();
}

void UIButton::setImage(std::shared_ptr<UIImage> image, UIControlState state) {
  if (image) {
    images_[state] = std::move(image);
  } else {
    images_.erase(state);
  }
  updateContent();
}

void UIButton::setBackgroundImage(std::shared_ptr<UIImage> image, UIControlState state) {
  if (image) {
    backgroundImages_[state] = std::move(image);
  } else {
    backgroundImages_.erase(state);
  }
  updateContent();
}

std::optional<std::string> UIButton::titleForState(UIControlState state) const {
  if (auto it = titles_.find(state); it != titles_.end()) return it->second;
  if (auto it = titles_.find(UIControlStateNormal); it != titles_.end()) return it->second;
  return std::nullopt;
}

std::shared_ptr<UIColor> UIButton::titleColorForState(UIControlState state) const {
  if (auto color = lookup(titleColors_, state)) return color;
  if (type_ == UIButtonTypeCustom) return UIColor::whiteColor();
  if ((state & UIControlStateDisabled) != 0) return UIColor::colorWithWhite(0.6, 1);
  return tintColor();
}

std::shared_ptr<UIImage> UIButton::imageForState(UIControlState state) const {
  return lookup(images_, state);
}

std::shared_ptr<UIImage> UIButton::backgroundImageForState(UIControlState state) const {
  return lookup(backgroundImages_, state);
}

void UIButton::setContentEdgeInsets(const UIEdgeInsets& insets) {
  contentEdgeInsets_ = insets;
  setNeedsLayout();
}

void UIButton::controlStateDidChange() {
  updateContent();
}

void UIButton::updateContent() {
  installSubviews();
  const UIControlState current = state();
  const auto title = currentTitle();
  titleLabel_->setText(title.value_or(""));
  titleLabel_->setHidden(!title || title->empty());
  titleLabel_->setTextColor(currentTitleColor());
  imageView_->setImage(currentImage());
  imageView_->setHidden(!imageView_->image());
  backgroundView_->setImage(currentBackgroundImage());
  backgroundView_->setHidden(!backgroundView_->image());
  const bool faded = type_ == UIButtonTypeSystem && (current & UIControlStateHighlighted) != 0 &&
                     !titleColors_.contains(current);
  titleLabel_->setAlpha(faded ? kFadedAlpha : 1);
  imageView_->setAlpha(faded ? kFadedAlpha : 1);
  setNeedsLayout();
}

CGSize UIButton::sizeThatFits(const CGSize& size) const {
  const CGSize image = imageView_->isHidden() ? CGSizeZero : imageView_->sizeThatFits(size);
  const CGSize title = titleLabel_->isHidden() ? CGSizeZero : titleLabel_->sizeThatFits(size);
  const UIEdgeInsets& in = contentEdgeInsets_;
  return {image.width + title.width + in.left + in.right,
          std::max(image.height, title.height) + in.top + in.bottom};
}

void UIButton::layoutSubviewsImpl() {
  installSubviews();
  const CGRect b = bounds();
  backgroundView_->setFrame(b);
  const CGRect content = contentEdgeInsets_.insetRect(b);
  CGSize image = imageView_->isHidden() ? CGSizeZero : imageView_->sizeThatFits(b.size);
  // An image bigger than the content area is shrunk to fit it, keeping its aspect ratio.
  if (image.width > 0 && image.height > 0) {
    const double fit =
        std::min({1.0, content.width() / image.width, content.height() / image.height});
    image = {image.width * fit, image.height * fit};
  }
  CGSize title = titleLabel_->isHidden() ? CGSizeZero : titleLabel_->sizeThatFits(content.size);
  title.width = std::min(title.width, std::max(content.width() - image.width, 0.0));
  const double left = content.midX() - (image.width + title.width) / 2;
  imageView_->setFrame({{left, content.midY() - image.height / 2}, image});
  titleLabel_->setFrame({{left + image.width, content.midY() - title.height / 2}, title});
}

}  // namespace host

#include "panels/passcodeSkyView.h"

#include "foundation/RunLoop.h"
#include "media/AudioServices.h"
#include "panels/KeypadAnimations.h"
#include "panels/shapeSkyView.h"
#include "runtime/HostClass.h"
#include "store/VLPreferencesManager.h"
#include "uikit/CALayer.h"
#include "uikit/NSMutableAttributedString.h"
#include "uikit/NSParagraphStyle.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UIScreen.h"
#include "uikit/UITableView.h"

namespace vorlan {

namespace {

using host::CGRect;
using host::UIColor;

constexpr const char* kKeyTexts[10] = {"1\n",    "2\nABC",  "3\nDEF", "4\nGHI",  "5\nJKL",
                                       "6\nMNO", "7\nPQRS", "8\nTUV", "9\nWXYZ", "0"};
constexpr const char* kDeleteImage = "/Library/Application Support/Vorlan3/main_images/cancel.png";
constexpr const char* kNoPasswordText =
    "Set up your password by tapping on the gear at the top and then click 'Password'";
constexpr std::size_t kDigits = 4;

// The keys of each wave of the appear animation, top left to bottom right.
constexpr std::size_t kWaves[5][3] = {{0, 10, 10}, {1, 3, 10}, {2, 4, 6}, {5, 7, 10}, {8, 9, 10}};

bool isClear(const std::shared_ptr<UIColor>& color) {
  return !color || color->alpha() == 0;
}

// Sets a frame through bounds and centre, which holds for a view still scaled by an animation.
void place(host::UIView& view, const CGRect& frame) {
  view.setBounds({{0, 0}, frame.size});
  view.setCenter({frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2});
}

std::shared_ptr<host::NSMutableAttributedString> keyText(std::string_view text) {
  auto style = host::NSParagraphStyle::withAlignment(host::NSTextAlignment::Center);
  style->setLineHeightMultiple(0.7);
  auto attributed = host::NSMutableAttributedString::withString(text);
  attributed->addAttribute(host::NSParagraphStyleAttributeName, style, {0, attributed->length()});
  attributed->addAttribute(host::NSFontAttributeName, host::UIFont::systemFontOfSize(22), {0, 1});
  if (attributed->length() > 1) {
    attributed->addAttribute(host::NSFontAttributeName, host::UIFont::systemFontOfSize(8),
                             {1, attributed->length() - 1});
  }
  return attributed;
}

std::optional<std::string> storedPassword() {
  return VLPreferencesManager::sharedInstance()->getPassword();
}

}  // namespace

HOST_CLASS(passcodeSkyView, skyView)

passcodeSkyView::passcodeSkyView(host::Class* cls) : skyView(cls) {}

std::shared_ptr<passcodeSkyView> passcodeSkyView::make(const CGRect& frame,
                                                       std::uint64_t procedure) {
  auto keypad = std::make_shared<passcodeSkyView>();
  keypad->initWithFrame(frame, procedure);
  return keypad;
}

float passcodeSkyView::buttonSize() {
  return static_cast<float>(host::UIScreen::mainScreen()->bounds().size.height) * 52 / 667;
}

void passcodeSkyView::initWithFrame(const CGRect& frame, std::uint64_t procedure) {
  skyView::initWithFrame(frame);
  procedure_ = procedure;
  const auto container = shape()->container();

  status_ = std::make_shared<host::UILabel>();
  status_->setTextColor(UIColor::blackColor());
  status_->setBackgroundColor(UIColor::clearColor());
  status_->setTextAlignment(host::NSTextAlignment::Center);
  status_->setFont(host::UIFont::systemFontOfSize(16));
  container->addSubview(status_);
  showStoredState();

  for (auto& dot : dots_) {
    dot = std::make_shared<host::UIView>();
    dot->setUserInteractionEnabled(false);
    dot->setBackgroundColor(UIColor::clearColor());
    dot->layer()->setBorderColor(UIColor::blackColor());
    dot->layer()->setBorderWidth(1);
    dot->setClipsToBounds(true);
    container->addSubview(dot);
  }
  buildKeys(container);

  noPassword_ = std::make_shared<host::UILabel>();
  noPassword_->setTextAlignment(host::NSTextAlignment::Center);
  noPassword_->setText(kNoPasswordText);
  noPassword_->setTextColor(UIColor::blackColor());
  noPassword_->setFont(host::UIFont::systemFontOfSize(18));
  noPassword_->setNumberOfLines(0);
  noPassword_->setBackgroundColor(UIColor::whiteColor());
  // The cover takes the touches, so that the keys it hides cannot be typed on.
  noPassword_->setUserInteractionEnabled(true);
  noPassword_->setHidden(true);
  container->addSubview(noPassword_);

  setUpAnimation();
}

void passcodeSkyView::buildKeys(const std::shared_ptr<host::UIView>& container) {
  std::weak_ptr<passcodeSkyView> weakSelf =
      std::static_pointer_cast<passcodeSkyView>(shared_from_this());
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    auto key = std::make_shared<host::UIButton>();
    key->setUserInteractionEnabled(true);
    key->setBackgroundColor(UIColor::clearColor());
    key->layer()->setBorderColor(UIColor::blackColor());
    key->layer()->setBorderWidth(1);
    key->setClipsToBounds(true);
    key->setAccessibilityLabel(std::string(1, kKeyTexts[i][0]));
    const auto on = [weakSelf, i](void (passcodeSkyView::*handler)(std::size_t)) {
      return [weakSelf, i, handler] {
        if (auto self = weakSelf.lock()) (self.get()->*handler)(i);
      };
    };
    key->addTarget(shared_from_this(), on(&passcodeSkyView::tapped), host::UIControlEventTouchDown);
    key->addTarget(shared_from_this(), on(&passcodeSkyView::touchReleasedAndwrite),
                   host::UIControlEventTouchUpInside);
    key->addTarget(shared_from_this(), on(&passcodeSkyView::touchReleased),
                   host::UIControlEventTouchUpOutside);

    auto label = std::make_shared<host::UILabel>();
    label->setNumberOfLines(0);
    label->setTextAlignment(host::NSTextAlignment::Center);
    label->setTextColor(UIColor::blackColor());
    label->setBackgroundColor(UIColor::clearColor());
    label->setAttributedText(keyText(kKeyTexts[i]));
    key->addSubview(label);
    container->addSubview(key);
    buttons_[i] = std::move(key);
    keyLabels_[i] = std::move(label);
  }

  cancel_ = std::make_shared<host::UIButton>();
  cancel_->setImage(host::UIImage::imageWithContentsOfFile(kDeleteImage),
                    host::UIControlStateNormal);
  cancel_->imageView()->setContentMode(host::UIViewContentModeScaleAspectFit);
  cancel_->setContentMode(host::UIViewContentModeScaleAspectFit);
  cancel_->setBackgroundColor(UIColor::clearColor());
  cancel_->setClipsToBounds(true);
  cancel_->setUserInteractionEnabled(true);
  cancel_->setAccessibilityLabel("Delete");
  cancel_->addTarget(
      shared_from_this(),
      [weakSelf] {
        if (auto self = weakSelf.lock()) self->cancelTapped();
      },
      host::UIControlEventTouchUpInside);
  container->addSubview(cancel_);
}

// The status line and the cover as the stored passcode asks for them. An empty stored passcode
// counts as none: no four digits could match it, so the user could never replace it.
void passcodeSkyView::showStoredState() {
  const auto stored = storedPassword();
  const bool hasPasscode = stored.has_value() && !stored->empty();
  if (procedure_ == 0) {
    if (noPassword_) noPassword_->setHidden(hasPasscode);
    status_->setText("Enter your passcode");
    return;
  }
  if (noPassword_) noPassword_->setHidden(true);
  newPass_ = !hasPasscode;
  status_->setText(newPass_ ? "Enter your new passcode" : "Enter your old passcode");
}

void passcodeSkyView::setIndexPath(const host::NSIndexPath& indexPath,
                                   std::shared_ptr<host::UITableView> table,
                                   std::shared_ptr<host::Object> sender) {
  customAction_ = false;
  indexPath_ = indexPath;
  tableView_ = std::move(table);
  target_ = std::move(sender);
}

void passcodeSkyView::setCustomAction(std::function<void()> action) {
  customAction_ = true;
  action_ = std::move(action);
}

void passcodeSkyView::showFromRect(const CGRect& from, const CGRect& to) {
  handler_ = nullptr;
  skyView::showFromRect(from, to);
  success_ = false;
  tempPass_.clear();
  autenticated_ = false;
  for (const auto& label : keyLabels_)
    label->setHidden(!showLabels_);
  password_.clear();
  startAnimation();
  showStoredState();
}

void passcodeSkyView::showFromRect(const CGRect& from, const CGRect& to,
                                   std::function<void()> completion) {
  showFromRect(from, to);
  handler_ = std::move(completion);
}

void passcodeSkyView::dismissShape(bool animated) {
  skyView::dismissShape(animated);
  setUpAnimation();
  animating_ = false;
  tempPass_.clear();
  password_.clear();
  autenticated_ = false;
  for (const auto& dot : dots_)
    dot->setBackgroundColor(UIColor::clearColor());
  success_ = false;
}

void passcodeSkyView::layoutSubviewsImpl() {
  skyView::layoutSubviewsImpl();
  if (animating_) return;
  const auto container = shape()->container();
  if (!container) return;
  const CGRect box = container->bounds();
  const auto cw = static_cast<float>(box.size.width);
  const auto ch = static_cast<float>(box.size.height);
  const float bs = buttonSize();

  place(*noPassword_, box);
  place(*status_, {0, 0, cw, 35});
  const float dotsX = (cw - 4 * 10 - 5 * 3) / 2;
  for (std::size_t i = 0; i < dots_.size(); ++i) {
    place(*dots_[i], {dotsX + static_cast<float>(i) * 15, 35, 10, 10});
    dots_[i]->layer()->setCornerRadius(5);
  }

  const float y0 = 35 + 10 + 10;
  const float gap = (ch - (y0 + 10) - 4 * bs) / 3;
  const float x0 = (cw - 3 * bs - 2 * gap) / 2;
  const auto column = [&](std::size_t c) { return x0 + static_cast<float>(c) * (bs + gap); };
  const auto row = [&](std::size_t r) { return y0 + static_cast<float>(r) * (bs + gap); };
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    // The 0 key sits alone in the middle of the fourth row.
    const bool zero = i == buttons_.size() - 1;
    place(*buttons_[i], {column(zero ? 1 : i % 3), row(zero ? 3 : i / 3), bs, bs});
    buttons_[i]->layer()->setCornerRadius(bs / 2);
    place(*keyLabels_[i], {0, 0, bs, bs});
  }
  place(*cancel_, {column(2) + bs / 4, row(3) + bs / 4, bs / 2, bs / 2});
}

void passcodeSkyView::startAnimation() {
  layoutSubviews();
  animating_ = true;
  for (std::size_t i = 0; i < dots_.size(); ++i) {
    animateView(dots_[i], 0.5, 0.08 * static_cast<double>(i));
  }
  for (std::size_t wave = 0; wave < std::size(kWaves); ++wave) {
    for (const std::size_t key : kWaves[wave]) {
      if (key < buttons_.size()) animateView(buttons_[key], 0.5, 0.08 * static_cast<double>(wave));
    }
  }
}

void passcodeSkyView::setUpAnimation() {
  for (const auto& dot : dots_)
    dot->setAlpha(0);
  for (const auto& key : buttons_)
    key->setAlpha(0);
  cancel_->setAlpha(0);
}

void passcodeSkyView::setStatus(const std::string& text) {
  host::UIView::transitionWithView(status_, 0.2, host::UIViewAnimationOptionTransitionCrossDissolve,
                                   [this, &text] { status_->setText(text); });
}

// The key's feedback lets touches through, so the same digit typed twice quickly counts twice.
void passcodeSkyView::tapped(std::size_t key) {
  animateWithDuration(0.1, 0, host::UIViewAnimationOptionAllowUserInteraction, [this, key] {
    buttons_[key]->setBackgroundColor(UIColor::blackColor());
    keyLabels_[key]->setTextColor(UIColor::whiteColor());
  });
}

void passcodeSkyView::touchReleased(std::size_t key) {
  animateWithDuration(0.1, 0, host::UIViewAnimationOptionAllowUserInteraction, [this, key] {
    buttons_[key]->setBackgroundColor(UIColor::clearColor());
    keyLabels_[key]->setTextColor(UIColor::blackColor());
  });
}

void passcodeSkyView::touchReleasedAndwrite(std::size_t key) {
  touchReleased(key);
  host::AudioServicesPlaySystemSound(host::kSystemSoundID_KeyPressClick);
  std::size_t filled = 0;
  while (filled < dots_.size() && !isClear(dots_[filled]->backgroundColor()))
    ++filled;
  // Four digits are typed already: the entry is being checked.
  if (filled == dots_.size()) return;
  const auto& dot = dots_[filled];
  animateWithDuration(0.1, [&dot] { dot->setBackgroundColor(UIColor::blackColor()); });
  password_ += key == 9 ? "0" : std::to_string(key + 1);
  if (filled + 1 < kDigits) {
    if (cancel_->alpha() != 1) animateView(cancel_, 0.25, 0);
    return;
  }
  entryComplete();
}

void passcodeSkyView::entryComplete() {
  const auto stored = storedPassword();
  const bool matches = stored.has_value() && password_ == *stored;
  if (procedure_ == 0) {
    animateForClosingView(cancel_, 0.25, 0.1);
    if (!matches) {
      password_.clear();
      error();
      return;
    }
    auto self = std::static_pointer_cast<passcodeSkyView>(shared_from_this());
    dismissShape(true);
    host::RunLoop::main().performAfter(0.4, [self] { self->succeceded(); });
    if (auto handler = std::exchange(handler_, nullptr)) handler();
    return;
  }
  if (!newPass_ && !autenticated_) {
    password_.clear();
    if (matches) {
      autenticated_ = true;
      setStatus("Enter your new password");
      clear();
    } else {
      setStatus("Wrong password");
      error();
    }
    return;
  }
  if (tempPass_.empty()) {
    setStatus("Re enter your password");
    tempPass_ = std::exchange(password_, {});
    clear();
  } else if (tempPass_ == password_) {
    VLPreferencesManager::sharedInstance()->savePassword(tempPass_);
    tempPass_.clear();
    animateForClosingView(cancel_, 0.25, 0.1);
    dismissShape(true);
  } else {
    // The first entry stays: the next four digits are compared with it again.
    setStatus("Error");
    password_.clear();
    error();
  }
}

void passcodeSkyView::cancelTapped() {
  if (password_.empty()) return;
  for (auto dot = dots_.rbegin(); dot != dots_.rend(); ++dot) {
    if (!isClear((*dot)->backgroundColor())) {
      (*dot)->setBackgroundColor(UIColor::clearColor());
      break;
    }
  }
  password_.pop_back();
  if (password_.empty()) animateForClosingView(cancel_, 0.25, 0);
}

void passcodeSkyView::error() {
  host::AudioServicesPlaySystemSound(host::kSystemSoundID_Vibrate);
  for (const auto& dot : dots_) {
    // The chained stages hold the dot weakly: a dot's own animation must not keep it alive.
    const std::weak_ptr<host::UIView> weakDot = dot;
    const auto shift = [weakDot](double dx) {
      return [weakDot, dx] {
        if (auto moved = weakDot.lock())
          moved->setCenter({moved->center().x + dx, moved->center().y});
      };
    };
    animateWithDuration(
        0.1,
        [&dot, move = shift(-20)] {
          dot->setBackgroundColor(UIColor::clearColor());
          move();
        },
        [shift](bool) {
          animateWithDuration(0.12, shift(35), [shift](bool) {
            animateWithDuration(0.09, shift(-25),
                                [shift](bool) { animateWithDuration(0.05, shift(10)); });
          });
        });
  }
}

void passcodeSkyView::clear() {
  for (const auto& dot : dots_) {
    animateWithDuration(0.1, 0.1, 0, [&dot] { dot->setBackgroundColor(UIColor::clearColor()); });
  }
}

void passcodeSkyView::succeceded() {
  success_ = true;
  if (customAction_) {
    if (action_) action_();
  } else if (target_ && target_->respondsToSelector("tableView:didSelectRowAtIndexPath:")) {
    host::msgSend<void(std::shared_ptr<host::UITableView>, host::NSIndexPath)>(
        target_, "tableView:didSelectRowAtIndexPath:", tableView_, indexPath_);
  }
  success_ = false;
}

}  // namespace vorlan

#include "tags/tagView.h"

#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "store/HexColors.h"
#include "store/VLPreferencesManager.h"
#include "tags/tagsSkyView.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"

namespace vorlan {

namespace {

constexpr double kDotSize = 15;
constexpr double kDotX = 20;
constexpr double kNameGap = 10;
constexpr double kHighlightDuration = 0.1;
constexpr double kFadeDuration = 0.2;
constexpr const char* kHighlight = "#116CD6";

}  // namespace

HOST_CLASS(tagView, host::UIButton)

tagView::tagView(host::Class* cls) : host::UIButton(cls) {}

std::shared_ptr<tagView> tagView::make(const host::CGRect& frame) {
  auto chip = std::make_shared<tagView>();
  chip->initWithFrame(frame);
  return chip;
}

void tagView::initWithFrame(const host::CGRect& frame) {
  setFrame(frame);
  setBackgroundColor(host::UIColor::clearColor());
  layer()->setCornerRadius(5);
  setClipsToBounds(true);

  dot_ = std::make_shared<host::UIView>();
  dot_->setFrame({0, 0, kDotSize, kDotSize});
  dot_->layer()->setCornerRadius(kDotSize / 2);
  dot_->layer()->setBorderWidth(1);
  dot_->setUserInteractionEnabled(false);
  addSubview(dot_);

  name_ = std::make_shared<host::UILabel>();
  name_->setTextColor(host::UIColor::blackColor());
  name_->setFont(host::UIFont::systemFontOfSize(15));
  name_->setTextAlignment(host::NSTextAlignment::Left);
  addSubview(name_);

  std::weak_ptr<tagView> weakSelf = std::static_pointer_cast<tagView>(shared_from_this());
  const auto on = [weakSelf](void (tagView::*method)()) {
    return [weakSelf, method] {
      if (auto self = weakSelf.lock()) ((*self).*method)();
    };
  };
  addTarget(shared_from_this(), on(&tagView::tapped), host::UIControlEventTouchDown);
  addTarget(shared_from_this(), on(&tagView::touchReleasedAndDoIt),
            host::UIControlEventTouchUpInside);
  addTarget(shared_from_this(), on(&tagView::touchReleased),
            host::UIControlEventTouchUpOutside | host::UIControlEventTouchCancel);
}

void tagView::setName(const std::string& name) {
  name_->setText(name);
  setAccessibilityLabel(name);
  setNeedsLayout();
}

const std::string& tagView::getName() const {
  return name_->text();
}

void tagView::setFillHexColor(const std::string& hex) {
  dot_->setBackgroundColor(HexColorAddition::colorWithHexString(hex));
}

void tagView::setBorderHexColor(const std::string& hex) {
  colore_ = HexColorAddition::colorWithHexString(hex);
  dot_->layer()->setBorderColor(colore_);
}

void tagView::setTarget(const std::shared_ptr<tagsSkyView>& panel) {
  target_ = panel;
}

void tagView::setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                           std::shared_ptr<host::PSListController> controller) {
  specifier_ = std::move(specifier);
  controller_ = std::move(controller);
}

void tagView::setCustomAction(CustomAction action) {
  action_ = std::move(action);
}

void tagView::layoutSubviewsImpl() {
  const double height = bounds().size.height;
  dot_->setFrame({kDotX, (height - kDotSize) / 2, kDotSize, kDotSize});
  name_->sizeToFit();
  const host::CGSize size = name_->frame().size;
  name_->setFrame(
      {kDotX + kDotSize + kNameGap, (height - size.height) / 2, size.width, size.height});
}

void tagView::tapped() {
  animateWithDuration(kHighlightDuration, [this] {
    setBackgroundColor(HexColorAddition::colorWithHexString(kHighlight));
    dot_->layer()->setBorderColor(host::UIColor::whiteColor());
    name_->setTextColor(host::UIColor::whiteColor());
  });
}

void tagView::touchReleased() {
  animateWithDuration(kHighlightDuration, [this] {
    setBackgroundColor(host::UIColor::clearColor());
    dot_->layer()->setBorderColor(colore_);
    name_->setTextColor(host::UIColor::blackColor());
  });
}

void tagView::touchReleasedAndDoIt() {
  touchReleased();
  if (action_) {
    action_(std::static_pointer_cast<tagView>(shared_from_this()));
    return;
  }
  if (!saveAssignment(true)) return;
  fadeOut([](tagsSkyView& panel) { panel.layoutSubviewsForTagClicked(); });
}

bool tagView::saveAssignment(bool assigned) const {
  if (!specifier_ || !controller_ || specifier_->identifier().empty()) return false;
  auto manager = VLPreferencesManager::sharedInstance();
  const std::string& identifier = specifier_->identifier();
  host::Plist tags = manager->getTagsDictionaryForSpecifier(identifier, controller_);
  // A value of another type, in a file edited by hand, is replaced by the cell's first tag.
  if (!tags.isDictionary()) tags = host::Plist::dictionary();
  manager->saveSpecifier(*specifier_, tags.with(getName(), host::Plist::boolean(assigned)), "tag",
                         identifier, controller_);
  return true;
}

void tagView::fadeOut(std::function<void(tagsSkyView&)> done) {
  std::weak_ptr<tagsSkyView> weakPanel = target_;
  animateWithDuration(
      kFadeDuration, [this] { setAlpha(0); },
      [weakPanel, done = std::move(done)](bool) {
        if (auto panel = weakPanel.lock()) done(*panel);
      });
}

}  // namespace vorlan

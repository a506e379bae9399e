#include "folders/folderView.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "folders/folderSkyView.h"
#include "folders/foldersScroll.h"
#include "foundation/NSString.h"
#include "panels/Stage.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "runtime/Method.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"
#include "uikit/CAGradientLayer.h"
#include "uikit/CALayer.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UIPageControl.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UIScreen.h"
#include "uikit/UIScrollView.h"
#include "uikit/UISwipeGestureRecognizer.h"
#include "uikit/UITapGestureRecognizer.h"
#include "uikit/UITextField.h"

namespace vorlan {

HOST_CLASS(folderView, host::UIView)

namespace {

using host::NSString;
using host::UIColor;

// The main list takes a reload flag from pages below it, to rebuild when it next appears.
using SetNeedsReload = host::Method<"setNeedsReload:", void(bool)>;

constexpr const char* kMainListClass = "PSUIPrefsListController";
constexpr const char* kTrashImage = "/Library/Application Support/Vorlan3/main_images/trash.png";

std::shared_ptr<UIColor> rgb(double red, double green, double blue) {
  return UIColor::colorWithRed(red / 255, green / 255, blue / 255, 1);
}

std::shared_ptr<host::UIButton> tileButton() {
  auto button = host::UIButton::buttonWithType(host::UIButtonTypeCustom);
  button->setTitleColor(UIColor::whiteColor(), host::UIControlStateNormal);
  button->setBackgroundColor(rgb(51, 51, 51));
  button->layer()->setCornerRadius(10);
  button->setClipsToBounds(true);
  return button;
}

std::shared_ptr<host::UIView> outline(double radius) {
  auto view = std::make_shared<host::UIView>();
  view->setBackgroundColor(UIColor::clearColor());
  view->layer()->setBorderColor(rgb(255, 100, 100));
  view->layer()->setBorderWidth(2);
  view->layer()->setCornerRadius(radius);
  return view;
}

// The main list a page belongs to: up the page's parent chain, else the one the manager knows.
std::shared_ptr<host::Object> mainListOf(const std::shared_ptr<host::PSListController>& page) {
  for (auto at = page; at; at = at->parentController()) {
    if (at->className() == kMainListClass) return at;
  }
  return VLPreferencesManager::sharedInstance()->mainController();
}

}  // namespace

folderView::folderView(host::Class* cls) : host::UIView(cls) {}

std::shared_ptr<folderView> folderView::make(const host::CGRect& frame) {
  auto tile = std::make_shared<folderView>();
  tile->initWithFrame(frame);
  return tile;
}

void folderView::initWithFrame(const host::CGRect& frame) {
  setFrame(frame);
  setClipsToBounds(true);
  std::weak_ptr<folderView> weakSelf = std::static_pointer_cast<folderView>(shared_from_this());
  const auto self = std::static_pointer_cast<folderView>(shared_from_this());

  scroll_ = std::make_shared<host::UIScrollView>();
  scroll_->setShowsVerticalScrollIndicator(false);
  scroll_->setShowsHorizontalScrollIndicator(false);
  scroll_->setDelegate(self);
  scroll_->setScrollEnabled(false);
  addSubview(scroll_);
  scroll_->panGestureRecognizer()->setDelegate(self);
  scroll_->panGestureRecognizer()->addTarget([weakSelf](const auto& recognizer) {
    auto tile = weakSelf.lock();
    if (tile && recognizer->state() == host::UIGestureRecognizerStateEnded) tile->handlePanEnded();
  });
  // Fades the icon toward the tile's top as it is pulled up; kept over the visible area.
  auto mask = host::CAGradientLayer::layer();
  mask->setColors(
      {UIColor::clearColor(), UIColor::blackColor(), UIColor::blackColor(), UIColor::clearColor()});
  mask->setLocations({0, 0.5, 1, 1});
  mask->setShouldRasterize(true);
  mask->setRasterizationScale(host::UIScreen::mainScreen()->scale());
  mask->setAnchorPoint({0, 0});
  mask->setZPosition(1000);
  scroll_->layer()->setMask(mask);

  icon_ = std::make_shared<host::UIImageView>();
  icon_->setContentMode(host::UIViewContentModeCenter);
  icon_->setClipsToBounds(true);
  icon_->layer()->setCornerRadius(10);
  icon_->layer()->setBorderWidth(3);
  icon_->layer()->setBorderColor(rgb(64, 64, 64));
  icon_->setBackgroundColor(UIColor::whiteColor());
  scroll_->addSubview(icon_);

  name_ = std::make_shared<host::UITextField>();
  name_->setTextColor(UIColor::blackColor());
  name_->setTextAlignment(host::NSTextAlignment::Center);
  name_->setFont(host::UIFont::systemFontOfSize(18));
  name_->setDelegate(self);
  name_->setUserInteractionEnabled(false);
  addSubview(name_);

  personalize_ = tileButton();
  personalize_->addAction(
      [weakSelf](const auto&, host::UIEvent*) {
        if (auto tile = weakSelf.lock()) tile->personalizeClicked();
      },
      host::UIControlEventTouchUpInside);
  addSubview(personalize_);

  confirm_ = tileButton();
  confirm_->setTitle("Cancel", host::UIControlStateNormal);
  confirm_->setAlpha(0);
  confirm_->addAction(
      [weakSelf](const auto&, host::UIEvent*) {
        if (auto tile = weakSelf.lock()) tile->cancelDeletion();
      },
      host::UIControlEventTouchUpInside);
  addSubview(confirm_);

  trash_ = host::UIButton::buttonWithType(host::UIButtonTypeCustom);
  trash_->setAlpha(0);
  trash_->setAccessibilityLabel("Delete");
  trashImage_ = std::make_shared<host::UIImageView>();
  trashImage_->setImage(host::UIImage::imageWithContentsOfFile(kTrashImage));
  trashImage_->setContentMode(host::UIViewContentModeCenter);
  trash_->addSubview(trashImage_);
  trashLabel_ = std::make_shared<host::UILabel>();
  trashLabel_->setText("Delete");
  trashLabel_->setTextAlignment(host::NSTextAlignment::Center);
  trashLabel_->setFont(host::UIFont::systemFontOfSize(14));
  trashLabel_->setTextColor(rgb(255, 100, 100));
  trash_->addSubview(trashLabel_);
  trash_->addAction(
      [weakSelf](const auto&, host::UIEvent*) {
        if (auto tile = weakSelf.lock()) tile->trashClicked();
      },
      host::UIControlEventTouchUpInside);
  addSubview(trash_);
  sendSubviewToBack(trash_);

  pageControl_ = std::make_shared<host::UIPageControl>();
  pageControl_->setNumberOfPages(2);
  pageControl_->setCurrentPageIndicatorTintColor(UIColor::blackColor());
  pageControl_->setPageIndicatorTintColor(rgb(150, 150, 150));
  pageControl_->setAlpha(0);
  pageControl_->setUserInteractionEnabled(false);
  addSubview(pageControl_);

  editingScroll_ = std::make_shared<host::UIScrollView>();
  editingScroll_->setPagingEnabled(true);
  editingScroll_->setShowsHorizontalScrollIndicator(false);
  editingScroll_->setShowsVerticalScrollIndicator(false);
  editingScroll_->setDelegate(self);
  editingScroll_->setAlpha(0);
  addSubview(editingScroll_);

  editingIcon_ = outline(12);
  editingIcon_->setAccessibilityLabel("Folder icon");
  for (const bool up : {true, false}) {
    auto swipe = std::make_shared<host::UISwipeGestureRecognizer>();
    swipe->setDirection(up ? host::UISwipeGestureRecognizerDirectionUp
                           : host::UISwipeGestureRecognizerDirectionDown);
    swipe->addTarget([weakSelf, up](const auto& recognizer) {
      auto tile = weakSelf.lock();
      if (tile && recognizer->state() == host::UIGestureRecognizerStateEnded) tile->swipedIcon(up);
    });
    editingIcon_->addGestureRecognizer(swipe);
    // A vertical stroke on the icon is a swipe, never the start of a page change.
    editingScroll_->panGestureRecognizer()->requireGestureRecognizerToFail(swipe);
  }
  editingScroll_->addSubview(editingIcon_);

  editingName_ = outline(6);
  editingName_->setAccessibilityLabel("Folder name");
  auto tap = std::make_shared<host::UITapGestureRecognizer>();
  tap->addTarget([weakSelf](const auto& recognizer) {
    auto tile = weakSelf.lock();
    if (tile && recognizer->state() == host::UIGestureRecognizerStateEnded) tile->tapName();
  });
  editingName_->addGestureRecognizer(tap);
  editingScroll_->addSubview(editingName_);

  setCanEdit(false);
}

void folderView::setName(const std::string& name) {
  name_->setText(name);
  setNeedsLayout();
}

std::string folderView::getName() const {
  return name_->text();
}

void folderView::setImage(const std::string& path) {
  icon_->layer()->setName(path);
  icon_->setImage(host::UIImage::imageWithContentsOfFile(path));
}

std::string folderView::imagePath() const {
  return icon_->layer()->name();
}

std::string folderView::key() const {
  return layer()->name();
}

void folderView::setKey(long key) {
  layer()->setName(std::to_string(key));
}

long folderView::keyNumber() const {
  try {
    return std::stol(key());
  } catch (const std::exception&) {
    return -1;
  }
}

void folderView::setCanEdit(bool canEdit) {
  canEdit_ = canEdit;
  scroll_->setScrollEnabled(canEdit);
  setButtonTitle(canEdit ? "Personalize" : "Select");
  setNeedsLayout();
}

void folderView::setButtonTitle(const std::string& title) {
  personalize_->setTitle(title, host::UIControlStateNormal);
}

void folderView::setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                              std::shared_ptr<host::PSListController> controller) {
  specifier_ = std::move(specifier);
  controller_ = std::move(controller);
}

std::shared_ptr<foldersScroll> folderView::strip() const {
  return std::dynamic_pointer_cast<foldersScroll>(superview());
}

bool folderView::isPersonalizing() const {
  return personalize_->titleForState(host::UIControlStateNormal) == "Done";
}

bool folderView::isDeletionRevealed() const {
  return !scroll_->isUserInteractionEnabled();
}

void folderView::layoutSubviewsImpl() {
  if (added_) return;
  const double width = bounds().size.width;
  const double height = bounds().size.height;
  // A one-line field is as high as a line of its font.
  const double nameHeight = std::ceil(name_->font()->lineHeight()) + 10;
  name_->setFrame({{0, 0}, {width, nameHeight}});
  const double h = nameHeight;

  scroll_->setFrame({{0, 0}, {width, height}});
  const double side = height - 2 * h - 20;
  icon_->setFrame({{(width - side) / 2, h + 5}, {side, side}});
  personalize_->setFrame({{10, height - h}, {width - 20, h}});
  // Cancel sits just below the tile until a pull reveals it.
  confirm_->setFrame({{20, isDeletionRevealed() ? height - h : height}, {width - 40, h}});
  const host::CGRect iconFrame = icon_->frame();
  scroll_->setContentSize({0, height + iconFrame.origin.y + iconFrame.size.height});
  updateMask();

  trash_->setFrame(iconFrame);
  trashLabel_->sizeToFit();
  const host::CGSize imageSize = trashImage_->image() ? host::CGSize{trashImage_->image()->width(),
                                                                     trashImage_->image()->height()}
                                                      : host::CGSize{0, 0};
  const host::CGSize labelSize = trashLabel_->frame().size;
  const double imageY = (iconFrame.size.height - imageSize.height - labelSize.height - 5) / 2;
  trashImage_->setFrame({{(iconFrame.size.width - imageSize.width) / 2, imageY}, imageSize});
  trashLabel_->setFrame(
      {{(iconFrame.size.width - labelSize.width) / 2, imageY + imageSize.height + 5}, labelSize});

  pageControl_->sizeToFit();
  const host::CGSize dots = pageControl_->frame().size;
  const double iconBottom = iconFrame.origin.y + iconFrame.size.height;
  const double buttonTop = height - h;
  pageControl_->setFrame(
      {{(width - dots.width) / 2, iconBottom + (buttonTop - iconBottom - dots.height - 8) / 2},
       dots});

  editingScroll_->setFrame({{0, 0}, {width, buttonTop}});
  editingScroll_->setContentSize({2 * width, 0});
  editingIcon_->setFrame({{iconFrame.origin.x + 4, iconFrame.origin.y + 4},
                          {iconFrame.size.width - 8, iconFrame.size.height - 8}});
  editingName_->setFrame({{4 + width, 4}, {width - 8, h - 8}});
}

void folderView::updateMask() {
  const auto& mask = scroll_->layer()->mask();
  if (!mask) return;
  host::UIView::performWithoutAnimation([&] {
    mask->setBounds(scroll_->layer()->bounds());
    mask->setPosition(scroll_->contentOffset());
  });
}

void folderView::startAnimationWithDuration(float duration, float delay) {
  animateWithDuration(duration / 5, delay, host::UIViewAnimationOptionCurveEaseOut,
                      [this] { icon_->setAlpha(1); });
  icon_->setTransform(host::CGAffineTransform::makeScale(0.1, 0.1));
  std::weak_ptr<host::UIImageView> weakIcon = icon_;
  animateWithDuration(
      duration, delay, host::UIViewAnimationOptionCurveEaseIn,
      [this] { icon_->setTransform(host::CGAffineTransform::makeScale(1.2, 1.2)); },
      [weakIcon, duration](bool) {
        animateWithDuration(duration * 3 / 4, 0, host::UIViewAnimationOptionCurveEaseOut,
                            [weakIcon] {
                              if (auto icon = weakIcon.lock())
                                icon->setTransform(host::CGAffineTransformIdentity);
                            });
      });
}

void folderView::resizeIconBySize(float size) {
  animateWithDuration(0.2, [this, size] {
    const host::CGRect frame = icon_->frame();
    icon_->setFrame({{frame.origin.x + size, frame.origin.y + size},
                     {frame.size.width - 2 * size, frame.size.height - 2 * size}});
  });
}

void folderView::personalizeClicked() {
  if (!canEdit_) {
    if (personalize_->titleForState(host::UIControlStateNormal) == "Select") selectFolder();
    return;
  }
  if (isPersonalizing()) {
    leavePersonalize();
  } else {
    enterPersonalize();
  }
}

void folderView::selectFolder() {
  auto manager = VLPreferencesManager::sharedInstance();
  if (specifier_ && controller_) {
    if (NSString::lowercaseString(getName()) == "default") {
      manager->removefolderSpecifier(*specifier_);
      const auto main = mainListOf(controller_);
      controller_->reloadSpecifiers();
      if (main && host::respondsToSelector(main.get(), SetNeedsReload::selector))
        host::send<SetNeedsReload>(main, true);
    } else {
      manager->saveSpecifier(*specifier_, getName());
    }
    // The row leaves the page, with its group's header when it was the group's only row. A
    // page that rebuilt itself above may no longer show it.
    if (auto path = controller_->indexPathForSpecifier(specifier_.get())) {
      const auto group = controller_->specifiersInGroup(path->section);
      if (group.size() == 2 && controller_->indexOfSpecifier(group.front().get()))
        controller_->removeSpecifier(group.front(), true);
      controller_->removeSpecifier(specifier_, true);
    }
  }
  if (auto sky = sky_.lock()) sky->dismissShape(true);
  if (auto* stage = Stage::current()) stage->closeSidePage();
}

void folderView::scrollViewDidScroll(host::UIScrollView& scrollView) {
  if (&scrollView == scroll_.get()) {
    updateMask();
    const double range = scroll_->contentSize().height - scroll_->frame().size.height;
    if (range <= 0) return;
    const double r = std::clamp(scroll_->contentOffset().y / range, 0.0, 1.0);
    trash_->setAlpha(r);
    personalize_->setAlpha(1 - r);
    confirm_->setAlpha(r);
    return;
  }
  if (&scrollView != editingScroll_.get() || !isPersonalizing()) return;
  if (name_->isFirstResponder()) name_->resignFirstResponder();
  const double width = editingScroll_->frame().size.width;
  if (width <= 0) return;
  const double p = std::clamp(editingScroll_->contentOffset().x / width, 0.0, 1.0);
  pageControl_->setCurrentPage(static_cast<long>(std::floor(p)));
  const double iconAlpha = (1 - p) + 0.05 * p;
  const double nameAlpha = p + 0.05 * (1 - p);
  icon_->setAlpha(iconAlpha);
  name_->setAlpha(nameAlpha);
  if (iconAlpha == 1) {
    startPulse(icon_);
  } else if (nameAlpha == 1) {
    startPulse(name_);
  }
}

void folderView::scrollViewWillBeginDragging(host::UIScrollView& scrollView) {
  if (&scrollView != editingScroll_.get()) return;
  icon_->layer()->removeAllAnimations();
  name_->layer()->removeAllAnimations();
  added_ = false;
  animateWithDuration(0.3, [this] {
    icon_->setTransform(host::CGAffineTransformIdentity);
    name_->setTransform(host::CGAffineTransformIdentity);
  });
}

void folderView::handlePanEnded() {
  const double range = scroll_->contentSize().height - scroll_->frame().size.height;
  if (range <= 0) return;
  if (scroll_->contentOffset().y < range / 2) {
    closeDeletion();
    return;
  }
  scroll_->setContentOffset({0, range}, true);
  const double height = bounds().size.height;
  animateWithDuration(0.2, [this, height] {
    trash_->setAlpha(1);
    personalize_->setAlpha(0);
    confirm_->setAlpha(1);
    host::CGRect frame = confirm_->frame();
    frame.origin.y = height - frame.size.height;
    confirm_->setFrame(frame);
  });
  // Only Delete and Cancel take touches now.
  scroll_->setUserInteractionEnabled(false);
}

void folderView::closeDeletion() {
  scroll_->setContentOffset({0, 0}, true);
  const double height = bounds().size.height;
  animateWithDuration(0.2, [this, height] {
    trash_->setAlpha(0);
    personalize_->setAlpha(1);
    confirm_->setAlpha(0);
    host::CGRect frame = confirm_->frame();
    frame.origin.y = height;
    confirm_->setFrame(frame);
  });
  scroll_->setUserInteractionEnabled(true);
}

void folderView::cancelDeletion() {
  closeDeletion();
}

void folderView::trashClicked() {
  VLPreferencesManager::sharedInstance()->deleteFolderWithName(
      NSString::lowercaseString(getName()));
  auto self = std::static_pointer_cast<folderView>(shared_from_this());
  animateWithDuration(
      0.3, [this] { setAlpha(0); },
      [self](bool) {
        auto strip = self->strip();
        if (!strip) return;
        const long key = self->keyNumber();
        const double stripWidth = strip->frame().size.width;
        for (const auto& tile : strip->folders()) {
          if (tile->keyNumber() <= key) continue;
          animateWithDuration(0.3, [&tile, &strip, stripWidth] {
            host::CGRect frame = tile->frame();
            frame.origin.x -= stripWidth;
            tile->setFrame(frame);
            tile->setAlpha(strip->fadedAlpha(*tile));
          });
          tile->setKey(tile->keyNumber() - 1);
        }
        host::CGSize content = strip->contentSize();
        content.width -= stripWidth;
        strip->setContentSize(content);
        strip->removeFolder(self.get());
        self->removeFromSuperview();
      });
}

bool folderView::gestureRecognizerShouldBegin(host::UIGestureRecognizer& recognizer) {
  if (&recognizer != scroll_->panGestureRecognizer().get()) return true;
  const host::CGPoint moved = scroll_->panGestureRecognizer()->translationInView(this);
  return std::abs(moved.y) > std::abs(moved.x);
}

bool folderView::textFieldShouldReturn(host::UITextField& field) {
  if (field.isFirstResponder()) field.resignFirstResponder();
  return true;
}

}  // namespace vorlan

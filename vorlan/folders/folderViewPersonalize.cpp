// Personalize mode of a folder tile: the tile grows and pulses over the faded strip; page 1
// cycles the icon, page 2 edits the name; "Done" checks the name and saves.
#include <algorithm>
#include <iterator>

#include "folders/folderView.h"
#include "folders/foldersScroll.h"
#include "foundation/NSString.h"
#include "preferences/PSListController.h"
#include "store/VLPreferencesManager.h"
#include "uikit/CALayer.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIButton.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UIPageControl.h"
#include "uikit/UIScrollView.h"
#include "uikit/UITextField.h"

namespace vorlan {

namespace {

using host::NSString;

constexpr auto kScale = host::CGAffineTransform::makeScale;

// Every tile of the strip but `tile`, to the same alpha.
void fadeOthers(foldersScroll* strip, const folderView* tile, double alpha) {
  if (!strip) return;
  for (const auto& view : strip->subviews()) {
    if (view.get() != tile) view->setAlpha(alpha);
  }
}

}  // namespace

void folderView::enterPersonalize() {
  images_ = VLPreferencesManager::sharedInstance()->getAllFolderImages();
  original_ = getName();
  name_->setUserInteractionEnabled(true);
  pageControl_->setCurrentPage(0);
  editingScroll_->setContentOffset({0, 0});
  const auto strip = this->strip();
  if (strip) {
    strip->setScrollEnabled(false);
    strip->bringSubviewToFront(std::static_pointer_cast<host::UIView>(shared_from_this()));
  }
  scroll_->setScrollEnabled(false);

  transitionWithView(personalize_, 0.3, host::UIViewAnimationOptionTransitionCrossDissolve,
                     [this] { setButtonTitle("Done"); });
  animateWithDuration(0.3, [this] {
    pageControl_->setAlpha(1);
    editingScroll_->setAlpha(1);
    name_->setAlpha(0.05);
  });
  animateWithDuration(0.3, [this, strip] { fadeOthers(strip.get(), this, 0); });

  std::weak_ptr<folderView> weakSelf = std::static_pointer_cast<folderView>(shared_from_this());
  animateWithDuration(
      0.3, 0, host::UIViewAnimationOptionLayoutSubviews,
      [this] { setTransform(kScale(1.43, 1.43)); },
      [weakSelf](bool) {
        auto self = weakSelf.lock();
        if (!self || !self->isPersonalizing()) return;
        animateWithDuration(
            0.2, 0, host::UIViewAnimationOptionAllowUserInteraction,
            [self] { self->setTransform(kScale(1.3, 1.3)); },
            [weakSelf](bool) {
              auto tile = weakSelf.lock();
              if (tile && tile->isPersonalizing()) tile->startPulse(tile->icon_);
            });
      });
}

void folderView::startPulse(const std::shared_ptr<host::UIView>& view) {
  added_ = true;
  animateWithDuration(0.6, 0,
                      host::UIViewAnimationOptionRepeat | host::UIViewAnimationOptionAutoreverse,
                      [&view] { view->setTransform(kScale(1.03, 1.03)); });
}

void folderView::swipedIcon(bool up) {
  if (!isPersonalizing() || images_.empty()) return;
  const long count = static_cast<long>(images_.size());
  const auto found = std::find(images_.begin(), images_.end(), imagePath());
  long index;
  if (found == images_.end()) {
    // An icon that is not offered starts the cycle at either end.
    index = up ? 0 : count - 1;
  } else {
    const long at = std::distance(images_.begin(), found);
    index = ((up ? at + 1 : at - 1) + count) % count;
  }
  const std::string path = images_[static_cast<std::size_t>(index)];
  transitionWithView(icon_, 0.3, host::UIViewAnimationOptionTransitionCrossDissolve,
                     [this, &path] { setImage(path); });
}

void folderView::tapName() {
  if (!isPersonalizing()) return;
  if (!name_->isFirstResponder()) name_->becomeFirstResponder();
}

void folderView::leavePersonalize() {
  const std::string typed = getName();
  const bool renamed =
      NSString::lowercaseString(typed) != NSString::lowercaseString(original_.value_or(""));
  if (renamed && VLPreferencesManager::sharedInstance()->isFolderNameToken(typed)) {
    host::UIAlertView::alert("Error", kNameTakenMessage, "OK")->show();
    return;
  }
  saveChanges();
  finishPersonalize();
}

void folderView::saveChanges() {
  auto manager = VLPreferencesManager::sharedInstance();
  const std::string typed = getName();
  const std::string original = original_.value_or("");
  if (typed.empty()) {
    // Nothing is saved; the tile shows the stored name again, so that it still names the
    // folder its key holds (a delete goes by the shown name).
    setName(NSString::uppercaseString(original));
  } else if (typed == original) {
    manager->saveChangesInFolder(key(), "", imagePath());
  } else {
    manager->saveChangesInFolder(key(), typed, imagePath());
    setName(NSString::uppercaseString(typed));
    manager->changeFolderName(getName(), original);
  }
  if (controller_) controller_->reloadSpecifiers();
  original_.reset();
}

void folderView::finishPersonalize() {
  if (name_->isFirstResponder()) name_->resignFirstResponder();
  name_->setUserInteractionEnabled(false);
  transitionWithView(personalize_, 0.3, host::UIViewAnimationOptionTransitionCrossDissolve,
                     [this] { setButtonTitle("Personalize"); });
  icon_->layer()->removeAllAnimations();
  name_->layer()->removeAllAnimations();
  added_ = false;
  animateWithDuration(0.3, [this] {
    pageControl_->setAlpha(0);
    editingScroll_->setAlpha(0);
    icon_->setAlpha(1);
    name_->setAlpha(1);
    icon_->setTransform(host::CGAffineTransformIdentity);
    name_->setTransform(host::CGAffineTransformIdentity);
  });
  const auto strip = this->strip();
  animateWithDuration(0.3, [this, strip] { fadeOthers(strip.get(), this, 1); });

  std::weak_ptr<folderView> weakSelf = std::static_pointer_cast<folderView>(shared_from_this());
  animateWithDuration(
      0.3, 0, host::UIViewAnimationOptionLayoutSubviews, [this] { setTransform(kScale(0.9, 0.9)); },
      [weakSelf](bool) {
        auto self = weakSelf.lock();
        if (!self) return;
        animateWithDuration(
            0.2, 0, host::UIViewAnimationOptionAllowUserInteraction,
            [self] { self->setTransform(host::CGAffineTransformIdentity); },
            [weakSelf](bool) {
              auto tile = weakSelf.lock();
              if (!tile || tile->isPersonalizing()) return;
              if (auto tileStrip = tile->strip()) tileStrip->setScrollEnabled(true);
              tile->scroll_->setScrollEnabled(tile->canEdit_);
            });
      });
  images_.clear();
}

void folderView::resetAnimation() {
  icon_->layer()->removeAllAnimations();
  icon_->setTransform(host::CGAffineTransformIdentity);
  added_ = false;
  if (isPersonalizing()) {
    if (original_) setName(NSString::uppercaseString(*original_));
    finishPersonalize();
  }
  images_.clear();
  original_.reset();
}

}  // namespace vorlan

#include "panels/skyView.h"

#include <algorithm>
#include <vector>

#include "panels/shapeSkyView.h"
#include "runtime/HostClass.h"
#include "uikit/UIColor.h"
#include "uikit/UITapGestureRecognizer.h"

namespace vorlan {

namespace {

struct RegisteredPanel {
  const skyView* key;
  std::weak_ptr<skyView> panel;
};

// Created on first use and never destroyed, so that panels destroyed at process exit can still
// leave it.
std::vector<RegisteredPanel>& registry() {
  static auto* const panels = new std::vector<RegisteredPanel>();
  return *panels;
}

}  // namespace

HOST_CLASS(skyView, host::UIView)

skyView::skyView(host::Class* cls) : host::UIView(cls) {}

skyView::~skyView() {
  auto& panels = registry();
  std::erase_if(panels, [this](const RegisteredPanel& entry) { return entry.key == this; });
}

std::shared_ptr<skyView> skyView::make(const host::CGRect& frame) {
  auto panel = std::make_shared<skyView>();
  panel->initWithFrame(frame);
  return panel;
}

void skyView::initWithFrame(const host::CGRect& frame) {
  setFrame(frame);
  registry().push_back({this, std::static_pointer_cast<skyView>(shared_from_this())});
  show_ = false;
  setBackgroundColor(host::UIColor::colorWithWhite(0, 0.2));
  setUserInteractionEnabled(true);
  setShape(shapeSkyView::make(host::CGRectZero));

  auto tap = std::make_shared<host::UITapGestureRecognizer>();
  std::weak_ptr<skyView> weakSelf = std::static_pointer_cast<skyView>(shared_from_this());
  tap->addTarget(shared_from_this(), [weakSelf](const auto& recognizer) {
    if (auto self = weakSelf.lock())
      self->dismissShapeAnimated(recognizer->locationInView(self.get()));
  });
  addGestureRecognizer(tap);
}

void skyView::setShape(std::shared_ptr<shapeSkyView> shape) {
  if (shape_ == shape) return;
  if (shape_) shape_->removeFromSuperview();
  shape_ = std::move(shape);
  if (shape_) addSubview(shape_);
}

void skyView::showFromRect(const host::CGRect& from, const host::CGRect& to) {
  show_ = true;
  // The panel takes touches while it fades in, so that none reaches the views it covers.
  animateWithDuration(0.2, 0, host::UIViewAnimationOptionAllowUserInteraction,
                      [this] { setAlpha(1); });
  if (shape_) shape_->showFromRect(from, to);
}

void skyView::dismissShape(bool animated) {
  show_ = false;
  if (!animated) {
    setAlpha(0);
    removeFromSuperview();
    return;
  }
  std::weak_ptr<skyView> weakSelf = std::static_pointer_cast<skyView>(shared_from_this());
  animateWithDuration(
      0.4, [this] { setAlpha(0); },
      [weakSelf](bool) {
        // A panel shown again before the fade ended stays on screen.
        auto self = weakSelf.lock();
        if (self && !self->show_) self->removeFromSuperview();
      });
}

void skyView::dismissShapeAnimated(const host::CGPoint& location) {
  if (!shape_) return;
  const host::CGRect frame = shape_->frame();
  if (location.x < frame.origin.x || location.x > frame.origin.x + frame.size.width ||
      location.y < frame.origin.y || location.y > frame.origin.y + frame.size.height) {
    dismissShape(true);
  }
}

void skyView::dismissAllShape(bool animated) {
  // Held strongly for the loop: a dismissal may release a panel's last owner.
  std::vector<std::shared_ptr<skyView>> panels;
  for (const auto& entry : registry()) {
    if (auto panel = entry.panel.lock()) panels.push_back(std::move(panel));
  }
  for (const auto& panel : panels) {
    if (panel->isShow()) panel->dismissShape(animated);
  }
}

}  // namespace vorlan

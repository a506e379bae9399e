#include "VisibleViews.h"

#include <algorithm>

#include "uikit/CALayer.h"
#include "uikit/UIView.h"

namespace vorlan {

namespace {

using host::CGAffineTransform;
using host::CGRect;

bool shows(const CGRect& rect) {
  return !rect.isNull() && rect.width() > 0 && rect.height() > 0;
}

// Appends `view` and what it holds in drawing order; `toScreen` maps its bounds' coordinates to
// the screen, `clip` is what its ancestors let show.
void collect(const std::shared_ptr<host::UIView>& view, const CGAffineTransform& toScreen,
             const CGRect& clip, std::vector<VisibleViews::Entry>& out) {
  if (view->isHidden() || !(view->presentationAlpha() >= 0.01)) return;
  const CGRect bounds = view->presentationBounds();
  const CGRect frame = toScreen.applyToRect(bounds);
  const host::CGPoint centre = toScreen.applyToPoint({bounds.midX(), bounds.midY()});
  if (shows(frame.intersection(clip))) {
    out.push_back({view, frame, frame.intersection(clip), centre,
                   shows(frame) && clip.containsPoint(centre)});
  }
  const CGRect inner = view->clipsToBounds() ? frame.intersection(clip) : clip;
  if (!shows(inner)) return;
  std::vector<std::shared_ptr<host::UIView>> subviews = view->subviews();
  std::stable_sort(subviews.begin(), subviews.end(), [](const auto& a, const auto& b) {
    return a->layer()->zPosition() < b->layer()->zPosition();
  });
  for (const auto& subview : subviews) {
    const CGAffineTransform toSuperview = host::CALayer::layerToSuperlayer(
        subview->presentationBounds(), subview->presentationCenter(),
        subview->layer()->anchorPoint(), subview->presentationTransform());
    collect(subview, CGAffineTransform::concat(toSuperview, toScreen), inner, out);
  }
}

}  // namespace

std::vector<VisibleViews::Entry> VisibleViews::of(
    host::UIView& screen, const std::vector<std::shared_ptr<host::UIView>>& overlays) {
  screen.layoutIfNeeded();
  const CGRect screenRect = screen.presentationBounds().offsetBy(
      -screen.presentationBounds().origin.x, -screen.presentationBounds().origin.y);
  std::vector<Entry> entries;
  const auto root = std::static_pointer_cast<host::UIView>(screen.shared_from_this());
  const CGRect rootBounds = screen.presentationBounds();
  collect(root, CGAffineTransform::makeTranslation(-rootBounds.origin.x, -rootBounds.origin.y),
          screenRect, entries);
  for (const auto& overlay : overlays) {
    if (!overlay) continue;
    overlay->layoutIfNeeded();
    const CGRect frame = overlay->frame();
    const CGRect bounds = overlay->presentationBounds();
    collect(overlay,
            CGAffineTransform::makeTranslation(frame.origin.x - bounds.origin.x,
                                               frame.origin.y - bounds.origin.y),
            screenRect, entries);
  }
  std::reverse(entries.begin(), entries.end());
  return entries;
}

const VisibleViews::Entry* VisibleViews::entryOf(const std::vector<Entry>& entries,
                                                 const host::UIView* view) {
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [view](const Entry& entry) { return entry.view.get() == view; });
  return found == entries.end() ? nullptr : &*found;
}

}  // namespace vorlan

#include "uikit/UITableView.h"

#include <cmath>
#include <memory>

#include "uikit/UITableViewCell.h"
#include "uikit/UITouch.h"

// Touches on the table and the swipe of a row: what they end in.

namespace host {

void UITableView::touchesBegan(const UITouchSet& touches, UIEvent*) {
  if (touches.empty()) return;
  touchedRow_ = indexPathForRowAtPoint(touches.front()->locationInView(this));
  const bool selectable = editing_ ? allowsSelectionDuringEditing_ : allowsSelection_;
  if (!touchedRow_ || deleteRow_ || !selectable) return;
  if (auto cell = cellForRowAtIndexPath(*touchedRow_)) cell->setHighlighted(true, false);
}

void UITableView::touchesCancelled(const UITouchSet&, UIEvent*) {
  if (!touchedRow_) return;
  if (auto cell = cellForRowAtIndexPath(*touchedRow_)) cell->setHighlighted(false, false);
  touchedRow_.reset();
}

void UITableView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
  const auto keep = weak_from_this().lock();
  const auto began = touchedRow_;
  touchesCancelled(touches, event);
  if (touches.empty()) return;
  const UITouch& touch = *touches.front();
  const UIView* hit = touch.view().get();
  if (deleteRow_) {
    auto cell = cellForRowAtIndexPath(*deleteRow_);
    const auto& button = cell ? cell->deleteConfirmationView() : nullptr;
    if (button && hit && hit->isDescendantOfView(button.get())) {
      tapDeleteConfirmation();
    } else {
      hideDeleteConfirmation(true);
    }
    return;
  }
  const auto ended = indexPathForRowAtPoint(touch.locationInView(this));
  if (!began || ended != began) return;
  auto cell = cellForRowAtIndexPath(*began);
  const auto& control = cell ? cell->editingControl() : nullptr;
  if (editing_ && control && hit && hit->isDescendantOfView(control.get())) {
    tapEditingControlOfRowAtIndexPath(*began);
    return;
  }
  tapRowAtIndexPath(*began);
}

void UITableView::panDidEnd(const CGPoint& translation, const CGPoint& location) {
  if (translation.x > -kSwipeDistance || std::abs(translation.x) < 2 * std::abs(translation.y)) {
    return;
  }
  const CGPoint start{location.x - translation.x, location.y - translation.y};
  if (auto row = indexPathForRowAtPoint(start)) swipeToDeleteRowAtIndexPath(*row);
}

}  // namespace host

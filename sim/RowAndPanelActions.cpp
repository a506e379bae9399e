#include "RowAndPanelActions.h"

#include <functional>
#include <memory>

#include "ScreenReader.h"
#include "TouchDriver.h"
#include "VisibleViews.h"
#include "runtime/Runtime.h"
#include "uikit/UISwitch.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UIWindow.h"

namespace vorlan {

namespace {

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// The table row (cell) that holds the visible view showing `title`.
std::shared_ptr<host::UITableViewCell> rowShowing(host::UIWindow& window, const std::string& title,
                                                  std::string& error) {
  const auto found = ScreenReader::find(window, title);
  if (!found) {
    error = "nothing on screen shows " + quoted(title);
    return nullptr;
  }
  for (auto view = found->view; view; view = view->superview()) {
    if (auto cell = std::dynamic_pointer_cast<host::UITableViewCell>(view)) return cell;
  }
  error = quoted(title) + " is not in a table row";
  return nullptr;
}

// The first visible view under `root`, depth first, that `matches`.
const VisibleViews::Entry* firstVisible(const std::vector<VisibleViews::Entry>& entries,
                                        host::UIView& root,
                                        const std::function<bool(host::UIView&)>& matches) {
  for (const auto& subview : root.subviews()) {
    if (matches(*subview)) {
      if (const auto* entry = VisibleViews::entryOf(entries, subview.get())) return entry;
    }
    if (const auto* inner = firstVisible(entries, *subview, matches)) return inner;
  }
  return nullptr;
}

}  // namespace

bool RowAndPanelActions::toggle(const std::string& title, std::string& error) {
  const auto window = finger_.window();
  const auto cell = window ? rowShowing(*window, title, error) : nullptr;
  if (!cell) return false;
  const auto entries = VisibleViews::of(*window);
  const auto* control = firstVisible(entries, *cell, [](host::UIView& view) {
    return dynamic_cast<host::UISwitch*>(&view) != nullptr;
  });
  if (!control || !control->centreShown) {
    error = "the row " + quoted(title) + " shows no switch";
    return false;
  }
  finger_.tap(control->centre);
  return true;
}

bool RowAndPanelActions::reorder(const std::string& title, const std::string& other,
                                 std::string& error) {
  const auto window = finger_.window();
  const auto cell = window ? rowShowing(*window, title, error) : nullptr;
  const auto target = cell ? rowShowing(*window, other, error) : nullptr;
  if (!target) return false;
  const auto entries = VisibleViews::of(*window);
  const auto* control = cell->reorderControl()
                            ? VisibleViews::entryOf(entries, cell->reorderControl().get())
                            : nullptr;
  const auto* destination = VisibleViews::entryOf(entries, target.get());
  if (!control || !control->centreShown) {
    error = "the row " + quoted(title) + " shows no reorder control (is its table editing?)";
    return false;
  }
  if (!destination) {
    error = "the row " + quoted(other) + " is not on screen";
    return false;
  }
  finger_.drag(control->centre, {control->centre.x, destination->centre.y}, kReorderSeconds);
  return true;
}

bool RowAndPanelActions::dismissPanel(std::string& error) {
  host::Class* const panelClass = host::NSClassFromString("skyView");
  host::Class* const balloonClass = host::NSClassFromString("shapeSkyView");
  if (!panelClass || !balloonClass) {
    error = "no panel can be on screen: the panel classes (skyView) are not registered";
    return false;
  }
  const auto window = finger_.window();
  if (!window) {
    error = "the app has no window";
    return false;
  }
  const auto entries = VisibleViews::of(*window);
  for (const auto& entry : entries) {
    if (!entry.view->isKindOfClass(panelClass)) continue;
    const auto* balloon = firstVisible(
        entries, *entry.view, [&](host::UIView& view) { return view.isKindOfClass(balloonClass); });
    if (!balloon) {
      error = "the panel on screen shows no balloon";
      return false;
    }
    const auto at =
        ScreenReader::pointJustOutside(balloon->frame, entry.frame.intersection(window->bounds()));
    if (!at) {
      error = "the panel leaves no room to tap outside its balloon";
      return false;
    }
    finger_.tap(*at);
    return true;
  }
  error = "no panel on screen";
  return false;
}

}  // namespace vorlan

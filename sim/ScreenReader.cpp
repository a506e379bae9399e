#include "ScreenReader.h"

#include <algorithm>
#include <vector>

#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSSwitchTableCell.h"
#include "uikit/UIButton.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationButton.h"
#include "uikit/UISwitch.h"
#include "uikit/UITableView.h"
#include "uikit/UITextField.h"
#include "uikit/UITextView.h"
#include "uikit/UIWindow.h"

namespace vorlan {

namespace {

using host::CGPoint;
using host::CGRect;

bool contains(const CGRect& rect, const CGPoint& point) {
  return point.x >= rect.origin.x && point.y >= rect.origin.y &&
         point.x < rect.origin.x + rect.size.width && point.y < rect.origin.y + rect.size.height;
}

CGRect intersection(const CGRect& a, const CGRect& b) {
  const double left = std::max(a.origin.x, b.origin.x);
  const double top = std::max(a.origin.y, b.origin.y);
  const double right = std::min(a.origin.x + a.size.width, b.origin.x + b.size.width);
  const double bottom = std::min(a.origin.y + a.size.height, b.origin.y + b.size.height);
  return host::CGRectMake(left, top, std::max(0.0, right - left), std::max(0.0, bottom - top));
}

// Depth first in drawing order, so the last match is the front-most.
void search(host::UIView& view, const CGRect& clip, std::string_view text,
            std::optional<CGPoint>& found) {
  if (view.isHidden() || view.alpha() < 0.01) return;
  const CGRect frame = view.convertRectToView(view.bounds(), nullptr);
  if (const auto shown = ScreenReader::textOf(view); shown && *shown == text) {
    const CGPoint centre{frame.origin.x + frame.size.width / 2,
                         frame.origin.y + frame.size.height / 2};
    if (frame.size.width > 0 && frame.size.height > 0 && contains(clip, centre)) found = centre;
  }
  const CGRect inner = view.clipsToBounds() ? intersection(clip, frame) : clip;
  // A copy: nothing changes the tree while it is read, but the list must outlive the walk.
  const std::vector<std::shared_ptr<host::UIView>> subviews = view.subviews();
  for (const auto& subview : subviews)
    search(*subview, inner, text, found);
}

// One column of a cells line: tabs and line breaks would break the format.
std::string column(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

std::string identifierColumn(const host::PSSpecifier& specifier) {
  return specifier.identifier().empty() ? "-" : column(specifier.identifier());
}

// The switch's state: the cell's control when the row has a cell on screen, else the value
// the cell would show.
bool switchIsOn(host::UITableView& table, const host::NSIndexPath& path,
                const std::shared_ptr<host::PSSpecifier>& specifier) {
  if (auto cell =
          std::dynamic_pointer_cast<host::PSSwitchTableCell>(table.cellForRowAtIndexPath(path))) {
    return cell->control()->isOn();
  }
  host::Plist value = specifier->performGetter();
  if (value.isNone()) value = specifier->propertyForKey("default");
  return value.asBoolean().value_or(false);
}

}  // namespace

std::optional<std::string> ScreenReader::textOf(const host::UIView& view) {
  if (const auto* label = dynamic_cast<const host::UILabel*>(&view)) return label->text();
  if (const auto* button = dynamic_cast<const host::UIButton*>(&view))
    return button->currentTitle();
  if (const auto* field = dynamic_cast<const host::UITextField*>(&view)) return field->text();
  if (const auto* textView = dynamic_cast<const host::UITextView*>(&view)) return textView->text();
  return std::nullopt;
}

std::optional<CGPoint> ScreenReader::find(host::UIWindow& window, std::string_view text) {
  window.layoutIfNeeded();
  std::optional<CGPoint> found;
  search(window, window.bounds(), text, found);
  return found;
}

std::string ScreenReader::cells(host::PSListController& page) {
  const auto table = page.table();
  table->layoutIfNeeded();
  std::string out;
  const long sections = table->numberOfSections();
  for (long section = 0; section < sections; ++section) {
    const std::string prefix = std::to_string(section) + ".";
    const auto group = page.specifiersInGroup(section);
    // A group header on the page (the first group may have none).
    if (!group.empty() && group.front()->isGroup() && page.indexOfSpecifier(group.front().get())) {
      out += prefix + "-\t" + column(group.front()->name()) + "\t" +
             identifierColumn(*group.front()) + "\tgroup\n";
    }
    const long rows = table->numberOfRowsInSection(section);
    for (long row = 0; row < rows; ++row) {
      const host::NSIndexPath path{section, row};
      out += prefix + std::to_string(row) + "\t";
      const auto specifier = page.specifierAtIndexPath(path);
      if (!specifier) {
        out += "?\t-\t-\n";
        continue;
      }
      std::vector<std::string> flags;
      if (specifier->isGroup()) flags.emplace_back("group");
      if (specifier->propertyForKey("enabled").asBoolean() == false) flags.emplace_back("disabled");
      if (specifier->cellType() == host::PSSpecifier::PSSwitchCell)
        flags.emplace_back(switchIsOn(*table, path, specifier) ? "switch:on" : "switch:off");
      std::string flagText;
      for (const auto& flag : flags)
        flagText += (flagText.empty() ? "" : ",") + flag;
      out += column(specifier->name()) + "\t" + identifierColumn(*specifier) + "\t" +
             (flagText.empty() ? "-" : flagText) + "\n";
    }
  }
  return out;
}

}  // namespace vorlan

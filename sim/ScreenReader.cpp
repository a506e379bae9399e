#include "ScreenReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSSwitchTableCell.h"
#include "uikit/UIButton.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationButton.h"
#include "uikit/UINavigationController.h"
#include "uikit/UISwitch.h"
#include "uikit/UITableView.h"
#include "uikit/UITextField.h"
#include "uikit/UITextView.h"
#include "uikit/UIWindow.h"

namespace vorlan {

namespace {

using host::CGPoint;
using host::CGRect;

// Screen points to halves, written without a trailing ".0".
std::string half(double value) {
  const double rounded = std::round(value * 2) / 2;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", rounded == 0 ? 0.0 : rounded);
  std::string text(buffer);
  if (text.ends_with(".0")) text.resize(text.size() - 2);
  return text;
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
  // A label's and a text view's text also holds the characters of an attributed text.
  if (const auto* label = dynamic_cast<const host::UILabel*>(&view)) return label->text();
  if (const auto* button = dynamic_cast<const host::UIButton*>(&view))
    return button->currentTitle();
  if (const auto* field = dynamic_cast<const host::UITextField*>(&view))
    return field->text().empty() ? field->placeholder() : field->text();
  if (const auto* textView = dynamic_cast<const host::UITextView*>(&view)) return textView->text();
  return std::nullopt;
}

std::optional<VisibleViews::Entry> ScreenReader::find(host::UIWindow& window,
                                                      std::string_view text) {
  for (const auto& entry : VisibleViews::of(window)) {
    if (!entry.centreShown) continue;
    if (entry.view->accessibilityLabel() == text || textOf(*entry.view) == text) return entry;
  }
  return std::nullopt;
}

std::string ScreenReader::texts(host::UIWindow& window,
                                const std::vector<std::shared_ptr<host::UIView>>& overlays) {
  std::string out;
  for (const auto& entry : VisibleViews::of(window, overlays)) {
    const std::string frame = half(entry.frame.minX()) + "\t" + half(entry.frame.minY()) + "\t" +
                              half(entry.frame.width()) + "\t" + half(entry.frame.height()) + "\t";
    // A button's title shows in its own label: the button (the control) stands for both.
    const auto parent = entry.view->superview();
    const bool titleOfButton = parent && dynamic_cast<host::UIButton*>(parent.get()) &&
                               dynamic_cast<host::UILabel*>(entry.view.get());
    const std::string shown = titleOfButton ? "" : oneLine(textOf(*entry.view).value_or(""));
    const std::string label = oneLine(entry.view->accessibilityLabel());
    if (!shown.empty()) out += frame + shown + "\n";
    if (!label.empty() && label != shown) out += frame + label + "\n";
  }
  return out;
}

std::optional<CGPoint> ScreenReader::pointJustOutside(const CGRect& inner, const CGRect& outer) {
  // Five points out where there is room, else as far as there is, else as near.
  for (const int side : {0, 1, 2, 3}) {
    for (const double gap : {5.0, 4.0, 3.0, 2.0, 1.0, 6.0, 7.0, 8.0, 9.0, 10.0}) {
      const CGPoint point = side == 0   ? CGPoint{inner.midX(), inner.minY() - gap}
                            : side == 1 ? CGPoint{inner.midX(), inner.maxY() + gap}
                            : side == 2 ? CGPoint{inner.minX() - gap, inner.midY()}
                                        : CGPoint{inner.maxX() + gap, inner.midY()};
      if (outer.containsPoint(point) && !inner.containsPoint(point)) return point;
    }
  }
  return std::nullopt;
}

std::string ScreenReader::oneLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\t') {
      out += ' ';
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      continue;
    } else if (text.substr(i).starts_with("\xEF\xBF\xBC")) {  // U+FFFC
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
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

std::string ScreenReader::pages(host::UINavigationController& navigation) {
  const auto line = [](const std::string& index, const host::UIViewController& page) {
    const auto* list = dynamic_cast<const host::PSListController*>(&page);
    const auto specifier = list ? list->specifier() : nullptr;
    return index + "\t" + page.className() + "\t" +
           oneLine(specifier ? specifier->identifier() : "") + "\t" + oneLine(page.title()) + "\n";
  };
  std::string output;
  std::size_t index = 0;
  for (const auto& page : navigation.viewControllers())
    output += line(std::to_string(index++), *page);
  for (auto shown = navigation.presentedViewController(); shown;
       shown = shown->presentedViewController()) {
    output += line("presented", *shown);
  }
  return output;
}

}  // namespace vorlan

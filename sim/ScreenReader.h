#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "uikit/CGGeometry.h"

namespace host {
class PSListController;
class UIView;
class UIWindow;
}  // namespace host

namespace vorlan {

// What the simulator reads off an app's screen: where a text shows, the rows of a list page,
// the view tree as text.
class ScreenReader {
 public:
  // The centre, in the window's coordinates, of the front-most view that shows exactly `text`
  // (a label's text, a button's title, a text field's text) and is visible: it and its
  // ancestors shown, and its centre inside the window and inside every ancestor that clips.
  static std::optional<host::CGPoint> find(host::UIWindow& window, std::string_view text);

  // The page's rows as the data source has them, one line each:
  //   SECTION.ROW <tab> TITLE <tab> IDENTIFIER <tab> FLAGS
  // FLAGS a comma-separated subset of disabled, switch:on, switch:off, or "-"; a section with a
  // group header first gets the line SECTION.- <tab> HEADER <tab> IDENTIFIER <tab> group.
  static std::string cells(host::PSListController& page);

  // The text shown by a view: a label, a button, a text field or a text view.
  static std::optional<std::string> textOf(const host::UIView& view);
};

}  // namespace vorlan

#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "VisibleViews.h"
#include "uikit/CGGeometry.h"

namespace host {
class PSListController;
class UINavigationController;
class UIView;
class UIWindow;
}  // namespace host

namespace vorlan {

// What the simulator reads off an app's screen: where a text shows, every text shown, the rows
// of a list page.
class ScreenReader {
 public:
  // The front-most visible view (VisibleViews) that shows exactly `text` (textOf) or carries it
  // as its accessibility label, and whose centre is on screen inside every ancestor that clips:
  // a view a finger can reach. Nothing when there is none.
  static std::optional<VisibleViews::Entry> find(host::UIWindow& window, std::string_view text);

  // Every text and every accessibility label of the visible views, front-most first, one a line:
  //   X <tab> Y <tab> W <tab> H <tab> TEXT
  // the view's frame on screen in points rounded to halves, line breaks in TEXT written "\n",
  // tabs as blanks. A view whose label repeats its text is listed once.
  static std::string texts(host::UIWindow& window,
                           const std::vector<std::shared_ptr<host::UIView>>& overlays);

  // A point 1 to 10 points outside `inner` (above it, else below, else left, else right) that is
  // inside `outer`: where a tap just outside a balloon still lands on its panel.
  static std::optional<host::CGPoint> pointJustOutside(const host::CGRect& inner,
                                                       const host::CGRect& outer);

  // A text as one line of output: line breaks as "\n", tabs as blanks, other control characters
  // dropped, as is the object replacement character that stands for an inline image.
  static std::string oneLine(std::string_view text);

  // The page's rows as the data source has them, one line each:
  //   SECTION.ROW <tab> TITLE <tab> IDENTIFIER <tab> FLAGS
  // FLAGS a comma-separated subset of disabled, switch:on, switch:off, or "-"; a section with a
  // group header first gets the line SECTION.- <tab> HEADER <tab> IDENTIFIER <tab> group.
  static std::string cells(host::PSListController& page);

  // The pages of a navigation stack, bottom first, then the screens presented over it, one a line:
  //   INDEX (or "presented") <tab> CLASS <tab> IDENTIFIER <tab> TITLE
  // IDENTIFIER that of the row whose page it is (a list page's specifier), else empty.
  static std::string pages(host::UINavigationController& navigation);

  // The text shown by a view: a label's (plain or attributed), a button's title, a text field's
  // text (its placeholder while empty) or a text view's.
  static std::optional<std::string> textOf(const host::UIView& view);
};

}  // namespace vorlan

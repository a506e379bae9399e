#pragma once

#include <string>

namespace host {

class UIView;

// A stable, readable text of a view tree for the simulator and tests: one line a view, indented
// two spaces a level, subviews in order. Each line holds the runtime class name and the frame
// (model values, rounded to half points), then only what is set: "alpha=" when not 1, "hidden",
// "tag=", "bg=#RRGGBBAA", the layer's name as name="...", the text of a label, button, text
// field or text view as text="..." (at most 40 characters, then "…"), "image=WxH" for an image
// view's shown image, and "(animating)" while the view runs animations. For example:
//
//   UIWindow (0, 0, 375, 667) bg=#FFFFFFFF
//     UILabel (20, 40, 120.5, 21) tag=7 text="Hello"
class ViewTreeDump {
 public:
  static std::string dump(const UIView& view);
  // The line of one view, without indentation or line break.
  static std::string describe(const UIView& view);
};

}  // namespace host

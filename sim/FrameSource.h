#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ScreenFrame.h"

namespace host {
class UIView;
}

namespace vorlan {

// The screen of an app as the window asks for it, frame after frame: drawn again only when
// something on it may have changed, and sent only when it differs from what the window shows.
//
// Drawing a screen takes tens of milliseconds (blurs, shadows), far longer than a frame, so an
// app keeps a signature of what decides the picture: every shown view's presentation geometry,
// alpha, colours and layer styling, whether it waits to be drawn (its content changed), and a
// text field's text. While that signature stays the same the picture does too; while anything
// animates, every frame is drawn.
class FrameSource {
 public:
  // The answer to the window: ScreenFrame::kSame when the screen is the picture named `known`,
  // else the encoded frame, drawn at `scale` pixels a point (0: the screen's own). `force` draws
  // even when the signature is unchanged.
  std::string answer(const std::shared_ptr<host::UIView>& screen,
                     const std::vector<std::shared_ptr<host::UIView>>& overlays,
                     std::uint64_t known, bool force, double scale);

 private:
  // Nothing while something shown is animating.
  static std::optional<std::uint64_t> signature(
      host::UIView& screen, const std::vector<std::shared_ptr<host::UIView>>& overlays);

  std::optional<std::uint64_t> signature_;
  std::optional<ScreenFrame> last_;
};

}  // namespace vorlan

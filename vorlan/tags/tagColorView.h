#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "uikit/CGGeometry.h"
#include "uikit/UIView.h"

namespace vorlan {

// The colour picker of the tag editor: seven round swatches, six on a ring (the first at the
// top, then clockwise every 60 degrees) and one in the centre, and a black dot that marks the
// chosen one. The swatches are the colour pairs of the default tags.
class tagColorView : public host::UIView {
 public:
  struct Swatch {
    const char* fillColor;
    const char* borderColor;
    const char* accessibilityLabel;
  };
  static constexpr int kCentre = 6;
  static constexpr std::array<Swatch, 7> kSwatches{{
      {"#FC6354", "#FC6354", "Red colour"},
      {"#FC9E51", "#FC9930", "Orange colour"},
      {"#FED558", "#FFCC38", "Yellow colour"},
      {"#86DF6A", "#6FD94D", "Green colour"},
      {"#54BEF7", "#34B1F5", "Blue colour"},
      {"#D592E5", "#CD7DE0", "Violet colour"},
      {"#FFFFFF", "#ABABAB", "White colour"},
  }};
  static constexpr host::CGFloat kSwatchSize = 50;
  static constexpr host::CGFloat kDotSize = 20;

  static host::Class* objcClass();
  explicit tagColorView(host::Class* cls = objcClass());

  static std::shared_ptr<tagColorView> make(const host::CGRect& frame);

  // Chooses swatch `position` (0 to 6) as a tap does: its pair becomes the selected colours and
  // the dot fades out, moves there and fades back in.
  void tapped(int position);
  // Puts the dot on the swatch of fill colour `hex`, compared without the "#" and ignoring
  // letter case, so that a colour stored as "FFFFFF" finds the white swatch. A colour that is
  // no swatch's hides the dot, which would otherwise mark a colour the tag does not have.
  void starterColor(std::string_view hex);

  // The centre of swatch `position` in the picker's bounds.
  host::CGPoint getViewCenterByPosition(int position) const;
  static float getRadiansFromDegrees(float degrees);

  const std::string& selectedFillColor() const { return selectedFillColor_; }
  void setSelectedFillColor(std::string color) { selectedFillColor_ = std::move(color); }
  const std::string& selectedBorderColor() const { return selectedBorderColor_; }
  void setSelectedBorderColor(std::string color) { selectedBorderColor_ = std::move(color); }

  const std::vector<std::shared_ptr<host::UIView>>& swatches() const { return swatches_; }
  const std::shared_ptr<host::UIView>& dot() const { return dot_; }
  // The swatch the dot marks; nothing while it marks none.
  std::optional<int> dotPosition() const { return dotPosition_; }

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  void placeDot();

  std::vector<std::shared_ptr<host::UIView>> swatches_;
  std::shared_ptr<host::UIView> dot_;
  std::optional<int> dotPosition_;
  std::string selectedFillColor_;
  std::string selectedBorderColor_;
};

}  // namespace vorlan

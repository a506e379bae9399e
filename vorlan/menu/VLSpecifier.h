#pragma once

#include <functional>
#include <memory>

#include "uikit/CGGeometry.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"

namespace vorlan {

// A full-width menu button with optional separator lines at its top and bottom and a highlight
// that shows while the finger is on it. The highlight fills the space between the separators
// shown, in the separators' colour.
class VLSpecifier : public host::UIButton {
 public:
  // Indexes of the two separators, for setShowBorder.
  static constexpr unsigned kTopBorder = 0;
  static constexpr unsigned kBottomBorder = 1;

  static host::Class* objcClass();
  explicit VLSpecifier(host::Class* cls = objcClass());

  static std::shared_ptr<VLSpecifier> make(const host::CGRect& frame);

  // The button's action, run when a touch lifts inside it.
  void setTarget(std::function<void()> action);

  void setSeparatorColor(std::shared_ptr<host::UIColor> color);
  // Set the height first, then the offsets: the offsets shorten the lines as they are then.
  void setSeparatorHeight(float height);
  void setSeparatorLeftOffset(float offset);
  void setSeparatorRightOffset(float offset);
  // Shows or hides one separator (kTopBorder or kBottomBorder; other indexes change nothing).
  void setShowBorder(bool show, unsigned border);
  void setShowBorders(bool show);
  // Fits the highlight between the separators shown, each `height` points high.
  void updateBackGroundViewWithHeight(float height);

  const std::shared_ptr<host::UIView>& topBorder() const { return topBorder_; }
  const std::shared_ptr<host::UIView>& bottomBorder() const { return bottomBorder_; }
  const std::shared_ptr<host::UIView>& backgroundView() const { return highlight_; }

  // The finger comes down on (or moves inside) the button / lifts or leaves it.
  virtual void tapped();
  virtual void touchReleased();

 protected:
  void initWithFrame(const host::CGRect& frame);

 private:
  std::shared_ptr<host::UIView> topBorder_;
  std::shared_ptr<host::UIView> bottomBorder_;
  std::shared_ptr<host::UIView> highlight_;
};

}  // namespace vorlan

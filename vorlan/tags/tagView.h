#pragma once

#include <functional>
#include <memory>
#include <string>

#include "uikit/CGGeometry.h"
#include "uikit/UIButton.h"

namespace host {
class PSListController;
class PSSpecifier;
class UIColor;
class UILabel;
}  // namespace host

namespace vorlan {

class tagsSkyView;

// A tag as a full-width row: a coloured dot and the tag's name. Tapped in the assignment panel it
// gives its tag to the panel's cell; with a custom action (the tag filter list) it only reports
// the tap. The row highlights while the finger is on it. Its accessibility label is the tag's
// name.
class tagView : public host::UIButton {
 public:
  using CustomAction = std::function<void(const std::shared_ptr<tagView>& chip)>;

  static host::Class* objcClass();
  explicit tagView(host::Class* cls = objcClass());

  static std::shared_ptr<tagView> make(const host::CGRect& frame);

  void setName(const std::string& name);
  const std::string& getName() const;
  void setFillHexColor(const std::string& hex);
  void setBorderHexColor(const std::string& hex);
  // The panel that lays the chip out again after a tap (held weakly: the panel owns its chips).
  void setTarget(const std::shared_ptr<tagsSkyView>& panel);
  void setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                    std::shared_ptr<host::PSListController> controller);
  // Replaces the tag assignment: a lifted tap only runs `action`.
  void setCustomAction(CustomAction action);

  // Touch down / lifted inside / lifted outside or taken away.
  virtual void tapped();
  virtual void touchReleasedAndDoIt();
  virtual void touchReleased();

  const std::shared_ptr<host::UIView>& dot() const { return dot_; }
  const std::shared_ptr<host::UILabel>& nameLabel() const { return name_; }

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

  // Saves `assigned` for this chip's tag under its cell, as the cell's tag dictionary stored now
  // with this one name changed. False when the chip is bound to no cell.
  bool saveAssignment(bool assigned) const;
  std::shared_ptr<tagsSkyView> panel() const { return target_.lock(); }
  // Fades the chip out, then runs `done` if the panel still exists.
  void fadeOut(std::function<void(tagsSkyView&)> done);

 private:
  std::shared_ptr<host::UIView> dot_;
  std::shared_ptr<host::UILabel> name_;
  std::shared_ptr<host::UIColor> colore_;
  std::shared_ptr<host::PSSpecifier> specifier_;
  std::shared_ptr<host::PSListController> controller_;
  std::weak_ptr<tagsSkyView> target_;
  CustomAction action_;
};

}  // namespace vorlan

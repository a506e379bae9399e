#pragma once

#include <memory>
#include <vector>

#include "foundation/Plist.h"
#include "panels/skyView.h"
#include "uikit/CGGeometry.h"

namespace host {
class PSListController;
class PSSpecifier;
class UILabel;
class UIScrollView;
}  // namespace host

namespace vorlan {

class tagRoundView;
class tagView;

// The tag assignment panel for one cell: the tags the cell has, as round chips flowing in a box
// at the top, and every other tag as a row below. Tapping a row gives its tag to the cell,
// tapping a round chip takes it away; each tap is saved at once and the chips move into place.
//
// Each tag has one chip of each kind; exactly one of the two shows (alpha 1), the other is
// transparent and takes no room. The chips follow the tag table: they are made when the panel
// is made and made again when the panel is bound to a cell after the table changed.
class tagsSkyView : public skyView {
 public:
  static constexpr const char* kNoTagsText = "No tags";
  static constexpr double kRowHeight = 45;
  static constexpr double kTitleHeight = 30;
  static constexpr double kBoxRowHeight = 33;

  static host::Class* objcClass();
  explicit tagsSkyView(host::Class* cls = objcClass());

  static std::shared_ptr<tagsSkyView> make(const host::CGRect& frame);

  // Binds the panel to a cell of a list page and shows the cell's tags.
  void setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                    std::shared_ptr<host::PSListController> controller);
  void showFromRect(const host::CGRect& from, const host::CGRect& to) override;

  // Made again from the tag table, all tags as rows.
  void loadTags();
  // After a tap on a row / on a round chip: the tapped chip's twin shows, and everything moves
  // into place over 0.2 s.
  void layoutSubviewsForTagClicked();
  void layoutSubviewsForRoundTagClicked();

  const std::shared_ptr<host::UIScrollView>& scroll() const { return scroll_; }
  const std::shared_ptr<host::UILabel>& title() const { return title_; }
  const std::shared_ptr<host::UIView>& container() const { return box_; }
  const std::shared_ptr<host::UILabel>& nope() const { return nope_; }
  const std::vector<std::shared_ptr<tagView>>& tags() const { return tags_; }
  const std::vector<std::shared_ptr<tagRoundView>>& taggeds() const { return taggeds_; }

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  void layoutTags();
  void updateContentHeight();
  // Re-lays out over 0.2 s once `reveal` has set which chips show.
  void animateLayout(void (tagsSkyView::*reveal)());
  void revealGivenTags();
  void revealTakenTags();

  std::shared_ptr<host::UIScrollView> scroll_;
  std::shared_ptr<host::UILabel> title_;
  std::shared_ptr<host::UIView> box_;
  std::shared_ptr<host::UILabel> nope_;
  std::vector<std::shared_ptr<tagView>> tags_;
  std::vector<std::shared_ptr<tagRoundView>> taggeds_;
  // The tag table the chips were made from.
  host::Plist table_;
  std::shared_ptr<host::PSSpecifier> specifier_;
  std::shared_ptr<host::PSListController> controller_;
};

}  // namespace vorlan

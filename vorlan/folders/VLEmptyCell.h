#pragma once

#include <memory>

#include "preferences/PSTableCell.h"

namespace host {
class PSSpecifier;
class UIImageView;
class UILabel;
}  // namespace host

namespace vorlan {

// The hint an empty folder page shows in place of rows: a picture of the swipe and a line
// telling how to file settings into the folder, filling the visible page. It is the header view
// of the page's one group, made by name through the group's "headerCellClass" property.
class VLEmptyCell : public host::PSTableCell {
 public:
  static constexpr const char* kPreviewImagePath =
      "/Library/Application Support/Vorlan3/specifier_settings/preview/preview.png";

  static host::Class* objcClass();
  explicit VLEmptyCell(host::Class* cls = objcClass());

  // initWithSpecifier: (the header it is made for is not kept).
  void initWithSpecifier(const std::shared_ptr<host::PSSpecifier>& specifier);
  // The visible page's height under the bars, whatever the width.
  static host::CGFloat preferredHeightForWidth(host::CGFloat width);

  const std::shared_ptr<host::UILabel>& label() const { return label_; }
  const std::shared_ptr<host::UIImageView>& image() const { return image_; }

 protected:
  void layoutSubviewsImpl() override;

 private:
  std::shared_ptr<host::UILabel> label_;
  std::shared_ptr<host::UIImageView> image_;
};

}  // namespace vorlan

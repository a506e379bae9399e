#include "folders/FolderTableRow.h"

#include "preferences/PSSpecifier.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"

namespace vorlan {

void FolderTableRow::prepareTable(host::UITableView& table, const std::string& reuseIdentifier) {
  table.setTableFooterView(std::make_shared<host::UIView>());
  table.setShowsVerticalScrollIndicator(false);
  table.setShowsHorizontalScrollIndicator(false);
  table.setSeparatorColor(host::UIColor::blackColor());
  table.registerClass(host::UITableViewCell::objcClass(), reuseIdentifier);
}

void FolderTableRow::show(host::UITableViewCell& cell, const host::PSSpecifier& specifier,
                          bool nameLayer) {
  cell.setBackgroundColor(host::UIColor::whiteColor());
  cell.setUserInteractionEnabled(true);
  const auto label = cell.textLabel();
  label->setText(specifier.name());
  label->setTextColor(host::UIColor::blackColor());
  label->setNumberOfLines(1);
  label->layer()->setName(nameLayer ? specifier.identifier() : std::string());
  cell.imageView()->setImage(
      std::dynamic_pointer_cast<host::UIImage>(specifier.objectForKey("iconImage")));
}

}  // namespace vorlan

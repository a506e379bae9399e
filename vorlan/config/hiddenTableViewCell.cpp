#include "config/hiddenTableViewCell.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UISwitch.h"

namespace vorlan {

namespace {

constexpr host::CGFloat kIconX = 15;
constexpr host::CGFloat kIconInset = 10;  // above and below the icon
constexpr host::CGFloat kGap = 10;
constexpr host::CGFloat kLabelHeight = 20;
constexpr host::CGFloat kSwitchRightMargin = 15;

}  // namespace

HOST_CLASS(hiddenTableViewCell, host::UITableViewCell)

hiddenTableViewCell::hiddenTableViewCell(host::Class* cls)
    : host::UITableViewCell(cls),
      icon_(std::make_shared<host::UIImageView>()),
      label_(std::make_shared<host::UILabel>()),
      switcher_(std::make_shared<host::UISwitch>()) {
  icon_->setClipsToBounds(true);
  label_->setFont(host::UIFont::systemFontOfSize(16));
  label_->setTextColor(host::UIColor::blackColor());
}

std::shared_ptr<hiddenTableViewCell> hiddenTableViewCell::make(host::UITableViewCellStyle style,
                                                               std::string reuseIdentifier) {
  auto cell = std::make_shared<hiddenTableViewCell>();
  cell->initWithStyle(style, std::move(reuseIdentifier));
  cell->attachContent();
  return cell;
}

void hiddenTableViewCell::attachContent() {
  if (icon_->superview() || weak_from_this().expired()) return;
  contentView()->addSubview(icon_);
  contentView()->addSubview(label_);
  contentView()->addSubview(switcher_);
  setNeedsLayout();
}

void hiddenTableViewCell::didMoveToSuperview() {
  host::UITableViewCell::didMoveToSuperview();
  attachContent();
}

void hiddenTableViewCell::layoutSubviewsImpl() {
  host::UITableViewCell::layoutSubviewsImpl();
  attachContent();
  const host::CGRect content = contentView()->bounds();
  const host::CGFloat h = content.height();
  const host::CGFloat side = h - 2 * kIconInset;
  icon_->setFrame({kIconX, kIconInset, side, side});
  const host::CGSize size = switcher_->sizeThatFits(host::UISwitch::kSize);
  const host::CGFloat switchX = content.width() - size.width - kSwitchRightMargin;
  switcher_->setFrame({switchX, (h - size.height) / 2, size.width, size.height});
  const host::CGFloat labelX = kIconX + side + kGap;
  label_->setFrame({labelX, (h - kLabelHeight) / 2,
                    std::max<host::CGFloat>(0, switchX - kGap - labelX), kLabelHeight});
}

}  // namespace vorlan

#include "config/disabledTableViewCell.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"

namespace vorlan {

namespace {

constexpr host::CGFloat kIconX = 15;
constexpr host::CGFloat kIconInset = 10;  // above and below the icon
constexpr host::CGFloat kGap = 10;
constexpr host::CGFloat kLabelHeight = 20;

}  // namespace

HOST_CLASS(disabledTableViewCell, host::UITableViewCell)

disabledTableViewCell::disabledTableViewCell(host::Class* cls)
    : host::UITableViewCell(cls),
      icon_(std::make_shared<host::UIImageView>()),
      label_(std::make_shared<host::UILabel>()) {
  icon_->setClipsToBounds(true);
  label_->setFont(host::UIFont::systemFontOfSize(16));
  label_->setTextColor(host::UIColor::blackColor());
}

std::shared_ptr<disabledTableViewCell> disabledTableViewCell::make(host::UITableViewCellStyle style,
                                                                   std::string reuseIdentifier) {
  auto cell = std::make_shared<disabledTableViewCell>();
  cell->initWithStyle(style, std::move(reuseIdentifier));
  cell->attachContent();
  return cell;
}

void disabledTableViewCell::attachContent() {
  if (icon_->superview() || weak_from_this().expired()) return;
  contentView()->addSubview(icon_);
  contentView()->addSubview(label_);
  setNeedsLayout();
}

void disabledTableViewCell::didMoveToSuperview() {
  host::UITableViewCell::didMoveToSuperview();
  attachContent();
}

void disabledTableViewCell::layoutSubviewsImpl() {
  host::UITableViewCell::layoutSubviewsImpl();
  attachContent();
  const host::CGRect content = contentView()->bounds();
  const host::CGFloat h = content.height();
  const host::CGFloat side = h - 2 * kIconInset;
  icon_->setFrame({kIconX, kIconInset, side, side});
  const host::CGFloat labelX = kIconX + side + kGap;
  label_->setFrame({labelX, (h - kLabelHeight) / 2,
                    std::max<host::CGFloat>(0, content.width() - labelX - kGap), kLabelHeight});
}

}  // namespace vorlan

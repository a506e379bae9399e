#include "tags/tagTableViewCell.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"

namespace vorlan {

namespace {

constexpr host::CGFloat kBackInsetX = 5;
constexpr host::CGFloat kBackInsetY = 2;
constexpr host::CGFloat kCircle = 15;
constexpr host::CGFloat kCircleX = 20;
constexpr host::CGFloat kGap = 10;

}  // namespace

HOST_CLASS(tagTableViewCell, host::UITableViewCell)

tagTableViewCell::tagTableViewCell(host::Class* cls)
    : host::UITableViewCell(cls),
      color_(std::make_shared<host::UIView>()),
      label_(std::make_shared<host::UILabel>()),
      back_(std::make_shared<host::UIView>()) {
  back_->layer()->setCornerRadius(5);
  back_->layer()->setMasksToBounds(true);
  color_->layer()->setCornerRadius(kCircle / 2);
  color_->layer()->setBorderWidth(1);
  label_->setFont(host::UIFont::systemFontOfSize(16));
  label_->setTextColor(host::UIColor::blackColor());
}

std::shared_ptr<tagTableViewCell> tagTableViewCell::make(host::UITableViewCellStyle style,
                                                         std::string reuseIdentifier) {
  auto cell = std::make_shared<tagTableViewCell>();
  cell->initWithStyle(style, std::move(reuseIdentifier));
  cell->attachContent();
  return cell;
}

void tagTableViewCell::attachContent() {
  if (back_->superview() || weak_from_this().expired()) return;
  setBackgroundColor(host::UIColor::clearColor());
  contentView()->setBackgroundColor(host::UIColor::clearColor());
  contentView()->addSubview(back_);
  contentView()->addSubview(color_);
  contentView()->addSubview(label_);
  setNeedsLayout();
}

void tagTableViewCell::didMoveToSuperview() {
  host::UITableViewCell::didMoveToSuperview();
  attachContent();
}

void tagTableViewCell::layoutSubviewsImpl() {
  host::UITableViewCell::layoutSubviewsImpl();
  attachContent();
  // The background spans the whole row, accessory included.
  const host::CGRect row = contentView()->convertRectFromView(bounds(), this);
  back_->setFrame({row.origin.x + kBackInsetX, row.origin.y + kBackInsetY,
                   std::max<host::CGFloat>(0, row.width() - 2 * kBackInsetX),
                   std::max<host::CGFloat>(0, row.height() - 2 * kBackInsetY)});
  const host::CGRect content = contentView()->bounds();
  color_->setFrame({kCircleX, (content.height() - kCircle) / 2, kCircle, kCircle});
  // A centred title (the "Add" and "Reset" rows) is centred on the row, not beside the circle.
  const host::CGFloat labelX =
      label_->textAlignment() == host::NSTextAlignment::Center ? kGap : kCircleX + kCircle + kGap;
  label_->setFrame(
      {labelX, 0, std::max<host::CGFloat>(0, content.width() - labelX - kGap), content.height()});
}

}  // namespace vorlan

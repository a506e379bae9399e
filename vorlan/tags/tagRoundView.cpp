#include "tags/tagRoundView.h"

#include "runtime/HostClass.h"
#include "tags/tagsSkyView.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"

namespace vorlan {

namespace {

constexpr double kDotSize = 15;
constexpr double kDotX = 6;
constexpr double kNameGap = 10;
constexpr double kCloseSize = 8;
constexpr double kCloseGap = 5;
constexpr double kTrailing = 6;

}  // namespace

HOST_CLASS(tagRoundView, tagView)

tagRoundView::tagRoundView(host::Class* cls) : tagView(cls) {}

std::shared_ptr<tagRoundView> tagRoundView::make(const host::CGRect& frame) {
  auto chip = std::make_shared<tagRoundView>();
  chip->initWithFrame(frame);
  return chip;
}

void tagRoundView::initWithFrame(const host::CGRect& frame) {
  tagView::initWithFrame(frame);
  setBackgroundColor(host::UIColor::colorWithWhite(0.4, 0.2));
  layer()->setCornerRadius(frame.size.height / 2);
  const auto text = host::UIColor::colorWithWhite(0, 0.6);
  nameLabel()->setTextColor(text);

  close_ = std::make_shared<host::UIImageView>();
  const auto image = host::UIImage::imageWithContentsOfFile(kCloseImage);
  if (image)
    close_->setImage(image->imageWithRenderingMode(host::UIImageRenderingMode::AlwaysTemplate));
  close_->setContentMode(host::UIViewContentModeScaleAspectFit);
  close_->setTintColor(text);
  close_->setUserInteractionEnabled(false);
  addSubview(close_);
}

void tagRoundView::layoutSubviewsImpl() {
  const host::CGRect frame = this->frame();
  const double height = frame.size.height;
  dot()->setFrame({kDotX, (height - kDotSize) / 2, kDotSize, kDotSize});
  const auto& name = nameLabel();
  name->sizeToFit();
  const host::CGSize size = name->frame().size;
  const double nameX = kDotX + kDotSize + kNameGap;
  name->setFrame({nameX, (height - size.height) / 2, size.width, size.height});
  const double closeX = nameX + size.width + kCloseGap;
  close_->setFrame({closeX, (height - 7) / 2, kCloseSize, kCloseSize});
  const double width = closeX + kCloseSize + kTrailing;
  if (frame.size.width != width) setFrame({frame.origin.x, frame.origin.y, width, height});
}

void tagRoundView::touchReleasedAndDoIt() {
  if (!saveAssignment(false)) return;
  fadeOut([](tagsSkyView& panel) { panel.layoutSubviewsForRoundTagClicked(); });
}

}  // namespace vorlan

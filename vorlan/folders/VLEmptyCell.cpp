#include "folders/VLEmptyCell.h"

#include <string>

#include "folders/FolderPageRecords.h"
#include "preferences/PSHeaderFooterViewMethods.h"
#include "preferences/PSListController.h"
#include "runtime/HostClass.h"
#include "uikit/UIApplication.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UINavigationController.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UIScreen.h"

namespace vorlan {

namespace {

using Header = host::MethodsOf<host::PSHeaderFooterView>;

constexpr host::CGFloat kTextInset = 30;  // the text is this much narrower than the page
constexpr host::CGFloat kGap = 5;         // between the picture and the text
constexpr host::CGFloat kLift = 32;       // the pair sits this much above the middle
constexpr host::CGFloat kDefaultBarHeight = 44;

std::shared_ptr<host::PSListController> currentFolderPage() {
  return FolderPageRecords::shared().currentFolderPage.lock();
}

}  // namespace

HOST_CLASS_WITH(VLEmptyCell, host::PSTableCell, [](host::Class* c) {
  host::define<Header::InitWithSpecifier>(c, [](host::Object* self, auto specifier) {
    if (auto* cell = dynamic_cast<VLEmptyCell*>(self)) cell->initWithSpecifier(specifier);
  });
  host::define<Header::PreferredHeightForWidth>(
      c, [](host::Object*, host::CGFloat width) { return preferredHeightForWidth(width); });
})

VLEmptyCell::VLEmptyCell(host::Class* cls)
    : host::PSTableCell(cls),
      label_(std::make_shared<host::UILabel>()),
      image_(std::make_shared<host::UIImageView>()) {}

void VLEmptyCell::initWithSpecifier(const std::shared_ptr<host::PSSpecifier>& /*specifier*/) {
  initWithStyle(host::UITableViewCellStyleDefault, "headerCell");
  setBackgroundColor(host::UIColor::clearColor());
  setSelectionStyle(host::UITableViewCellSelectionStyleNone);

  const auto page = currentFolderPage();
  const std::string folder = page ? page->navigationItem()->title() : std::string();
  label_->setTextAlignment(host::NSTextAlignment::Center);
  label_->setTextColor(host::UIColor::colorWithWhite(0.0, 0.6));
  label_->setFont(host::UIFont::systemFontOfSize(16));
  label_->setNumberOfLines(0);
  label_->setText("You can add settings to " + folder +
                  " by swiping on a cell and tapping 'Folder'");
  const host::CGFloat width = FolderPageRecords::shared().pageWidth > 0
                                  ? FolderPageRecords::shared().pageWidth
                                  : host::UIScreen::mainScreen()->bounds().width();
  const host::CGSize fits = label_->sizeThatFits({width - kTextInset, 1000});
  label_->setFrame({{0, 0}, fits});

  if (auto picture = host::UIImage::imageWithContentsOfFile(kPreviewImagePath)) {
    image_->setImage(picture);
    image_->setFrame({{0, 0}, {picture->width(), picture->height()}});
  }
  addSubview(image_);
  addSubview(label_);
  setNeedsLayout();
}

host::CGFloat VLEmptyCell::preferredHeightForWidth(host::CGFloat /*width*/) {
  const auto application = host::UIApplication::sharedApplication();
  const host::CGRect screen = host::UIScreen::mainScreen()->bounds();
  const bool landscape = application && application->isLandscape();
  const host::CGFloat height = landscape ? screen.width() : screen.height();
  const auto page = currentFolderPage();
  const auto navigation = page ? page->navigationController() : nullptr;
  const host::CGFloat bar =
      navigation ? navigation->navigationBar()->frame().height() : kDefaultBarHeight;
  const host::CGFloat status = application ? application->statusBarFrame().height() : 0;
  return height - bar - status;
}

void VLEmptyCell::layoutSubviewsImpl() {
  host::PSTableCell::layoutSubviewsImpl();
  // A hint, not a row: no separator line under it.
  separatorView()->setHidden(true);
  const host::CGFloat width = bounds().width();
  const host::CGFloat h = preferredHeightForWidth(width);
  const host::CGSize picture = image_->frame().size;
  const host::CGSize text = label_->frame().size;
  const host::CGFloat top = (h - picture.height - text.height - kGap) / 2 - kLift;
  image_->setFrame({{(width - picture.width) / 2, top}, picture});
  label_->setFrame({{(width - text.width) / 2, top + picture.height + kGap}, text});
}

}  // namespace vorlan

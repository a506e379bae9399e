#include "tags/tagsSkyView.h"

#include <string>

#include "panels/shapeSkyView.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "store/VLPreferencesManager.h"
#include "tags/tagRoundView.h"
#include "tags/tagView.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"
#include "uikit/UIScrollView.h"

namespace vorlan {

namespace {

constexpr double kBoxInset = 8;
constexpr double kBoxGap = 5;
constexpr double kChipGap = 3;
constexpr double kChipHeight = tagsSkyView::kBoxRowHeight - 2 * kChipGap;
constexpr double kWrap = 30;
constexpr double kLayoutDuration = 0.2;

std::string stringOf(const host::Plist& record, const char* key) {
  const std::string* text = record.get(key).asString();
  return text ? *text : std::string();
}

bool isShown(const host::UIView& chip) {
  return chip.alpha() > 0;
}

}  // namespace

HOST_CLASS(tagsSkyView, skyView)

tagsSkyView::tagsSkyView(host::Class* cls) : skyView(cls) {}

std::shared_ptr<tagsSkyView> tagsSkyView::make(const host::CGRect& frame) {
  auto panel = std::make_shared<tagsSkyView>();
  panel->initWithFrame(frame);
  return panel;
}

void tagsSkyView::initWithFrame(const host::CGRect& frame) {
  skyView::initWithFrame(frame);
  const auto& content = shape()->container();

  scroll_ = std::make_shared<host::UIScrollView>();
  scroll_->setBackgroundColor(host::UIColor::clearColor());
  scroll_->layer()->setCornerRadius(15);
  scroll_->setClipsToBounds(true);
  scroll_->setShowsHorizontalScrollIndicator(false);
  scroll_->setShowsVerticalScrollIndicator(false);
  content->addSubview(scroll_);

  title_ = std::make_shared<host::UILabel>();
  title_->setTextColor(host::UIColor::blackColor());
  title_->setFont(host::UIFont::systemFontOfSize(15));
  title_->setTextAlignment(host::NSTextAlignment::Center);
  title_->setNumberOfLines(0);
  title_->setBackgroundColor(host::UIColor::clearColor());
  scroll_->addSubview(title_);

  box_ = std::make_shared<host::UIView>();
  box_->setBackgroundColor(host::UIColor::clearColor());
  box_->layer()->setBorderColor(host::UIColor::blackColor());
  box_->layer()->setBorderWidth(0.5);
  box_->setClipsToBounds(true);
  scroll_->addSubview(box_);

  nope_ = std::make_shared<host::UILabel>();
  nope_->setText(kNoTagsText);
  nope_->setFont(host::UIFont::systemFontOfSize(25));
  nope_->setTextAlignment(host::NSTextAlignment::Center);
  nope_->setTextColor(host::UIColor::colorWithWhite(0.2, 0.9));
  scroll_->addSubview(nope_);

  loadTags();
}

void tagsSkyView::loadTags() {
  for (const auto& chip : tags_)
    chip->removeFromSuperview();
  for (const auto& chip : taggeds_)
    chip->removeFromSuperview();
  tags_.clear();
  taggeds_.clear();

  table_ = VLPreferencesManager::sharedInstance()->getTagsDictionary();
  const auto self = std::static_pointer_cast<tagsSkyView>(shared_from_this());
  const std::size_t count = table_.isDictionary() ? table_.size() : 0;
  for (std::size_t i = 0; i < count; ++i) {
    const host::Plist record = table_.get(std::to_string(i));
    const std::string name = stringOf(record, "name");
    const std::string fill = stringOf(record, "fill_color");
    const std::string border = stringOf(record, "border_color");

    auto row = tagView::make({0, 0, 0, kRowHeight});
    auto round = tagRoundView::make({0, 0, 0, kChipHeight});
    for (tagView* chip : {static_cast<tagView*>(row.get()), static_cast<tagView*>(round.get())}) {
      chip->setName(name);
      chip->setFillHexColor(fill);
      chip->setBorderHexColor(border);
      chip->setTarget(self);
    }
    round->setAlpha(0);
    scroll_->addSubview(row);
    box_->addSubview(round);
    tags_.push_back(std::move(row));
    taggeds_.push_back(std::move(round));
  }
  nope_->setHidden(!tags_.empty());
  // The message lies over the title and the box, which have nothing to show without tags.
  scroll_->bringSubviewToFront(nope_);
}

void tagsSkyView::setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                               std::shared_ptr<host::PSListController> controller) {
  specifier_ = std::move(specifier);
  controller_ = std::move(controller);
  auto manager = VLPreferencesManager::sharedInstance();
  // Tags added, renamed or deleted since the chips were made: a chip of an old name would
  // assign a tag that no longer exists.
  if (manager->getTagsDictionary() != table_) loadTags();

  const std::string name =
      specifier_ && !specifier_->name().empty() ? specifier_->name() : "Specifier";
  title_->setText("Assign tag to '" + name + "'");
  host::Plist given;
  if (specifier_ && controller_) {
    given = manager->getTagsDictionaryForSpecifier(specifier_->identifier(), controller_);
  }
  for (std::size_t i = 0; i < tags_.size(); ++i) {
    const bool has = given.get(tags_[i]->getName()).asBoolean().value_or(false);
    tags_[i]->setAlpha(has ? 0 : 1);
    taggeds_[i]->setAlpha(has ? 1 : 0);
    tags_[i]->setSpecifier(specifier_, controller_);
    taggeds_[i]->setSpecifier(specifier_, controller_);
  }
  layoutTags();
}

void tagsSkyView::showFromRect(const host::CGRect& from, const host::CGRect& to) {
  skyView::showFromRect(from, to);
  layoutTags();
}

void tagsSkyView::layoutSubviewsImpl() {
  skyView::layoutSubviewsImpl();
  layoutTags();
}

void tagsSkyView::layoutTags() {
  const host::CGRect bounds = shape()->container()->bounds();
  const double width = bounds.size.width;
  scroll_->setFrame(bounds);
  nope_->setFrame({{0, 0}, bounds.size});
  title_->setFrame({0, 0, width, kTitleHeight});

  const double boxWidth = width - 2 * kBoxInset;
  double boxHeight = kBoxRowHeight;
  double x = kChipGap;
  double y = kChipGap;
  for (const auto& chip : taggeds_) {
    if (!isShown(*chip)) continue;
    chip->setFrame({x, y, chip->frame().size.width, kChipHeight});
    chip->layoutSubviews();  // sizes the chip to its name
    const double w = chip->frame().size.width;
    // A chip that does not fit begins a new row, unless it is the first of its row already.
    if (x > kChipGap && x + w + kChipGap >= boxWidth) {
      y += kWrap;
      boxHeight += kWrap;
      x = kChipGap;
      chip->setFrame({x, y, w, kChipHeight});
    }
    x += w + kChipGap;
  }
  box_->setFrame({kBoxInset, kTitleHeight + kBoxGap, boxWidth, boxHeight});

  double rowY = kTitleHeight + boxHeight + kBoxGap;
  for (const auto& chip : tags_) {
    if (!isShown(*chip)) continue;
    chip->setFrame({0, rowY, width, kRowHeight});
    rowY += kRowHeight;
  }
  updateContentHeight();
}

void tagsSkyView::updateContentHeight() {
  const double width = shape()->container()->bounds().size.width;
  const double height = tags_.empty() ? 0 : tags_.back()->frame().origin.y + kRowHeight + 1;
  scroll_->setContentSize({width, height});
}

void tagsSkyView::revealGivenTags() {
  for (std::size_t i = 0; i < tags_.size(); ++i) {
    if (!isShown(*tags_[i])) taggeds_[i]->setAlpha(1);
  }
}

void tagsSkyView::revealTakenTags() {
  for (std::size_t i = 0; i < taggeds_.size(); ++i) {
    if (!isShown(*taggeds_[i])) tags_[i]->setAlpha(1);
  }
}

void tagsSkyView::animateLayout(void (tagsSkyView::*reveal)()) {
  std::weak_ptr<tagsSkyView> weakSelf = std::static_pointer_cast<tagsSkyView>(shared_from_this());
  animateWithDuration(
      kLayoutDuration,
      [this, reveal] {
        (this->*reveal)();
        layoutTags();
      },
      [weakSelf](bool) {
        if (auto self = weakSelf.lock()) self->updateContentHeight();
      });
}

void tagsSkyView::layoutSubviewsForTagClicked() {
  animateLayout(&tagsSkyView::revealGivenTags);
}

void tagsSkyView::layoutSubviewsForRoundTagClicked() {
  animateLayout(&tagsSkyView::revealTakenTags);
}

}  // namespace vorlan

#include "uikit/UITableViewCell.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIGlyphView.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCellDeleteConfirmationButton.h"
#include "uikit/UIViewMethods.h"

namespace host {

namespace {

constexpr CGFloat kMargin = 15;
constexpr CGFloat kAccessoryGap = 10;
constexpr CGFloat kValue2TitleWidth = 67;
constexpr CGFloat kValue2Gap = 6;
constexpr CGFloat kEditingControlSize = 22;
constexpr CGFloat kEditingControlX = 8;
constexpr CGFloat kSeparatorHeight = 0.5;
constexpr double kAnimationDuration = 0.3;

std::shared_ptr<UIView> namedView(const std::string& name, const CGRect& frame) {
  auto view = std::make_shared<UIView>();
  view->layer()->setName(name);
  view->setFrame(frame);
  return view;
}

std::shared_ptr<UITableView> tableOf(const UIView& view) {
  for (auto parent = view.superview(); parent; parent = parent->superview()) {
    if (auto table = std::dynamic_pointer_cast<UITableView>(parent)) return table;
  }
  return nullptr;
}

}  // namespace

HOST_CLASS_WITH(UITableViewCell, UIView, [](Class* c) {
  define<MethodsOf<UIView>::LayoutSubviews>(c, [](Object* self) {
    if (auto* cell = dynamic_cast<UITableViewCell*>(self)) cell->layoutSubviewsImpl();
  });
})

void UITableViewCell::handleReorderPan(const std::shared_ptr<UIGestureRecognizer>& recognizer,
                                       const std::shared_ptr<CGFloat>& grabOffset) {
  auto control = recognizer->view();
  auto cell = control ? std::dynamic_pointer_cast<UITableViewCell>(control->superview()) : nullptr;
  auto table = cell ? tableOf(*cell) : nullptr;
  if (!table) return;
  const CGPoint at = recognizer->locationInView(table.get());
  switch (recognizer->state()) {
    case UIGestureRecognizerStateBegan: {
      const auto indexPath = table->indexPathForCell(cell.get());
      if (indexPath && table->beginReorderingRowAtIndexPath(*indexPath)) {
        *grabOffset = cell->center().y - at.y;
      }
      break;
    }
    case UIGestureRecognizerStateChanged:
      table->reorderRowToPoint({at.x, at.y + *grabOffset});
      break;
    case UIGestureRecognizerStateEnded:
    case UIGestureRecognizerStateCancelled:
      table->endReordering();
      break;
    default:
      break;
  }
}

UITableViewCell::UITableViewCell(Class* cls)
    : UIView(cls),
      contentView_(std::make_shared<UIView>()),
      separator_(namedView("UITableViewCellSeparatorView", CGRectZero)) {
  setFrame(CGRectMake(0, 0, 320, UITableView::kDefaultRowHeight));
  setBackgroundColor(UIColor::whiteColor());
  separator_->setBackgroundColor(UIColor::colorWithRed(0.78, 0.78, 0.8, 1));
}

void UITableViewCell::attachSubviews() {
  // A view takes subviews once it is shared, which it is not yet while being made.
  if (contentView_->superview() || weak_from_this().expired()) return;
  insertSubview(contentView_, 0);
  addSubview(separator_);
}

const std::shared_ptr<UIView>& UITableViewCell::contentView() {
  attachSubviews();
  return contentView_;
}

void UITableViewCell::didMoveToSuperview() {
  UIView::didMoveToSuperview();
  attachSubviews();
}

std::shared_ptr<UITableViewCell> UITableViewCell::cellWithStyle(UITableViewCellStyle style,
                                                                std::string reuseIdentifier) {
  auto cell = std::make_shared<UITableViewCell>();
  cell->initWithStyle(style, std::move(reuseIdentifier));
  return cell;
}

void UITableViewCell::initWithStyle(UITableViewCellStyle style, std::string reuseIdentifier) {
  if (style != style_ && detailTextLabel_) {
    detailTextLabel_->removeFromSuperview();
    detailTextLabel_.reset();
  }
  style_ = style;
  reuseIdentifier_ = std::move(reuseIdentifier);
  attachSubviews();
  setNeedsLayout();
}

// Content.

std::shared_ptr<UILabel> UITableViewCell::textLabel() {
  attachSubviews();
  if (!textLabel_) {
    textLabel_ = std::make_shared<UILabel>();
    const bool small = style_ == UITableViewCellStyleValue2;
    textLabel_->setFont(small ? UIFont::boldSystemFontOfSize(15) : UIFont::systemFontOfSize(17));
    textLabel_->setTextColor(small ? UIColor::colorWithRed(0.32, 0.4, 0.57, 1)
                                   : UIColor::blackColor());
    if (small) textLabel_->setTextAlignment(NSTextAlignment::Right);
    contentView_->addSubview(textLabel_);
    setNeedsLayout();
  }
  return textLabel_;
}

std::shared_ptr<UILabel> UITableViewCell::detailTextLabel() {
  if (style_ == UITableViewCellStyleDefault) return nullptr;
  attachSubviews();
  if (!detailTextLabel_) {
    detailTextLabel_ = std::make_shared<UILabel>();
    switch (style_) {
      case UITableViewCellStyleValue1:
        detailTextLabel_->setFont(UIFont::systemFontOfSize(17));
        detailTextLabel_->setTextColor(UIColor::colorWithRed(0.56, 0.56, 0.58, 1));
        detailTextLabel_->setTextAlignment(NSTextAlignment::Right);
        break;
      case UITableViewCellStyleValue2:
        detailTextLabel_->setFont(UIFont::boldSystemFontOfSize(15));
        detailTextLabel_->setTextColor(UIColor::blackColor());
        break;
      default:
        detailTextLabel_->setFont(UIFont::systemFontOfSize(12));
        detailTextLabel_->setTextColor(UIColor::blackColor());
        break;
    }
    contentView_->addSubview(detailTextLabel_);
    setNeedsLayout();
  }
  return detailTextLabel_;
}

std::shared_ptr<UIImageView> UITableViewCell::imageView() {
  attachSubviews();
  if (!imageView_) {
    imageView_ = std::make_shared<UIImageView>();
    contentView_->addSubview(imageView_);
    setNeedsLayout();
  }
  return imageView_;
}

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type) {
  attachSubviews();
  if (type == accessoryType_) return;
  accessoryType_ = type;
  if (standardAccessory_) standardAccessory_->removeFromSuperview();
  standardAccessory_ = makeStandardAccessory();
  if (standardAccessory_ && !accessoryView_) addSubview(standardAccessory_);
  setNeedsLayout();
}

std::shared_ptr<UIView> UITableViewCell::makeStandardAccessory() const {
  switch (accessoryType_) {
    case UITableViewCellAccessoryDisclosureIndicator:
      return UIGlyphView::make(UIGlyphView::Shape::Chevron, "UITableViewCellDisclosureIndicator",
                               CGRectMake(0, 0, 8, 13));
    case UITableViewCellAccessoryCheckmark:
      return UIGlyphView::make(UIGlyphView::Shape::Checkmark, "UITableViewCellCheckmark",
                               CGRectMake(0, 0, 14, 11));
    case UITableViewCellAccessoryDetailButton:
      return namedView("UITableViewCellDetailButton", CGRectMake(0, 0, 22, 22));
    case UITableViewCellAccessoryDetailDisclosureButton:
      return namedView("UITableViewCellDetailDisclosureButton", CGRectMake(0, 0, 45, 22));
    case UITableViewCellAccessoryNone:
      break;
  }
  return nullptr;
}

void UITableViewCell::setAccessoryView(std::shared_ptr<UIView> view) {
  attachSubviews();
  if (accessoryView_) accessoryView_->removeFromSuperview();
  accessoryView_ = std::move(view);
  if (accessoryView_) {
    if (standardAccessory_) standardAccessory_->removeFromSuperview();
    addSubview(accessoryView_);
  } else if (standardAccessory_) {
    addSubview(standardAccessory_);
  }
  setNeedsLayout();
}

// Backgrounds, selection and highlight.

void UITableViewCell::setBackgroundView(std::shared_ptr<UIView> view) {
  attachSubviews();
  if (backgroundView_) backgroundView_->removeFromSuperview();
  backgroundView_ = std::move(view);
  if (backgroundView_) insertSubview(backgroundView_, 0);
  setNeedsLayout();
}

std::shared_ptr<UIView> UITableViewCell::selectedBackgroundView() {
  if (!selectedBackgroundView_) {
    auto view = std::make_shared<UIView>();
    view->setBackgroundColor(UIColor::colorWithRed(0.85, 0.85, 0.85, 1));
    setSelectedBackgroundView(view);
  }
  return selectedBackgroundView_;
}

void UITableViewCell::setSelectedBackgroundView(std::shared_ptr<UIView> view) {
  attachSubviews();
  if (selectedBackgroundView_) selectedBackgroundView_->removeFromSuperview();
  selectedBackgroundView_ = std::move(view);
  if (selectedBackgroundView_) {
    selectedBackgroundView_->setHidden(true);
    insertSubviewBelowSubview(selectedBackgroundView_, contentView_);
  }
  setNeedsLayout();
}

void UITableViewCell::setSelected(bool selected, bool animated) {
  selected_ = selected;
  relayout(animated);
}

void UITableViewCell::setHighlighted(bool highlighted, bool animated) {
  highlighted_ = highlighted;
  relayout(animated);
}

// Editing.

void UITableViewCell::setEditing(bool editing, bool animated) {
  editing_ = editing;
  if (!editing) hideDeleteConfirmation(false);
  relayout(animated);
}

void UITableViewCell::setEditingStyle(UITableViewCellEditingStyle style) {
  editingStyle_ = style;
  setNeedsLayout();
}

void UITableViewCell::setShouldIndentWhileEditing(bool indent) {
  shouldIndentWhileEditing_ = indent;
  setNeedsLayout();
}

void UITableViewCell::setShowsReorderControl(bool shows) {
  showsReorderControl_ = shows;
  setNeedsLayout();
}

void UITableViewCell::setIndentationLevel(long level) {
  indentationLevel_ = level;
  setNeedsLayout();
}

void UITableViewCell::setIndentationWidth(CGFloat width) {
  indentationWidth_ = width;
  setNeedsLayout();
}

void UITableViewCell::showDeleteConfirmation(const std::string& title, bool animated) {
  attachSubviews();
  if (deleteButton_) deleteButton_->removeFromSuperview();
  // A control of its own that keeps its tap from tap recognisers further up, and commits the
  // deletion itself.
  auto button = std::make_shared<UITableViewCellDeleteConfirmationButton>();
  button->layer()->setName("UITableViewCellDeleteConfirmationButton");
  std::weak_ptr<UITableViewCell> weakSelf =
      std::static_pointer_cast<UITableViewCell>(shared_from_this());
  button->addAction(
      [weakSelf](const std::shared_ptr<UIControl>&, UIEvent*) {
        auto self = weakSelf.lock();
        if (auto table = self ? tableOf(*self) : nullptr) table->tapDeleteConfirmation();
      },
      UIControlEventTouchUpInside);
  deleteButton_ = std::move(button);
  deleteButton_->setBackgroundColor(UIColor::colorWithRed(1, 0.23, 0.19, 1));
  auto label = std::make_shared<UILabel>();
  label->setText(title);
  label->setFont(UIFont::systemFontOfSize(17));
  label->setTextColor(UIColor::whiteColor());
  label->setTextAlignment(NSTextAlignment::Center);
  label->setUserInteractionEnabled(false);
  const CGFloat width = std::max(kDeleteButtonWidth, label->sizeThatFits({0, 0}).width + 30);
  deleteButton_->setFrame(CGRectMake(bounds().width(), 0, width, bounds().height()));
  label->setFrame(CGRectMake(0, 0, width, bounds().height()));
  deleteButton_->addSubview(label);
  addSubview(deleteButton_);
  relayout(animated);
}

void UITableViewCell::hideDeleteConfirmation(bool animated) {
  if (!deleteButton_) return;
  deleteButton_->removeFromSuperview();
  deleteButton_.reset();
  relayout(animated);
}

void UITableViewCell::setSeparatorInset(const UIEdgeInsets& inset) {
  separatorInset_ = inset;
  setNeedsLayout();
}

void UITableViewCell::prepareForReuse() {
  selected_ = false;
  highlighted_ = false;
  hideDeleteConfirmation(false);
  setAlpha(1);
  setNeedsLayout();
}

// Layout.

void UITableViewCell::relayout(bool animated) {
  setNeedsLayout();
  if (animated) {
    UIView::animateWithDuration(kAnimationDuration, [this] { layoutIfNeeded(); });
  } else {
    layoutIfNeeded();
  }
}

void UITableViewCell::layoutSubviewsImpl() {
  attachSubviews();
  const CGRect b = bounds();
  const CGFloat h = b.height();
  if (backgroundView_) backgroundView_->setFrame(b);
  const bool showsSelection =
      (selected_ || highlighted_) && selectionStyle_ != UITableViewCellSelectionStyleNone;
  if (showsSelection) selectedBackgroundView();
  if (selectedBackgroundView_) {
    selectedBackgroundView_->setFrame(b);
    selectedBackgroundView_->setHidden(!showsSelection);
  }

  const CGFloat shift = deleteButton_ ? deleteButton_->frame().width() : 0;
  const CGFloat left = editing_ && shouldIndentWhileEditing_ ? kEditingControlWidth : 0;
  CGFloat right = b.width();

  const bool showsEditingControl = editing_ && editingStyle_ != UITableViewCellEditingStyleNone;
  if (showsEditingControl && !editingControl_) {
    editingControl_ = namedView("UITableViewCellEditControl", CGRectZero);
    editingControl_->layer()->setCornerRadius(kEditingControlSize / 2);
    addSubview(editingControl_);
  }
  if (editingControl_) {
    editingControl_->setHidden(!showsEditingControl);
    editingControl_->setBackgroundColor(editingStyle_ == UITableViewCellEditingStyleInsert
                                            ? UIColor::colorWithRed(0.3, 0.85, 0.39, 1)
                                            : UIColor::colorWithRed(1, 0.23, 0.19, 1));
    editingControl_->setFrame(CGRectMake(kEditingControlX, (h - kEditingControlSize) / 2,
                                         kEditingControlSize, kEditingControlSize));
  }

  const bool showsReorder = editing_ && showsReorderControl_;
  if (showsReorder && !reorderControl_) {
    reorderControl_ = namedView("UITableViewCellReorderControl", CGRectZero);
    auto pan = std::make_shared<UIPanGestureRecognizer>();
    pan->addTarget([grab = std::make_shared<CGFloat>(0)](const auto& recognizer) {
      handleReorderPan(recognizer, grab);
    });
    reorderControl_->addGestureRecognizer(pan);
    addSubview(reorderControl_);
  }
  if (reorderControl_) {
    reorderControl_->setHidden(!showsReorder);
    reorderControl_->setFrame(
        CGRectMake(b.width() - kReorderControlWidth, 0, kReorderControlWidth, h));
    if (showsReorder) right -= kReorderControlWidth;
  }

  const auto& accessory = accessoryView_ ? accessoryView_ : standardAccessory_;
  if (accessory) {
    accessory->setHidden(editing_);
    const CGSize size = accessory->bounds().size;
    const CGFloat x = right - kMargin - size.width;
    accessory->setFrame(CGRectMake(x - shift, (h - size.height) / 2, size.width, size.height));
    if (!editing_) right = x - kAccessoryGap;
  }

  contentView_->setFrame(CGRectMake(left - shift, 0, std::max(0.0, right - left), h));
  if (deleteButton_) {
    deleteButton_->setFrame(CGRectMake(b.width() - shift, 0, shift, h));
    bringSubviewToFront(deleteButton_);
  }
  const CGFloat lineX = separatorInset_.left;
  separator_->setFrame(CGRectMake(lineX, h - kSeparatorHeight,
                                  std::max(0.0, b.width() - lineX - separatorInset_.right),
                                  kSeparatorHeight));
  layoutLabels(contentView_->bounds());
}

void UITableViewCell::layoutLabels(const CGRect& content) {
  const CGFloat h = content.height();
  CGFloat x = kMargin + static_cast<CGFloat>(indentationLevel_) * indentationWidth_;
  const CGFloat right = content.width() - kMargin;
  if (imageView_) {
    const auto image = imageView_->image();
    const CGSize size = image ? CGSizeMake(image->width(), image->height()) : CGSizeZero;
    imageView_->setFrame(CGRectMake(x, (h - size.height) / 2, size.width, size.height));
    if (image) x += size.width + kMargin;
  }
  const CGFloat room = std::max(0.0, right - x);
  const CGSize text = textLabel_ ? textLabel_->sizeThatFits({room, 0}) : CGSizeZero;
  const CGSize detail = detailTextLabel_ ? detailTextLabel_->sizeThatFits({room, 0}) : CGSizeZero;
  const auto place = [](const std::shared_ptr<UILabel>& label, const CGRect& frame) {
    if (label) label->setFrame(frame);
  };
  switch (style_) {
    case UITableViewCellStyleDefault:
      place(textLabel_, CGRectMake(x, 0, room, h));
      break;
    case UITableViewCellStyleValue1: {
      const CGFloat dw = std::min(detail.width, room);
      place(detailTextLabel_, CGRectMake(right - dw, (h - detail.height) / 2, dw, detail.height));
      const CGFloat tw = dw > 0 ? std::max(0.0, room - dw - kAccessoryGap) : room;
      place(textLabel_,
            CGRectMake(x, (h - text.height) / 2, std::min(text.width, tw), text.height));
      break;
    }
    case UITableViewCellStyleValue2: {
      place(textLabel_, CGRectMake(x, (h - text.height) / 2, kValue2TitleWidth, text.height));
      const CGFloat dx = x + kValue2TitleWidth + kValue2Gap;
      place(detailTextLabel_,
            CGRectMake(dx, (h - detail.height) / 2, std::max(0.0, right - dx), detail.height));
      break;
    }
    case UITableViewCellStyleSubtitle: {
      const CGFloat top = (h - text.height - detail.height) / 2;
      place(textLabel_, CGRectMake(x, top, room, text.height));
      place(detailTextLabel_, CGRectMake(x, top + text.height, room, detail.height));
      break;
    }
  }
}

}  // namespace host

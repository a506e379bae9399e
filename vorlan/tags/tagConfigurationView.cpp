#include "tags/tagConfigurationView.h"

#include <algorithm>

#include "foundation/NSString.h"
#include "runtime/HostClass.h"
#include "store/HexColors.h"
#include "store/VLPreferencesManager.h"
#include "tags/tagColorView.h"
#include "uikit/CALayer.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"
#include "uikit/UITextField.h"

namespace vorlan {

namespace {

constexpr host::CGFloat kPickerSize = 165;
constexpr host::CGFloat kPickerTop = 10;
constexpr host::CGFloat kGap = 10;
constexpr host::CGFloat kStripHeight = 35;
constexpr host::CGFloat kButtonHeight = 35;
constexpr host::CGFloat kButtonsAboveBottom = 45;
constexpr double kFontSize = 18;

}  // namespace

HOST_CLASS(tagConfigurationView, host::UIView)

tagConfigurationView::tagConfigurationView(host::Class* cls) : host::UIView(cls) {}

std::shared_ptr<tagConfigurationView> tagConfigurationView::make(const host::CGRect& frame) {
  auto view = std::make_shared<tagConfigurationView>();
  view->initWithFrame(frame);
  return view;
}

void tagConfigurationView::initWithFrame(const host::CGRect& frame) {
  setFrame(frame);
  setBackgroundColor(host::UIColor::clearColor());

  colorView_ = tagColorView::make({0, 0, kPickerSize, kPickerSize});
  addSubview(colorView_);

  textFieldContainer_ = std::make_shared<host::UIView>();
  textFieldContainer_->setBackgroundColor(host::UIColor::whiteColor());
  textFieldContainer_->layer()->setBorderWidth(0.5);
  textFieldContainer_->layer()->setBorderColor(host::UIColor::blackColor());
  addSubview(textFieldContainer_);

  label_ = std::make_shared<host::UILabel>();
  label_->setText("Name:");
  label_->setTextColor(host::UIColor::blackColor());
  label_->setFont(host::UIFont::systemFontOfSize(kFontSize));
  textFieldContainer_->addSubview(label_);

  field_ = std::make_shared<host::UITextField>();
  field_->setTextColor(host::UIColor::blackColor());
  field_->setFont(host::UIFont::systemFontOfSize(kFontSize));
  field_->setAccessibilityLabel("Tag name");
  auto self = std::static_pointer_cast<tagConfigurationView>(shared_from_this());
  field_->setDelegate(std::shared_ptr<host::UITextFieldDelegate>(self, self.get()));
  textFieldContainer_->addSubview(field_);

  cancel_ = makeButton("Cancel", host::UIColor::colorWithRed(1, 100.0 / 255, 100.0 / 255, 1),
                       &tagConfigurationView::cancelClicked);
  confirm_ =
      makeButton("Save", host::UIColor::colorWithRed(190.0 / 255, 190.0 / 255, 190.0 / 255, 1),
                 &tagConfigurationView::confirmClicked);
}

std::shared_ptr<host::UIButton> tagConfigurationView::makeButton(
    const char* title, std::shared_ptr<host::UIColor> background,
    void (tagConfigurationView::*action)()) {
  auto button = host::UIButton::buttonWithType(host::UIButtonTypeCustom);
  button->setTitle(std::string(title), host::UIControlStateNormal);
  button->setTitleColor(host::UIColor::whiteColor(), host::UIControlStateNormal);
  button->setBackgroundColor(std::move(background));
  button->layer()->setCornerRadius(6);
  std::weak_ptr<tagConfigurationView> weakSelf =
      std::static_pointer_cast<tagConfigurationView>(shared_from_this());
  button->addTarget(
      shared_from_this(),
      [weakSelf, action] {
        if (auto self = weakSelf.lock()) ((*self).*action)();
      },
      host::UIControlEventTouchUpInside);
  addSubview(button);
  return button;
}

void tagConfigurationView::layoutSubviewsImpl() {
  const host::CGFloat w = bounds().width();
  const host::CGFloat h = bounds().height();
  colorView_->setFrame({(w - kPickerSize) / 2, kPickerTop, kPickerSize, kPickerSize});

  const host::CGFloat stripY = kPickerTop + kPickerSize + kGap;
  textFieldContainer_->setFrame({-2, stripY, w + 4, kStripHeight});
  label_->sizeToFit();
  const host::CGSize labelSize = label_->frame().size;
  label_->setFrame(
      {kGap, (kStripHeight - labelSize.height) / 2, labelSize.width, labelSize.height});
  const host::CGFloat fieldX = kGap + labelSize.width + kGap;
  field_->setFrame({fieldX, 0, std::max<host::CGFloat>(0, w + 4 - fieldX - kGap), kStripHeight});

  const host::CGFloat buttonWidth = w * 0.4;
  const host::CGFloat margin = w * 20 / 300;
  const host::CGFloat buttonY = h - kButtonsAboveBottom;
  cancel_->setFrame({margin, buttonY, buttonWidth, kButtonHeight});
  confirm_->setFrame({margin + buttonWidth + margin, buttonY, buttonWidth, kButtonHeight});
}

bool tagConfigurationView::textFieldShouldReturn(host::UITextField& field) {
  field.resignFirstResponder();
  return true;
}

void tagConfigurationView::confirmClicked() {
  const std::string name = field_->text();
  if (name.empty()) return;
  auto manager = VLPreferencesManager::sharedInstance();
  const bool onlyCaseChanged =
      host::NSString::lowercaseString(name) == host::NSString::lowercaseString(originalName_);
  if (!onlyCaseChanged && manager->isTagNameToken(name)) {
    host::UIAlertView::alert(kErrorTitle, kNameTakenMessage, "OK")->show();
    return;
  }
  manager->saveChangesInTag(originalName_, name, colorView_->selectedFillColor(),
                            colorView_->selectedBorderColor());
  if (reload_) reload_();
  cancelClicked();
}

void tagConfigurationView::cancelClicked() {
  if (field_->isEditing()) field_->resignFirstResponder();
  if (close_) close_();
}

}  // namespace vorlan

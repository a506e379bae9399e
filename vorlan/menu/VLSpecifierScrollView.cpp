#include "menu/VLSpecifierScrollView.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "folders/folderSkyView.h"
#include "menu/VLButtonSpecifier.h"
#include "menu/VLSpecifierScrollViewMethods.h"
#include "panels/Stage.h"
#include "positions/positionSkyView.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "store/SettingsValues.h"
#include "store/VLPreferencesManager.h"
#include "store/stringConverter.h"
#include "tags/tagsSkyView.h"
#include "uikit/CALayer.h"
#include "uikit/UIApplication.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"
#include "uikit/UILabel.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UIWindow.h"

namespace vorlan {

using Methods = host::MethodsOf<VLSpecifierScrollView>;

HOST_CLASS_WITH(VLSpecifierScrollView, VLScrollView, [](host::Class* menuClass) {
  // The passcode gate sends these by name once the passcode is right.
  host::define<Methods::EnabledAutenticated>(menuClass, [](host::Object* self) {
    if (auto* menu = dynamic_cast<VLSpecifierScrollView*>(self)) menu->enabledAutenticated();
  });
  host::define<Methods::PasscodeAutenticated>(menuClass, [](host::Object* self) {
    if (auto* menu = dynamic_cast<VLSpecifierScrollView*>(self)) menu->passcodeAutenticated();
  });
})

namespace {

constexpr const char* kIconDirectory = "/Library/Application Support/Vorlan3/specifier_settings/";
#define VL_PREVIEW "/Library/Application Support/Vorlan3/specifier_settings/preview/"

struct ButtonContent {
  const char* title;
  const char* icon;
  const char* help;
};

// Top to bottom, in the order of VLSpecifierScrollView::Button.
constexpr ButtonContent kButtons[] = {
    {"Enable", "enable_icon.png",
     "Enable or disable the cell that you have selected. By disabling it you and other persons "
     "that have access to your phone can't display the settings of the cell, while enabling it "
     "allow you to access the settings of the cell. \n\n<image>" VL_PREVIEW
     "enabled_preview.png</image>\n\n If a cell is disabled the background color of cell will be "
     "gray. \n\n<image>" VL_PREVIEW
     "disabled_preview.png</image>\n\n In order to active or disactive this option a passcode is "
     "required if you had set one."},
    {"Passcode", "passcode_locked_icon.png",
     "Enable or disable the passcode autorization to access the settings of cell that you have "
     "selected. By enabling it only you and other friends that know your passcode can access the "
     "settings of the cell. By default this property is disabled. When clicking a potected cell a "
     "popup like this \n\n<image>" VL_PREVIEW
     "passcode_preview.png</image>\n\n will appear so you can type your passcode. To change "
     "passcode go to Vorlan's main settings."},
    {"Tag", "tag_icon.png",
     "Assign tag to a cell is very simple. First of all assiging a tag means that you can easily "
     "access settings with the same tag all in one place. When clicking 'Tag' in the right menu a "
     "popup like this \n\n<image>" VL_PREVIEW
     "tag_preview.png</image>\n\n will appear. Then just press a tag to the list in the bottom of "
     "the popup to add it. If you want to remove a tag click the 'x' button in the top container "
     "of the popup. If you want to add more tags go to Vorlan's main settigs. After you set a tag "
     "click 'Settings' label at the top of the Settings app to show settings with the similar tag "
     "you have selected \n\n<image>" VL_PREVIEW "tag_preview.png</image>"},
    {"Folder", "folder_icon.png",
     "With 'Vorlan' you can add settings to custom folder.\n\n<image>" VL_PREVIEW
     "folder_preview.png</image>\n\nYou can select one in this way."},
    {"Hide", "visibility_icon.png",
     "You can hide a preference cell by tapping on 'Hide' button. If you want to show it again to "
     "the main 'Vorlan' settings page by tapping on the gear at the top right of the Settings app "
     "then click 'Hidden' to manage your hidden cells."},
    {"Remove", "remove_icon.png", "By clicking on 'Remove' you will remove temporaly that cell."},
    {"Position", "position_icon.png",
     "With 'Vorlan' you can change the position of every preference cell.\n\n<image>" VL_PREVIEW
     "position_preview.png</image>\n\nYou can do it in this way."},
};
#undef VL_PREVIEW
static_assert(std::size(kButtons) == VLSpecifierScrollView::Count);

// A menu icon, drawn in the button's tint. A missing file gives no image: the button then shows
// its title alone.
std::shared_ptr<host::UIImage> icon(const char* file) {
  auto image = host::UIImage::imageWithContentsOfFile(std::string(kIconDirectory) + file);
  return image ? image->imageWithRenderingMode(host::UIImageRenderingMode::AlwaysTemplate)
               : nullptr;
}

// A cell's own enabled state as its page shows it: enabled unless marked otherwise.
bool isEnabled(const host::PSSpecifier& specifier) {
  return SettingsValues::flag(specifier.propertyForKey("enabled")).value_or(true);
}

// The header of the group a cell sits in: the nearest group specifier before it. Nothing for a
// cell of the headerless first group or a cell not on the page.
std::shared_ptr<host::PSSpecifier> groupHeaderOf(host::PSListController& page,
                                                 const std::shared_ptr<host::PSSpecifier>& cell) {
  const auto& specifiers = page.specifiers();
  auto at = std::find(specifiers.begin(), specifiers.end(), cell);
  while (at != specifiers.end() && at != specifiers.begin()) {
    --at;
    if ((*at)->isGroup()) return *at;
  }
  return nullptr;
}

bool hasHeaderCell(const host::PSSpecifier& specifier) {
  return !specifier.propertyForKey("headerCell").isNone() || specifier.objectForKey("headerCell");
}

// Whether a group header has no cells after it: the page ends there, or the next group begins
// and does not carry a header view of its own.
bool isEmptyGroup(host::PSListController& page, const std::shared_ptr<host::PSSpecifier>& header) {
  const auto& specifiers = page.specifiers();
  auto at = std::find(specifiers.begin(), specifiers.end(), header);
  if (at == specifiers.end()) return false;
  ++at;
  return at == specifiers.end() || ((*at)->isGroup() && !hasHeaderCell(**at));
}

float keyWindowWidth() {
  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  return window ? static_cast<float>(window->bounds().size.width) : 0.0f;
}

}  // namespace

VLSpecifierScrollView::VLSpecifierScrollView(host::Class* cls) : VLScrollView(cls) {}

std::shared_ptr<VLSpecifierScrollView> VLSpecifierScrollView::make(const host::CGRect& frame) {
  auto menu = std::make_shared<VLSpecifierScrollView>();
  menu->initWithFrame(frame);
  return menu;
}

std::shared_ptr<host::UIFont> VLSpecifierScrollView::defaultFont() {
  return host::UIFont::systemFontOfSize(15);
}

std::shared_ptr<host::UIColor> VLSpecifierScrollView::defaultTextColor() {
  return host::UIColor::colorWithWhite(0.2, 0.9);
}

void VLSpecifierScrollView::initWithFrame(const host::CGRect& frame) {
  VLScrollView::initWithFrame(frame);
  const double width = frame.size.width;
  const double height = frame.size.height;
  canSegue_ = true;
  separatorColor_ = host::UIColor::colorWithWhite(1, 0.3);

  error_ = std::make_shared<host::UILabel>();
  error_->setFrame({{0, 0}, {width, height}});
  // Named so that the fade-in leaves it alone: it shows exactly when the buttons do not.
  error_->layer()->setName("error");
  error_->setText(kErrorText);
  error_->setTextColor(host::UIColor::colorWithWhite(1, 0.6));
  error_->setTextAlignment(host::NSTextAlignment::Center);
  error_->setFont(host::UIFont::systemFontOfSize(25));
  error_->setNumberOfLines(0);
  addSubview(error_);

  icons_ = {icon("enable_icon.png"), icon("disable_icon.png"), icon("passcode_locked_icon.png"),
            icon("passcode_unlocked_icon.png")};
  const float rowHeight = static_cast<float>(height) / 8;
  for (std::size_t i = 0; i < Count; ++i) {
    const double y = -2.0 + static_cast<double>(static_cast<float>(i) * rowHeight);
    addButton(static_cast<Button>(i), {{0, y}, {width, rowHeight}});
  }
}

void VLSpecifierScrollView::addButton(Button which, const host::CGRect& frame) {
  const ButtonContent& content = kButtons[which];
  auto button = VLButtonSpecifier::make(frame);
  button->setSeparatorColor(separatorColor_);
  button->setSeparatorHeight(1);
  button->setSeparatorLeftOffset(15);
  button->setSeparatorRightOffset(15);
  if (which == Position) {
    button->setShowBorders(false);
  } else {
    button->setShowBorder(true, 1);
  }
  button->setTitle(content.title);
  button->setAccessibilityLabel(content.title);
  button->setInfoAttributedText(stringConverter::setText(content.help, button->infoViewWidth(),
                                                         defaultFont(), defaultTextColor(),
                                                         host::NSTextAlignment::Left));
  button->setImage(icon(content.icon));

  // The button is owned by the menu, so the action holds the menu weakly.
  std::weak_ptr<VLSpecifierScrollView> weakSelf =
      std::static_pointer_cast<VLSpecifierScrollView>(shared_from_this());
  static constexpr void (VLSpecifierScrollView::*kActions[])() = {
      &VLSpecifierScrollView::enabledClicked, &VLSpecifierScrollView::passcodeClicked,
      &VLSpecifierScrollView::tagClicked,     &VLSpecifierScrollView::folderClicked,
      &VLSpecifierScrollView::hideClicked,    &VLSpecifierScrollView::removeClicked,
      &VLSpecifierScrollView::positionClicked};
  button->setTarget([weakSelf, action = kActions[which]] {
    if (auto self = weakSelf.lock()) ((*self).*action)();
  });
  buttons_[which] = button;
  addSubview(button);
}

void VLSpecifierScrollView::setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                                         std::shared_ptr<host::UITableViewCell> cell,
                                         std::shared_ptr<host::PSListController> controller) {
  spec_ = std::move(specifier);
  cell_ = std::move(cell);
  controller_ = std::move(controller);

  if (!spec_ || spec_->identifier().empty()) {
    canSegue_ = false;
    resetViewsForAnimation();
    error_->setAlpha(1);
    return;
  }
  canSegue_ = true;
  error_->setAlpha(0);

  setEnableTitle(isEnabled(*spec_));
  buttons_[Passcode]->setImage(isLocked() ? icons_.unlocked : icons_.locked);
}

void VLSpecifierScrollView::setEnableTitle(bool enabled) {
  // The button offers the change: an enabled cell can be disabled, and the other way round.
  const char* title = enabled ? "Disable" : "Enable";
  auto& button = buttons_[Enable];
  if (button->getLabel()->text() != title) {
    button->setTitle(title);
    button->setAccessibilityLabel(title);
  }
  button->setImage(enabled ? icons_.disable : icons_.enable);
}

bool VLSpecifierScrollView::isShow() const {
  for (const auto& button : buttons_) {
    if (button->isShow()) return true;
  }
  return tagsSky_ && tagsSky_->isShow();
}

void VLSpecifierScrollView::animatedViewsForAnimationWithDuration(float duration, float delay) {
  if (!canSegue_) return;
  VLScrollView::animatedViewsForAnimationWithDuration(duration, delay);
}

bool VLSpecifierScrollView::actionAllowed(Button which) const {
  return !buttons_[which]->isShow() && canSegue_ && spec_ && controller_;
}

void VLSpecifierScrollView::requirePasscode(Button which, const char* method) {
  const auto& button = buttons_[which];
  // m: from the centre of the button's icon to the button's right edge.
  const host::CGRect image = button->imageFrame();
  const float m = static_cast<float>(button->frame().size.width) -
                  static_cast<float>(image.origin.x + image.size.width / 2);
  const float buttonHeight = static_cast<float>(button->frame().size.height);
  const host::CGRect toRect{{keyWindowWidth() - 2 * m + 4, -buttonHeight / 2 - 10},
                            {2 * m - 10, static_cast<float>(frame().size.height) / 2}};
  // Outside the Settings app's pages (no gate added) nothing protected can change.
  if (!host::respondsToSelector(controller_.get(),
                                Methods::PasscodeRequiredToChangeSettings::selector))
    return;
  host::send<Methods::PasscodeRequiredToChangeSettings>(
      controller_, std::static_pointer_cast<host::UIView>(button), toRect, host::Selector(method));
}

void VLSpecifierScrollView::enabledClicked() {
  if (!actionAllowed(Enable)) return;
  requirePasscode(Enable, "enabledAutenticated");
}

void VLSpecifierScrollView::passcodeClicked() {
  if (!actionAllowed(Passcode)) return;
  requirePasscode(Passcode, "passcodeAutenticated");
}

void VLSpecifierScrollView::enabledAutenticated() {
  if (!canSegue_ || !spec_ || !controller_) return;
  const bool enabled = !isEnabled(*spec_);
  spec_->setProperty(host::Plist::boolean(enabled), "enabled");
  VLPreferencesManager::sharedInstance()->saveSpecifier(
      *spec_, host::Plist::boolean(enabled), "enabled", spec_->identifier(), controller_);
  controller_->reloadSpecifier(spec_);
  if (cell_) cell_->setUserInteractionEnabled(true);
  closeSidePage();
}

// Protected as a tap on the row finds it: on the main list and a folder page the flag may be
// stored under the other of the two, where it was last saved.
bool VLSpecifierScrollView::isLocked() const {
  const auto manager = VLPreferencesManager::sharedInstance();
  const std::string page = controller_->className();
  if (page == VLPreferencesManager::kMainListKey || page == VLPreferencesManager::kFolderPageKey)
    return manager->isRowProtected(*spec_, controller_, page == VLPreferencesManager::kMainListKey);
  return manager->isSpecifierProtectedByPasscode(*spec_, controller_);
}

void VLSpecifierScrollView::passcodeAutenticated() {
  if (!canSegue_ || !spec_ || !controller_) return;
  auto manager = VLPreferencesManager::sharedInstance();
  manager->saveSpecifier(*spec_, host::Plist::integer(isLocked() ? 0 : 1), "passcode",
                         spec_->identifier(), controller_);
  closeSidePage();
}

host::CGRect VLSpecifierScrollView::panelRect(Button which) const {
  const auto& button = buttons_[which];
  const host::CGRect image = button->imageFrame();
  const float m = static_cast<float>(button->frame().size.width) -
                  static_cast<float>(image.origin.x + image.size.width / 2);
  const float buttonHeight = static_cast<float>(button->frame().size.height);
  return {{keyWindowWidth() - 2 * m + 4, -buttonHeight / 2 - 10},
          {2 * m - 10, static_cast<float>(frame().size.height) / 2}};
}

template <class Panel>
void VLSpecifierScrollView::openPanel(std::shared_ptr<Panel>& panel, Button which,
                                      const host::CGRect& to) {
  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  const auto pageView = controller_ ? controller_->view() : nullptr;
  if (!window || !pageView) return;
  const host::CGRect frame{{0, 0}, pageView->frame().size};
  if (!panel) {
    panel = Panel::make(frame);
  } else {
    panel->setFrame(frame);
  }
  panel->setSpecifier(spec_, controller_);
  window->addSubview(panel);
  panel->showFromRect(buttons_[which]->frame(), to);
  window->bringSubviewToFront(panel);
}

void VLSpecifierScrollView::tagClicked() {
  if (!actionAllowed(Tag)) return;
  openPanel(tagsSky_, Tag, panelRect(Tag));
}

void VLSpecifierScrollView::folderClicked() {
  if (!actionAllowed(Folder)) return;
  openPanel(folderSky_, Folder, panelRect(Folder));
}

void VLSpecifierScrollView::positionClicked() {
  if (!actionAllowed(Position)) return;
  // The balloon hangs from the button as the others do, a little lower and taller.
  host::CGRect to = panelRect(Position);
  to.origin.y += 5;
  to.size.height += 40;
  openPanel(positionSky_, Position, to);
}

void VLSpecifierScrollView::hideClicked() {
  if (!actionAllowed(Hide)) return;
  VLPreferencesManager::sharedInstance()->saveSpecifier(*spec_, host::Plist::boolean(true),
                                                        "hidden", spec_->identifier(), controller_);
  removeCell(true);
}

void VLSpecifierScrollView::removeClicked() {
  if (!actionAllowed(Remove)) return;
  removeCell(false);
}

void VLSpecifierScrollView::removeCell(bool recordHidden) {
  const auto header = groupHeaderOf(*controller_, spec_);
  controller_->removeSpecifier(spec_, true);
  // A group left without cells goes too, unless the next group carries a header cell. Other
  // groups of the page are not the menu's: an empty one there (a spacer, a footer) stays.
  if (header && isEmptyGroup(*controller_, header)) {
    if (recordHidden) {
      VLPreferencesManager::sharedInstance()->saveSpecifier(
          *header, host::Plist::boolean(true), "hidden", header->identifier(), controller_);
    }
    controller_->removeSpecifier(header, true);
  }
  closeSidePage();
}

void VLSpecifierScrollView::closeSidePage() {
  if (auto* stage = Stage::current()) stage->closeSidePage();
}

}  // namespace vorlan

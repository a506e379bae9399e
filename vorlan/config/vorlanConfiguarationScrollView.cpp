#include "config/vorlanConfiguarationScrollView.h"

#include <iterator>
#include <optional>

#include "config/disabledSkyView.h"
#include "config/hiddenSkyView.h"
#include "folders/folderSkyView.h"
#include "info/infoSkyView.h"
#include "menu/VLButtonSpecifier.h"
#include "panels/passcodeSkyView.h"
#include "positions/positionConfigurationSkyView.h"
#include "runtime/HostClass.h"
#include "tags/tagsConfigurationSkyView.h"
#include "uikit/UIApplication.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"
#include "uikit/UILabel.h"
#include "uikit/UIViewController.h"
#include "uikit/UIWindow.h"

namespace vorlan {

HOST_CLASS(vorlanConfiguarationScrollView, VLScrollView)

namespace {

constexpr const char* kEntryIcon = "/Library/Application Support/Vorlan3/main_images/dot.png";

// Top to bottom, in the order of vorlanConfiguarationScrollView::Entry.
constexpr const char* kEntryTitles[] = {"Hidden",   "Passcode", "Tags", "Folders",
                                        "Position", "Disabled", "Info"};
static_assert(std::size(kEntryTitles) == vorlanConfiguarationScrollView::Count);

using Action = void (vorlanConfiguarationScrollView::*)();
constexpr Action kEntryActions[] = {&vorlanConfiguarationScrollView::hiddenClicked,
                                    &vorlanConfiguarationScrollView::passcodeClicked,
                                    &vorlanConfiguarationScrollView::tagsClicked,
                                    &vorlanConfiguarationScrollView::foldersClicked,
                                    &vorlanConfiguarationScrollView::positionClicked,
                                    &vorlanConfiguarationScrollView::disabledClicked,
                                    &vorlanConfiguarationScrollView::creditClicked};
static_assert(std::size(kEntryActions) == vorlanConfiguarationScrollView::Count);

// Where a panel opens: over the key window, covering the area of the app's root view (the whole
// window while the app has no root view).
struct Opening {
  std::shared_ptr<host::UIWindow> window;
  host::CGRect area;
};

std::optional<Opening> opening() {
  auto window = host::UIApplication::sharedApplication()->keyWindow();
  if (!window) return std::nullopt;
  host::CGSize size = window->bounds().size;
  const auto root = std::dynamic_pointer_cast<host::UIViewController>(window->rootViewController());
  if (root && root->isViewLoaded()) size = root->view()->frame().size;
  return Opening{std::move(window), {{0, 0}, size}};
}

// The panel in `slot`, made over `area` the first time and only re-framed later, so that it
// keeps its state between openings.
template <class Panel, class Make>
const std::shared_ptr<Panel>& panelOver(std::shared_ptr<Panel>& slot, const host::CGRect& area,
                                        Make make) {
  if (!slot) {
    slot = make(area);
  } else {
    slot->setFrame(area);
  }
  return slot;
}

std::shared_ptr<passcodeSkyView> setPasscodeKeypad(const host::CGRect& area) {
  return passcodeSkyView::make(area, 1);
}

std::shared_ptr<passcodeSkyView> checkPasscodeKeypad(const host::CGRect& area) {
  return passcodeSkyView::make(area, 0);
}

}  // namespace

vorlanConfiguarationScrollView::vorlanConfiguarationScrollView(host::Class* cls)
    : VLScrollView(cls) {}

std::shared_ptr<vorlanConfiguarationScrollView> vorlanConfiguarationScrollView::make(
    const host::CGRect& frame) {
  auto page = std::make_shared<vorlanConfiguarationScrollView>();
  page->initWithFrame(frame);
  return page;
}

void vorlanConfiguarationScrollView::initWithFrame(const host::CGRect& frame) {
  VLScrollView::initWithFrame(frame);
  const double width = frame.size.width;
  title_ = std::make_shared<host::UILabel>();
  title_->setFrame(host::CGRectMake(5, 20, width - 10, 60));
  title_->setText(kTitle);
  title_->setFont(host::UIFont::systemFontOfSize(42));
  // A narrow screen shrinks the title rather than cutting it.
  title_->setAdjustsFontSizeToFitWidth(true);
  title_->setMinimumScaleFactor(0.2);
  title_->setTextColor(host::UIColor::colorWithWhite(1, 0.8));
  title_->setTextAlignment(host::NSTextAlignment::Center);
  addSubview(title_);

  // The entries overlap the title's bottom by two points, and each other not at all.
  const double top = title_->frame().origin.y + title_->frame().size.height - 2;
  for (std::size_t i = 0; i < Count; ++i) {
    addEntry(static_cast<Entry>(i),
             {{0, top + kEntryHeight * static_cast<double>(i)}, {width, kEntryHeight}});
  }
  // Everything starts transparent; showing the page fades it in.
  resetViewsForAnimation();
}

void vorlanConfiguarationScrollView::addEntry(Entry which, const host::CGRect& frame) {
  auto entry = VLButtonSpecifier::make(frame);
  // The entries say what they open; they have no help to show.
  entry->setWantsInfo(false);
  entry->setSeparatorColor(host::UIColor::colorWithWhite(1, 0.3));
  entry->setSeparatorHeight(1);
  entry->setSeparatorLeftOffset(20);
  entry->setSeparatorRightOffset(20);
  entry->setTitleFont(host::UIFont::systemFontOfSize(22));
  // A line under every entry but the last.
  if (which + 1 == Count) {
    entry->setShowBorders(false);
  } else {
    entry->setShowBorder(true, VLSpecifier::kBottomBorder);
  }
  entry->setTitle(kEntryTitles[which]);
  entry->setAccessibilityLabel(kEntryTitles[which]);
  if (auto icon = host::UIImage::imageWithContentsOfFile(kEntryIcon)) {
    entry->setImage(icon->imageWithRenderingMode(host::UIImageRenderingMode::AlwaysTemplate));
  }
  // The page owns its entries, so their actions hold it weakly.
  std::weak_ptr<vorlanConfiguarationScrollView> weakSelf =
      std::static_pointer_cast<vorlanConfiguarationScrollView>(shared_from_this());
  entry->setTarget([weakSelf, action = kEntryActions[which]] {
    if (auto self = weakSelf.lock()) ((*self).*action)();
  });
  entries_[which] = entry;
  addSubview(entry);
}

host::CGRect vorlanConfiguarationScrollView::placementFor(Entry which, float areaWidth) const {
  const float pageWidth = static_cast<float>(frame().size.width);
  const float width = which == Credit ? pageWidth : pageWidth - 20;
  const float entryHeight = static_cast<float>(entries_[which]->frame().size.height);
  const float scrolled = static_cast<float>(contentOffset().y);
  return {{(areaWidth - width) / 2, -4 - entryHeight / 2 - scrolled},
          {width, static_cast<float>(frame().size.height) / 2}};
}

void vorlanConfiguarationScrollView::present(const std::shared_ptr<skyView>& panel, Entry which) {
  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  if (!window) return;
  window->addSubview(panel);
  panel->showFromRect(entries_[which]->frame(),
                      placementFor(which, static_cast<float>(panel->frame().size.width)));
  window->bringSubviewToFront(panel);
}

void vorlanConfiguarationScrollView::hiddenClicked() {
  const auto at = opening();
  if (!at) return;
  present(panelOver(hiddenSky_, at->area, hiddenSkyView::make), Hidden);
}

void vorlanConfiguarationScrollView::passcodeClicked() {
  const auto at = opening();
  if (!at) return;
  const auto& keypad = panelOver(passcodeSky_, at->area, setPasscodeKeypad);
  keypad->setShowLabels(false);
  present(keypad, Passcode);
}

void vorlanConfiguarationScrollView::tagsClicked() {
  const auto at = opening();
  if (!at) return;
  present(panelOver(tagsSkyView_, at->area, tagsConfigurationSkyView::make), Tags);
}

void vorlanConfiguarationScrollView::foldersClicked() {
  const auto at = opening();
  if (!at) return;
  // Opened from here the picker files no cell: it creates, personalizes, deletes and resets
  // folders.
  const auto& picker = panelOver(folderSky_, at->area, folderSkyView::make);
  picker->setEditable(true);
  present(picker, Folders);
}

void vorlanConfiguarationScrollView::positionClicked() {
  const auto at = opening();
  if (!at) return;
  present(panelOver(positionSky_, at->area, positionConfigurationSkyView::make), Position);
}

void vorlanConfiguarationScrollView::creditClicked() {
  const auto at = opening();
  if (!at) return;
  present(panelOver(infoSky_, at->area, infoSkyView::make), Credit);
}

void vorlanConfiguarationScrollView::disabledClicked() {
  const auto at = opening();
  if (!at) return;
  const auto& keypad = panelOver(disabledPasscode_, at->area, checkPasscodeKeypad);
  keypad->setShowLabels(false);
  const host::CGRect to = placementFor(Disabled, static_cast<float>(at->area.size.width));
  at->window->addSubview(keypad);
  // The keypad keeps its callback, and the page keeps the keypad: the callback holds the page
  // weakly. It runs as the keypad closes on the right passcode, with the placement of the tap.
  std::weak_ptr<vorlanConfiguarationScrollView> weakSelf =
      std::static_pointer_cast<vorlanConfiguarationScrollView>(shared_from_this());
  keypad->showFromRect(entries_[Disabled]->frame(), to, [weakSelf, to] {
    auto self = weakSelf.lock();
    const auto now = opening();
    if (!self || !now) return;
    const auto& list = panelOver(self->disabledSky_, now->area, disabledSkyView::make);
    now->window->addSubview(list);
    list->showFromRect(self->entries_[Disabled]->frame(), to);
    now->window->bringSubviewToFront(list);
  });
  at->window->bringSubviewToFront(keypad);
}

}  // namespace vorlan

#include "hooks/catogoriesListView.h"

#include <algorithm>

#include "foundation/Log.h"
#include "hooks/MainListStage.h"
#include "hooks/OffscreenPage.h"
#include "hooks/Vorlan3+MainList.h"
#include "hooks/Vorlan3+Pages.h"
#include "hooks/Vorlan3+TagView.h"
#include "panels/shapeSkyView.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesAppController.h"
#include "runtime/HostClass.h"
#include "store/VLPreferencesManager.h"
#include "tags/tagView.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"
#include "uikit/UILabel.h"
#include "uikit/UIScreen.h"
#include "uikit/UIScrollView.h"

namespace vorlan {

namespace {

constexpr const char* kMainListKey = "PSUIPrefsListController";
constexpr const char* kFolderKey = "folderController";
constexpr const char* kAppKey = "PSAppListController";
// Pages whose cells cannot be rebuilt away from the screen.
constexpr std::string_view kExcluded[] = {"DisplayController", "PSUIDisplayController",
                                          "AAUIMainSettingsViewController"};

bool isExcluded(std::string_view key) {
  return std::find(std::begin(kExcluded), std::end(kExcluded), key) != std::end(kExcluded);
}

// An app page's bundle key: the controller key, or "PSAppListController-<n>".
bool isAppBundleKey(std::string_view key) {
  return key == kAppKey || (key.size() > std::string_view(kAppKey).size() + 1 &&
                            key.starts_with(std::string(kAppKey) + "-"));
}

// The identifiers under a page's tag entries that carry `tag`.
std::vector<std::string> carrying(const host::Plist& cells, const std::string& tag) {
  std::vector<std::string> out;
  if (!cells.isDictionary()) return out;
  for (const auto& [identifier, tags] : cells.entries()) {
    if (tags.get(tag).asBoolean().value_or(false)) out.push_back(identifier);
  }
  return out;
}

std::shared_ptr<host::PSSpecifier> titleRow(const host::Plist& record,
                                            const std::shared_ptr<host::Object>& target) {
  auto row = host::PSSpecifier::preferenceSpecifierNamed(OffscreenPage::stringOf(record, "name"),
                                                         target, "", "", nullptr,
                                                         host::PSSpecifier::PSTitleValueCell);
  // Named only: as the page's name it would also be the identifier of the main list's cell of
  // that name, and take on that cell's hidden, disabled and protected state.
  row->setIdentifier("");
  if (const auto* icon = record.get("icon").asData()) {
    const double scale = host::UIScreen::mainScreen()->scale();
    if (auto image = host::UIImage::imageWithData(*icon, scale)) row->setObject(image, "iconImage");
  }
  return row;
}

}  // namespace

HOST_CLASS(catogoriesListView, skyView)

catogoriesListView::catogoriesListView(host::Class* cls) : skyView(cls) {}

std::shared_ptr<catogoriesListView> catogoriesListView::make(const host::CGRect& frame) {
  auto panel = std::make_shared<catogoriesListView>();
  panel->initWithFrame(frame);
  return panel;
}

void catogoriesListView::initWithFrame(const host::CGRect& frame) {
  skyView::initWithFrame(frame);
  scroll_ = std::make_shared<host::UIScrollView>();
  scroll_->setShowsHorizontalScrollIndicator(false);
  scroll_->setShowsVerticalScrollIndicator(false);
  scroll_->setBackgroundColor(host::UIColor::clearColor());
  scroll_->layer()->setMasksToBounds(true);
  scroll_->layer()->setCornerRadius(15);
  scroll_->setScrollEnabled(true);
  shape()->container()->addSubview(scroll_);

  nope_ = std::make_shared<host::UILabel>();
  nope_->setText(kNoTagsText);
  nope_->setTextColor(host::UIColor::colorWithWhite(0.2, 0.9));
  nope_->setTextAlignment(host::NSTextAlignment::Center);
  nope_->setFont(host::UIFont::systemFontOfSize(25));
  scroll_->addSubview(nope_);
}

void catogoriesListView::setController(const std::shared_ptr<host::PSListController>& mainList) {
  controller_ = mainList;
  if (mainList && currentTag_.empty()) originalTitle_ = mainList->title();
}

void catogoriesListView::showFromRect(const host::CGRect& from, const host::CGRect& to) {
  skyView::showFromRect(from, to);
  loadTags();
  layoutRows();
}

void catogoriesListView::loadTags() {
  for (const auto& row : tags_)
    row->removeFromSuperview();
  tags_.clear();

  auto manager = VLPreferencesManager::sharedInstance();
  std::weak_ptr<catogoriesListView> weakSelf =
      std::static_pointer_cast<catogoriesListView>(shared_from_this());
  const auto addRow = [&](const std::string& name, const std::string& fill,
                          const std::string& border) {
    auto row = tagView::make({0, 0, 0, kRowHeight});
    row->setName(name);
    row->setFillHexColor(fill);
    row->setBorderHexColor(border);
    row->setCustomAction([weakSelf](const std::shared_ptr<tagView>& chosen) {
      if (auto self = weakSelf.lock()) self->tagClicked(*chosen);
    });
    scroll_->addSubview(row);
    tags_.push_back(std::move(row));
  };

  const auto title = manager->originalTag();
  addRow(title && !title->empty() ? *title : originalTitle_, "#000000", "#000000");
  const host::Plist table = manager->getTagsDictionary();
  const std::size_t count = table.isDictionary() ? table.size() : 0;
  for (std::size_t i = 0; i < count; ++i) {
    const host::Plist record = table.get(std::to_string(i));
    addRow(OffscreenPage::stringOf(record, "name"), OffscreenPage::stringOf(record, "fill_color"),
           OffscreenPage::stringOf(record, "border_color"));
  }
  nope_->setHidden(count > 0);
}

void catogoriesListView::layoutSubviewsImpl() {
  skyView::layoutSubviewsImpl();
  layoutRows();
}

void catogoriesListView::layoutRows() {
  const host::CGRect bounds = shape()->container()->bounds();
  scroll_->setFrame(bounds);
  nope_->setFrame({{0, 0}, bounds.size});
  for (std::size_t i = 0; i < tags_.size(); ++i) {
    tags_[i]->setFrame({0, kRowHeight * static_cast<double>(i), bounds.size.width, kRowHeight});
  }
  scroll_->setContentSize({bounds.size.width, kRowHeight * static_cast<double>(tags_.size())});
}

void catogoriesListView::tagClicked(const tagView& row) {
  const auto main = controller_.lock();
  if (main) {
    main->setTitle(row.getName());
    // Row 0 is known by its place, not its name: a tag may bear the main list's title.
    if (!tags_.empty() && tags_.front().get() == &row) {
      showFullList(*main);
    } else {
      showTag(*main, row.getName());
    }
  }
  dismissShape(true);
}

bool catogoriesListView::showsFilter(host::PSListController& main) const {
  return !currentTag_.empty() && main.specifiers() == shown_;
}

void catogoriesListView::showFullList(host::PSListController& main) {
  if (currentTag_.empty()) return;
  // A list reloaded since it was filtered already shows its full cells, newer than the copy.
  if (showsFilter(main) && !originals_.empty()) {
    main.replaceContiguousSpecifiers(main.specifiers(), originals_, true);
  }
  currentTag_.clear();
  clearPages();
  shown_.clear();
  originals_.clear();
  host::send<hooks::tagview::SetInTagView>(main.shared_from_this(), false);
  canFetchOriginals_ = true;
}

void catogoriesListView::showTag(host::PSListController& main, const std::string& tag) {
  const bool filtered = showsFilter(main);
  if (tag == currentTag_ && filtered) return;
  currentTag_ = tag;
  host::send<hooks::tagview::SetInTagView>(main.shared_from_this(), true);
  if (canFetchOriginals_ || !filtered) {
    canFetchOriginals_ = false;
    originals_ = main.specifiers();
  }
  // Pages made for an earlier tag are kept: their cells are the ones already shown, and making
  // a page again reads its files again.
  specs_.clear();
  failed_.clear();
  gather(tag);
  main.replaceContiguousSpecifiers(main.specifiers(), filteredList(), true);
  host::send<hooks::pages::SpecifiersLoadedButDontLoadPositions>(main.shared_from_this());
  shown_ = main.specifiers();
}

void catogoriesListView::clearPages() {
  specs_.clear();
  targets_.clear();
  allocated_.clear();
  failed_.clear();
}

std::shared_ptr<host::PSSpecifier> catogoriesListView::specifierForID(
    const std::string& identifier) {
  const auto main = host::PreferencesAppController::rootListController();
  if (!main) return nullptr;
  return host::send<hooks::mainlist::GetOriginalSpecifierByIdentifier>(main, identifier);
}

void catogoriesListView::addSpecifierToDictionary(std::shared_ptr<host::PSSpecifier> cell,
                                                  const std::string& key) {
  specs_[key].push_back(std::move(cell));
}

void catogoriesListView::addEmpySpecifierToArrayIfNecessary(Specifiers& cells) {
  if (!cells.empty() && cells.back() && !cells.back()->isGroup())
    cells.push_back(host::PSSpecifier::emptyGroupSpecifier());
}

void catogoriesListView::gather(const std::string& tag) {
  auto manager = VLPreferencesManager::sharedInstance();
  const host::Plist section = manager->dictionary().get("tag");
  if (!section.isDictionary()) return;
  for (const auto& [key, cells] : section.entries()) {
    const std::vector<std::string> identifiers = carrying(cells, tag);
    if (identifiers.empty()) continue;
    if (isExcluded(key)) {
      host::NSLog("Could not load '" + key + "'");
    } else if (key == kMainListKey || key == kFolderKey) {
      for (const auto& identifier : identifiers) {
        if (auto cell = specifierForID(identifier)) addSpecifierToDictionary(cell, kMainListKey);
      }
    } else if (key == kAppKey) {
      gatherFromApps(identifiers);
    } else {
      gatherFromBundlePage(key, identifiers);
    }
  }
}

void catogoriesListView::gatherFromBundlePage(const std::string& key,
                                              const std::vector<std::string>& identifiers) {
  const host::Plist record = VLPreferencesManager::sharedInstance()->getBundlePathOfController(key);
  if (!record.isDictionary()) return;
  const bool app = !OffscreenPage::stringOf(record, "identifier").empty();
  const auto page = pageFor(key, record, app);
  if (!page) return;
  for (const auto& identifier : identifiers) {
    if (auto cell = page->specifierForID(identifier)) addSpecifierToDictionary(cell, key);
  }
}

// Every app page shares one controller key: the tagged cells are looked for on each app page
// whose record was saved, and each app's cells come under that app's own title row.
void catogoriesListView::gatherFromApps(const std::vector<std::string>& identifiers) {
  const host::Plist bundles = VLPreferencesManager::sharedInstance()->dictionary().get("bundles");
  if (!bundles.isDictionary()) return;
  std::vector<std::string> apps;
  for (const auto& [key, record] : bundles.entries()) {
    const std::string app = OffscreenPage::stringOf(record, "identifier");
    if (!isAppBundleKey(key) || app.empty()) continue;
    // An app's page saved from more than once has several records: the first stands for it.
    if (std::find(apps.begin(), apps.end(), app) != apps.end()) continue;
    apps.push_back(app);
    const auto page = pageFor(app, record, true);
    if (!page) continue;
    for (const auto& identifier : identifiers) {
      if (auto cell = page->specifierForID(identifier)) addSpecifierToDictionary(cell, key);
    }
  }
}

std::shared_ptr<host::PSListController> catogoriesListView::pageFor(const std::string& key,
                                                                    const host::Plist& record,
                                                                    bool app) {
  const auto made = std::find(allocated_.begin(), allocated_.end(), key);
  if (made != allocated_.end()) return targets_[made - allocated_.begin()];
  if (std::find(failed_.begin(), failed_.end(), key) != failed_.end()) return nullptr;
  auto page = app ? OffscreenPage::forApp(record) : OffscreenPage::forSettingsBundle(key, record);
  if (!page) {
    failed_.push_back(key);
    return nullptr;
  }
  targets_.push_back(page);
  allocated_.push_back(key);
  return page;
}

catogoriesListView::Specifiers catogoriesListView::filteredList() const {
  const auto main = controller_.lock();
  const host::Plist bundles = VLPreferencesManager::sharedInstance()->dictionary().get("bundles");
  Specifiers out;
  for (const auto& [key, cells] : specs_) {
    if (key != kMainListKey) out.push_back(titleRow(bundles.get(key), main));
    out.insert(out.end(), cells.begin(), cells.end());
    addEmpySpecifierToArrayIfNecessary(out);
  }
  return out;
}

}  // namespace vorlan

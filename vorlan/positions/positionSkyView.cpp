#include "positions/positionSkyView.h"

#include <algorithm>
#include <string>

#include "panels/shapeSkyView.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"

namespace vorlan {

namespace {

using host::NSIndexPath;
using host::Plist;

// Where a cell dropped at `place` goes on its page, the cell itself being off the page: just
// before the row that held the place, so that the cell ends up at it. The section's rows start
// after its header (at the top of the page for a first group without one); a row past the end of
// its section, or a section past the end of the page, still gives an index. Never below 0: a
// drop above the first group's header row puts the cell at the very top of the page.
long pageIndexFor(const positionSkyView::Specifiers& page, const NSIndexPath& place) {
  long start = static_cast<long>(page.size());
  long group = -1;
  for (std::size_t i = 0; i < page.size(); ++i) {
    const bool header = page[i] && page[i]->isGroup();
    if (header || i == 0) ++group;
    if (group == place.section) {
      start = static_cast<long>(header ? i + 1 : i);
      break;
    }
  }
  return std::max(start + place.row - 1, 0L);
}

}  // namespace

HOST_CLASS(positionSkyView, skyView)

positionSkyView::positionSkyView(host::Class* cls) : skyView(cls) {}

std::shared_ptr<positionSkyView> positionSkyView::make(const host::CGRect& frame) {
  auto panel = std::make_shared<positionSkyView>();
  panel->initWithFrame(frame);
  return panel;
}

void positionSkyView::initWithFrame(const host::CGRect& frame) {
  skyView::initWithFrame(frame);
  setUserInteractionEnabled(true);
  table_ = host::UITableView::tableWithFrame(host::CGRectZero, host::UITableViewStylePlain);
  table_->setUserInteractionEnabled(true);
  auto self = std::static_pointer_cast<positionSkyView>(shared_from_this());
  table_->setDataSource(std::shared_ptr<host::UITableViewDataSource>(self, self.get()));
  table_->setDelegate(std::shared_ptr<host::UITableViewDelegate>(self, self.get()));
  table_->setEditing(true);
  table_->setAllowsMultipleSelectionDuringEditing(false);
  table_->setSeparatorColor(host::UIColor::blackColor());
  table_->setTableFooterView(std::make_shared<host::UIView>());
  table_->setShowsHorizontalScrollIndicator(false);
  table_->setShowsVerticalScrollIndicator(false);
  shape()->container()->addSubview(table_);
}

void positionSkyView::layoutSubviewsImpl() {
  skyView::layoutSubviewsImpl();
  const host::CGRect container = shape()->container()->frame();
  table_->setFrame({0, -2, container.width(), container.height()});
}

void positionSkyView::setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                                   std::shared_ptr<host::PSListController> controller) {
  moved_.reset();
  first_.reset();
  title_ = std::move(specifier);
  controller_ = std::move(controller);
  specifiers_.clear();
  storedPlace_ = Plist();
  if (controller_) {
    if (auto view = controller_->view()) setBackgroundColor(view->backgroundColor());
    const long groups = controller_->numberOfGroups();
    for (long group = 0; group < groups; ++group)
      specifiers_.push_back(controller_->specifiersInGroup(group));
    if (title_) {
      storedPlace_ =
          VLPreferencesManager::sharedInstance()->getAfterSpecifierIdentifierForMovedSpecifier(
              *title_, controller_);
    }
  }
  table_->reloadData();
  if (title_) first_ = getIndexPathOfSpecifier(*title_);
  scrollToFirst(true);
}

void positionSkyView::showFromRect(const host::CGRect& from, const host::CGRect& to) {
  skyView::showFromRect(from, to);
  layoutIfNeeded();
  scrollToFirst(false);
}

void positionSkyView::scrollToFirst(bool animated) {
  // A table without a height would scroll the row to its top edge, out of sight once the
  // table has its size.
  if (!first_ || table_->bounds().height() <= 0) return;
  table_->scrollToRowAtIndexPath(*first_, host::UITableViewScrollPositionMiddle, animated);
}

std::shared_ptr<host::PSSpecifier> positionSkyView::getSpecifierAtIndexPath(
    const NSIndexPath& path) const {
  if (path.section < 0 || path.section >= static_cast<long>(specifiers_.size())) return nullptr;
  const Specifiers& group = specifiers_[static_cast<std::size_t>(path.section)];
  if (path.row < 0 || path.row >= static_cast<long>(group.size())) return nullptr;
  return group[static_cast<std::size_t>(path.row)];
}

std::optional<NSIndexPath> positionSkyView::getIndexPathOfSpecifier(
    const host::PSSpecifier& spec) const {
  // The cell itself first: a page may show two cells with one identifier, and the editor's
  // starting place must be the row of the cell it moves.
  std::optional<NSIndexPath> byIdentifier;
  for (std::size_t s = 0; s < specifiers_.size(); ++s) {
    const Specifiers& group = specifiers_[s];
    for (std::size_t r = 0; r < group.size(); ++r) {
      const NSIndexPath path{static_cast<long>(s), static_cast<long>(r)};
      if (group[r].get() == &spec) return path;
      if (!byIdentifier && group[r] && group[r]->identifier() == spec.identifier())
        byIdentifier = path;
    }
  }
  return byIdentifier;
}

bool positionSkyView::isTitle(const NSIndexPath& indexPath) const {
  const auto row = getSpecifierAtIndexPath(indexPath);
  return row && row == title_;
}

long positionSkyView::numberOfSectionsInTableView(host::UITableView&) {
  return static_cast<long>(specifiers_.size());
}

long positionSkyView::tableViewNumberOfRowsInSection(host::UITableView&, long section) {
  if (section < 0 || section >= static_cast<long>(specifiers_.size())) return 0;
  return static_cast<long>(specifiers_[static_cast<std::size_t>(section)].size());
}

std::shared_ptr<host::UITableViewCell> positionSkyView::tableViewCellForRowAtIndexPath(
    host::UITableView& tableView, const NSIndexPath& indexPath) {
  auto cell = tableView.dequeueReusableCellWithIdentifier(kReuseIdentifier);
  if (!cell)
    cell =
        host::UITableViewCell::cellWithStyle(host::UITableViewCellStyleDefault, kReuseIdentifier);
  cell->setUserInteractionEnabled(true);
  const auto row = getSpecifierAtIndexPath(indexPath);
  const auto label = cell->textLabel();
  if (!row || row->isGroup()) {
    // A group's header row shows the group's footer, faint, over the balloon.
    cell->setBackgroundColor(host::UIColor::clearColor());
    cell->imageView()->setImage(nullptr);
    const std::string* footer = row ? row->propertyForKey("footerText").asString() : nullptr;
    label->setText(footer ? *footer : std::string());
    label->setTextColor(host::UIColor::colorWithWhite(0, 0.6));
    label->setNumberOfLines(0);
    return cell;
  }
  cell->setBackgroundColor(host::UIColor::whiteColor());
  label->setText(row->name());
  label->setTextColor(host::UIColor::blackColor());
  label->setNumberOfLines(1);
  cell->imageView()->setImage(
      std::dynamic_pointer_cast<host::UIImage>(row->objectForKey("iconImage")));
  return cell;
}

bool positionSkyView::tableViewCanEditRowAtIndexPath(host::UITableView&,
                                                     const NSIndexPath& indexPath) {
  return isTitle(indexPath);
}

bool positionSkyView::tableViewCanMoveRowAtIndexPath(host::UITableView&,
                                                     const NSIndexPath& indexPath) {
  return isTitle(indexPath);
}

host::UITableViewCellEditingStyle positionSkyView::tableViewEditingStyleForRowAtIndexPath(
    host::UITableView&, const NSIndexPath&) {
  return host::UITableViewCellEditingStyleNone;
}

bool positionSkyView::tableViewShouldIndentWhileEditingRowAtIndexPath(host::UITableView&,
                                                                      const NSIndexPath&) {
  return false;
}

void positionSkyView::moveInCopy(const NSIndexPath& from, const NSIndexPath& to) {
  if (from.section < 0 || from.section >= static_cast<long>(specifiers_.size()) || to.section < 0 ||
      to.section >= static_cast<long>(specifiers_.size())) {
    return;
  }
  Specifiers& source = specifiers_[static_cast<std::size_t>(from.section)];
  if (from.row < 0 || from.row >= static_cast<long>(source.size())) return;
  const auto cell = source[static_cast<std::size_t>(from.row)];
  source.erase(source.begin() + from.row);
  Specifiers& destination = specifiers_[static_cast<std::size_t>(to.section)];
  const long at = std::clamp(to.row, 0L, static_cast<long>(destination.size()));
  destination.insert(destination.begin() + at, cell);
}

void positionSkyView::tableViewMoveRowAtIndexPath(host::UITableView&, const NSIndexPath& from,
                                                  const NSIndexPath& to) {
  if (!title_ || !controller_) return;
  if (first_ && to == *first_) {
    // Back where it started. After an earlier drop the table shows the cell there again, so the
    // copy follows it and the earlier drop is undone: closing leaves the page as it was, and
    // the stored place is what it was when the editor opened.
    if (!moved_) return;
    moveInCopy(from, to);
    moved_.reset();
    restoreStoredPlace();
    return;
  }
  moved_ = to;
  moveInCopy(from, to);
  const Plist place = Plist::dictionary({{"section", Plist::string(std::to_string(to.section))},
                                         {"row", Plist::string(std::to_string(to.row))}});
  VLPreferencesManager::sharedInstance()->saveSpecifier(*title_, place, "position",
                                                        title_->identifier(), controller_);
}

void positionSkyView::restoreStoredPlace() {
  auto manager = VLPreferencesManager::sharedInstance();
  if (storedPlace_.isDictionary()) {
    manager->saveSpecifier(*title_, storedPlace_, "position", title_->identifier(), controller_);
    return;
  }
  // It had no place of its own: the entry of this page goes, entries of other pages stay.
  const Plist positions = manager->dictionary().get("position");
  const std::string page = PageKey(controller_).key();
  const Plist entries = positions.get(page);
  if (!entries.isDictionary() || !entries.contains(title_->identifier())) return;
  manager->savePreference(positions.with(page, entries.without(title_->identifier())), "position");
}

void positionSkyView::dismissShape(bool animated) {
  first_.reset();
  skyView::dismissShape(animated);
  if (!moved_ || !title_ || !controller_) return;
  const NSIndexPath place = *moved_;
  moved_.reset();
  // A page built again while the editor was open has already put the cell at its stored place.
  if (!controller_->indexOfSpecifier(title_.get())) return;
  controller_->removeSpecifier(title_, true);
  controller_->insertSpecifier(title_, pageIndexFor(controller_->specifiers(), place), true);
}

}  // namespace vorlan

#include "config/disabledSkyView.h"

#include "config/CellRecord.h"
#include "config/ListPanelParts.h"
#include "config/disabledTableViewCell.h"
#include "panels/shapeSkyView.h"
#include "runtime/HostClass.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UITableView.h"

namespace vorlan {

namespace {

constexpr host::CGFloat kHeaderHeight = 80;

}  // namespace

HOST_CLASS(disabledSkyView, skyView)

disabledSkyView::disabledSkyView(host::Class* cls) : skyView(cls) {}

std::shared_ptr<disabledSkyView> disabledSkyView::make(const host::CGRect& frame) {
  auto panel = std::make_shared<disabledSkyView>();
  panel->initWithFrame(frame);
  return panel;
}

void disabledSkyView::initWithFrame(const host::CGRect& frame) {
  skyView::initWithFrame(frame);
  const auto& container = shape()->container();

  nope_ = ListPanelParts::emptyMessage(container, kEmptyText);
  auto self = std::static_pointer_cast<disabledSkyView>(shared_from_this());
  table_ = ListPanelParts::table(container, disabledTableViewCell::objcClass(), kReuseIdentifier,
                                 std::shared_ptr<host::UITableViewDataSource>(self, self.get()));
  info_ = ListPanelParts::header(*table_, kHeaderHeight, kHeaderText);
}

void disabledSkyView::layoutList() {
  const host::CGRect bounds = shape()->container()->bounds();
  nope_->setFrame(bounds);
  table_->setFrame(bounds);
}

void disabledSkyView::layoutSubviewsImpl() {
  skyView::layoutSubviewsImpl();
  layoutList();
}

void disabledSkyView::showFromRect(const host::CGRect& from, const host::CGRect& to) {
  skyView::showFromRect(from, to);
  layoutList();
  array_ = CellRecord::listedOnce(VLPreferencesManager::sharedInstance()->getDisabledIdentifiers());
  table_->setAlpha(array_.empty() ? 0 : 1);
  table_->reloadSections({0}, host::UITableViewRowAnimationNone);
}

long disabledSkyView::tableViewNumberOfRowsInSection(host::UITableView&, long) {
  return static_cast<long>(array_.size());
}

std::shared_ptr<host::UITableViewCell> disabledSkyView::tableViewCellForRowAtIndexPath(
    host::UITableView& tableView, const host::NSIndexPath& indexPath) {
  auto cell = std::dynamic_pointer_cast<disabledTableViewCell>(
      tableView.dequeueReusableCellWithIdentifier(kReuseIdentifier));
  if (!cell) {
    cell = disabledTableViewCell::make(host::UITableViewCellStyleDefault, kReuseIdentifier);
  }
  cell->setShouldIndentWhileEditing(true);
  const auto row = static_cast<std::size_t>(indexPath.row);
  if (row >= array_.size()) return cell;
  const CellRecord record =
      CellRecord::forIdentifier(*VLPreferencesManager::sharedInstance(), array_[row]);
  cell->label()->setText(record.name);
  cell->icon()->setImage(record.icon);
  return cell;
}

void disabledSkyView::tableViewCommitEditingStyle(host::UITableView& tableView,
                                                  host::UITableViewCellEditingStyle style,
                                                  const host::NSIndexPath& indexPath) {
  if (style != host::UITableViewCellEditingStyleDelete) return;
  if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= array_.size()) return;
  const auto entry = array_.begin() + indexPath.row;
  tableView.beginUpdates();
  tableView.deleteRowsAtIndexPaths({indexPath}, host::UITableViewRowAnimationLeft);
  VLPreferencesManager::sharedInstance()->enableSpecifier(*entry);
  array_.erase(entry);
  tableView.endUpdates();
}

}  // namespace vorlan

#include "config/hiddenSkyView.h"

#include "config/CellRecord.h"
#include "config/ListPanelParts.h"
#include "config/hiddenTableViewCell.h"
#include "panels/shapeSkyView.h"
#include "runtime/HostClass.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UISwitch.h"
#include "uikit/UITableView.h"

namespace vorlan {

HOST_CLASS(hiddenSkyView, skyView)

hiddenSkyView::hiddenSkyView(host::Class* cls) : skyView(cls) {}

std::shared_ptr<hiddenSkyView> hiddenSkyView::make(const host::CGRect& frame) {
  auto panel = std::make_shared<hiddenSkyView>();
  panel->initWithFrame(frame);
  return panel;
}

void hiddenSkyView::initWithFrame(const host::CGRect& frame) {
  skyView::initWithFrame(frame);
  const auto& container = shape()->container();

  nope_ = ListPanelParts::emptyMessage(container, kEmptyText);
  auto self = std::static_pointer_cast<hiddenSkyView>(shared_from_this());
  table_ = ListPanelParts::table(container, hiddenTableViewCell::objcClass(), kReuseIdentifier,
                                 std::shared_ptr<host::UITableViewDataSource>(self, self.get()));
}

void hiddenSkyView::layoutList() {
  const host::CGRect bounds = shape()->container()->bounds();
  nope_->setFrame(bounds);
  table_->setFrame(bounds);
}

void hiddenSkyView::layoutSubviewsImpl() {
  skyView::layoutSubviewsImpl();
  layoutList();
}

void hiddenSkyView::showFromRect(const host::CGRect& from, const host::CGRect& to) {
  skyView::showFromRect(from, to);
  layoutList();
  array_ = CellRecord::listedOnce(VLPreferencesManager::sharedInstance()->getHiddenIdentifiers());
  switched_.assign(array_.size(), true);
  table_->setAlpha(array_.empty() ? 0 : 1);
  table_->reloadSections({0}, host::UITableViewRowAnimationNone);
}

void hiddenSkyView::dismissShape(bool animated) {
  // Only the closing of a showing un-hides: a panel closed again (by its opener, or by closing
  // every panel) must not show cells that were hidden again since.
  if (isShow()) {
    auto manager = VLPreferencesManager::sharedInstance();
    for (std::size_t i = 0; i < array_.size(); ++i) {
      if (!switched_[i]) manager->showSpecifier(array_[i]);
    }
  }
  skyView::dismissShape(animated);
}

void hiddenSkyView::switcherChanged(const host::UISwitch& sender) {
  const long row = sender.tag();
  if (row >= 0 && static_cast<std::size_t>(row) < switched_.size()) switched_[row] = sender.isOn();
}

long hiddenSkyView::tableViewNumberOfRowsInSection(host::UITableView&, long) {
  return static_cast<long>(array_.size());
}

std::shared_ptr<host::UITableViewCell> hiddenSkyView::tableViewCellForRowAtIndexPath(
    host::UITableView& tableView, const host::NSIndexPath& indexPath) {
  auto cell = std::dynamic_pointer_cast<hiddenTableViewCell>(
      tableView.dequeueReusableCellWithIdentifier(kReuseIdentifier));
  if (!cell) cell = hiddenTableViewCell::make(host::UITableViewCellStyleDefault, kReuseIdentifier);
  const auto row = static_cast<std::size_t>(indexPath.row);
  if (row >= array_.size()) return cell;

  const CellRecord record =
      CellRecord::forIdentifier(*VLPreferencesManager::sharedInstance(), array_[row]);
  cell->label()->setText(record.name);
  cell->icon()->setImage(record.icon);

  const auto& switcher = cell->switcher();
  switcher->setOn(switched_[row], false);
  switcher->setTag(indexPath.row);
  // The switch shows no text of its own: it is read out as the cell it brings back.
  switcher->setAccessibilityLabel(record.name);
  switcher->removeTarget(nullptr, host::UIControlEventValueChanged);
  std::weak_ptr<hiddenSkyView> weakSelf =
      std::static_pointer_cast<hiddenSkyView>(shared_from_this());
  switcher->addTarget(
      shared_from_this(),
      [weakSelf](const std::shared_ptr<host::UIControl>& sender, host::UIEvent*) {
        auto self = weakSelf.lock();
        auto toggle = std::dynamic_pointer_cast<host::UISwitch>(sender);
        if (self && toggle) self->switcherChanged(*toggle);
      },
      host::UIControlEventValueChanged);
  return cell;
}

}  // namespace vorlan

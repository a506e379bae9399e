#include "uikit/UITableViewController.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIScreen.h"

namespace host {

HOST_CLASS(UITableViewController, UIViewController)

UITableViewController::UITableViewController(Class* cls) : UIViewController(cls) {}

std::shared_ptr<UITableView> UITableViewController::tableView() {
  return std::dynamic_pointer_cast<UITableView>(view());
}

void UITableViewController::setTableView(const std::shared_ptr<UITableView>& tableView) {
  if (tableView) {
    const auto self = std::static_pointer_cast<UITableViewController>(sharedController());
    tableView->setDataSource(self);
    tableView->setDelegate(self);
  }
  setView(tableView);
}

void UITableViewController::loadViewImpl() {
  setTableView(UITableView::tableWithFrame(UIScreen::mainScreen()->bounds(), style_));
}

void UITableViewController::viewWillAppearImpl(bool animated) {
  if (!clearsSelectionOnViewWillAppear_) return;
  if (auto table = std::dynamic_pointer_cast<UITableView>(isViewLoaded() ? view() : nullptr)) {
    for (const NSIndexPath& ip : table->indexPathsForSelectedRows()) {
      table->deselectRowAtIndexPath(ip, animated);
    }
  }
}

void UITableViewController::setEditing(bool editing, bool animated) {
  editing_ = editing;
  if (auto table = std::dynamic_pointer_cast<UITableView>(isViewLoaded() ? view() : nullptr)) {
    table->setEditing(editing, animated);
  }
}

long UITableViewController::tableViewNumberOfRowsInSection(UITableView&, long) {
  return 0;
}

std::shared_ptr<UITableViewCell> UITableViewController::tableViewCellForRowAtIndexPath(
    UITableView&, const NSIndexPath&) {
  return nullptr;
}

}  // namespace host

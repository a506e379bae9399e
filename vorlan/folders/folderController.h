#pragma once

#include <functional>
#include <memory>
#include <string>

#include "preferences/PSListController.h"

namespace host {
class PSUIPrefsListController;
}  // namespace host

namespace vorlan {

// The page a folder row of the main list opens: the cells filed into the folder, in the
// folder's order, or a full-page hint when there are none. Its folder is the one named by the
// page's title. The "Edit" button offers the add page (cells of the main list to file into the
// folder), the remove page (cells to take out) and the sort page.
//
// Registered in the runtime under its own name, "folderController", so that the row-selection
// hooks can tell it apart by class name.
class folderController : public host::PSListController {
 public:
  static host::Class* objcClass();
  explicit folderController(host::Class* cls = objcClass());

  // The folder's name: the page's title.
  std::string folderName();

  void showPopover();
  void showAddToFolder();
  void showRemoveToFolder();
  void showSortToFolder();
  static std::shared_ptr<host::PSUIPrefsListController> getPSUIPrefsListController();

  // Puts cells in folder order. `positionOf` gives a cell's stored place, negative when it has
  // none. Placed cells go to their place (one past the end or further: last), in the order of
  // their places; the others keep their order and fill the places left between them.
  static Specifiers inFolderOrder(const Specifiers& cells,
                                  const std::function<int(const host::PSSpecifier&)>& positionOf);

 protected:
  // Builds the folder's cells on every load: a cell that is no longer on the main list leaves
  // the folder.
  Specifiers loadSpecifiers() override;
  void viewWillAppearImpl(bool animated) override;

 private:
  // The single group that shows the empty-folder hint.
  Specifiers emptyFolderHint();
  // Presents a table of rows over this page, then puts the table into editing mode.
  void presentEditingTable(const std::shared_ptr<host::UIViewController>& table,
                           const std::string& title);
};

}  // namespace vorlan

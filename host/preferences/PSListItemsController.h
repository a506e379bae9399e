#pragma once

#include <memory>

#include "preferences/PSListController.h"

namespace host {

// The page of a multi-value setting: one row per choice of the cell that opened it (its
// "Titles", with the stored "Values" beside them), the chosen one ticked. Choosing a row stores
// its value through the opening cell's setter and refreshes that cell on the page below, which
// shows the chosen title.
class PSListItemsController : public PSListController {
 public:
  static Class* objcClass();
  explicit PSListItemsController(Class* cls = objcClass());

 protected:
  Specifiers loadSpecifiers() override;
  std::shared_ptr<UITableViewCell> cellForRowImpl(const std::shared_ptr<UITableView>& table,
                                                  const NSIndexPath& indexPath) override;
  void didSelectRowImpl(const std::shared_ptr<UITableView>& table,
                        const NSIndexPath& indexPath) override;
};

}  // namespace host

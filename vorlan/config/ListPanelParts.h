#pragma once

#include <memory>
#include <string>

#include "uikit/CGGeometry.h"

namespace host {
class Class;
class UILabel;
class UITableView;
class UITableViewDataSource;
class UIView;
}  // namespace host

namespace vorlan {

// The views every list panel of the configuration page shares: a message for an empty list, the
// grouped table laid over it, and the text over the table's rows.
class ListPanelParts {
 public:
  // A centred black message over the container's bounds, added to it.
  static std::shared_ptr<host::UILabel> emptyMessage(const std::shared_ptr<host::UIView>& container,
                                                     const std::string& text);
  // A white grouped table without scroll indicators over the container's bounds, its rows of
  // `cellClass` under `reuseIdentifier`, added to the container (over the message).
  static std::shared_ptr<host::UITableView> table(
      const std::shared_ptr<host::UIView>& container, host::Class* cellClass,
      const std::string& reuseIdentifier,
      const std::shared_ptr<host::UITableViewDataSource>& dataSource);
  // A centred black text of `height` as the table's header.
  static std::shared_ptr<host::UILabel> header(host::UITableView& table, double height,
                                               const std::string& text);
};

}  // namespace vorlan

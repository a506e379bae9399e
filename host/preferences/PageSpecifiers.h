#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "uikit/NSIndexPath.h"

namespace host {

class PSSpecifier;

// A settings page's cells in display order, group headers (cell type 0) included, and where
// they stand in the page's table. A group is a header and the cells after it, up to the next
// header; it is one table section whose rows are its cells. Cells before the first header form
// a group without a header (section 0). The groups are worked out once and kept; they are worked
// out again once any cell has become a header or stopped being one, so that such a cell is seen
// in its new place.
class PageSpecifiers {
 public:
  using Specifiers = std::vector<std::shared_ptr<PSSpecifier>>;

  struct Group {
    std::optional<std::size_t> header;  // index of the header
    std::size_t first = 0;              // index of the first cell
    std::size_t count = 0;
  };

  // The updates that take a table showing one list to another: sections are matched by their
  // header (the headerless group by none), rows by their cell. Deleted sections and rows are
  // numbered as before, inserted ones as after. A list holding a cell twice cannot be matched:
  // the table reloads whole.
  struct Changes {
    bool reloadAll = false;
    std::vector<long> deletedSections;
    std::vector<long> insertedSections;
    std::vector<NSIndexPath> deletedRows;
    std::vector<NSIndexPath> insertedRows;
  };

  PageSpecifiers() = default;
  explicit PageSpecifiers(Specifiers items) : items_(std::move(items)) {}

  const Specifiers& items() const { return items_; }
  std::size_t size() const { return items_.size(); }
  const std::shared_ptr<PSSpecifier>& operator[](std::size_t index) const { return items_[index]; }
  Specifiers::const_iterator begin() const { return items_.begin(); }
  Specifiers::const_iterator end() const { return items_.end(); }

  static std::vector<Group> groupsOf(const Specifiers& specifiers);
  const std::vector<Group>& groups() const;
  long numberOfGroups() const { return static_cast<long>(groups().size()); }
  // 0 for a group that does not exist.
  long numberOfRowsInGroup(long group) const;

  // Index of a table row's cell; nothing when the row does not exist.
  std::optional<long> indexForIndexPath(const NSIndexPath& indexPath) const;
  // Table row of the cell at an index; nothing for a group header or an index out of range.
  std::optional<NSIndexPath> indexPathForIndex(long index) const;
  // The section whose header is at an index; nothing when no header is there.
  std::optional<long> groupOfHeader(long index) const;
  // The first place of a cell; nothing for none or a cell not in the list.
  std::optional<long> indexOf(const PSSpecifier* specifier) const;
  // The first cell with that identifier; nothing if none.
  std::shared_ptr<PSSpecifier> specifierForID(std::string_view identifier) const;

  static Changes changesBetween(const PageSpecifiers& before, const PageSpecifiers& after);

 private:
  Specifiers items_;
  // The groups of items_, worked out when PSSpecifier::groupingGeneration() was groupsGeneration_.
  mutable std::vector<Group> groups_;
  mutable std::optional<std::uint64_t> groupsGeneration_;
};

}  // namespace host

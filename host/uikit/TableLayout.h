#pragma once

#include <optional>
#include <string>
#include <vector>

#include "uikit/CGGeometry.h"
#include "uikit/NSIndexPath.h"

namespace host {

// The vertical arrangement of a table's rows: a top part (the table header view), then every
// section's header, rows and footer, then a bottom part (the table footer view). Rectangles are
// in the table's content coordinates and span the given width.
class TableLayout {
 public:
  struct Section {
    CGFloat headerHeight = 0;
    CGFloat footerHeight = 0;
    std::vector<CGFloat> rowHeights;
    std::string headerTitle;
    std::string footerTitle;
  };

  TableLayout() = default;
  TableLayout(std::vector<Section> sections, CGFloat top, CGFloat bottom);

  long numberOfSections() const { return static_cast<long>(sections_.size()); }
  long numberOfRows(long section) const;
  bool contains(const NSIndexPath& indexPath) const;
  const Section& section(long section) const { return sections_.at(static_cast<size_t>(section)); }
  std::vector<long> rowCounts() const;

  CGFloat contentHeight() const { return height_; }
  CGFloat top() const { return top_; }
  CGRect rectForSection(long section, CGFloat width) const;
  CGRect rectForHeader(long section, CGFloat width) const;
  CGRect rectForFooter(long section, CGFloat width) const;
  CGRect rectForRow(const NSIndexPath& indexPath, CGFloat width) const;  // CGRectZero if none

  // The row whose rectangle holds y; nothing between rows or outside them.
  std::optional<NSIndexPath> rowAtY(CGFloat y) const;
  // The row nearest to y: the one that holds it, else the closest one in y's section (or the
  // nearest section with rows). Nothing for a table without rows.
  std::optional<NSIndexPath> nearestRowToY(CGFloat y) const;
  // Rows with some height between minY and maxY, in order.
  std::vector<NSIndexPath> rowsBetween(CGFloat minY, CGFloat maxY) const;
  // Sections whose extent (header to footer) meets minY...maxY.
  std::vector<long> sectionsBetween(CGFloat minY, CGFloat maxY) const;

  // Changes the top and bottom parts (the table's header and footer views).
  void setMargins(CGFloat top, CGFloat bottom);
  // Moves one row's entry (its height) to another place, as a reorder does.
  void moveRow(const NSIndexPath& from, const NSIndexPath& to);

 private:
  void recompute();
  long sectionAtY(CGFloat y) const;  // the last section starting at or above y; -1 if none

  std::vector<Section> sections_;
  CGFloat top_ = 0;
  CGFloat bottom_ = 0;
  CGFloat height_ = 0;
  std::vector<CGFloat> sectionTops_;
  std::vector<std::vector<CGFloat>> rowTops_;  // per section, relative to the content's top
};

}  // namespace host

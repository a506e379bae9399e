#include "uikit/TableLayout.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace host {

TableLayout::TableLayout(std::vector<Section> sections, CGFloat top, CGFloat bottom)
    : sections_(std::move(sections)), top_(top), bottom_(bottom) {
  recompute();
}

void TableLayout::recompute() {
  sectionTops_.clear();
  rowTops_.clear();
  CGFloat y = top_;
  for (const Section& s : sections_) {
    sectionTops_.push_back(y);
    y += s.headerHeight;
    std::vector<CGFloat> tops;
    tops.reserve(s.rowHeights.size());
    for (CGFloat h : s.rowHeights) {
      tops.push_back(y);
      y += h;
    }
    rowTops_.push_back(std::move(tops));
    y += s.footerHeight;
  }
  height_ = y + bottom_;
}

long TableLayout::numberOfRows(long section) const {
  if (section < 0 || section >= numberOfSections()) return 0;
  return static_cast<long>(sections_[static_cast<size_t>(section)].rowHeights.size());
}

bool TableLayout::contains(const NSIndexPath& indexPath) const {
  return indexPath.row >= 0 && indexPath.row < numberOfRows(indexPath.section);
}

std::vector<long> TableLayout::rowCounts() const {
  std::vector<long> counts;
  for (const Section& s : sections_)
    counts.push_back(static_cast<long>(s.rowHeights.size()));
  return counts;
}

CGRect TableLayout::rectForSection(long section, CGFloat width) const {
  if (section < 0 || section >= numberOfSections()) return CGRectZero;
  const auto i = static_cast<size_t>(section);
  const CGFloat end = i + 1 < sectionTops_.size() ? sectionTops_[i + 1] : height_ - bottom_;
  return CGRectMake(0, sectionTops_[i], width, end - sectionTops_[i]);
}

CGRect TableLayout::rectForHeader(long section, CGFloat width) const {
  if (section < 0 || section >= numberOfSections()) return CGRectZero;
  const auto i = static_cast<size_t>(section);
  return CGRectMake(0, sectionTops_[i], width, sections_[i].headerHeight);
}

CGRect TableLayout::rectForFooter(long section, CGFloat width) const {
  const CGRect all = rectForSection(section, width);
  if (all.isEmpty()) return CGRectZero;
  const CGFloat h = sections_[static_cast<size_t>(section)].footerHeight;
  return CGRectMake(0, all.maxY() - h, width, h);
}

CGRect TableLayout::rectForRow(const NSIndexPath& indexPath, CGFloat width) const {
  if (!contains(indexPath)) return CGRectZero;
  const auto s = static_cast<size_t>(indexPath.section);
  const auto r = static_cast<size_t>(indexPath.row);
  return CGRectMake(0, rowTops_[s][r], width, sections_[s].rowHeights[r]);
}

long TableLayout::sectionAtY(CGFloat y) const {
  const auto it = std::upper_bound(sectionTops_.begin(), sectionTops_.end(), y);
  return static_cast<long>(std::distance(sectionTops_.begin(), it)) - 1;
}

std::optional<NSIndexPath> TableLayout::rowAtY(CGFloat y) const {
  const long s = sectionAtY(y);
  if (s < 0) return std::nullopt;
  const auto& tops = rowTops_[static_cast<size_t>(s)];
  const auto it = std::upper_bound(tops.begin(), tops.end(), y);
  if (it == tops.begin()) return std::nullopt;
  const NSIndexPath found{s, static_cast<long>(std::distance(tops.begin(), it)) - 1};
  if (y >= rectForRow(found, 0).maxY()) return std::nullopt;
  return found;
}

std::optional<NSIndexPath> TableLayout::nearestRowToY(CGFloat y) const {
  if (auto hit = rowAtY(y)) return hit;
  std::optional<NSIndexPath> best;
  CGFloat bestDistance = INFINITY;
  for (long s = 0; s < numberOfSections(); ++s) {
    for (long r : {0L, numberOfRows(s) - 1}) {
      if (r < 0) continue;
      const CGRect rect = rectForRow({s, r}, 0);
      const CGFloat distance = std::min(std::abs(y - rect.minY()), std::abs(y - rect.maxY()));
      if (distance < bestDistance) {
        bestDistance = distance;
        best = NSIndexPath{s, r};
      }
    }
  }
  return best;
}

std::vector<NSIndexPath> TableLayout::rowsBetween(CGFloat minY, CGFloat maxY) const {
  std::vector<NSIndexPath> rows;
  for (long s = std::max(0L, sectionAtY(minY)); s < numberOfSections(); ++s) {
    const auto& tops = rowTops_[static_cast<size_t>(s)];
    if (sectionTops_[static_cast<size_t>(s)] >= maxY) break;
    auto it = std::upper_bound(tops.begin(), tops.end(), minY);
    if (it != tops.begin()) --it;
    for (; it != tops.end() && *it < maxY; ++it) {
      const NSIndexPath ip{s, static_cast<long>(std::distance(tops.begin(), it))};
      const CGRect rect = rectForRow(ip, 0);
      if (rect.height() > 0 && rect.maxY() > minY) rows.push_back(ip);
    }
  }
  return rows;
}

std::vector<long> TableLayout::sectionsBetween(CGFloat minY, CGFloat maxY) const {
  std::vector<long> found;
  for (long s = std::max(0L, sectionAtY(minY)); s < numberOfSections(); ++s) {
    const CGRect rect = rectForSection(s, 0);
    if (rect.minY() >= maxY) break;
    if (rect.maxY() > minY) found.push_back(s);
  }
  return found;
}

void TableLayout::setMargins(CGFloat top, CGFloat bottom) {
  top_ = top;
  bottom_ = bottom;
  recompute();
}

void TableLayout::moveRow(const NSIndexPath& from, const NSIndexPath& to) {
  if (!contains(from) || to.section < 0 || to.section >= numberOfSections()) return;
  auto& source = sections_[static_cast<size_t>(from.section)].rowHeights;
  const CGFloat h = source[static_cast<size_t>(from.row)];
  source.erase(source.begin() + from.row);
  auto& target = sections_[static_cast<size_t>(to.section)].rowHeights;
  const long row = std::clamp(to.row, 0L, static_cast<long>(target.size()));
  target.insert(target.begin() + row, h);
  recompute();
}

}  // namespace host

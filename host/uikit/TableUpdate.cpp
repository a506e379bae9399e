#include "uikit/TableUpdate.h"

#include <algorithm>

namespace host {

namespace {

std::string describe(const NSIndexPath& ip) {
  return "row " + std::to_string(ip.row) + " of section " + std::to_string(ip.section);
}

long count(const std::vector<long>& counts, long section) {
  return section >= 0 && section < static_cast<long>(counts.size())
             ? counts[static_cast<size_t>(section)]
             : -1;
}

// Old places kept, in order, interleaved with the new places that were inserted: the new index
// of every old one (-1 for the removed ones). Empty when the sizes do not add up.
std::optional<std::vector<long>> interleave(long before, long after, const std::set<long>& removed,
                                            const std::set<long>& inserted) {
  const long kept = before - static_cast<long>(removed.size());
  if (kept + static_cast<long>(inserted.size()) != after) return std::nullopt;
  std::vector<long> map(static_cast<size_t>(before), -1);
  long next = 0;
  for (long old = 0; old < before; ++old) {
    if (removed.count(old)) continue;
    while (inserted.count(next))
      ++next;
    map[static_cast<size_t>(old)] = next++;
  }
  return map;
}

}  // namespace

bool TableUpdate::isEmpty() const {
  return deletedSections_.empty() && insertedSections_.empty() && reloadedSections_.empty() &&
         deletedRows_.empty() && insertedRows_.empty() && reloadedRows_.empty();
}

std::string TableUpdate::resolveSections(long before, long after) {
  for (long s : deletedSections_) {
    if (s < 0 || s >= before) return "deleted section " + std::to_string(s) + " does not exist";
  }
  for (long s : reloadedSections_) {
    if (s < 0 || s >= before) return "reloaded section " + std::to_string(s) + " does not exist";
    if (deletedSections_.count(s)) return "section " + std::to_string(s) + " deleted and reloaded";
  }
  for (long s : insertedSections_) {
    if (s < 0 || s >= after) return "inserted section " + std::to_string(s) + " out of range";
  }
  auto map = interleave(before, after, deletedSections_, insertedSections_);
  if (!map) {
    return "the number of sections after the update (" + std::to_string(after) +
           ") must equal the number before (" + std::to_string(before) + "), minus " +
           std::to_string(deletedSections_.size()) + " deleted, plus " +
           std::to_string(insertedSections_.size()) + " inserted";
  }
  sectionMap_ = std::move(*map);
  return {};
}

std::string TableUpdate::resolve(const std::vector<long>& before, const std::vector<long>& after) {
  std::string problem =
      resolveSections(static_cast<long>(before.size()), static_cast<long>(after.size()));
  if (!problem.empty()) return problem;
  rowMap_.assign(before.size(), {});
  for (long old = 0; old < static_cast<long>(before.size()); ++old) {
    const long oldCount = before[static_cast<size_t>(old)];
    const long now = sectionMap_[static_cast<size_t>(old)];
    std::set<long> removed;
    std::set<long> inserted;
    for (const NSIndexPath& ip : deletedRows_) {
      if (ip.section != old || deletedSections_.count(old)) continue;
      if (ip.row < 0 || ip.row >= oldCount) return "deleted " + describe(ip) + " does not exist";
      removed.insert(ip.row);
    }
    for (const NSIndexPath& ip : reloadedRows_) {
      if (ip.section == old && (ip.row < 0 || ip.row >= oldCount)) {
        return "reloaded " + describe(ip) + " does not exist";
      }
      if (ip.section == old && removed.count(ip.row)) return describe(ip) + " deleted and reloaded";
    }
    if (now < 0) continue;  // the whole section goes
    const long newCount = count(after, now);
    for (const NSIndexPath& ip : insertedRows_) {
      if (ip.section != now) continue;
      if (ip.row < 0 || ip.row >= newCount) return "inserted " + describe(ip) + " out of range";
      inserted.insert(ip.row);
    }
    if (reloadedSections_.count(old)) {
      // Every row gets a new cell; the count may change freely.
      rowMap_[static_cast<size_t>(old)].assign(static_cast<size_t>(oldCount), -1);
      continue;
    }
    auto rows = interleave(oldCount, newCount, removed, inserted);
    if (!rows) {
      return "the number of rows in section " + std::to_string(now) + " after the update (" +
             std::to_string(newCount) + ") must equal the number before (" +
             std::to_string(oldCount) + "), minus " + std::to_string(removed.size()) +
             " deleted, plus " + std::to_string(inserted.size()) + " inserted";
    }
    rowMap_[static_cast<size_t>(old)] = std::move(*rows);
  }
  for (const NSIndexPath& ip : insertedRows_) {
    if (insertedSections_.count(ip.section)) continue;  // a new section brings its rows
    if (ip.section < 0 || ip.section >= static_cast<long>(after.size())) {
      return "inserted " + describe(ip) + " is in no section";
    }
  }
  return {};
}

std::optional<NSIndexPath> TableUpdate::newIndexPath(const NSIndexPath& old) const {
  if (old.section < 0 || old.section >= static_cast<long>(sectionMap_.size())) return std::nullopt;
  const long section = sectionMap_[static_cast<size_t>(old.section)];
  const auto& rows = rowMap_[static_cast<size_t>(old.section)];
  if (section < 0 || old.row < 0 || old.row >= static_cast<long>(rows.size())) return std::nullopt;
  const long row = rows[static_cast<size_t>(old.row)];
  if (row < 0) return std::nullopt;
  return NSIndexPath{section, row};
}

bool TableUpdate::isReloaded(const NSIndexPath& old) const {
  return reloadedRows_.count(old) > 0 || reloadedSections_.count(old.section) > 0;
}

}  // namespace host

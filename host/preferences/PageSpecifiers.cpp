#include "preferences/PageSpecifiers.h"

#include <algorithm>
#include <unordered_map>

#include "preferences/PSSpecifier.h"

namespace host {

std::vector<PageSpecifiers::Group> PageSpecifiers::groupsOf(const Specifiers& specifiers) {
  std::vector<Group> groups;
  for (std::size_t i = 0; i < specifiers.size(); ++i) {
    if (specifiers[i] && specifiers[i]->isGroup()) {
      groups.push_back(Group{i, i + 1, 0});
    } else {
      if (groups.empty()) groups.push_back(Group{std::nullopt, i, 0});
      ++groups.back().count;
    }
  }
  return groups;
}

const std::vector<PageSpecifiers::Group>& PageSpecifiers::groups() const {
  const std::uint64_t generation = PSSpecifier::groupingGeneration();
  if (groupsGeneration_ != generation) {
    groups_ = groupsOf(items_);
    groupsGeneration_ = generation;
  }
  return groups_;
}

long PageSpecifiers::numberOfRowsInGroup(long group) const {
  const auto& all = groups();
  if (group < 0 || group >= static_cast<long>(all.size())) return 0;
  return static_cast<long>(all[static_cast<std::size_t>(group)].count);
}

std::optional<long> PageSpecifiers::indexForIndexPath(const NSIndexPath& indexPath) const {
  const auto& all = groups();
  if (indexPath.section < 0 || indexPath.section >= static_cast<long>(all.size())) return {};
  const Group& g = all[static_cast<std::size_t>(indexPath.section)];
  if (indexPath.row < 0 || indexPath.row >= static_cast<long>(g.count)) return {};
  return static_cast<long>(g.first) + indexPath.row;
}

std::optional<NSIndexPath> PageSpecifiers::indexPathForIndex(long index) const {
  if (index < 0) return {};
  const auto i = static_cast<std::size_t>(index);
  const auto& all = groups();
  // Groups stand in order: only the last one starting at or before i can hold it.
  const auto after = std::upper_bound(all.begin(), all.end(), i,
                                      [](std::size_t at, const Group& g) { return at < g.first; });
  if (after == all.begin()) return {};
  const Group& g = *(after - 1);
  if (i >= g.first + g.count) return {};  // a group header, or past the end
  return NSIndexPath::indexPathForRow(static_cast<long>(i - g.first),
                                      static_cast<long>(after - 1 - all.begin()));
}

std::optional<long> PageSpecifiers::groupOfHeader(long index) const {
  const auto& all = groups();
  for (std::size_t s = 0; s < all.size(); ++s) {
    if (all[s].header == static_cast<std::size_t>(index)) return static_cast<long>(s);
  }
  return {};
}

std::optional<long> PageSpecifiers::indexOf(const PSSpecifier* specifier) const {
  if (specifier == nullptr) return {};
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == specifier) return static_cast<long>(i);
  }
  return {};
}

std::shared_ptr<PSSpecifier> PageSpecifiers::specifierForID(std::string_view identifier) const {
  for (const auto& item : items_) {
    if (item && item->identifier() == identifier) return item;
  }
  return nullptr;
}

namespace {

// The section of every cell of a list (a header's is the section it heads), and the section of
// every header (the headerless group's under none). False when the list holds a cell twice.
bool placesOf(const PageSpecifiers& list,
              std::unordered_map<const PSSpecifier*, std::size_t>& sectionOfCell,
              std::unordered_map<const PSSpecifier*, std::size_t>& sectionOfHeader) {
  const auto& groups = list.groups();
  sectionOfCell.reserve(list.size());
  sectionOfHeader.reserve(groups.size());
  for (std::size_t s = 0; s < groups.size(); ++s) {
    const auto& g = groups[s];
    const PSSpecifier* header = g.header ? list[*g.header].get() : nullptr;
    sectionOfHeader[header] = s;
    if (g.header && !sectionOfCell.emplace(header, s).second) return false;
    for (std::size_t i = g.first; i < g.first + g.count; ++i) {
      if (!sectionOfCell.emplace(list[i].get(), s).second) return false;
    }
  }
  return true;
}

}  // namespace

PageSpecifiers::Changes PageSpecifiers::changesBetween(const PageSpecifiers& before,
                                                       const PageSpecifiers& after) {
  Changes changes;
  std::unordered_map<const PSSpecifier*, std::size_t> oldCells;
  std::unordered_map<const PSSpecifier*, std::size_t> newCells;
  std::unordered_map<const PSSpecifier*, std::size_t> oldSections;
  std::unordered_map<const PSSpecifier*, std::size_t> newSections;
  if (!placesOf(before, oldCells, oldSections) || !placesOf(after, newCells, newSections)) {
    changes.reloadAll = true;
    return changes;
  }
  const auto& oldGroups = before.groups();
  const auto& newGroups = after.groups();
  const auto key = [](const PageSpecifiers& list, const Group& g) -> const PSSpecifier* {
    return g.header ? list[*g.header].get() : nullptr;
  };
  // A cell stays when it is in the matching section of the other list; every cell being there
  // once, its section there says so.
  const auto inSection = [](const std::unordered_map<const PSSpecifier*, std::size_t>& cells,
                            const PSSpecifier* cell, std::size_t section) {
    const auto found = cells.find(cell);
    return found != cells.end() && found->second == section;
  };

  for (std::size_t s = 0; s < oldGroups.size(); ++s) {
    const auto found = newSections.find(key(before, oldGroups[s]));
    if (found == newSections.end()) {
      changes.deletedSections.push_back(static_cast<long>(s));
      continue;
    }
    const Group& was = oldGroups[s];
    const Group& is = newGroups[found->second];
    for (std::size_t r = 0; r < was.count; ++r) {
      if (!inSection(newCells, before[was.first + r].get(), found->second)) {
        changes.deletedRows.push_back(
            NSIndexPath::indexPathForRow(static_cast<long>(r), static_cast<long>(s)));
      }
    }
    for (std::size_t r = 0; r < is.count; ++r) {
      if (!inSection(oldCells, after[is.first + r].get(), s)) {
        changes.insertedRows.push_back(
            NSIndexPath::indexPathForRow(static_cast<long>(r), static_cast<long>(found->second)));
      }
    }
  }
  for (std::size_t s = 0; s < newGroups.size(); ++s) {
    if (!oldSections.contains(key(after, newGroups[s]))) {
      changes.insertedSections.push_back(static_cast<long>(s));
    }
  }
  return changes;
}

}  // namespace host

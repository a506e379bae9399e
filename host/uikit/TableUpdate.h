#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "uikit/NSIndexPath.h"

namespace host {

// The changes of one batch of table updates (between beginUpdates and endUpdates), with UIKit's
// rules: deletions and reloads name rows and sections as they were before the batch, insertions
// as they are after it, whatever order the calls came in. A reloaded row or section keeps its
// place and gets a new cell.
class TableUpdate {
 public:
  void deleteSection(long section) { deletedSections_.insert(section); }
  void insertSection(long section) { insertedSections_.insert(section); }
  void reloadSection(long section) { reloadedSections_.insert(section); }
  void deleteRow(const NSIndexPath& indexPath) { deletedRows_.insert(indexPath); }
  void insertRow(const NSIndexPath& indexPath) { insertedRows_.insert(indexPath); }
  void reloadRow(const NSIndexPath& indexPath) { reloadedRows_.insert(indexPath); }
  bool isEmpty() const;

  // Checks the updates against the row counts of every section before and after the batch (the
  // data source's answers). Answers why they do not agree, or an empty string when they do; in
  // that case the mapping below is ready.
  std::string resolve(const std::vector<long>& before, const std::vector<long>& after);

  // Where a row that existed before the batch is afterwards; nothing when it was deleted (or its
  // section was). A reloaded row maps to its new place too: see isReloaded.
  std::optional<NSIndexPath> newIndexPath(const NSIndexPath& old) const;
  bool isReloaded(const NSIndexPath& old) const;

 private:
  std::string resolveSections(long before, long after);

  std::set<long> deletedSections_;
  std::set<long> insertedSections_;
  std::set<long> reloadedSections_;
  std::set<NSIndexPath> deletedRows_;
  std::set<NSIndexPath> insertedRows_;
  std::set<NSIndexPath> reloadedRows_;
  // Filled by resolve: the new section of each old one (-1 when deleted), and per old section
  // the new row of each old row (-1 when deleted).
  std::vector<long> sectionMap_;
  std::vector<std::vector<long>> rowMap_;
};

}  // namespace host

#pragma once

#include <memory>
#include <vector>

#include "foundation/Plist.h"

namespace host {
class PSSpecifier;
}  // namespace host

namespace vorlan {

// What the main list's rewriting remembers between passes, one per process.
struct PageRecords {
  using Specifiers = std::vector<std::shared_ptr<host::PSSpecifier>>;

  // The process's one instance (never destroyed, so no hook can outlive it).
  static PageRecords& shared();

  // The main list's cells as first loaded (filled once, by the first main-list pass).
  Specifiers originals;
  // The folder group and folder rows that the main list added last time, and the folder
  // records those rows were made from, in the same order.
  Specifiers folders;
  std::vector<host::Plist> folderRecords;
  // The main list rebuilds itself when it next comes on screen.
  bool needsReload = false;
};

}  // namespace vorlan

#pragma once

#include <memory>

namespace host {
class UITableViewCell;
}  // namespace host

namespace vorlan {

// The swipe of one list cell at a time, one per process.
struct CellSwipe {
  // The process's one instance (never destroyed, so no hook can outlive it).
  static CellSwipe& shared();

  // The cell being swiped.
  std::shared_ptr<host::UITableViewCell> lastCell;
  // x of the swipe's start and latest touch.
  float firstLocationOnCell = 0;
  float lastLocationOnCell = 0;
  // A peek began: the next cell swipe is swallowed.
  bool forceTouching = false;
};

}  // namespace vorlan

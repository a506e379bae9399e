#pragma once

#include <memory>

namespace host {
class CADisplayLink;
}  // namespace host

namespace vorlan {

// The wait for the main list's app cells, which arrive a few frames after the list: one per
// process, running at most once at a time.
struct AppCellWait {
  // The process's one instance (never destroyed, so no hook can outlive it).
  static AppCellWait& shared();

  // Per-frame poll, while a wait runs (and then watches a while longer for app cells that come
  // late).
  std::shared_ptr<host::CADisplayLink> appsSpec;
  // Frames the current poll has run.
  int appsSpecFrames = 0;
};

}  // namespace vorlan

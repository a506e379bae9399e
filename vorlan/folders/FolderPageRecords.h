#pragma once

#include <memory>

#include "uikit/CGGeometry.h"

namespace host {
class PSListController;
}  // namespace host

namespace vorlan {

// What the folder pages share with the empty-folder hint, one per process.
struct FolderPageRecords {
  // The process's one instance (never destroyed).
  static FolderPageRecords& shared();

  // The folder page that built its cells last; the hint names its folder. Weak: a page that
  // has left the screen is not kept for it.
  std::weak_ptr<host::PSListController> currentFolderPage;
  // The width the hint's text is laid out in: the main list's, taken when an empty folder page
  // builds its cells.
  host::CGFloat pageWidth = 0;
};

}  // namespace vorlan

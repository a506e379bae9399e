#pragma once

#include <memory>
#include <string>

#include "preferences/PSSpecifier.h"
#include "runtime/Method.h"

namespace vorlan {

class folderController;

}  // namespace vorlan

namespace host {

// The main list's additions that a folder page sends it: a main-list cell as first loaded, by
// identifier (the cells of a folder are no longer on the main list), and the request to rebuild
// the main list when it next comes on screen.
template <>
struct MethodsOf<vorlan::folderController> {
  using GetOriginalSpecifierByIdentifier =
      Method<"getOriginalSpecifierByIdentifier:", std::shared_ptr<PSSpecifier>(std::string)>;
  using SetNeedsReload = Method<"setNeedsReload:", void(bool)>;
};

}  // namespace host

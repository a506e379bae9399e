#pragma once

#include <string>
#include <vector>

#include "foundation/Plist.h"

namespace vorlan {

// Finds what in a settings file the extension would not have written: values of the wrong type
// and broken invariants (gaps in tag or folder keys, names repeated ignoring case, folder
// positions that are not 0..n-1). Each problem is one line naming where it is.
class SettingsChecker {
 public:
  static std::vector<std::string> check(const host::Plist& root);
};

}  // namespace vorlan

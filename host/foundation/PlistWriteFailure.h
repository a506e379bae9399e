#pragma once

#include <string>
#include <vector>

namespace host {

// The message of a property-list writer that cannot write a value: the reason, and where the
// value sits in the tree ("/tags/3/name", or the root value).
class PlistWriteFailure {
 public:
  // `path` holds the keys and indexes from the value up to the root, innermost first.
  static std::string describe(const std::string& reason, const std::vector<std::string>& path) {
    std::string where;
    for (auto it = path.rbegin(); it != path.rend(); ++it)
      where += "/" + *it;
    return "cannot write the property list: " + reason +
           (where.empty() ? " (the root value)" : " (at " + where + ")");
  }
};

}  // namespace host

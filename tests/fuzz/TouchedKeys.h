#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "PlistRoundTrip.h"
#include "foundation/Plist.h"

// What one operation of the settings manager may change in the settings file, as a tree of
// dictionary keys, and the check that a write changed nothing else.
//
// A node marked `everything` may change (or lose) all below it. Any other node may change only
// what its listed keys, its `anyKey` node or its key predicate allow; every other key it held
// must still be there with its value. A key that was not there before is never a loss, so a
// node with nothing listed says "only new keys may appear here" (adding a tag keeps every tag).
// A container on a changed path that is not a dictionary (a hand edit) may be replaced by one.
class TouchedKeys {
 public:
  TouchedKeys& key(const std::string& name) { return children_[name]; }
  TouchedKeys& anyKey() {
    if (!any_) any_ = std::make_unique<TouchedKeys>();
    return *any_;
  }
  // Every key for which `matches` holds may change with all below it.
  void keysWhere(std::function<bool(std::string_view)> matches) { matches_ = std::move(matches); }
  void everything() { everything_ = true; }
  TouchedKeys& all(std::initializer_list<const char*> names) {
    for (const char* name : names)
      key(name).everything();
    return *this;
  }

  // The path of the first value that `after` lost or changed against `before` although this
  // tree does not allow it; empty when there is none.
  std::string firstLoss(const host::Plist& before, const host::Plist& after,
                        const std::string& path = "") const {
    if (everything_ || !before.isDictionary()) return {};
    for (const auto& [name, value] : before.entries()) {
      if (matches_ && matches_(name)) continue;
      const std::string where = path + "/" + name;
      const TouchedKeys* child = nullptr;
      if (auto found = children_.find(name); found != children_.end()) child = &found->second;
      if (child == nullptr) child = any_.get();
      if (child != nullptr) {
        if (auto loss = child->firstLoss(value, after.get(name), where); !loss.empty()) return loss;
      } else if (!kept(value, after.get(name))) {
        return where;
      }
    }
    return {};
  }

  // Equal, but for dates: XML carries whole seconds, so a date read from a binary file comes
  // back rounded down once the file is written as XML.
  static bool kept(const host::Plist& before, const host::Plist& after) {
    return before == after || PlistRoundTrip::flooredDates(before) == after;
  }

 private:
  bool everything_ = false;
  std::map<std::string, TouchedKeys> children_;
  std::unique_ptr<TouchedKeys> any_;
  std::function<bool(std::string_view)> matches_;
};

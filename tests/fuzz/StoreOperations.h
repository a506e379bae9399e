#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TouchedKeys.h"
#include "foundation/Plist.h"
#include "runtime/Object.h"
#include "store/VLPreferencesManager.h"

namespace host {
class UIImage;
}  // namespace host

// Runs one operation of the settings manager, chosen with its arguments by fuzz bytes, and says
// what it may change in the file (see TouchedKeys). The arguments come from small fixed pools,
// from names found in the file itself (so renames and deletions meet what is stored) and from
// the fuzz bytes.
class StoreOperations {
 public:
  struct Outcome {
    const char* name = "";
    TouchedKeys touched;
    // A further check of what the operation changed (renumbered tables); empty when all is well.
    std::function<std::string(const host::Plist& after)> moved;
    bool erasesFile = false;
    // The file must then hold exactly this root.
    host::Plist replacedBy;
  };

  StoreOperations(FuzzedDataProvider& input, std::vector<host::Id> pages,
                  std::shared_ptr<host::UIImage> icon)
      : input_(input), pages_(std::move(pages)), icon_(std::move(icon)) {}

  Outcome runOne(vorlan::VLPreferencesManager& manager);

 private:
  std::string identifier(const host::Plist& root);
  std::string tagName(const host::Plist& root);
  std::string folderName(const host::Plist& root);
  std::string pick(std::initializer_list<const char*> fixed, const std::vector<std::string>& found);
  host::Id page();
  host::Plist cellValue(const std::string& section, const host::Plist& root);
  void readEverything(vorlan::VLPreferencesManager& manager);

  FuzzedDataProvider& input_;
  std::vector<host::Id> pages_;
  std::shared_ptr<host::UIImage> icon_;
};

#include "config/CellRecord.h"

#include <unordered_set>

#include "foundation/Plist.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIImage.h"

namespace vorlan {

CellRecord CellRecord::forIdentifier(const VLPreferencesManager& manager,
                                     const std::string& identifier) {
  CellRecord record;
  const host::Plist info = manager.getSpecifierInfoByID(identifier);
  const std::string* name = info.get("name").asString();
  record.name = name != nullptr && !name->empty() ? *name : identifier;
  if (const auto* data = info.get("icon").asData(); data != nullptr && !data->empty()) {
    record.icon = host::UIImage::imageWithData(*data);
  }
  return record;
}

std::vector<std::string> CellRecord::listedOnce(std::vector<std::string> identifiers) {
  std::unordered_set<std::string> seen;
  std::erase_if(identifiers, [&seen](const std::string& id) { return !seen.insert(id).second; });
  return identifiers;
}

}  // namespace vorlan

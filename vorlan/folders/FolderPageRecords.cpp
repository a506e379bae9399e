#include "folders/FolderPageRecords.h"

namespace vorlan {

FolderPageRecords& FolderPageRecords::shared() {
  static auto* const records = new FolderPageRecords();
  return *records;
}

}  // namespace vorlan

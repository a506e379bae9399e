#include "hooks/PageRecords.h"

#include "preferences/PSSpecifier.h"

namespace vorlan {

PageRecords& PageRecords::shared() {
  static PageRecords* const records = new PageRecords();
  return *records;
}

}  // namespace vorlan

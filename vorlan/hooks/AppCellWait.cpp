#include "hooks/AppCellWait.h"

#include "uikit/CADisplayLink.h"

namespace vorlan {

AppCellWait& AppCellWait::shared() {
  static AppCellWait* const wait = new AppCellWait();
  return *wait;
}

}  // namespace vorlan

#include "hooks/HostMethods.h"

namespace vorlan {

HostMethods& HostMethods::shared() {
  // Never destroyed: hooks may run until the very end of the process.
  static HostMethods* const methods = new HostMethods();
  return *methods;
}

}  // namespace vorlan

// A library for the loader's tests: when opened it logs the process's bundle identifier.
#include "foundation/Log.h"
#include "foundation/NSBundle.h"

namespace {

__attribute__((constructor)) void announceLoad() {
  host::NSLog("LoaderProbe loaded into " + host::NSBundle::mainBundle()->bundleIdentifier());
}

}  // namespace

// The extension as the loader opens it in an app's process: its load-time constructor runs the
// process entry once, before the loader returns.
#include "hooks/Vorlan3.h"

namespace {

__attribute__((constructor)) void vorlan3Load() {
  vorlan::Vorlan3::processEntry();
}

}  // namespace

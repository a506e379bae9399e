#include "hooks/HookInstaller.h"

#include <string>

#include "foundation/Log.h"

namespace vorlan {

void HookInstaller::attempt(const host::Class* cls, std::string_view selector,
                            const std::function<bool()>& install) {
  std::string line;
  try {
    if (install()) return;
    line = "cannot install -[" + cls->name() + " " + std::string(selector) +
           "]: the class already has its own implementation";
  } catch (const host::RuntimeError& error) {
    // Names the class and selector itself: "cannot install -[Class selector]: why".
    line = error.what();
  }
  ++failures_;
  host::NSLog("<Vorlan3> " + line);
}

}  // namespace vorlan

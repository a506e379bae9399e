#pragma once

#include <memory>

#include "preferences/PSSpecifier.h"
#include "runtime/Object.h"
#include "uikit/UIViewMethods.h"

namespace host {

class PSSwitchTableCell;

// The runtime methods of a switch cell, by descriptor (it answers every UIView method too).
template <>
struct MethodsOf<PSSwitchTableCell> : MethodsOf<UIView> {
  using ReloadWithSpecifier =
      Method<"reloadWithSpecifier:animated:", void(std::shared_ptr<PSSpecifier>, bool)>;
  using ControlChanged = Method<"controlChanged:", void(Id)>;
};

}  // namespace host

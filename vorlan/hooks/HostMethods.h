#pragma once

#include "hooks/HookSignatures.h"
#include "runtime/Implementation.h"

namespace vorlan {

// The host's own implementation of every method the extension hooks, kept callable: each hook
// calls its slot where it runs the host's behaviour. Filled once, when the hooks are installed;
// a slot of a hook that was not installed stays empty.
struct HostMethods {
  static HostMethods& shared();

  // Group Preference.
  host::Imp<sig::WithObject> appDidBecomeActive;
  host::Imp<sig::SplitCollapse> appCollapseSecondary;
  host::Imp<sig::SplitSeparate> appSeparateSecondary;
  host::Imp<sig::SwitchReload> switchReloadWithSpecifier;
  host::Imp<sig::WithObject> switchControlChanged;
  host::Imp<sig::Void> listReloadSpecifiers;
  host::Imp<sig::Void> listLoadView;
  host::Imp<sig::DidSelectRow> listDidSelectRow;
  host::Imp<sig::CellForRow> listCellForRow;
  host::Imp<sig::WithBool> listViewWillAppear;
  host::Imp<sig::Void> cellLayoutSubviews;
  host::Imp<sig::WithObject> mainBluetoothPowerChanged;
  host::Imp<sig::DidSelectRow> mainDidSelectRow;
  host::Imp<sig::Void> mainReloadSpecifiers;
  host::Imp<sig::Void> mainLoadView;
  host::Imp<sig::WithBool> mainViewWillAppear;
  host::Imp<sig::WithBool> mainViewWillDisappear;
  host::Imp<sig::Present> controllerPresent;

  // Group Spring.
  host::Imp<sig::WithObject> springBoardDidFinishLaunching;
  host::Imp<sig::Void> wallpaperUpdateGeneratingBlurs;
};

}  // namespace vorlan

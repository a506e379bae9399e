#pragma once

#include "preferences/PSListControllerMethods.h"
#include "runtime/Object.h"

namespace host {

class PSUIPrefsListController;

// The runtime methods of the main list, by descriptor (it answers every list-page method too).
template <>
struct MethodsOf<PSUIPrefsListController> : MethodsOf<PSListController> {
  using BluetoothPowerChanged = Method<"bluetoothPowerChanged:", void(Id)>;
};

}  // namespace host

#pragma once

#include <memory>

#include "preferences/PSSpecifier.h"
#include "runtime/Method.h"
#include "uikit/CGGeometry.h"

namespace host {

// The methods a view class answers when a group header names it in its "headerCellClass"
// property: the list page makes one instance per header, hands it the header, and gives it the
// height it asks for at the table's width.
class PSHeaderFooterView;

template <>
struct MethodsOf<PSHeaderFooterView> {
  using InitWithSpecifier = Method<"initWithSpecifier:", void(std::shared_ptr<PSSpecifier>)>;
  using PreferredHeightForWidth = Method<"preferredHeightForWidth:", CGFloat(CGFloat)>;
};

}  // namespace host

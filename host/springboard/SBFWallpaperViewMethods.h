#pragma once

#include "uikit/UIViewMethods.h"

namespace host {

class SBFWallpaperView;

// The runtime methods of the wallpaper view, by descriptor (it answers every UIView method too).
template <>
struct MethodsOf<SBFWallpaperView> : MethodsOf<UIView> {
  using UpdateGeneratingBlurs = Method<"_updateGeneratingBlurs", void()>;
};

}  // namespace host

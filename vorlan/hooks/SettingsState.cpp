#include "hooks/SettingsState.h"

#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "uikit/CADisplayLink.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UIViewControllerPreviewing.h"
#include "uikit/UIVisualEffectView.h"

namespace vorlan {

SettingsState& SettingsState::shared() {
  // Deliberately never destroyed: it lives as long as the hooks that use it, to the very end.
  static SettingsState* const state = new SettingsState();
  return *state;
}

}  // namespace vorlan
